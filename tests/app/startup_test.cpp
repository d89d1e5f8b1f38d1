#include "app/commandline.h"
#include "app/instancechecker.h"
#include "app/tallywickapp.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/conversion.h"
#include "data/dbconnection.h"
#include "data/dbschema.h"
#include "base/commandids.h"
#include "controls/gridctrl.h"
#include "data/dbrecordset.h"
#include "data/profile.h"
#include "frame/accelmappage.h"
#include "frame/mainframe.h"
#include "records/defaultsettingssheet.h"
#include "reports/tallywickview.h"

#include "support/nextmodal.h"
#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A folder to install the program in.
class ProgramFolder : public ::testing::Test
{
protected:
    void SetUp() override { m_cwd = QDir::currentPath(); }
    void TearDown() override { QDir::setCurrent(m_cwd); }
    QTemporaryDir dir;

private:
    QString m_cwd;
};

const QString kDeliveredIni = QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\n");

// Answers the password dialog that start-up puts up: the text typed, or
// Cancel when there is none.
void AnswerPassword(std::optional<QString> typed, int triesLeft = 1000)
{
    QTimer::singleShot(0, [typed, triesLeft] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                AnswerPassword(typed, triesLeft - 1);
            else
                ADD_FAILURE() << "no password dialog came up";
            return;
        }
        EXPECT_EQ(dialog->objectName(), QStringLiteral("146"));
        if (!typed) {
            dialog->reject();
            return;
        }
        dialog->findChild<QLineEdit *>(QStringLiteral("1067"))->setText(*typed);
        dialog->accept();
    });
}

} // namespace

TEST(ServerSwitch, FoundAfterDashOrSlashInAnyCase)
{
    EXPECT_EQ(FindServerSwitch({"/RegServer"}), ServerSwitch::Register);
    EXPECT_EQ(FindServerSwitch({"-unregserver"}), ServerSwitch::Unregister);
    EXPECT_EQ(FindServerSwitch({"file.txt", "/REGSERVER"}), ServerSwitch::Register);
    EXPECT_EQ(FindServerSwitch({"RegServer"}), ServerSwitch::None);
    EXPECT_EQ(FindServerSwitch({"/RegServer2"}), ServerSwitch::None);
    EXPECT_EQ(FindServerSwitch({}), ServerSwitch::None);
}

TEST_F(ProgramFolder, FirstStartOpensTheDeliveredDatabaseAndCountsAsFirstRun)
{
    InstallProgramFolder(dir.path(), kDeliveredIni);
    CTallywickApp app;
    const auto wizard = std::make_shared<QString>();
    CloseSetupWizardWhenShown(wizard);
    ASSERT_TRUE(app.InitInstance(dir.path(), {}));
    EXPECT_TRUE(wizard->startsWith(QStringLiteral("Tallywick + is running for the first time."))) << wizard->toStdString();
    EXPECT_FALSE(app.Data().firstRun);
    EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().Texts().join(u'|').toStdString();
    EXPECT_EQ(app.ProgressLog(), (QStringList{"Initializing", "Checking database settings", "Opening the Database",
                                              "Applying Default Settings", "Initializing the Addin Database"}));
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_TRUE(app.Data().connection.IsOpen());
    EXPECT_TRUE(app.Data().loggedIn);
    EXPECT_EQ(app.Data().settings.cPassword, QStringLiteral("vorel"));
    EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("TallywickPlus.ini"))).contains("ConStrg=Provider=Microsoft.Jet.OLEDB.4.0;"));
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_FALSE(app.Data().connection.IsOpen());
}

