#include "app/cliargs.h"

#include <QLocale>

QString CCliArgs::Value(const QString &option) const
{
    const QStringList values = m_values.value(option);
    return values.isEmpty() ? QString() : values.last();
}

QDate CCliArgs::Date(const QString &option, const QString &dateFormat, const QDate &fallback) const
{
    if (!Has(option))
        return fallback;
    const QString text = Value(option).trimmed();
    QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        date = QLocale::c().toDate(text, dateFormat);
    if (!date.isValid())
        throw CliError{kCliUsage, QStringLiteral("--%1: \"%2\" is not a date; give it as 2026-01-31 or as %3")
                                      .arg(option, Value(option), QLocale::c().toString(QDate(2026, 1, 31), dateFormat))};
    return date;
}

CCliArgs ParseCliArgs(const QStringList &arguments, const QStringList &accepted, const QStringList &flags)
{
    CCliArgs args;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (!a.startsWith(QLatin1String("--"))) {
            args.positional << a;
            continue;
        }
        QString name = a.mid(2);
        if (flags.contains(name)) {
            args.Add(name, QString());
            continue;
        }
        QString value;
        const qsizetype equals = name.indexOf(u'=');
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        } else {
            if (!accepted.contains(name))
                throw CliError{kCliUsage, QStringLiteral("unknown option \"%1\"").arg(a)};
            if (i + 1 >= arguments.size())
                throw CliError{kCliUsage, QStringLiteral("option \"%1\" needs a value").arg(a)};
            value = arguments[++i];
        }
        if (!accepted.contains(name))
            throw CliError{kCliUsage, QStringLiteral("unknown option \"--%1\"").arg(name)};
        args.Add(name, value);
    }
    return args;
}

bool IsCliCall(const QStringList &arguments, const QStringList &commands)
{
    if (arguments.isEmpty())
        return false;
    const QString &first = arguments.first();
    return first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("--version")
        || commands.contains(first);
}
