#include "frame/mainframe.h"

#include "base/clock.h"
#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/gridctrl.h"
#include "data/profile.h"
#include "data/tallywickdata.h"
#include "frame/aboutdlg.h"
#include "frame/colorstatusbar.h"
#include "frame/commandicons.h"
#include "frame/helpfiles.h"
#include "frame/helpviewer.h"
#include "frame/menulayout.h"
#include "data/sqltext.h"
#include "frame/tipdlg.h"
#include "records/defaultsettingssheet.h"
#include "records/importrulesdlg.h"
#include "records/importwizard.h"
#include "records/recordcommands.h"
#include "records/recordui.h"
#include "records/reminderdlgs.h"
#include "reports/customreportdlg.h"
#include "reports/reminderreport.h"
#include "reports/reportcommands.h"
#include "reports/reportexport.h"
#include "reports/tallywickview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

namespace {

const QString kToolbarSection = QStringLiteral("ToolbarSettings");
const QString kMainToolbarEntry = QStringLiteral("Main Toolbar");

unsigned CommandOf(const QAction *action)
{
    return action ? action->data().toUInt() : 0;
}

// Every action under a menu, submenus included.
void CollectActions(const QMenu *menu, QList<QAction *> &out)
{
    for (QAction *a : menu->actions()) {
        if (a->menu())
            CollectActions(a->menu(), out);
        else if (!a->isSeparator())
            out << a;
    }
}

// Dialogs of this window block it and each other, not the help window:
// help stays usable beside a modal dialog without being kept above it.
class CWindowModalDialogs : public QObject
{
public:
    explicit CWindowModalDialogs(QWidget *frame)
        : QObject(frame)
        , m_frame(frame)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The show event comes before the window is put on screen, so the
        // new modality is the one it is shown with.
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow() && widget->windowModality() == Qt::ApplicationModal && OwnedByFrame(widget)
                && widget->windowHandle()) {
                widget->setWindowModality(Qt::WindowModal);
                widget->windowHandle()->setModality(Qt::WindowModal);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Through dialogs over dialogs, up to this window.
    bool OwnedByFrame(const QWidget *widget) const
    {
        for (const QWidget *w = widget->parentWidget(); w; w = w->parentWidget()) {
            if (w == m_frame)
                return true;
        }
        return false;
    }

    QWidget *m_frame;
};

} // namespace

CMainFrame::CMainFrame(CTallywickData &data, QWidget *parent)
    : QMainWindow(parent)
    , m_data(data)
{
    // The first field of the document string; no document name is ever added.
    setWindowTitle(LoadString(StringId::DocumentTitle).section(u'\n', 0, 0));
    setWindowIcon(CommandIcon(CommandId::AddIncome));

    m_view = CreateView();
    setCentralWidget(m_view);
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    CreateMenuBar();
    BindFrameCommands();
    SetAccelTable(DefaultAccelTable());

    new CWindowModalDialogs(this);

    // F1 is the platform's help request, not an entry of the shortcut table.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { ExecuteCommand(CommandId::HelpTopics); });

    // The clock ticks on the second, whatever else happens.
    m_clock.setSingleShot(true);
    connect(&m_clock, &QTimer::timeout, this, &CMainFrame::UpdateClock);
    UpdateClock();

    resize(1024, 700);
}

CMainFrame::~CMainFrame()
{
    // The help window has no owner, so that no dialog keeps it under.
    delete m_helpViewer;
}

// The one place the report view is made; everything else reaches it
// through View() and ReportView().
QWidget *CMainFrame::CreateView()
{
    m_reportView = new CTallywickView(m_data, this);
    m_reportView->setObjectName(QStringLiteral("view"));
    return m_reportView;
}

