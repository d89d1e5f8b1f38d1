// The Default Settings sheet's pages and every page of the setup wizard.
#include "gallery.h"

#include "data/tallywickdata.h"
#include "records/defaultsettingssheet.h"
#include "records/twksetupwizardsheet.h"

#include <utility>

namespace {

// The sample's paths as a user's would read, while a page is made.
class SamplePaths
{
public:
    explicit SamplePaths(CTallywickData &data)
        : m_data(data)
        , m_kept{data.location.databasePath, data.settings.cBackUpDbPath}
    {
        data.location.databasePath = QStringLiteral("/home/ann/Bakery/TallywickPlus.mdb");
        data.settings.cBackUpDbPath = QStringLiteral("/media/ann/USB/Backups");
    }
    ~SamplePaths()
    {
        m_data.location.databasePath = m_kept.first;
        m_data.settings.cBackUpDbPath = m_kept.second;
    }

private:
    CTallywickData &m_data;
    std::pair<QString, QString> m_kept;
};

QWidget *Sheet(int page)
{
    CTallywickData &data = SampleData();
    CDefaultSettingsSheet *sheet;
    {
        const SamplePaths paths(data);
        sheet = new CDefaultSettingsSheet(data);
    }
    sheet->SetCurrentPage(page);
    return Sized(sheet);
}

QWidget *Wizard(int page, bool firstRun = false)
{
    CTallywickData &data = SampleData();
    const bool wasFirstRun = data.firstRun;
    data.firstRun = firstRun;
    CTwkSetupWizardSheet *wizard;
    {
        const SamplePaths paths(data);
        wizard = new CTwkSetupWizardSheet(data);
    }
    data.firstRun = wasFirstRun;
    // Straight to the page without saving: the picture must not change the sample.
    wizard->ShowPage(page);
    return Sized(wizard);
}

// The user information page as a new user first meets it: nothing stored,
// no logo, a unit typed but not yet added.
QWidget *NewUserWizard()
{
    CTallywickData &data = SampleData();
    const CCompanyRecord kept = data.company;
    data.company = CCompanyRecord();
    QWidget *wizard = Wizard(1, true);
    data.company = kept;
    wizard->findChild<QWidget *>(QStringLiteral("1018"))->setProperty("text", QStringLiteral("Shop"));
    return wizard;
}

// CGeneralSettingsPage and CPreferenceSettingsPage on the sheet; the wizard
// opens on CWizardSettingsSummaryPage.
const GalleryRegistration general("records-settings-general", [] { return Sheet(0); });
const GalleryRegistration preference("records-settings-preference", [] { return Sheet(1); });
const GalleryRegistration welcome("records-wizard-1", [] { return Wizard(0, true); });
const GalleryRegistration userInfo("records-wizard-2", [] { return Wizard(1); });
const GalleryRegistration newUser("records-wizard-2-newuser", [] { return NewUserWizard(); });
const GalleryRegistration currency("records-wizard-3", [] { return Wizard(2); });
const GalleryRegistration category("records-wizard-4", [] { return Wizard(3); });
const GalleryRegistration generalPage("records-wizard-5", [] { return Wizard(4); });
const GalleryRegistration preferencePage("records-wizard-6", [] { return Wizard(5, true); });

} // namespace
