#pragma once

// Command ids. Menus, toolbar buttons, shortcut keys, the stored keyboard
// settings and add-ins all refer to commands by these numbers, so they
// never change.
namespace CommandId {

constexpr unsigned TipOfTheDay = 108;
constexpr unsigned BackupData = 32771;
constexpr unsigned UserInformation = 32772;
constexpr unsigned AddDeleteCategory = 32773;
constexpr unsigned DefaultSettings = 32774;
constexpr unsigned ChangePassword = 32776;
constexpr unsigned DailyReport = 32777;
constexpr unsigned MonthlyReport = 32778;
constexpr unsigned SpecifiedPeriodReport = 32779;
constexpr unsigned ListAllIncomes = 32783;
constexpr unsigned ListAllExpenses = 32784;
constexpr unsigned CurrencySettings = 32787;
constexpr unsigned DeleteOldData = 32791;
constexpr unsigned SetupWizard = 32792;
constexpr unsigned AddIncome = 32793;
constexpr unsigned AddExpense = 32794;
constexpr unsigned EditIncome = 32795;
constexpr unsigned EditExpense = 32796;
constexpr unsigned HelpTopics = 32797;
constexpr unsigned Login = 32798;
constexpr unsigned ExportReport = 32808;
constexpr unsigned ClearScreen = 32809;
constexpr unsigned AdvancedReport = 32828;
constexpr unsigned PaymentReminder = 32829;
constexpr unsigned DisplayPaymentReminders = 32830;
constexpr unsigned VideoTutorials = 32834;
constexpr unsigned CustomReport = 32835;
// Added commands keep clear of the design's ids and of the add-in ranges.
constexpr unsigned Charts = 32860;
constexpr unsigned ImportStatement = 32861;
constexpr unsigned UndoLastImport = 32862;
constexpr unsigned ImportRules = 32863;
constexpr unsigned RestoreData = 57601;
constexpr unsigned PrintSetup = 57606;
constexpr unsigned Print = 57607;
// No menu item or key of its own: add-ins and automation send it.
constexpr unsigned PrintDirect = 57608;
constexpr unsigned PrintPreview = 57609;
constexpr unsigned About = 57664;
constexpr unsigned Exit = 57665;
constexpr unsigned NextPane = 57680;
constexpr unsigned PrevPane = 57681;
constexpr unsigned ViewToolbar = 59392;
constexpr unsigned ViewStatusBar = 59393;

// Ranges handed out at run time to add-ins.
constexpr unsigned AddinCommandFirst = 2024;
constexpr unsigned AddinCommandLast = 9024;
constexpr unsigned AddinToolbarFirst = 10024;
constexpr unsigned AddinToolbarLast = 11024;

constexpr bool IsAddinCommand(unsigned id)
{
    return id >= AddinCommandFirst && id <= AddinCommandLast;
}

constexpr bool IsAddinToolbarToggle(unsigned id)
{
    return id >= AddinToolbarFirst && id <= AddinToolbarLast;
}

} // namespace CommandId
