#pragma once

#include <QDialog>

class QLabel;

// The progress window of start-up and exit (dialog 137, "Please wait...").
class CSplashDlg : public QDialog
{
    Q_OBJECT
public:
    enum { IDD = 137 };
    explicit CSplashDlg(const QString &appFolder, QWidget *parent = nullptr);

    // Replaces the status text and repaints at once.
    void SetText(const QString &text);
    QString Text() const;

private:
    QLabel *m_banner = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_second = nullptr;
};
