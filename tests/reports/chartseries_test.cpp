#include "reportfixture.h"

#include "base/amounttext.h"
#include "base/stringids.h"
#include "reports/advancedreport.h"
#include "reports/chartseries.h"
#include "reports/listreport.h"
#include "reports/periodreport.h"

#include <map>

namespace {

class ChartSeriesTest : public ReportFixture
{
protected:
    ChartSeries Series(ChartKind kind, QDate from, QDate to, int type = 2,
                       std::optional<MoreReportOptions> options = std::nullopt)
    {
        return ComputeChartSeries(data.connection, ChartRequest{kind, from, to, options, type}, data.company.units);
    }
    // The income and expense totals a specified-period report prints.
    std::pair<QString, QString> ReportTotals(QDate from, QDate to)
    {
        const ReportLayout report = PeriodReport(data, PeriodRequest{2, from, to, nullptr});
        for (const ReportCell &cell : report.cells) {
            if (cell.column == 1 && cell.text == u"Total")
                return {TextAt(report, 2, cell.row), TextAt(report, 5, cell.row)};
        }
        return {};
    }
};

} // namespace

TEST_F(ChartSeriesTest, EveryMonthEqualsItsPeriodReportWithEmptyMonthsAsZeroAndNegativeBalances)
{
    const QDate from(2020, 12, 15);
    const QDate to(2026, 3, 16);
    const ChartSeries series = Series(ChartKind::Monthly, from, to);
    ASSERT_EQ(series.points.size(), 64u); // Dec 2020 to Mar 2026, no gaps
    for (const ChartPoint &p : series.points) {
        const QDate first = std::max(from, p.month);
        const QDate last = std::min(to, p.month.addMonths(1).addDays(-1));
        const auto [income, expense] = ReportTotals(first, last);
        EXPECT_EQ(FormatCents(p.income), income) << p.key.toStdString();
        EXPECT_EQ(FormatCents(p.expense), expense) << p.key.toStdString();
    }
    // Worked by hand: a loss, an empty month, the leap February, and a
    // period ending mid-month (the 17th's flour is outside).
    const ChartPoint &december = series.points[0];
    EXPECT_EQ(december.key, QStringLiteral("2020-12"));
    EXPECT_EQ(december.Balance(), -52000);
    EXPECT_EQ(series.points[20].key, QStringLiteral("2022-08"));
    EXPECT_EQ(series.points[20].income + series.points[20].expense, 0);
    EXPECT_EQ(series.points[38].income, 10000);
    EXPECT_EQ(series.points[38].expense, 3025);
    EXPECT_EQ(series.points.back().income, 5250);
    EXPECT_EQ(series.points.back().expense, 7550);

    EXPECT_EQ(ChartCsv(Series(ChartKind::Monthly, QDate(2020, 12, 1), QDate(2021, 3, 31))),
              QByteArray("Month,Income,Expense,Balance\r\n2020-12,0.00,520.00,-520.00\r\n"
                         "2021-01,31.00,510.00,-479.00\r\n2021-02,1000.00,0.00,1000.00\r\n"
                         "2021-03,0.00,0.00,0.00\r\n"));
}

TEST_F(ChartSeriesTest, CategoriesEqualTheAdvancedReportAndOtherSumsTheRestExactly)
{
    AdvancedQueryInput input;
    input.from = QDate(2020, 1, 1);
    input.to = QDate(2026, 12, 31);
    input.units = data.company.units;
    input.incomeNames = {QStringLiteral("Sales"), QStringLiteral("Catering")};
    input.expenseNames = {QStringLiteral("Rent"), QStringLiteral("Flour"), QStringLiteral("Baker's Wages")};
    const ReportLayout advanced = AdvancedReport(data, input)->layout;
    std::map<QString, double> expected;
    for (const ReportCell &cell : advanced.cells) {
        if (cell.column == 5 && input.expenseNames.contains(cell.text))
            expected[cell.text] += TextAt(advanced, 6, cell.row).toDouble();
    }
    const ChartSeries series = Series(ChartKind::Category, input.from, input.to, 2);
    ASSERT_EQ(series.points.size(), expected.size());
    for (const ChartPoint &p : series.points)
        EXPECT_EQ(FormatCents(p.expense), FormatAmount(expected[p.key])) << p.key.toStdString();
    // Largest first.
    EXPECT_EQ(series.points.front().key, QStringLiteral("Rent"));
    EXPECT_EQ(series.points.front().expense, 107050);

    // One category holding everything.
    const ChartSeries sales = Series(ChartKind::Category, QDate(2024, 1, 1), QDate(2024, 12, 31), 1);
    const std::vector<ChartSlice> whole = DonutSlices(sales);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].amount, 198700);
    EXPECT_EQ(ChartCsv(sales), QByteArray("Category,Income,Share\r\nSales,1987.00,100.0\r\n"));

    // Ten categories, eight slices: the three smallest make "Other".
    for (int i = 1; i <= 10; ++i)
        db.AddTransaction(QStringLiteral("Shop"), QStringLiteral("01/15/2027"), QStringLiteral("C%1").arg(i, 2, 10, QChar(u'0')),
                          i * 10 + i / 100.0, QStringLiteral("x"), 2);
    const std::vector<ChartSlice> slices = DonutSlices(Series(ChartKind::Category, QDate(2027, 1, 1), QDate(2027, 1, 31)));
    ASSERT_EQ(slices.size(), 8u);
    EXPECT_EQ(slices[0].name, QStringLiteral("C10"));
    EXPECT_EQ(slices[6].amount, 4004);
    EXPECT_EQ(slices[7].name, kOtherSlice);
    EXPECT_EQ(slices[7].amount, 3003 + 2002 + 1001);
    EXPECT_EQ(slices[7].categories, QStringList({QStringLiteral("C03"), QStringLiteral("C02"), QStringLiteral("C01")}));
}

