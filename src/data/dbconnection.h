#pragma once

#include "data/cipherkey.h"
#include "data/dberror.h"
#include "data/dbuselock.h"

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
    // database (wrong key, plain SQLite, foreign or damaged) 0x80040E37, a file
    // another program has to itself TWK_E_DATABASEBUSY. Opening never writes.
    HRESULT Open(const QString &connection, const QString &user, const QString &password);
    // Closes; the file's use lock goes too, unless it is sole (see TakeSoleUse).
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    // The settings the open file was read with.
    CipherFormat Format() const { return m_format; }

    // How long a statement waits for another program's write lock before it
    // fails with TWK_E_DATABASEBUSY.
    void SetBusyTimeout(int milliseconds);
    // Claims the open file for this connection alone, for work that replaces
    // it: false while another program has it open. The claim outlasts Close
    // and a reopening of the same file until EndSoleUse.
    bool TakeSoleUse();
    void EndSoleUse();

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

    // Called after each statement that changed rows: at the first, a file made
    // by an older build or by hand gets the report indexes, in one step, so
    // that merely reading a file never writes it.
    void PrepareForChanges();

private:
    sqlite3 *m_db = nullptr;
    int m_level = 0;
    int m_busyTimeout = 5000;
    bool m_changesPrepared = false;
    CipherFormat m_format = CipherFormat::Current;
    CDbUseLock m_use;
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
