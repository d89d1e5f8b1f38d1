#pragma once

#include "data/dberror.h"

#include <QString>

struct sqlite3;

// The one shared connection to the encrypted database file. Closes itself.
class CDbConnection
{
public:
    CDbConnection() = default;
    ~CDbConnection();
    CDbConnection(const CDbConnection &) = delete;
    CDbConnection &operator=(const CDbConnection &) = delete;

    // connection: "Provider=...;Data Source=<path>". A non-empty password is the
    // cipher key. Returns 0 on success; failures throw CDbError: a missing or
    // unreadable file 0x80004005 without description, a file that is not this
    // database (wrong key, plain SQLite, foreign or damaged) 0x80040E37.
    HRESULT Open(const QString &connection, const QString &user, const QString &password);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Nested calls nest; BeginTrans returns true when a level was opened.
    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();
    int TransactionLevel() const { return m_level; }

    // Runs statements that return nothing (schema, pragmas); throws CDbError.
    void Execute(const QString &sql);

    sqlite3 *Handle() const { return m_db; }

    // The status an engine result code maps to.
    static HRESULT StatusFor(int sqliteCode, const QString &message);
    // Throws the CDbError for the connection's last failure.
    [[noreturn]] void ThrowLastError(int code) const;

private:
    sqlite3 *m_db = nullptr;
    int m_level = 0;
};

// Rolls back unless Commit was called; never throws from its destructor.
class CDbTransaction
{
public:
    explicit CDbTransaction(CDbConnection &connection);
    ~CDbTransaction();
    CDbTransaction(const CDbTransaction &) = delete;
    CDbTransaction &operator=(const CDbTransaction &) = delete;
    void Commit();

private:
    CDbConnection &m_connection;
    bool m_done = false;
};

// The parts of a connection string: "Data Source=" and
// "Jet OLEDB:Database Password=". Quoted values are read back unquoted.
QString ConnectionValue(const QString &connection, const QString &key);
// "Data Source=<path>", the path in double quotes when it holds ';' or a
// quote or starts or ends with a blank, as the provider's syntax allows.
QString DataSourcePart(const QString &path);
