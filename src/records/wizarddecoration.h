#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

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
