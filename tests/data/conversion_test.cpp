#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/backup.h"
#include "data/conversion.h"
#include "data/dbschema.h"
#include "data/restore.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>

namespace {

// What the standard shell reads with the program's key and these settings
// (one statement, or none): the first column of `sql`, or the error.
QString ReadWithShellSettings(const QString &path, const char *settings, const char *sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray key = kDbPassword.toUtf8();
    sqlite3_key(db, key.constData(), int(key.size()));
    if (settings)
        sqlite3_exec(db, settings, nullptr, nullptr, nullptr);
    sqlite3_stmt *stmt = nullptr;
    QString result = QStringLiteral("error");
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return result;
}

class Conversion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.AddTransaction(QStringLiteral("Home"), QStringLiteral("03/01/2026"), QStringLiteral("Rent"), 700.005,
                          QStringLiteral("March"), 2);
        db.AddTransaction(QStringLiteral("Home"), QStringLiteral("03/02/2026"), QStringLiteral("Salary"), 2500.1,
                          QString(), 1);
        db.Exec(QStringLiteral("CREATE TABLE LB_IMPORT_EXTRA_TB (x REAL)"));
        db.Exec(QStringLiteral("INSERT INTO LB_IMPORT_EXTRA_TB VALUES (1.25)"));
        contents = TableContents(db.Connection());
        db.Connection().Close();
        RewriteInVersion3Format(db.Path());
        original = ReadBytes(db.Path());
    }
    void TearDown() override { SetFileFaultHook({}); }

    void Open()
    {
        connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        ASSERT_EQ(connection.Format(), CipherFormat::Version3);
    }
    ConversionResult Convert() { return ConvertForChanges(connection, db.ConnectionString(), kDbPassword); }
    bool Leftovers() const
    {
        return QFile::exists(KeptOriginalFor(db.Path())) || QFile::exists(ConversionCopyFor(db.Path()));
    }

    CTestDatabase db;
    CDbConnection connection;
    QStringList contents;
    QByteArray original;
};

} // namespace

TEST_F(Conversion, AFreshFileHasTheCurrentFormatWithTheProgramsKeyDerivation)
{
    const QString path = db.Folder() + QStringLiteral("/fresh.mdb");
    ASSERT_EQ(CreateDatabase(path, kDbPassword), QString());
    const char *count = "SELECT count(*) FROM LB_DEFAULT_SETTINGS_TB";
    EXPECT_EQ(ReadWithShellSettings(path, "PRAGMA kdf_iter = 64000", count), QStringLiteral("1"));
    EXPECT_EQ(ReadWithShellSettings(path, "PRAGMA kdf_iter = 64000", "PRAGMA cipher_page_size"),
              QStringLiteral("4096"));
    EXPECT_EQ(QFileInfo(path).size() % 4096, 0);
    // SQLCipher 4's own derivation count, or the older format, read nothing.
    EXPECT_EQ(ReadWithShellSettings(path, nullptr, count), QStringLiteral("error"));
    EXPECT_EQ(ReadWithShellSettings(path, "PRAGMA cipher_compatibility = 3", count), QStringLiteral("error"));
}

TEST_F(Conversion, AnOldFormatFileIsConvertedOnceKeepingEveryRowAndTheOriginalUntilTheNextStart)
{
    const char *count = "SELECT count(*) FROM LB_TRANSACTION_INFO_TB";
    ASSERT_EQ(ReadWithShellSettings(db.Path(), "PRAGMA cipher_compatibility = 3", count), QStringLiteral("2"));
    Open();
    EXPECT_EQ(TableContents(connection), contents);
    QList<double> seen;
    const ConversionResult result =
        ConvertForChanges(connection, db.ConnectionString(), kDbPassword, [&seen](double done) { seen << done; });
    ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.why.toStdString();
    ASSERT_TRUE(connection.IsOpen());
    EXPECT_EQ(connection.Format(), CipherFormat::Current);
    EXPECT_EQ(TableContents(connection), contents);
    EXPECT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.value(seen.size() - 1), 1.0);
    EXPECT_EQ(ReadWithShellSettings(db.Path(), "PRAGMA kdf_iter = 64000", count), QStringLiteral("2"));
    EXPECT_EQ(ReadWithShellSettings(db.Path(), "PRAGMA kdf_iter = 64000", "PRAGMA cipher_page_size"),
              QStringLiteral("4096"));
    // The original is kept byte for byte; the copy is gone.
    EXPECT_EQ(ReadBytes(KeptOriginalFor(db.Path())), original);
    EXPECT_FALSE(QFile::exists(ConversionCopyFor(db.Path())));
    connection.Execute(QStringLiteral("DELETE FROM LB_TRANSACTION_INFO_TB WHERE cTransactionName='Rent'"));

    // The next start in the new format lets the original go and converts nothing.
    connection.Close();
    connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
    const QByteArray converted = ReadBytes(db.Path());
    EXPECT_EQ(Convert().outcome, ConversionOutcome::Current);
    EXPECT_FALSE(Leftovers());
    EXPECT_EQ(ReadBytes(db.Path()), converted);
}

