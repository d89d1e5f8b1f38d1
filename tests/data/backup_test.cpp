#include "data/backup.h"
#include "data/compaction.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/restore.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

namespace {

const QString kStorageMedia = QStringLiteral(
    "Cannot back up to this storage media. You cannot directly back up to a CD. You can back up to hard disk, "
    "floppy diskette, or pendrive. Or else you should back up to a valid folder in hard disk and then write it to "
    "a CD using CD writer. Before backing up, please make sure that the drive is not write protected.");

// The system's own text for an error, in the desktop's language.
QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The program's shared state on a fresh database, its folder a throw-away
// application folder; rows are added through the shared connection.
class BackupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        data.SetAppFolder(appDir.path());
        QDir::setCurrent(appDir.path());
        Point(data, db.Path());
        ASSERT_TRUE(data.OpenDatabase());
        AddRows(data.connection, 25);
    }
    void TearDown() override
    {
        SetFileFaultHook({});
        QDir::setCurrent(m_cwd);
    }

    static void Point(CTallywickData &target, const QString &path)
    {
        target.location.databasePath = path;
        target.location.providerSetting = kProviderSetting;
        target.BuildConnectionString();
    }
    static void AddRows(CDbConnection &connection, int rows)
    {
        CDbTransaction t(connection);
        for (int i = 0; i < rows; ++i) {
            CDbRecordset rs(connection);
            rs.Open("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                    "cTransactionAmount,iTransactionType) values ('Home','03/%02d/2026','Rent',%f,2)",
                    i % 28 + 1, 10.25 * i);
        }
        CDbRecordset rs(connection);
        rs.Open("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                "iPaymentReminderDays,bAutoDelete) values ('Rates',12.5,'03/20/2026',2,0)");
        t.Commit();
    }
    // Row counts of a file opened on its own connection with the key.
    static QList<qint64> CountsOf(const QString &path)
    {
        CDbConnection c;
        c.Open(kProviderSetting + QStringLiteral("Data Source=") + path, kDbUser, kDbPassword);
        return TableRowCounts(c);
    }

    CTestDatabase db;
    QTemporaryDir appDir;
    QTemporaryDir backupDir;
    CTallywickData data;

private:
    QString m_cwd;
};

} // namespace

TEST_F(BackupTest, BackupCopiesEveryCommittedRowIntoAFileThatOpensWithTheKey)
{
    TestUi().QueueFolder(backupDir.path());
    ASSERT_TRUE(BackupData(data));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Backup Successful.")});
    EXPECT_EQ(TestUi().folderRequests, QStringList{QStringLiteral("Select the Backup Folder")});
    const QString copy = backupDir.filePath(QStringLiteral("TallywickPlus.mdb"));
    EXPECT_EQ(CountsOf(copy), TableRowCounts(data.connection));
    EXPECT_EQ(CountsOf(copy)[0], 25);
    // Only the copy is left in the folder, no temporary file.
    EXPECT_EQ(QDir(backupDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("TallywickPlus.mdb")});
    EXPECT_EQ(QDir::currentPath(), appDir.path());
}

TEST_F(BackupTest, CancelledOrVirtualFolderPicks)
{
    EXPECT_FALSE(BackupData(data));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Backup cancelled.")});

    TestUi().Reset();
    TestUi().QueueFolder(backupDir.filePath(QStringLiteral("no-such-folder")));
    TestUi().QueueFolder(backupDir.path());
    EXPECT_TRUE(BackupData(data));
    EXPECT_EQ(TestUi().Texts(), (QStringList{QStringLiteral("Please select a valid folder to backup database!"),
                                             QStringLiteral("Backup Successful.")}));
    EXPECT_EQ(TestUi().folderRequests.size(), 2);
}

