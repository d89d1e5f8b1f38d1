#include "recordfixture.h"

#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "records/deleteolddatadlg.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>

namespace {

// Income, expense and a reminder on each of the 9th, 10th and 11th; the
// deletions run up to the 10th, so the 9th and the 10th go.
class DeleteOldDataTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        PointAt(data, db.Path());
        data.oldDataDeleted = [this](const QString &day) {
            told << day + (data.connection.TransactionLevel() == 0 ? "" : " uncommitted");
        };
    }
    void Seed()
    {
        data.connection.Execute("DELETE FROM LB_TRANSACTION_INFO_TB; DELETE FROM LB_PAYMENT_REMINDER_INFO_TB");
        for (int day = 9; day <= 11; ++day)
            data.connection.Execute(
                FormatSql("INSERT INTO LB_TRANSACTION_INFO_TB (cTransactionDate,iTransactionType) values ('%s',1),"
                          "('%s',2); INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDate) values ('%s')",
                          DateText(Day(day)), DateText(Day(day)), DateText(Day(day))));
    }
    // Incomes, expenses and reminders left, read on the shared connection
    // (compaction replaces the file).
    QString Left()
    {
        CDbRecordset rs(data.connection);
        rs.Open("SELECT (SELECT COUNT(*) FROM LB_TRANSACTION_INFO_TB WHERE iTransactionType=1) || ' ' || "
                "(SELECT COUNT(*) FROM LB_TRANSACTION_INFO_TB WHERE iTransactionType=2) || ' ' || "
                "(SELECT COUNT(*) FROM LB_PAYMENT_REMINDER_INFO_TB)");
        return rs.GetValue(0).toString();
    }
    void Choose(CDeleteOldDataDlg &dlg, bool income, bool expense, bool reminders)
    {
        for (const auto &[id, on] : {std::pair{1056, income}, {1055, expense}, {1058, reminders}}) {
            if (Control<QCheckBox>(&dlg, id)->isChecked() != on)
                Control<QCheckBox>(&dlg, id)->click();
        }
        Control<QDateEdit>(&dlg, 1057)->setDate(Day(10));
    }

    QStringList told;
};

} // namespace

TEST_F(DeleteOldDataTest, EachChoiceDeletesUpToAndIncludingTheDayAfterItsOwnQuestion)
{
    const QString advice = QStringLiteral(
        "It is recommended to back up data before you delete the old data. Click Yes, if you want to back up data "
        "and proceed. Click No, if you want to proceed with deletion without backing up. Click Cancel to cancel the "
        "deletion of ");
    const QList<std::tuple<bool, bool, bool, QString, QString>> cases = {
        {true, false, false, "1 3 3", "old income data"},     {false, true, false, "3 1 3", "old expense data"},
        {true, true, false, "1 1 3", "both income and expense data"}, {false, false, true, "3 3 1", "old data"},
        {true, false, true, "1 3 1", "old data"},             {true, true, true, "1 1 1", "old data"},
    };
    // The compaction after a deletion needs the file alone.
    db.Connection().Close();
    for (const auto &[income, expense, reminders, left, what] : cases) {
        Seed();
        told.clear();
        TestUi().Reset();
        TestUi().QueueAnswer(IDNO);
        CDeleteOldDataDlg dlg(data, nullptr);
        Choose(dlg, income, expense, reminders);
        EXPECT_TRUE(dlg.OnOK());
        EXPECT_EQ(Left(), left) << what.toStdString();
        EXPECT_EQ(TestUi().Texts(), (QStringList{advice + what + QStringLiteral(" till : 10/03/2023."),
                                                 QStringLiteral("Old data deleted.")}));
        EXPECT_EQ(told, QStringList{QStringLiteral("03/10/2023")});
    }
}

TEST_F(DeleteOldDataTest, NothingIsDeletedWithoutAChoiceOnCancelAFailedBackupOrAFailedStatement)
{
    Seed();
    CDeleteOldDataDlg dlg(data, nullptr);
    EXPECT_FALSE(Control<QPushButton>(&dlg, 1)->isEnabled());
    EXPECT_EQ(Control<QDateEdit>(&dlg, 1057)->date(), QDate(2026, 3, 17));
    Choose(dlg, true, false, true);
    EXPECT_TRUE(Control<QPushButton>(&dlg, 1)->isEnabled());

    int backups = 0;
    data.backupData = [&](QObject *) { return ++backups > 1; };
    TestUi().QueueAnswer(IDCANCEL);
    EXPECT_FALSE(dlg.OnOK());
    TestUi().QueueAnswer(IDYES);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(backups, 1);

    // The income deletion runs first; the reminders' failure takes it back.
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB"));
    TestUi().Reset();
    TestUi().QueueAnswer(IDYES);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(TestUi().Texts().mid(1), QStringList{QStringLiteral("forced failure")});
    EXPECT_EQ(Left(), QStringLiteral("3 3 3"));
    EXPECT_TRUE(told.isEmpty()) << "add-ins hear only of committed deletions";
}
