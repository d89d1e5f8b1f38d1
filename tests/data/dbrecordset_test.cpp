#include "data/dbrecordset.h"

#include "support/testdatabase.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class Recordset : public ::testing::Test
{
protected:
    void AddCategory(const QString &name, const QString &description, int type)
    {
        db.AddCategory(name, type, description);
    }
    CTestDatabase db;
};

const QStringList kAwkwardTexts = {
    QStringLiteral("Children's Books"),
    QStringLiteral("''"),
    QStringLiteral("100% sure %s %d %%"),
    QStringLiteral("back\\slash \\' \\\\"),
    QStringLiteral("line one\nline two\r\nthree\ttab"),
    QStringLiteral("Ünïcødé – 日本語 – ελληνικά – emoji 💶"),
    QStringLiteral("x'); DROP TABLE LB_TRANSACTION_INFO_TB;--"),
    QStringLiteral("'; DELETE FROM LB_ITEM_MASTER_INFO_TB; SELECT '"),
    QStringLiteral("datevalue('01/01/2020')"),
    QStringLiteral("   leading and trailing   "),
};

} // namespace

TEST_F(Recordset, AwkwardTextRoundTripsThroughEveryStatementShape)
{
    for (const QString &text : kAwkwardTexts) {
        AddCategory(text, text, 2);
        CDbRecordset find(db.Connection());
        ASSERT_TRUE(find.Open("SELECT * FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='%s' AND "
                              "(LCASE(cTransactionDescription)) LIKE '%%%s%%'",
                              SqlQuote(text), SqlQuote(text.toLower())));
        ASSERT_EQ(find.GetRecordCount(), 1) << text.toStdString();
        EXPECT_EQ(find.GetString(QStringLiteral("cTransactionName")), text);
        EXPECT_EQ(find.GetString(QStringLiteral("cTransactionDescription")), text);
        const long id = find.GetLong(QStringLiteral("iTransactionId"));
        find.Close();

        CDbRecordset update(db.Connection());
        update.Open("UPDATE LB_ITEM_MASTER_INFO_TB SET cTransactionDescription='%s' WHERE iTransactionId=%ld",
                    SqlQuote(text + text), id);
        EXPECT_EQ(db.Scalar(QStringLiteral("SELECT cTransactionDescription FROM LB_ITEM_MASTER_INFO_TB WHERE iTransactionId=%1").arg(id)),
                  text + text);

        CDbRecordset remove(db.Connection());
        remove.Open("DELETE FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='%s'", SqlQuote(text));
        EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB")), 0) << text.toStdString();
    }
    // Nothing hostile ran: every table is still there.
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name LIKE 'LB_%'")),
              QStringLiteral("5"));
}

TEST_F(Recordset, HostileOrBrokenStatementsAreRefusedWithTheirStatusAndRunNothing)
{
    AddCategory(QStringLiteral("Rent"), QString(), 2);
    const auto status = [this](const char *sql, const QString &argument) -> HRESULT {
        CDbRecordset rs(db.Connection());
        try {
            rs.Open(sql, argument);
        } catch (const CDbError &e) {
            return e.Status();
        }
        return 0;
    };
    // A second statement must not run.
    EXPECT_EQ(status("SELECT * FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='%s'",
                     QStringLiteral("x'; DROP TABLE LB_ITEM_MASTER_INFO_TB;--")),
              DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(status("SELEC * FROM LB_ITEM_MASTER_INFO_TB WHERE '%s'", QString()), DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(status("SELECT * FROM LB_NO_SUCH_TB WHERE '%s'", QString()), DB_E_NOTABLE);
    CDbRecordset rs(db.Connection());
    EXPECT_THROW(rs.Open("DELETE FROM LB_ITEM_MASTER_INFO_TB WHERE iType=%d", QStringLiteral("1 OR 1=1")),
                 std::invalid_argument);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB")), 1);
}

TEST_F(Recordset, NullValuesReadAsEmptyOrZero)
{
    db.Exec(QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName) VALUES (NULL)"));
    CDbRecordset rs(db.Connection());
    ASSERT_TRUE(rs.Open("SELECT * FROM LB_TRANSACTION_INFO_TB"));
    EXPECT_EQ(rs.GetString(QStringLiteral("cTransactionName")), QString());
    EXPECT_EQ(rs.GetLong(QStringLiteral("iTransactionType")), 0);
    EXPECT_EQ(rs.GetShort(QStringLiteral("iTransactionType")), 0);
    EXPECT_EQ(rs.GetDouble(QStringLiteral("cTransactionAmount")), 0.0);
    EXPECT_TRUE(rs.GetValue(QStringLiteral("cUnitName")).isNull());
    // Column names match without regard to case, as the readers spell them variously.
    EXPECT_EQ(rs.GetLong(QStringLiteral("ITRANSACTIONNUMBER")), 1);
}

TEST_F(Recordset, ConvertsBetweenKindsOrRefusesClearly)
{
    db.Exec(QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionAmount,iTransactionType,cTransactionName) "
                           "VALUES ('42', 12.5, 70000, 'abc')"));
    CDbRecordset rs(db.Connection());
    ASSERT_TRUE(rs.Open("SELECT * FROM LB_TRANSACTION_INFO_TB"));
    EXPECT_EQ(rs.GetString(QStringLiteral("cTransactionAmount")), QStringLiteral("12.5"));
    EXPECT_EQ(rs.GetString(QStringLiteral("iTransactionType")), QStringLiteral("70000"));
    EXPECT_EQ(rs.GetLong(QStringLiteral("cUnitName")), 42);
    EXPECT_EQ(rs.GetLong(QStringLiteral("cTransactionAmount")), 12); // half to even
    EXPECT_EQ(rs.GetLong(QStringLiteral("iTransactionType")), 70000);
    EXPECT_THROW(rs.GetShort(QStringLiteral("iTransactionType")), CDbError);
    EXPECT_THROW(rs.GetDouble(QStringLiteral("cTransactionName")), CDbError);
    EXPECT_THROW(rs.GetString(QStringLiteral("NoSuchColumn")), CDbError);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_THROW(rs.GetString(QStringLiteral("cUnitName")), CDbError);
    EXPECT_THROW(rs.MoveNext(), CDbError);
}

