#pragma once

#include "data/login.h"
#include "data/tallywickdata.h"
#include "frame/acceleratormanager.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class CAddinManager;
class CAddinWindowEvents;
class CAutomationServer;
class CInstanceChecker;
class CMainFrame;
class CSplashDlg;

// The application object: owns the shared state of the run and brings the
// program up and down in a fixed order.
class CTallywickApp : public QObject
{
    Q_OBJECT
public:
    explicit CTallywickApp(QObject *parent = nullptr);
    ~CTallywickApp() override;

    // `appFolder` is the executable's folder; see ResolveProgramFolders for
    // where its files are read and written.
    // True when the main window is up; false ends the program.
    bool InitInstance(const QString &appFolder, const QStringList &arguments);
    int ExitInstance();
    // The program's exit status after InitInstance returned false: 0 when
    // start-up ended as it should (handed to the running instance, a server
    // switch), non-zero when it failed, so scripts and session managers see it.
    int StartUpExitCode() const { return m_startUpExitCode; }

    CTallywickData &Data() { return m_data; }
    CMainFrame *MainFrame() const { return m_frame.get(); }
    // The program's shortcut keys; written to the profile when the
    // application object goes.
    CAcceleratorManager &AccelManager() { return m_accelManager; }
    const QString &AppFolder() const { return m_data.appFolder; }

    // The login routine; sets and returns the logged-in flag.
    bool LoginUser();
    // The Restore Data command; true when the program switched files.
    bool RestoreDataFile();
    // The add-in manager's multi-user login; until add-ins can answer, no
    // add-in does and mode 2 falls back to the password dialog.
    void SetMultiUserLogin(MultiUserLoginHook hook) { m_multiUserLogin = std::move(hook); }
    // Answers whether the program may write a folder (tests: CI runs as root).
    void SetFolderWritable(std::function<bool(const QString &)> writable) { m_folderWritable = std::move(writable); }

    CAddinManager *Addins() const { return m_addins.get(); }

    // The object model's side in the program; on the session bus when there
    // is one.
    CAutomationServer &Automation() { return *m_automation; }
    // Started for automation, the main window comes up (with the login)
    // only when asked; otherwise the window is raised.
    void ShowMainWindow();

    // The texts the progress window showed, in order (for tests and diagnosis).
    const QStringList &ProgressLog() const { return m_progressLog; }

    static QString InstanceName() { return QStringLiteral("Tallywick + Instance checker App"); }

private:
    void ShowProgress();
    void SetProgressText(const QString &text);
    void HideProgress();
    void ActivateFromOtherStart(const QStringList &arguments);
    // Puts the Menu Shortcut Keys page on the Default Settings sheet.
    void AddShortcutKeysPage();
    // Tells the user start-up failed and ends it with a failure status.
    bool FailStartUp();
    // Start-up from the main window on; the part a start for automation
    // leaves until asked.
    bool StartMainWindow();
    // "RegServer" / "UnregServer": the bus activation files.
    bool RegisterServer(bool install);
    // Connects the add-ins and merges their menus, toolbars and keys into
    // the frame; they hear the frame's, the view's and every dialog's
    // window messages from then on.
    void StartAddins();
    // After the shortcut keys page, when an add-in was found.
    void AddAddinManagerPage();

    CTallywickData m_data;
    // The executable's folder; installed, the data folder is elsewhere.
    QString m_programFolder;
    std::unique_ptr<CMainFrame> m_frame;
    CAcceleratorManager m_accelManager;
    std::unique_ptr<CSplashDlg> m_progress;
    std::unique_ptr<CInstanceChecker> m_checker;
    QStringList m_progressLog;
    int m_startUpExitCode = 0;
    MultiUserLoginHook m_multiUserLogin;
    std::function<bool(const QString &)> m_folderWritable;
    // Before the add-ins go, and after the frame, the objects leave the bus.
    std::unique_ptr<CAutomationServer> m_automation;
    bool m_automationStart = false;
    std::unique_ptr<CAddinManager> m_addins;
    std::unique_ptr<CAddinWindowEvents> m_addinEvents;
};
