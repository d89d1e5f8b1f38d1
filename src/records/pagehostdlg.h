#pragma once

#include <QDialog>

class CRecordPage;

// The modal dialog a page runs in by itself. Escape, the close box and the
// page's Cancel or Close button all end in the page's Cancel.
class CPageHostDlg : public QDialog
{
    Q_OBJECT
public:
    // Takes ownership of the page.
    CPageHostDlg(CRecordPage *page, QWidget *parent);
    CRecordPage *Page() const { return m_page; }

    void reject() override;

private:
    CRecordPage *m_page;
};
