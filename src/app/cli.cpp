#include "app/cli.h"

#include "app/chartcli.h"
#include "app/importcli.h"
#include "app/reportcli.h"

#include <QLocale>

#include <cstdio>

namespace {

const QString kHelp = QStringLiteral("--help");
const QString kVersion = QStringLiteral("--version");

const std::vector<CCliCommand> &Commands()
{
    static const std::vector<CCliCommand> commands{ReportCliCommand(), ChartCliCommand(),
                                                        ImportCliCommand()};
    return commands;
}

const CCliCommand *FindCommand(const QString &name)
{
    for (const CCliCommand &c : Commands()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

QString ProgramHelp()
{
    QString text = QStringLiteral("Usage: tallywick [-RegServer | -UnregServer]\n"
                                  "       tallywick COMMAND [options]\n"
                                  "       tallywick --help | --version\n\n"
                                  "Without a command the program opens its window.\n\nCommands:\n");
    for (const CCliCommand &c : Commands())
        text += c.help.section(u'\n', 0, 0) + u'\n';
    text += QStringLiteral("\n\"tallywick COMMAND --help\" describes a command.\n");
    return text;
}

} // namespace

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

bool IsCliCall(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return false;
    const QString &first = arguments.first();
    return first == kHelp || first == QLatin1String("-h") || first == kVersion || FindCommand(first) != nullptr;
}

void CliMessage(const QString &text)
{
    Print(stderr, QStringLiteral("tallywick: ") + text + u'\n');
}

int RunCli(const QStringList &arguments)
{
    const QString first = arguments.value(0);
    if (first == kHelp || first == QLatin1String("-h")) {
        Print(stdout, ProgramHelp());
        return kCliOk;
    }
    if (first == kVersion) {
        Print(stdout, QStringLiteral("Tallywick + %1\n").arg(QStringLiteral(TWK_VERSION)));
        return kCliOk;
    }
    const CCliCommand *command = FindCommand(first);
    if (!command) {
        Print(stderr, ProgramHelp());
        return kCliUsage;
    }
    const QStringList rest = arguments.mid(1);
    if (rest.contains(kHelp)) {
        Print(stdout, command->help);
        return kCliOk;
    }
    try {
        return command->run(ParseCliArgs(rest, kCliSharedOptions + command->options, command->flags));
    } catch (const CliError &e) {
        CliMessage(e.message);
        if (e.code == kCliUsage)
            Print(stderr, command->help.section(u'\n', 0, 0) + QStringLiteral("\n(\"tallywick ") + command->name
                              + QStringLiteral(" --help\" lists the options)\n"));
        return e.code;
    }
}
