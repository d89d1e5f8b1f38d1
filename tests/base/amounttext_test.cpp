#include "base/amounttext.h"

#include "support/germandesktop.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FormatAmount, TwoDecimalsWithAPointAndNoNegativeZero)
{
    EXPECT_EQ(FormatAmount(0.0), QStringLiteral("0.00"));
    EXPECT_EQ(FormatAmount(-12.5), QStringLiteral("-12.50"));
    EXPECT_EQ(FormatAmount(1234567.891), QStringLiteral("1234567.89"));
    EXPECT_EQ(FormatAmount(0.1 + 0.2 - 0.3 - 1e-12), QStringLiteral("0.00"));
    EXPECT_EQ(FormatAmount(-0.0), QStringLiteral("0.00"));
    EXPECT_EQ(FormatAmount(-0.004), QStringLiteral("0.00"));
    EXPECT_EQ(FormatAmount(-0.005001), QStringLiteral("-0.01"));
}

TEST(FormatAmount, IgnoresADecimalCommaDesktop)
{
    CGermanDesktop german;
    if (!german.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_EQ(FormatAmount(1234.5), QStringLiteral("1234.50"));
}

TEST(AmountCents, RoundsTheDecimalValueHalfAwayFromZeroWhereBinaryFloatingPointWouldNot)
{
    // 1.005 and 2.675 are held a hair below the half cent, 0.125 exactly on it.
    EXPECT_EQ(AmountCents(0.125), 13);
    EXPECT_EQ(AmountCents(1.005), 101);
    EXPECT_EQ(AmountCents(2.675), 268);
    EXPECT_EQ(AmountCents(-0.125), -13);
    EXPECT_EQ(AmountCents(-1.005), -101);
    EXPECT_EQ(AmountCents(-2.675), -268);
    // As the stored "%f" text reads back, and a hair either side of a half.
    EXPECT_EQ(AmountCents(QStringLiteral("1.005000").toDouble()), 101);
    EXPECT_EQ(AmountCents(1.004999), 100);
    EXPECT_EQ(AmountCents(0.015), 2);
    EXPECT_EQ(AmountCents(1.115), 112);
    EXPECT_EQ(AmountCents(20.1), 2010);
    EXPECT_EQ(AmountCents(0.1 + 0.2), 30);
    EXPECT_EQ(AmountCents(-0.004), 0);
    // Large amounts take the decimal route too.
    EXPECT_EQ(AmountCents(123456789012.125), 12345678901213LL);
    EXPECT_EQ(AmountCents(987654321.995), 98765432200LL);
    EXPECT_EQ(AmountCents(std::numeric_limits<double>::quiet_NaN()), 0);

    EXPECT_EQ(FormatAmount(1.005), QStringLiteral("1.01"));
    EXPECT_EQ(FormatAmount(2.675), QStringLiteral("2.68"));
    EXPECT_EQ(FormatAmount(0.125), QStringLiteral("0.13"));
    EXPECT_EQ(FormatAmount(-2.675), QStringLiteral("-2.68"));
    EXPECT_EQ(FormatCents(-5), QStringLiteral("-0.05"));
    EXPECT_EQ(FormatCents(123456), QStringLiteral("1234.56"));
}

namespace {

const AmountMarks kPlain{u'.', QChar()};
const AmountMarks kGerman{u',', u'.'};
const AmountMarks kEnglish{u'.', u','};
const AmountMarks kFrench{u',', QChar(0x202F)};

} // namespace

TEST(ReadAmount, TheDesktopsMarksAndThePointReadTheSameNumber)
{
    const struct {
        const char *text;
        AmountMarks marks;
        double value; // -1: refused as no amount
    } cases[] = {
        {"75,00", kGerman, 75},      {"75.00", kGerman, 75},       {"1.250,00", kGerman, 1250},
        {"1250", kGerman, 1250},     {"1.250.000", kGerman, 1250000}, {",5", kGerman, 0.5},
        {"5,", kGerman, 5},          {"0.500", kGerman, 0.5},      {"1.2345", kGerman, 1.2345},
        {"1,250", kGerman, 1.25},    {"1,250.00", kGerman, -1},    {"1.25.0", kGerman, -1},
        {"12.50", kEnglish, 12.5},   {"1,250.50", kEnglish, 1250.5}, {"1,250", kEnglish, 1250},
        {"75,00", kEnglish, -1},     {"12,50", kPlain, -1},        {"1,000", kPlain, -1},
        {"5.", kPlain, 5},           {".5", kPlain, 0.5},          {"0", kPlain, 0},
        {"1 250,50", kFrench, 1250.5}, {"1\u202f250,50", kFrench, 1250.5}, {"1.5", kFrench, 1.5},
        {".", kGerman, -1},          {",", kGerman, -1},           {"-3", kGerman, -1},
        {" 1", kPlain, -1},          {"1.2.3", kPlain, -1},        {"1..2", kGerman, -1},
        {"99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "9999999999999999",
         kPlain, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const AmountReading reading = ReadAmount(QString::fromUtf8(c.text), c.marks);
        if (c.value < 0) {
            EXPECT_FALSE(reading.value);
            EXPECT_EQ(reading.refusal, AmountRefusal::NotAnAmount);
        } else {
            ASSERT_TRUE(reading.value);
            EXPECT_EQ(*reading.value, c.value);
        }
    }
    EXPECT_EQ(ReadAmount(QString(), kGerman).refusal, AmountRefusal::Empty);
}

TEST(ReadAmount, APointThatMayGroupDigitsIsNeverGuessed)
{
    for (const char *text : {"1.250", "1.000", "12.345"}) {
        SCOPED_TRACE(text);
        const AmountReading reading = ReadAmount(QString::fromLatin1(text), kGerman);
        EXPECT_FALSE(reading.value);
        EXPECT_EQ(reading.refusal, AmountRefusal::TwoReadings);
    }
    const AmountReading reading = ReadAmount(QStringLiteral("1.250"), kGerman);
    EXPECT_EQ(AmountRefusalMessage(QStringLiteral("1.250"), reading, kGerman),
              QStringLiteral("\"1.250\" can be read as 1.25 or as 1250. "
                             "Please enter a valid amount, for example 1250.50 or 1.250,50."));
    // Where the point never groups, it is a decimal point.
    EXPECT_EQ(ReadAmount(QStringLiteral("1.250"), kEnglish).value, 1.25);
}

TEST(ReadAmount, TheRefusalNamesTheFormsTheDesktopReads)
{
    const AmountReading refused = ReadAmount(QStringLiteral("x"), kPlain);
    EXPECT_EQ(AmountRefusalMessage(QStringLiteral("x"), refused, kPlain),
              QStringLiteral("Please enter a valid amount, for example 1250.50."));
    EXPECT_EQ(AmountRefusalMessage(QStringLiteral("x"), refused, kEnglish),
              QStringLiteral("Please enter a valid amount, for example 1250.50 or 1,250.50."));
    EXPECT_EQ(AmountRefusalMessage(QString(), ReadAmount(QString(), kGerman), kGerman),
              QStringLiteral("Please enter a valid amount, for example 1250.50 or 1.250,50."));
}

TEST(ReadAmount, TheDesktopsMarksComeFromItsLocale)
{
    {
        CGermanDesktop german;
        const AmountMarks marks = DesktopAmountMarks();
        EXPECT_EQ(marks.decimal, u',');
        EXPECT_EQ(marks.group, u'.');
    }
    CPlainDesktop plain;
    const AmountMarks marks = DesktopAmountMarks();
    EXPECT_EQ(marks.decimal, u'.');
    EXPECT_TRUE(marks.group.isNull());
}
