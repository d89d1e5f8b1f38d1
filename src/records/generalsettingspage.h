#pragma once

#include "controls/settingspage.h"

#include <QString>

class CTallywickData;
class QCheckBox;
class QLineEdit;
class QPushButton;

// What the General Settings page edits, as it was last shown or saved.
struct CGeneralSettings {
    int iAutoBackUpDb = 0;
    int iAutoCompactDb = 0;
    int iByPassPasswordScreen = 0;
    QString cBackUpDbPath;
    bool runAtStartup = false;
};

// The password mode to save for the "Disable password" box. The box only
// tells on from off, so an untouched box keeps the stored mode (2, the
// add-in login, included); a changed one gives 1 (no login) or 0.
int PasswordModeToSave(int storedMode, bool nowChecked);

// General Settings (dialog 103): automatic backup and compaction, the backup
// folder, the password screen and the start-up entry.
class CGeneralSettingsPage : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 103;

    explicit CGeneralSettingsPage(CTallywickData &data, bool inWizard = false, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    // Saves the settings, then writes or removes the start-up entry; false
    // keeps the page and the settings as they were.
    bool Apply() override;
    // Puts the settings and the fields back to the kept copy.
    void Cancel() override;
    // Shows the application's settings and keeps them for Cancel.
    void Load();

    bool IsChanged() const { return m_changed; }

public slots:
    void OnBrowse();
    void OnCompact();

signals:
    void changed();

private:
    void BuildControls();
    void Show(const CGeneralSettings &values);
    void MarkChanged();

    CTallywickData &m_data;
    CGeneralSettings m_kept;
    bool m_changed = false;

    QCheckBox *m_autoBackup = nullptr;
    QCheckBox *m_autoCompact = nullptr;
    QCheckBox *m_disablePassword = nullptr;
    QLineEdit *m_backupPath = nullptr;
    QPushButton *m_browse = nullptr;
    QLineEdit *m_dataFile = nullptr;
    QPushButton *m_compact = nullptr;
    QCheckBox *m_launch = nullptr;
};
