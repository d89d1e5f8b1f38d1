#pragma once

#include "frame/acceltable.h"
#include "frame/commandtable.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class CColorStatusBar;
class CDefaultSettingsSheet;
class CHelpViewer;
class CTallywickData;
class CTallywickView;
class QShortcut;
class QToolBar;

// The single top-level window: menu bar, main toolbar, status bar with the
// clock, the report view, and the command table every menu item, button and
// shortcut key ends in.
//
// Wiring: SetCommandHandler(id, fn) binds a command; until bound, a command
// tells the user it is not available yet. The application calls, after
// creating the frame: RestoreToolbarState(), RebuildAccelTable(), shows it,
// then ShowIdleTexts() once the window is up, and UpdateCommandStates()
// after anything it does changes the login state.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Toolbar-visibility values as stored in the profile: the raw visible
    // style bit.
    static constexpr int kToolbarVisible = 0x10000000;
    static constexpr unsigned kIdleTextColour = 0x00960000; // blue 150

    struct AddinToolbar {
        unsigned toggleId = 0;
        QToolBar *toolbar = nullptr;
    };

    explicit CMainFrame(CTallywickData &data, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Commands.
    bool SetCommandHandler(unsigned id, std::function<void()> handler);
    // Runs a command the way a menu item does: only when enabled; an unbound
    // command shows the "not available yet" message. True when a handler ran.
    bool ExecuteCommand(unsigned id);
    bool IsCommandEnabled(unsigned id) const;
    CommandState CurrentState() const;
    // Applies the enabling rules and check marks to every action; the
    // toolbar shows the result at once.
    void UpdateCommandStates();
    const CCommandTable &Commands() const { return m_commands; }
    // The action of a command as the menus and the toolbar hold it.
    QAction *CommandAction(unsigned id) const { return m_actions.value(id); }

    // Start-up and closing.
    void RestoreToolbarState();
    void SaveToolbarState();
    // Status texts of the first idle pass: the hot keys and the help key.
    void ShowIdleTexts();
    // Runs on every menu-bar initialisation (whenever a menu opens); puts
    // "Ti&p of the Day" at the top of the Help menu once.
    void InitMenuBar();

    // Shortcut keys.
    const CAccelTable &AccelTable() const { return m_accelTable; }
    // Entries for a reserved key are kept but not installed, so that help
    // and the menus still answer their keys.
    void SetAccelTable(const CAccelTable &table);
    // The keys the window answers itself: F1 and each menu's Alt+letter.
    QList<CReservedKey> ReservedKeys() const;
    CAccelTable &AddinAccelList() { return m_addinAccels; }
    // Appends the add-in keys to the current table; nothing when there are none.
    void RebuildAccelTable();

    // Status bar.
    CColorStatusBar *ColorStatusBar() const { return m_statusBar; }
    // For the automation model: false for a pane index of 4 or more.
    bool SetStatusPane(int index, unsigned colour, const QString &text);

    QToolBar *MainToolBar() const { return m_toolBar; }
    QWidget *View() const { return m_view; }
    CTallywickView *ReportView() const { return m_reportView; }
    QMenu *HelpMenu() const { return m_helpMenu; }
    // The Default Settings sheet, made with the window and kept; start-up
    // adds its further pages.
    CDefaultSettingsSheet *SettingsSheet() const { return m_settingsSheet; }

    // Print preview: `endPreview` ends it when the user closes the window
    // meanwhile.
    void EnterPrintPreview(std::function<void()> endPreview);
    void LeavePrintPreview();
    bool InPrintPreview() const { return m_printPreview; }

    // Add-ins.
    QList<AddinToolbar> &AddinToolbars() { return m_addinToolbars; }
    // The frame takes the toolbar, docks it at the top and keeps it.
    void AddAddinToolbar(QToolBar *toolbar);
    // Replaces "&Toolbar" in the View menu by a "&Toolbars" popup naming the
    // main toolbar and each add-in toolbar; ids for the add-in entries come
    // from `nextToggleId`. Nothing when there are no add-in toolbars.
    void RebuildViewMenu(const std::function<unsigned()> &nextToggleId);
    void SetAddinCommandRouting(std::function<void(unsigned)> invoke, std::function<bool(unsigned)> enabled);
    void SetUnloadAddins(std::function<void()> unload) { m_unloadAddins = std::move(unload); }
    // The closing data tasks (automatic backup).
    void SetClosingDataTasks(std::function<void()> tasks) { m_closingDataTasks = std::move(tasks); }

    void ShowAboutBox();

    // Help: a topic such as "TallywickPlus.chm::/SetupMenu.htm" opens that
    // page of the "help" folder beside the program, "TallywickPlus.chm" the
    // start page. A topic without its page tells the user so.
    void ShowHelp(const QString &topic);
    CHelpViewer *HelpViewer() const;

signals:
    // A command ran (for the add-ins' window events).
    void commandExecuted(unsigned id);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *CreateView();
    void CreateActions();
    void CreateToolBar();
    // The Login button stands on the toolbar only in the password modes
    // that ask for a login.
    void SyncLoginButton();
    void CreateStatusBar();
    void CreateMenuBar();
    void BindFrameCommands();
    void UpdateAction(QAction *action, const CommandState &state);
    void OnAccelerator(const CAccelEntry &entry);
    QString NotAvailableText(unsigned id) const;
    void NotAvailable(unsigned id);
    void UpdateClock();
    void ToggleBar(QWidget *bar);

    CTallywickData &m_data;
    CCommandTable m_commands;
    QHash<unsigned, QAction *> m_actions;
    CAccelTable m_accelTable;
    CAccelTable m_addinAccels;
    QList<QShortcut *> m_shortcuts;
    CColorStatusBar *m_statusBar = nullptr;
    QToolBar *m_toolBar = nullptr;
    // Where the Login button goes back in, and the size of every button.
    QPointer<QAction> m_afterLoginButton;
    QSize m_buttonSize;
    QWidget *m_view = nullptr;
    CTallywickView *m_reportView = nullptr;
    CDefaultSettingsSheet *m_settingsSheet = nullptr;
    QPointer<QMenu> m_helpMenu;
    QPointer<CHelpViewer> m_helpViewer;
    bool m_printPreview = false;
    // Whether the database holds an import to undo; asked again after each
    // command (an import, an undo, a restore switching the file).
    mutable std::optional<bool> m_importToUndo;
    std::function<void()> m_endPreview;
    QList<AddinToolbar> m_addinToolbars;
    std::function<void(unsigned)> m_invokeAddinCommand;
    std::function<bool(unsigned)> m_addinCommandEnabled;
    std::function<void()> m_unloadAddins;
    std::function<void()> m_closingDataTasks;
    QTimer m_clock;
};
