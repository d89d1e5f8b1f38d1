#include "app/cli.h"

#include "app/chartcli.h"
#include "app/importcli.h"
#include "app/reportcli.h"

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

bool IsCliCall(const QStringList &arguments)
{
    QStringList names;
    for (const CCliCommand &c : Commands())
        names << c.name;
    return IsCliCall(arguments, names);
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
