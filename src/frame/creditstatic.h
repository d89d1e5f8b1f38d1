#pragma once

#include <QFrame>
#include <QStringList>
#include <QTimer>

// A panel whose lines of text roll slowly upwards and start again from the
// bottom, for the About box's credits.
class CCreditStatic : public QFrame
{
    Q_OBJECT
public:
    explicit CCreditStatic(QWidget *parent = nullptr);

    // Lines shown in order; the first is the heading, empty lines are gaps.
    void SetCredits(const QStringList &lines);
    const QStringList &Credits() const { return m_lines; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Step();
    int ContentHeight() const;

    QStringList m_lines;
    QTimer m_timer;
    // How far the text has moved up from its resting place at the top.
    int m_offset = 0;
};
