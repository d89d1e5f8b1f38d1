#pragma once

#include "controls/virtualkeys.h"

#include <QList>

#include <optional>

class QWidget;

// One shortcut: flag byte, key code (a virtual-key code when FVIRTKEY is
// set, otherwise a character code) and the command it raises.
struct CAccelEntry {
    unsigned char fVirt = FVIRTKEY;
    unsigned short key = 0;
    unsigned short cmd = 0;

    friend bool operator==(const CAccelEntry &, const CAccelEntry &) = default;
};

using CAccelTable = QList<CAccelEntry>;

// A key the main window answers on its own (F1, a menu's Alt+letter): given
// to a command as well, neither would run.
struct CReservedKey {
    CVirtualKey key;
    // What uses it, as a message names it ("Help Topics", "the File menu").
    QString owner;
};

// The Alt+letter of a menu title such as "&File"; nothing without a mnemonic.
std::optional<CVirtualKey> MenuMnemonicKey(const QString &title);

// The program's built-in keys.
CAccelTable DefaultAccelTable();

// `current` first, then `added`: on a clash the earlier entry wins, as the
// first matching entry of a table does.
CAccelTable MergeAccelTables(const CAccelTable &current, const CAccelTable &added);

// The entry of a Qt key, without a command. Nothing when the key has no
// virtual-key code.
std::optional<CAccelEntry> AccelFromQtKey(QKeyCombination combination);

// A key without Ctrl or Alt that types a character (letters, digits, space,
// punctuation, the number pad).
bool TypesText(const CAccelEntry &entry);
// True for widgets the user types into.
bool IsTextInput(const QWidget *widget);
// Plain typing keys belong to a focused text field, never to a command.
bool AccelBlockedByFocus(const CAccelEntry &entry, const QWidget *focus);
