#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/filedialogfolder.h"
#include "data/profile.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// An application folder with a settings file and, optionally, a database.
class AppFolder : public ::testing::Test
{
protected:
    void SetUp() override { data.SetAppFolder(dir.path()); }
    QString Ini() const { return dir.filePath(QStringLiteral("TallywickPlus.ini")); }
    QString MakeDatabase(const QString &name = QStringLiteral("TallywickPlus.mdb"))
    {
        const QString path = dir.filePath(name);
        EXPECT_EQ(CreateDatabase(path, kDbPassword), QString());
        return path;
    }
    QTemporaryDir dir;
    CTallywickData data;
};

} // namespace

TEST_F(AppFolder, MissingProviderSettingIsWrittenAndMarksAFirstRun)
{
    MakeDatabase();
    WriteText(Ini(), QStringLiteral("; kept\n[TallywickPlus]\nDBPath=TallywickPlus.mdb\n[Other]\nx=1\n"));
    ASSERT_TRUE(data.LocateDatabase());
    EXPECT_TRUE(data.firstRun);
    EXPECT_EQ(data.location.providerSetting, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;"));
    EXPECT_EQ(ReadText(Ini()), QStringLiteral("; kept\n[TallywickPlus]\nDBPath=TallywickPlus.mdb\n"
                                             "ConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n[Other]\nx=1\n"));
    // The second start is not a first run, and finds the bare name in the
    // application folder.
    CTallywickData again;
    again.SetAppFolder(dir.path());
    ASSERT_TRUE(again.LocateDatabase());
    EXPECT_FALSE(again.firstRun);
    EXPECT_EQ(again.location.connectionString,
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dir.filePath(QStringLiteral("TallywickPlus.mdb")));
    EXPECT_TRUE(again.OpenDatabase());
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(AppFolder, UnwritableSettingsFileLeavesNoProviderAndTheOpenFails)
{
    const QString path = MakeDatabase();
    CTallywickData elsewhere;
    elsewhere.SetAppFolder(dir.filePath(QStringLiteral("no/such/folder")));
    ASSERT_TRUE(elsewhere.EnsureProviderSetting());
    EXPECT_EQ(elsewhere.location.providerSetting, QString());
    EXPECT_FALSE(elsewhere.firstRun);
    elsewhere.location.databasePath = path;
    elsewhere.BuildConnectionString();
    EXPECT_FALSE(elsewhere.OpenDatabase());
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Provider cannot be found. It may not be properly installed.")});
}

TEST_F(AppFolder, NoDatabasePathAsksForTheFileAndCancelFails)
{
    WriteText(Ini(), QStringLiteral("[TallywickPlus]\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"));
    EXPECT_FALSE(data.LocateDatabase());
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::DatabaseNotFound)});
    ASSERT_EQ(TestUi().fileRequests.size(), 1);
    EXPECT_EQ(TestUi().fileRequests[0].directory, FileDialogFolder());
    EXPECT_NE(TestUi().fileRequests[0].directory, dir.path());
}

TEST_F(AppFolder, ChosenDatabaseIsRememberedInTheSettingsFile)
{
    const QString elsewhere = MakeDatabase(QStringLiteral("moved.mdb"));
    WriteText(Ini(), QStringLiteral("[TallywickPlus]\nDBPath=/no/such/TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"));
    TestUi().QueueFile(elsewhere);
    ASSERT_TRUE(data.LocateDatabase());
    EXPECT_EQ(data.location.databasePath, elsewhere);
    EXPECT_TRUE(ReadText(Ini()).contains(QStringLiteral("DBPath=") + elsewhere + u'\n'));
    EXPECT_TRUE(data.OpenDatabase());
}

