#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/dberror.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

TEST(ComErrorMessage, MapsTheKnownStatusesAndShowsTheEngineTextForOthers)
{
    const struct {
        HRESULT status;
        const char *description;
        QString message;
    } cases[] = {
        {DB_E_ERRORSINCOMMAND, "syntax error", LoadString(StringId::InvalidCharacters)},
        {DB_E_ERRORSOCCURRED, "", LoadString(StringId::DataAccessComponentsMissing)},
        {DB_E_NOTABLE, "no such table", LoadString(StringId::DatabaseInvalid)},
        {TWK_E_FAIL, "disk I/O error", LoadString(StringId::LoadSaveDataFailed)},
        {DB_E_DATAOVERFLOW, "too long", QStringLiteral("too long")},
        {HRESULT(0x800A0CC1), "", QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ComErrorMessage(CDbError(c.status, QString::fromLatin1(c.description))), c.message) << c.status;
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
