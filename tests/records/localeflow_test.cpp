// A German desktop: the C library reads and writes numbers with a decimal
// comma there, and the application object switches to it at start.
#include "records/transactiondlg.h"

#include "recordfixture.h"

#include <QLabel>
#include <QTest>

#include <clocale>
#include <string>

namespace {

class GermanDesktop
{
public:
    GermanDesktop()
        : m_before(std::setlocale(LC_ALL, nullptr))
        , m_active(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
    {
    }
    ~GermanDesktop() { std::setlocale(LC_ALL, m_before.c_str()); }
    bool Active() const { return m_active; }

private:
    std::string m_before;
    bool m_active;
};

void Type(QWidget *control, const QString &text)
{
    QTest::keyClicks(control, text);
    QTest::keyClick(control, Qt::Key_Return);
}

} // namespace

class LocaleFlowTest : public RecordTest
{
};

TEST_F(LocaleFlowTest, AnIncomeTypedOnAGermanDesktopIsStoredWithItsCents)
{
    SetUnits({QStringLiteral("Home")});
    AddCategory(QStringLiteral("Salary"), 1);
    GermanDesktop german;
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