void CMainFrame::CreateActions()
{
    QHash<unsigned, QString> menuText;
    for (const CMenuDef &menu : MenuBarLayout()) {
        for (const CMenuItemDef &item : menu.items) {
            if (item.id != 0)
                menuText.insert(item.id, item.text);
        }
    }
    menuText.insert(CommandId::TipOfTheDay, LoadString(StringId::TipOfTheDayMenu));

    for (auto it = menuText.cbegin(); it != menuText.cend(); ++it) {
        const unsigned id = it.key();
        auto *action = new QAction(it.value(), this);
        action->setData(id);
        action->setObjectName(QString::number(id));
        action->setIcon(CommandIcon(id));
        action->setStatusTip(CommandPrompt(id));
        const QString tip = CommandTooltip(id);
        if (!tip.isEmpty())
            action->setToolTip(tip);
        if (id == CommandId::ViewToolbar || id == CommandId::ViewStatusBar)
            action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        m_actions.insert(id, action);
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(kMainToolbarEntry, this);
    m_toolBar->setObjectName(QString::number(CommandId::ViewToolbar));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(24, 24));
    // Built with the Login button; SyncLoginButton takes it out where the
    // password mode asks for no login.
    bool afterLogin = false;
    for (const CToolbarButtonDef &button : MainToolbarLayout(0)) {
        QAction *action = button.id == 0 ? m_toolBar->addSeparator() : m_actions.value(button.id);
        if (afterLogin) {
            m_afterLoginButton = action;
            afterLogin = false;
        }
        if (button.id == 0)
            continue;
        action->setIconText(button.text);
        m_toolBar->addAction(action);
        afterLogin = button.id == CommandId::Login;
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    // Every button the size of the largest, so the row reads as one set.
    QList<QWidget *> buttons;
    for (QAction *action : m_toolBar->actions()) {
        if (QWidget *w = m_toolBar->widgetForAction(action); w && !action->isSeparator()) {
            buttons << w;
            m_buttonSize = m_buttonSize.expandedTo(w->sizeHint());
        }
    }
    for (QWidget *w : buttons)
        w->setFixedSize(m_buttonSize);
    SyncLoginButton();
}

void CMainFrame::SyncLoginButton()
{
    if (!m_toolBar)
        return;
    QAction *login = m_actions.value(CommandId::Login);
    const bool wanted = ToolbarHasLogin(m_data.settings.iByPassPasswordScreen);
    if (wanted == m_toolBar->actions().contains(login))
        return;
    if (!wanted) {
        m_toolBar->removeAction(login);
        return;
    }
    m_toolBar->insertAction(m_afterLoginButton, login);
    if (QWidget *button = m_toolBar->widgetForAction(login))
        button->setFixedSize(m_buttonSize);
}

void CMainFrame::CreateStatusBar()
{
    m_statusBar = new CColorStatusBar(this);
    m_statusBar->setObjectName(QString::number(CommandId::ViewStatusBar));
    setStatusBar(m_statusBar);
    m_statusBar->SetPaneCount(4);
    m_statusBar->SetPaneWidth(0, 120);
    // The message pane takes the room; the others fit their texts, the
    // clock its longest day and month names.
    m_statusBar->SetPaneWidth(1, 40, false);
    m_statusBar->SetPaneWidth(2, m_statusBar->TextWidth(QStringLiteral("Help (F1)")) + 16, false);
    m_statusBar->SetPaneWidth(3, m_statusBar->TextWidth(QStringLiteral("Wednesday September 28 2026, 00:00:00")) + 4, false);
    m_statusBar->SetPrompt(QString());
}

void CMainFrame::CreateMenuBar()
{
    for (const CMenuDef &def : MenuBarLayout()) {
        QMenu *menu = menuBar()->addMenu(def.title);
        for (const CMenuItemDef &item : def.items) {
            if (item.id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions.value(item.id));
        }
        connect(menu, &QMenu::aboutToShow, this, [this] {
            InitMenuBar();
            UpdateCommandStates();
        });
    }
}

void CMainFrame::BindFrameCommands()
{
    using namespace CommandId;
    m_commands.SetHandler(Exit, [this] { close(); });
    m_commands.SetHandler(ViewToolbar, [this] { ToggleBar(m_toolBar); });
    m_commands.SetHandler(ViewStatusBar, [this] { ToggleBar(m_statusBar); });
    m_commands.SetHandler(About, [this] { ShowAboutBox(); });
    m_commands.SetHandler(TipOfTheDay, [this] {
        CTipDlg dlg(this, m_data.ProgramFile(CTipDlg::DefaultTipsFile()));
        dlg.exec();
    });
    m_commands.SetHandler(HelpTopics, [this] { ShowHelp(LoadString(StringId::HelpFile)); });
    m_data.showHelp = [this](const QString &topic) { ShowHelp(topic); };
    // The tutorials are the help's own Getting Started.
    m_commands.SetHandler(VideoTutorials, [this] { ShowHelp(LoadString(StringId::HelpGettingStarted)); });
    m_commands.SetHandler(NextPane, [this] { focusNextChild(); });
    m_commands.SetHandler(PrevPane, [this] { focusPreviousChild(); });

    // The record dialogs, each modal on the main window.
    for (const unsigned id : {UserInformation, AddDeleteCategory, AddIncome, AddExpense, EditIncome, EditExpense,
                              CurrencySettings, PaymentReminder})
        m_commands.SetHandler(id, [this, id] { RunRecordCommand(m_data, id, this); });
    // A report of rows now deleted must not stay to be printed or exported.
    m_commands.SetHandler(DeleteOldData, [this] {
        if (RunDeleteOldData(m_data, this))
            m_reportView->OnClearScreen();
    });
    // The shared data outlives this window: its hooks must not reach a
    // window that is gone, nor keep a later one from being reached.
    m_data.logoChanged = [view = QPointer<CTallywickView>(m_reportView)] {
        if (view)
            view->ReloadLogo();
    };
    m_data.backgroundColourChanged = [view = QPointer<CTallywickView>(m_reportView), &data = m_data] {
        if (view)
            view->SetBackgroundColour(data.settings.backgroundColour);
    };

    // The figures a report shows no longer hold after an import or its undo.
    m_commands.SetHandler(ImportStatement, [this] {
        if (RunImportWizard(m_data, this))
            m_reportView->OnClearScreen();
    });
    m_commands.SetHandler(UndoLastImport, [this] {
        if (RunUndoLastImport(m_data, this))
            m_reportView->OnClearScreen();
    });
    m_commands.SetHandler(ImportRules, [this] { RunImportRules(m_data, this); });

    m_settingsSheet = new CDefaultSettingsSheet(m_data, this);
    m_commands.SetHandler(DefaultSettings, [this] { m_settingsSheet->exec(); });
    m_commands.SetHandler(SetupWizard, [this] { RunSetupWizard(m_data, this); });
    // Entry without units or categories offers the wizard instead.
    m_data.runSetupWizard = [frame = QPointer<CMainFrame>(this)](QObject *) {
        if (frame)
            frame->ExecuteCommand(CommandId::SetupWizard);
    };

    // Commands the report view answers.
    for (const unsigned id : {DailyReport, MonthlyReport, SpecifiedPeriodReport, AdvancedReport, ListAllIncomes,
                              ListAllExpenses, Charts})
        m_commands.SetHandler(id, [this, id] { RunReportCommand(m_data, *m_reportView, id, this); });
    m_commands.SetHandler(ClearScreen, [this] { m_reportView->OnClearScreen(); });
    m_commands.SetHandler(DisplayPaymentReminders, [this] {
        CDisplayRemindersDlg dialog(m_data, this);
        if (dialog.exec() == QDialog::Accepted)
            ShowReminders(*m_reportView, m_data, kReminderRangeQuery,
                          {DateText(dialog.From()), DateText(dialog.To()), dialog.FromText(), dialog.ToText()}, false);
    });
    m_commands.SetHandler(ExportReport, [this] {
        m_reportView->OnFileExport();
    });
    m_commands.SetHandler(CustomReport, [this] {
        m_reportView->OnInitialUpdate();
        m_reportView->CloseChart();
        RunCustomReport(m_data, m_reportView->GetGrid(), this);
    });
    m_commands.SetHandler(Print, [this] { m_reportView->OnFilePrint(); });
    m_commands.SetHandler(PrintDirect, [this] { m_reportView->OnFilePrintDirect(); });
    m_commands.SetHandler(PrintSetup, [this] { m_reportView->OnFilePrintSetup(); });
    m_commands.SetHandler(PrintPreview, [this] {
        EnterPrintPreview([] {
            if (auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget()))
                preview->reject();
        });
        m_reportView->OnFilePrintPreview();
        LeavePrintPreview();
    });
}

