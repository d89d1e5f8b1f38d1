#include "records/preferencesettingspage.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/colorpickercombo.h"
#include "data/profile.h"
#include "data/tallywickdata.h"
#include "records/recordui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Settings");

} // namespace

QStringList DateFormatChoices()
{
    // The setting is stored as its text: new formats go at the end and the
    // earlier ones keep their meaning.
    return {QStringLiteral("MMM/dd/yyyy"), QStringLiteral("MM/dd/yyyy"), QStringLiteral("dd/MMM/yyyy"),
            QStringLiteral("dd/MM/yyyy"),  QStringLiteral("dd.MM.yyyy"), QStringLiteral("yyyy-MM-dd")};
}

QString DateFormatExample(const QString &format)
{
    // English month names, as every displayed date of the program has.
    return QStringLiteral("Example: ") + QLocale::c().toString(QDate(2005, 12, 25), format);
}

CPreferenceSettingsPage::CPreferenceSettingsPage(CTallywickData &data, bool inWizard, QWidget *parent)
    : CSettingsPage(inWizard, parent)
    , m_data(data)
{
    setWindowTitle(QStringLiteral("Preference Settings"));
    BuildControls();
    Load();
}

void CPreferenceSettingsPage::BuildControls()
{
    auto *look = new QGroupBox(QStringLiteral("Display"), this);
    m_colour = MakeControl<CColorPickerCombo>(look, 1090);
    m_colour->Fill();
    m_colour->setMinimumWidth(170);
    m_dateFormat = MakeControl<QComboBox>(look, 1091);
    m_dateFormat->addItems(DateFormatChoices());
    m_example = MakeControl<QLabel>(look, 1100);
    QFont marigold(QStringLiteral("Marigold"));
    marigold.setPixelSize(11);
    marigold.setBold(true);
    m_example->setFont(marigold);
    m_example->setStyleSheet(QStringLiteral("color: blue"));
    m_example->setMinimumWidth(m_example->fontMetrics().horizontalAdvance(DateFormatExample(QStringLiteral("dd/MMM/yyyy"))) + 8);
    m_reminders = MakeControl<QCheckBox>(look, 1074, QStringLiteral("Automatically display payment reminders on startup"));
    auto *lookGrid = new QGridLayout(look);
    lookGrid->addWidget(new QLabel(QStringLiteral("Background Color"), look), 0, 0);
    lookGrid->addWidget(m_colour, 0, 1, Qt::AlignLeft);
    lookGrid->addWidget(new QLabel(QStringLiteral("Date Format"), look), 1, 0);
    lookGrid->addWidget(m_dateFormat, 1, 1, Qt::AlignLeft);
    lookGrid->addWidget(m_example, 2, 1);
    lookGrid->addWidget(m_reminders, 3, 0, 1, 2);
    lookGrid->setColumnStretch(1, 1);

    auto *report = new QGroupBox(QStringLiteral("Report Display Settings"), this);
    m_logo = MakeControl<QCheckBox>(report, 1070, QStringLiteral("Display Logo "));
    m_email = MakeControl<QCheckBox>(report, 1071, QStringLiteral("Display E-mail "));
    m_phone = MakeControl<QCheckBox>(report, 1072, QStringLiteral("Display Phone Number "));
    m_fax = MakeControl<QCheckBox>(report, 1073, QStringLiteral("Display Fax Number "));
    auto *reportGrid = new QGridLayout(report);
    reportGrid->addWidget(m_logo, 0, 0);
    reportGrid->addWidget(m_email, 0, 1);
    reportGrid->addWidget(MakeInfoIcon(report, 1101, LoadString(StringId::ReportDisplayInfoTip)), 0, 2, Qt::AlignRight);
    reportGrid->addWidget(m_phone, 1, 0);
    reportGrid->addWidget(m_fax, 1, 1);
    reportGrid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(look);
    layout->addWidget(report);
    layout->addStretch();

    for (QCheckBox *box : {m_reminders, m_logo, m_email, m_phone, m_fax})
        connect(box, &QCheckBox::clicked, this, &CPreferenceSettingsPage::MarkChanged);
    connect(m_colour, &QComboBox::activated, this, &CPreferenceSettingsPage::MarkChanged);
    connect(m_dateFormat, &QComboBox::activated, this, [this] {
        m_example->setText(DateFormatExample(m_dateFormat->currentText()));
        MarkChanged();
    });
}

