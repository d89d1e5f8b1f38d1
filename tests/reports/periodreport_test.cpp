#include "reportfixture.h"

#include "reports/periodreport.h"
#include "reports/reportqueries.h"

#include "base/amounttext.h"
#include "reports/advancedreport.h"
#include "reports/chartseries.h"
#include "data/sqltext.h"

namespace {

class PeriodReportTest : public ReportFixture
{
protected:
    ReportLayout Report(int mode, QDate first, QDate second = {}, const MoreReportOptions *options = nullptr)
    {
        return PeriodReport(data, PeriodRequest{mode, first, second.isValid() ? second : first, options});
    }
};

// A business of 200 categories (names with an apostrophe, as long as users
// make them) and 40 units. Every category has a record on day 1 + i % 28 of
// March 2027 in "Branch 07", one on the 15th in branch i % 40, and one in
// April that no March report may count. Amounts are i + 1.25.
class LargeBusinessTest : public PeriodReportTest
{
protected:
    static constexpr int kCategories = 100; // of each type
    static constexpr int kUnits = 40;

    LargeBusinessTest()
    {
        data.incomeCategories.clear();
        data.expenseCategories.clear();
        data.company.units.clear();
        for (int u = 0; u < kUnits; ++u)
            data.company.units << Unit(u);
        db.Exec(QStringLiteral("BEGIN"));
        for (int type = 1; type <= 2; ++type) {
            for (int i = 0; i < kCategories; ++i) {
                (type == 1 ? data.incomeCategories : data.expenseCategories)
                    .append(CCategoryEntry{0, Name(type, i), {}, short(type)});
                db.AddTransaction(Unit(7), DateText(QDate(2027, 3, 1 + i % 28)), Name(type, i), i + 1.25, {}, type);
                db.AddTransaction(Unit(i % kUnits), QStringLiteral("03/15/2027"), Name(type, i), 10, {}, type);
                db.AddTransaction(Unit(7), QStringLiteral("04/01/2027"), Name(type, i), 1000, {}, type);
            }
        }
        db.Exec(QStringLiteral("COMMIT"));
    }
    static QString Name(int type, int i)
    {
        return QStringLiteral("%1 %2 of O'Brien & Daughters Ltd").arg(type == 1 ? "Income stream" : "Expense line").arg(i, 3, 10, QChar(u'0'));
    }
    static QString Unit(int u) { return QStringLiteral("Branch %1").arg(u, 2, 10, QChar(u'0')); }
    QStringList Names(int type) const
    {
        QStringList names;
        for (const CCategoryEntry &e : type == 1 ? data.incomeCategories : data.expenseCategories)
            names << e.cTransactionName;
        return names;
    }
    // What a report counts for the chosen names of a type, in cents: March
    // days from `first` to `last`, in one unit (empty: every unit).
    static qint64 Expected(const QList<int> &chosen, int first, int last, const QString &unit)
    {
        qint64 cents = 0;
        for (int i : chosen) {
            const int day = 1 + i % 28;
            if (day >= first && day <= last && (unit.isEmpty() || unit == Unit(7)))
                cents += 100 * i + 125;
            if (15 >= first && 15 <= last && (unit.isEmpty() || unit == Unit(i % kUnits)))
                cents += 1000;
        }
        return cents;
    }
    static QList<int> All()
    {
        QList<int> all;
        for (int i = 0; i < kCategories; ++i)
            all << i;
        return all;
    }
    // The printed totals and the lines above them, each column summed.
    static void ExpectTotals(const ReportLayout &report, qint64 income, qint64 expense, int incomeLines,
                             int expenseLines)
    {
        const int total = RowOf(report, 1, QStringLiteral("Total"));
        ASSERT_GT(total, 9);
        EXPECT_EQ(TextAt(report, 2, total), FormatCents(income));
        EXPECT_EQ(TextAt(report, 5, total), FormatCents(expense));
        EXPECT_EQ(TextAt(report, 5, total + 2), FormatCents(income - expense));
        EXPECT_EQ(PrintedCents(report, 2, 9, total - 1), income);
        EXPECT_EQ(PrintedCents(report, 5, 9, total - 1), expense);
        int incomes = 0, expenses = 0;
        for (int row = 9; row < total; ++row) {
            incomes += TextAt(report, 1, row).contains(u"Income stream");
            expenses += TextAt(report, 4, row).contains(u"Expense line");
        }
        EXPECT_EQ(incomes, incomeLines);
        EXPECT_EQ(expenses, expenseLines);
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
    EXPECT_TRUE(query.contains(QStringLiteral("(iTransactionType=2 AND cTransactionName IN ('Baker''s'))"))) << qPrintable(query);
    EXPECT_TRUE(query.contains(QStringLiteral("cUnitName='O''Neil'"))) << qPrintable(query);
}

TEST_F(LargeBusinessTest, SelectAllOverTwoHundredCategoriesAndFortyUnitsInEveryPeriodReport)
{
    // "Select all Expenses" plus one income, in one unit.
    MoreReportOptions options;
    options.unit = Unit(7);
    options.allExpenses = true;
    options.expenseNames = Names(2);
    options.incomeNames = {Name(1, 5)};
    const QString query = PeriodQuery(1, QStringLiteral("03/01/2027"), {}, &options);
    EXPECT_GT(query.size(), kSqlBufferChars);
    // The dates and the unit once, the names as one list per type.
    EXPECT_EQ(query.count(QStringLiteral("cUnitName=")), 1);
    EXPECT_EQ(query.count(QStringLiteral("datepart('m'")), 2);
    EXPECT_EQ(query.count(QStringLiteral(" IN (")), 2);

    ExpectTotals(Report(1, QDate(2027, 3, 20), {}, &options), Expected({5}, 1, 31, Unit(7)),
                 Expected(All(), 1, 31, Unit(7)), 1, kCategories);
    ExpectTotals(Report(2, QDate(2027, 3, 10), QDate(2027, 3, 20), &options), Expected({5}, 10, 20, Unit(7)),
                 Expected(All(), 10, 20, Unit(7)), 0, 42);
    // The 15th: the categories of that day, and those whose second record is
    // in the branch.
    ExpectTotals(Report(0, QDate(2027, 3, 15), {}, &options), 0, Expected(All(), 15, 15, Unit(7)), 0, 7);

    // Every unit, every name chosen one by one (as the command line names
    // them), no "Select all".
    options = MoreReportOptions{};
    options.allUnits = true;
    options.incomeNames = Names(1);
    options.expenseNames = Names(2);
    ExpectTotals(Report(1, QDate(2027, 3, 1), {}, &options), Expected(All(), 1, 31, {}), Expected(All(), 1, 31, {}),
                 kCategories, kCategories);
    ExpectTotals(Report(2, QDate(2027, 3, 14), QDate(2027, 3, 16), &options), Expected(All(), 14, 16, {}),
                 Expected(All(), 14, 16, {}), kCategories, kCategories);
    ExpectTotals(Report(0, QDate(2027, 3, 16), {}, &options), Expected(All(), 16, 16, {}), Expected(All(), 16, 16, {}),
                 4, 4);
}

TEST_F(LargeBusinessTest, TheAdvancedReportAndTheChartsCoverEveryUnitAndCategory)
{
    AdvancedQueryInput input;
    input.from = QDate(2027, 3, 1);
    input.to = QDate(2027, 3, 31);
    input.units = data.company.units;
    input.incomeNames = Names(1);
    input.expenseNames = Names(2);
    EXPECT_GT(AdvancedQuery(input, Unit(7)).size(), kSqlBufferChars);
    const std::optional<AdvancedLayout> report = AdvancedReport(data, input);
    ASSERT_TRUE(report);
    // Incomes and expenses match record for record: every balance is zero.
    EXPECT_DOUBLE_EQ(report->netBalance, 0.0);
    const ReportLayout &l = report->layout;
    const int branch = RowOf(l, 3, Unit(7));
    ASSERT_GT(branch, 0);
    const int total = [&] {
        for (const ReportCell &c : l.cells)
            if (c.column == 2 && c.text == u"Total" && c.row > branch)
                return c.row;
        return -1;
    }();
    ASSERT_GT(total, branch);
    // Branch 07: every category's first record, and the 15th of 7, 47, 87.
    EXPECT_EQ(TextAt(l, 3, total), FormatCents(Expected(All(), 1, 31, Unit(7))));
    EXPECT_EQ(PrintedCents(l, 3, branch, total - 1), Expected(All(), 1, 31, Unit(7)));
    EXPECT_EQ(PrintedCents(l, 6, branch, total - 1), Expected(All(), 1, 31, Unit(7)));

    MoreReportOptions options;
    options.allUnits = true;
    options.incomeNames = Names(1);
    options.expenseNames = Names(2);
    const ChartSeries months = ComputeChartSeries(
        data.connection, ChartRequest{ChartKind::Monthly, input.from, QDate(2027, 4, 30), options, 2}, data.company.units);
    ASSERT_EQ(months.points.size(), 2u);
    EXPECT_EQ(months.points[0].income, Expected(All(), 1, 31, {}));
    EXPECT_EQ(months.points[0].expense, Expected(All(), 1, 31, {}));
    EXPECT_EQ(months.points[1].income, 1000 * 100 * kCategories);
    const ChartSeries units = ComputeChartSeries(
        data.connection, ChartRequest{ChartKind::Unit, input.from, input.to, options, 2}, data.company.units);
    ASSERT_EQ(units.points.size(), std::size_t(kUnits));
    EXPECT_EQ(units.points[1].income, 1000 * 3); // the 15th of 1, 41, 81
}

TEST_F(PeriodReportTest, EveryAmountCountsAtItsCentSoTheTotalsAreTheSumOfTheLines)
{
    AddOddCents();
    const ReportLayout report = Report(2, QDate(2027, 5, 1), QDate(2027, 5, 31));
    EXPECT_EQ(RowTexts(report, 9), Row({"Catering", "20.20", "", "Flour", "1.01", ""}));
    EXPECT_EQ(RowTexts(report, 10), Row({"Sales", "0.13", "", "Rent", "8.04", ""}));
    EXPECT_EQ(RowTexts(report, 14), Row({"Total", "20.33", "", "Total", "9.05", ""}));
    EXPECT_EQ(TextAt(report, 5, 16), QStringLiteral("11.28"));
    EXPECT_EQ(PrintedCents(report, 2, 9, 13), 2033);
    EXPECT_EQ(PrintedCents(report, 5, 9, 13), 905);
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
