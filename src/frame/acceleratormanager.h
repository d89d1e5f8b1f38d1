#pragma once

#include "frame/keyboardvalue.h"

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QString>

class CMainFrame;

// A command that may carry shortcut keys: its display name and keys.
struct CAccelCommand {
    unsigned short id = 0;
    QString name;
    QList<CAccelItem> keys;
};

// Every command's display name and shortcut keys; builds the main window's
// shortcut table from them, remembers the built-in (locked) keys, and keeps
// the user's keys in the profile value "Keyboard".
class CAcceleratorManager
{
public:
    static constexpr const char *kValueName = "Keyboard";

    CAcceleratorManager() = default;
    // Writes the keys when save-at-exit is set and the keys were loaded.
    ~CAcceleratorManager();
    CAcceleratorManager(const CAcceleratorManager &) = delete;
    // Takes the commands, keys and reset snapshot; keeps its own window,
    // profile section and save-at-exit flag.
    CAcceleratorManager &operator=(const CAcceleratorManager &other);

    void SetWindow(CMainFrame *frame, bool saveAtExit);
    CMainFrame *Window() const;

    // A command without keys. Refused when the name belongs to another id.
    bool AddCommand(unsigned short id, const QString &name);
    // The command with the keys the window's current table gives it.
    bool AddCommandWithKeys(unsigned short id, const QString &name, bool locked);
    // False when the command is unknown, already has the key, or another
    // command has it.
    bool AddKey(unsigned short id, const CAccelItem &item);
    bool RemoveKey(unsigned short id, const CAccelItem &item);

    // Installs every key of every command as the window's shortcut table.
    bool CreateTable();

    // Records the unlocked keys as Reset All's target; once only.
    bool TakeResetSnapshot();
    bool HasResetSnapshot() const { return m_snapshotTaken; }
    // Drops every unlocked key and puts back those of the snapshot.
    void ResetToSnapshot();

    // Reads "Keyboard" from the profile section and applies it, then builds
    // the table. True when there is no value; false when it cannot be read
    // or parts of it were damaged (the sound parts still apply).
    bool Load(const QString &section);
    bool Write() const;
    // The records "Keyboard" holds for the current keys.
    QList<CKeyboardRecord> UserKeyRecords() const;

    const QMap<unsigned short, CAccelCommand> &Commands() const { return m_commands; }
    const CAccelCommand *Command(unsigned short id) const;
    // The command that has the key (code with Shift, Ctrl and Alt), if any.
    const CAccelCommand *OwnerOf(const CAccelItem &item) const;

    // After start-up registration: table, snapshot and the stored keys.
    // False when the stored keys could not be loaded.
    bool FinishStartUp();

private:
    void ApplyRecords(const QList<CKeyboardRecord> &records);

    QPointer<CMainFrame> m_window;
    QHash<QString, unsigned short> m_names;
    QMap<unsigned short, CAccelCommand> m_commands;
    QMap<unsigned short, QList<CAccelItem>> m_snapshot;
    bool m_snapshotTaken = false;
    QString m_section;
    bool m_saveAtExit = false;
};

// The main-window commands that may carry keys, in order, with their
// built-in keys locked.
void RegisterMenuCommands(CAcceleratorManager &manager);
