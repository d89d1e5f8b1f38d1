#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <vector>

// Who answers a command in the design; kept so that whoever wires a handler
// knows where it belongs.
enum class CommandTarget { Frame, Application, View };

enum class EnableRule {
    Always,
    LoggedIn,
    // Print Preview: also off while a preview is already showing.
    LoggedInOutsidePreview,
    NotLoggedIn,
    PasswordModeZero,
    // Undo Last Import: logged in, with an import still to undo.
    LoggedInWithImport,
};

// Everything the enabling rules look at.
struct CommandState {
    bool loggedIn = false;
    int passwordMode = 0; // 0 ask, 1 bypassed, 2 multi-user add-in
    bool printPreview = false;
    bool importToUndo = false;
};

bool RuleAllows(EnableRule rule, const CommandState &state);

struct CCommand {
    unsigned id = 0;
    QString name;
    CommandTarget target = CommandTarget::Frame;
    EnableRule rule = EnableRule::Always;
    std::function<void()> handler;
};

enum class CommandResult { Done, Unknown, Disabled, Unbound };

// Every menu item, toolbar button and shortcut key ends here: id -> rule and
// handler. Starts with all program commands and no handlers; the frame binds
// its own, the application and the dialogs bind theirs.
class CCommandTable
{
public:
    CCommandTable();

    const CCommand *Find(unsigned id) const;
    // In the order of the table.
    QList<unsigned> Ids() const;

    // False for an id the table does not know.
    bool SetHandler(unsigned id, std::function<void()> handler);
    bool IsBound(unsigned id) const;

    // Unknown ids are disabled.
    bool IsEnabled(unsigned id, const CommandState &state) const;
    // Runs the handler only when the command is known, enabled and bound.
    CommandResult Execute(unsigned id, const CommandState &state) const;

private:
    CCommand *FindMutable(unsigned id);

    std::vector<CCommand> m_commands;
};
