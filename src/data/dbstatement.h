#pragma once

#include "data/dbconnection.h"

#include <QString>

struct sqlite3_stmt;

// A statement compiled once and run many times with bound values, for
// writers and lookups of many rows. Values are bound, never placed in the
// text, so they need no quoting. Failures throw CDbError.
class CDbStatement
{
public:
    CDbStatement(CDbConnection &connection, const char *sql);
    ~CDbStatement();
    CDbStatement(const CDbStatement &) = delete;
    CDbStatement &operator=(const CDbStatement &) = delete;

    // Parameters count from 1.
    CDbStatement &Bind(int index, const QString &text);
    CDbStatement &Bind(int index, double value);
    CDbStatement &Bind(int index, qint64 value);

    // Runs a statement that returns no rows and readies it for the next
    // values; the row id of an insert.
    qint64 Run();
    // Steps a query: true while there is a row to read. Reset before the
    // next values.
    bool Next();
    void Reset();
    // Columns of the current row, counted from 0.
    qint64 Integer(int column) const;
    QString Text(int column) const;

private:
    CDbConnection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
};
