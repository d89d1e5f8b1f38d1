#include "addins/automationbus.h"

#include "addins/twkobjects.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

CAutomationBus::CAutomationBus(CTwkObjectModel &model, QDBusConnection connection)
    : m_connection(std::move(connection))
{
    if (!m_connection.isConnected())
        return;
    for (CTwkObject *object : model.Objects())
        m_connection.registerObject(ObjectPath(object->ClassId()), object,
                                    QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals);
    for (const TwkClass::Id &id : TwkClass::All)
        m_connection.registerService(QLatin1String(id.progId));
    m_exported = true;
}

CAutomationBus::~CAutomationBus()
{
    if (!m_exported)
        return;
    for (const TwkClass::Id &id : TwkClass::All) {
        m_connection.unregisterService(QLatin1String(id.progId));
        m_connection.unregisterObject(ObjectPath(id));
    }
}

QString CAutomationBus::ObjectPath(const TwkClass::Id &id)
{
    return QLatin1Char('/') + QLatin1String(id.name);
}

namespace {

QString ActivationFile(const TwkClass::Id &id)
{
    return DBusServicesFolder() + QLatin1Char('/') + QLatin1String(id.progId) + QLatin1String(".service");
}

// The bus splits Exec like a shell: quote anything beyond plain path
// characters.
QString ShellQuoted(const QString &text)
{
    static const QString plain = QStringLiteral("/._-+=:,@%");
    const bool quiet = std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c.unicode() < 128 && c.isLetterOrNumber()) || plain.contains(c);
    });
    if (quiet && !text.isEmpty())
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

QString DBusServicesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1String("/dbus-1/services");
}

bool InstallActivationFiles(const QString &program)
{
    if (!QDir().mkpath(DBusServicesFolder()))
        return false;
    bool written = true;
    for (const TwkClass::Id &id : TwkClass::All) {
        QSaveFile file(ActivationFile(id));
        if (!file.open(QIODevice::WriteOnly)) {
            written = false;
            continue;
        }
        file.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 -Automation\n")
                       .arg(QLatin1String(id.progId), ShellQuoted(QDir::toNativeSeparators(program)))
                       .toUtf8());
        written = file.commit() && written;
    }
    return written;
}

bool RemoveActivationFiles()
{
    bool removed = true;
    for (const TwkClass::Id &id : TwkClass::All) {
        QFile file(ActivationFile(id));
        if (file.exists() && !file.remove())
            removed = false;
    }
    return removed;
}