TEST_F(ProgramFolder, AStartConvertsAFileOfTheOlderFormatShowingHowFar)
{
    InstallProgramFolder(dir.path(),
                         QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=") + kProviderSetting,
                         QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane'; INSERT INTO "
                                        "LB_TRANSACTION_INFO_TB (cTransactionAmount, iTransactionType) VALUES (9.99, 2)"));
    const QString database = dir.filePath(QStringLiteral("TallywickPlus.mdb"));
    RewriteInVersion3Format(database);
    const QByteArray original = ReadBytes(database);
    {
        CTallywickApp app;
        ASSERT_TRUE(app.InitInstance(dir.path(), {}));
        EXPECT_EQ(app.Data().connection.Format(), CipherFormat::Current);
        const QStringList log = app.ProgressLog();
        EXPECT_EQ(log.value(log.indexOf(QStringLiteral("Opening the Database")) + 1),
                  LoadString(StringId::ConvertingDataFile).arg(0));
        EXPECT_TRUE(log.contains(LoadString(StringId::ConvertingDataFile).arg(100)));
        EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().Texts().join(u'|').toStdString();
        CDbRecordset rs(app.Data().connection);
        rs.OpenText(QStringLiteral("SELECT sum(cTransactionAmount) FROM LB_TRANSACTION_INFO_TB"));
        EXPECT_EQ(rs.GetDouble(0), 9.99);
        app.ExitInstance();
    }
    EXPECT_EQ(ReadBytes(KeptOriginalFor(database)), original);
    // The next start finds the new file and lets the original go.
    CTallywickApp app;
    ASSERT_TRUE(app.InitInstance(dir.path(), {}));
    EXPECT_FALSE(app.ProgressLog().contains(LoadString(StringId::ConvertingDataFile).arg(0)));
    EXPECT_FALSE(QFile::exists(KeptOriginalFor(database)));
    app.ExitInstance();
}

TEST_F(ProgramFolder, StartUpDeletesExpiredRemindersAndShowsTheDueOnesAfterALogin)
{
    // Yesterday with automatic deletion, today, and in 20 days with 3 days' notice.
    InstallProgramFolder(dir.path(), kDeliveredIni,
                         QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=0; INSERT INTO "
                                        "LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                                        "iPaymentReminderDays,bAutoDelete) VALUES ('Gone',1,'03/16/2026',0,1),"
                                        "('Rent',450,'03/17/2026',0,1),('Tax',99,'04/06/2026',3,1)"));
    {
        // A cancelled login: data commands off, Login on, nothing shown, the
        // expired reminder gone all the same.
        CTallywickApp app;
        AnswerPassword(std::nullopt);
        ASSERT_TRUE(app.InitInstance(dir.path(), {}));
        EXPECT_FALSE(app.Data().loggedIn);
        EXPECT_TRUE(app.MainFrame()->IsCommandEnabled(CommandId::Login));
        EXPECT_FALSE(app.MainFrame()->IsCommandEnabled(CommandId::PaymentReminder));
        EXPECT_EQ(app.MainFrame()->ReportView()->GetGrid()->GetRowCount(), 0);
        CDbRecordset rs(app.Data().connection);
        rs.OpenText(QStringLiteral("SELECT cPaymentDescription FROM LB_PAYMENT_REMINDER_INFO_TB"));
        EXPECT_EQ(rs.GetRecordCount(), 2);
        app.ExitInstance();
    }
    CTallywickApp app;
    AnswerPassword(QStringLiteral("vorel"));
    // No address stored yet: the wizard comes at every start after a login.
    const auto wizard = std::make_shared<QString>();
    CloseSetupWizardWhenShown(wizard);
    ASSERT_TRUE(app.InitInstance(dir.path(), {}));
    EXPECT_EQ(*wizard, QStringLiteral("Setup Wizard allows you to set up the initial settings of Tallywick +."));
    EXPECT_TRUE(app.Data().loggedIn);
    EXPECT_FALSE(app.MainFrame()->IsCommandEnabled(CommandId::Login));
    const CGridCellModel &grid = app.MainFrame()->ReportView()->GetGrid()->Model();
    EXPECT_EQ(grid.GetRowCount(), 1 + 14);
    EXPECT_EQ(grid.GetItemText(8, 3), QStringLiteral("Rent"));
    EXPECT_EQ(grid.GetItemText(10, 4), QStringLiteral("450.00"));
    app.ExitInstance();
}

