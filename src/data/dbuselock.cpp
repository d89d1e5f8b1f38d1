#include "data/dbuselock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int OpenLockFile(const QString &database, bool create)
{
    const QByteArray path = QFile::encodeName(CDbUseLock::LockFileFor(database));
    // Every user must be able to lock it: read access is enough for flock.
    int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd < 0)
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    return fd;
}

bool Lock(int fd, int operation)
{
    int rc;
    do
        rc = ::flock(fd, operation | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
}

// Waits out a program that has the file alone for a moment (a compaction).
bool LockWithin(int fd, int operation, int waitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!Lock(fd, operation)) {
        if (errno != EWOULDBLOCK || clock.elapsed() >= waitMs)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// True while `fd` is the file under the lock file's name.
bool IsLockFile(int fd, const QString &database)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0
        && ::stat(QFile::encodeName(CDbUseLock::LockFileFor(database)).constData(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

CDbUseLock::~CDbUseLock()
{
    Release();
}

QString CDbUseLock::LockFileFor(const QString &database)
{
    const QString path = QFileInfo(database).absoluteFilePath();
    if (path.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        return path.chopped(4) + QStringLiteral(".ldb");
    return path + QStringLiteral(".ldb");
}

bool CDbUseLock::Share(const QString &database, int waitMs)
{
    Release();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        m_fd = OpenLockFile(database, true);
        if (m_fd < 0)
            return true;
        if (!LockWithin(m_fd, LOCK_SH, int(std::max<qint64>(0, waitMs - clock.elapsed())))) {
            Release();
            return false;
        }
        // The last program to leave removes the file; a lock taken on the
        // removed file would guard nothing.
        if (IsLockFile(m_fd, database)) {
            m_database = database;
            return true;
        }
        Release();
    }
}

bool CDbUseLock::TakeSole()
{
    if (m_fd < 0 || m_sole)
        return true;
    if (Lock(m_fd, LOCK_EX)) {
        m_sole = true;
        return true;
    }
    // A failed conversion may have dropped the shared lock: take it again.
    LockWithin(m_fd, LOCK_SH, 5000);
    return false;
}

void CDbUseLock::EndSole()
{
    if (m_fd >= 0 && m_sole)
        Lock(m_fd, LOCK_SH);
    m_sole = false;
}

void CDbUseLock::Release()
{
    if (m_fd < 0)
        return;
    // Alone with the file: nobody needs it any more, and a program that
    // opened it meanwhile finds it gone once it holds its lock.
    if (!m_database.isEmpty() && Lock(m_fd, LOCK_EX) && IsLockFile(m_fd, m_database))
        ::unlink(QFile::encodeName(LockFileFor(m_database)).constData());
    ::close(m_fd);
    m_fd = -1;
    m_sole = false;
    m_database.clear();
}

bool CDbUseLock::InUse(const QString &database)
{
    const int fd = OpenLockFile(database, false);
    if (fd < 0)
        return false;
    const bool free = Lock(fd, LOCK_EX);
    ::close(fd);
    return !free;
}
