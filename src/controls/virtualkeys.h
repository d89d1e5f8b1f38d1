#pragma once

#include <QKeyCombination>
#include <QString>

#include <optional>

// Flag byte of a shortcut key, in the stored (Windows accelerator) form.
enum AccelFlag : unsigned char {
    FVIRTKEY = 0x01,
    FSHIFT = 0x04,
    FCONTROL = 0x08,
    FALT = 0x10,
};

constexpr unsigned char kModifierFlags = FSHIFT | FCONTROL | FALT;

// Virtual-key codes the program names on its own.
namespace VirtualKey {
constexpr unsigned short Shift = 0x10, Control = 0x11, Menu = 0x12;
constexpr unsigned short Digit0 = 0x30, Digit9 = 0x39, A = 0x41, Z = 0x5A;
constexpr unsigned short Numpad0 = 0x60, Numpad9 = 0x69, Divide = 0x6F;
constexpr unsigned short F1 = 0x70, F24 = 0x87;
} // namespace VirtualKey

// A key as stored: flag byte and key code (a virtual-key code when
// FVIRTKEY is set, otherwise a character code).
struct CVirtualKey {
    unsigned char fVirt = FVIRTKEY;
    unsigned short key = 0;

    friend bool operator==(const CVirtualKey &, const CVirtualKey &) = default;
};

// Stored form <-> Qt key. Nothing when the key has no counterpart.
std::optional<QKeyCombination> QtKeyFromAccel(unsigned char fVirt, unsigned short key);
// Result has FVIRTKEY set and the modifier flags of `combination`.
std::optional<CVirtualKey> VirtualKeyFromQt(QKeyCombination combination);

// The name of a virtual-key code ("F5", "NUMPAD0", "RETURN"); empty for a
// code the program has no name for.
QString VirtualKeyName(unsigned short key);
// "Ctrl+Alt+Shift+NAME"; modifier-only or empty when the code has no name.
QString AccelKeyText(unsigned char fVirt, unsigned short key);
