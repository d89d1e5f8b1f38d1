#include "reportfixture.h"

#include "reports/listreport.h"
#include "reports/reportformat.h"
#include "reports/reportqueries.h"

#include "data/sqltext.h"

namespace {

class ListReportTest : public ReportFixture
{
protected:
    ListReportTest()
    {
        input.type = 2;
        input.from = QDate(2020, 12, 1);
        input.to = QDate(2021, 1, 31);
        input.allCategories = true;
        input.unit = QStringLiteral("Shop");
    }
    ReportLayout Report()
    {
        const ListQuery query = BuildListQuery(input);
        EXPECT_EQ(query.code, kListReady);
        return ListReport(data, input, query.sql);
    }
    // Date and description of the listed rows, from row 9 down.
    QStringList Listed(const ReportLayout &report)
    {
        QStringList rows;
        for (int row = 9; !TextAt(report, 3, row).startsWith(u'<'); ++row)
            rows << TextAt(report, 1, row) + u' ' + TextAt(report, 2, row);
        return rows;
    }
    ListQueryInput input;
};

} // namespace

TEST_F(ListReportTest, ChecksComeInOrderAndTheStatementQuotesEveryText)
{
    input.from = QDate(2021, 2, 1);
    input.allCategories = false;
    input.unit.clear();
    EXPECT_EQ(BuildListQuery(input).code, kListBadDates);
    input.from = input.to;
    EXPECT_EQ(BuildListQuery(input).code, kListNoCategory);
    input.categories = {QStringLiteral("Rent"), QStringLiteral("Baker's Wages")};
    EXPECT_EQ(BuildListQuery(input).code, kListNoUnit);
    input.unit = QStringLiteral("O'Neil Stall");
    input.keywordOption = kMatchingDescription;
    input.matchingKeyword = QStringLiteral("Cash's");
    const QString sql = BuildListQuery(input).sql;
    for (const QString &part : {QStringLiteral("'Baker''s Wages'"), QStringLiteral("'O''Neil Stall'"),
                                QStringLiteral("LIKE '%cash''s%'")})
        EXPECT_TRUE(sql.contains(part)) << qPrintable(sql);
    // Every unit needs no unit chosen and adds no unit condition.
    input.unit.clear();
    input.allUnits = true;
    EXPECT_FALSE(BuildListQuery(input).sql.contains(QStringLiteral("cUnitName")));
}

TEST_F(ListReportTest, ByDateOrdersAcrossTheNewYearByEntryOtherwise)
{
    input.sortByDate = true;
    ReportLayout report = Report();
    EXPECT_EQ(Listed(report), QStringList({QStringLiteral("30/Dec/2020 December rent"),
                                           QStringLiteral("02/Jan/2021 January rent")}));
    input.sortByDate = false;
    report = Report();
    EXPECT_EQ(Listed(report), QStringList({QStringLiteral("02/Jan/2021 January rent"),
                                           QStringLiteral("30/Dec/2020 December rent")}));
    EXPECT_EQ(TextAt(report, 2, 2), QStringLiteral("From 01/Dec/2020 To 31/Jan/2021"));
    EXPECT_EQ(TextAt(report, 3, 14), QStringLiteral("Total"));
    EXPECT_EQ(TextAt(report, 4, 14), QStringLiteral("1010.00"));
    // The whole amount column reads right-aligned, the rest left.
    for (int row : {6, 7, 9, 14, 15, 17})
        EXPECT_TRUE(RightAt(report, 4, row)) << row;
    EXPECT_FALSE(RightAt(report, 3, 14));

    // Every unit adds the stall's pitch on the last day of 2020.
    input.allUnits = true;
    input.sortByDate = true;
    report = Report();
    EXPECT_EQ(TextAt(report, 2, 1), QStringLiteral("All Units"));
    EXPECT_EQ(Listed(report).size(), 3);
    EXPECT_EQ(TextAt(report, 2, 10), QStringLiteral("Pitch"));
    EXPECT_EQ(TextAt(report, 4, 15), QStringLiteral("1030.00"));
}

TEST_F(ListReportTest, KeywordsMatchInAnyLetterCaseUmlautsIncluded)
{
    input.type = 1;
    input.from = QDate(2026, 3, 1);
    input.to = QDate(2026, 3, 31);
    input.keywordOption = kExactDescription;
    input.exactKeyword = QStringLiteral("ÄRZTE praxis");
    ReportLayout report = Report();
    EXPECT_EQ(Listed(report), QStringList{QStringLiteral("15/Mar/2026 Ärzte Praxis")});
    // Every amount with two decimals, as the total and every other report.
    EXPECT_EQ(TextAt(report, 4, 9), QStringLiteral("12.50"));
    EXPECT_EQ(TextAt(report, 4, 13), QStringLiteral("12.50"));

    // Exact wants the whole description; matching takes a part of it.
    input.exactKeyword = QStringLiteral("ärzte");
    EXPECT_TRUE(Listed(Report()).isEmpty());
    input.keywordOption = kMatchingDescription;
    input.matchingKeyword = QStringLiteral("ÄRZTE");
    EXPECT_EQ(Listed(Report()).size(), 1);
    // An empty edit filters nothing.
    input.matchingKeyword.clear();
    EXPECT_EQ(Listed(Report()).size(), 2);
}

