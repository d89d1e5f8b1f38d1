#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/backup.h"
#include "data/compaction.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/reminderstore.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

namespace {

// This program's shared state on a database that a second connection, the
// other user's program, has open too.
class TwoPrograms : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        data.SetAppFolder(db.Folder());
        QDir::setCurrent(db.Folder());
        PointAt(data, db.Path());
        ASSERT_TRUE(data.OpenDatabase());
        data.connection.SetBusyTimeout(50);
        for (int i = 1; i <= 3; ++i)
            CReminderStore(db.Connection()).Add(CReminder{-1, QStringLiteral("Bill %1").arg(i), 10.0 * i,
                                                          QStringLiteral("03/2%1/2026").arg(i), 2, false});
    }
    void TearDown() override { QDir::setCurrent(m_cwd); }

    QList<long> ReminderIds()
    {
        QList<long> ids;
        for (const CReminder &r : CReminderStore(data.connection).List(QDate(2026, 1, 1), QDate(2026, 12, 31)))
            ids << r.id;
        return ids;
    }

    CTestDatabase db;
    CTallywickData data;

private:
    QString m_cwd;
};

} // namespace

TEST_F(TwoPrograms, AChangeMeetingTheOtherProgramsWriteLockIsWhollyAbsentThenWhollyDone)
{
    const QList<long> ids = ReminderIds();
    ASSERT_EQ(ids.size(), 3);
    db.Connection().BeginTrans();
    db.Exec(QStringLiteral("UPDATE LB_PAYMENT_REMINDER_INFO_TB SET iPaymentReminderDays=9"));
    try {
        CReminderStore(data.connection).Delete(ids);
        ADD_FAILURE() << "deleted under another program's write lock";
    } catch (const CDbError &e) {
        EXPECT_EQ(e.Status(), TWK_E_DATABASEBUSY);
        EXPECT_EQ(ComErrorMessage(e), LoadString(StringId::DatabaseBusy));
    }
    EXPECT_EQ(data.connection.TransactionLevel(), 0);
    db.Connection().CommitTrans();
    EXPECT_EQ(ReminderIds(), ids);
    CReminderStore(data.connection).Delete(ids);
    EXPECT_EQ(db.Count(QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB")), 0);
}

TEST_F(TwoPrograms, CompactionRefusesWhileAnotherConnectionHasTheFileOpen)
{
    const QByteArray before = ReadBytes(db.Path());
    EXPECT_FALSE(CompactDatabase(data));
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::DatabaseInUseElsewhere)});
    EXPECT_EQ(ReadBytes(db.Path()), before);
    EXPECT_TRUE(data.connection.IsOpen());
    // Refused, this program still shares the file: the other one compacts
    // no more than this one did.
    TestUi().Reset();
    CDbConnection other;
    other.Open(db.ConnectionString(), kDbUser, kDbPassword);
    EXPECT_FALSE(other.TakeSoleUse());

    db.Connection().Close();
    other.Close();
    ASSERT_TRUE(CompactDatabase(data)) << TestUi().Texts().join(u'|').toStdString();
    EXPECT_TRUE(TestUi().Texts().isEmpty());
    EXPECT_EQ(ReminderIds().size(), 3);
    EXPECT_FALSE(QFile::exists(db.Folder() + QStringLiteral("/TallywickPlusTemp.ldb")));
    // Compacted, the file is shared again, not held alone.
    EXPECT_EQ(other.Open(db.ConnectionString(), kDbUser, kDbPassword), TWK_S_OK);
}

TEST_F(TwoPrograms, AnOpenFileIsSeenFromAnotherProcessAndABackupNeverReplacesIt)
{
    db.Connection().Close();
    QProcess holder;
    holder.start(QStringLiteral(TWK_HOLDDATABASE), {db.Path()});
    ASSERT_TRUE(holder.waitForReadyRead(20000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readAllStandardOutput().trimmed(), QByteArray("open"));

    EXPECT_FALSE(CompactDatabase(data));
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::DatabaseInUseElsewhere)});

    // Another user's backup into this folder would cut the file loose.
    TestUi().Reset();
    CTestDatabase elsewhere;
    CTallywickData other;
    other.SetAppFolder(elsewhere.Folder());
    PointAt(other, elsewhere.Path());
    TestUi().QueueFolder(db.Folder());
    TestUi().QueueAnswer(IDYES);
    const QByteArray before = ReadBytes(db.Path());
    EXPECT_FALSE(BackupData(other));
    EXPECT_EQ(TestUi().LastText(), LoadString(StringId::BackupTargetInUse));
    EXPECT_EQ(ReadBytes(db.Path()), before);

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(20000));
    EXPECT_EQ(holder.exitCode(), 0);
    TestUi().Reset();
    EXPECT_TRUE(CompactDatabase(data)) << TestUi().Texts().join(u'|').toStdString();
}
