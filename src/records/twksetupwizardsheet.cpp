#include "records/twksetupwizardsheet.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/dialogcontrols.h"
#include "data/tallywickdata.h"
#include "records/categorypage.h"
#include "records/currencydlg.h"
#include "records/generalsettingspage.h"
#include "records/preferencesettingspage.h"
#include "records/userinfopage.h"
#include "records/wizarddecoration.h"
#include "records/wizardsettingssummarypage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

CTwkSetupWizardSheet::CTwkSetupWizardSheet(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
{
    SetControlId(this, kDialogId);
    m_stack = new QStackedWidget(this);

    // The welcome page lists what the others set up, so it is made last.
    AddStep(new CUserInfoPage(data, true), "Enter your name or business name, and other information - Page %d of %d",
            QStringLiteral("Your Name/Business Name And Other Info"));
    AddStep(new CCurrencyDlg(data, true), "Set Currency - Page %d of %d", QStringLiteral("Currency Symbol."));
    AddStep(new CCategoryPage(data, true), "Add or Delete Category - Page %d of %d", QStringLiteral("Add/Delete Category"));
    AddStep(new CGeneralSettingsPage(data, true), "General Settings - Page %d of %d", QStringLiteral("General Settings"));
    AddStep(new CPreferenceSettingsPage(data, true), "Preference Settings - Page %d of %d",
            QStringLiteral("Preference Settings"));
    QStringList lines;
    for (const Step &step : m_pages)
        lines << step.line;
    auto *welcome = new CWizardSettingsSummaryPage(data.firstRun, lines);
    m_pages.prepend({welcome, "Welcome to Setup Wizard - Page %d of %d ", QString()});
    m_stack->insertWidget(0, welcome);

    m_banner = new CWizardBanner(this);
    m_strip = new CWizardStrip(this);
    QStringList steps;
    for (const Step &step : m_pages)
        steps << step.page->windowTitle().trimmed();
    m_strip->SetSteps(steps);

    // Letters no page uses: Browse and Compact Database keep B and C. Close
    // needs none, Escape closes.
    m_back = MakeControl<QPushButton>(this, kBackId, QStringLiteral("< Bac&k"));
    m_next = MakeControl<QPushButton>(this, kNextId, QStringLiteral("&Next >"));
    m_finish = MakeControl<QPushButton>(this, kFinishId, QStringLiteral("&Finish"));
    m_close = MakeControl<QPushButton>(this, 2, QStringLiteral("Close"));
    connect(m_back, &QPushButton::clicked, this, &CTwkSetupWizardSheet::OnBack);
    connect(m_next, &QPushButton::clicked, this, &CTwkSetupWizardSheet::OnNext);
    connect(m_finish, &QPushButton::clicked, this, &CTwkSetupWizardSheet::OnFinish);
    connect(m_close, &QPushButton::clicked, this, &CTwkSetupWizardSheet::reject);

    QVBoxLayout *layout =
        LayOutWizard(this, m_banner, m_strip, m_stack, QMargins(8, 8, 8, 0), nullptr, {m_back, m_next, m_finish}, m_close);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [&data] {
        if (data.showHelp)
            data.showHelp(LoadString(StringId::HelpSetupMenu) + QStringLiteral("#wizard"));
    });

    ShowPage(0);
}

namespace {

// Pages keep their own height at the top of the frame.
QWidget *TopAligned(QWidget *page)
{
    auto *holder = new QWidget;
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    layout->addStretch(1);
    return holder;
}

} // namespace

void CTwkSetupWizardSheet::AddStep(CSettingsPage *page, const char *titleTemplate, const QString &line)
{
    m_pages.append({page, titleTemplate, line});
    m_stack->addWidget(TopAligned(page));
}

QString CTwkSetupWizardSheet::PageTitle(int index) const
{
    if (index < 0 || index >= PageCount())
        return QString();
    return QString::asprintf(m_pages.at(index).titleTemplate, index + 1, PageCount());
}

void CTwkSetupWizardSheet::ShowPage(int index)
{
    m_current = index;
    m_stack->setCurrentIndex(index);
    setWindowTitle(PageTitle(index));
    m_banner->SetText(index == 0 ? QStringLiteral("Welcome") : PageLine(index));
    m_strip->SetCurrent(index);
    const bool last = index == PageCount() - 1;
    m_back->setEnabled(index > 0);
    m_next->setVisible(!last);
    m_finish->setVisible(last);
    QPushButton *step = last ? m_finish : m_next;
    step->setDefault(true);
    // Typing goes into the page, not into the button that turned it.
    if (QWidget *field = m_pages.at(index).page->FirstField()) {
        field->setFocus(Qt::TabFocusReason);
        // As Tab would: what is typed replaces the text shown.
        if (auto *edit = qobject_cast<QLineEdit *>(field))
            edit->selectAll();
    } else
        step->setFocus(Qt::TabFocusReason);
}

void CTwkSetupWizardSheet::OnBack()
{
    if (m_current > 0)
        ShowPage(m_current - 1);
}

bool CTwkSetupWizardSheet::OnNext()
{
    if (m_current >= PageCount() - 1 || !m_pages.at(m_current).page->Apply())
        return false;
    ShowPage(m_current + 1);
    return true;
}

void CTwkSetupWizardSheet::OnFinish()
{
    if (m_pages.at(m_current).page->Apply())
        accept();
}

void CTwkSetupWizardSheet::reject()
{
    for (const Step &step : m_pages)
        step.page->Cancel();
    QDialog::reject();
}
