#include "frame/menulayout.h"

#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"

const QList<CMenuDef> &MenuBarLayout()
{
    using namespace CommandId;
    static const QList<CMenuDef> layout = {
        {QStringLiteral("&File"),
         {
             {RestoreData, QStringLiteral("&Restore Data...\tCtrl+O")},
             {BackupData, QStringLiteral("&Backup Data...\tCtrl+S")},
             {},
             {Print, QStringLiteral("&Print...\tCtrl+P")},
             {PrintPreview, QStringLiteral("Print Pre&view")},
             {PrintSetup, QStringLiteral("P&rint Setup...")},
             {},
             {ExportReport, QStringLiteral("Export Report...")},
             {},
             {ImportStatement, QStringLiteral("&Import Statement...")},
             {UndoLastImport, QStringLiteral("&Undo Last Import...")},
             {ImportRules, QStringLiteral("Import Rul&es...")},
             {},
             {ChangePassword, QStringLiteral("Chan&ge Password...")},
             {},
             {Login, QStringLiteral("&Login...")},
             {},
             {Exit, QStringLiteral("E&xit")},
         }},
        {QStringLiteral("&View"),
         {
             {ViewToolbar, QStringLiteral("&Toolbar")},
             {ViewStatusBar, QStringLiteral("&Status Bar")},
             {},
             {ClearScreen, QStringLiteral("&Clear Screen")},
         }},
        {QStringLiteral("&Setup"),
         {
             {UserInformation, QStringLiteral("&User Information...")},
             {CurrencySettings, QStringLiteral("Currency &Settings...")},
             {AddDeleteCategory, QStringLiteral("Add or Delete Cat&egory...\tCtrl+M")},
             {DefaultSettings, QStringLiteral("&Default Settings...")},
             {},
             {SetupWizard, QStringLiteral("Setup Wi&zard >>")},
             {},
             {DeleteOldData, QStringLiteral("Delete &Old Data...")},
         }},
        {QStringLiteral("&Transactions"),
         {
             {AddIncome, QStringLiteral("Add &Income...     \tI")},
             {AddExpense, QStringLiteral("Add &Expense...       \tE")},
             {},
             {EditIncome, QStringLiteral("E&dit Income...")},
             {EditExpense, QStringLiteral("Edit Expen&se...")},
             {},
             {PaymentReminder, QStringLiteral("&Payment Reminder")},
         }},
        {QStringLiteral("&Reports"),
         {
             {DailyReport, QStringLiteral("&Daily Report...")},
             {MonthlyReport, QStringLiteral("&Monthly Report...")},
             {SpecifiedPeriodReport, QStringLiteral("&Specified Period Report...\tCtrl+R")},
             {AdvancedReport, QStringLiteral("&Advanced Report...")},
             {},
             {ListAllIncomes, QStringLiteral("List all &Incomes...")},
             {ListAllExpenses, QStringLiteral("List all &Expenses...")},
             {},
             {CustomReport, QStringLiteral("&Custom Report")},
             {Charts, QStringLiteral("C&harts...")},
             {},
             {DisplayPaymentReminders, QStringLiteral("Display Payment &Reminders")},
         }},
        {QStringLiteral("&Help"),
         {
             {HelpTopics, QStringLiteral("&Help Topics")},
             {},
             {VideoTutorials, QStringLiteral("Video Tutorials")},
             {},
             {About, QStringLiteral("&About Tallywick +")},
         }},
    };
    return layout;
}

bool ToolbarHasLogin(int passwordMode)
{
    return passwordMode == 0 || passwordMode == 2;
}

QList<CToolbarButtonDef> MainToolbarLayout(int passwordMode)
{
    using namespace CommandId;
    const struct {
        unsigned id;
        unsigned textId;
    } buttons[] = {
        {BackupData, StringId::ButtonBackup}, {0, 0},
        {Print, StringId::ButtonPrint}, {Login, StringId::ButtonLogin}, {0, 0},
        {DefaultSettings, StringId::ButtonSettings}, {UserInformation, StringId::ButtonUser}, {AddDeleteCategory, StringId::ButtonCategory}, {0, 0},
        {AddIncome, StringId::ButtonIncome}, {AddExpense, StringId::ButtonExpense}, {ImportStatement, StringId::ButtonImport}, {0, 0},
        {SpecifiedPeriodReport, StringId::ButtonReport}, {Charts, StringId::ButtonCharts}, {0, 0},
        {ClearScreen, StringId::ButtonClear}, {0, 0},
        {HelpTopics, StringId::ButtonHelp}, {VideoTutorials, 0},
    };
    QList<CToolbarButtonDef> layout;
    for (const auto &b : buttons) {
        if (b.id == Login && !ToolbarHasLogin(passwordMode))
            continue;
        if (b.id == 0)
            layout.append(CToolbarButtonDef{});
        else if (b.id == VideoTutorials)
            layout.append(CToolbarButtonDef{b.id, QStringLiteral("Video")}); // not in the string table
        else
            layout.append(CToolbarButtonDef{b.id, LoadString(b.textId)});
    }
    return layout;
}