TEST_F(ProgramFolder, AMissingOrInvalidDatabaseEndsStartUpWhereItIsFound)
{
    WriteText(dir.filePath(QStringLiteral("TallywickPlus.ini")), kDeliveredIni);
    {
        CTallywickApp app;
        EXPECT_FALSE(app.InitInstance(dir.path(), {}));
        EXPECT_EQ(TestUi().Texts(), (QStringList{LoadString(StringId::DatabaseNotFound), LoadString(StringId::OpenApplicationFailed)}));
        EXPECT_EQ(TestUi().fileRequests.size(), 1);
        EXPECT_EQ(app.ProgressLog().value(app.ProgressLog().size() - 1), QStringLiteral("Checking database settings"));
        EXPECT_EQ(app.MainFrame(), nullptr);
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("TallywickPlus.mdb"))));
        EXPECT_EQ(app.StartUpExitCode(), 1);
    }
    TestUi().Reset();
    WriteText(dir.filePath(QStringLiteral("TallywickPlus.mdb")), QStringLiteral("not a database at all"));
    CTallywickApp app;
    EXPECT_FALSE(app.InitInstance(dir.path(), {}));
    EXPECT_EQ(TestUi().Texts(), (QStringList{LoadString(StringId::DatabaseInvalid), LoadString(StringId::OpenApplicationFailed)}));
    EXPECT_EQ(app.ProgressLog().value(app.ProgressLog().size() - 1), QStringLiteral("Opening the Database"));
    EXPECT_EQ(app.StartUpExitCode(), 1);
}

TEST(InstanceChecker, LaterStartHandsItsArgumentsToTheFirst)
{
    CInstanceChecker first(QStringLiteral("twk test instance"));
    ASSERT_TRUE(first.ActivateChecker());
    EXPECT_FALSE(first.PreviousInstanceRunning());
    QStringList received;
    first.onActivate = [&](const QStringList &args) { received = args; };
    ASSERT_TRUE(first.TrackFirstInstanceRunning());

    CInstanceChecker second(QStringLiteral("twk test instance"));
    ASSERT_TRUE(second.ActivateChecker());
    EXPECT_TRUE(second.PreviousInstanceRunning());
    EXPECT_TRUE(second.ActivatePreviousInstance({"report.txt", "-x"}));
    QTRY_COMPARE(received, (QStringList{"report.txt", "-x"}));
    // Another start-up can take the lock again at once: it was released.
    CInstanceChecker third(QStringLiteral("twk test instance"));
    EXPECT_TRUE(third.ActivateChecker());
    EXPECT_FALSE(third.TrackFirstInstanceRunning());
}

#ifdef TWK_PROGRAM
namespace {

// The program uses its own folder: every run is of a copy installed in a
// temporary one, never of the build's program folder.
QString InstallProgram(const QString &folder)
{
    const QString program = QDir(folder).filePath(QStringLiteral("tallywick"));
    EXPECT_TRUE(QFile::copy(QStringLiteral(TWK_PROGRAM), program));
    QFile::setPermissions(program, QFile::permissions(QStringLiteral(TWK_PROGRAM)));
    return program;
}

QProcess *StartProgram(const QString &program, QObject *parent)
{
    auto *p = new QProcess(parent);
    p->setProgram(program);
    p->setWorkingDirectory(QFileInfo(program).absolutePath());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(env);
    p->start();
    return p;
}

bool InstanceTracked()
{
    CInstanceChecker probe(CTallywickApp::InstanceName());
    return probe.PreviousInstanceRunning();
}

} // namespace

TEST(DatabaseTool, WritesAFreshEncryptedFileAndNeverOverwrites)
{
    QTemporaryDir dir;
    const QString program = QStringLiteral(TWK_MAKEDB);
    const QString path = dir.filePath(QStringLiteral("fresh.mdb"));
    QProcess p;
    p.start(program, {path});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    CDbConnection connection;
    EXPECT_EQ(connection.Open(kProviderSetting + DataSourcePart(path), kDbUser, kDbPassword), TWK_S_OK);
    connection.Close();
    EXPECT_THROW(connection.Open(kProviderSetting + DataSourcePart(path), kDbUser, QStringLiteral("guess")),
                 CDbError);

    const QByteArray before = ReadBytes(path);
    p.start(program, {path});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardError().contains("already exists"));
    EXPECT_EQ(ReadBytes(path), before);

    p.start(program, {});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 2);
}

