#pragma once

#include "app/cliargs.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// A subcommand: `tallywick <name> ...`. A new one joins the table in
// cli.cpp with one line.
struct CCliCommand {
    QString name;
    // Shown by "--help": usage line and option list.
    QString help;
    // Options taking a value besides the shared ones.
    QStringList options;
    // Options that take no value ("--dry-run").
    QStringList flags;
    std::function<int(const CCliArgs &)> run;
};

// The options every subcommand accepts, each taking a value.
inline const QStringList kCliSharedOptions = {QStringLiteral("database"), QStringLiteral("from"),
                                              QStringLiteral("to"),       QStringLiteral("unit"),
                                              QStringLiteral("category"), QStringLiteral("format"),
                                              QStringLiteral("output")};

// True when the arguments (without the program name) ask for the command
// line rather than the window: a subcommand, "--help" or "--version".
bool IsCliCall(const QStringList &arguments);

// Runs the command line; the exit status. Data goes to standard output,
// messages to standard error.
int RunCli(const QStringList &arguments);

// Prints a message on standard error, led by the program's name.
void CliMessage(const QString &text);
