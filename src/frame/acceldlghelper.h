#pragma once

#include "frame/keyboardvalue.h"

#include <QList>
#include <QString>

class CAcceleratorManager;

// What the Menu Shortcut Keys page decides, on the manager it edits.
class CAccelDlgHelper
{
public:
    struct CommandRow {
        QString name;
        unsigned short id = 0;
    };

    enum class Assigned { Done, Taken, Unnamed, NoCommand };
    struct AssignResult {
        Assigned outcome = Assigned::NoCommand;
        // The command that has the key already (Taken).
        QString owner;
        CAccelItem key;
    };

    enum class Removed { Done, Locked, LookupFailed, KeyUnavailable };

    explicit CAccelDlgHelper(CAcceleratorManager &manager)
        : m_manager(manager)
    {
    }

    // Every command, sorted by name ignoring case.
    QList<CommandRow> CommandRows() const;
    // The command's keys, sorted by their text.
    QList<CAccelItem> KeysOf(unsigned short id) const;

    // Gives the command the key unless some command has it already.
    AssignResult Assign(unsigned short id, CVirtualKey combination);
    // Built-in keys stay.
    Removed Remove(unsigned short id, const CAccelItem &key);
    // Back to the keys recorded at start-up.
    void ResetAll();
    bool CanReset() const;

private:
    CAcceleratorManager &m_manager;
};
