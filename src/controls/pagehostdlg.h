#pragma once

#include <QDialog>

class CSettingsPage;

// The modal dialog a page runs in by itself. Escape, the close box and the
// page's Cancel or Close button all end in the page's Cancel.
class CPageHostDlg : public QDialog
{
    Q_OBJECT
public:
    // Takes ownership of the page.
    CPageHostDlg(CSettingsPage *page, QWidget *parent);
    CSettingsPage *Page() const { return m_page; }

    void reject() override;

private:
    CSettingsPage *m_page;
};
