#include "app/instancechecker.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString RuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

QString SafeName(const QString &name)
{
    QString out;
    for (const QChar c : name)
        out += c.isLetterOrNumber() || c == u'_' || c == u'-' ? c : QChar(u'_');
    return out + QStringLiteral("-%1").arg(::getuid());
}

} // namespace

CInstanceChecker::CInstanceChecker(const QString &instanceName, QObject *parent)
    : QObject(parent)
    , m_instanceName(instanceName)
{
}

CInstanceChecker::~CInstanceChecker()
{
    ReleaseLock();
}

// A full path in the user's runtime folder: a bare name would land in the
// shared temporary folder, where other users and other sessions meet.
QString CInstanceChecker::ServerPath() const
{
    return RuntimeFolder() + u'/' + SafeName(SharedMemoryName());
}

QString CInstanceChecker::SharedMemoryName() const
{
    return QStringLiteral("CInstanceChecker_MMF_") + m_instanceName;
}

bool CInstanceChecker::ActivateChecker()
{
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(RuntimeFolder() + u'/' + SafeName(m_instanceName) + QStringLiteral(".lock"));
    // Only a lock whose process has died is stale: a first start waiting at
    // a question for minutes must still hold it.
    m_lock->setStaleLockTime(0);
    return m_lock->lock();
}

bool CInstanceChecker::PreviousInstanceRunning() const
{
    QLocalSocket socket;
    socket.connectToServer(ServerPath());
    const bool running = socket.waitForConnected(1000);
    socket.abort();
    return running;
}

bool CInstanceChecker::ActivatePreviousInstance(const QStringList &arguments)
{
    QLocalSocket socket;
    socket.connectToServer(ServerPath());
    bool found = socket.waitForConnected(2000);
    if (found) {
        QByteArray block;
        QDataStream out(&block, QIODevice::WriteOnly);
        out << arguments;
        socket.write(block);
        found = socket.waitForBytesWritten(2000);
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState)
            socket.waitForDisconnected(1000);
    }
    ReleaseLock();
    return found;
}

bool CInstanceChecker::TrackFirstInstanceRunning()
{
    if (m_server)
        return true;
    if (PreviousInstanceRunning()) {
        ReleaseLock();
        return false;
    }
    const QString name = ServerPath();
    // A socket left by a crashed instance answers nobody: take it over.
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const bool listening = m_server->listen(name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                QDataStream in(socket);
                in.startTransaction();
                QStringList arguments;
                in >> arguments;
                if (!in.commitTransaction())
                    return;
                if (onActivate)
                    onActivate(arguments);
            });
        }
    });
    ReleaseLock();
    return listening;
}

void CInstanceChecker::ReleaseLock()
{
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}
