#include "app/tallywickapp.h"
#include "base/commandids.h"
#include "data/compaction.h"
#include "data/dbconnection.h"
#include "data/dbschema.h"
#include "frame/mainframe.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString Connection(const QString &path)
{
    return kProviderSetting + QStringLiteral("Data Source=") + path;
}

// An installed program folder whose database holds `settings` as its
// default settings; the program runs from it.
class DataFilesTest : public ::testing::Test
{
protected:
    void SetUp() override { m_cwd = QDir::currentPath(); }
    void TearDown() override { QDir::setCurrent(m_cwd); }
    void Start(const QString &settings = QString())
    {
        QFile ini(dir.filePath(QStringLiteral("TallywickPlus.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[TallywickPlus]\nDBPath=TallywickPlus.mdb\n");
        ini.close();
        ASSERT_EQ(CreateDatabase(Database(), kDbPassword), QString());
        CDbConnection c;
        c.Open(Connection(Database()), kDbUser, kDbPassword);
        c.Execute(QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                                 "cTransactionAmount,iTransactionType) values ('Home','03/16/2026','Rent',400,2)"));
        if (!settings.isEmpty())
            c.Execute(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET ") + settings);
        c.Close();
        ASSERT_TRUE(app.InitInstance(dir.path(), {}));
        TestUi().Reset();
    }
    QString Database() const { return dir.filePath(QStringLiteral("TallywickPlus.mdb")); }
    static qint64 Rows(const QString &path)
    {
        CDbConnection c;
        c.Open(Connection(path), kDbUser, kDbPassword);
        return TableRowCounts(c).value(0);
    }

    QTemporaryDir dir;
    QTemporaryDir backups;
    CTallywickApp app;

private:
    QString m_cwd;
};

} // namespace

TEST_F(DataFilesTest, ClosingBacksUpAndExitCompacts)
{
    Start(QStringLiteral("iAutoBackUpDb=1, iAutoCompactDb=1, cBackUpDbPath='%1'").arg(backups.path()));
    app.MainFrame()->close();
    EXPECT_EQ(Rows(backups.filePath(QStringLiteral("TallywickPlus.mdb"))), 1);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_TRUE(TestUi().Texts().isEmpty()) << TestUi().Texts().join(u'|').toStdString();
    EXPECT_EQ(app.ProgressLog().mid(app.ProgressLog().indexOf(QStringLiteral("Closing the Database"))),
              (QStringList{"Closing the Database", "Compacting the database", "Database compacted"}));
    EXPECT_FALSE(app.Data().connection.IsOpen());
    EXPECT_EQ(Rows(Database()), 1);
}

TEST_F(DataFilesTest, BackupAndRestoreCommandsAndTheBackupOfferedByDeletions)
{
    Start();
    CMainFrame *frame = app.MainFrame();
    // A deletion that asks for a backup gets the real one.
    EXPECT_FALSE(app.Data().backupData(frame));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Backup cancelled.")});

    TestUi().Reset();
    TestUi().QueueFolder(backups.path());
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::BackupData));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Backup Successful.")});
    const QString copy = backups.filePath(QStringLiteral("TallywickPlus.mdb"));
    app.Data().connection.Execute(QStringLiteral("DELETE FROM LB_TRANSACTION_INFO_TB"));

    TestUi().Reset();
    TestUi().QueueFile(copy);
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::RestoreData));
    EXPECT_TRUE(TestUi().Texts().isEmpty()) << TestUi().Texts().join(u'|').toStdString();
    EXPECT_EQ(TableRowCounts(app.Data().connection).value(0), 1);
    EXPECT_EQ(app.Data().location.databasePath, copy);
    EXPECT_TRUE(frame->IsCommandEnabled(CommandId::BackupData));
    app.ExitInstance();
}
