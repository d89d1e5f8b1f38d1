#include "data/sqltext.h"

#include "support/germandesktop.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(SqlQuote, DoublesEveryApostropheAndNothingElse)
{
    EXPECT_EQ(SqlQuote(QStringLiteral("Children's Books")), QStringLiteral("Children''s Books"));
    EXPECT_EQ(SqlQuote(QStringLiteral("''")), QStringLiteral("''''"));
    EXPECT_EQ(SqlQuote(QStringLiteral("100% \\ \"x\"\n")), QStringLiteral("100% \\ \"x\"\n"));
    EXPECT_EQ(SqlQuote(QString()), QString());
}

TEST(DateText, IsMonthFirstWithTwoDigitsAndFourDigitYear)
{
    EXPECT_EQ(DateText(QDate(2026, 12, 5)), QStringLiteral("12/05/2026"));
    EXPECT_EQ(DateText(QDate(2024, 2, 29)), QStringLiteral("02/29/2024"));
    EXPECT_EQ(DateText(QDate(999, 1, 1)), QStringLiteral("01/01/0999"));
}

TEST(FormatSql, FormatsEachKindAsPrintfWould)
{
    EXPECT_EQ(FormatSql("a=%d b=%ld c='%s' d=%f e=%.2f %%", 5, 7L, QStringLiteral("x"), 12.5, 3.14159),
              QStringLiteral("a=5 b=7 c='x' d=12.500000 e=3.14 %"));
    EXPECT_EQ(FormatSql("[%5s|%-4s|%.2s]", QStringLiteral("ab"), QStringLiteral("c"), QStringLiteral("xyz")),
              QStringLiteral("[   ab|c   |xy]"));
    EXPECT_EQ(FormatSql("%03d %x", 7, 255), QStringLiteral("007 ff"));
    // An integer widens to a fraction without loss; %f of a large amount is exact to the cent.
    EXPECT_EQ(FormatSql("%f", 3), QStringLiteral("3.000000"));
    EXPECT_EQ(FormatSql("%f", 12345678.91), QStringLiteral("12345678.910000"));
}

TEST(FormatSql, NumbersKeepAPointOnADecimalCommaDesktop)
{
    CGermanDesktop german;
    if (!german.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_EQ(FormatSql("values (%f,%.2f,%e,'%s',%d)", 12.5, -0.5, 1500.0, QStringLiteral("1,5"), 3), QStringLiteral("values (12.500000,-0.50,1.500000e+03,'1,5',3)"));
}

TEST(FormatSql, RefusesMismatchedKindsWrongArgumentCountsAndBrokenTemplates)
{
    EXPECT_THROW(FormatSql("%d", QStringLiteral("1")), std::invalid_argument);
    EXPECT_THROW(FormatSql("%s", 1), std::invalid_argument);
    EXPECT_THROW(FormatSql("%d", 1.5), std::invalid_argument);
    EXPECT_THROW(FormatSql("%f", QStringLiteral("1.5")), std::invalid_argument);
    EXPECT_THROW(FormatSql("%d %d", 1), std::invalid_argument);
    EXPECT_THROW(FormatSql("%d", 1, 2), std::invalid_argument);
    EXPECT_THROW(FormatSql("abc %", 1), std::invalid_argument);
    EXPECT_THROW(FormatSql("%n", 1), std::invalid_argument);
    // A width or precision so wide that the number would come out cut short.
    EXPECT_THROW(FormatSql("%0600d", 1), std::invalid_argument);
    EXPECT_THROW(FormatSql("%.300f", 1e308), std::invalid_argument);
    EXPECT_THROW(FormatSql("%3333333333s", QStringLiteral("x")), std::invalid_argument);
    EXPECT_EQ(FormatSql("%.99f", -1e308).size(), 1 + 309 + 1 + 99);
}