TEST_F(BackupTest, TheDatabaseFolderItselfIsRefusedAlsoWithOtherLetterCaseOrSlashes)
{
    const QString same = QStringLiteral("Source and destination path are the same.\nPlease try in a different folder.");
    const QString folder = QFileInfo(db.Path()).absolutePath();
    // A sibling folder whose name differs only in letter case counts as the same place.
    const QString upper = folder.left(folder.lastIndexOf(u'/') + 1) + folder.mid(folder.lastIndexOf(u'/') + 1).toUpper();
    ASSERT_TRUE(QDir().mkpath(upper));
    for (const QString &pick : {folder, folder + u'/', folder + QStringLiteral("//"), upper}) {
        TestUi().Reset();
        TestUi().QueueFolder(pick);
        EXPECT_FALSE(BackupData(data)) << pick.toStdString();
        EXPECT_EQ(TestUi().Texts(), QStringList{same}) << pick.toStdString();
    }
    QDir(upper).removeRecursively();
    EXPECT_EQ(CountsOf(db.Path())[0], 25);
}

TEST_F(BackupTest, AnsweringNoToReplaceKeepsTheEarlierBackupAndReturnsFalse)
{
    const QString target = backupDir.filePath(QStringLiteral("TallywickPlus.mdb"));
    WriteAll(target, "earlier backup");
    TestUi().QueueFolder(backupDir.path());
    TestUi().QueueAnswer(IDNO);
    EXPECT_FALSE(BackupData(data));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("The data file TallywickPlus.mdb already exists in this "
                                                           "location.\nDo you want to replace the existing data file?")});
    EXPECT_EQ(ReadAll(target), QByteArray("earlier backup"));

    TestUi().Reset();
    TestUi().QueueFolder(backupDir.path());
    TestUi().QueueAnswer(IDYES);
    EXPECT_TRUE(BackupData(data));
    EXPECT_EQ(CountsOf(target)[0], 25);
}