bool CMainFrame::SetCommandHandler(unsigned id, std::function<void()> handler)
{
    return m_commands.SetHandler(id, std::move(handler));
}

CommandState CMainFrame::CurrentState() const
{
    // Asked of the database once, not on every idle pass.
    if (m_data.loggedIn && !m_importToUndo)
        m_importToUndo = HasImportToUndo(m_data);
    return CommandState{m_data.loggedIn, m_data.settings.iByPassPasswordScreen, m_printPreview,
                        m_data.loggedIn && m_importToUndo.value_or(false)};
}

bool CMainFrame::IsCommandEnabled(unsigned id) const
{
    if (CommandId::IsAddinToolbarToggle(id))
        return true;
    if (CommandId::IsAddinCommand(id))
        return m_addinCommandEnabled && m_addinCommandEnabled(id);
    return m_commands.IsEnabled(id, CurrentState());
}

bool CMainFrame::ExecuteCommand(unsigned id)
{
    bool ran = false;
    if (CommandId::IsAddinToolbarToggle(id)) {
        // An id that names no add-in toolbar does nothing.
        for (const AddinToolbar &entry : std::as_const(m_addinToolbars)) {
            if (entry.toggleId == id && entry.toolbar) {
                ToggleBar(entry.toolbar);
                ran = true;
                break;
            }
        }
    } else if (CommandId::IsAddinCommand(id)) {
        if (m_invokeAddinCommand && IsCommandEnabled(id)) {
            m_invokeAddinCommand(id);
            ran = true;
        }
    } else {
        switch (m_commands.Execute(id, CurrentState())) {
        case CommandResult::Done:
            ran = true;
            break;
        case CommandResult::Unbound:
            NotAvailable(id);
            break;
        case CommandResult::Unknown:
        case CommandResult::Disabled:
            break;
        }
    }
    // Commands are where login state, password mode and the database change.
    m_importToUndo.reset();
    UpdateCommandStates();
    if (ran)
        emit commandExecuted(id);
    return ran;
}

