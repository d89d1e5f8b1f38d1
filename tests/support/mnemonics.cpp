#include "support/mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMap>
#include <QSet>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

namespace {

QString Describe(const QObject *control, const QString &text)
{
    QString name = QString::fromLatin1(control->metaObject()->className());
    if (!control->objectName().isEmpty())
        name += u' ' + control->objectName();
    return name + QStringLiteral(" \"") + text + u'"';
}

bool Reachable(const QWidget *control, QWidget *window)
{
    return control == window || (control->window() == window && control->isVisibleTo(window));
}

} // namespace

QStringList SharedKeys(QWidget *window)
{
    // An action shown in two places is still one control.
    QMap<QString, QStringList> byKey;
    QSet<QPair<const QObject *, QString>> seen;
    const auto add = [&](const QKeySequence &key, const QObject *control, const QString &text) {
        if (key.isEmpty() || seen.contains({control, text}))
            return;
        seen.insert({control, text});
        byKey[key.toString(QKeySequence::PortableText)] << Describe(control, text);
    };
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *w : widgets) {
        if (!Reachable(w, window))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            add(button->shortcut(), button, button->text());
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            add(QKeySequence::mnemonic(group->title()), group, group->title());
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            add(QKeySequence::mnemonic(label->text()), label, label->text());
        else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(QKeySequence::mnemonic(tabs->tabText(i)), tabs, tabs->tabText(i));
        } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            for (QAction *menu : bar->actions())
                add(QKeySequence::mnemonic(menu->text()), bar, menu->text());
        }
        for (QAction *action : w->actions()) {
            if (action->shortcutContext() != Qt::WidgetShortcut)
                add(action->shortcut(), action, action->text());
        }
        for (QShortcut *shortcut : w->findChildren<QShortcut *>(Qt::FindDirectChildrenOnly)) {
            if (shortcut->isEnabled() && shortcut->context() != Qt::WidgetShortcut)
                add(shortcut->key(), shortcut, QString());
        }
    }
    QStringList out;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it->size() > 1)
            out << it.key() + QStringLiteral(": ") + it->join(QStringLiteral(", "));
    }
    return out;
}

QStringList SharedKeysOnEveryPage(QWidget *window)
{
    QStringList out = SharedKeys(window);
    const auto addNew = [&out](const QStringList &lines) {
        for (const QString &line : lines) {
            if (!out.contains(line))
                out << line;
        }
    };
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        const int kept = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            addNew(SharedKeys(window));
        }
        tabs->setCurrentIndex(kept);
    }
    for (QStackedWidget *stack : window->findChildren<QStackedWidget *>()) {
        // A tab widget's own stack was walked above.
        if (qobject_cast<QTabWidget *>(stack->parentWidget()))
            continue;
        const int kept = stack->currentIndex();
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            addNew(SharedKeys(window));
        }
        stack->setCurrentIndex(kept);
    }
    return out;
}
