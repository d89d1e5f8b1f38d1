#include "records/defaultsettingssheet.h"
#include "records/generalsettingspage.h"
#include "records/preferencesettingspage.h"
#include "records/transactiondlg.h"

#include "base/autostart.h"
#include "controls/colorpickercombo.h"
#include "data/profile.h"
#include "recordfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

class SettingsTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        RemoveRunAtStartup(QStringLiteral("NRWLBApp"), false);
        for (const char *entry : {"BkgColor", "DateFormat", "AutoPaymentReminderDisplay"})
            RemoveProfileEntry(QStringLiteral("Settings"), QString::fromLatin1(entry));
    }
    QString Stored(const char *column)
    {
        return Value(QStringLiteral("SELECT %1 FROM LB_DEFAULT_SETTINGS_TB").arg(QString::fromLatin1(column)));
    }
    static void Pick(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
};

// Never a login prompt turned off by accident: an add-in login stays one.
TEST_F(SettingsTest, GeneralPageSavesEachBoxAndKeepsAnAddinLoginUntilTheBoxChanges)
{
    data.settings.iByPassPasswordScreen = 2;
    CGeneralSettingsPage page(data);
    page.show();
    auto *password = Control<QCheckBox>(&page, 1043);
    EXPECT_TRUE(password->isChecked());
    Control<QCheckBox>(&page, 1037)->click();
    Control<QCheckBox>(&page, 1041)->click();
    Control<QCheckBox>(&page, 1072)->click();
    EXPECT_TRUE(page.IsChanged());
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(Stored("iAutoBackUpDb") + Stored("iAutoCompactDb") + Stored("iByPassPasswordScreen"), QStringLiteral("112"));
    // The current user's entry: no rights needed, the all-users folder untouched.
    EXPECT_TRUE(IsRunAtStartup(QStringLiteral("NRWLBApp"), false));
    EXPECT_FALSE(QFile::exists(AutostartFolder(true) + QStringLiteral("/NRWLBApp.desktop")));

    password->click();
    EXPECT_EQ(TestUi().Texts(),
              QStringList{QStringLiteral("Use default password 'vorel', if you have not changed the default password earlier.")});
    password->click();
    EXPECT_EQ(TestUi().messages.size(), 1) << "the hint comes only when the box is cleared";
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(Stored("iByPassPasswordScreen"), QStringLiteral("2"));
    password->click();
    Control<QCheckBox>(&page, 1072)->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(Stored("iByPassPasswordScreen"), QStringLiteral("0"));
    EXPECT_EQ(data.settings.iByPassPasswordScreen, 0);
    EXPECT_FALSE(IsRunAtStartup(QStringLiteral("NRWLBApp"), false));
    password->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(Stored("iByPassPasswordScreen"), QStringLiteral("1"));
}

TEST_F(SettingsTest, TheDatabaseFolderIsRefusedAsBackupFolderWhateverItsCaseOrSlashes)
{
    QTemporaryDir root;
    for (const char *name : {"Data", "DATA", "Backups"})
        QDir(root.path()).mkdir(QString::fromLatin1(name));
    data.location.databasePath = root.filePath(QStringLiteral("Data/TallywickPlus.mdb"));
    data.settings.cBackUpDbPath = QStringLiteral("/earlier");
    CGeneralSettingsPage page(data);
    auto *path = Control<QLineEdit>(&page, 1038);
    EXPECT_EQ(Control<QLineEdit>(&page, 1042)->text(), data.location.databasePath);

    page.OnBrowse();
    EXPECT_EQ(path->text(), QStringLiteral("/earlier")) << "cancelling keeps the folder";

    TestUi().QueueFolder(root.path() + QStringLiteral("//DATA/"));
    TestUi().QueueFolder(root.filePath(QStringLiteral("missing")));
    TestUi().QueueFolder(root.filePath(QStringLiteral("Backups")));
    page.OnBrowse();
    EXPECT_EQ(TestUi().Texts(), (QStringList{QStringLiteral("Source and destination path are the same.\nPlease try in a different folder."),
                                             QStringLiteral("Please select a valid folder to backup database!")}));
    EXPECT_EQ(TestUi().folderRequests.size(), 4);
    EXPECT_EQ(path->text(), root.filePath(QStringLiteral("Backups")));
    EXPECT_TRUE(page.IsChanged());
    EXPECT_EQ(data.settings.cBackUpDbPath, QStringLiteral("/earlier")) << "nothing changes before Apply";
}