QString CMainFrame::NotAvailableText(unsigned id) const
{
    const CCommand *command = m_commands.Find(id);
    return QStringLiteral("%1 is not available yet.").arg(command ? command->name : QString::number(id));
}

void CMainFrame::NotAvailable(unsigned id)
{
    TwkMessageBox(NotAvailableText(id), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, this);
}

void CMainFrame::UpdateAction(QAction *action, const CommandState &state)
{
    using namespace CommandId;
    const unsigned id = CommandOf(action);
    if (id == 0)
        return;
    if (IsAddinToolbarToggle(id)) {
        bool visible = false;
        for (const AddinToolbar &entry : std::as_const(m_addinToolbars)) {
            if (entry.toggleId == id && entry.toolbar)
                visible = !entry.toolbar->isHidden();
        }
        action->setEnabled(true);
        action->setChecked(visible);
        return;
    }
    if (IsAddinCommand(id)) {
        action->setEnabled(m_addinCommandEnabled && m_addinCommandEnabled(id));
        return;
    }
    action->setEnabled(m_commands.IsEnabled(id, state));
    if (id == ViewToolbar)
        action->setChecked(!m_toolBar->isHidden());
    else if (id == ViewStatusBar)
        action->setChecked(!m_statusBar->isHidden());
}

void CMainFrame::UpdateCommandStates()
{
    // The password mode changes with the settings and with a restored file.
    SyncLoginButton();
    const CommandState state = CurrentState();
    for (QAction *action : std::as_const(m_actions))
        UpdateAction(action, state);
    // Entries added at run time (the "&Toolbars" popup, add-in items).
    QList<QAction *> menuActions;
    for (QAction *top : menuBar()->actions()) {
        if (top->menu())
            CollectActions(top->menu(), menuActions);
    }
    for (QAction *action : std::as_const(menuActions)) {
        if (!m_actions.contains(CommandOf(action)) || m_actions.value(CommandOf(action)) != action)
            UpdateAction(action, state);
    }
}

void CMainFrame::ToggleBar(QWidget *bar)
{
    bar->setVisible(bar->isHidden());
}

