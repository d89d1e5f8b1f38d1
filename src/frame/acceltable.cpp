#include "frame/acceltable.h"

#include "base/commandids.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// Virtual-key codes whose Qt key is not found by a simple range.
struct KeyPair {
    unsigned short vk;
    Qt::Key qt;
    bool keypad = false;
};

constexpr KeyPair kKeyPairs[] = {
    {0x08, Qt::Key_Backspace},
    {0x09, Qt::Key_Tab},
    {0x0C, Qt::Key_Clear},
    {0x0D, Qt::Key_Return},
    {0x13, Qt::Key_Pause},
    {0x14, Qt::Key_CapsLock},
    {0x1B, Qt::Key_Escape},
    {0x20, Qt::Key_Space},
    {0x21, Qt::Key_PageUp},
    {0x22, Qt::Key_PageDown},
    {0x23, Qt::Key_End},
    {0x24, Qt::Key_Home},
    {0x25, Qt::Key_Left},
    {0x26, Qt::Key_Up},
    {0x27, Qt::Key_Right},
    {0x28, Qt::Key_Down},
    {0x29, Qt::Key_Select},
    {0x2A, Qt::Key_Printer},
    {0x2B, Qt::Key_Execute},
    {0x2C, Qt::Key_Print},
    {0x2D, Qt::Key_Insert},
    {0x2E, Qt::Key_Delete},
    {0x2F, Qt::Key_Help},
    {0x5D, Qt::Key_Menu},
    {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},
    {0x6D, Qt::Key_Minus, true},
    {0x6E, Qt::Key_Period, true},
    {0x6F, Qt::Key_Slash, true},
    {0x90, Qt::Key_NumLock},
    {0x91, Qt::Key_ScrollLock},
    {0xFA, Qt::Key_Play},
    {0xFB, Qt::Key_Zoom},
    // Punctuation keys of the US layout.
    {0xBA, Qt::Key_Semicolon},
    {0xBB, Qt::Key_Equal},
    {0xBC, Qt::Key_Comma},
    {0xBD, Qt::Key_Minus},
    {0xBE, Qt::Key_Period},
    {0xBF, Qt::Key_Slash},
    {0xC0, Qt::Key_QuoteLeft},
    {0xDB, Qt::Key_BracketLeft},
    {0xDC, Qt::Key_Backslash},
    {0xDD, Qt::Key_BracketRight},
    {0xDE, Qt::Key_Apostrophe},
};

constexpr unsigned short VK_0 = 0x30, VK_9 = 0x39, VK_A = 0x41, VK_Z = 0x5A;
constexpr unsigned short VK_NUMPAD0 = 0x60, VK_NUMPAD9 = 0x69;
constexpr unsigned short VK_F1 = 0x70, VK_F24 = 0x87;

std::optional<Qt::KeyboardModifiers> KeyFromVirtual(unsigned short vk, Qt::Key &key)
{
    if (vk >= VK_0 && vk <= VK_9) {
        key = Qt::Key(Qt::Key_0 + (vk - VK_0));
        return Qt::NoModifier;
    }
    if (vk >= VK_A && vk <= VK_Z) {
        key = Qt::Key(Qt::Key_A + (vk - VK_A));
        return Qt::NoModifier;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        key = Qt::Key(Qt::Key_0 + (vk - VK_NUMPAD0));
        return Qt::KeypadModifier;
    }
    if (vk >= VK_F1 && vk <= VK_F24) {
        key = Qt::Key(Qt::Key_F1 + (vk - VK_F1));
        return Qt::NoModifier;
    }
    for (const KeyPair &p : kKeyPairs) {
        if (p.vk == vk) {
            key = p.qt;
            return p.keypad ? Qt::KeypadModifier : Qt::NoModifier;
        }
    }
    return std::nullopt;
}

