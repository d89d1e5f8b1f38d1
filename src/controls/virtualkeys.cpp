#include "controls/virtualkeys.h"

namespace {

using namespace VirtualKey;

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

// The key names the program shows; the runs of digits, letters, number-pad
// digits and function keys are named by KeyRunName.
struct KeyName {
    unsigned short vk;
    const char *name;
};

constexpr KeyName kKeyNames[] = {
    {1, "VK_LBUTTON"}, {2, "VK_RBUTTON"},  {3, "VK_CANCEL"},  {4, "VK_MBUTTON"},   {8, "BACK"},
    {9, "TAB"},        {12, "VK_CLEAR"},   {13, "RETURN"},    {16, "SHIFT"},       {17, "CONTROL"},
    {18, "MENU"},      {19, "PAUSE"},      {20, "CAPITAL"},   {27, "ESCAPE"},      {32, "SPACE"},
    {33, "PRIOR"},     {34, "NEXT"},       {35, "END"},       {36, "HOME"},        {37, "LEFT"},
    {38, "UP"},        {39, "RIGHT"},      {40, "DOWN"},      {41, "VK_SELECT"},   {42, "PRINT"},
    {43, "EXECUTE"},   {44, "SNAPSHOT"},   {45, "INSERT"},    {46, "DELETE"},      {47, "VK_HELP"},
    {91, "VK_LWIN"},   {92, "VK_RWIN"},    {93, "VK_APPS"},   {106, "MULTIPLY"},   {107, "ADD"},
    {108, "SEPARATOR"}, {109, "SUBTRACT"}, {110, "DECIMAL"},  {111, "DIVIDE"},     {144, "NUMLOCK"},
    {145, "VK_SCROLL"}, {246, "VK_ATTN"},  {247, "VK_CRSEL"}, {248, "VK_EXSEL"},   {249, "VK_EREOF"},
    {250, "VK_PLAY"},  {251, "VK_ZOOM"},   {252, "VK_NONAME"}, {253, "VK_PA1"},    {254, "VK_OEM_CLEAR"},
};

QString KeyRunName(unsigned short vk)
{
    if (vk >= Digit0 && vk <= Digit9)
        return QString(QChar(vk));
    if (vk >= A && vk <= Z)
        return QString(QChar(vk));
    if (vk >= Numpad0 && vk <= Numpad9)
        return QStringLiteral("NUMPAD%1").arg(vk - Numpad0);
    if (vk >= F1 && vk <= F24)
        return QStringLiteral("F%1").arg(vk - F1 + 1);
    return {};
}

std::optional<Qt::KeyboardModifiers> KeyFromVirtual(unsigned short vk, Qt::Key &key)
{
    if (vk >= Digit0 && vk <= Digit9) {
        key = Qt::Key(Qt::Key_0 + (vk - Digit0));
        return Qt::NoModifier;
    }
    if (vk >= A && vk <= Z) {
        key = Qt::Key(Qt::Key_A + (vk - A));
        return Qt::NoModifier;
    }
    if (vk >= Numpad0 && vk <= Numpad9) {
        key = Qt::Key(Qt::Key_0 + (vk - Numpad0));
        return Qt::KeypadModifier;
    }
    if (vk >= F1 && vk <= F24) {
        key = Qt::Key(Qt::Key_F1 + (vk - F1));
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
    switch (key) {
    case Qt::Key_Shift: return Shift;
    case Qt::Key_Control: return Control;
    case Qt::Key_Alt: return Menu;
    default: break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<unsigned short>((keypad ? Numpad0 : Digit0) + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<unsigned short>(A + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<unsigned short>(F1 + (key - Qt::Key_F1));
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    // Shift+Tab arrives as its own key.
    if (key == Qt::Key_Backtab)
        key = Qt::Key_Tab;
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

std::optional<CVirtualKey> VirtualKeyFromQt(QKeyCombination combination)
{
    const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
    const auto vk = VirtualFromKey(combination.key(), mods.testFlag(Qt::KeypadModifier));
    if (!vk)
        return std::nullopt;
    unsigned char flags = FVIRTKEY;
    if (mods.testFlag(Qt::ShiftModifier) || combination.key() == Qt::Key_Backtab)
        flags |= FSHIFT;
    if (mods.testFlag(Qt::ControlModifier))
        flags |= FCONTROL;
    if (mods.testFlag(Qt::AltModifier))
        flags |= FALT;
    return CVirtualKey{flags, *vk};
}

QString VirtualKeyName(unsigned short key)
{
    for (const KeyName &n : kKeyNames) {
        if (n.vk == key)
            return QString::fromLatin1(n.name);
    }
    return KeyRunName(key);
}

QString AccelKeyText(unsigned char fVirt, unsigned short key)
{
    QString text;
    if (fVirt & FCONTROL)
        text += QStringLiteral("Ctrl+");
    if (fVirt & FALT)
        text += QStringLiteral("Alt+");
    if (fVirt & FSHIFT)
        text += QStringLiteral("Shift+");
    return text + VirtualKeyName(key);
}
