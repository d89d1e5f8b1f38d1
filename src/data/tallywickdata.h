#pragma once

#include "data/dbconnection.h"
#include "data/inifile.h"

#include <QList>

#include <functional>
#include <QString>
#include <QStringList>

class QObject;

struct CCategoryEntry {
    long iTransactionId = 0;
    QString cTransactionName;
    QString cTransactionDescription;
    short iType = 0; // 1 income, 2 expense, 3 both
};

// Default settings from the database plus the per-user profile values.
struct CSettingsRecord {
    int iByPassPasswordScreen = 0;
    unsigned backgroundColour = 0x4B4B4B; // 0x00BBGGRR
    QString dateFormat = QStringLiteral("MMM/dd/yyyy");
    int autoPaymentReminderDisplay = 1;
    QString cBackUpDbPath;
    int iAutoCompactDb = 0;
    int iAutoBackUpDb = 0;
    int iPromptForBackUpDb = 0;
    // The fixed connection pair; compaction keys its copy with the password.
    QString dbUser = QStringLiteral("vorel");
    QString dbPassword = QStringLiteral("qorvanti");
    QString cPassword;
    QString cCurrency;
    int iPrintLogo = 0;
    int iPrintEMail = 0;
    int iPrintPhNo = 0;
    int iPrintFaxNo = 0;
};

struct CCompanyRecord {
    QString cName;
    QString cAddress;
    QString cPhoneNo;
    QString cFaxNo;
    QString cEmail;
    QString cLogoPath;
    QStringList units;
};

struct CDatabaseLocation {
    QString databasePath;
    QString providerSetting; // the "ConStrg" value
    QString providerPart;
    QString sourcePart;
    QString connectionString;
};

// The shared state of a run: the one connection, the settings record, the
// company record with its units and the category lists. The application
// owns one and hands it to every dialog and report.
class CTallywickData
{
public:
    CTallywickData();

    CSettingsRecord settings;
    CCompanyRecord company;
    QList<CCategoryEntry> incomeCategories;
    QList<CCategoryEntry> expenseCategories;
    CDbConnection connection;
    CDatabaseLocation location;
    QString appFolder;
    CIniFile iniFile;
    bool firstRun = false;
    bool loggedIn = false;
    // Owner of the start-up messages (the progress window while it shows).
    QObject *messageOwner = nullptr;
    // The backup that destructive deletions offer first; true when the
    // database file was copied. Unset means no backup is possible.
    std::function<bool(QObject *owner)> backupData;
    // The setup wizard, run when entry finds no units or categories to offer.
    std::function<void(QObject *owner)> runSetupWizard;
    // Tells the report view to reload the logo after its path changed.
    std::function<void()> logoChanged;
    // Tells the report view to take the background colour of the settings.
    std::function<void()> backgroundColourChanged;
    // Opens a help topic such as "TallywickPlus.chm::/TransactionsMenu.htm".
    std::function<void(const QString &topic)> showHelp;
    // Tells the add-ins that old data up to `day` ("%m/%d/%Y") was deleted;
    // called only after the deletion was committed.
    std::function<void(const QString &day)> oldDataDeleted;

    // Points the settings file at "TallywickPlus.ini" in `folder` and makes
    // `folder` the folder bare file names resolve against.
    void SetAppFolder(const QString &folder);

    bool LocateDatabase();
    bool ReadDatabaseLocation();
    bool EnsureProviderSetting();
    bool FindDatabaseFile();
    // Asks for a "TallywickPlus.mdb"; the absolute path, or empty when cancelled.
    QString ChooseDatabaseFile();
    bool OpenDatabase();
    // Provider part, source part and full connection string from the provider
    // setting and the database path.
    void BuildConnectionString();

    bool LoadCompanyInfo();
    bool LoadCategories();
    bool LoadDefaultSettings();
    // The three loads in order, each failure told with its own message.
    void LoadStoredState(QObject *owner);
    void LoadProfileSettings();
    bool SaveDefaultSettings();

    // "Home,Shop," <-> {Home, Shop}: every name ends with a comma; text after
    // the last comma is dropped.
    static QStringList ParseUnits(const QString &text);
    static QString UnitsText(const QStringList &units);
    // The database path with a bare file name resolved against the app folder.
    QString ResolvedDatabasePath() const;
};
