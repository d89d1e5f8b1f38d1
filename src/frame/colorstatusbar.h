#pragma once

#include <QList>
#include <QStatusBar>
#include <QString>

class QDateTime;

// The clock text of the status bar, English names whatever the locale:
// "Saturday December 05 2026, 09:28:52".
QString ClockText(const QDateTime &time);

// A status bar whose panes the program paints: each pane keeps a text and a
// colour (0x00BBGGRR) and draws it in bold "Times New Roman".
class CColorStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit CColorStatusBar(QWidget *parent = nullptr);

    // Every pane empty, stretching, no minimum width.
    void SetPaneCount(int count);
    int PaneCount() const { return int(m_panes.size()); }
    // False, changing nothing, for an index outside the panes.
    bool SetPane(int index, const QString &text, unsigned colour);
    // A stretching pane takes a share of the room the others leave;
    // `width` is its least width.
    bool SetPaneWidth(int index, int width, bool stretch = true);
    QString PaneText(int index) const;
    unsigned PaneColour(int index) const;
    QRect PaneRect(int index) const;
    // The width a pane needs to show `text` whole.
    int TextWidth(const QString &text) const;

    // The command prompt shown in pane 0 while the pointer is on a command;
    // without one the pane reads "Ready".
    void SetPrompt(const QString &prompt);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Pane {
        QString text;
        unsigned colour = 0;
        int width = 0;
        bool stretch = true;
    };

    QList<QRect> PaneRects() const;

    QList<Pane> m_panes;
};
