#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

class CCliArgs;
class CTallywickData;

// Where the command line gets the login password when the environment does
// not give it: the terminal, read without echo. Tests install their own.
class ICliTerminal
{
public:
    virtual ~ICliTerminal() = default;
    // False when nobody can answer (a scheduled job, a pipe).
    virtual bool Interactive() = 0;
    virtual QString ReadSecret(const QString &prompt) = 0;
};

ICliTerminal &CliTerminal();
// Installs a terminal (not owned); nullptr puts the real one back.
ICliTerminal *SetCliTerminal(ICliTerminal *terminal);

inline constexpr char kPasswordVariable[] = "TALLYWICK_PASSWORD";

// Opens the database "--database" names, else the one the settings file in
// `dataFolder` names, and loads the company, the categories and the
// settings. Asks for the login password when its mode asks for one (the
// command line has no add-ins, so the multi-user mode asks too). Throws
// CliError: kCliNoDatabase when the file is missing or will not open,
// kCliWrongPassword for a wrong or missing password. Never creates a file
// and never changes a stored setting.
void OpenCliDatabase(CTallywickData &data, const CCliArgs &args, const QString &dataFolder);

// The same, with the settings file looked for in the user's data folder only
// when no database is named.
void OpenCliDatabase(CTallywickData &data, const CCliArgs &args);

// The application a command runs in, on the offscreen platform: no display
// is needed. The grid measures fonts, so every command needs at least a GUI
// application; `widgets` when it draws a widget (a report view, a chart).
std::unique_ptr<QCoreApplication> MakeOffscreenApplication(bool widgets);
