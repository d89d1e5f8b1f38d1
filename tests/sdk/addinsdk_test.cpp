// The add-in SDK as an add-in's author meets it: the program installed into
// a prefix, the sample add-in's installed sources built by themselves
// against the installed package, and that build loaded by the program.
#include "addins/addinmanager.h"
#include "app/tallywickapp.h"
#include "controls/gridctrl.h"
#include "controls/settingspage.h"
#include "data/dbconnection.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "frame/mainframe.h"
#include "records/defaultsettingssheet.h"
#include "reports/tallywickview.h"

#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

namespace {

// Runs a step of the build; its output is the failure message.
QString RunCmake(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(TWK_CMAKE), args);
    if (!p.waitForFinished(300000))
        return QStringLiteral("cmake %1 did not finish").arg(args.join(u' '));
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("cmake %1 failed:\n%2").arg(args.join(u' '), QString::fromLocal8Bit(p.readAll()));
    return {};
}

const QString kIni = QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n");
// Set up already and without a password screen: nothing holds the start.
const QString kSetUp = QStringLiteral(
    "UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane'; UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=1; "
    "INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,cTransactionAmount,"
    "cTransactionDescription,iTransactionType) VALUES ('Head Office','03/01/2026','Salary',1250.5,'',1)");
const QString kDefaultTitle = QStringLiteral("Sample Addin: incomes and expenses per unit");

// The sample's stored report title; empty while its table is not there.
QString StoredTitle(const QString &folder)
{
    CDbConnection connection;
    connection.Open(kProviderSetting + DataSourcePart(folder + QStringLiteral("/TallywickPlus.mdb")), kDbUser,
                    kDbPassword);
    CDbRecordset rs(connection);
    try {
        rs.OpenText(QStringLiteral("SELECT cValue FROM SAMPLE_ADDIN_SETTINGS_TB WHERE cName='ReportTitle'"));
    } catch (const CDbError &) {
        return {};
    }
    return rs.IsEOF() ? QString() : rs.GetString(QStringLiteral("cValue"));
}

CSettingsPage *PageTitled(CDefaultSettingsSheet &sheet, const QString &title)
{
    for (int i = 0; i < sheet.PageCount(); ++i) {
        if (sheet.Page(i)->windowTitle() == title)
            return sheet.Page(i);
    }
    return nullptr;
}

} // namespace

