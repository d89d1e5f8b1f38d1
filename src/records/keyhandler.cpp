#include "records/keyhandler.h"

#include <QKeyEvent>
#include <QWidget>

CKeyHandler::CKeyHandler(QObject *parent)
    : QObject(parent)
{
}

void CKeyHandler::Watch(QWidget *control, Handler handler)
{
    m_handlers.insert(control, std::move(handler));
    control->installEventFilter(this);
}

void CKeyHandler::EnterMoves(QWidget *from, QWidget *to)
{
    Watch(from, [to](QKeyEvent *event) {
        if (!IsPlainEnter(event))
            return false;
        to->setFocus(Qt::TabFocusReason);
        return true;
    });
}

bool CKeyHandler::IsEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool CKeyHandler::IsPlainEnter(const QKeyEvent *event)
{
    return IsEnter(event) && !(event->modifiers() & Qt::ControlModifier);
}

bool CKeyHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto it = m_handlers.constFind(watched);
        if (it != m_handlers.constEnd() && (*it)(static_cast<QKeyEvent *>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
