#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/dberror.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

TEST(RunReported, ReportsEachKindOfFailureOnceAndReturnsFalse)
{
    EXPECT_TRUE(RunReported([] {}));
    EXPECT_TRUE(TestUi().messages.isEmpty());

    EXPECT_FALSE(RunReported([] { throw CDbError(DB_E_ERRORSINCOMMAND, QString()); }));
    EXPECT_FALSE(RunReported([] { throw CFrameworkException(QStringLiteral("Disk full")); }));
    EXPECT_FALSE(RunReported([] { throw 42; }));
    ASSERT_EQ(TestUi().messages.size(), 3);
    EXPECT_EQ(TestUi().messages[0].text, LoadString(StringId::InvalidCharacters));
    EXPECT_EQ(TestUi().messages[1].text, QStringLiteral("Disk full"));
    EXPECT_EQ(TestUi().messages[2].text, QStringLiteral("Some Error Occured !"));
    EXPECT_EQ(TestUi().messages[2].title, QStringLiteral("Tallywick +"));
}
