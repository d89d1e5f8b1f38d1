#pragma once

#include "frame/acceltable.h"
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

    enum class Assigned { Done, Taken, Reserved, Unnamed, NoCommand };
    struct AssignResult {
        Assigned outcome = Assigned::NoCommand;
        // The command that has the key already (Taken), or what the window
        // uses it for (Reserved).
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

    // Keys the window keeps for itself.
    void SetReservedKeys(const QList<CReservedKey> &keys) { m_reserved = keys; }
    // Gives the command the key unless the window or some command has it
    // already, or the key has no name.
    AssignResult Assign(unsigned short id, CVirtualKey combination);
    // Built-in keys stay.
    Removed Remove(unsigned short id, const CAccelItem &key);
    // Back to the keys recorded at start-up.
    void ResetAll();
    bool CanReset() const;

private:
    CAcceleratorManager &m_manager;
    QList<CReservedKey> m_reserved;
};
