#include "data/profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

QSettings Profile()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Norwend"),
                     QStringLiteral("Tallywick + "));
}

QString Key(const QString &section, const QString &entry)
{
    return section + u'/' + entry;
}

bool Sync(QSettings &s)
{
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace

int GetProfileInt(const QString &section, const QString &entry, int defaultValue)
{
    const QVariant v = Profile().value(Key(section, entry));
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : defaultValue;
}

QString GetProfileString(const QString &section, const QString &entry, const QString &defaultValue)
{
    const QVariant v = Profile().value(Key(section, entry));
    return v.isValid() ? v.toString() : defaultValue;
}

bool WriteProfileInt(const QString &section, const QString &entry, int value)
{
    QSettings s = Profile();
    s.setValue(Key(section, entry), value);
    return Sync(s);
}

bool WriteProfileString(const QString &section, const QString &entry, const QString &value)
{
    QSettings s = Profile();
    s.setValue(Key(section, entry), value);
    return Sync(s);
}

bool RemoveProfileEntry(const QString &section, const QString &entry)
{
    QSettings s = Profile();
    s.remove(Key(section, entry));
    return Sync(s);
}

bool HasProfileEntry(const QString &section, const QString &entry)
{
    return Profile().contains(Key(section, entry));
}

QString AutostartFolder(bool allUsers)
{
    if (allUsers) {
        // The first system configuration folder, /etc/xdg unless set otherwise.
        const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
        const QString first = dirs.split(u':', Qt::SkipEmptyParts).value(0, QStringLiteral("/etc/xdg"));
        return first + QStringLiteral("/autostart");
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

bool SetRunAtStartup(const QString &valueName, bool allUsers, const QString &executable)
{
    const QString folder = AutostartFolder(allUsers);
    if (!QDir().mkpath(folder))
        return false;
    const QString program = executable.isEmpty() ? QCoreApplication::applicationFilePath() : executable;
    QString quoted = program;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    QSaveFile file(folder + u'/' + valueName + QStringLiteral(".desktop"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Tallywick +\nExec=\"%1\"\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(quoted);
    file.write(text.toUtf8());
    return file.commit();
}

bool RemoveRunAtStartup(const QString &valueName, bool allUsers)
{
    const QString path = AutostartFolder(allUsers) + u'/' + valueName + QStringLiteral(".desktop");
    return !QFile::exists(path) || QFile::remove(path);
}

bool IsRunAtStartup(const QString &valueName, bool allUsers)
{
    QFile file(AutostartFolder(allUsers) + u'/' + valueName + QStringLiteral(".desktop"));
    return file.open(QIODevice::ReadOnly);
}
