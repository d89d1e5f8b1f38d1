#include "addins/addinwindowevents.h"

#include "addins/addinmanager.h"
#include "addins/twkaddin.h"
#include "controls/settingspage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>

#include <optional>

namespace {

std::optional<int> ResourceId(const QObject *object)
{
    bool ok = false;
    const int id = object->objectName().toInt(&ok);
    return ok ? std::optional<int>(id) : std::nullopt;
}

} // namespace

CAddinWindowEvents::CAddinWindowEvents(CAddinManager &manager, QObject *parent)
    : QObject(parent)
    , m_manager(manager)
{
}

CAddinWindowEvents::~CAddinWindowEvents() = default;

CAddinWindowEvents::Kind CAddinWindowEvents::Classify(QObject *object, int &dialogId) const
{
    if (!object->isWidgetType())
        return Kind::None;
    auto *widget = static_cast<QWidget *>(object);
    if (widget == m_frame)
        return Kind::Frame;
    if (widget == m_view)
        return Kind::View;
    const auto id = ResourceId(widget);
    if (!id)
        return Kind::None;
    if (qobject_cast<QDialog *>(widget)) {
        dialogId = *id;
        return Kind::Dialog;
    }
    // A page on a sheet or in the wizard speaks for itself; a page running
    // alone is already heard through its dialog of the same id.
    if (qobject_cast<CSettingsPage *>(widget) && !widget->isWindow() && ResourceId(widget->window()) != id) {
        dialogId = *id;
        return Kind::Dialog;
    }
    return Kind::None;
}

void CAddinWindowEvents::Send(Kind kind, int dialogId, QWidget *window, unsigned message, quintptr wParam,
                              long long lParam)
{
    const AddinWindow from = kind == Kind::Frame ? AddinWindow::Frame
                             : kind == Kind::View ? AddinWindow::View
                                                  : AddinWindow::Dialog;
    m_manager.WindowEvent(from, dialogId, window, message, wParam, qintptr(lParam));
}

void CAddinWindowEvents::FrameCommand(unsigned id)
{
    if (m_frame)
        Send(Kind::Frame, 0, m_frame, TwkMessage::Command, id, 0);
}

void CAddinWindowEvents::FirstShow(QWidget *widget, Kind kind, int dialogId)
{
    m_seen.insert(widget);
    connect(widget, &QObject::destroyed, this, [this, kind, dialogId](QObject *gone) {
        m_seen.remove(gone);
        Send(kind, dialogId, nullptr, TwkMessage::Destroy, 0, 0);
    });
    if (kind == Kind::Dialog) {
        for (QAbstractButton *button : widget->findChildren<QAbstractButton *>()) {
            const auto id = ResourceId(button);
            if (!id)
                continue;
            const QPointer<QWidget> window = widget;
            connect(button, &QAbstractButton::clicked, this, [this, window, dialogId, id = *id] {
                if (window)
                    Send(Kind::Dialog, dialogId, window, TwkMessage::Command, quintptr(id), 0);
            });
        }
    }
    Send(kind, dialogId, widget, TwkMessage::Create, 0, 0);
}

bool CAddinWindowEvents::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::WindowActivate && type != QEvent::WindowDeactivate)
        return false;
    int dialogId = 0;
    const Kind kind = Classify(watched, dialogId);
    if (kind == Kind::None)
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (type == QEvent::Show) {
        if (!m_seen.contains(widget))
            FirstShow(widget, kind, dialogId);
    } else if (widget->isWindow() || kind == Kind::View) {
        Send(kind, dialogId, widget, TwkMessage::Activate, type == QEvent::WindowActivate ? 1 : 0, 0);
    }
    return false;
}
