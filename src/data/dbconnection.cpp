#include "data/dbconnection.h"

#include "data/cipherkey.h"
#include "data/dbschema.h"
#include "data/jetsql.h"

#include <sqlite3.h>

#include <QFileInfo>

namespace {

// Reading the schema is the first read of the file: a wrong key, a plain
// or damaged file fails here, before anything is written. SQLITE_ROW when read.
int CountProgramTables(sqlite3 *db, int &tables)
{
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                                "('LB_TRANSACTION_INFO_TB','LB_ITEM_MASTER_INFO_TB','LB_COMPANY_INFO_TB',"
                                "'LB_DEFAULT_SETTINGS_TB','LB_PAYMENT_REMINDER_INFO_TB')",
                                -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        tables = rc == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    }
    sqlite3_finalize(stmt);
    return rc;
}

} // namespace

CDbConnection::~CDbConnection()
{
    Close();
}

QString ConnectionValue(const QString &connection, const QString &key)
{
    // key=value pairs split at ';'; a value may stand in double or single
    // quotes, the quote doubled inside, so that it can hold ';' itself.
    const qsizetype n = connection.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype eq = connection.indexOf(u'=', i);
        const qsizetype semi = connection.indexOf(u';', i);
        if (eq < 0)
            break;
        if (semi >= 0 && semi < eq) {
            i = semi + 1;
            continue;
        }
        const QString name = connection.mid(i, eq - i).trimmed();
        qsizetype p = eq + 1;
        while (p < n && connection[p].isSpace())
            ++p;
        QString value;
        if (p < n && (connection[p] == u'"' || connection[p] == u'\'')) {
            const QChar quote = connection[p++];
            for (; p < n; ++p) {
                if (connection[p] == quote) {
                    if (p + 1 < n && connection[p + 1] == quote) {
                        value += quote;
                        ++p;
                        continue;
                    }
                    ++p;
                    break;
                }
                value += connection[p];
            }
            const qsizetype end = connection.indexOf(u';', p);
            i = end < 0 ? n : end + 1;
        } else {
            const qsizetype end = connection.indexOf(u';', p);
            value = connection.mid(p, end < 0 ? -1 : end - p).trimmed();
            i = end < 0 ? n : end + 1;
        }
        if (!name.isEmpty() && name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QString DataSourcePart(const QString &path)
{
    const bool plain = !path.contains(u';') && !path.contains(u'"') && !path.startsWith(u'\'')
        && path == path.trimmed();
    if (plain)
        return QStringLiteral("Data Source=") + path;
    QString quoted = path;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QStringLiteral("Data Source=\"") + quoted + u'"';
}

HRESULT CDbConnection::StatusFor(int sqliteCode, const QString &message)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return TWK_E_DATABASEBUSY;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return DB_E_NOTABLE;
    case SQLITE_ERROR:
        if (message.startsWith(QLatin1String("no such table")))
            return DB_E_NOTABLE;
        return DB_E_ERRORSINCOMMAND;
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
    case SQLITE_TOOBIG:
        return DB_E_ERRORSINCOMMAND;
    default:
        return TWK_E_FAIL;
    }
}

void CDbConnection::ThrowLastError(int code) const
{
    const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
    const HRESULT status = StatusFor(code, message);
    // An unreadable or read-only file has no description worth showing: the
    // "write protected" advice covers it.
    throw CDbError(status, status == TWK_E_FAIL ? QString() : message);
}

