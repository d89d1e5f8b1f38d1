#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class CCreditStatic;

// The program file's version as "%d.%d.%d.%d".
QString ProgramBuildNumber();
// The credits text as composed for the About box: "\r" and "\n" break lines.
QString AboutCreditsText(const QString &buildNumber, const QString &buildDate, const QString &buildTime);
// The credits text split into the lines the panel shows.
QStringList CreditLines(const QString &credits);

// The About box: banner, rolling credits, a web link and OK.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 100;

    explicit CAboutDlg(QWidget *parent = nullptr);

    CCreditStatic *Credits() const { return m_credits; }

signals:
    // The link names a help topic, the Getting Started page.
    void linkOpened(const QString &topic);

private:
    CCreditStatic *m_credits = nullptr;
};
