#include "frame/commandtable.h"

#include "base/commandids.h"

#include <algorithm>

bool RuleAllows(EnableRule rule, const CommandState &state)
{
    switch (rule) {
    case EnableRule::Always:
        return true;
    case EnableRule::LoggedIn:
        return state.loggedIn;
    case EnableRule::LoggedInOutsidePreview:
        return state.loggedIn && !state.printPreview;
    case EnableRule::NotLoggedIn:
        return !state.loggedIn;
    case EnableRule::PasswordModeZero:
        return state.passwordMode == 0;
    case EnableRule::LoggedInWithImport:
        return state.loggedIn && state.importToUndo;
    }
    return false;
}

CCommandTable::CCommandTable()
{
    using namespace CommandId;
    constexpr auto F = CommandTarget::Frame;
    constexpr auto A = CommandTarget::Application;
    constexpr auto V = CommandTarget::View;
    constexpr auto always = EnableRule::Always;
    constexpr auto in = EnableRule::LoggedIn;

    const struct {
        unsigned id;
        const char *name;
        CommandTarget target;
        EnableRule rule;
    } table[] = {
        {RestoreData, "Restore Data", A, always},
        {BackupData, "Backup Data", A, in},
        {Print, "Print", V, in},
        {PrintDirect, "Direct Print", V, in},
        {PrintPreview, "Print Preview", V, EnableRule::LoggedInOutsidePreview},
        {PrintSetup, "Print Setup", A, in},
        {ExportReport, "Export Report", V, in},
        {ImportStatement, "Import Statement", F, in},
        {UndoLastImport, "Undo Last Import", F, EnableRule::LoggedInWithImport},
        {ImportRules, "Import Rules", F, in},
        {ChangePassword, "Change Password", A, EnableRule::PasswordModeZero},
        {Login, "Login", A, EnableRule::NotLoggedIn},
        {Exit, "Exit", A, always},
        {ViewToolbar, "Toolbar", F, always},
        {ViewStatusBar, "Status Bar", F, always},
        {ClearScreen, "Clear Screen", V, always},
        {UserInformation, "User Information", F, in},
        {CurrencySettings, "Currency Settings", F, in},
        {AddDeleteCategory, "Add or Delete Category", F, in},
        {DefaultSettings, "Default Settings", F, in},
        {SetupWizard, "Setup Wizard", F, in},
        {DeleteOldData, "Delete Old Data", F, in},
        {AddIncome, "Add Income", F, in},
        {AddExpense, "Add Expense", F, in},
        {EditIncome, "Edit Income", F, in},
        {EditExpense, "Edit Expense", F, in},
        {PaymentReminder, "Payment Reminder", F, in},
        {DailyReport, "Daily Report", V, in},
        {MonthlyReport, "Monthly Report", V, in},
        {SpecifiedPeriodReport, "Specified Period Report", V, in},
        {AdvancedReport, "Advanced Report", V, in},
        {ListAllIncomes, "List all Incomes", V, in},
        {ListAllExpenses, "List all Expenses", V, in},
        {CustomReport, "Custom Report", V, in},
        {Charts, "Charts", V, in},
        {DisplayPaymentReminders, "Display Payment Reminders", V, in},
        {TipOfTheDay, "Tip of the Day", A, always},
        {HelpTopics, "Help Topics", F, always},
        {VideoTutorials, "Video Tutorials", V, always},
        {About, "About", A, always},
        // The pane keys of the default shortcut table; one view, so they
        // only move the keyboard focus.
        {NextPane, "Next Pane", F, always},
        {PrevPane, "Previous Pane", F, always},
    };
    m_commands.reserve(std::size(table));
    for (const auto &c : table)
        m_commands.push_back(CCommand{c.id, QString::fromLatin1(c.name), c.target, c.rule, {}});
}

const CCommand *CCommandTable::Find(unsigned id) const
{
    const auto it = std::find_if(m_commands.begin(), m_commands.end(), [id](const CCommand &c) { return c.id == id; });
    return it == m_commands.end() ? nullptr : &*it;
}

CCommand *CCommandTable::FindMutable(unsigned id)
{
    return const_cast<CCommand *>(std::as_const(*this).Find(id));
}

QList<unsigned> CCommandTable::Ids() const
{
    QList<unsigned> ids;
    ids.reserve(qsizetype(m_commands.size()));
    for (const CCommand &c : m_commands)
        ids << c.id;
    return ids;
}

bool CCommandTable::SetHandler(unsigned id, std::function<void()> handler)
{
    CCommand *c = FindMutable(id);
    if (!c)
        return false;
    c->handler = std::move(handler);
    return true;
}

bool CCommandTable::IsBound(unsigned id) const
{
    const CCommand *c = Find(id);
    return c && c->handler;
}

bool CCommandTable::IsEnabled(unsigned id, const CommandState &state) const
{
    const CCommand *c = Find(id);
    return c && RuleAllows(c->rule, state);
}

CommandResult CCommandTable::Execute(unsigned id, const CommandState &state) const
{
    const CCommand *c = Find(id);
    if (!c)
        return CommandResult::Unknown;
    if (!RuleAllows(c->rule, state))
        return CommandResult::Disabled;
    if (!c->handler)
        return CommandResult::Unbound;
    // A copy: the handler may rebind its own command while it runs.
    const std::function<void()> handler = c->handler;
    handler();
    return CommandResult::Done;
}
