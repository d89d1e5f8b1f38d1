#include "base/amounttext.h"

#include "support/germandesktop.h"

#include <gtest/gtest.h>

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
