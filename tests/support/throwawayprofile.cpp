#include "throwawayprofile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

void UseThrowAwayProfile(const QString &root)
{
    const QByteArray r = QFile::encodeName(root);
    qputenv("HOME", r);
    qputenv("XDG_CONFIG_HOME", r + "/config");
    qputenv("XDG_DATA_HOME", r + "/data");
    qputenv("XDG_CACHE_HOME", r + "/cache");
    qputenv("XDG_CONFIG_DIRS", r + "/etc-xdg");
    qputenv("XDG_RUNTIME_DIR", r + "/runtime");
    QDir(root).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No session bus: automation stays off.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QStandardPaths::setTestModeEnabled(true);
    // A returning user's profile with the start-up tip switched off, so that
    // bringing the program up, here or in a started copy, never waits on it.
    for (const QString &config : {root + QStringLiteral("/config"),
                                  QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)}) {
        QDir(config).mkpath(QStringLiteral("Norwend"));
        QFile profile(config + QStringLiteral("/Norwend/Tallywick + .conf"));
        if (profile.open(QIODevice::WriteOnly))
            profile.write("[Tip]\nStartUp=1\n");
    }
}
