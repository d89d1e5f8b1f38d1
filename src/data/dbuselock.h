#pragma once

#include <QString>

// Tells Tallywick + programs, of any user on any computer that shares the
// folder, that a database file is in use. Each program holds a shared lock on
// the file's ".ldb" beside it while it has the file open; replacing the file
// (compaction) needs the lock alone. The engine's own locks last only while a
// statement runs, so they cannot tell an idle program from none. The lock is
// the system's: it goes with the process, so a crashed program locks nobody
// out. The last program to close the database removes the lock file.
class CDbUseLock
{
public:
    CDbUseLock() = default;
    ~CDbUseLock();
    CDbUseLock(const CDbUseLock &) = delete;
    CDbUseLock &operator=(const CDbUseLock &) = delete;

    // Shares the lock of `database`, waiting up to `waitMs` while another
    // program holds it alone. False when it still does. Where no lock file
    // can be made or opened (a read-only folder), there is none to share:
    // true without a lock.
    bool Share(const QString &database, int waitMs);
    // Makes the shared lock sole; false while another program shares it, and
    // the lock stays shared then.
    bool TakeSole();
    // Sole back to shared.
    void EndSole();
    void Release();
    bool IsSole() const { return m_sole; }
    const QString &Database() const { return m_database; }

    // "TallywickPlus.mdb" -> "TallywickPlus.ldb"; other names get ".ldb" added.
    static QString LockFileFor(const QString &database);
    // True when a program, this one included, holds the lock of `database`.
    static bool InUse(const QString &database);

private:
    int m_fd = -1;
    bool m_sole = false;
    QString m_database;
};
