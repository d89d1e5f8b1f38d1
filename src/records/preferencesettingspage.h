#pragma once

#include "base/colorref.h"
#include "controls/settingspage.h"

#include <QString>
#include <QStringList>

class CColorPickerCombo;
class CTallywickData;
class QCheckBox;
class QComboBox;
class QLabel;

// What the Preference Settings page edits, as it was last shown or saved.
struct CPreferenceSettings {
    COLORREF backgroundColour = 0;
    QString dateFormat;
    int autoPaymentReminderDisplay = 1;
    int iPrintLogo = 0;
    int iPrintEMail = 0;
    int iPrintPhNo = 0;
    int iPrintFaxNo = 0;
};

// The date formats the page offers, in list order.
QStringList DateFormatChoices();
// "Example: " and Christmas 2005 in `format`, whatever the desktop's language.
QString DateFormatExample(const QString &format);

// Preference Settings (dialog 105): the report background, the date format
// of every picker and displayed date, the reminders at start-up and what
// report headers show.
class CPreferenceSettingsPage : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 105;

    explicit CPreferenceSettingsPage(CTallywickData &data, bool inWizard = false, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    // Saves the report switches in the table, then the profile values; the
    // report view takes the new colour. False keeps the page.
    bool Apply() override;
    // Puts the settings and the fields back to the kept copy.
    void Cancel() override;
    // Shows the application's settings and keeps them for Cancel.
    void Load();

    bool IsChanged() const { return m_changed; }

signals:
    void changed();

private:
    void BuildControls();
    void Show(const CPreferenceSettings &values);
    CPreferenceSettings Shown() const;
    void SetSettings(const CPreferenceSettings &values);
    void MarkChanged();

    CTallywickData &m_data;
    CPreferenceSettings m_kept;
    bool m_changed = false;

    CColorPickerCombo *m_colour = nullptr;
    QComboBox *m_dateFormat = nullptr;
    QLabel *m_example = nullptr;
    QCheckBox *m_reminders = nullptr;
    QCheckBox *m_logo = nullptr;
    QCheckBox *m_email = nullptr;
    QCheckBox *m_phone = nullptr;
    QCheckBox *m_fax = nullptr;
};