TEST_F(ChartSeriesTest, UnitsFollowTheListAndSelectionsQuoteNamesAsTheReportsDo)
{
    db.AddTransaction(QStringLiteral("Market"), QStringLiteral("03/02/2026"), QStringLiteral("Sales"), 5, QString(), 1);
    const ChartSeries units = Series(ChartKind::Unit, QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_EQ(ChartCsv(units), QByteArray("Unit,Income,Expense,Balance\r\nShop,52.50,22.50,30.00\r\n"
                                          "O'Neil Stall,0.00,60.00,-60.00\r\nOnline,0.00,0.00,0.00\r\n"
                                          "Market,5.00,0.00,5.00\r\n"));

    // One unit with a quote and one expense category only.
    MoreReportOptions options;
    options.unit = QStringLiteral("O'Neil Stall");
    options.expenseNames = {QStringLiteral("Rent")};
    ChartRequest request{ChartKind::Monthly, QDate(2020, 12, 1), QDate(2021, 1, 31), options, 2};
    const ChartSeries stall = ComputeChartSeries(data.connection, request, data.company.units);
    EXPECT_EQ(stall.points[0].expense, 2000);
    EXPECT_EQ(stall.points[1].expense, 0);
    EXPECT_EQ(ChartSelectionError(request), 0u);

    request.kind = ChartKind::Category;
    request.type = 1;
    EXPECT_EQ(ChartSelectionError(request), StringId::SelectIncomeCategory);
    request.options->unit.clear();
    request.type = 2;
    EXPECT_EQ(ChartSelectionError(request), StringId::SelectUnit);
}

TEST_F(ChartSeriesTest, ABarListsExactlyTheTransactionsItSums)
{
    const ChartRequest request{ChartKind::Monthly, QDate(2020, 12, 31), QDate(2024, 2, 15), std::nullopt, 2};
    const ChartSeries series = ComputeChartSeries(data.connection, request, data.company.units);
    // December 2020 starts on the 31st: only the stall's pitch.
    const ListQueryInput december = DrillDownInput(request, 2, &series.points.front());
    EXPECT_EQ(december.from, QDate(2020, 12, 31));
    EXPECT_EQ(december.to, QDate(2020, 12, 31));
    const ReportLayout list = ListReport(data, december, BuildListQuery(december).sql);
    EXPECT_EQ(TextAt(list, 3, 13), QStringLiteral("Total"));
    EXPECT_EQ(TextAt(list, 4, 13), FormatCents(series.points.front().expense));

    // February 2024 is cut at the 15th, so the leap day's sale is outside.
    const ListQueryInput february = DrillDownInput(request, 1, &series.points.back());
    EXPECT_EQ(february.to, QDate(2024, 2, 15));
    EXPECT_EQ(series.points.back().income, 0);
    EXPECT_TRUE(february.allCategories && february.allUnits);
}

TEST_F(ChartSeriesTest, ChartsCountEveryAmountAtItsCentAsTheReportsPrintIt)
{
    AddOddCents();
    const QDate from(2027, 5, 1);
    const QDate to(2027, 5, 31);
    const ChartSeries months = Series(ChartKind::Monthly, from, to);
    ASSERT_EQ(months.points.size(), 1u);
    EXPECT_EQ(months.points[0].income, 2033);
    EXPECT_EQ(months.points[0].expense, 905);
    EXPECT_EQ(ReportTotals(from, to), (std::pair{QStringLiteral("20.33"), QStringLiteral("9.05")}));

    const ChartSeries incomes = Series(ChartKind::Category, from, to, 1);
    ASSERT_EQ(incomes.points.size(), 2u);
    EXPECT_EQ(incomes.points[0].key, QStringLiteral("Catering"));
    EXPECT_EQ(incomes.points[0].income, 2020);
    EXPECT_EQ(incomes.points[1].income, 13);
    const ChartSeries units = Series(ChartKind::Unit, from, to);
    EXPECT_EQ(units.points[0].key, QStringLiteral("Shop"));
    EXPECT_EQ(units.points[0].Balance(), 1128);
    // The exported figures: the slices add up to the month.
    EXPECT_EQ(QString::fromUtf8(ChartCsv(incomes)),
              QStringLiteral("Category,Income,Share\r\nCatering,20.20,99.4\r\nSales,0.13,0.6\r\n"));
}

TEST(ChartCsv, ANameASpreadsheetWouldRunIsWrittenAsTextTheFiguresAsNumbers)
{
    ChartSeries units;
    units.kind = ChartKind::Unit;
    units.points = {ChartPoint{QStringLiteral("=Stall"), {}, 500, 1250}, ChartPoint{QStringLiteral("Shop"), {}, 100, 0}};
    EXPECT_EQ(ChartCsv(units), QByteArray("Unit,Income,Expense,Balance\r\n\"'=Stall\",5.00,12.50,-7.50\r\n"
                                          "Shop,1.00,0.00,1.00\r\n"));
}
