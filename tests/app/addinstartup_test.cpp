#include "addins/addinmanager.h"
#include "app/tallywickapp.h"
#include "controls/gridctrl.h"
#include "controls/settingspage.h"
#include "data/profile.h"
#include "frame/mainframe.h"
#include "records/defaultsettingssheet.h"
#include "reports/tallywickview.h"

#include "support/testdatabase.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// An installed program with add-ins in its folder, started in password mode 2.
class AddinStartUp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        RemoveProfileEntry(QStringLiteral("Settings"), QStringLiteral("Addin Manager"));
        InstallProgramFolder(dir.path(), QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\n"),
                             QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=2"));
        QDir(dir.path()).mkdir(QStringLiteral("addins"));
        AddAddin(QStringLiteral(TWK_SAMPLE_ADDIN_DIR "/libtwksampleaddin.so"));
    }
    void TearDown() override { QDir::setCurrent(m_cwd); }

    void AddAddin(const QString &library)
    {
        ASSERT_TRUE(QFile::copy(library, dir.filePath(QStringLiteral("addins/") + QFileInfo(library).fileName())));
    }

    // Starts the program: the password dialog's red line and what the sample
    // had been called with by then are kept; the wizard is closed.
    void Start()
    {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (modal && modal->objectName() == QStringLiteral("146")) {
                loginMessage = modal->findChild<QLabel *>(QStringLiteral("1105"))->text();
                callsAtLogin = SampleCalls();
                modal->findChild<QLineEdit *>(QStringLiteral("1067"))->setText(QStringLiteral("vorel"));
                modal->accept();
            } else if (modal && modal->objectName() == QStringLiteral("-2")) {
                modal->reject();
            }
        });
        answer.start(5);
        ASSERT_TRUE(app.InitInstance(dir.path(), {}));
    }

    QStringList SampleCalls(const char *what = "Calls")
    {
        QStringList calls;
        for (const CAddinRecord &record : app.Addins()->Addins()) {
            if (record.name == QLatin1String("Sample Addin"))
                QMetaObject::invokeMethod(record.object, what, Q_RETURN_ARG(QStringList, calls));
        }
        return calls;
    }

    QStringList MenuTitles()
    {
        QStringList titles;
        for (QAction *a : app.MainFrame()->menuBar()->actions())
            titles << a->text();
        return titles;
    }

    QTemporaryDir dir;
    CTallywickApp app;
    QString loginMessage;
    QStringList callsAtLogin;

private:
    QString m_cwd;
};

} // namespace

TEST_F(AddinStartUp, AddinsStartBeforeTheLoginAndReachTheProgram)
{
    Start();
    // The sample is no login add-in: the password screen says so.
    EXPECT_EQ(loginMessage, QStringLiteral("Please Install the Tallywick + Multiuer Plugin.\nLaunching the default Password Screen."));
    EXPECT_EQ(callsAtLogin.mid(callsAtLogin.size() - 2), (QStringList{QStringLiteral("Connect 0"), QStringLiteral("DatabaseStartUp 0")}));
    EXPECT_EQ(SampleCalls().last(), QStringLiteral("StartUpComplete"));
    EXPECT_TRUE(SampleCalls("Events").contains(QStringLiteral("146 0x0001 0")));
    EXPECT_TRUE(SampleCalls("Events").contains(QStringLiteral("-2 0x0001 0")));
    EXPECT_TRUE(MenuTitles().contains(QStringLiteral("&Tools")));

    // The page follows the shortcut keys page; the sample's own page, added
    // when the start-up completed, comes after the program's.
    CDefaultSettingsSheet *sheet = app.MainFrame()->SettingsSheet();
    ASSERT_GE(sheet->PageCount(), 3);
    EXPECT_EQ(sheet->Page(sheet->PageCount() - 3)->DialogId(), 106);
    EXPECT_EQ(sheet->Page(sheet->PageCount() - 2)->DialogId(), 150);
    EXPECT_EQ(sheet->Page(sheet->PageCount() - 1)->windowTitle(), QStringLiteral("Sample Addin"));

    // The sample's report reaches the view through the object model.
    EXPECT_TRUE(app.MainFrame()->ExecuteCommand(2025));
    EXPECT_EQ(app.MainFrame()->ReportView()->GetGrid()->Model().GetItemText(0, 0),
              QStringLiteral("Sample Addin: incomes and expenses per unit"));
    app.MainFrame()->close();
    EXPECT_EQ(SampleCalls().last(), QStringLiteral("Disconnect 0"));
    app.ExitInstance();
}

TEST_F(AddinStartUp, ALoginAddinIsAskedInPasswordModeTwo)
{
    AddAddin(QStringLiteral(TWK_FIXTURE_ADDIN_DIR "/login/libtwkfixture_login.so"));
    Start();
    EXPECT_EQ(loginMessage, QStringLiteral("Invalid Plugin Credentials.\nLaunching the default Password Screen."));
    EXPECT_TRUE(app.Data().loggedIn);
    app.ExitInstance();
}

TEST_F(AddinStartUp, LoadAllAdinsZeroLoadsNothingAndHidesThePage)
{
    WriteProfileInt(QStringLiteral("Settings/Addin Manager"), QStringLiteral("LoadAllAdins"), 0);
    Start();
    EXPECT_FALSE(MenuTitles().contains(QStringLiteral("&Tools")));
    CDefaultSettingsSheet *sheet = app.MainFrame()->SettingsSheet();
    EXPECT_NE(sheet->Page(sheet->PageCount() - 1)->DialogId(), 150);
    app.ExitInstance();
}
