#include "base/amounttext.h"

#include <gtest/gtest.h>

#include <clocale>

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
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    const QString text = FormatAmount(1234.5);
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(text, QStringLiteral("1234.50"));
}
