#pragma once

#include <QKeyCombination>
#include <QList>

#include <optional>

class QWidget;

// Flag byte of a shortcut entry, in the stored (Windows accelerator) form.
enum AccelFlag : unsigned char {
    FVIRTKEY = 0x01,
    FSHIFT = 0x04,
    FCONTROL = 0x08,
    FALT = 0x10,
};

// One shortcut: flag byte, key code (a virtual-key code when FVIRTKEY is
// set, otherwise a character code) and the command it raises.
struct CAccelEntry {
    unsigned char fVirt = FVIRTKEY;
    unsigned short key = 0;
    unsigned short cmd = 0;

    friend bool operator==(const CAccelEntry &, const CAccelEntry &) = default;
};

using CAccelTable = QList<CAccelEntry>;

// The program's built-in keys.
CAccelTable DefaultAccelTable();

// `current` first, then `added`: on a clash the earlier entry wins, as the
// first matching entry of a table does.
CAccelTable MergeAccelTables(const CAccelTable &current, const CAccelTable &added);

// Stored form <-> Qt key. Nothing when the key has no counterpart.
std::optional<QKeyCombination> QtKeyFromAccel(unsigned char fVirt, unsigned short key);
// Result has FVIRTKEY set and the modifier flags of `combination`.
std::optional<CAccelEntry> AccelFromQtKey(QKeyCombination combination);

// A key without Ctrl or Alt that types a character (letters, digits, space,
// punctuation, the number pad).
bool TypesText(const CAccelEntry &entry);
// True for widgets the user types into.
bool IsTextInput(const QWidget *widget);
// Plain typing keys belong to a focused text field, never to a command.
bool AccelBlockedByFocus(const CAccelEntry &entry, const QWidget *focus);
