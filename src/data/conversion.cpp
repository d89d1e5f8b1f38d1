#include "data/conversion.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/backup.h"
#include "data/cipherkey.h"
#include "data/dbconnection.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

void SyncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowSystemError(errno);
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        ThrowSystemError(error);
}

// The original under a second name: a hard link, so that the file's own
// name never goes missing; a copy where the file system has no links.
void KeepOriginal(const QString &database, const QString &kept)
{
    QFile::remove(kept);
    if (::link(QFile::encodeName(database).constData(), QFile::encodeName(kept).constData()) == 0)
        return;
    if (!QFile::copy(database, kept))
        throw CFrameworkException(QStringLiteral("The original could not be kept as %1.").arg(kept));
}

struct ProgressState {
    const std::function<void(double)> *progress;
    sqlite3 *db;
    double pages;
    int percent = 0;
};

// The source's pages read so far against its size: the export reads each once.
int ReportProgress(void *context)
{
    auto *state = static_cast<ProgressState *>(context);
    int misses = 0;
    int highwater = 0;
    sqlite3_db_status(state->db, SQLITE_DBSTATUS_CACHE_MISS, &misses, &highwater, 0);
    const double done = qMin(0.99, double(misses) / qMax(1.0, state->pages));
    // Each whole percent once: a repaint costs more than a step of the copy.
    if (int(done * 100) > state->percent) {
        state->percent = int(done * 100);
        (*state->progress)(done);
    }
    return 0;
}

QString Scalar(CDbConnection &connection, const QString &sql)
{
    CDbRecordset rs(connection);
    rs.OpenBuilt(sql);
    return rs.IsEOF() ? QString() : rs.GetString(0);
}

// The copy opens with the key in the current format and holds what the
// original holds.
void CheckCopy(const QString &copy, const QString &key, const QStringList &contents)
{
    CDbConnection check;
    check.Open(kProviderSetting + DataSourcePart(copy), kDbUser, key);
    FailInjectedStep(FileStep::Verify, copy);
    if (check.Format() != CipherFormat::Current)
        throw CFrameworkException(QStringLiteral("The converted copy is not in the new format."));
    // The quick form checks every page and record; the full one would also
    // compare each index with its table, ten times the cost on a large file,
    // for indexes the export has only just built from those tables.
    const QString integrity = Scalar(check, QStringLiteral("PRAGMA quick_check"));
    if (integrity != QLatin1String("ok"))
        throw CFrameworkException(QStringLiteral("The converted copy fails its integrity check: %1").arg(integrity));
    if (TableContents(check) != contents)
        throw CFrameworkException(QStringLiteral("The converted copy does not hold every row."));
}

} // namespace

QString KeptOriginalFor(const QString &database)
{
    return QFileInfo(database).absoluteFilePath() + QStringLiteral(".sqlcipher3-before-conversion");
}

QString ConversionCopyFor(const QString &database)
{
    return QFileInfo(database).absoluteFilePath() + QStringLiteral(".converting");
}

QStringList TableContents(CDbConnection &connection)
{
    QStringList tables;
    {
        CDbRecordset rs(connection);
        rs.Open("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%%' ORDER BY name");
        for (; !rs.IsEOF(); rs.MoveNext())
            tables << rs.GetString(0);
    }
    QStringList contents;
    for (const QString &table : tables) {
        // Names from the file's own schema, quoted as identifiers.
        QString quoted = table;
        quoted.replace(u'"', QStringLiteral("\"\""));
        quoted = u'"' + quoted + u'"';
        QString sums = QStringLiteral("count(*)");
        CDbRecordset columns(connection);
        columns.Open("SELECT name FROM pragma_table_info('%s') WHERE upper(type)='REAL' ORDER BY cid",
                     SqlQuote(table));
        for (; !columns.IsEOF(); columns.MoveNext()) {
            QString column = columns.GetString(0);
            column.replace(u'"', QStringLiteral("\"\""));
            sums += QStringLiteral("||' '||total(AmountCents(\"%1\"))").arg(column);
        }
        contents << table + u' ' + Scalar(connection, QStringLiteral("SELECT %1 FROM %2").arg(sums, quoted));
    }
    return contents;
}