TEST_F(Recordset, SecondOpenWithoutCloseRunsNothing)
{
    AddCategory(QStringLiteral("A"), QString(), 1);
    CDbRecordset rs(db.Connection());
    ASSERT_TRUE(rs.Open("SELECT * FROM LB_ITEM_MASTER_INFO_TB"));
    EXPECT_FALSE(rs.Open("DELETE FROM LB_ITEM_MASTER_INFO_TB"));
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB")), 1);
    rs.Close();
    EXPECT_TRUE(rs.Open("DELETE FROM LB_ITEM_MASTER_INFO_TB"));
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB")), 0);
    // A statement without rows leaves the record set closed, so it can open again.
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_TRUE(rs.IsEOF());
}

TEST_F(Recordset, CountsAreExactAndMoveFirstRewinds)
{
    for (int i = 0; i < 7; ++i)
        AddCategory(QStringLiteral("C%1").arg(i), QString(), 1 + i % 3);
    CDbRecordset rs(db.Connection());
    ASSERT_TRUE(rs.Open("SELECT * FROM LB_ITEM_MASTER_INFO_TB WHERE iType=%d ORDER BY cTransactionName", 1));
    EXPECT_EQ(rs.GetRecordCount(), 3);
    int seen = 0;
    for (; !rs.IsEOF(); rs.MoveNext())
        ++seen;
    EXPECT_EQ(seen, 3);
    rs.MoveFirst();
    EXPECT_EQ(rs.GetString(QStringLiteral("cTransactionName")), QStringLiteral("C0"));
    CDbRecordset none(db.Connection());
    ASSERT_TRUE(none.Open("SELECT COUNT(*) AS RecCount FROM LB_ITEM_MASTER_INFO_TB WHERE iType=%d", 9));
    EXPECT_EQ(none.GetLong(QStringLiteral("RecCount")), 0);
}

TEST_F(Recordset, StatementLongerThanTheBufferIsRefusedAndNotRun)
{
    const QString longText(5000, u'x');
    CDbRecordset rs(db.Connection());
    try {
        rs.Open("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) VALUES ('%s','%s',%d)",
                longText, QStringLiteral("d"), 1);
        FAIL() << "a statement over 5047 characters must be refused";
    } catch (const CDbError &e) {
        EXPECT_EQ(e.Status(), DB_E_DATAOVERFLOW);
        EXPECT_TRUE(e.Description().contains(QStringLiteral("too long")));
    }
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB")), 0);
    // Just under the limit runs.
    const QString fits(4900, u'y');
    EXPECT_TRUE(rs.Open("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,iType) VALUES ('%s',%d)", fits, 1));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT length(cTransactionName) FROM LB_ITEM_MASTER_INFO_TB")), QStringLiteral("4900"));
}

TEST_F(Recordset, AStatementTheProgramBuiltRunsAtAnyLengthWhereAPlainTextIsRefused)
{
    AddCategory(QStringLiteral("Rent"), QString(), 2);
    QStringList names;
    for (int i = 0; i < 400; ++i)
        names << QStringLiteral("'Category number %1'").arg(i);
    names << QStringLiteral("'Rent'");
    const QString sql = QStringLiteral("SELECT COUNT(*) AS n FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName IN (")
                        + names.join(u',') + u')';
    ASSERT_GT(sql.size(), kSqlBufferChars);
    CDbRecordset text(db.Connection());
    EXPECT_THROW(text.OpenText(sql), CDbError);
    CDbRecordset built(db.Connection());
    ASSERT_TRUE(built.OpenBuilt(sql));
    EXPECT_EQ(built.GetLong(QStringLiteral("n")), 1);
    EXPECT_FALSE(built.OpenBuilt(sql));
}

TEST_F(Recordset, ReadsByPositionRowAfterRowAsByName)
{
    for (int i = 0; i < 3; ++i)
        AddCategory(QStringLiteral("C%1").arg(i), QStringLiteral("D%1").arg(i), 1 + i);
    CDbRecordset rs(db.Connection());
    EXPECT_THROW(rs.ColumnIndex(QStringLiteral("iType")), CDbError);
    ASSERT_TRUE(rs.Open("SELECT cTransactionName, iType, cTransactionDescription FROM LB_ITEM_MASTER_INFO_TB "
                        "ORDER BY cTransactionName"));
    EXPECT_EQ(rs.ColumnIndex(QStringLiteral("ITYPE")), 1);
    const int description = rs.ColumnIndex(QStringLiteral("cTransactionDescription"));
    EXPECT_EQ(description, 2);
    EXPECT_THROW(rs.ColumnIndex(QStringLiteral("NoSuchColumn")), CDbError);
    EXPECT_THROW(rs.GetString(3), CDbError);
    for (int i = 0; i < 3; ++i, rs.MoveNext()) {
        ASSERT_FALSE(rs.IsEOF());
        EXPECT_EQ(rs.GetString(0), QStringLiteral("C%1").arg(i));
        EXPECT_EQ(rs.GetDouble(1), 1.0 + i);
        EXPECT_EQ(rs.GetString(description), QStringLiteral("D%1").arg(i));
        EXPECT_EQ(rs.GetString(QStringLiteral("cTransactionDescription")), rs.GetString(description));
    }
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_THROW(rs.GetString(0), CDbError);
}
