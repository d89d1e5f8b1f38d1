#pragma once

#include "fuzzcheck.h"

#include <sqlite3.h>

#include <QString>
#include <QVariant>

#include <optional>

// One in-memory database for the whole run, with helpers that evaluate a
// statement's first column.
class ScratchSqlite
{
public:
    ScratchSqlite()
    {
        FUZZ_CHECK(sqlite3_open(":memory:", &m_db) == SQLITE_OK);
    }
    ~ScratchSqlite() { sqlite3_close(m_db); }
    sqlite3 *Handle() const { return m_db; }

    // The first column of the first row for `sql` with ?1 bound to `text`;
    // a null QVariant for SQL NULL, nothing when the statement fails.
    std::optional<QVariant> Value(const QString &sql, const QString &text = QString()) const
    {
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt);
            return std::nullopt;
        }
        if (sqlite3_bind_parameter_count(stmt) > 0) {
            const QByteArray bound = text.toUtf8();
            sqlite3_bind_text(stmt, 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
        }
        std::optional<QVariant> result;
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            if (sqlite3_column_type(stmt, 0) == SQLITE_NULL) {
                result = QVariant();
            } else {
                const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
                result = QVariant(QString::fromUtf8(p, sqlite3_column_bytes(stmt, 0)));
            }
        }
        sqlite3_finalize(stmt);
        return result;
    }

    // The first column of the first row as a number; nothing when the
    // statement fails or gives no number.
    std::optional<double> Number(const QString &sql) const
    {
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt *stmt = nullptr;
        std::optional<double> result;
        if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW
            && (sqlite3_column_type(stmt, 0) == SQLITE_FLOAT || sqlite3_column_type(stmt, 0) == SQLITE_INTEGER))
            result = sqlite3_column_double(stmt, 0);
        sqlite3_finalize(stmt);
        return result;
    }

private:
    sqlite3 *m_db = nullptr;
};