TEST_F(SettingsTest, ANewDateFormatShowsItsExampleAndReachesEveryPickerOpenedLater)
{
    CPreferenceSettingsPage page(data);
    auto *format = Control<QComboBox>(&page, 1091);
    auto *example = Control<QLabel>(&page, 1100);
    EXPECT_EQ(format->currentText(), QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(example->text(), QStringLiteral("Example: 25/12/2005"));
    Pick(format, format->findText(QStringLiteral("dd/MMM/yyyy")));
    EXPECT_EQ(example->text(), QStringLiteral("Example: 25/Dec/2005"));

    int viewTold = 0;
    data.backgroundColourChanged = [&] { ++viewTold; };
    auto *colour = Control<CColorPickerCombo>(&page, 1090);
    Pick(colour, 3);
    Control<QCheckBox>(&page, 1071)->click();
    Control<QCheckBox>(&page, 1074)->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(viewTold, 1);
    EXPECT_EQ(data.settings.backgroundColour, colour->ItemColour(3));
    EXPECT_EQ(GetProfileInt(QStringLiteral("Settings"), QStringLiteral("BkgColor"), 0), int(colour->ItemColour(3)));
    EXPECT_EQ(GetProfileString(QStringLiteral("Settings"), QStringLiteral("DateFormat")), QStringLiteral("dd/MMM/yyyy"));
    EXPECT_EQ(GetProfileInt(QStringLiteral("Settings"), QStringLiteral("AutoPaymentReminderDisplay"), 1), 0);
    EXPECT_EQ(Stored("iPrintEMail") + Stored("iPrintLogo"), QStringLiteral("10"));

    SetUnits({QStringLiteral("home")});
    AddCategory(QStringLiteral("Salary"), 1);
    CTransactionDlg entry(data, 1);
    EXPECT_EQ(Control<QDateEdit>(&entry, 1026)->displayFormat(), QStringLiteral("dd/MMM/yyyy"));
}

// A page of another part of the program, to see the sheet stop on it.
class CRefusingPage : public CSettingsPage
{
public:
    CRefusingPage()
        : CSettingsPage(false, nullptr)
    {
        setWindowTitle(QStringLiteral("Other"));
    }
    int DialogId() const override { return 106; }
    bool Apply() override
    {
        ++applied;
        return !refuse;
    }
    void Cancel() override { ++cancelled; }
    bool refuse = true;
    int applied = 0;
    int cancelled = 0;
};

TEST_F(SettingsTest, SheetOkStopsOnTheFirstPageThatCannotSaveAndCancelGoesBackToTheKeptCopy)
{
    CDefaultSettingsSheet sheet(data);
    auto *other = new CRefusingPage;
    sheet.AddPage(other);
    int okays = 0;
    QObject::connect(&sheet, &CDefaultSettingsSheet::appliedWithOk, [&] { ++okays; });
    sheet.show();
    auto *general = sheet.Page(0);
    auto *backup = Control<QCheckBox>(general, 1037);

    backup->click();
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.CurrentPage(), other);
    EXPECT_EQ(okays, 0);
    EXPECT_EQ(data.settings.iAutoBackUpDb, 1) << "the pages before it saved";

    // Saved pages keep what they saved; a page not yet saved goes back.
    sheet.SetCurrentPage(0);
    Control<QCheckBox>(general, 1041)->click();
    Pick(Control<QComboBox>(sheet.Page(1), 1091), 0);
    sheet.reject();
    EXPECT_EQ(other->cancelled, 1);
    EXPECT_EQ(data.settings.iAutoBackUpDb, 1);
    EXPECT_EQ(data.settings.iAutoCompactDb, 0);
    EXPECT_EQ(data.settings.dateFormat, QStringLiteral("dd/MM/yyyy"));
    EXPECT_FALSE(Control<QCheckBox>(general, 1041)->isChecked());

    FailOn(QStringLiteral("UPDATE"), QStringLiteral("LB_DEFAULT_SETTINGS_TB"));
    backup->click();
    other->refuse = false;
    sheet.show();
    sheet.SetCurrentPage(2);
    sheet.accept();
    EXPECT_EQ(sheet.CurrentPage(), general);
    EXPECT_EQ(data.settings.iAutoBackUpDb, 1) << "a failed save keeps the settings as they were";
    db.Exec(QStringLiteral("DROP TRIGGER forced_UPDATE"));
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(okays, 1);
    EXPECT_EQ(Stored("iAutoBackUpDb"), QStringLiteral("0"));
}

} // namespace
