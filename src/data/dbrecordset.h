#pragma once

#include "data/dbconnection.h"
#include "data/sqltext.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <vector>

// A short-lived statement on the shared connection. Every row is read at
// Open, so counts are exact and no cursor stays open on the file.
class CDbRecordset
{
public:
    explicit CDbRecordset(CDbConnection &connection);
    ~CDbRecordset() = default;
    CDbRecordset(const CDbRecordset &) = delete;
    CDbRecordset &operator=(const CDbRecordset &) = delete;

    // Formats the template printf-style and runs it. False when this record
    // set is already open (nothing runs then). Engine failures, a template that
    // does not match its arguments and a statement longer than the buffer throw.
    template<typename... Args>
    bool Open(std::string_view pattern, const Args &...args)
    {
        if (m_open)
            return false;
        return OpenStatement(FormatSql(pattern, args...), std::max(kSqlBufferChars, qsizetype(pattern.size())));
    }
    // Runs a statement text as it stands (already formatted and quoted).
    bool OpenText(const QString &statement);
    // The same for a statement the program built from the user's choices (a
    // report over every category and unit): it may be longer than the buffer.
    bool OpenBuilt(const QString &statement);

    bool IsOpen() const { return m_open; }
    bool IsEOF() const;
    void MoveFirst();
    void MoveNext();
    void Close();
    long GetRecordCount() const;

    QString GetString(const QString &column) const;
    long GetLong(const QString &column) const;
    short GetShort(const QString &column) const;
    double GetDouble(const QString &column) const;
    // The raw value: QString, qlonglong, double, or a null QVariant.
    QVariant GetValue(const QString &column) const;

    QStringList ColumnNames() const { return m_columns; }
    // A column's position: the exact name, else the first ignoring case.
    // Throws when the record set is closed or has no such column. Readers of
    // many rows look their columns up once and read by position.
    int ColumnIndex(const QString &column) const;
    // The same reads by position, for readers that walk every column or
    // many rows.
    QVariant GetValue(int column) const;
    QString GetString(int column) const;
    double GetDouble(int column) const;

private:
    // `limit`: the longest statement allowed; 0 for any length.
    bool OpenStatement(const QString &statement, qsizetype limit);
    const QVariant &Cell(int column) const;
    std::size_t RowCount() const;

    CDbConnection &m_connection;
    bool m_open = false;
    QStringList m_columns;
    // Every row's values one after another: one block however many rows.
    std::vector<QVariant> m_values;
    std::size_t m_row = 0;
};
