#include "addins/automationbus.h"

#include "addins/twkobjects.h"

CAutomationBus::CAutomationBus(CTwkObjectModel &, QDBusConnection connection)
    : m_connection(connection)
{
}
CAutomationBus::~CAutomationBus() = default;
QString CAutomationBus::ObjectPath(const TwkClass::Id &id) { return QLatin1Char('/') + QLatin1String(id.name); }
QString DBusServicesFolder() { return {}; }
bool InstallActivationFiles(const QString &) { return false; }
bool RemoveActivationFiles() { return false; }