void CPreferenceSettingsPage::Load()
{
    const CSettingsRecord &s = m_data.settings;
    m_kept = {COLORREF(GetProfileInt(kSection, QStringLiteral("BkgColor"), int(s.backgroundColour))),
              s.dateFormat,
              s.autoPaymentReminderDisplay,
              s.iPrintLogo,
              s.iPrintEMail,
              s.iPrintPhNo,
              s.iPrintFaxNo};
    Show(m_kept);
    // The first run shows its reminders whatever is chosen here.
    m_reminders->setVisible(!m_data.firstRun);
    m_changed = false;
}

void CPreferenceSettingsPage::Show(const CPreferenceSettings &values)
{
    m_colour->SelectColour(values.backgroundColour);
    m_dateFormat->setCurrentIndex(m_dateFormat->findText(values.dateFormat));
    m_example->setText(m_dateFormat->currentIndex() >= 0 ? DateFormatExample(values.dateFormat) : QString());
    m_reminders->setChecked(values.autoPaymentReminderDisplay != 0);
    m_logo->setChecked(values.iPrintLogo != 0);
    m_email->setChecked(values.iPrintEMail != 0);
    m_phone->setChecked(values.iPrintPhNo != 0);
    m_fax->setChecked(values.iPrintFaxNo != 0);
}

CPreferenceSettings CPreferenceSettingsPage::Shown() const
{
    CPreferenceSettings now;
    now.backgroundColour = m_colour->SelectedColour();
    // A format from the profile that is not offered stays until one is chosen.
    now.dateFormat = m_dateFormat->currentIndex() >= 0 ? m_dateFormat->currentText() : m_kept.dateFormat;
    now.autoPaymentReminderDisplay = m_reminders->isChecked() ? 1 : 0;
    now.iPrintLogo = m_logo->isChecked() ? 1 : 0;
    now.iPrintEMail = m_email->isChecked() ? 1 : 0;
    now.iPrintPhNo = m_phone->isChecked() ? 1 : 0;
    now.iPrintFaxNo = m_fax->isChecked() ? 1 : 0;
    return now;
}

void CPreferenceSettingsPage::SetSettings(const CPreferenceSettings &values)
{
    CSettingsRecord &s = m_data.settings;
    s.backgroundColour = values.backgroundColour;
    s.dateFormat = values.dateFormat;
    s.autoPaymentReminderDisplay = values.autoPaymentReminderDisplay;
    s.iPrintLogo = values.iPrintLogo;
    s.iPrintEMail = values.iPrintEMail;
    s.iPrintPhNo = values.iPrintPhNo;
    s.iPrintFaxNo = values.iPrintFaxNo;
}

void CPreferenceSettingsPage::MarkChanged()
{
    m_changed = true;
    emit changed();
}

bool CPreferenceSettingsPage::Apply()
{
    const CPreferenceSettings now = Shown();
    const CSettingsRecord before = m_data.settings;
    CSettingsRecord &s = m_data.settings;
    s.iPrintLogo = now.iPrintLogo;
    s.iPrintEMail = now.iPrintEMail;
    s.iPrintPhNo = now.iPrintPhNo;
    s.iPrintFaxNo = now.iPrintFaxNo;
    if (!m_data.SaveDefaultSettings()) {
        s = before;
        if (InWizard())
            TellUser(this, StringId::SavePreferencesFailed);
        return false;
    }
    const bool written = WriteProfileInt(kSection, QStringLiteral("BkgColor"), int(now.backgroundColour))
                         && WriteProfileString(kSection, QStringLiteral("DateFormat"), now.dateFormat)
                         && WriteProfileInt(kSection, QStringLiteral("AutoPaymentReminderDisplay"), now.autoPaymentReminderDisplay);
    if (!written) {
        // The table holds the switches now; Cancel must not pretend otherwise.
        m_kept.iPrintLogo = now.iPrintLogo;
        m_kept.iPrintEMail = now.iPrintEMail;
        m_kept.iPrintPhNo = now.iPrintPhNo;
        m_kept.iPrintFaxNo = now.iPrintFaxNo;
        TellUser(this, StringId::SaveLocalSettingsFailed);
        if (InWizard())
            TellUser(this, StringId::SavePreferencesFailed);
        return false;
    }
    SetSettings(now);
    if (m_data.backgroundColourChanged)
        m_data.backgroundColourChanged();
    m_kept = now;
    m_changed = false;
    return true;
}

void CPreferenceSettingsPage::Cancel()
{
    SetSettings(m_kept);
    Show(m_kept);
    m_changed = false;
}
