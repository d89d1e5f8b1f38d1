#include "app/commandline.h"

ServerSwitch FindServerSwitch(const QStringList &arguments)
{
    for (const QString &a : arguments) {
        if (a.size() < 2 || (a[0] != u'-' && a[0] != u'/'))
            continue;
        const QString name = a.mid(1);
        if (name.compare(QLatin1String("UnregServer"), Qt::CaseInsensitive) == 0)
            return ServerSwitch::Unregister;
        if (name.compare(QLatin1String("RegServer"), Qt::CaseInsensitive) == 0)
            return ServerSwitch::Register;
    }
    return ServerSwitch::None;
}
