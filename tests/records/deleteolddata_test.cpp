#include "recordfixture.h"

#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "records/deleteolddatadlg.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>

namespace {

const QString kAdvice = QStringLiteral(
    "It is recommended to back up data before you delete the old data. Click Yes, if you want to back up data and "
    "proceed. Click No, if you want to proceed with deletion without backing up. ");

// Income, expense and reminders on the 9th, 10th and 11th; deletions run
// up to the 10th, so the 9th and the 10th go and the 11th stays.
class DeleteOldDataTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        data.location.databasePath = db.Path();
        data.location.providerSetting = kProviderSetting;
        data.BuildConnectionString();
        data.oldDataDeleted = [this](const QString &day) {
            told << day + (data.connection.TransactionLevel() == 0 ? QString() : QStringLiteral(" uncommitted"));
        };
    }
    void Seed()
    {
        Run("DELETE FROM LB_TRANSACTION_INFO_TB");
        Run("DELETE FROM LB_PAYMENT_REMINDER_INFO_TB");
        for (int day = 9; day <= 11; ++day) {
            for (int type = 1; type <= 2; ++type)
                Run(FormatSql("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                              "cTransactionAmount,iTransactionType) values ('Home','%s','Rent',5.5,%d)",
                              DateText(Day(day)), type));
            Run(FormatSql("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                          "iPaymentReminderDays,bAutoDelete) values ('Rates',1.5,'%s',0,0)",
                          DateText(Day(day))));
        }
    }
    void Run(const QString &sql)
    {
        CDbRecordset rs(data.connection);
        rs.OpenText(sql);
    }
    // Read through the shared connection: compaction replaces the file.
    int Count(const char *table, int type = 0)
    {
        CDbRecordset rs(data.connection);
        if (type)
            rs.Open("SELECT COUNT(*) FROM %s WHERE iTransactionType=%d", table, type);
        else
            rs.Open("SELECT COUNT(*) FROM %s", table);
        return rs.GetValue(0).toInt();
    }
    QString Left()
    {
        return QStringLiteral("%1 %2 %3")
            .arg(Count("LB_TRANSACTION_INFO_TB", 1))
            .arg(Count("LB_TRANSACTION_INFO_TB", 2))
            .arg(Count("LB_PAYMENT_REMINDER_INFO_TB"));
    }
    void Choose(CDeleteOldDataDlg &dlg, bool income, bool expense, bool reminders)
    {
        for (const auto &[id, on] : {std::pair{1056, income}, {1055, expense}, {1058, reminders}}) {
            auto *box = Control<QCheckBox>(&dlg, id);
            if (box->isChecked() != on)
                box->click();
        }
        Control<QDateEdit>(&dlg, 1057)->setDate(Day(10));
    }

    QStringList told;
};

} // namespace

TEST_F(DeleteOldDataTest, EachChoiceDeletesUpToAndIncludingTheDayAfterItsOwnQuestion)
{
    struct Case {
        bool income, expense, reminders;
        QString left;
        QString ending;
    };
    const QString all = QStringLiteral("Click Cancel to cancel the deletion of old data till : ");
    const QList<Case> cases = {
        {true, false, false, "1 3 3", QStringLiteral("Click Cancel to cancel the deletion of old income data till : ")},
        {false, true, false, "3 1 3", QStringLiteral("Click Cancel to cancel the deletion of old expense data till : ")},
        {true, true, false, "1 1 3",
         QStringLiteral("Click Cancel to cancel the deletion of both income and expense data till : ")},
        {false, false, true, "3 3 1", all},
        {true, false, true, "1 3 1", all},
        {false, true, true, "3 1 1", all},
        {true, true, true, "1 1 1", all},
    };
    for (const Case &c : cases) {
        Seed();
        told.clear();
        TestUi().Reset();
        TestUi().QueueAnswer(IDNO);
        CDeleteOldDataDlg dlg(data, nullptr);
        Choose(dlg, c.income, c.expense, c.reminders);
        EXPECT_TRUE(dlg.OnOK());
        EXPECT_EQ(Left(), c.left) << c.left.toStdString();
        EXPECT_EQ(TestUi().Texts(), (QStringList{kAdvice + c.ending + QStringLiteral("10/03/2023."),
                                                 QStringLiteral("Old data deleted.")}));
        EXPECT_EQ(TestUi().messages.value(0).style & MB_BUTTONMASK, unsigned(MB_YESNOCANCEL));
        EXPECT_EQ(told, QStringList{QStringLiteral("03/10/2023")});
        EXPECT_TRUE(data.connection.IsOpen());
    }
}

TEST_F(DeleteOldDataTest, OkNeedsSomethingToDelete)
{
    CDeleteOldDataDlg dlg(data, nullptr);
    auto *ok = Control<QPushButton>(&dlg, 1);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(Control<QDateEdit>(&dlg, 1057)->date(), QDate(2026, 3, 17));
    Choose(dlg, false, false, true);
    EXPECT_TRUE(ok->isEnabled());
    Choose(dlg, false, false, false);
    EXPECT_FALSE(ok->isEnabled());
}

TEST_F(DeleteOldDataTest, CancelAFailedBackupOrAFailedStatementDeletesNothing)
{
    Seed();
    int backups = 0;
    data.backupData = [&](QObject *) {
        ++backups;
        return false;
    };
    CDeleteOldDataDlg dlg(data, nullptr);
    Choose(dlg, true, false, true);

    TestUi().QueueAnswer(IDCANCEL);
    EXPECT_FALSE(dlg.OnOK());
    TestUi().QueueAnswer(IDYES);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(TestUi().Texts().size(), 2) << "only the two questions";

    // The income deletion runs first; the reminders' failure takes it back.
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB"));
    TestUi().Reset();
    TestUi().QueueAnswer(IDNO);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(TestUi().Texts().mid(1), QStringList{QStringLiteral("forced failure")});
    EXPECT_EQ(Left(), QStringLiteral("3 3 3"));
    EXPECT_EQ(data.connection.TransactionLevel(), 0);
    EXPECT_TRUE(told.isEmpty()) << "add-ins hear only of committed deletions";
}
