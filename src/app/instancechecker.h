#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

// Keeps one running instance per user. The execute lock serialises start-ups;
// the first instance then listens on a local socket named after the instance,
// and a later start hands its arguments over that socket and ends.
class CInstanceChecker : public QObject
{
    Q_OBJECT
public:
    explicit CInstanceChecker(const QString &instanceName, QObject *parent = nullptr);
    ~CInstanceChecker() override;

    // "CInstanceChecker_MMF_" followed by the instance name.
    QString SharedMemoryName() const;

    // Takes the execute lock, waiting while another start-up holds it. A lock
    // left by a crashed process is taken over.
    bool ActivateChecker();
    bool PreviousInstanceRunning() const;
    // Hands `arguments` to the running instance, which raises its window.
    bool ActivatePreviousInstance(const QStringList &arguments);
    // Starts listening for later starts and releases the execute lock. False
    // when another instance already tracks.
    bool TrackFirstInstanceRunning();
    void ReleaseLock();

    // Called in the first instance when a later start hands over its arguments.
    std::function<void(const QStringList &)> onActivate;

private:
    QString ServerPath() const;

    QString m_instanceName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
