#include "controls/datefield.h"

#include "base/clock.h"
#include "controls/dialogcontrols.h"

#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
#include <utility>

CDateField::CDateField(QWidget *parent)
    : QDateEdit(parent)
{
    setLocale(QLocale::c());
    setCalendarPopup(true);
}

int CDateField::MonthFor(const QString &typed, bool *several)
{
    if (several)
        *several = false;
    if (typed.isEmpty())
        return 0;
    bool number = false;
    const int value = typed.toInt(&number);
    if (number) {
        if (value < 1 || value > 12)
            return 0;
        // "1" may still become 10, 11 or 12.
        if (several)
            *several = typed.size() == 1 && value == 1;
        return value;
    }
    int first = 0;
    for (int month = 1; month <= 12; ++month) {
        if (!QLocale::c().monthName(month, QLocale::LongFormat).startsWith(typed, Qt::CaseInsensitive))
            continue;
        if (first) {
            if (several)
                *several = true;
            break;
        }
        first = month;
    }
    return first;
}

bool CDateField::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // To the next control, not the next section.
            const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            m_typed.clear();
            QWidget::focusNextPrevChild(forward);
            return true;
        }
    }
    return QDateEdit::event(event);
}

void CDateField::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const bool justMovedOn = std::exchange(m_movedOn, false);
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !modifiers) {
        // The date edit takes what was typed; then on to the next control.
        QDateEdit::keyPressEvent(event);
        m_typed.clear();
        QWidget::focusNextPrevChild(true);
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool typed = !modifiers && text.size() == 1 && text[0].isPrint();
    // A section that filled up has moved on already: the separator typed
    // after it must not skip the next one too ("05/11/2027" as typed).
    if (typed && justMovedOn && !text[0].isLetterOrNumber()) {
        event->accept();
        return;
    }
    if (typed && currentSection() == MonthSection && TypeMonth(text)) {
        event->accept();
        return;
    }
    m_typed.clear();
    const int section = currentSectionIndex();
    QDateEdit::keyPressEvent(event);
    m_movedOn = typed && text[0].isLetterOrNumber() && currentSectionIndex() != section;
}

void CDateField::focusOutEvent(QFocusEvent *event)
{
    m_typed.clear();
    QDateEdit::focusOutEvent(event);
}

bool CDateField::TypeMonth(const QString &text)
{
    const QChar c = text[0];
    // A numeric month takes its digits the date edit's own way.
    const bool named = displayFormat().contains(QLatin1String("MMM"));
    if (!c.isLetter() && !(c.isDigit() && named))
        return false;
    // Letters after digits, digits after letters, or a month changed some
    // other way since, start again.
    // Trying June on the way to July must not cost July its 31st.
    if (m_typed.isEmpty() || date().month() != m_typedMonth)
        m_typedDay = date().day();
    if (!m_typed.isEmpty() && (m_typed[0].isDigit() != c.isDigit() || date().month() != m_typedMonth))
        m_typed.clear();
    bool several = false;
    int month = MonthFor(m_typed + c, &several);
    if (month) {
        m_typed += c;
    } else {
        month = MonthFor(QString(c), &several);
        m_typed = month || c == u'0' ? QString(c) : QString();
        several = several || c == u'0';
    }
    if (month)
        SetMonth(month);
    m_typedMonth = date().month();
    // A complete number moves on, as the date edit's own numbers do; a name
    // waits for the separator, so that its further letters go nowhere else.
    if (month && !several && c.isDigit()) {
        m_typed.clear();
        NextSection();
        m_movedOn = true;
    }
    return true;
}

void CDateField::SetMonth(int month)
{
    const QDate now = date();
    const int day = std::min(m_typedDay, QDate(now.year(), month, 1).daysInMonth());
    setDate(QDate(now.year(), month, day));
    setSelectedSection(MonthSection);
}

void CDateField::NextSection()
{
    const int next = currentSectionIndex() + 1;
    if (next < sectionCount()) {
        setCurrentSectionIndex(next);
        setSelectedSection(sectionAt(next));
    }
}

CDateField *MakeDateField(QWidget *parent, int id, const QString &format)
{
    auto *field = MakeControl<CDateField>(parent, id);
    field->setDisplayFormat(format);
    field->setDate(Today());
    return field;
}