std::optional<unsigned short> VirtualFromKey(Qt::Key key, bool keypad)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<unsigned short>((keypad ? VK_NUMPAD0 : VK_0) + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<unsigned short>(VK_A + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<unsigned short>(VK_F1 + (key - Qt::Key_F1));
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    // A keypad flag on a key the pad does not have (Enter, arrows with
    // NumLock off) is dropped; otherwise the pad's own code comes first.
    for (int pass = 0; pass < 2; ++pass) {
        for (const KeyPair &p : kKeyPairs) {
            if (p.qt == key && (pass == 1 || p.keypad == keypad))
                return p.vk;
        }
    }
    return std::nullopt;
}

} // namespace

CAccelTable DefaultAccelTable()
{
    using namespace CommandId;
    return {
        {FVIRTKEY, 'E', AddExpense},
        {FVIRTKEY, 'I', AddIncome},
        {FVIRTKEY | FCONTROL, 'M', AddDeleteCategory},
        {FVIRTKEY | FCONTROL, 'O', RestoreData},
        {FVIRTKEY | FCONTROL, 'P', Print},
        {FVIRTKEY | FCONTROL, 'R', SpecifiedPeriodReport},
        {FVIRTKEY | FCONTROL, 'S', BackupData},
        {FVIRTKEY, 0x75, NextPane},          // F6
        {FVIRTKEY | FSHIFT, 0x75, PrevPane}, // Shift+F6
    };
}

CAccelTable MergeAccelTables(const CAccelTable &current, const CAccelTable &added)
{
    CAccelTable merged = current;
    merged.append(added);
    return merged;
}

std::optional<QKeyCombination> QtKeyFromAccel(unsigned char fVirt, unsigned short key)
{
    Qt::KeyboardModifiers mods;
    if (fVirt & FSHIFT)
        mods |= Qt::ShiftModifier;
    if (fVirt & FCONTROL)
        mods |= Qt::ControlModifier;
    if (fVirt & FALT)
        mods |= Qt::AltModifier;
    if (fVirt & FVIRTKEY) {
        Qt::Key qtKey = Qt::Key_unknown;
        const auto extra = KeyFromVirtual(key, qtKey);
        if (!extra)
            return std::nullopt;
        return QKeyCombination(mods | *extra, qtKey);
    }
    // A character entry: Qt keys of printable Latin-1 characters are their
    // upper-case codes.
    const QChar c(key);
    if (key < 0x20 || key > 0xFF || !c.isPrint())
        return std::nullopt;
    return QKeyCombination(mods, Qt::Key(c.toUpper().unicode()));
}

std::optional<CAccelEntry> AccelFromQtKey(QKeyCombination combination)
{
    const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
    const auto vk = VirtualFromKey(combination.key(), mods.testFlag(Qt::KeypadModifier));
    if (!vk)
        return std::nullopt;
    unsigned char flags = FVIRTKEY;
    if (mods.testFlag(Qt::ShiftModifier))
        flags |= FSHIFT;
    if (mods.testFlag(Qt::ControlModifier))
        flags |= FCONTROL;
    if (mods.testFlag(Qt::AltModifier))
        flags |= FALT;
    return CAccelEntry{flags, *vk, 0};
}

bool TypesText(const CAccelEntry &entry)
{
    if (entry.fVirt & (FCONTROL | FALT))
        return false;
    if (!(entry.fVirt & FVIRTKEY))
        return true;
    const unsigned short k = entry.key;
    return k == 0x20 || (k >= VK_0 && k <= VK_9) || (k >= VK_A && k <= VK_Z) || (k >= VK_NUMPAD0 && k <= 0x6F)
           || (k >= 0xBA && k <= 0xC0) || (k >= 0xDB && k <= 0xDE);
}

bool IsTextInput(const QWidget *widget)
{
    if (!widget)
        return false;
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget))
        return true;
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    // The viewport of a text editor takes the focus in some set-ups.
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w))
            return true;
        if (w->isWindow())
            break;
    }
    return false;
}

bool AccelBlockedByFocus(const CAccelEntry &entry, const QWidget *focus)
{
    return TypesText(entry) && IsTextInput(focus);
}
