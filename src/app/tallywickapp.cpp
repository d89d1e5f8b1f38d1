#include "app/tallywickapp.h"

#include "addins/automationbus.h"
#include "addins/twkobjects.h"
#include "app/automationserver.h"
#include "app/commandline.h"
#include "app/instancechecker.h"
#include "app/splashdlg.h"
#include "addins/addinmanager.h"
#include "addins/addinmanagerpage.h"
#include "addins/addinwindowevents.h"
#include "addins/twkobjects.h"
#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "data/backup.h"
#include "data/compaction.h"
#include "data/conversion.h"
#include "data/programfolders.h"
#include "data/restore.h"
#include "frame/accelmappage.h"
#include "frame/addinmerge.h"
#include "frame/mainframe.h"
#include "frame/tipdlg.h"
#include "records/defaultsettingssheet.h"
#include "records/passworddlgs.h"
#include "reports/reminderreport.h"
#include "reports/tallywickview.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

CTallywickApp::CTallywickApp(QObject *parent)
    : QObject(parent)
{
}

CTallywickApp::~CTallywickApp()
{
    // The frame goes first: its windows' last messages still reach the add-ins.
    m_frame.reset();
}

void CTallywickApp::ShowProgress()
{
    if (!m_progress)
        m_progress = std::make_unique<CSplashDlg>(m_data.filesFolder.isEmpty() ? m_data.appFolder : m_data.filesFolder);
    m_progress->show();
    m_progress->raise();
    m_data.messageOwner = m_progress.get();
}

void CTallywickApp::SetProgressText(const QString &text)
{
    m_progressLog << text;
    if (m_progress)
        m_progress->SetText(text);
}

void CTallywickApp::HideProgress()
{
    if (m_progress)
        m_progress->hide();
    m_data.messageOwner = nullptr;
}

bool CTallywickApp::InitInstance(const QString &appFolder, const QStringList &arguments)
{
    // Every relative file name of the program resolves against the folder
    // it writes to: its own, or the user's data folder when installed.
    m_programFolder = appFolder;
    const ProgramFolders folders = ResolveProgramFolders(appFolder, m_folderWritable);
    QDir::setCurrent(folders.data);
    m_data.SetAppFolder(folders.data);
    if (folders.files != folders.data)
        m_data.filesFolder = folders.files;

    m_checker = std::make_unique<CInstanceChecker>(InstanceName());
    m_checker->ActivateChecker();
    if (m_checker->PreviousInstanceRunning()) {
        m_checker->ActivatePreviousInstance(arguments);
        m_checker.reset();
        return false;
    }

    switch (const ServerSwitch server = FindServerSwitch(arguments)) {
    case ServerSwitch::Register:
    case ServerSwitch::Unregister:
        m_startUpExitCode = RegisterServer(server == ServerSwitch::Register) ? 0 : 1;
        m_checker.reset();
        return false;
    case ServerSwitch::None:
        break;
    }
    m_automation = std::make_unique<CAutomationServer>(*this);
    m_automation->Export(QDBusConnection::sessionBus());
    m_automationStart = IsAutomationStart(arguments);

    m_data.LoadProfileSettings();

    ShowProgress();
    SetProgressText(QStringLiteral("Initializing"));
    SetProgressText(QStringLiteral("Checking database settings"));
    if (!m_data.LocateDatabase())
        return FailStartUp();
    m_data.BuildConnectionString();

    SetProgressText(QStringLiteral("Opening the Database"));
    if (!m_data.OpenDatabase())
        return FailStartUp();

    // Opened to work with: a file of the older format is converted now,
    // with the progress window showing how far.
    ConvertForChanges(
        m_data,
        [this](double done) { SetProgressText(LoadString(StringId::ConvertingDataFile).arg(qRound(done * 100))); },
        m_progress.get());

    SetProgressText(QStringLiteral("Applying Default Settings"));
    m_data.LoadStoredState(m_progress.get());

    // Started by the bus for automation: no login, no window until asked.
    if (m_automationStart) {
        HideProgress();
        m_progress.reset();
        m_checker->onActivate = [this](const QStringList &) { ShowMainWindow(); };
        m_checker->TrackFirstInstanceRunning();
        return true;
    }
    return StartMainWindow();
}

bool CTallywickApp::StartMainWindow()
{
    // Deletions that offer a backup first run the real one.
    m_data.backupData = [this](QObject *owner) {
        CWaitCursor wait;
        return BackupData(m_data, owner);
    };
    m_frame = std::make_unique<CMainFrame>(m_data);
    m_frame->SetCommandHandler(CommandId::Login, [this] { LoginUser(); });
    m_frame->SetCommandHandler(CommandId::BackupData, [this] { m_data.backupData(m_frame.get()); });
    m_frame->SetCommandHandler(CommandId::RestoreData, [this] { RestoreDataFile(); });
    m_frame->SetClosingDataTasks([this] {
        CWaitCursor wait;
        BackupOnClosing(m_data, m_frame->InPrintPreview(), m_frame.get());
    });
    m_frame->SetCommandHandler(CommandId::ChangePassword, [this] {
        CChangePasswordDlg dialog(m_data, m_frame.get());
        dialog.exec();
    });
    StartAddins();
    m_frame->RestoreToolbarState();

    SetProgressText(QStringLiteral("Initializing the Addin Database"));
    m_addins->RunDatabaseStartUp();
    m_frame->RebuildAccelTable();

    HideProgress();
    m_progress.reset();
    m_frame->showMaximized();
    m_frame->ShowIdleTexts();

    LoginUser();
    CTipDlg::RunAtStartUp(m_frame.get(), m_data.ProgramFile(CTipDlg::DefaultTipsFile()));

    // The commands that may carry keys; their stored keys load after the wizard.
    m_accelManager.SetWindow(m_frame.get(), true);
    RegisterMenuCommands(m_accelManager);
    RegisterAddinCommands(*m_addins, m_accelManager);

    // A first run, or a setup left without an address, goes through the
    // wizard; like the menu item it needs a login.
    if (m_data.firstRun || m_data.company.cAddress.isEmpty())
        m_frame->ExecuteCommand(CommandId::SetupWizard);

    // From here the shortcut table holds the registered keys and the user's own.
    if (!m_accelManager.FinishStartUp())
        TwkMessageBox(LoadString(StringId::LoadUserAcceleratorsFailed), QStringLiteral("Tallywick + "), MB_OK,
                      m_frame.get());
    AddShortcutKeysPage();

    m_data.firstRun = false;
    m_addins->StartUpComplete();

    // Expired reminders go on every start; the due ones show after a login.
    RunStartupReminders(*m_frame->ReportView(), m_data);

    m_checker->onActivate = [this](const QStringList &args) { ActivateFromOtherStart(args); };
    m_checker->TrackFirstInstanceRunning();
    return true;
}

