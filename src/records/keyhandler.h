#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Looks at the key presses of chosen controls before the controls do, so a
// dialog can move Enter between fields or give Delete a meaning. A handler
// returns true when it used the key.
class CKeyHandler : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QKeyEvent *)>;

    explicit CKeyHandler(QObject *parent);
    void Watch(QWidget *control, Handler handler);
    // Enter (without Ctrl) on `from` moves the focus to `to`.
    void EnterMoves(QWidget *from, QWidget *to);

    static bool IsEnter(const QKeyEvent *event);
    static bool IsPlainEnter(const QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, Handler> m_handlers;
};
