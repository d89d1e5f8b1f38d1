#include "frame/acceleratormanager.h"

#include "base/commandids.h"
#include "base/uiseam.h"
#include "data/profile.h"
#include "frame/mainframe.h"

#include <algorithm>
#include <iterator>

namespace {

bool Unlocked(const CAccelItem &item)
{
    return !item.locked;
}

} // namespace

CAcceleratorManager::~CAcceleratorManager()
{
    if (m_saveAtExit && !m_section.isEmpty() && !Write())
        TwkMessageBox(QStringLiteral("CAcceleratorManager::~CAcceleratorManager\nError in CAcceleratorManager::Write..."));
}

CAcceleratorManager &CAcceleratorManager::operator=(const CAcceleratorManager &other)
{
    if (this != &other) {
        m_names = other.m_names;
        m_commands = other.m_commands;
        m_snapshot = other.m_snapshot;
        m_snapshotTaken = other.m_snapshotTaken;
    }
    return *this;
}

void CAcceleratorManager::SetWindow(CMainFrame *frame, bool saveAtExit)
{
    m_window = frame;
    m_saveAtExit = saveAtExit;
}

CMainFrame *CAcceleratorManager::Window() const
{
    return m_window;
}

bool CAcceleratorManager::AddCommand(unsigned short id, const QString &name)
{
    const auto named = m_names.constFind(name);
    if (named != m_names.cend() && *named != id)
        return false;
    if (!m_commands.contains(id)) {
        m_commands.insert(id, CAccelCommand{id, name, {}});
        m_names.insert(name, id);
    }
    return true;
}

bool CAcceleratorManager::AddCommandWithKeys(unsigned short id, const QString &name, bool locked)
{
    if (!m_window || !AddCommand(id, name))
        return false;
    bool added = true;
    for (const CAccelEntry &entry : m_window->AccelTable()) {
        if (entry.cmd == id)
            added = AddKey(id, CAccelItem{entry.fVirt, entry.key, locked});
    }
    return added;
}

bool CAcceleratorManager::AddKey(unsigned short id, const CAccelItem &item)
{
    const auto command = m_commands.find(id);
    if (command == m_commands.end() || OwnerOf(item))
        return false;
    command->keys << item;
    return true;
}

bool CAcceleratorManager::RemoveKey(unsigned short id, const CAccelItem &item)
{
    const auto command = m_commands.find(id);
    if (command == m_commands.end())
        return false;
    return command->keys.removeIf([&item](const CAccelItem &k) { return k.SameKey(item); }) > 0;
}

bool CAcceleratorManager::CreateTable()
{
    if (!m_window)
        return false;
    CAccelTable table;
    for (const CAccelCommand &command : std::as_const(m_commands)) {
        for (const CAccelItem &item : command.keys)
            table << CAccelEntry{item.fVirt, item.key, command.id};
    }
    m_window->SetAccelTable(table);
    return true;
}

bool CAcceleratorManager::TakeResetSnapshot()
{
    if (m_snapshotTaken)
        return false;
    for (const CAccelCommand &command : std::as_const(m_commands)) {
        QList<CAccelItem> keys;
        std::copy_if(command.keys.cbegin(), command.keys.cend(), std::back_inserter(keys), Unlocked);
        if (!keys.isEmpty())
            m_snapshot.insert(command.id, keys);
    }
    m_snapshotTaken = true;
    return true;
}

void CAcceleratorManager::ResetToSnapshot()
{
    for (CAccelCommand &command : m_commands)
        command.keys.removeIf(Unlocked);
    for (auto it = m_snapshot.cbegin(); it != m_snapshot.cend(); ++it) {
        for (const CAccelItem &item : it.value())
            AddKey(it.key(), item);
    }
}

void CAcceleratorManager::ApplyRecords(const QList<CKeyboardRecord> &records)
{
    for (const CKeyboardRecord &record : records) {
        // A command no longer registered (an add-in gone) keeps no keys.
        const auto command = m_commands.find(record.command);
        if (command == m_commands.end())
            continue;
        command->keys.removeIf(Unlocked);
        for (const CAccelItem &item : record.keys)
            AddKey(record.command, item);
    }
}

