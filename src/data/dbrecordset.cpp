#include "data/dbrecordset.h"

#include "data/jetsql.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <limits>

namespace {

[[noreturn]] void ThrowClosed()
{
    throw CDbError(ADO_E_OBJECTCLOSED, QStringLiteral("Operation is not allowed when the object is closed."));
}

[[noreturn]] void ThrowBofEof()
{
    throw CDbError(ADO_E_BOFEOF, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                                                "Requested operation requires a current record."));
}

[[noreturn]] void ThrowItemNotFound()
{
    throw CDbError(ADO_E_ITEMNOTFOUND, QStringLiteral("Item cannot be found in the collection corresponding to "
                                                      "the requested name or ordinal."));
}

[[noreturn]] void ThrowMismatch()
{
    throw CDbError(DISP_E_TYPEMISMATCH, QStringLiteral("Type mismatch."));
}

[[noreturn]] void ThrowOverflow()
{
    throw CDbError(DISP_E_OVERFLOW, QStringLiteral("Overflow."));
}

// Numbers are converted as a variant would: fractions round half to even.
long long ToInteger(const QVariant &value, long long lowest, long long highest)
{
    if (value.isNull())
        return 0;
    double d = 0;
    switch (value.typeId()) {
    case QMetaType::LongLong: {
        const long long n = value.toLongLong();
        if (n < lowest || n > highest)
            ThrowOverflow();
        return n;
    }
    case QMetaType::Double:
        d = value.toDouble();
        break;
    default: {
        bool ok = false;
        d = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            ThrowMismatch();
    }
    }
    if (!std::isfinite(d))
        ThrowOverflow();
    const double r = std::nearbyint(d);
    if (r < double(lowest) || r > double(highest))
        ThrowOverflow();
    return static_cast<long long>(r);
}

} // namespace

CDbRecordset::CDbRecordset(CDbConnection &connection)
    : m_connection(connection)
{
}

bool CDbRecordset::OpenText(const QString &statement)
{
    if (m_open)
        return false;
    return OpenStatement(statement, kSqlBufferChars);
}

bool CDbRecordset::OpenBuilt(const QString &statement)
{
    if (m_open)
        return false;
    return OpenStatement(statement, 0);
}

bool CDbRecordset::OpenStatement(const QString &formatted, qsizetype limit)
{
    if (limit > 0 && formatted.size() > limit)
        throw CDbError(DB_E_DATAOVERFLOW, QStringLiteral("The statement is too long to run (%1 characters; at most %2).")
                                              .arg(formatted.size())
                                              .arg(limit));
    sqlite3 *db = m_connection.Handle();
    if (!db)
        ThrowClosed();

    // A date column is read through its index only while every date the
    // function reads is of the stored form: both then give the same rows.
    const QByteArray utf8 =
        RewriteDateComparisons(formatted, [db](const QString &column) { return !HoldsDatesInOtherForms(db, column); })
            .toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK)
        m_connection.ThrowLastError(rc);
    if (!stmt) // blank statement
        throw CDbError(DB_E_ERRORSINCOMMAND, QStringLiteral("Invalid SQL statement."));
    const bool writes = !sqlite3_stmt_readonly(stmt);
    const int changesBefore = writes ? sqlite3_total_changes(db) : 0;
    // One statement per Open: anything after the first is refused, not run.
    for (const char *p = tail; p && *p; ++p) {
        if (!std::isspace(static_cast<unsigned char>(*p)) && *p != ';') {
            sqlite3_finalize(stmt);
            throw CDbError(DB_E_ERRORSINCOMMAND, QStringLiteral("Characters found after end of SQL statement."));
        }
    }

    const int columns = sqlite3_column_count(stmt);
    QStringList names;
    for (int c = 0; c < columns; ++c)
        names << QString::fromUtf8(sqlite3_column_name(stmt, c));
    std::vector<QVariant> values;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                values.emplace_back(qlonglong(sqlite3_column_int64(stmt, c)));
                break;
            case SQLITE_FLOAT:
                values.emplace_back(sqlite3_column_double(stmt, c));
                break;
            case SQLITE_NULL:
                values.emplace_back();
                break;
            default: {
                // Text is stored as UTF-8: decoding it here spares the engine
                // a converted copy of every value.
                const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                values.emplace_back(QString::fromUtf8(p, sqlite3_column_bytes(stmt, c)));
            }
            }
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        m_connection.ThrowLastError(rc);
    if (writes && sqlite3_total_changes(db) != changesBefore)
        m_connection.PrepareForChanges();

    // A statement without result columns leaves the record set closed.
    if (columns > 0) {
        m_columns = std::move(names);
        m_values = std::move(values);
        m_row = 0;
        m_open = true;
    }
    return true;
}

bool CDbRecordset::IsEOF() const
{
    return !m_open || m_row >= RowCount();
}

void CDbRecordset::MoveFirst()
{
    if (!m_open)
        ThrowClosed();
    m_row = 0;
}

void CDbRecordset::MoveNext()
{
    if (!m_open)
        ThrowClosed();
    if (m_row >= RowCount())
        ThrowBofEof();
    ++m_row;
}

void CDbRecordset::Close()
{
    m_open = false;
    m_columns.clear();
    m_values.clear();
    m_row = 0;
}

long CDbRecordset::GetRecordCount() const
{
    return m_open ? long(RowCount()) : 0;
}

std::size_t CDbRecordset::RowCount() const
{
    return m_columns.isEmpty() ? 0 : m_values.size() / std::size_t(m_columns.size());
}

int CDbRecordset::ColumnIndex(const QString &column) const
{
    if (!m_open)
        ThrowClosed();
    qsizetype found = m_columns.indexOf(column, 0);
    if (found < 0) {
        for (qsizetype i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0) {
                found = i;
                break;
            }
        }
    }
    if (found < 0)
        ThrowItemNotFound();
    return int(found);
}

const QVariant &CDbRecordset::Cell(int column) const
{
    if (!m_open)
        ThrowClosed();
    if (column < 0 || column >= m_columns.size())
        ThrowItemNotFound();
    if (m_row >= RowCount())
        ThrowBofEof();
    return m_values[m_row * std::size_t(m_columns.size()) + std::size_t(column)];
}

QVariant CDbRecordset::GetValue(const QString &column) const
{
    return Cell(ColumnIndex(column));
}

QVariant CDbRecordset::GetValue(int column) const
{
    return Cell(column);
}

QString CDbRecordset::GetString(const QString &column) const
{
    return GetString(ColumnIndex(column));
}

QString CDbRecordset::GetString(int column) const
{
    const QVariant &v = Cell(column);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QString)
        return v.value<QString>();
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

long CDbRecordset::GetLong(const QString &column) const
{
    const QVariant &v = Cell(ColumnIndex(column));
    return long(ToInteger(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

short CDbRecordset::GetShort(const QString &column) const
{
    const QVariant &v = Cell(ColumnIndex(column));
    return short(ToInteger(v, std::numeric_limits<short>::min(), std::numeric_limits<short>::max()));
}

double CDbRecordset::GetDouble(const QString &column) const
{
    return GetDouble(ColumnIndex(column));
}

double CDbRecordset::GetDouble(int column) const
{
    const QVariant &v = Cell(column);
    if (v.isNull())
        return 0.0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong)
        return v.toDouble();
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok)
        ThrowMismatch();
    return d;
}
