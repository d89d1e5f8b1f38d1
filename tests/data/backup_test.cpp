#include "data/backup.h"
#include "data/compaction.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/restore.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

namespace {

// The system's own text for an error, in the desktop's language.
QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString Connection(const QString &path)
{
    return kProviderSetting + QStringLiteral("Data Source=") + path;
}

// Row counts of a file opened on its own connection with the key.
QList<qint64> CountsOf(const QString &path)
{
    CDbConnection c;
    c.Open(Connection(path), kDbUser, kDbPassword);
    return TableRowCounts(c);
}

// The shared state on a fresh database with 25 transactions and a reminder,
// run from a throw-away application folder.
class BackupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        data.SetAppFolder(appDir.path());
        QDir::setCurrent(appDir.path());
        PointAt(data, db.Path());
        ASSERT_TRUE(data.OpenDatabase());
        CDbTransaction t(data.connection);
        for (int i = 0; i < 25; ++i)
            data.connection.Execute(QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cTransactionDate,"
                                                   "cTransactionAmount,iTransactionType) values ('03/%1/2026',%2,2)")
                                        .arg(i % 28 + 1)
                                        .arg(i * 10.25));
        data.connection.Execute(QStringLiteral("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDate) values "
                                               "('03/20/2026')"));
        t.Commit();
    }
    void TearDown() override
    {
        SetFileFaultHook({});
        QDir::setCurrent(m_cwd);
    }
    QString Backup() const { return backupDir.filePath(QStringLiteral("TallywickPlus.mdb")); }
    QString Temporary() const { return QFileInfo(db.Path()).dir().filePath(QStringLiteral("TallywickPlusTemp.mdb")); }

    CTestDatabase db;
    QTemporaryDir appDir;
    QTemporaryDir backupDir;
    CTallywickData data;

private:
    QString m_cwd;
};

} // namespace

TEST_F(BackupTest, BackupAndRestoreDialogsStartInTheDocumentsThenWhereTheUserLastChose)
{
    const QString documents = FirstRunDocumentsFolder();
    EXPECT_FALSE(BackupData(data));
    EXPECT_TRUE(data.ChooseDatabaseFile().isEmpty());
    EXPECT_EQ(TestUi().folderStarts, QStringList{documents});
    ASSERT_EQ(TestUi().fileRequests.size(), 1);
    EXPECT_EQ(TestUi().fileRequests[0].directory, documents);

    // A backup's folder is where Restore looks next, and a restored file's
    // folder where the next backup starts.
    TestUi().Reset();
    TestUi().QueueFolder(backupDir.path());
    ASSERT_TRUE(BackupData(data));
    EXPECT_TRUE(data.ChooseDatabaseFile().isEmpty());
    EXPECT_EQ(TestUi().fileRequests.value(0).directory, QDir::cleanPath(backupDir.path()));
    const QString elsewhere = db.Folder() + QStringLiteral("/older");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    TestUi().QueueFile(elsewhere + QStringLiteral("/TallywickPlus.mdb"));
    EXPECT_FALSE(data.ChooseDatabaseFile().isEmpty());
    EXPECT_FALSE(BackupData(data));
    EXPECT_EQ(TestUi().folderStarts.value(1), QDir::cleanPath(elsewhere));

    // A folder since removed gives the documents again; the program's never.
    ASSERT_TRUE(QDir(elsewhere).removeRecursively());
    EXPECT_FALSE(BackupData(data));
    EXPECT_EQ(TestUi().folderStarts.value(2), documents);
    for (const QString &start : TestUi().folderStarts)
        EXPECT_NE(start, QDir::cleanPath(appDir.path()));
}

TEST_F(BackupTest, BackupCopiesEveryRowIntoAFileThatOpensWithTheKeyButNeverOntoItself)
{
    TestUi().QueueFolder(backupDir.filePath(QStringLiteral("not-a-folder")));
    TestUi().QueueFolder(backupDir.path());
    ASSERT_TRUE(BackupData(data));
    EXPECT_EQ(TestUi().Texts(), (QStringList{QStringLiteral("Please select a valid folder to backup database!"),
                                             QStringLiteral("Backup Successful.")}));
    EXPECT_EQ(TestUi().folderRequests.value(1), QStringLiteral("Select the Backup Folder"));
    EXPECT_EQ(CountsOf(Backup()), (QList<qint64>{25, 0, 1, 1, 1}));
    // No temporary file is left beside the copy.
    EXPECT_EQ(QDir(backupDir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    TestUi().Reset();
    EXPECT_FALSE(BackupData(data));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Backup cancelled.")});

    // The database's own folder, also written with other letter case or slashes.
    const QString folder = QFileInfo(db.Path()).absolutePath();
    const QString upper = QFileInfo(folder).path() + u'/' + QFileInfo(folder).fileName().toUpper();
    ASSERT_TRUE(QDir().mkpath(upper));
    for (const QString &pick : {folder + QStringLiteral("//"), upper}) {
        TestUi().Reset();
        TestUi().QueueFolder(pick);
        EXPECT_FALSE(BackupData(data));
        EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Source and destination path are the same.\nPlease "
                                                               "try in a different folder.")});
    }
    QDir(upper).removeRecursively();
}

