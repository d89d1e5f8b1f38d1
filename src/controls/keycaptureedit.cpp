#include "controls/keycaptureedit.h"

#include <QKeyEvent>

namespace {

unsigned char ModifierFlag(unsigned short vk)
{
    switch (vk) {
    case VirtualKey::Shift: return FSHIFT;
    case VirtualKey::Control: return FCONTROL;
    case VirtualKey::Menu: return FALT;
    default: return 0;
    }
}

std::optional<CVirtualKey> EventKey(const QKeyEvent *event)
{
    return VirtualKeyFromQt(QKeyCombination(event->modifiers(), Qt::Key(event->key())));
}

// Plain Tab and Shift+Tab still move the focus, so the keyboard can leave
// the box.
bool MovesFocus(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

CKeyCaptureEdit::CKeyCaptureEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // No input method: every key is a key, not text.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void CKeyCaptureEdit::ClearCombination()
{
    m_modifiers = 0;
    m_key = 0;
    m_complete = false;
    clear();
}

bool CKeyCaptureEdit::event(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QLineEdit::event(event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (MovesFocus(key))
        return QLineEdit::event(event);
    // Keys pressed here belong to the box, not to buttons' mnemonics, the
    // default button or the window's shortcuts.
    if (type == QEvent::KeyPress)
        KeyDown(key);
    else if (type == QEvent::KeyRelease)
        KeyUp(key);
    key->accept();
    return true;
}

void CKeyCaptureEdit::KeyDown(const QKeyEvent *event)
{
    if (m_complete && !event->isAutoRepeat())
        ClearCombination();
    if (m_complete)
        return;
    const auto key = EventKey(event);
    if (!key)
        return;
    if (const unsigned char flag = ModifierFlag(key->key)) {
        m_modifiers |= flag;
    } else {
        // Modifiers held when the box got the focus count too.
        m_modifiers |= key->fVirt & kModifierFlags;
        m_key = key->key;
        m_complete = true;
    }
    ShowCombination();
}

void CKeyCaptureEdit::KeyUp(const QKeyEvent *event)
{
    if (m_complete)
        return;
    const auto key = EventKey(event);
    if (!key)
        return;
    m_modifiers &= ~ModifierFlag(key->key);
    ShowCombination();
}

void CKeyCaptureEdit::ShowCombination()
{
    QString text;
    const auto add = [&text](const QString &part) {
        if (!text.isEmpty() && !part.isEmpty())
            text += u'+';
        text += part;
    };
    if (m_modifiers & FCONTROL)
        add(QStringLiteral("Ctrl"));
    if (m_modifiers & FALT)
        add(QStringLiteral("Alt"));
    if (m_modifiers & FSHIFT)
        add(QStringLiteral("Shift"));
    if (m_complete)
        add(VirtualKeyName(m_key));
    setText(text);
}
