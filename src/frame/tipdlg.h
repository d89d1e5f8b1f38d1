#pragma once

#include "frame/tipfile.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// "Tip of the Day" (dialog 107): one tip at a time from "TWKTips.txt",
// carrying on where the last one shown left off. The profile section "Tip"
// keeps whether to show at start-up, the file position and the file's time
// stamp; an edited file starts again at its first tip.
class CTipDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 107;
    static QString DefaultTipsFile() { return QStringLiteral("TWKTips.txt"); }

    // `tipsFile` is resolved against the current directory, the program's folder.
    explicit CTipDlg(QWidget *parent = nullptr, const QString &tipsFile = DefaultTipsFile());
    ~CTipDlg() override;

    bool ShowAtStartUp() const { return m_startUp; }
    const QString &TipText() const { return m_tip; }

    void done(int result) override;

    // The start-up step: shows the dialog modally when the user has not
    // switched the tips off. True when it was shown. A switched-off dialog is
    // not even made, so no unseen tip is passed over.
    static bool RunAtStartUp(QWidget *parent, const QString &tipsFile = DefaultTipsFile());

protected:
    void showEvent(QShowEvent *event) override;

private:
    void NextTip();

    bool m_startUp = true;
    QString m_tip;
    CTipFile m_file;
    QCheckBox *m_startUpBox = nullptr;
    QLabel *m_text = nullptr;
    QPushButton *m_next = nullptr;
};
