#pragma once

#include <QImage>
#include <QList>
#include <QMargins>
#include <QStringList>
#include <QWidget>

class QPushButton;
class QVBoxLayout;

// The band above the wizard's pages: the program's banner picture on the
// left and the active page's line on the right.
class CWizardBanner : public QWidget
{
    Q_OBJECT
public:
    explicit CWizardBanner(QWidget *parent = nullptr);

    void SetText(const QString &text);
    QString Text() const { return m_text; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QString m_text;
};

// The strip beside the pages: every step by name, the active one marked.
class CWizardStrip : public QWidget
{
    Q_OBJECT
public:
    explicit CWizardStrip(QWidget *parent = nullptr);

    void SetSteps(const QStringList &steps);
    void SetCurrent(int index);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_steps;
    int m_current = 0;
};

// Lays out a wizard window: the banner (when there is one) above, the strip
// beside the pages (`pageMargins` round them), a rule, and the row of
// buttons: `help` on the left (when there is one), `steps` (Back, Next,
// Finish) on the right, `close` apart from them. The window's layout.
QVBoxLayout *LayOutWizard(QWidget *wizard, QWidget *banner, CWizardStrip *strip, QWidget *pages, const QMargins &pageMargins,
                          QPushButton *help, const QList<QPushButton *> &steps, QPushButton *close);
