// A German desktop: the C library reads and writes numbers with a decimal
// comma there, and the application object switches to it at start.
#include "records/transactiondlg.h"

#include "recordfixture.h"
#include "support/germandesktop.h"

#include <QLabel>
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
