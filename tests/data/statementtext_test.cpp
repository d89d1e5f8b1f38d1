#include "data/statementreader.h"
#include "data/statementtext.h"

#include <gtest/gtest.h>

namespace {

TEST(StatementAmount, ReadsTheWaysBanksWriteMoney)
{
    EXPECT_EQ(ParseStatementAmount(QStringLiteral("-1,234.56"), false), -1234.56);
    EXPECT_EQ(ParseStatementAmount(QStringLiteral("1.234.567,8"), true), 1234567.8);
    EXPECT_EQ(ParseStatementAmount(QStringLiteral("12,50-"), true), -12.5);
    EXPECT_EQ(ParseStatementAmount(QStringLiteral("(45.00)"), false), -45.0);
    EXPECT_EQ(ParseStatementAmount(QStringLiteral("\u20AC -3,10"), true), -3.1);
    EXPECT_EQ(ParseStatementAmount(QStringLiteral("1\u00A0234,00 EUR"), true), 1234.0);
    EXPECT_EQ(ParseStatementAmount(QStringLiteral("USD +7"), false), 7.0);
    EXPECT_EQ(ParseStatementAmount(QStringLiteral(".5"), false), 0.5);
}

TEST(StatementAmount, RefusesWhatIsNoAmountUnderTheDecimalMark)
{
    // Read with the wrong decimal mark, a grouped amount must not pass as
    // a thousand times too much or too little.
    EXPECT_FALSE(ParseStatementAmount(QStringLiteral("1,234.56"), true));
    EXPECT_FALSE(ParseStatementAmount(QStringLiteral("12,50"), false));
    EXPECT_FALSE(ParseStatementAmount(QStringLiteral("1.2.3"), false));
    EXPECT_FALSE(ParseStatementAmount(QStringLiteral("--5"), false));
    EXPECT_FALSE(ParseStatementAmount(QStringLiteral("-"), false));
    EXPECT_FALSE(ParseStatementAmount(QStringLiteral("twelve"), false));
    EXPECT_FALSE(ParseStatementAmount(QString(), false));
}

TEST(StatementDate, ReadsEachFormatAndRefusesImpossibleDays)
{
    EXPECT_EQ(ParseStatementDate(QStringLiteral("1/5/2026"), QStringLiteral("MM/DD/YYYY")), QDate(2026, 1, 5));
    EXPECT_EQ(ParseStatementDate(QStringLiteral("1/5/2026"), QStringLiteral("DD/MM/YYYY")), QDate(2026, 5, 1));
    EXPECT_EQ(ParseStatementDate(QStringLiteral("2026-12-31"), QStringLiteral("YYYY-MM-DD")), QDate(2026, 12, 31));
    EXPECT_EQ(ParseStatementDate(QStringLiteral(" 31.01.26 "), QStringLiteral("DD.MM.YY")), QDate(2026, 1, 31));
    EXPECT_EQ(ParseStatementDate(QStringLiteral("12/31/99"), QStringLiteral("MM/DD/YY")), QDate(1999, 12, 31));
    EXPECT_FALSE(ParseStatementDate(QStringLiteral("31/02/2026"), QStringLiteral("DD/MM/YYYY")).isValid());
    EXPECT_FALSE(ParseStatementDate(QStringLiteral("31.01.2026"), QStringLiteral("DD.MM.YY")).isValid());
    EXPECT_FALSE(ParseStatementDate(QStringLiteral("2026-01-05"), QStringLiteral("DD.MM.YYYY")).isValid());
    EXPECT_FALSE(ParseStatementDate(QStringLiteral("1/x/2026"), QStringLiteral("MM/DD/YYYY")).isValid());
}

TEST(StatementDate, CandidatesAreTheFormatsThatReadEveryRow)
{
    EXPECT_EQ(CandidateDateFormats({QStringLiteral("03/04/2026"), QStringLiteral("12/31/2026")}),
              QStringList{QStringLiteral("MM/DD/YYYY")});
    EXPECT_EQ(CandidateDateFormats({QStringLiteral("03/04/2026"), QStringLiteral("04/03/2026")}),
              (QStringList{QStringLiteral("MM/DD/YYYY"), QStringLiteral("DD/MM/YYYY")}));
    EXPECT_EQ(CandidateDateFormats({QStringLiteral("13.01.26"), QString()}), QStringList{QStringLiteral("DD.MM.YY")});
    EXPECT_TRUE(CandidateDateFormats({QStringLiteral("13/13/2026")}).isEmpty());
}

TEST(StatementDate, TwoDigitYearsCenterOnTheSeventies)
{
    EXPECT_EQ(ExpandTwoDigitYear(69), 2069);
    EXPECT_EQ(ExpandTwoDigitYear(70), 1970);
    EXPECT_EQ(ExpandTwoDigitYear(0), 2000);
}

TEST(CsvLayout, ComesBackFromItsTextAndNamesWhatIsMissing)
{
    CCsvLayout layout;
    layout.delimiter = u'\t';
    layout.encoding = QStringLiteral("Windows-1252");
    layout.skipLines = 3;
    layout.dateFormat = QStringLiteral("DD.MM.YY");
    layout.decimalComma = true;
    layout.dateColumn = 0;
    layout.descriptionColumn = 2;
    layout.memoColumn = 5;
    layout.debitColumn = 3;
    layout.creditColumn = 4;
    EXPECT_EQ(layout.Problem(), QString());
    const std::optional<CCsvLayout> back = CCsvLayout::FromText(layout.ToText());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ToText(), layout.ToText());
    EXPECT_EQ(back->delimiter, u'\t');
    EXPECT_EQ(back->creditColumn, 4);
    EXPECT_FALSE(CCsvLayout::FromText(QStringLiteral("date=1,amount=2")));
    EXPECT_FALSE(CCsvLayout::FromText(QStringLiteral("{\"delimiter\":\";\"}")));

    layout.amountColumn = 1;
    EXPECT_EQ(layout.Problem(), QStringLiteral("Choose either one amount column or debit and credit columns, not both."));
    layout.debitColumn = layout.creditColumn = -1;
    layout.memoColumn = 0;
    EXPECT_EQ(layout.Problem(), QStringLiteral("Column 1 is chosen twice."));
    layout.memoColumn = -1;
    layout.dateFormat = QStringLiteral("D/M/Y");
    EXPECT_TRUE(layout.Problem().startsWith(QStringLiteral("The date format \"D/M/Y\"")));
}

} // namespace
