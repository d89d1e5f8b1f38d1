#include "reportfixture.h"

#include "reports/periodreport.h"
#include "reports/reportqueries.h"

namespace {

class PeriodReportTest : public ReportFixture
{
protected:
    ReportLayout Report(int mode, QDate first, QDate second = {}, const MoreReportOptions *options = nullptr)
    {
        return PeriodReport(data, PeriodRequest{mode, first, second.isValid() ? second : first, options});
    }
};

QStringList Row(std::initializer_list<const char *> texts)
{
    QStringList row;
    for (const char *text : texts)
        row << QString::fromUtf8(text);
    return row;
}

} // namespace

TEST(PeriodQueries, MoreOptionsQuoteEveryName)
{
    MoreReportOptions options;
    options.unit = QStringLiteral("O'Neil");
    options.expenseNames = {QStringLiteral("Baker's")};
    const QString query = PeriodQuery(2, QStringLiteral("01/01/2026"), QStringLiteral("01/31/2026"), &options);
    EXPECT_TRUE(query.contains(QStringLiteral("cTransactionName='Baker''s' AND iTransactionType=2"))) << qPrintable(query);
    EXPECT_TRUE(query.contains(QStringLiteral("cUnitName='O''Neil'"))) << qPrintable(query);
}

TEST_F(PeriodReportTest, DailyReportCountsThatDayOnlyAndShowsANegativeBalance)
{
    const ReportLayout report = Report(0, QDate(2026, 3, 16));
    EXPECT_EQ(RowTexts(report, 2), Row({"Date", "16/Mar/2026", "", "", "", ""}));
    // 15/Mar and 17/Mar lie just outside.
    EXPECT_EQ(RowTexts(report, 9), Row({"Sales", "40.00", "", "Baker's Wages", "60.00", ""}));
    EXPECT_EQ(RowTexts(report, 10), Row({"", "", "", "Rent", "15.50", ""}));
    EXPECT_EQ(RowTexts(report, 14), Row({"Total", "40.00", "", "Total", "75.50", ""}));
    EXPECT_EQ(TextAt(report, 5, 16), QStringLiteral("-35.50"));
    EXPECT_EQ(RowTexts(report, 19), Row({"E-mail:", "ann@bakery.example", "", "Phone:", "0113 496 0000", ""}));
}

TEST_F(PeriodReportTest, MonthlyReportCoversTheWholeMonthFromAnyDayInIt)
{
    // February of a leap year: the 1st and the 29th count, 31 Jan and 1 Mar not.
    ReportLayout report = Report(1, QDate(2024, 2, 10));
    EXPECT_EQ(RowTexts(report, 2), Row({"Month", "February 2024", "", "", "", ""}));
    EXPECT_EQ(RowTexts(report, 9), Row({"Sales", "100.00", "", "Flour", "30.25", ""}));
    EXPECT_EQ(RowTexts(report, 13), Row({"Total", "100.00", "", "Total", "30.25", ""}));
    EXPECT_EQ(TextAt(report, 5, 15), QStringLiteral("69.75"));

    // A 31-day month picked on its first day still reaches the 31st.
    report = Report(1, QDate(2021, 1, 1));
    EXPECT_EQ(TextAt(report, 2, 2), QStringLiteral("January 2021"));
    EXPECT_EQ(RowTexts(report, 13), Row({"Total", "31.00", "", "Total", "510.00", ""}));
    EXPECT_EQ(TextAt(report, 5, 15), QStringLiteral("-479.00"));
}

TEST_F(PeriodReportTest, AnEmptyPeriodShowsHeadingsAndZeroTotals)
{
    data.settings.iPrintFaxNo = 1;
    data.company.cFaxNo = QStringLiteral("0113 496 0001");
    const ReportLayout report = Report(2, QDate(2019, 1, 1), QDate(2019, 12, 31));
    EXPECT_EQ(TextAt(report, 2, 2), QStringLiteral("From 01/Jan/2019 To 31/Dec/2019"));
    EXPECT_EQ(RowTexts(report, 16), Row({"Total", "0.00", "", "Total", "0.00", ""}));
    EXPECT_EQ(TextAt(report, 5, 18), QStringLiteral("0.00"));
    EXPECT_EQ(RowTexts(report, 22), Row({"Fax:", "0113 496 0001", "", "", "", ""}));
}

TEST_F(PeriodReportTest, MoreOptionsNarrowToAUnitWithAnApostropheOrCoverEveryUnit)
{
    MoreReportOptions options;
    options.unit = QStringLiteral("O'Neil Stall");
    options.allIncomes = options.allExpenses = true;
    ReportLayout report = Report(2, QDate(2026, 3, 1), QDate(2026, 3, 31), &options);
    EXPECT_EQ(RowTexts(report, 1), Row({"Unit", "O'Neil Stall", "", "", "", ""}));
    EXPECT_EQ(RowTexts(report, 9), Row({"", "", "", "Baker's Wages", "60.00", ""}));
    EXPECT_EQ(TextAt(report, 5, 15), QStringLiteral("-60.00"));

    // Every unit, chosen categories: Sales 12.50 + 40.00, Rent 15.50; the
    // wages and the flour are not chosen.
    options = MoreReportOptions{};
    options.allUnits = true;
    options.incomeNames = {QStringLiteral("Sales")};
    options.expenseNames = {QStringLiteral("Rent")};
    report = Report(2, QDate(2026, 3, 1), QDate(2026, 3, 31), &options);
    EXPECT_EQ(RowTexts(report, 1), Row({"Unit", "All Units", "", "", "", ""}));
    EXPECT_EQ(RowTexts(report, 9), Row({"Sales", "52.50", "", "Rent", "15.50", ""}));
    EXPECT_EQ(TextAt(report, 5, 15), QStringLiteral("37.00"));
}
