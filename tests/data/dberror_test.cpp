#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/dberror.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

TEST(ComErrorMessage, MapsTheKnownStatusesToTheirMessages)
{
    EXPECT_EQ(ComErrorMessage(CDbError(DB_E_ERRORSINCOMMAND, QStringLiteral("syntax error"))), LoadString(StringId::InvalidCharacters));
    EXPECT_EQ(ComErrorMessage(CDbError(DB_E_ERRORSOCCURRED, QString())), LoadString(StringId::DataAccessComponentsMissing));
    EXPECT_EQ(ComErrorMessage(CDbError(DB_E_NOTABLE, QStringLiteral("no such table"))), LoadString(StringId::DatabaseInvalid));
    EXPECT_EQ(ComErrorMessage(CDbError(TWK_E_FAIL, QString())), LoadString(StringId::LoadSaveDataFailed));
    EXPECT_EQ(ComErrorMessage(CDbError(TWK_E_FAIL, QStringLiteral("disk I/O error"))), LoadString(StringId::LoadSaveDataFailed));
}

TEST(ComErrorMessage, ShowsTheEngineDescriptionForOtherStatuses)
{
    EXPECT_EQ(ComErrorMessage(CDbError(DB_E_DATAOVERFLOW, QStringLiteral("too long"))), QStringLiteral("too long"));
    EXPECT_EQ(ComErrorMessage(CDbError(HRESULT(0x800A0CC1), QString())), QString());
    EXPECT_EQ(StandardStatusText(HRESULT(0x80040E57)), QStringLiteral("Unknown error 0x80040E57"));
}

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
