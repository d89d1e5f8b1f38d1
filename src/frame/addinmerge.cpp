#include "frame/addinmerge.h"

#include "addins/addinmanager.h"
#include "frame/acceleratormanager.h"
#include "frame/mainframe.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

namespace {

// Tooltips of add-in commands are cut as the platform's tooltip buffer cut them.
constexpr int kMaxTooltip = 79;

QMenu *FindMenu(const QList<QAction *> &actions, const QString &text)
{
    for (QAction *a : actions) {
        if (a->menu() && a->text() == text)
            return a->menu();
    }
    return nullptr;
}

// The menu of `path`, created where missing.
QMenu *MenuFor(CMainFrame &frame, const QStringList &path)
{
    QMenuBar *bar = frame.menuBar();
    QMenu *menu = FindMenu(bar->actions(), path.first());
    if (!menu) {
        menu = new QMenu(path.first(), &frame);
        const QList<QAction *> tops = bar->actions();
        bar->insertMenu(tops.isEmpty() ? nullptr : tops.last(), menu);
        QObject::connect(menu, &QMenu::aboutToShow, &frame, &CMainFrame::UpdateCommandStates);
    }
    for (const QString &name : path.mid(1)) {
        QMenu *sub = FindMenu(menu->actions(), name);
        if (!sub) {
            sub = new QMenu(name, menu);
            const QList<QAction *> items = menu->actions();
            menu->insertMenu(items.isEmpty() ? nullptr : items.last(), sub);
        }
        menu = sub;
    }
    return menu;
}

// The add-in's button pictures: a strip of square images in its resources.
QList<QPixmap> ToolbarImages(const QString &addinName, int bitmapId)
{
    const QPixmap strip(QStringLiteral(":/%1/%2.png").arg(addinName).arg(bitmapId));
    QList<QPixmap> images;
    const int side = strip.height();
    for (int x = 0; side > 0 && x + side <= strip.width(); x += side)
        images << strip.copy(x, 0, side, side);
    return images;
}

} // namespace

std::optional<CAccelEntry> AddinAccelFromText(const QString &text, unsigned short command)
{
    const QStringList parts = text.split(u'+');
    const QString key = parts.last().trimmed();
    if (key.isEmpty())
        return std::nullopt;
    CAccelEntry entry;
    entry.cmd = command;
    const QString modifier = parts.size() > 1 ? parts[parts.size() - 2].trimmed() : QString();
    if (modifier == QLatin1String("Ctrl"))
        entry.fVirt |= FCONTROL;
    else if (modifier == QLatin1String("Alt"))
        entry.fVirt |= FALT;
    else if (modifier == QLatin1String("Shift"))
        entry.fVirt |= FSHIFT;
    // Function keys by name; otherwise the first character is the key. A
    // letter's virtual key is its capital: "k" would otherwise be the
    // number pad's plus key.
    bool isFunction = false;
    const int f = key.mid(1).toInt(&isFunction);
    if (key.size() > 1 && key[0].toUpper() == u'F' && isFunction && f >= 1 && f <= 24)
        entry.key = static_cast<unsigned short>(0x70 + f - 1);
    else
        entry.key = key[0].toUpper().unicode();
    return entry;
}

void MergeAddins(CAddinManager &manager, CMainFrame &frame)
{
    frame.SetAddinCommandRouting([&manager](unsigned id) { manager.InvokeCommand(id); },
                                 [&manager](unsigned id) { return manager.IsCommandEnabled(id); });

    for (const CAddinRecord &record : manager.Addins()) {
        if (!record.usable() || record.name.isEmpty())
            continue;
        QList<QAction *> buttonSlots(qMax(0, record.toolbarButtonCount), nullptr);
        for (const CAddinCommand &command : record.commands) {
            QMenu *menu = MenuFor(frame, command.menuPath);
            if (command.separator)
                menu->addSeparator();
            QString text = command.name;
            if (!command.shortCutKey.isEmpty())
                text += u'\t' + command.shortCutKey;
            auto *action = new QAction(text, menu);
            action->setData(command.id);
            action->setObjectName(QString::number(command.id));
            action->setStatusTip(command.helpString);
            action->setToolTip(command.toolTip.left(kMaxTooltip));
            action->setIconText(command.toolbarText.isEmpty() ? QString(command.name).remove(u'&') : command.toolbarText);
            const unsigned id = command.id;
            QObject::connect(action, &QAction::triggered, &frame, [&frame, id] { frame.ExecuteCommand(id); });
            menu->addAction(action);
            if (const auto key = AddinAccelFromText(command.shortCutKey, static_cast<unsigned short>(id)))
                frame.AddinAccelList().append(*key);
            // A slot at or beyond the button count is ignored.
            if (command.toolBarIndex >= 0 && command.toolBarIndex < buttonSlots.size())
                buttonSlots[command.toolBarIndex] = action;
        }
        if (buttonSlots.isEmpty())
            continue;

        auto *toolbar = new QToolBar(record.name, &frame);
        toolbar->setObjectName(QStringLiteral("addin:") + record.name);
        toolbar->setAllowedAreas(Qt::AllToolBarAreas);
        toolbar->setToolButtonStyle(frame.MainToolBar()->toolButtonStyle());
        toolbar->setIconSize(frame.MainToolBar()->iconSize());
        const QList<QPixmap> images = ToolbarImages(record.name, record.toolbarBitmapId);
        // One button per picture; a button no command took stays out.
        for (int k = 0; k < images.size() && k < buttonSlots.size(); ++k) {
            if (!buttonSlots[k])
                continue;
            buttonSlots[k]->setIcon(QIcon(images[k]));
            toolbar->addAction(buttonSlots[k]);
        }
        QSize largest;
        for (QAction *a : toolbar->actions()) {
            if (QWidget *w = toolbar->widgetForAction(a))
                largest = largest.expandedTo(w->sizeHint());
        }
        for (QAction *a : toolbar->actions()) {
            if (QWidget *w = toolbar->widgetForAction(a))
                w->setFixedSize(largest);
        }
        frame.AddAddinToolbar(toolbar);
    }
    frame.RebuildViewMenu([&manager] { return manager.NextToolbarId(); });
    frame.menuBar()->update();
    frame.UpdateCommandStates();
}

void RegisterAddinCommands(const CAddinManager &addins, CAcceleratorManager &keys)
{
    for (const CAddinRecord &record : addins.Addins()) {
        if (!record.usable())
            continue;
        for (const CAddinCommand &command : record.commands) {
            const auto id = static_cast<unsigned short>(command.id);
            const QString name = QString(command.name).remove(u'&');
            if (command.shortCutKey.isEmpty())
                keys.AddCommand(id, name);
            else
                keys.AddCommandWithKeys(id, name, true);
        }
    }
}
