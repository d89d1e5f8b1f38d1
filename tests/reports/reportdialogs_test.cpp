#include "reportfixture.h"

#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/gridctrl.h"
#include "reports/advancedreportdlg.h"
#include "reports/listreportdlg.h"
#include "reports/moreoptionsdlg.h"
#include "reports/reportcommands.h"
#include "reports/reportinfodlg.h"
#include "reports/tallywickview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

class ReportDialogTest : public ReportViewFixture
{
protected:
    static void Select(QListWidget *list, const QString &text)
    {
        list->findItems(text, Qt::MatchExactly).first()->setSelected(true);
    }
    QString GridText(int row, int column) { return view.GetGrid()->GetItemText(row, column); }
};

} // namespace

TEST_F(ReportDialogTest, PeriodDialogEnablesOkOnlyForAnOrderedPeriodAndShowsTheReport)
{
    CReportInfoDlg dlg(data, view, 2);
    auto *ok = Control<QPushButton>(&dlg, 1);
    dlg.SetDates(QDate(2026, 3, 17), QDate(2026, 3, 16));
    EXPECT_FALSE(ok->isEnabled());
    dlg.SetDates(QDate(2026, 3, 16), QDate(2026, 3, 16));
    EXPECT_TRUE(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(GridText(2, 2), QStringLiteral("From 16/Mar/2026 To 16/Mar/2026"));
    EXPECT_EQ(GridText(16, 5), QStringLiteral("-35.50"));

    // A daily report has no second date.
    CReportInfoDlg daily(data, view, 0);
    daily.SetDates(QDate(2026, 3, 17), QDate(2000, 1, 1));
    EXPECT_TRUE(Control<QPushButton>(&daily, 1)->isEnabled());
    EXPECT_TRUE(Control<QDateEdit>(&daily, 1049)->isHidden());
}

TEST_F(ReportDialogTest, MoreOptionsChecksInOrderAndSelectAllUnitsDisablesTheUnitBox)
{
    data.company.units.clear();
    CMoreReportOptionsDlg dlg(data);
    dlg.accept();
    Select(Control<QListWidget>(&dlg, 1050), QStringLiteral("Rent"));
    dlg.accept();
    Control<QCheckBox>(&dlg, 1066)->click();
    EXPECT_EQ(Control<QListWidget>(&dlg, 1049)->selectedItems().size(), 2);
    dlg.accept();
    EXPECT_EQ(TestUi().Texts(), QStringList({LoadString(StringId::SelectExpenseCategory),
                                             LoadString(StringId::SelectIncomeCategory),
                                             LoadString(StringId::SelectUnit)}));
    auto *allUnits = Control<QCheckBox>(&dlg, 1068);
    allUnits->click();
    EXPECT_FALSE(Control<QComboBox>(&dlg, 1036)->isEnabled());
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.Options().allUnits);
    EXPECT_TRUE(dlg.Options().allIncomes);
    EXPECT_EQ(dlg.Options().expenseNames, QStringList{QStringLiteral("Rent")});
    allUnits->click();
    EXPECT_TRUE(Control<QComboBox>(&dlg, 1036)->isEnabled());
}

TEST_F(ReportDialogTest, ListDialogValidatesThenListsWithEveryUnitOnRequest)
{
    CListReportDlg dlg(data, view, 2);
    Control<QDateEdit>(&dlg, 1033)->setDate(QDate(2026, 3, 18));
    dlg.accept();
    Control<QDateEdit>(&dlg, 1033)->setDate(QDate(2026, 3, 1));
    dlg.accept();
    auto *categories = Control<QListWidget>(&dlg, 1034);
    auto *all = Control<QCheckBox>(&dlg, 1035);
    all->click();
    EXPECT_EQ(categories->selectedItems().size(), 3);
    categories->item(0)->setSelected(false);
    EXPECT_FALSE(all->isChecked());
    categories->item(0)->setSelected(true);
    EXPECT_TRUE(all->isChecked());
    dlg.accept();
    EXPECT_EQ(TestUi().Texts(), QStringList({LoadString(StringId::CheckFromToDates),
                                             LoadString(StringId::SelectAnyExpense),
                                             LoadString(StringId::SelectUnit)}));

    // The keyword edits follow their option.
    auto *exact = Control<QLineEdit>(&dlg, 1052);
    auto *matching = Control<QLineEdit>(&dlg, 1051);
    EXPECT_FALSE(exact->isEnabled() || matching->isEnabled());
    Control<QRadioButton>(&dlg, 1097)->click();
    EXPECT_TRUE(matching->isEnabled());
    EXPECT_FALSE(exact->isEnabled());
    matching->setText(QStringLiteral("CASH"));

    Control<QCheckBox>(&dlg, 1037)->click();
    EXPECT_FALSE(Control<QListWidget>(&dlg, 1036)->isEnabled());
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(GridText(1, 2), QStringLiteral("All Units"));
    EXPECT_EQ(GridText(9, 2), QStringLiteral("Paid in cash"));
    EXPECT_EQ(GridText(9, 4), QStringLiteral("60.00"));
}

TEST_F(ReportDialogTest, AdvancedDialogValidatesAndStaysOpenWhenNothingIsFound)
{
    CAdvancedReportDlg dlg(data, view);
    dlg.SetDates(QDate(2019, 1, 1), QDate(2019, 12, 31));
    dlg.accept();
    Control<QCheckBox>(&dlg, 1135)->click();
    dlg.accept();
    Select(Control<QListWidget>(&dlg, 1134), QStringLiteral("Sales"));
    dlg.accept();
    Select(Control<QListWidget>(&dlg, 1138), QStringLiteral("Rent"));
    EXPECT_FALSE(Control<QLineEdit>(&dlg, 1117)->isEnabled());
    Control<QRadioButton>(&dlg, 1130)->click();
    EXPECT_TRUE(Control<QLineEdit>(&dlg, 1120)->isEnabled());
    EXPECT_EQ(dlg.Input().option, kExactDescription);
    Control<QRadioButton>(&dlg, 1129)->click();
    dlg.accept();
    EXPECT_EQ(TestUi().Texts(),
              QStringList({LoadString(StringId::SelectUnit), LoadString(StringId::SelectAnyIncome),
                           LoadString(StringId::SelectAnyExpense), LoadString(StringId::NoRecordsFound)}));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("No records found."));
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    dlg.SetDates(QDate(2026, 3, 1), QDate(2026, 3, 31));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(GridText(47, 6), QStringLiteral("37.00"));
    EXPECT_EQ(view.GetGrid()->GetCell(47, 6)->GetTextClr(), 0x00FF0000u);
}

TEST_F(ReportDialogTest, CommandsOpenTheirDialogsWithTheReportsHelpOnF1)
{
    QStringList topics;
    data.showHelp = [&topics](const QString &topic) { topics << topic; };
    for (const unsigned id : {CommandId::DailyReport, CommandId::MonthlyReport, CommandId::SpecifiedPeriodReport,
                              CommandId::AdvancedReport, CommandId::ListAllIncomes, CommandId::ListAllExpenses}) {
        QTimer::singleShot(0, [] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(dialog, Qt::Key_F1);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        EXPECT_TRUE(RunReportCommand(data, view, id, nullptr));
    }
    EXPECT_FALSE(RunReportCommand(data, view, CommandId::CustomReport, nullptr));
    EXPECT_EQ(topics, QStringList(6, QStringLiteral("TallywickPlus.chm::/ReportsMenu.htm")));
}