TEST_F(Conversion, NoConversionWhileAnotherProgramHasTheFileOpenOrItsFolderIsReadOnly)
{
    QProcess holder;
    holder.start(QStringLiteral(TWK_HOLDDATABASE), {db.Path()});
    ASSERT_TRUE(holder.waitForReadyRead(20000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readAllStandardOutput().trimmed(), QByteArray("open"));
    Open();
    EXPECT_EQ(Convert().outcome, ConversionOutcome::InUse);
    EXPECT_EQ(connection.Format(), CipherFormat::Version3);
    EXPECT_EQ(TableContents(connection), contents);
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(20000));

    // A read-only folder: not even the copy is begun.
    SetFileFaultHook([](FileStep step, const QString &) { return step == FileStep::CreateTarget ? EROFS : 0; });
    EXPECT_EQ(Convert().outcome, ConversionOutcome::NotWritable);
    EXPECT_EQ(ReadBytes(db.Path()), original);
    EXPECT_FALSE(Leftovers());

    // Alone and writable, it converts; the lock is shared again after.
    SetFileFaultHook({});
    EXPECT_EQ(Convert().outcome, ConversionOutcome::Converted);
    EXPECT_TRUE(CDbUseLock::InUse(db.Path()));
    EXPECT_TRUE(connection.TakeSoleUse());
}

TEST_F(Conversion, ACopyThatFailsItsCheckLeavesTheOriginalInUse)
{
    Open();
    for (const FileStep failing : {FileStep::Export, FileStep::Verify, FileStep::Replace}) {
        SetFileFaultHook([failing](FileStep step, const QString &) { return step == failing ? EIO : 0; });
        const ConversionResult result = Convert();
        EXPECT_EQ(result.outcome, ConversionOutcome::Failed);
        EXPECT_FALSE(result.why.isEmpty());
        ASSERT_TRUE(connection.IsOpen());
        EXPECT_EQ(connection.Format(), CipherFormat::Version3);
        EXPECT_EQ(TableContents(connection), contents);
        EXPECT_EQ(ReadBytes(db.Path()), original);
        EXPECT_FALSE(Leftovers());
    }
}

TEST_F(Conversion, RestoringAnOldFormatBackupConvertsTheRestoredFile)
{
    const QString cwd = QDir::currentPath();
    CTestDatabase current;
    CTallywickData data;
    data.SetAppFolder(current.Folder());
    PointAt(data, current.Path());
    ASSERT_TRUE(data.OpenDatabase());
    QStringList statuses;
    TestUi().QueueFile(db.Path());
    ASSERT_TRUE(RestoreData(data, RestoreHooks{[&](const QString &text) { statuses << text; }, [] { return true; }}));
    EXPECT_EQ(data.connection.Format(), CipherFormat::Current);
    EXPECT_EQ(TableContents(data.connection), contents);
    EXPECT_EQ(ReadBytes(KeptOriginalFor(db.Path())), original);
    EXPECT_TRUE(statuses.contains(LoadString(StringId::ConvertingDataFile).arg(100)));
    EXPECT_TRUE(TestUi().Texts().isEmpty());
    QDir::setCurrent(cwd);
}
