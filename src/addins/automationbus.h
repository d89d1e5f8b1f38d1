#pragma once

#include <QDBusConnection>
#include <QString>

class CTwkObjectModel;
namespace TwkClass {
struct Id;
}

// The object model on a D-Bus connection (the session bus in the program):
// each object at "/" + its class name with its ProgID as interface name,
// and every ProgID owned as a bus name. Destroying it withdraws both.
class CAutomationBus
{
public:
    CAutomationBus(CTwkObjectModel &model, QDBusConnection connection);
    ~CAutomationBus();
    CAutomationBus(const CAutomationBus &) = delete;
    CAutomationBus &operator=(const CAutomationBus &) = delete;

    // False when the connection is not there: automation is off.
    bool IsExported() const { return m_exported; }

    static QString ObjectPath(const TwkClass::Id &id);

private:
    QDBusConnection m_connection;
    bool m_exported = false;
};

// The D-Bus activation files that let the bus start the program for
// automation: one per ProgID in the user's D-Bus services folder
// ($XDG_DATA_HOME/dbus-1/services), each running `program` with
// "-Automation". False when a file could not be written or removed.
QString DBusServicesFolder();
bool InstallActivationFiles(const QString &program);
bool RemoveActivationFiles();
