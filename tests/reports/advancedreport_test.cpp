#include "reportfixture.h"

#include "reports/advancedreport.h"
#include "reports/reportqueries.h"

#include <algorithm>

namespace {

class AdvancedReportTest : public ReportFixture
{
protected:
    AdvancedReportTest()
    {
        input.from = QDate(2026, 3, 1);
        input.to = QDate(2026, 3, 31);
        input.units = data.company.units;
        input.incomeNames = {QStringLiteral("Sales")};
        input.expenseNames = {QStringLiteral("Rent"), QStringLiteral("Baker's Wages")};
    }
    AdvancedQueryInput input;
};

} // namespace

TEST(AdvancedQueries, DescriptionFiltersLowerTheTextAndQuoteIt)
{
    AdvancedQueryInput input;
    input.from = QDate(2026, 1, 1);
    input.to = QDate(2026, 1, 31);
    input.incomeNames = {QStringLiteral("Ni")};
    input.expenseNames = {QStringLiteral("Ne"), QStringLiteral("N'e")};
    input.option = kMatchingDescription;
    input.incomeText = QStringLiteral("Di");
    input.expenseText = QStringLiteral("Ä'e");
    const QString query = AdvancedQuery(input, QStringLiteral("U'1"));
    for (const QString &part : {QStringLiteral("cUnitName='U''1'"), QStringLiteral("LIKE '%ä''e%'"),
                                QStringLiteral("cTransactionName IN ('Ne','N''e')")})
        EXPECT_TRUE(query.contains(part)) << qPrintable(query);
    input.option = kExactDescription;
    EXPECT_TRUE(AdvancedQuery(input, QStringLiteral("U"))
                    .contains(QStringLiteral("(iTransactionType=1 AND LCASE(cTransactionDescription)='di' AND")));
}

TEST_F(AdvancedReportTest, EachUnitGetsItsBlockAndTheNetBalanceIsBlue)
{
    const std::optional<AdvancedLayout> report = AdvancedReport(data, input);
    ASSERT_TRUE(report);
    const ReportLayout &l = report->layout;
    EXPECT_EQ(l.rowCount, 3 + 22 * 3 + 20);
    EXPECT_EQ(TextAt(l, 3, 3), QStringLiteral("From 01/Mar/2026 To 31/Mar/2026"));

    // Shop: Sales 12.50 + 40.00 against Rent 15.50.
    EXPECT_EQ(TextAt(l, 3, 5), QStringLiteral("Shop"));
    EXPECT_EQ(RowTexts(l, 11), QStringList({{}, QStringLiteral("Sales"), QStringLiteral("52.50"), {},
                                            QStringLiteral("Rent"), QStringLiteral("15.50")}));
    EXPECT_EQ(TextAt(l, 6, 16), QStringLiteral("37.00"));
    EXPECT_TRUE(RightAt(l, 6, 16));

    // The stall has one expense, Online nothing: its block still shows 0.00.
    EXPECT_EQ(TextAt(l, 3, 20), QStringLiteral("O'Neil Stall"));
    EXPECT_EQ(TextAt(l, 5, 26), QStringLiteral("Baker's Wages"));
    EXPECT_EQ(TextAt(l, 6, 31), QStringLiteral("-60.00"));
    EXPECT_EQ(TextAt(l, 3, 35), QStringLiteral("Online"));
    EXPECT_EQ(RowTexts(l, 43), QStringList({{}, QStringLiteral("Total"), QStringLiteral("0.00"), {},
                                            QStringLiteral("Total"), QStringLiteral("0.00")}));
    EXPECT_EQ(TextAt(l, 6, 45), QStringLiteral("0.00"));

    EXPECT_EQ(TextAt(l, 5, 48), QStringLiteral("Net Balance:"));
    EXPECT_EQ(TextAt(l, 6, 48), QStringLiteral("-23.00"));
    EXPECT_DOUBLE_EQ(report->netBalance, -23.0);
    EXPECT_EQ(report->blueCells, (std::vector<std::pair<int, int>>{{5, 48}, {6, 48}}));
    // Every cell lies inside the grid.
    EXPECT_TRUE(std::all_of(l.cells.begin(), l.cells.end(), [&l](const ReportCell &c) { return c.row < l.rowCount; }));
}

TEST_F(AdvancedReportTest, DescriptionTextsFilterTheirOwnTypeInAnyLetterCase)
{
    input.option = kMatchingDescription;
    input.incomeText = QStringLiteral("ÄRZTE");
    input.expenseText = QStringLiteral("cHEQUE");
    std::optional<AdvancedLayout> report = AdvancedReport(data, input);
    ASSERT_TRUE(report);
    EXPECT_EQ(TextAt(report->layout, 3, 11), QStringLiteral("12.50"));
    EXPECT_EQ(TextAt(report->layout, 6, 11), QStringLiteral("15.50"));
    EXPECT_EQ(TextAt(report->layout, 6, 30), QStringLiteral("0.00"));

    // Exact wants the whole description.
    input.option = kExactDescription;
    input.incomeText = QStringLiteral("ärzte PRAXIS");
    report = AdvancedReport(data, input);
    ASSERT_TRUE(report);
    EXPECT_EQ(TextAt(report->layout, 3, 14), QStringLiteral("12.50"));
    EXPECT_EQ(TextAt(report->layout, 6, 14), QStringLiteral("0.00"));
}

TEST_F(AdvancedReportTest, NoRecordsInAnyUnitGivesNoReport)
{
    input.from = input.to = QDate(2019, 1, 1);
    EXPECT_FALSE(AdvancedReport(data, input));
}
