#include "records/currencydlg.h"

#include "recordfixture.h"

#include <QLineEdit>

namespace {

using CurrencyTest = RecordTest;

TEST_F(CurrencyTest, StoredTrimmedNeverEmptyAndAtMostTenCharacters)
{
    CCurrencyDlg page(data);
    auto *box = Control<QLineEdit>(&page, 1046);
    EXPECT_EQ(box->text(), QStringLiteral("$"));
    box->setText(QStringLiteral("12345678901"));
    EXPECT_EQ(box->text(), QStringLiteral("1234567890"));

    box->setText(QStringLiteral("    "));
    EXPECT_FALSE(page.Apply());
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Please enter a currency symbol."));
    EXPECT_EQ(Value(QStringLiteral("SELECT cCurrency FROM LB_DEFAULT_SETTINGS_TB")), QStringLiteral("$"));

    for (const QString &typed : {QStringLiteral("  Rs.  "), QStringLiteral("Ann's")}) {
        box->setText(typed);
        ASSERT_TRUE(page.Apply());
        EXPECT_EQ(Value(QStringLiteral("SELECT cCurrency FROM LB_DEFAULT_SETTINGS_TB")), typed.trimmed());
        EXPECT_EQ(data.settings.cCurrency, typed.trimmed());
    }
}

} // namespace
