#pragma once

#include <QWidget>

// A settings page that runs by itself inside a CPageHostDlg or as a page of
// the setup wizard. The wizard calls Apply when the user leaves the page
// forward and Cancel when the wizard is cancelled; by itself the page's own
// buttons ask its host to close.
class CSettingsPage : public QWidget
{
    Q_OBJECT
public:
    CSettingsPage(bool inWizard, QWidget *parent);

    // The dialog resource id of the page.
    virtual int DialogId() const = 0;
    // Saves what the page holds; false keeps the page open.
    virtual bool Apply() = 0;
    // Undoes what lives only in memory; nothing is written.
    virtual void Cancel() = 0;

    bool InWizard() const { return m_inWizard; }
    // Where the wizard puts the focus when the page comes up: the first
    // control Tab reaches, unless the page knows better; none on a page
    // without fields.
    virtual QWidget *FirstField() const;

signals:
    // From the page's own OK, Cancel or Close button (QDialog::Accepted or
    // QDialog::Rejected); only when it runs by itself.
    void closeRequested(int result);

private:
    bool m_inWizard;
};