ConversionResult ConvertForChanges(CDbConnection &connection, const QString &connectionString, const QString &key,
                                   const std::function<void(double)> &progress)
{
    if (!connection.IsOpen())
        return {ConversionOutcome::Failed, QStringLiteral("The database is not open.")};
    const QString database = QFileInfo(ConnectionValue(connectionString, QStringLiteral("Data Source"))).absoluteFilePath();
    const QString kept = KeptOriginalFor(database);
    if (connection.Format() == CipherFormat::Current) {
        QFile::remove(kept);
        return {};
    }
    const QString copy = ConversionCopyFor(database);
    // A read-only folder is only read: nothing may be written there.
    if (!QFileInfo(QFileInfo(database).absolutePath()).isWritable() || InjectedFileFault(FileStep::CreateTarget, copy))
        return {ConversionOutcome::NotWritable, {}};
    // The new file replaces the original under its name: a program that has
    // the original open would go on working on the replaced file.
    if (!connection.TakeSoleUse())
        return {ConversionOutcome::InUse, {}};
    struct SoleUse {
        CDbConnection &connection;
        ~SoleUse() { connection.EndSoleUse(); }
    } sole{connection};

    bool replaced = false;
    QString why;
    try {
        // Left by a conversion killed half-way: the file itself is the original.
        QFile::remove(copy);
        QFile::remove(kept);
        const QStringList contents = TableContents(connection);

        FailInjectedStep(FileStep::Export, copy);
        if (QFile empty(copy); !empty.open(QIODevice::WriteOnly))
            throw CFrameworkException(empty.errorString());
        connection.Execute(
            FormatSql("ATTACH DATABASE '%s' AS twk_converted KEY '%s'", SqlQuote(copy), SqlQuote(key)));
        ProgressState state{&progress, connection.Handle(),
                            Scalar(connection, QStringLiteral("PRAGMA page_count")).toDouble()};
        try {
            connection.Execute(CurrentFormatPragmas(QStringLiteral("twk_converted")));
            // The copy's indexes fill row by row: a large cache keeps their
            // pages in memory.
            connection.Execute(QStringLiteral("PRAGMA twk_converted.cache_size=-262144"));
            if (progress) {
                int current = 0;
                int highwater = 0;
                sqlite3_db_status(connection.Handle(), SQLITE_DBSTATUS_CACHE_MISS, &current, &highwater, 1);
                progress(0.0);
                sqlite3_progress_handler(connection.Handle(), 20000, ReportProgress, &state);
            }
            connection.Execute(QStringLiteral("SELECT sqlcipher_export('twk_converted')"));
        } catch (...) {
            sqlite3_progress_handler(connection.Handle(), 0, nullptr, nullptr);
            connection.Execute(QStringLiteral("DETACH DATABASE twk_converted"));
            throw;
        }
        sqlite3_progress_handler(connection.Handle(), 0, nullptr, nullptr);
        connection.Execute(QStringLiteral("DETACH DATABASE twk_converted"));

        CheckCopy(copy, key, contents);
        SyncFile(copy);
        connection.Close();
        KeepOriginal(database, kept);
        FailInjectedStep(FileStep::Replace, database);
        // One rename on one file system: the file's name holds the original
        // until then, the whole new file after.
        if (std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(database).constData()) != 0)
            ThrowSystemError(errno);
        replaced = true;
        SyncFolderOf(database);
        connection.Open(connectionString, kDbUser, key);
        if (progress)
            progress(1.0);
        return {ConversionOutcome::Converted, {}};
    } catch (const CDbError &e) {
        why = e.Description().isEmpty() ? StandardStatusText(e.Status()) : e.Description();
    } catch (const CFrameworkException &e) {
        why = e.Message();
    }
    QFile::remove(copy);
    if (!replaced)
        QFile::remove(kept);
    if (!connection.IsOpen()) {
        try {
            connection.Open(connectionString, kDbUser, key);
        } catch (const CDbError &e) {
            why += u'\n' + e.Description();
        }
    }
    return {ConversionOutcome::Failed, why};
}

ConversionResult ConvertForChanges(CTallywickData &data, const std::function<void(double)> &progress, QObject *owner)
{
    const ConversionResult result =
        ConvertForChanges(data.connection, data.location.connectionString, data.settings.dbPassword, progress);
    if (result.outcome == ConversionOutcome::Failed)
        TwkMessageBox(LoadString(StringId::ConversionFailed).arg(data.ResolvedDatabasePath(), result.why),
                      QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, owner);
    return result;
}
