#include "reports/reminderreport.h"

#include "base/clock.h"
#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = MakeColorRef(255, 0, 0);

class ReminderReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword), 0);
        data.settings.cCurrency = QStringLiteral("EUR");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.loggedIn = true;
        view.OnInitialUpdate();
    }
    void Add(const QDate &date, int days, double amount, const QString &description, bool autoDelete = true)
    {
        CReminderStore(data.connection).Add(CReminder{-1, description, amount, DateText(date), days, autoDelete});
    }
    QString Text(int row, int column) { return view.GetGrid()->Model().GetItemText(row, column); }
    bool Red(int row, int column) { return view.GetGrid()->Model().GetItemFgColour(row, column) == kRed; }

    CTestDatabase db;
    CTallywickData data;
    CTallywickView view{data};
};

TEST_F(ReminderReportTest, TodaysRemindersAreRedAndCountInBothTotals)
{
    Add(Today(), 0, 100.25, QStringLiteral("Rent"));
    Add(Today(), 2, 0.5, QStringLiteral("Stamps"));
    Add(Today().addDays(3), 5, 20.5, QStringLiteral("Phone"));
    const QString today = DateText(Today());
    ASSERT_TRUE(ShowReminders(view, data, kReminderRangeQuery, {today, DateText(Today().addDays(7)), {}, {}}, false));

    CGridCtrl &grid = *view.GetGrid();
    EXPECT_EQ(grid.GetRowCount(), 3 + 14);
    EXPECT_EQ(grid.GetColumnCount(), 6);
    EXPECT_EQ(Text(3, 3), QStringLiteral("Payment Reminder"));
    EXPECT_EQ(Text(4, 3), QStringLiteral("From 03/17/2026 To 03/24/2026"));
    EXPECT_EQ(Text(6, 4), QStringLiteral("Amount (EUR)"));
    EXPECT_EQ((QStringList{Text(8, 2), Text(8, 3), Text(8, 4)}),
              (QStringList{QStringLiteral("17/Mar/2026"), QStringLiteral("Rent"), QStringLiteral("100.25")}));
    EXPECT_TRUE(Red(8, 2) && Red(8, 3) && Red(8, 4));
    EXPECT_TRUE(Red(9, 4));
    EXPECT_EQ(Text(10, 3), QStringLiteral("Phone"));
    EXPECT_FALSE(Red(10, 2) || Red(10, 3) || Red(10, 4));
    EXPECT_EQ(Text(11, 4), QStringLiteral("____________"));
    EXPECT_EQ((QStringList{Text(12, 3), Text(12, 4)}), (QStringList{QStringLiteral("Total Due"), QStringLiteral("121.25")}));
    EXPECT_FALSE(Red(12, 4));
    EXPECT_EQ((QStringList{Text(14, 3), Text(14, 4)}), (QStringList{QStringLiteral("Today's Due"), QStringLiteral("100.75")}));
    EXPECT_TRUE(Red(14, 3) && Red(14, 4));
    EXPECT_EQ(Text(15, 4), QStringLiteral("========="));
}

TEST_F(ReminderReportTest, OneDayHeaderAndNoRowsFromTheMenu)
{
    const CReminderReportRange oneDay{QStringLiteral("03/17/2026"), QStringLiteral("03/17/2026"), QStringLiteral("17/Mar/2026"),
                                      QStringLiteral("17/Mar/2026")};
    EXPECT_EQ(ReminderReportPeriod(oneDay), QStringLiteral("Date: 17/Mar/2026"));
    EXPECT_EQ(ReminderReportPeriod({oneDay.queryDate1, QStringLiteral("03/18/2026"), oneDay.display1, QString()}),
              QStringLiteral("From 03/17/2026 To 03/18/2026"));

    EXPECT_FALSE(ShowReminders(view, data, kReminderRangeQuery, oneDay, false));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("No payment reminder records found.")});
}

} // namespace
