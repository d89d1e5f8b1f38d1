#include "app/tallywickapp.h"
#include "base/commandids.h"
#include "data/compaction.h"
#include "data/dbschema.h"
#include "controls/gridctrl.h"
#include "frame/mainframe.h"
#include "reports/tallywickview.h"

#include "support/nextmodal.h"

#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

TEST(DataFiles, CommandsClosingAndExitRunTheBackupRestoreAndCompaction)
{
    const QString cwd = QDir::currentPath();
    QTemporaryDir dir, backups;
    // Set up before: no wizard at start-up.
    InstallProgramFolder(dir.path(), QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"),
                         QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (iTransactionType) values (2); UPDATE "
                                        "LB_DEFAULT_SETTINGS_TB SET iAutoBackUpDb=1, iAutoCompactDb=1, cBackUpDbPath='%1'; "
                                        "UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane'")
                             .arg(backups.path()));
    CTallywickApp app;
    ASSERT_TRUE(app.InitInstance(dir.path(), {}));
    CMainFrame *frame = app.MainFrame();
    TestUi().Reset();
    // The command and a deletion that asks for a backup get the real one.
    EXPECT_FALSE(app.Data().backupData(frame));
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::BackupData));
    EXPECT_EQ(TestUi().Texts(), QStringList(2, QStringLiteral("Backup cancelled.")));
    TestUi().Reset();

    frame->close();
    const QString copy = backups.filePath(QStringLiteral("TallywickPlus.mdb"));
    app.Data().connection.Execute(QStringLiteral("DELETE FROM LB_TRANSACTION_INFO_TB"));
    TestUi().QueueFile(copy);
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::RestoreData));
    EXPECT_EQ(app.Data().location.databasePath, copy);
    EXPECT_EQ(TableRowCounts(app.Data().connection).value(0), 1);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_TRUE(TestUi().Texts().isEmpty()) << TestUi().Texts().join(u'|').toStdString();
    EXPECT_EQ(app.ProgressLog().mid(app.ProgressLog().indexOf(QStringLiteral("Closing the Database"))),
              (QStringList{"Closing the Database", "Compacting the database", "Database compacted"}));
    EXPECT_FALSE(app.Data().connection.IsOpen());
    CDbConnection c;
    c.Open(kProviderSetting + QStringLiteral("Data Source=") + copy, kDbUser, kDbPassword);
    EXPECT_EQ(TableRowCounts(c).value(0), 1);
    QDir::setCurrent(cwd);
}

TEST(DataFiles, DeletingOldDataOrRestoringAnotherFileClearsTheReportShown)
{
    const QString cwd = QDir::currentPath();
    QTemporaryDir dir, other;
    const QString ini = QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n");
    const QString setUp = QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane'");
    InstallProgramFolder(dir.path(), ini, setUp);
    InstallProgramFolder(other.path(), ini, setUp);
    CTallywickApp app;
    ASSERT_TRUE(app.InitInstance(dir.path(), {}));
    CMainFrame *frame = app.MainFrame();
    CTallywickView *view = frame->ReportView();
    view->OnInitialUpdate();
    TestUi().Reset();
    const auto showReport = [&] {
        ReportLayout layout;
        layout.rowCount = 4;
        layout.columnCount = 3;
        layout.cells.push_back(ReportCell{1, 1, QStringLiteral("Salary"), 0, -1, {}});
        view->ShowReport(layout);
        ASSERT_EQ(view->GetGrid()->GetItemText(1, 1), QStringLiteral("Salary"));
    };
    const auto empty = [&] { return view->GetGrid()->GetRowCount() == 0 && view->GetGrid()->GetColumnCount() == 0; };

    // Closed without deleting: the report stays.
    showReport();
    OnNextModal([](QDialog *dialog) { dialog->reject(); });
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::DeleteOldData));
    EXPECT_FALSE(empty());

    OnNextModal([](QDialog *dialog) {
        dialog->findChild<QCheckBox *>(QStringLiteral("1056"))->click();
        dialog->findChild<QPushButton *>(QStringLiteral("1"))->click();
    });
    TestUi().QueueAnswer(IDNO);
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::DeleteOldData));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Old data deleted."));
    EXPECT_TRUE(empty());

    // Cancelled: the file and its report stay; switched: the report goes.
    showReport();
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::RestoreData));
    EXPECT_FALSE(empty());
    TestUi().QueueFile(other.filePath(QStringLiteral("TallywickPlus.mdb")));
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::RestoreData));
    EXPECT_EQ(app.Data().location.databasePath, other.filePath(QStringLiteral("TallywickPlus.mdb")));
    EXPECT_TRUE(empty());
    frame->close();
    EXPECT_EQ(app.ExitInstance(), 0);
    QDir::setCurrent(cwd);
}
