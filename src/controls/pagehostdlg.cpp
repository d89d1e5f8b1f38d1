#include "controls/pagehostdlg.h"

#include "controls/settingspage.h"
#include "controls/dialogcontrols.h"

#include <QVBoxLayout>

CPageHostDlg::CPageHostDlg(CSettingsPage *page, QWidget *parent)
    : QDialog(parent)
    , m_page(page)
{
    page->setParent(this);
    SetControlId(this, page->DialogId());
    SetControlId(page, page->DialogId());
    setWindowTitle(page->windowTitle());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(page, &CSettingsPage::closeRequested, this, [this](int result) {
        if (result == QDialog::Accepted)
            accept();
        else
            reject();
    });
}

void CPageHostDlg::reject()
{
    m_page->Cancel();
    QDialog::reject();
}
