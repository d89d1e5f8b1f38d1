#include "data/dbstatement.h"

#include <sqlite3.h>

CDbStatement::CDbStatement(CDbConnection &connection, const char *sql)
    : m_connection(connection)
{
    if (!connection.IsOpen())
        throw CDbError(ADO_E_OBJECTCLOSED, QStringLiteral("The connection is closed."));
    const int rc = sqlite3_prepare_v2(connection.Handle(), sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        connection.ThrowLastError(rc);
}

CDbStatement::~CDbStatement()
{
    sqlite3_finalize(m_stmt);
}

CDbStatement &CDbStatement::Bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const int rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        m_connection.ThrowLastError(rc);
    return *this;
}

CDbStatement &CDbStatement::Bind(int index, double value)
{
    const int rc = sqlite3_bind_double(m_stmt, index, value);
    if (rc != SQLITE_OK)
        m_connection.ThrowLastError(rc);
    return *this;
}

CDbStatement &CDbStatement::Bind(int index, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        m_connection.ThrowLastError(rc);
    return *this;
}

qint64 CDbStatement::Run()
{
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        m_connection.ThrowLastError(rc);
    return sqlite3_last_insert_rowid(m_connection.Handle());
}

bool CDbStatement::Next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        sqlite3_reset(m_stmt);
        m_connection.ThrowLastError(rc);
    }
    return false;
}

void CDbStatement::Reset()
{
    sqlite3_reset(m_stmt);
}

qint64 CDbStatement::Integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString CDbStatement::Text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}