TEST_F(AppFolder, ReadOnlyDatabaseIsMadeWritableBeforeItOpens)
{
    const QString path = MakeDatabase();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    WriteText(Ini(), QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"));
    ASSERT_TRUE(data.LocateDatabase());
    EXPECT_TRUE(QFile::permissions(path) & QFileDevice::WriteOwner);
    ASSERT_TRUE(data.OpenDatabase());
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(AppFolder, ADatabaseInAnyFolderTheDialogCanReturnOpens)
{
    // ';' ends a value of the connection string unless the value is quoted;
    // a long path must not be cut when the settings file is read.
    const QString deep = QStringLiteral("%1/%1/%1/%1/%1").arg(QString(60, u'd'));
    for (const QString &folder : {QStringLiteral("Haus;Hof"), QStringLiteral("say \"hi\"; 'x'"),
                                  QStringLiteral("Kosten=50%"), deep}) {
        SCOPED_TRACE(folder.toStdString());
        TestUi().Reset();
        ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
        const QString path = MakeDatabase(folder + QStringLiteral("/TallywickPlus.mdb"));
        WriteText(Ini(), QStringLiteral("[TallywickPlus]\nDBPath=%1\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n").arg(path));
        CTallywickData fresh;
        fresh.SetAppFolder(dir.path());
        ASSERT_TRUE(fresh.LocateDatabase());
        EXPECT_EQ(ConnectionValue(fresh.location.connectionString, QStringLiteral("Data Source")), path);
        EXPECT_TRUE(fresh.OpenDatabase());
        EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().Texts().join(u'|').toStdString();
        EXPECT_TRUE(TestUi().fileRequests.isEmpty());
    }
    // Strings written before values were quoted read as they always did.
    EXPECT_EQ(ConnectionValue(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source= /a b/o'k.mdb ;x=1"),
                              QStringLiteral("data source")),
              QStringLiteral("/a b/o'k.mdb"));
    const QString quoted = QStringLiteral("Data Source='a;''b''';Jet OLEDB:Database Password=p=q");
    EXPECT_EQ(ConnectionValue(quoted, QStringLiteral("Data Source")), QStringLiteral("a;'b'"));
    EXPECT_EQ(ConnectionValue(quoted, QStringLiteral("Jet OLEDB:Database Password")), QStringLiteral("p=q"));
}

TEST_F(AppFolder, AChosenDatabaseThatCannotBeRememberedIsToldAndStillOpens)
{
    const QString path = MakeDatabase();
    WriteText(Ini(), QStringLiteral("[TallywickPlus]\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"));
    data.iniFile.save = [](const QString &, const QByteArray &) { return false; };
    TestUi().QueueFile(path);
    ASSERT_TRUE(data.LocateDatabase());
    ASSERT_EQ(TestUi().messages.size(), 2);
    EXPECT_EQ(TestUi().messages[1].text,
              QStringLiteral("The location of the database could not be saved in %1.\nTallywick + will ask for the "
                             "database again at the next start.")
                  .arg(Ini()));
    EXPECT_TRUE(data.OpenDatabase());
}

class Loaded : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.Connection().Close();
        PointAt(data, db.Path());
        ASSERT_TRUE(data.OpenDatabase());
    }
    void Exec(const QString &sql)
    {
        CDbRecordset rs(data.connection);
        rs.OpenText(sql);
    }
    CTestDatabase db;
    CTallywickData data;
};

static QStringList Names(const QList<CCategoryEntry> &entries)
{
    QStringList names;
    for (const CCategoryEntry &c : entries)
        names << c.cTransactionName;
    return names;
}

TEST_F(Loaded, UnitsTextKeepsOnlyCommaEndedNames)
{
    EXPECT_EQ(CTallywickData::ParseUnits(QStringLiteral("Home,Shop,")), (QStringList{"Home", "Shop"}));
    EXPECT_EQ(CTallywickData::ParseUnits(QStringLiteral("Home,Shop")), QStringList{"Home"});
    EXPECT_EQ(CTallywickData::ParseUnits(QStringLiteral(" ")), QStringList{});
    EXPECT_EQ(CTallywickData::ParseUnits(QString()), QStringList{});
    EXPECT_EQ(CTallywickData::ParseUnits(QStringLiteral("Bob's place,,")), (QStringList{"Bob's place", ""}));
    EXPECT_EQ(CTallywickData::UnitsText({"Home", "Shop"}), QStringLiteral("Home,Shop,"));

    Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Ann''s', cCompanyUnits='Home,Shop,', cEmail='a@b.c'"));
    ASSERT_TRUE(data.LoadCompanyInfo());
    EXPECT_EQ(data.company.cName, QStringLiteral("Ann's"));
    EXPECT_EQ(data.company.cEmail, QStringLiteral("a@b.c"));
    EXPECT_EQ(data.company.units, (QStringList{"Home", "Shop"}));
}