void CMainFrame::InitMenuBar()
{
    const QString helpTitle = LoadString(StringId::HelpMenu);
    bool found = false;
    for (QAction *top : menuBar()->actions()) {
        if (top->menu() && top->text() == helpTitle) {
            m_helpMenu = top->menu();
            found = true;
        }
    }
    QAction *tip = m_actions.value(CommandId::TipOfTheDay);
    if (found) {
        const QList<QAction *> items = m_helpMenu->actions();
        if (items.isEmpty() || items.first()->text() != tip->text()) {
            QAction *separator = new QAction(m_helpMenu);
            separator->setSeparator(true);
            m_helpMenu->insertAction(items.value(0), separator);
            m_helpMenu->insertAction(separator, tip);
        }
        return;
    }
    if (!m_helpMenu) {
        m_helpMenu = new QMenu(helpTitle, this);
        m_helpMenu->addAction(tip);
        menuBar()->addMenu(m_helpMenu);
        connect(m_helpMenu, &QMenu::aboutToShow, this, [this] {
            InitMenuBar();
            UpdateCommandStates();
        });
        menuBar()->update();
    }
}

void CMainFrame::ShowIdleTexts()
{
    m_statusBar->SetPane(0, QStringLiteral("Hot Keys: Add Income (I), Add Expense (E)"), kIdleTextColour);
    m_statusBar->SetPane(2, QStringLiteral("Help (F1)"), kIdleTextColour);
    UpdateClock();
}

void CMainFrame::UpdateClock()
{
    const QDateTime now = Now();
    m_statusBar->SetPane(3, ClockText(now), kIdleTextColour);
    // The toolbar follows state changes made outside any command too.
    UpdateCommandStates();
    m_clock.start(qMax(1, 1000 - now.time().msec()));
}

bool CMainFrame::SetStatusPane(int index, unsigned colour, const QString &text)
{
    return m_statusBar->SetPane(index, text, colour);
}

QList<CReservedKey> CMainFrame::ReservedKeys() const
{
    QList<CReservedKey> keys{{CVirtualKey{FVIRTKEY, VirtualKey::F1}, QStringLiteral("Help Topics")}};
    for (QAction *top : menuBar()->actions()) {
        if (!top->menu())
            continue;
        if (const auto key = MenuMnemonicKey(top->text())) {
            QString title = top->text();
            title.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
            keys << CReservedKey{*key, QStringLiteral("the %1 menu").arg(title)};
        }
    }
    return keys;
}

void CMainFrame::SetAccelTable(const CAccelTable &table)
{
    m_accelTable = table;
    qDeleteAll(m_shortcuts);
    m_shortcuts.clear();
    QList<QKeySequence> taken;
    // A second shortcut on one of these keys would make Qt run neither.
    for (const CReservedKey &reserved : ReservedKeys()) {
        if (const auto key = QtKeyFromAccel(reserved.key.fVirt, reserved.key.key))
            taken << QKeySequence(*key);
    }
    for (const CAccelEntry &entry : table) {
        const auto key = QtKeyFromAccel(entry.fVirt, entry.key);
        if (!key)
            continue;
        const QKeySequence sequence(*key);
        // The first entry for a key wins, as in a shortcut table lookup.
        if (taken.contains(sequence))
            continue;
        taken << sequence;
        auto *shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, entry] { OnAccelerator(entry); });
        m_shortcuts << shortcut;
    }
}

void CMainFrame::RebuildAccelTable()
{
    if (m_addinAccels.isEmpty())
        return;
    SetAccelTable(MergeAccelTables(m_accelTable, m_addinAccels));
}

void CMainFrame::OnAccelerator(const CAccelEntry &entry)
{
    if (AccelBlockedByFocus(entry, QApplication::focusWidget()))
        return;
    ExecuteCommand(entry.cmd);
}

void CMainFrame::RestoreToolbarState()
{
    m_toolBar->setVisible(GetProfileInt(kToolbarSection, kMainToolbarEntry, 1) != 0);
    for (const AddinToolbar &entry : std::as_const(m_addinToolbars)) {
        if (entry.toolbar)
            entry.toolbar->setVisible(GetProfileInt(kToolbarSection, entry.toolbar->windowTitle(), 1) != 0);
    }
    UpdateCommandStates();
}

void CMainFrame::SaveToolbarState()
{
    WriteProfileInt(kToolbarSection, kMainToolbarEntry, m_toolBar->isHidden() ? 0 : kToolbarVisible);
    for (const AddinToolbar &entry : std::as_const(m_addinToolbars)) {
        if (entry.toolbar)
            WriteProfileInt(kToolbarSection, entry.toolbar->windowTitle(), entry.toolbar->isHidden() ? 0 : kToolbarVisible);
    }
}

