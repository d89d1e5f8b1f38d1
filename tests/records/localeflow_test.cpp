// A German desktop: the C library reads and writes numbers with a decimal
// comma there, and the application object switches to it at start.
#include "records/transactiondlg.h"
#include "records/reminderdlgs.h"

#include "recordfixture.h"
#include "support/germandesktop.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

void Type(QWidget *control, const QString &text)
{
    QTest::keyClicks(control, text);
    QTest::keyClick(control, Qt::Key_Return);
}

} // namespace

using LocaleFlowTest = RecordTest;

TEST_F(LocaleFlowTest, AnIncomeTypedOnAGermanDesktopIsStoredWithItsCents)
{
    SetUnits({QStringLiteral("Home")});
    AddCategory(QStringLiteral("Salary"), 1);
    CGermanDesktop german;
    if (!german.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    CTransactionDlg income(data, 1);
    income.show();
    Type(Control<QWidget>(&income, 1022), QStringLiteral("H"));
    QTest::keyClick(Control<QWidget>(&income, 1026), Qt::Key_Return);
    QTest::keyClick(Control<QWidget>(&income, 1028), Qt::Key_Return);
    Type(Control<QWidget>(&income, 1030), QStringLiteral("12.50"));
    Type(Control<QWidget>(&income, 1032), QStringLiteral("March"));
    EXPECT_EQ(Control<QLabel>(&income, 1137)->text(), QStringLiteral("Income record has been added"));
    EXPECT_EQ(Value(QStringLiteral("SELECT cTransactionAmount || '|' || typeof(cTransactionAmount) || '|' || "
                                   "cTransactionName FROM LB_TRANSACTION_INFO_TB"))
                  .toStdString(),
              "12.5|real|Salary");
}

TEST_F(LocaleFlowTest, AGermanDesktopTypesAmountsWithItsOwnMarksAndAnAmbiguousOneIsKeptForMending)
{
    SetUnits({QStringLiteral("Home")});
    AddCategory(QStringLiteral("Salary"), 1);
    CGermanDesktop german;
    CTransactionDlg income(data, 1);
    income.show();
    auto *amount = Control<QLineEdit>(&income, 1030);
    for (const char *typed : {"75,00", "1.250,00", "75.00"}) {
        amount->setFocus();
        Type(amount, QString::fromLatin1(typed));
        Type(Control<QWidget>(&income, 1032), QStringLiteral("Typed"));
    }
    EXPECT_TRUE(TestUi().Texts().isEmpty()) << TestUi().LastText().toStdString();
    EXPECT_EQ(Value(QStringLiteral("SELECT group_concat(cTransactionAmount, ' ') FROM LB_TRANSACTION_INFO_TB")).toStdString(),
              "75.0 1250.0 75.0");

    // "1.250" is 1.25 by the point and 1250 by the grouping: neither is taken.
    amount->setFocus();
    Type(amount, QStringLiteral("1.250"));
    Type(Control<QWidget>(&income, 1032), QStringLiteral("Typed"));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("\"1.250\" can be read as 1.25 or as 1250. "
                                                           "Please enter a valid amount, for example 1250.50 or 1.250,50.")});
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(amount->text(), QStringLiteral("1.250"));
    EXPECT_EQ(amount->selectedText(), QStringLiteral("1.250"));
    EXPECT_EQ(income.focusWidget(), amount);
}

TEST_F(LocaleFlowTest, AReminderAmountReadsTheGermanDesktopsMarksToo)
{
    CGermanDesktop german;
    CReminderEntryDlg form(data, CReminderEntryDlg::AddMode);
    form.show();
    Control<QPlainTextEdit>(&form, 1122)->setPlainText(QStringLiteral("Rent"));
    auto *amount = Control<QLineEdit>(&form, 1123);
    amount->setText(QStringLiteral("1.250"));
    form.accept();
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(amount->selectedText(), QStringLiteral("1.250"));
    amount->setText(QStringLiteral("1.250,50"));
    form.accept();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Reminder().amount, 1250.5);
}