TEST_F(BackupTest, NoToReplaceOrAFailedCopyKeepsTheEarlierBackup)
{
    WriteBytes(Backup(), "earlier backup");
    TestUi().QueueFolder(backupDir.path());
    TestUi().QueueAnswer(IDNO);
    EXPECT_FALSE(BackupData(data));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("The data file TallywickPlus.mdb already exists in this "
                                                           "location.\nDo you want to replace the existing data file?")});

    const QString media = QStringLiteral(
        "Cannot back up to this storage media. You cannot directly back up to a CD. You can back up to hard disk, "
        "floppy diskette, or pendrive. Or else you should back up to a valid folder in hard disk and then write it "
        "to a CD using CD writer. Before backing up, please make sure that the drive is not write protected.");
    const QList<std::tuple<FileStep, int, QString>> faults = {{FileStep::CreateTarget, EACCES, media},
                                                              {FileStep::Write, ENOSPC, SystemText(ENOSPC)}};
    for (const auto &[failing, error, why] : faults) {
        SetFileFaultHook([&](FileStep step, const QString &) { return step == failing ? error : 0; });
        TestUi().Reset();
        TestUi().QueueFolder(backupDir.path());
        TestUi().QueueAnswer(IDYES);
        EXPECT_FALSE(BackupData(data));
        EXPECT_EQ(TestUi().Texts().mid(1), (QStringList{why, QStringLiteral("Backup failed!")}));
    }
    EXPECT_EQ(ReadBytes(Backup()), QByteArray("earlier backup"));
    EXPECT_EQ(QDir(backupDir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(BackupTest, TheLogoGoesAlongUnderItsOwnName)
{
    WriteBytes(appDir.filePath(QStringLiteral("logo.bmp")), "BM logo");
    data.company.cLogoPath = QStringLiteral("logo.bmp"); // no folder part: beside the program
    TestUi().QueueFolder(backupDir.path());
    EXPECT_TRUE(BackupData(data));
    EXPECT_EQ(ReadBytes(backupDir.filePath(QStringLiteral("logo.bmp"))), QByteArray("BM logo"));

    data.company.cLogoPath = appDir.filePath(QStringLiteral("gone.bmp"));
    TestUi().Reset();
    TestUi().QueueFolder(backupDir.path());
    TestUi().QueueAnswer(IDYES);
    EXPECT_TRUE(BackupData(data));
    EXPECT_EQ(TestUi().LastText(),
              QStringLiteral("Data file backed up but there is some problem in backing up the Logo file."));
}

TEST_F(BackupTest, ClosingBacksUpWithoutAskingAndSkipsAnEmptyFolder)
{
    data.settings.iAutoBackUpDb = 1;
    BackupOnClosing(data, false);
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("The automatic backup was skipped: no backup folder is "
                                                           "set. Choose one in the Default Settings.")});

    TestUi().Reset();
    WriteBytes(Backup(), "earlier backup");
    WriteBytes(appDir.filePath(QStringLiteral("logo.bmp")), "BM logo");
    data.company.cLogoPath = appDir.filePath(QStringLiteral("logo.bmp"));
    data.settings.cBackUpDbPath = backupDir.path();
    data.settings.iPromptForBackUpDb = 1;
    data.loggedIn = true;
    BackupOnClosing(data, true);
    EXPECT_EQ(CountsOf(Backup())[0], 25);
    EXPECT_FALSE(QFile::exists(backupDir.filePath(QStringLiteral("logo.bmp")))) << "no logo from print preview";
    BackupOnClosing(data, false);
    EXPECT_TRUE(QFile::exists(backupDir.filePath(QStringLiteral("logo.bmp"))));
    // A file in use from the backup folder is not copied over itself.
    data.location.databasePath = Backup();
    data.BuildConnectionString();
    ASSERT_TRUE(data.OpenDatabase());
    BackupOnClosing(data, false);
    data.connection.Execute(QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (iTransactionType) values (1)"));
    EXPECT_EQ(CountsOf(Backup())[0], 26) << "rows written after closing must reach the file";
    // Closed, the file leaves nothing beside it.
    data.connection.Close();
    EXPECT_EQ(QDir(backupDir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_TRUE(TestUi().Texts().isEmpty());
}

TEST_F(BackupTest, CompactionKeepsTheKeyAndEveryRowAndAFailureKeepsTheOriginalOpen)
{
    data.connection.Execute(QStringLiteral("DELETE FROM LB_TRANSACTION_INFO_TB WHERE iTransactionNumber % 2 = 0"));
    const QList<qint64> before = TableRowCounts(data.connection);
    // At exit the connection is already closed: compaction opens it itself.
    // The fixture's own connection would be another program's.
    data.connection.Close();
    db.Connection().Close();
    ASSERT_TRUE(CompactDatabase(data)) << TestUi().Texts().join(u'|').toStdString();
    ASSERT_TRUE(data.connection.IsOpen());
    EXPECT_EQ(TableRowCounts(data.connection), before);
    CDbConnection withoutKey;
    EXPECT_THROW(withoutKey.Open(data.location.connectionString, kDbUser, QString()), CDbError);
    EXPECT_FALSE(QFile::exists(Temporary()));

    for (const FileStep failing : {FileStep::Export, FileStep::Verify, FileStep::Replace}) {
        SetFileFaultHook([failing](FileStep step, const QString &) { return step == failing ? EIO : 0; });
        TestUi().Reset();
        EXPECT_FALSE(CompactDatabase(data));
        EXPECT_EQ(TestUi().Texts(), QStringList{SystemText(EIO) + QStringLiteral("\nThe database was not compacted; "
                                                                                 "the original file is kept.")});
        ASSERT_TRUE(data.connection.IsOpen());
        EXPECT_EQ(TableRowCounts(data.connection), before);
        EXPECT_FALSE(QFile::exists(Temporary()));
    }
}

TEST_F(BackupTest, RestoreSwitchesOnlyOnceTheChosenFileOpenedAndSomebodyLoggedIn)
{
    QTemporaryDir otherDir;
    const QString other = otherDir.filePath(QStringLiteral("TallywickPlus.mdb"));
    ASSERT_EQ(CreateDatabase(other, kDbPassword), QString());
    {
        CDbConnection c;
        c.Open(Connection(other), kDbUser, kDbPassword);
        c.Execute(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET cPassword='it''s other'"));
    }
    const QString junk = otherDir.filePath(QStringLiteral("junk.mdb"));
    WriteBytes(junk, "not a database at all");
    data.iniFile.Write(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath"), db.Path());
    data.loggedIn = true;

    QStringList asked;
    bool answer = false;
    RestoreHooks hooks{[&](const QString &text) { asked << text; }, [&] {
                           asked << QStringLiteral("login:") + data.settings.cPassword;
                           return answer;
                       }};
    const QString kept = QStringLiteral("\nYou go on working with %1.").arg(db.Path());
    TestUi().QueueFile(junk);
    EXPECT_FALSE(RestoreData(data, hooks));
    EXPECT_EQ(TestUi().Texts().mid(2), QStringList{QStringLiteral("The data file was not restored: the chosen file "
                                                                  "could not be opened.") + kept});
    TestUi().Reset();
    TestUi().QueueFile(other);
    EXPECT_FALSE(RestoreData(data, hooks));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("The data file was not restored: nobody logged in to the "
                                                           "chosen file.") + kept});
    EXPECT_EQ(data.iniFile.Read(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath")), db.Path());
    EXPECT_TRUE(data.loggedIn);
    EXPECT_EQ(TableRowCounts(data.connection)[0], 25);

    TestUi().Reset();
    asked.clear();
    answer = true;
    TestUi().QueueFile(other);
    EXPECT_TRUE(RestoreData(data, hooks));
    EXPECT_TRUE(TestUi().Texts().isEmpty());
    EXPECT_EQ(asked, (QStringList{"Closing the database", "Opening the database", "Applying Default Settings",
                                  "login:it's other"}));
    EXPECT_EQ(TableRowCounts(data.connection)[0], 0);
    EXPECT_EQ(data.iniFile.Read(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath")), other);
}