TEST_F(Loaded, CategoriesOfTypeBothAreInBothListsInTableOrder)
{
    Exec(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) VALUES "
                        "('Salary','pay',1),('Rent','',2),('Gift','either way',3),('Odd','',7)"));
    ASSERT_TRUE(data.LoadCategories());
    const QStringList income = Names(data.incomeCategories), expense = Names(data.expenseCategories);
    EXPECT_EQ(income, (QStringList{"Salary", "Gift"}));
    EXPECT_EQ(expense, (QStringList{"Rent", "Gift"}));
    EXPECT_EQ(data.incomeCategories[1].iType, 3);
    EXPECT_EQ(data.incomeCategories[1].cTransactionDescription, QStringLiteral("either way"));
    EXPECT_EQ(data.incomeCategories[0].iTransactionId, 1);
}

TEST_F(Loaded, AnUnreadableCategoryRowIsLeftOutAndTheOthersStay)
{
    Exec(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) VALUES "
                        "('Salary','',1),('Broken','',99999),('Nameless','',2),('Rent','',2)"));
    Exec(QStringLiteral("UPDATE LB_ITEM_MASTER_INFO_TB SET iType='two' WHERE cTransactionName='Nameless'"));
    EXPECT_FALSE(data.LoadCategories());
    const QStringList income = Names(data.incomeCategories), expense = Names(data.expenseCategories);
    EXPECT_EQ(income, QStringList{"Salary"});
    EXPECT_EQ(expense, QStringList{"Rent"});
}

TEST_F(Loaded, DefaultSettingsRoundTripIncludingAnApostropheFolder)
{
    ASSERT_TRUE(data.LoadDefaultSettings());
    EXPECT_EQ(data.settings.cPassword, QStringLiteral("vorel"));
    data.settings.iAutoBackUpDb = 1;
    data.settings.iAutoCompactDb = 1;
    data.settings.iByPassPasswordScreen = 2;
    data.settings.cBackUpDbPath = QStringLiteral("/home/o'brien/back ups 100%");
    data.settings.iPrintFaxNo = 0;
    ASSERT_TRUE(data.SaveDefaultSettings());
    EXPECT_TRUE(TestUi().messages.isEmpty());

    CTallywickData other;
    other.location = data.location;
    ASSERT_TRUE(other.OpenDatabase());
    ASSERT_TRUE(other.LoadDefaultSettings());
    EXPECT_EQ(other.settings.cBackUpDbPath, QStringLiteral("/home/o'brien/back ups 100%"));
    EXPECT_EQ(other.settings.iAutoBackUpDb, 1);
    EXPECT_EQ(other.settings.iAutoCompactDb, 1);
    EXPECT_EQ(other.settings.iByPassPasswordScreen, 2);
    EXPECT_EQ(other.settings.iPrintFaxNo, 0);
    EXPECT_EQ(other.settings.cPassword, QStringLiteral("vorel"));
}

TEST_F(Loaded, FailedLoadReportsAndKeepsWhatWasThere)
{
    Exec(QStringLiteral("DROP TABLE LB_DEFAULT_SETTINGS_TB"));
    data.settings.cCurrency = QStringLiteral("€");
    EXPECT_FALSE(data.LoadDefaultSettings());
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::DatabaseInvalid)});
    EXPECT_EQ(data.settings.cCurrency, QStringLiteral("€"));
    EXPECT_FALSE(data.SaveDefaultSettings());

    // Empty settings rows keep the defaults too.
    Exec(QStringLiteral("DELETE FROM LB_COMPANY_INFO_TB"));
    data.company.cName = QStringLiteral("kept");
    ASSERT_TRUE(data.LoadCompanyInfo());
    EXPECT_EQ(data.company.cName, QStringLiteral("kept"));
}

TEST(ProfileSettings, LaterStartsReadTheStoredValuesFromTheTestsOwnHome)
{
    WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("BkgColor"), 0xFF0000);
    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("DateFormat"), QStringLiteral("dd/MM/yyyy"));
    WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("AutoPaymentReminderDisplay"), 0);
    CTallywickData data;
    data.LoadProfileSettings();
    EXPECT_EQ(data.settings.backgroundColour, 0xFF0000u);
    EXPECT_EQ(data.settings.dateFormat, QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(data.settings.autoPaymentReminderDisplay, 0);
    EXPECT_TRUE(QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Norwend"), QStringLiteral("Tallywick + "))
                    .fileName()
                    .startsWith(qEnvironmentVariable("HOME") + u'/'));
}
