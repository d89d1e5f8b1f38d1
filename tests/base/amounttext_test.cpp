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
