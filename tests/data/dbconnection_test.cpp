#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/dbconnection.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QByteArray FileHash(const QString &path)
{
    return QCryptographicHash::hash(ReadBytes(path), QCryptographicHash::Sha256);
}

// Opens `path` the way start-up does and returns what the user was told.
QStringList OpenAsStartUp(const QString &path, bool *opened = nullptr)
{
    CTallywickData data;
    PointAt(data, path);
    const bool ok = data.OpenDatabase();
    if (opened)
        *opened = ok;
    EXPECT_EQ(data.connection.IsOpen(), ok);
    return TestUi().Texts();
}

} // namespace

TEST(OpenDatabase, OpensTheDeliveredFileAndAMissingOneIsToldAndNotCreated)
{
    CTestDatabase db;
    db.Connection().Close();
    bool opened = false;
    EXPECT_TRUE(OpenAsStartUp(db.Path(), &opened).isEmpty());
    EXPECT_TRUE(opened);

    const QString path = db.Folder() + QStringLiteral("/missing.mdb");
    EXPECT_EQ(OpenAsStartUp(path, &opened), QStringList{LoadString(StringId::LoadSaveDataFailed)});
    EXPECT_FALSE(opened);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(OpenDatabase, ForeignFilesAreInvalidAndLeftUntouched)
{
    QTemporaryDir dir;
    // Wrong key.
    const QString wrongKey = dir.filePath(QStringLiteral("wrongkey.mdb"));
    ASSERT_TRUE(CreateDatabase(wrongKey, QStringLiteral("another")).isEmpty());
    // A plain, unencrypted SQLite file with the same tables.
    const QString plain = dir.filePath(QStringLiteral("plain.mdb"));
    ASSERT_TRUE(CreateDatabase(plain, QString()).isEmpty());
    // Random bytes, an empty file, a damaged copy of a real one.
    const QString random = dir.filePath(QStringLiteral("random.mdb"));
    WriteBytes(random, [] {
        QByteArray b(64 * 1024, '\0');
        QRandomGenerator gen(7);
        for (char &c : b)
            c = char(gen.bounded(256));
        return b;
    }());
    const QString empty = dir.filePath(QStringLiteral("empty.mdb"));
    WriteBytes(empty, QByteArray("SQLite format 3"));
    const QString damaged = dir.filePath(QStringLiteral("damaged.mdb"));
    {
        CTestDatabase good;
        good.Connection().Close();
        QByteArray bytes = ReadBytes(good.Path());
        for (int i = 0; i < 256; ++i)
            bytes[i] = char(0x5A);
        WriteBytes(damaged, bytes);
    }
    // A proper encrypted database that is not ours.
    const QString foreign = dir.filePath(QStringLiteral("foreign.mdb"));
    {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(foreign).constData(), &db);
        sqlite3_key(db, "qorvanti", 8);
        sqlite3_exec(db, "CREATE TABLE other(x); INSERT INTO other VALUES (1);", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

    for (const QString &path : {wrongKey, plain, random, empty, damaged, foreign}) {
        TestUi().Reset();
        const QByteArray before = FileHash(path);
        bool opened = true;
        EXPECT_EQ(OpenAsStartUp(path, &opened), QStringList{LoadString(StringId::DatabaseInvalid)}) << path.toStdString();
        EXPECT_FALSE(opened);
        EXPECT_EQ(FileHash(path), before) << "the program wrote to " << path.toStdString();
    }
}

TEST(Transactions, NestedLevelsCommitAndRollBackIndependently)
{
    CTestDatabase db;
    CDbConnection &c = db.Connection();
    EXPECT_TRUE(c.BeginTrans());
    db.Exec(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,iType) VALUES ('outer',1)"));
    EXPECT_TRUE(c.BeginTrans());
    db.Exec(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,iType) VALUES ('inner',1)"));
    EXPECT_TRUE(c.RollbackTrans());
    EXPECT_EQ(c.TransactionLevel(), 1);
    EXPECT_TRUE(c.CommitTrans());
    EXPECT_EQ(c.TransactionLevel(), 0);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT group_concat(cTransactionName) FROM LB_ITEM_MASTER_INFO_TB")),
              QStringLiteral("outer"));
    // Rolling back with nothing open is harmless, as failure handlers do it blindly.
    EXPECT_TRUE(c.RollbackTrans());

    // A scoped transaction rolls back on an exception midway.
    try {
        CDbTransaction t(c);
        db.Exec(QStringLiteral("DELETE FROM LB_ITEM_MASTER_INFO_TB"));
        db.Exec(QStringLiteral("DELETE FROM LB_NO_SUCH_TB"));
        t.Commit();
    } catch (const CDbError &) {
    }
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB")), 1);
    EXPECT_EQ(c.TransactionLevel(), 0);
}

TEST(LiveFileCopy, HoldsEveryCommittedRow)
{
    CTestDatabase db;
    for (int i = 0; i < 50; ++i)
        db.Exec(QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,iTransactionType) VALUES ('U%1',1)").arg(i));
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.mdb"));
    ASSERT_TRUE(QFile::copy(db.Path(), copy));
    EXPECT_FALSE(QFile::exists(db.Path() + QStringLiteral("-wal")));
    CDbConnection second;
    second.Open(kProviderSetting + DataSourcePart(copy), kDbUser, kDbPassword);
    CDbRecordset rs(second);
    rs.Open("SELECT COUNT(*) AS n FROM LB_TRANSACTION_INFO_TB");
    EXPECT_EQ(rs.GetLong(QStringLiteral("n")), 50);
}

TEST(CreateDatabase, WritesTheOneRowTablesAndRefusesToOverwrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.mdb"));
    ASSERT_EQ(CreateDatabase(path, kDbPassword), QString());
    const QByteArray before = FileHash(path);
    EXPECT_FALSE(CreateDatabase(path, kDbPassword).isEmpty());
    EXPECT_EQ(FileHash(path), before);
    EXPECT_FALSE(CreateDatabase(dir.filePath(QStringLiteral("no/such/folder/x.mdb")), kDbPassword).isEmpty());

    CDbConnection c;
    c.Open(kProviderSetting + DataSourcePart(path), kDbUser, kDbPassword);
    CDbRecordset rs(c);
    rs.Open("SELECT * FROM LB_DEFAULT_SETTINGS_TB");
    EXPECT_EQ(rs.GetRecordCount(), 1);
    EXPECT_EQ(rs.GetString(QStringLiteral("cPassword")), QStringLiteral("vorel"));
    rs.Close();
    rs.Open("SELECT COUNT(*) AS n FROM LB_COMPANY_INFO_TB");
    EXPECT_EQ(rs.GetLong(QStringLiteral("n")), 1);
}

TEST(CreateDatabase, SchemaNeedsNoFunctionOfThisProgram)
{
    // A connection without the registered functions (as the standard shell
    // has) can still insert and update dated rows.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shell.mdb"));
    ASSERT_EQ(CreateDatabase(path, kDbPassword), QString());
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_key(db, "qorvanti", 8);
    sqlite3_exec(db, "PRAGMA kdf_iter = 64000", nullptr, nullptr, nullptr);
    char *error = nullptr;
    const int rc = sqlite3_exec(db,
                                "INSERT INTO LB_TRANSACTION_INFO_TB (cTransactionDate,iTransactionType) VALUES ('01/31/2020',1);"
                                "UPDATE LB_TRANSACTION_INFO_TB SET cTransactionDate='02/01/2020';"
                                "INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDate) VALUES ('12/05/2026');",
                                nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

TEST(OpenDatabase, AFileWithoutTheReportIndexesGetsThemWithItsFirstChangeNotWhenRead)
{
    CTestDatabase db;
    db.Exec(QStringLiteral("DROP INDEX IX_TRANSACTION_REPORT"));
    db.Connection().Close();
    const QByteArray before = FileHash(db.Path());
    CDbConnection connection;
    connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
    const auto indexes = [&connection] {
        CDbRecordset rs(connection);
        rs.OpenText(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name='IX_TRANSACTION_REPORT'"));
        return rs.GetValue(0).toInt();
    };
    // A statement that could change rows but changes none is a read.
    CDbRecordset(connection).OpenText(QStringLiteral("DELETE FROM LB_PAYMENT_REMINDER_INFO_TB WHERE iPaymentReminderID < 0"));
    EXPECT_EQ(indexes(), 0);
    EXPECT_EQ(FileHash(db.Path()), before);
    CDbRecordset(connection).OpenText(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Ann'"));
    EXPECT_EQ(indexes(), 1);
}