TEST_F(ListReportTest, AListWithNothingInItShowsHeadingsAndAZeroTotal)
{
    input.from = input.to = QDate(2019, 5, 5);
    const ReportLayout report = Report();
    EXPECT_EQ(TextAt(report, 1, 9), QStringLiteral("<none>"));
    EXPECT_EQ(TextAt(report, 3, 12), QStringLiteral("Total"));
    EXPECT_EQ(TextAt(report, 4, 12), QStringLiteral("0.00"));
}

TEST_F(ListReportTest, EveryAmountShowsTwoDecimalsAtItsCentAndTheTotalIsTheirSum)
{
    AddOddCents();
    input.type = 1;
    input.from = QDate(2027, 5, 1);
    input.to = QDate(2027, 5, 31);
    input.sortByDate = true;
    ReportLayout report = Report();
    EXPECT_EQ(TextAt(report, 4, 9), QStringLiteral("0.13"));
    for (int row = 10; row < 30; ++row)
        EXPECT_EQ(TextAt(report, 4, row), QStringLiteral("1.01")) << row;
    EXPECT_EQ(TextAt(report, 3, 33), QStringLiteral("Total"));
    EXPECT_EQ(TextAt(report, 4, 33), QStringLiteral("20.33"));
    EXPECT_EQ(PrintedCents(report, 4, 9, 29), 2033);

    input.type = 2;
    report = Report();
    EXPECT_EQ(TextAt(report, 4, 9), QStringLiteral("2.68"));
    EXPECT_EQ(TextAt(report, 4, 12), QStringLiteral("1.01"));
    EXPECT_EQ(TextAt(report, 4, 16), QStringLiteral("9.05"));
    EXPECT_EQ(PrintedCents(report, 4, 9, 12), 905);
}

TEST_F(ListReportTest, HundredsOfChosenCategoriesMakeOneNameList)
{
    input.allCategories = false;
    for (int i = 0; i < 249; ++i)
        input.categories << QStringLiteral("Expense line %1 of O'Brien & Daughters Ltd").arg(i);
    input.categories << QStringLiteral("Rent");
    const ListQuery query = BuildListQuery(input);
    EXPECT_GT(query.sql.size(), kSqlBufferChars);
    EXPECT_EQ(query.sql.count(QStringLiteral("cTransactionName")), 1);
    const ReportLayout report = Report();
    EXPECT_EQ(Listed(report), (QStringList{QStringLiteral("02/Jan/2021 January rent"),
                                           QStringLiteral("30/Dec/2020 December rent")}));
    EXPECT_EQ(TextAt(report, 4, 14), QStringLiteral("1010.00"));
}

TEST_F(ListReportTest, RowsOfSeveralUnitsNameTheirUnitAfterTheAmountOthersAreUnchanged)
{
    input.allUnits = true;
    input.sortByDate = true;
    const ReportLayout all = Report();
    EXPECT_EQ(RowTexts(all, 6), QStringList({"Date", "Description", "Category", "Amount ($)", "Unit", ""}));
    EXPECT_EQ(TextAt(all, 5, 7), kRulePeriod);
    EXPECT_EQ(Listed(all), QStringList({QStringLiteral("30/Dec/2020 December rent"), QStringLiteral("31/Dec/2020 Pitch"),
                                        QStringLiteral("02/Jan/2021 January rent")}));
    for (const auto &[row, unit] : {std::pair{9, "Shop"}, std::pair{10, "O'Neil Stall"}, std::pair{11, "Shop"}})
        EXPECT_EQ(TextAt(all, 5, row), QString::fromUtf8(unit)) << row;
    EXPECT_EQ(TextAt(all, 6, 10), QStringLiteral("<none>"));
    // The unit reads left-aligned; the amount column keeps its place and alignment.
    EXPECT_FALSE(RightAt(all, 5, 10));
    EXPECT_TRUE(RightAt(all, 4, 10));
    EXPECT_EQ(TextAt(all, 4, 15), QStringLiteral("1030.00"));

    // One unit, chosen or the only one among the rows: no unit column.
    for (const bool every : {false, true}) {
        input.allUnits = every;
        input.unit = every ? QString() : QStringLiteral("Shop");
        input.type = every ? 1 : 2;
        const ReportLayout one = Report();
        for (int row = 6; row < one.rowCount; ++row)
            EXPECT_EQ(CellAt(one, 5, row), nullptr) << every << ' ' << row;
    }
}