void CMainFrame::EnterPrintPreview(std::function<void()> endPreview)
{
    m_printPreview = true;
    m_endPreview = std::move(endPreview);
    UpdateCommandStates();
}

void CMainFrame::LeavePrintPreview()
{
    m_printPreview = false;
    m_endPreview = nullptr;
    UpdateCommandStates();
}

void CMainFrame::AddAddinToolbar(QToolBar *toolbar)
{
    addToolBar(Qt::TopToolBarArea, toolbar);
    // Shown like the main toolbar until the stored state says otherwise.
    toolbar->show();
    m_addinToolbars.append({0, toolbar});
}

void CMainFrame::RebuildViewMenu(const std::function<unsigned()> &nextToggleId)
{
    if (m_addinToolbars.isEmpty())
        return;
    QMenu *view = nullptr;
    for (QAction *top : menuBar()->actions()) {
        if (top->menu() && top->text() == LoadString(StringId::ViewMenu))
            view = top->menu();
    }
    if (!view)
        return;
    view->removeAction(m_actions.value(CommandId::ViewToolbar));

    auto *toolbars = new QMenu(LoadString(StringId::ToolbarsMenu), view);
    auto addToggle = [this, toolbars](const QString &text, unsigned id) {
        QAction *a = toolbars->addAction(text);
        a->setData(id);
        a->setObjectName(QString::number(id));
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        return a;
    };
    addToggle(LoadString(StringId::MainToolbarMenu), CommandId::ViewToolbar)->setStatusTip(CommandPrompt(CommandId::ViewToolbar));
    toolbars->addSeparator();
    for (AddinToolbar &entry : m_addinToolbars) {
        entry.toggleId = nextToggleId();
        addToggle(entry.toolbar->windowTitle(), entry.toggleId);
    }
    view->insertMenu(view->actions().value(0), toolbars);
    menuBar()->update();
    UpdateCommandStates();
}

void CMainFrame::SetAddinCommandRouting(std::function<void(unsigned)> invoke, std::function<bool(unsigned)> enabled)
{
    m_invokeAddinCommand = std::move(invoke);
    m_addinCommandEnabled = std::move(enabled);
}

void CMainFrame::ShowAboutBox()
{
    CAboutDlg dlg(this);
    connect(&dlg, &CAboutDlg::linkOpened, this, [this](const QString &topic) { ShowHelp(topic); });
    AddHelpKey(&dlg, m_data, StringId::HelpHelpMenu);
    dlg.exec();
}

CHelpViewer *CMainFrame::HelpViewer() const
{
    return m_helpViewer;
}

void CMainFrame::ShowHelp(const QString &topic)
{
    // The installed help pages, else those beside the program.
    const QString base = !m_data.filesFolder.isEmpty() ? m_data.filesFolder
                         : !m_data.appFolder.isEmpty() ? m_data.appFolder
                                                       : QDir::currentPath();
    const QString folder = QDir(base).filePath(QStringLiteral("help"));
    const QString page = HelpPageForTopic(folder, topic);
    if (page.isEmpty()) {
        const qsizetype separator = topic.indexOf(QStringLiteral("::/"));
        const QString name = separator < 0 ? HelpStartPage() : topic.mid(separator + 3);
        TwkMessageBox(LoadString(StringId::OpenHelpPageFailed).arg(name, QDir::toNativeSeparators(folder)),
                      QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this);
        return;
    }
    if (!m_helpViewer)
        m_helpViewer = new CHelpViewer(folder);
    m_helpViewer->ShowPage(page);
    m_helpViewer->show();
    m_helpViewer->raise();
    m_helpViewer->activateWindow();
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    SaveToolbarState();
    if (m_closingDataTasks)
        m_closingDataTasks();
    if (m_printPreview) {
        // Closing only ends the preview; the add-ins stay loaded.
        const std::function<void()> end = m_endPreview;
        LeavePrintPreview();
        if (end)
            end();
        event->ignore();
        return;
    }
    if (m_unloadAddins)
        m_unloadAddins();
    event->accept();
}
