#include "base/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

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

QString DesktopExecValue(const QString &program)
{
    // Two layers: the quoted argument escapes " ` $ \ with a backslash, then
    // the string value escapes every backslash again. "%" would start a field
    // code, and a line break would end the value.
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    QString value;
    for (const QChar c : quoted) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'%')
            value += QStringLiteral("%%");
        else
            value += c;
    }
    return u'"' + value + u'"';
}

bool SetRunAtStartup(const QString &valueName, bool allUsers, const QString &executable)
{
    const QString folder = AutostartFolder(allUsers);
    if (!QDir().mkpath(folder))
        return false;
    const QString program = executable.isEmpty() ? QCoreApplication::applicationFilePath() : executable;
    QSaveFile file(folder + u'/' + valueName + QStringLiteral(".desktop"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Tallywick +\nExec=%1\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(DesktopExecValue(program));
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
