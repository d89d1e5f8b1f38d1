#include "frame/acceltable.h"

#include "base/commandids.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

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

std::optional<CVirtualKey> MenuMnemonicKey(const QString &title)
{
    for (qsizetype i = 0; i + 1 < title.size(); ++i) {
        if (title.at(i) != u'&')
            continue;
        const QChar c = title.at(i + 1);
        if (c == u'&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        const QChar upper = c.toUpper();
        if ((upper >= u'A' && upper <= u'Z') || (upper >= u'0' && upper <= u'9'))
            return CVirtualKey{static_cast<unsigned char>(FVIRTKEY | FALT), upper.unicode()};
        return std::nullopt;
    }
    return std::nullopt;
}

CAccelTable MergeAccelTables(const CAccelTable &current, const CAccelTable &added)
{
    CAccelTable merged = current;
    merged.append(added);
    return merged;
}

std::optional<CAccelEntry> AccelFromQtKey(QKeyCombination combination)
{
    const auto key = VirtualKeyFromQt(combination);
    if (!key)
        return std::nullopt;
    return CAccelEntry{key->fVirt, key->key, 0};
}

bool TypesText(const CAccelEntry &entry)
{
    if (entry.fVirt & (FCONTROL | FALT))
        return false;
    if (!(entry.fVirt & FVIRTKEY))
        return true;
    using namespace VirtualKey;
    const unsigned short k = entry.key;
    return k == 0x20 || (k >= Digit0 && k <= Digit9) || (k >= A && k <= Z) || (k >= Numpad0 && k <= Divide)
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