TEST_F(BackupTest, AFailedCopyShowsWhyAndNeverDestroysTheEarlierBackup)
{
    const QString target = backupDir.filePath(QStringLiteral("TallywickPlus.mdb"));
    WriteAll(target, "earlier backup");
    struct Case {
        FileStep step;
        int error;
        QString why;
    };
    const QList<Case> cases = {{FileStep::CreateTarget, EACCES, kStorageMedia},
                               {FileStep::CreateTarget, EROFS, kStorageMedia},
                               {FileStep::Write, ENOSPC, SystemText(ENOSPC)},
                               {FileStep::Replace, EIO, kStorageMedia}};
    for (const Case &c : cases) {
        SetFileFaultHook([&c](FileStep step, const QString &) { return step == c.step ? c.error : 0; });
        TestUi().Reset();
        TestUi().QueueFolder(backupDir.path());
        TestUi().QueueAnswer(IDYES);
        EXPECT_FALSE(BackupData(data));
        EXPECT_EQ(TestUi().Texts().mid(1), (QStringList{c.why, QStringLiteral("Backup failed!")}));
        EXPECT_EQ(ReadAll(target), QByteArray("earlier backup"));
        EXPECT_EQ(QDir(backupDir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

TEST_F(BackupTest, TheLogoGoesAlongUnderItsOwnName)
{
    WriteAll(appDir.filePath(QStringLiteral("logo.bmp")), "BM logo");
    data.company.cLogoPath = QStringLiteral("logo.bmp"); // no folder part: beside the program
    TestUi().QueueFolder(backupDir.path());
    EXPECT_TRUE(BackupData(data));
    EXPECT_EQ(ReadAll(backupDir.filePath(QStringLiteral("logo.bmp"))), QByteArray("BM logo"));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Backup Successful."));

    data.company.cLogoPath = appDir.filePath(QStringLiteral("gone/picture.bmp"));
    TestUi().Reset();
    TestUi().QueueFolder(backupDir.path());
    TestUi().QueueAnswer(IDYES);
    EXPECT_TRUE(BackupData(data));
    EXPECT_EQ(TestUi().Texts().mid(1), (QStringList{SystemText(ENOENT),
                                                    QStringLiteral("Data file backed up but there is some problem in "
                                                                   "backing up the Logo file.")}));
}

TEST_F(BackupTest, ClosingBacksUpWithoutAskingAndSkipsAnEmptyFolder)
{
    const QString target = backupDir.filePath(QStringLiteral("TallywickPlus.mdb"));
    WriteAll(appDir.filePath(QStringLiteral("logo.bmp")), "BM logo");
    data.company.cLogoPath = appDir.filePath(QStringLiteral("logo.bmp"));

    BackupOnClosing(data, false);
    EXPECT_FALSE(QFile::exists(target)) << "switched off";

    data.settings.iAutoBackUpDb = 1;
    data.settings.cBackUpDbPath = QStringLiteral("  ");
    BackupOnClosing(data, false);
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("The automatic backup was skipped: no backup folder is "
                                                           "set. Choose one in the Default Settings.")});

    TestUi().Reset();
    WriteAll(target, "earlier backup");
    data.settings.cBackUpDbPath = backupDir.path();
    BackupOnClosing(data, false);
    EXPECT_EQ(CountsOf(target)[0], 25);
    EXPECT_FALSE(QFile::exists(backupDir.filePath(QStringLiteral("logo.bmp")))) << "logo only when prompted";

    data.settings.iPromptForBackUpDb = 1;
    data.loggedIn = true;
    BackupOnClosing(data, true);
    EXPECT_FALSE(QFile::exists(backupDir.filePath(QStringLiteral("logo.bmp")))) << "not from print preview";
    BackupOnClosing(data, false);
    EXPECT_EQ(ReadAll(backupDir.filePath(QStringLiteral("logo.bmp"))), QByteArray("BM logo"));
    EXPECT_TRUE(TestUi().Texts().isEmpty());
}

TEST_F(BackupTest, CompactionKeepsTheKeyAndEveryRow)
{
    {
        CDbRecordset rs(data.connection);
        rs.Open("DELETE FROM LB_TRANSACTION_INFO_TB WHERE iTransactionNumber %% 2 = 0");
    }
    const QList<qint64> before = TableRowCounts(data.connection);
    const QString sum = [&] {
        CDbRecordset rs(data.connection);
        rs.Open("SELECT SUM(cTransactionAmount) FROM LB_TRANSACTION_INFO_TB");
        return rs.GetValue(0).toString();
    }();
    ASSERT_TRUE(CompactDatabase(data)) << TestUi().Texts().join(u'|').toStdString();
    EXPECT_TRUE(TestUi().Texts().isEmpty());
    ASSERT_TRUE(data.connection.IsOpen());
    EXPECT_EQ(TableRowCounts(data.connection), before);
    CDbRecordset rs(data.connection);
    rs.Open("SELECT SUM(cTransactionAmount) FROM LB_TRANSACTION_INFO_TB");
    EXPECT_EQ(rs.GetValue(0).toString(), sum);
    rs.Close();
    EXPECT_EQ(CountsOf(db.Path()), before);
    CDbConnection withoutKey;
    EXPECT_THROW(withoutKey.Open(data.location.connectionString, kDbUser, QString()), CDbError);
    EXPECT_FALSE(QFile::exists(QFileInfo(db.Path()).dir().filePath(QStringLiteral("TallywickPlusTemp.mdb"))));

    // At exit the connection is already closed: compaction opens it itself.
    data.connection.Close();
    EXPECT_TRUE(CompactDatabase(data));
    EXPECT_EQ(TableRowCounts(data.connection), before);
}

TEST_F(BackupTest, AFailedCompactionKeepsTheOriginalOpenAndSaysSo)
{
    const QList<qint64> before = TableRowCounts(data.connection);
    for (const FileStep failing : {FileStep::Export, FileStep::Verify, FileStep::Replace}) {
        SetFileFaultHook([failing](FileStep step, const QString &) { return step == failing ? EIO : 0; });
        TestUi().Reset();
        EXPECT_FALSE(CompactDatabase(data));
        EXPECT_EQ(TestUi().Texts(), QStringList{SystemText(EIO) + QStringLiteral("\nThe database was not compacted; "
                                                                               "the original file is kept.")});
        ASSERT_TRUE(data.connection.IsOpen());
        EXPECT_EQ(TableRowCounts(data.connection), before);
        EXPECT_EQ(CountsOf(db.Path()), before);
        EXPECT_FALSE(QFile::exists(QFileInfo(db.Path()).dir().filePath(QStringLiteral("TallywickPlusTemp.mdb"))));
    }
}

namespace {

// A second database with its own login password and business name.
struct OtherFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("TallywickPlus.mdb"));
    OtherFile()
    {
        CreateDatabase(path, kDbPassword);
        CDbConnection c;
        c.Open(kProviderSetting + QStringLiteral("Data Source=") + path, kDbUser, kDbPassword);
        c.Execute(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET cPassword='it''s other'"));
        c.Execute(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Other Ltd'"));
    }
};

} // namespace

TEST_F(BackupTest, RestoreSwitchesToAFileWithAnotherPasswordAfterLoggingInToIt)
{
    OtherFile other;
    QStringList status;
    QString askedWith;
    RestoreHooks hooks;
    hooks.status = [&](const QString &t) { status << t; };
    hooks.login = [&] {
        askedWith = data.settings.cPassword;
        data.loggedIn = true;
        return true;
    };
    TestUi().QueueFile(other.path);
    ASSERT_TRUE(RestoreData(data, hooks));
    EXPECT_TRUE(TestUi().Texts().isEmpty());
    EXPECT_EQ(askedWith, QStringLiteral("it's other"));
    EXPECT_EQ(status, (QStringList{QStringLiteral("Closing the database"), QStringLiteral("Opening the database"),
                                   QStringLiteral("Applying Default Settings")}));
    EXPECT_EQ(data.location.databasePath, other.path);
    EXPECT_EQ(data.company.cName, QStringLiteral("Other Ltd"));
    EXPECT_EQ(TableRowCounts(data.connection)[0], 0);
    EXPECT_EQ(data.iniFile.Read(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath")), other.path);
}

TEST_F(BackupTest, RestoreKeepsTheCurrentFileWhenTheChosenOneFailsToOpenOrNobodyLogsIn)
{
    data.iniFile.Write(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath"), db.Path());
    data.loggedIn = true;
    RestoreHooks hooks;
    int logins = 0;
    hooks.login = [&] {
        ++logins;
        return false;
    };
    QTemporaryDir junkDir;
    const QString junk = junkDir.filePath(QStringLiteral("TallywickPlus.mdb"));
    WriteAll(junk, "not a database at all");
    OtherFile other;
    const QString kept = QStringLiteral("\nYou go on working with %1.").arg(db.Path());

    TestUi().QueueFile(junk);
    EXPECT_FALSE(RestoreData(data, hooks));
    EXPECT_EQ(TestUi().Texts().mid(1),
              (QStringList{QStringLiteral("Error in opening application. Please check whether the user who is\n logged "
                                          "into windows is having appropriate rights, and the given database path is "
                                          "correct."),
                           QStringLiteral("The data file was not restored: the chosen file could not be opened.")
                               + kept}));
    EXPECT_EQ(logins, 0);

    TestUi().Reset();
    TestUi().QueueFile(other.path);
    EXPECT_FALSE(RestoreData(data, hooks));
    EXPECT_EQ(TestUi().Texts(),
              QStringList{QStringLiteral("The data file was not restored: nobody logged in to the chosen file.") + kept});
    EXPECT_EQ(logins, 1);

    EXPECT_EQ(data.location.databasePath, db.Path());
    EXPECT_TRUE(data.loggedIn);
    EXPECT_TRUE(data.company.cName.isEmpty());
    EXPECT_EQ(TableRowCounts(data.connection)[0], 25);
    EXPECT_EQ(data.iniFile.Read(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath")), db.Path());

    // Cancelling the file dialog changes nothing and says nothing.
    TestUi().Reset();
    EXPECT_FALSE(RestoreData(data, hooks));
    EXPECT_TRUE(TestUi().Texts().isEmpty());
    EXPECT_TRUE(data.connection.IsOpen());
}
