#include "records/generalsettingspage.h"

#include "base/autostart.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "data/backup.h"
#include "data/compaction.h"
#include "data/filedialogfolder.h"
#include "data/tallywickdata.h"
#include "records/recordui.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The start-up entry is the current user's: it needs no administrator rights.
const QString kRunValue = QStringLiteral("NRWLBApp");
constexpr bool kAllUsers = false;

} // namespace

int PasswordModeToSave(int storedMode, bool nowChecked)
{
    if (nowChecked == (storedMode != 0))
        return storedMode;
    return nowChecked ? 1 : 0;
}

CGeneralSettingsPage::CGeneralSettingsPage(CTallywickData &data, bool inWizard, QWidget *parent)
    : CSettingsPage(inWizard, parent)
    , m_data(data)
{
    setWindowTitle(QStringLiteral("General Settings"));
    BuildControls();
    Load();
}

void CGeneralSettingsPage::BuildControls()
{
    auto *backup = new QGroupBox(QStringLiteral("Backup"), this);
    m_autoBackup = MakeControl<QCheckBox>(backup, 1037, QStringLiteral("Automatically backup the data while closing Tallywick +"));
    m_backupPath = MakeControl<QLineEdit>(backup, 1038);
    m_backupPath->setReadOnly(true);
    m_backupPath->setMinimumWidth(260);
    m_browse = MakeControl<QPushButton>(backup, 1039, QStringLiteral("&Browse..."));
    auto *backupGrid = new QGridLayout(backup);
    backupGrid->addWidget(m_autoBackup, 0, 0, 1, 3);
    backupGrid->addWidget(MakeInfoIcon(backup, 1095, LoadString(StringId::AutoBackupInfoTip)), 0, 3);
    backupGrid->addWidget(new QLabel(QStringLiteral("Backup Path"), backup), 1, 0);
    backupGrid->addWidget(m_backupPath, 1, 1);
    backupGrid->addWidget(m_browse, 1, 2);
    backupGrid->setColumnStretch(1, 1);

    auto *database = new QGroupBox(QStringLiteral("Database"), this);
    m_autoCompact = MakeControl<QCheckBox>(database, 1041, QStringLiteral("Automatically compact the database while closing Tallywick +"));
    m_dataFile = MakeControl<QLineEdit>(database, 1042);
    m_dataFile->setReadOnly(true);
    m_compact = MakeControl<QPushButton>(database, 1040, QStringLiteral("&Compact Database"));
    auto *databaseGrid = new QGridLayout(database);
    databaseGrid->addWidget(m_autoCompact, 0, 0, 1, 3);
    databaseGrid->addWidget(MakeInfoIcon(database, 1092, LoadString(StringId::AutoCompactInfoTip)), 0, 3);
    databaseGrid->addWidget(new QLabel(QStringLiteral("Current data file path:"), database), 1, 0);
    databaseGrid->addWidget(m_dataFile, 1, 1, 1, 2);
    databaseGrid->addWidget(m_compact, 2, 2);
    databaseGrid->setColumnStretch(1, 1);

    auto *startup = new QGroupBox(QStringLiteral("Password and start-up"), this);
    m_disablePassword = MakeControl<QCheckBox>(startup, 1043, QStringLiteral("Disable password "));
    m_launch = MakeControl<QCheckBox>(startup, 1072, QStringLiteral("Launch Tallywick + on startup"));
    auto *startupGrid = new QGridLayout(startup);
    startupGrid->addWidget(m_disablePassword, 0, 0);
    startupGrid->addWidget(MakeInfoIcon(startup, 1093, LoadString(StringId::DisablePasswordInfoTip)), 0, 1);
    startupGrid->addWidget(m_launch, 1, 0);
    startupGrid->addWidget(MakeInfoIcon(startup, 1094, LoadString(StringId::LaunchOnStartupInfoTip)), 1, 1);
    startupGrid->setColumnStretch(0, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(backup);
    layout->addWidget(database);
    layout->addWidget(startup);
    layout->addStretch();

    for (QCheckBox *box : {m_autoBackup, m_autoCompact, m_launch})
        connect(box, &QCheckBox::clicked, this, &CGeneralSettingsPage::MarkChanged);
    connect(m_disablePassword, &QCheckBox::clicked, this, [this](bool checked) {
        if (!checked)
            TellUser(this, StringId::DefaultPasswordHint);
        MarkChanged();
    });
    connect(m_browse, &QPushButton::clicked, this, &CGeneralSettingsPage::OnBrowse);
    connect(m_compact, &QPushButton::clicked, this, &CGeneralSettingsPage::OnCompact);
}

void CGeneralSettingsPage::Load()
{
    const CSettingsRecord &s = m_data.settings;
    m_kept = {s.iAutoBackUpDb, s.iAutoCompactDb, s.iByPassPasswordScreen, s.cBackUpDbPath,
              IsRunAtStartup(kRunValue, kAllUsers)};
    Show(m_kept);
    // A bare file name lives in the program's folder: show where.
    m_dataFile->setText(m_data.ResolvedDatabasePath());
    m_changed = false;
}

void CGeneralSettingsPage::Show(const CGeneralSettings &values)
{
    m_autoBackup->setChecked(values.iAutoBackUpDb != 0);
    m_autoCompact->setChecked(values.iAutoCompactDb != 0);
    m_disablePassword->setChecked(values.iByPassPasswordScreen != 0);
    m_backupPath->setText(values.cBackUpDbPath);
    m_launch->setChecked(values.runAtStartup);
}

void CGeneralSettingsPage::MarkChanged()
{
    m_changed = true;
    emit changed();
}

bool CGeneralSettingsPage::Apply()
{
    CGeneralSettings now;
    now.iAutoBackUpDb = m_autoBackup->isChecked() ? 1 : 0;
    now.iAutoCompactDb = m_autoCompact->isChecked() ? 1 : 0;
    now.iByPassPasswordScreen = PasswordModeToSave(m_kept.iByPassPasswordScreen, m_disablePassword->isChecked());
    now.cBackUpDbPath = m_backupPath->text();
    now.runAtStartup = m_launch->isChecked();

    const CSettingsRecord before = m_data.settings;
    CSettingsRecord &s = m_data.settings;
    s.iAutoBackUpDb = now.iAutoBackUpDb;
    s.iAutoCompactDb = now.iAutoCompactDb;
    s.iByPassPasswordScreen = now.iByPassPasswordScreen;
    s.cBackUpDbPath = now.cBackUpDbPath;
    if (!m_data.SaveDefaultSettings()) {
        s = before;
        if (InWizard())
            TellUser(this, StringId::SaveGeneralSettingsFailed);
        return false;
    }

    const bool written = now.runAtStartup ? SetRunAtStartup(kRunValue, kAllUsers) : RemoveRunAtStartup(kRunValue, kAllUsers);
    if (!written) {
        // The box must show what the computer will really do.
        TwkMessageBox(QStringLiteral("The settings were saved, but the start-up entry could not be changed in %1.")
                          .arg(AutostartFolder(kAllUsers)),
                      QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, this);
        now.runAtStartup = IsRunAtStartup(kRunValue, kAllUsers);
        m_launch->setChecked(now.runAtStartup);
    }
    m_kept = now;
    m_changed = false;
    return true;
}

void CGeneralSettingsPage::Cancel()
{
    CSettingsRecord &s = m_data.settings;
    s.iAutoBackUpDb = m_kept.iAutoBackUpDb;
    s.iAutoCompactDb = m_kept.iAutoCompactDb;
    s.iByPassPasswordScreen = m_kept.iByPassPasswordScreen;
    s.cBackUpDbPath = m_kept.cBackUpDbPath;
    Show(m_kept);
    m_changed = false;
}

void CGeneralSettingsPage::OnBrowse()
{
    CWaitCursor wait;
    for (;;) {
        const QString chosen = ChooseFolder(this, QStringLiteral("Select the Backup Folder"), m_backupPath->text());
        if (chosen.isEmpty())
            return;
        if (!QFileInfo(chosen).isDir()) {
            TellUser(this, StringId::SelectValidBackupFolder);
            continue;
        }
        // A backup over the open file itself would destroy it.
        if (IsSameDataFile(BackupTargetIn(chosen), m_data.ResolvedDatabasePath())) {
            TellUser(this, StringId::BackupSamePath);
            continue;
        }
        m_backupPath->setText(chosen);
        MarkChanged();
        return;
    }
}

void CGeneralSettingsPage::OnCompact()
{
    m_compact->setEnabled(false);
    bool compacted = false;
    {
        CWaitCursor wait;
        compacted = CompactDatabase(m_data, this);
    }
    m_compact->setEnabled(true);
    TellUser(this, compacted ? StringId::DatabaseCompacted : StringId::DatabaseNotCompacted);
}
