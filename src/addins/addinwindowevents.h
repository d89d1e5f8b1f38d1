#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

class CAddinManager;
class QWidget;

// Hands the add-in manager the window messages of the main window, the
// report view and every dialog. Installed on the application, it knows a
// dialog by its resource id (its objectName, "-1" for the Default Settings
// sheet and "-2" for the setup wizard) and a settings page by its own id
// when it stands inside another window. It produces creation (first show),
// destruction, activation and command (a button click, or a command the
// frame ran) messages.
class CAddinWindowEvents : public QObject
{
    Q_OBJECT
public:
    CAddinWindowEvents(CAddinManager &manager, QObject *parent = nullptr);
    ~CAddinWindowEvents() override;

    void SetFrame(QWidget *frame) { m_frame = frame; }
    void SetView(QWidget *view) { m_view = view; }
    // The frame ran command `id`.
    void FrameCommand(unsigned id);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { None, Frame, View, Dialog };
    Kind Classify(QObject *object, int &dialogId) const;
    void Send(Kind kind, int dialogId, QWidget *window, unsigned message, quintptr wParam, long long lParam);
    void FirstShow(QWidget *widget, Kind kind, int dialogId);

    CAddinManager &m_manager;
    QPointer<QWidget> m_frame;
    QPointer<QWidget> m_view;
    QSet<QObject *> m_seen;
};