HRESULT CDbConnection::Open(const QString &connection, const QString &user, const QString &password)
{
    Q_UNUSED(user);
    Close();
    // Without its provider part the connection string names no engine, as
    // when the settings file could not take "ConStrg".
    if (!ConnectionValue(connection, QStringLiteral("Provider")).startsWith(QLatin1String("Microsoft.Jet.OLEDB"), Qt::CaseInsensitive))
        throw CDbError(ADO_E_PROVIDERNOTFOUND, QStringLiteral("Provider cannot be found. It may not be properly installed."));
    const QString path = ConnectionValue(connection, QStringLiteral("Data Source"));
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile() || !info.isReadable())
        throw CDbError(TWK_E_FAIL, QString());

    // Before the file is opened: a program replacing it (compaction) has it
    // alone until the fresh file is in place.
    const bool keepSole = m_use.IsSole() && m_use.Database() == info.absoluteFilePath();
    if (!keepSole && !m_use.Share(info.absoluteFilePath(), m_busyTimeout))
        throw CDbError(TWK_E_DATABASEBUSY, QStringLiteral("The database is in use by another program."));

    // Never create: a missing file must stay missing.
    const QByteArray native = QFile::encodeName(path);
    auto fail = [this](int code) {
        try {
            ThrowLastError(code);
        } catch (...) {
            Close();
            throw;
        }
    };
    // A keyed file is tried with the current settings, then as written
    // by SQLCipher 3; a wrong key, a plain or damaged file fails both.
    int rc = SQLITE_NOTADB;
    int tables = -1;
    for (const CipherFormat format : {CipherFormat::Current, CipherFormat::Version3}) {
        if (format == CipherFormat::Version3 && (password.isEmpty() || (rc & 0xFF) != SQLITE_NOTADB))
            break;
        if (m_db) {
            sqlite3_close_v2(m_db);
            m_db = nullptr;
        }
        m_format = format;
        rc = sqlite3_open_v2(native.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
        // Another program's commit holds the file for a moment; wait for it.
        sqlite3_busy_timeout(m_db, m_busyTimeout);
        if (sqlite3_db_readonly(m_db, "main") == 1) {
            Close();
            throw CDbError(TWK_E_FAIL, QString());
        }
        if (!password.isEmpty()) {
            rc = KeyDatabase(m_db, password, format);
            if (rc != SQLITE_OK)
                fail(rc);
        }
        rc = CountProgramTables(m_db, tables);
    }
    if (rc != SQLITE_ROW)
        fail(rc);
    if (tables != 5) {
        Close();
        throw CDbError(DB_E_NOTABLE, QStringLiteral("The file holds no Tallywick + tables."));
    }
    if (!RegisterJetFunctions(m_db))
        fail(SQLITE_ERROR);
    // A plain copy of the file must hold every committed row: no write-ahead log.
    sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE; PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY;", nullptr,
                 nullptr, nullptr);
    m_level = 0;
    m_changesPrepared = false;
    return TWK_S_OK;
}

void CDbConnection::Close()
{
    if (m_db) {
        if (m_level > 0)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        m_level = 0;
    }
    if (!m_use.IsSole())
        m_use.Release();
}

void CDbConnection::SetBusyTimeout(int milliseconds)
{
    m_busyTimeout = milliseconds;
    if (m_db)
        sqlite3_busy_timeout(m_db, milliseconds);
}

bool CDbConnection::TakeSoleUse()
{
    return m_db && m_use.TakeSole();
}

void CDbConnection::EndSoleUse()
{
    m_use.EndSole();
    if (!m_db)
        m_use.Release();
}

void CDbConnection::PrepareForChanges()
{
    if (!m_db || m_changesPrepared)
        return;
    m_changesPrepared = true;
    if (IndexesCurrent(m_db))
        return;
    // All or nothing: a file that cannot take them (a column missing) is
    // left as it was and works, only slower.
    if (sqlite3_exec(m_db, "SAVEPOINT twk_indexes", nullptr, nullptr, nullptr) != SQLITE_OK)
        return;
    bool ok = true;
    for (const QString &statement : IndexStatements()) {
        if (sqlite3_exec(m_db, statement.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            ok = false;
            break;
        }
    }
    if (!ok)
        sqlite3_exec(m_db, "ROLLBACK TO twk_indexes", nullptr, nullptr, nullptr);
    sqlite3_exec(m_db, "RELEASE twk_indexes", nullptr, nullptr, nullptr);
}

void CDbConnection::Execute(const QString &sql)
{
    if (!m_db)
        throw CDbError(ADO_E_OBJECTCLOSED, QStringLiteral("Operation is not allowed when the object is closed."));
    char *error = nullptr;
    const int changesBefore = sqlite3_total_changes(m_db);
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        const HRESULT status = StatusFor(rc, message);
        throw CDbError(status, status == TWK_E_FAIL ? QString() : message);
    }
    if (sqlite3_total_changes(m_db) != changesBefore)
        PrepareForChanges();
}

bool CDbConnection::BeginTrans()
{
    // The write lock at once: a deferred start could meet another program's
    // lock half-way through the change.
    Execute(m_level == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT twk_%1").arg(m_level));
    ++m_level;
    return true;
}

bool CDbConnection::CommitTrans()
{
    if (m_level <= 0)
        return true;
    Execute(m_level == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE twk_%1").arg(m_level - 1));
    --m_level;
    return true;
}

bool CDbConnection::RollbackTrans()
{
    if (m_level <= 0 || !m_db)
        return true;
    --m_level;
    if (m_level == 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    else
        sqlite3_exec(m_db, QStringLiteral("ROLLBACK TO twk_%1; RELEASE twk_%1").arg(m_level).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
    return true;
}

CDbTransaction::CDbTransaction(CDbConnection &connection)
    : m_connection(connection)
{
    m_connection.BeginTrans();
}

CDbTransaction::~CDbTransaction()
{
    if (!m_done)
        m_connection.RollbackTrans();
}

void CDbTransaction::Commit()
{
    m_connection.CommitTrans();
    m_done = true;
}