TEST_F(ProgramFolder, TwoStartsGiveOneRunningInstanceAndACrashLocksNobodyOut)
{
    const QString program = InstallProgram(dir.path());
    // Set up already, so that no wizard holds the first start; an expired
    // reminder shows which database the program opened.
    InstallProgramFolder(dir.path(), kDeliveredIni + QStringLiteral("ConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"),
                         QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane'; INSERT INTO "
                                        "LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                                        "iPaymentReminderDays,bAutoDelete) VALUES ('Gone',1,'01/01/2020',0,1)"));
    QObject owner;
    auto start = [&] { return StartProgram(program, &owner); };
    QProcess *first = start();
    ASSERT_TRUE(first->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(InstanceTracked(), 20000);
    {
        // The copy found its own settings file and database, and wrote to them.
        CDbConnection connection;
        ASSERT_EQ(connection.Open(kProviderSetting + QStringLiteral("Data Source=") + dir.filePath(QStringLiteral("TallywickPlus.mdb")),
                                  kDbUser, kDbPassword),
                  TWK_S_OK);
        CDbRecordset rs(connection);
        rs.OpenText(QStringLiteral("SELECT * FROM LB_PAYMENT_REMINDER_INFO_TB"));
        EXPECT_EQ(rs.GetRecordCount(), 0) << "the program started from another folder";
    }

    QProcess *second = start();
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    // A crashed first instance leaves its lock and socket behind.
    first->kill();
    first->waitForFinished();
    QProcess *third = start();
    QTRY_VERIFY_WITH_TIMEOUT(InstanceTracked(), 20000);
    EXPECT_EQ(third->state(), QProcess::Running);
    third->terminate();
    if (!third->waitForFinished(5000))
        third->kill();
}
#endif

TEST_F(ProgramFolder, ShortcutKeysComeFromTheProfileAndTheSettingsSheet)
{
    InstallProgramFolder(dir.path(), kDeliveredIni);
    const QString section = QStringLiteral("Settings"), value = QStringLiteral("Keyboard");
    // F9 for Clear Screen.
    WriteProfileBinary(section, value, EncodeKeyboardValue({{CommandId::ClearScreen, {{FVIRTKEY, 0x78, false}}}}));
    {
        CTallywickApp app;
        CloseSetupWizardWhenShown(std::make_shared<QString>());
        ASSERT_TRUE(app.InitInstance(dir.path(), {}));
        EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().Texts().join(u'|').toStdString();
        CMainFrame &frame = *app.MainFrame();
        EXPECT_TRUE(frame.AccelTable().contains(CAccelEntry{FVIRTKEY, 0x78, CommandId::ClearScreen}));
        EXPECT_TRUE(frame.AccelTable().contains(CAccelEntry{FVIRTKEY, 'I', CommandId::AddIncome}));

        // Ctrl+F12 for Exit, given on the sheet's page; F1 there opens the page's topic.
        CDefaultSettingsSheet &sheet = *frame.SettingsSheet();
        CSettingsPage *page = nullptr;
        for (int i = 0; i < sheet.PageCount(); ++i)
            page = sheet.Page(i)->DialogId() == CAccelMapPage::IDD ? sheet.Page(i) : page;
        ASSERT_NE(page, nullptr);
        QString topic;
        app.Data().showHelp = [&topic](const QString &t) { topic = t; };
        sheet.show();
        sheet.SetCurrentPage(sheet.PageCount() - 1);
        QApplication::setActiveWindow(&sheet);
        auto *commands = page->findChild<QListWidget *>(QStringLiteral("1080"));
        commands->setCurrentItem(commands->findItems(QStringLiteral("Exit"), Qt::MatchExactly).value(0));
        auto *box = page->findChild<QLineEdit *>(QStringLiteral("1084"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F12, Qt::ControlModifier);
        QTest::mouseClick(page->findChild<QPushButton *>(QStringLiteral("3")), Qt::LeftButton);
        QTest::keyClick(commands, Qt::Key_F1);
        EXPECT_EQ(topic, QString::fromLatin1(CAccelMapPage::kHelpTopic));
        sheet.accept();
        EXPECT_TRUE(frame.AccelTable().contains(CAccelEntry{FVIRTKEY | FCONTROL, 0x7B, CommandId::Exit}));
        app.ExitInstance();
    }
    // Both keys are stored at exit.
    const CKeyboardRecords stored = DecodeKeyboardValue(GetProfileBinary(section, value).value_or(QByteArray()));
    EXPECT_FALSE(stored.damaged);
    EXPECT_EQ(stored.records.size(), 2);

    WriteProfileString(section, value, QStringLiteral("not keys"));
    CTallywickApp app;
    CloseSetupWizardWhenShown(std::make_shared<QString>());
    ASSERT_TRUE(app.InitInstance(dir.path(), {}));
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::LoadUserAcceleratorsFailed)});
    app.ExitInstance();
}
