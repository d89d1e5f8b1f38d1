#include "app/commandline.h"

#include <algorithm>

namespace {

bool IsSwitch(const QString &argument, QLatin1String name)
{
    return argument.size() >= 2 && (argument[0] == u'-' || argument[0] == u'/') &&
           QStringView(argument).mid(1).compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

ServerSwitch FindServerSwitch(const QStringList &arguments)
{
    for (const QString &a : arguments) {
        if (IsSwitch(a, QLatin1String("UnregServer")))
            return ServerSwitch::Unregister;
        if (IsSwitch(a, QLatin1String("RegServer")))
            return ServerSwitch::Register;
    }
    return ServerSwitch::None;
}

bool IsAutomationStart(const QStringList &arguments)
{
    return std::any_of(arguments.begin(), arguments.end(), [](const QString &a) {
        return IsSwitch(a, QLatin1String("Automation")) || IsSwitch(a, QLatin1String("Embedding"));
    });
}
