#pragma once

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

// Exit statuses of the command line; scripts rely on them.
enum CliExit : int {
    kCliOk = 0,
    kCliFailed = 1,        // the command ran and failed (the message says why)
    kCliUsage = 2,         // bad arguments
    kCliNoDatabase = 3,    // the database could not be opened
    kCliWrongPassword = 4, // wrong or missing login password
    kCliNoRecords = 5,     // no records where the report refuses to run
};

// Ends a command: its status and the message for standard error.
struct CliError {
    int code = kCliFailed;
    QString message;
};

// One subcommand's arguments: the words after it and the options given,
// each option with every value in the order given.
class CCliArgs
{
public:
    QStringList positional;

    bool Has(const QString &option) const { return m_values.contains(option); }
    // The last value given, empty when none.
    QString Value(const QString &option) const;
    QStringList Values(const QString &option) const { return m_values.value(option); }
    QStringList Given() const { return m_values.keys(); }
    void Add(const QString &option, const QString &value) { m_values[option] << value; }

    // An ISO date (2026-01-31) or one in the user's date format; `fallback`
    // when the option is not given. A text that is no date ends with kCliUsage.
    QDate Date(const QString &option, const QString &dateFormat, const QDate &fallback) const;

private:
    QMap<QString, QStringList> m_values;
};

// "--name value" and "--name=value" for the accepted names, "--flag" alone
// for the flags, anything not starting with "--" as a word; anything else
// ends with kCliUsage.
CCliArgs ParseCliArgs(const QStringList &arguments, const QStringList &accepted, const QStringList &flags = {});

// True when the arguments (without the program name) ask for the command
// line rather than the window: one of `commands`, "--help" or "--version".
bool IsCliCall(const QStringList &arguments, const QStringList &commands);