TEST(AddinSdk, TheSampleBuiltOutOfTreeFromTheInstalledPackageUsesTheDatabaseAndAddsASettingsPage)
{
    QTemporaryDir work;
    const QString prefix = work.filePath(QStringLiteral("prefix"));
    const QString build = work.filePath(QStringLiteral("sample-build"));
    ASSERT_EQ(RunCmake({QStringLiteral("--install"), QStringLiteral(TWK_BUILD_DIR), QStringLiteral("--prefix"), prefix}), QString());
    const QString sample = prefix + QStringLiteral("/" TWK_INSTALL_DOCDIR "/samples/addin");
    ASSERT_TRUE(QFileInfo::exists(sample + QStringLiteral("/CMakeLists.txt")));
    // As the README has it: the package found through the prefix, nothing
    // of the program's sources or build in reach.
    ASSERT_EQ(RunCmake({QStringLiteral("-S"), sample, QStringLiteral("-B"), build, QStringLiteral("-DCMAKE_PREFIX_PATH=") + prefix,
                   QStringLiteral("-DCMAKE_CXX_COMPILER=" TWK_CXX_COMPILER), QStringLiteral("-DQt6_DIR=" TWK_QT6_DIR)}),
              QString());
    ASSERT_EQ(RunCmake({QStringLiteral("--build"), build, QStringLiteral("-j2")}), QString());
    const QString library = build + QStringLiteral("/libtwksampleaddin.so");
    ASSERT_TRUE(QFileInfo::exists(library));

    // The installed program itself: the add-in loads into it, which resolves
    // every symbol at once, and prepares its table through the connection
    // before the window is up.
    {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("tallywick"));
        ASSERT_TRUE(QFile::copy(prefix + QStringLiteral("/bin/tallywick"), program));
        QFile::setPermissions(program, QFile::permissions(prefix + QStringLiteral("/bin/tallywick")));
        InstallProgramFolder(folder.path(), kIni, kSetUp);
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("addins")));
        ASSERT_TRUE(QFile::copy(library, folder.filePath(QStringLiteral("addins/libtwksampleaddin.so"))));
        QProcess running;
        running.setProcessChannelMode(QProcess::MergedChannels);
        running.setWorkingDirectory(folder.path());
        running.start(program, {});
        ASSERT_TRUE(running.waitForStarted());
        const QDeadlineTimer deadline(30000);
        while (StoredTitle(folder.path()).isEmpty() && running.state() == QProcess::Running && !deadline.hasExpired())
            QThread::msleep(100);
        EXPECT_EQ(StoredTitle(folder.path()), kDefaultTitle) << running.readAll().toStdString();
        running.terminate();
        if (!running.waitForFinished(10000)) {
            running.kill();
            running.waitForFinished();
        }
    }

    // The same program in this process, where its windows can be reached.
    const QString cwd = QDir::currentPath();
    QTemporaryDir folder;
    InstallProgramFolder(folder.path(), kIni, kSetUp);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("addins")));
    ASSERT_TRUE(QFile::copy(library, folder.filePath(QStringLiteral("addins/libtwksampleaddin.so"))));
    TestUi().Reset();
    {
        CTallywickApp app;
        ASSERT_TRUE(app.InitInstance(folder.path(), {}));
        EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().Texts().join(u'|').toStdString();
        ASSERT_EQ(app.Addins()->Addins().size(), 1);
        EXPECT_EQ(app.Addins()->Addins().first().failure, QString());

        // Its page, read through the second record set, saves through the first.
        CDefaultSettingsSheet &sheet = *app.MainFrame()->SettingsSheet();
        CSettingsPage *page = PageTitled(sheet, QStringLiteral("Sample Addin"));
        ASSERT_NE(page, nullptr);
        auto *title = page->findChild<QLineEdit *>(QStringLiteral("title"));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), kDefaultTitle);
        // Through the sheet as the user has it: OK saves every page.
        QTimer::singleShot(0, &sheet, [&] {
            title->setText(QStringLiteral("Ann's units"));
            sheet.accept();
        });
        sheet.exec();
        EXPECT_FALSE(sheet.isVisible());
        EXPECT_EQ(StoredTitle(folder.path()), QStringLiteral("Ann's units"));

        // An empty title is refused on the page; Cancel shows the stored one.
        bool applied = true;
        bool told = false;
        QTimer::singleShot(0, &sheet, [&] {
            sheet.SetCurrentPage(0);
            title->clear();
            applied = sheet.OnApply();
            for (const QLabel *label : page->findChildren<QLabel *>())
                told = told || (label->isVisibleTo(page) && label->text().startsWith(QStringLiteral("Please enter")));
            EXPECT_EQ(sheet.CurrentPage(), page);
            sheet.reject();
        });
        sheet.exec();
        EXPECT_FALSE(applied);
        EXPECT_TRUE(told);
        EXPECT_EQ(title->text(), QStringLiteral("Ann's units"));
        EXPECT_EQ(StoredTitle(folder.path()), QStringLiteral("Ann's units"));

        // The report reads the title and the sums through the record sets.
        ASSERT_TRUE(app.MainFrame()->ExecuteCommand(2025));
        const CGridCellModel &grid = app.MainFrame()->ReportView()->GetGrid()->Model();
        EXPECT_EQ(grid.GetItemText(0, 0), QStringLiteral("Ann's units"));
        EXPECT_EQ(grid.GetItemText(3, 0), QStringLiteral("Head Office"));
        EXPECT_EQ(grid.GetItemText(3, 1), QStringLiteral("1250.50"));
        EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().Texts().join(u'|').toStdString();
        app.MainFrame()->close();
        app.ExitInstance();
    }
    QDir::setCurrent(cwd);
}