bool CAcceleratorManager::Load(const QString &section)
{
    m_section = section;
    const QString entry = QString::fromLatin1(kValueName);
    if (!HasProfileEntry(section, entry))
        return true;
    const auto value = GetProfileBinary(section, entry);
    if (!value)
        return false;
    const CKeyboardRecords stored = DecodeKeyboardValue(*value);
    ApplyRecords(stored.records);
    CreateTable();
    return !stored.damaged;
}

QList<CKeyboardRecord> CAcceleratorManager::UserKeyRecords() const
{
    QList<CKeyboardRecord> records;
    for (const CAccelCommand &command : m_commands) {
        CKeyboardRecord record{command.id, {}};
        std::copy_if(command.keys.cbegin(), command.keys.cend(), std::back_inserter(record.keys), Unlocked);
        if (!record.keys.isEmpty())
            records << record;
    }
    return records;
}

bool CAcceleratorManager::Write() const
{
    if (m_section.isEmpty())
        return false;
    return WriteProfileBinary(m_section, QString::fromLatin1(kValueName), EncodeKeyboardValue(UserKeyRecords()));
}

const CAccelCommand *CAcceleratorManager::Command(unsigned short id) const
{
    const auto it = m_commands.constFind(id);
    return it == m_commands.cend() ? nullptr : &*it;
}

const CAccelCommand *CAcceleratorManager::OwnerOf(const CAccelItem &item) const
{
    for (const CAccelCommand &command : m_commands) {
        for (const CAccelItem &k : command.keys) {
            if (k.SameKey(item))
                return &command;
        }
    }
    return nullptr;
}

bool CAcceleratorManager::FinishStartUp()
{
    CreateTable();
    TakeResetSnapshot();
    return Load(QStringLiteral("Settings"));
}

void RegisterMenuCommands(CAcceleratorManager &manager)
{
    using namespace CommandId;
    struct Entry {
        unsigned short id;
        const char *name;
        bool locked;
    };
    static constexpr Entry kEntries[] = {
        {RestoreData, "Restore Data", true},
        {BackupData, "Backup Data", true},
        {Print, "Print", true},
        {PrintDirect, "Direct Print", false},
        {PrintPreview, "Print Preview", false},
        {PrintSetup, "Print Setup", false},
        {ExportReport, "Export Report", false},
        {ImportStatement, "Import Statement", false},
        {UndoLastImport, "Undo Last Import", false},
        {ImportRules, "Import Rules", false},
        {ChangePassword, "Change Password", false},
        {Login, "Login", false},
        {Exit, "Exit", false},
        {ViewToolbar, "View Toolbar", false},
        {ViewStatusBar, "View Status Bar", false},
        {ClearScreen, "Clear Screen", false},
        {UserInformation, "Setup - User Information", false},
        {CurrencySettings, "Setup - Currency Settings", false},
        {AddDeleteCategory, "Setup - Add or Delete Category", true},
        {DeleteOldData, "Setup - Delete Old Data", false},
        {DefaultSettings, "Setup - Default Settings", false},
        {SetupWizard, "Setup - Setup Wizard", false},
        {AddIncome, "Add Income", true},
        {AddExpense, "Add Expense", true},
        {EditIncome, "Edit Income", false},
        {EditExpense, "Edit Expense", false},
        {PaymentReminder, "Payment Reminder", false},
        {DailyReport, "Report - Daily Report", false},
        {MonthlyReport, "Report - Monthly Report", false},
        {SpecifiedPeriodReport, "Report - Specified Period Report", true},
        {AdvancedReport, "Report - Advanced Report", false},
        {ListAllIncomes, "Report - List all Incomes", false},
        {ListAllExpenses, "Report - List all Expenses", false},
        {CustomReport, "Report - Custom Report", false},
        {Charts, "Report - Charts", false},
        {DisplayPaymentReminders, "Report - Display Payment Reminders", false},
        {TipOfTheDay, "Tip of the Day", false},
        {HelpTopics, "Help Topics", false},
        {VideoTutorials, "Video Tutorials", false},
        {About, "About Tallywick +", false},
    };
    for (const Entry &e : kEntries) {
        const QString name = QString::fromLatin1(e.name);
        if (e.locked)
            manager.AddCommandWithKeys(e.id, name, true);
        else
            manager.AddCommand(e.id, name);
    }
}
