#include "records/defaultsettingssheet.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/dialogcontrols.h"
#include "data/tallywickdata.h"
#include "records/generalsettingspage.h"
#include "records/preferencesettingspage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

CDefaultSettingsSheet::CDefaultSettingsSheet(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
{
    SetControlId(this, kDialogId);
    setWindowTitle(LoadString(StringId::DefaultSettingsCaption));
    m_tabs = new QTabWidget(this);

    auto *buttons = new QDialogButtonBox(this);
    // The sheet's buttons stand beside every page: their letters keep clear
    // of the pages' (Assign holds A), and OK, Cancel and Help need none, as
    // Enter, Escape and F1 press them, whatever letters a desktop would add.
    auto *ok = buttons->addButton(QDialogButtonBox::Ok);
    auto *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_apply = buttons->addButton(QStringLiteral("Appl&y"), QDialogButtonBox::ApplyRole);
    auto *help = buttons->addButton(QDialogButtonBox::Help);
    ok->setText(QStringLiteral("OK"));
    cancel->setText(QStringLiteral("Cancel"));
    help->setText(QStringLiteral("Help"));
    SetControlId(ok, 1);
    SetControlId(cancel, 2);
    SetControlId(m_apply, kApplyId);
    SetControlId(help, kHelpId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CDefaultSettingsSheet::accept);
    connect(cancel, &QPushButton::clicked, this, &CDefaultSettingsSheet::reject);
    connect(m_apply, &QPushButton::clicked, this, &CDefaultSettingsSheet::OnApply);
    connect(help, &QPushButton::clicked, this, &CDefaultSettingsSheet::ShowHelp);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &CDefaultSettingsSheet::ShowHelp);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    m_general = new CGeneralSettingsPage(data);
    m_preference = new CPreferenceSettingsPage(data);
    AddPage(m_general);
    AddPage(m_preference);
}

void CDefaultSettingsSheet::AddPage(CSettingsPage *page)
{
    m_pages.append(page);
    m_tabs->addTab(page, page->windowTitle().trimmed());
}

CSettingsPage *CDefaultSettingsSheet::CurrentPage() const
{
    return m_pages.value(m_tabs->currentIndex());
}

void CDefaultSettingsSheet::SetCurrentPage(int index)
{
    m_tabs->setCurrentIndex(index);
}

int CDefaultSettingsSheet::exec()
{
    // The wizard or a restore may have changed the settings since the last time.
    m_general->Load();
    m_preference->Load();
    return QDialog::exec();
}

bool CDefaultSettingsSheet::OnApply()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        if (!m_pages.at(i)->Apply()) {
            m_tabs->setCurrentIndex(i);
            return false;
        }
    }
    return true;
}

void CDefaultSettingsSheet::accept()
{
    if (!OnApply())
        return;
    QDialog::accept();
    emit appliedWithOk();
}

void CDefaultSettingsSheet::reject()
{
    for (CSettingsPage *page : m_pages)
        page->Cancel();
    QDialog::reject();
}

void CDefaultSettingsSheet::ShowHelp()
{
    if (!m_data.showHelp)
        return;
    const CSettingsPage *page = CurrentPage();
    // A page from another part of the program names its own topic.
    if (const QVariant topic = page ? page->property("helpTopic") : QVariant(); topic.isValid()) {
        m_data.showHelp(topic.toString());
        return;
    }
    QString anchor = QStringLiteral("#settings");
    if (page == m_general)
        anchor = QStringLiteral("#general");
    else if (page == m_preference)
        anchor = QStringLiteral("#preference");
    m_data.showHelp(LoadString(StringId::HelpSetupMenu) + anchor);
}