void CTallywickApp::StartAddins()
{
    m_addins = std::make_unique<CAddinManager>();
    m_addinEvents = std::make_unique<CAddinWindowEvents>(*m_addins);
    m_addinEvents->SetFrame(m_frame.get());
    m_addinEvents->SetView(m_frame->View());
    qApp->installEventFilter(m_addinEvents.get());
    connect(m_frame.get(), &CMainFrame::commandExecuted, m_addinEvents.get(), &CAddinWindowEvents::FrameCommand);

    m_automation->registerAddin = [this](int index, const QString &description, int toolbarBitmapId) {
        return m_addins->RegisterAddin(index, description, toolbarBitmapId);
    };
    m_addins->Load(CAddinManager::DefaultFolders(m_programFolder), m_automation->Model().App());
    MergeAddins(*m_addins, *m_frame);
    m_frame->SetUnloadAddins([this] { m_addins->Unload(); });
    if (!m_multiUserLogin)
        m_multiUserLogin = [this] { return m_addins->MultiUserLogin(); };
    m_data.oldDataDeleted = [this](const QString &day) { m_addins->OldDataDeleted(day); };
}

void CTallywickApp::AddShortcutKeysPage()
{
    // The page edits a copy; OK or Apply on the sheet makes it the program's keys.
    if (CDefaultSettingsSheet *sheet = m_frame->SettingsSheet())
        sheet->AddPage(new CAccelMapPage(&m_accelManager, m_data, true));
    AddAddinManagerPage();
}

void CTallywickApp::AddAddinManagerPage()
{
    CDefaultSettingsSheet *sheet = m_frame->SettingsSheet();
    if (sheet && m_addins->AnyFound())
        sheet->AddPage(new CAddinManagerPage(*m_addins));
}

bool CTallywickApp::FailStartUp()
{
    TwkMessageBox(LoadString(StringId::OpenApplicationFailed), QStringLiteral("TallywickPlus"), MB_OK | MB_ICONERROR,
                  m_progress.get());
    HideProgress();
    m_checker.reset();
    m_startUpExitCode = 1;
    return false;
}

bool CTallywickApp::LoginUser()
{
    ::LoginUser(m_data, m_multiUserLogin, m_frame.get());
    if (m_frame)
        m_frame->UpdateCommandStates();
    return m_data.loggedIn;
}

bool CTallywickApp::RestoreDataFile()
{
    CWaitCursor wait;
    RestoreHooks hooks;
    hooks.status = [this](const QString &text) {
        if (m_frame)
            m_frame->SetStatusPane(0, CMainFrame::kIdleTextColour, text);
    };
    hooks.login = [this] { return LoginUser(); };
    const bool switched = RestoreData(m_data, hooks, m_frame.get());
    if (!switched)
        return false;
    // The grid's report came from the file left behind.
    if (m_frame)
        m_frame->ReportView()->OnClearScreen();
    if (m_data.logoChanged)
        m_data.logoChanged();
    return true;
}

void CTallywickApp::ShowMainWindow()
{
    if (!m_frame && m_automationStart) {
        m_automationStart = false;
        StartMainWindow();
        return;
    }
    ActivateFromOtherStart({});
}

bool CTallywickApp::RegisterServer(bool install)
{
    const bool done = install ? InstallActivationFiles(QApplication::applicationFilePath()) : RemoveActivationFiles();
    if (!done)
        std::fprintf(stderr, "tallywick: cannot %s the D-Bus activation files in %s\n", install ? "write" : "remove",
                     qPrintable(DBusServicesFolder()));
    return done;
}

void CTallywickApp::ActivateFromOtherStart(const QStringList &)
{
    if (!m_frame)
        return;
    QWidget *target = QApplication::activeModalWidget();
    if (m_frame->isMinimized())
        m_frame->showMaximized();
    m_frame->raise();
    m_frame->activateWindow();
    if (target) {
        target->raise();
        target->activateWindow();
    }
}

int CTallywickApp::ExitInstance()
{
    if (m_automation)
        m_automation->Withdraw();
    ShowProgress();
    SetProgressText(QStringLiteral("Closing the Database"));
    RunReported([this] {
        if (m_data.connection.IsOpen())
            m_data.connection.Close();
    });
    if (m_data.settings.iAutoCompactDb) {
        SetProgressText(QStringLiteral("Compacting the database"));
        CompactDatabase(m_data, m_progress.get());
        SetProgressText(QStringLiteral("Database compacted"));
        RunReported([this] { m_data.connection.Close(); });
    }
    HideProgress();
    m_progress.reset();
    m_checker.reset();
    return 0;
}
