#include "records/reminderdlgs.h"

#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/jetsql.h"
#include "data/sqltext.h"
#include "recordfixture.h"
#include "support/germandesktop.h"

#include <QCheckBox>
#include <QLocale>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

TEST(ReminderDays, WordingAndRange)
{
    EXPECT_EQ(ReminderDaysText(0), QStringLiteral("Remind on the day"));
    EXPECT_EQ(ReminderDaysText(1), QStringLiteral("Remind before 1 day"));
    EXPECT_EQ(ReminderDaysText(2), QStringLiteral("Remind before 2 days"));

    int days = -1;
    EXPECT_EQ(CheckReminderDays(QStringLiteral("36500"), &days), ReminderDaysCheck::Valid);
    EXPECT_EQ(days, 36500);
    EXPECT_EQ(CheckReminderDays(QStringLiteral("12.9"), &days), ReminderDaysCheck::Valid);
    EXPECT_EQ(days, 12);
    EXPECT_EQ(CheckReminderDays(QStringLiteral("36501")), ReminderDaysCheck::OutOfRange);
    EXPECT_EQ(CheckReminderDays(QStringLiteral("99999999999999999999")), ReminderDaysCheck::OutOfRange);
    for (const char *bad : {"", "-1", "1.2.3", ".", "1 0", "x"})
        EXPECT_EQ(CheckReminderDays(QString::fromLatin1(bad)), ReminderDaysCheck::NotANumber) << bad;
}

TEST(ReminderDays, StartupDatesReadBackAsTheSameDay)
{
    EXPECT_EQ(StartupDateText(QDate(2026, 12, 5)), QStringLiteral("12/ 05/ 26"));
    for (const QDate day : {QDate(2000, 1, 1), QDate(2029, 12, 31), QDate(2030, 1, 1), QDate(2099, 6, 30)})
        EXPECT_EQ(ParseJetDate(StartupDateText(day)), day) << qPrintable(StartupDateText(day));
}

class ReminderTest : public RecordTest
{
protected:
    void Add(const QDate &date, int days, bool autoDelete, double amount = 10, const QString &description = QStringLiteral("Rent"))
    {
        CReminderStore(data.connection).Add(CReminder{-1, description, amount, DateText(date), days, autoDelete});
    }
    QStringList Descriptions(const QList<CReminder> &rows)
    {
        QStringList names;
        for (const CReminder &r : rows)
            names << r.description;
        return names;
    }
};

TEST_F(ReminderTest, StartupDeletesOnlyExpiredAutoDeleteRemindersAndFindsTheDueOnes)
{
    const QDate today = Today();
    Add(today.addDays(-1), 0, true, 1, QStringLiteral("yesterday auto"));
    Add(today.addDays(-1), 0, false, 1, QStringLiteral("yesterday kept"));
    Add(today, 0, true, 1, QStringLiteral("today"));
    Add(today.addDays(1), 0, true, 1, QStringLiteral("tomorrow 0"));
    Add(today.addDays(10), 10, true, 1, QStringLiteral("in 10 with 10"));
    Add(today.addDays(11), 10, true, 1, QStringLiteral("in 11 with 10"));
    Add(today.addDays(36500), 36500, true, 1, QStringLiteral("far"));

    CReminderStore store(data.connection);
    const QString text = StartupDateText(today);
    store.DeleteReminders(text, ReminderDeletion::Expired);
    EXPECT_EQ(db.Count(QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB")), 6);
    EXPECT_EQ(db.Count(QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB"), QStringLiteral("cPaymentDescription='yesterday auto'")), 0);
    EXPECT_EQ(Descriptions(store.Select(kDueReminderQuery, text, text)),
              (QStringList{QStringLiteral("today"), QStringLiteral("in 10 with 10"), QStringLiteral("far")}));

    // Up to a day, inclusive, whatever the flag.
    store.DeleteReminders(DateText(today), ReminderDeletion::UpTo);
    EXPECT_EQ(Descriptions(store.List(today.addDays(-5), today.addDays(40000))),
              (QStringList{QStringLiteral("tomorrow 0"), QStringLiteral("in 10 with 10"), QStringLiteral("in 11 with 10"),
                           QStringLiteral("far")}));
}

TEST_F(ReminderTest, TheEntryFormChecksInOrderAndKeepsItsFields)
{
    CPlainDesktop plain;
    CReminderEntryDlg form(data, CReminderEntryDlg::AddMode);
    auto *amount = Control<QLineEdit>(&form, 1123);
    auto *days = Control<QLineEdit>(&form, 1127);
    auto *description = Control<QPlainTextEdit>(&form, 1122);
    const struct {
        const char *amount, *days, *description, *message;
    } cases[] = {
        {"1.2.3", "-1", "", "Please enter a valid amount, for example 1250.50."},
        {"12.50", "", "", "Day should be entered as a number."},
        {"12.50", "36501", "", "Day should be entered as a number between 0 and 36500."},
    };
    for (const auto &c : cases) {
        amount->setText(QString::fromLatin1(c.amount));
        days->setText(QString::fromLatin1(c.days));
        description->setPlainText(QString::fromLatin1(c.description));
        form.accept();
        EXPECT_EQ(TestUi().LastText(), QString::fromLatin1(c.message));
        EXPECT_NE(form.result(), QDialog::Accepted);
    }
    days->setText(QStringLiteral("36500"));
    description->setPlainText(QStringLiteral("   "));
    form.accept();
    EXPECT_EQ(TestUi().LastText(), LoadString(StringId::EnterReminderDescription));

    description->setPlainText(QString(300, u'x'));
    EXPECT_EQ(description->toPlainText().size(), 256);
    description->setPlainText(QStringLiteral("  Ann's rent  "));
    Control<QCheckBox>(&form, 1126)->setChecked(false);
    Control<QDateEdit>(&form, 1026)->setDate(QDate(2026, 4, 1));
    form.accept();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    const CReminder r = form.Reminder();
    EXPECT_EQ(r.description, QStringLiteral("Ann's rent"));
    EXPECT_EQ(r.amount, 12.5);
    EXPECT_EQ(r.days, 36500);
    EXPECT_FALSE(r.autoDelete);
    EXPECT_EQ(r.storedDate, QStringLiteral("04/01/2026"));
}

TEST_F(ReminderTest, TheListAddsEditsAndDeletesThroughTheForm)
{
    Add(Today(), 1, true, 20, QStringLiteral("Phone"));
    Add(Today(), 2, false, 30, QStringLiteral("Water"));
    CPaymentReminderDlg dialog(data);
    auto *list = Control<QTreeWidget>(&dialog, 1128);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Amount ($)"));
    const QTreeWidgetItem *water = list->topLevelItem(1);
    EXPECT_EQ((QStringList{water->text(0), water->text(1), water->text(2), water->text(3), water->text(4)}),
              (QStringList{QStringLiteral("17/03/2026"), QStringLiteral("30.00"), QStringLiteral("Water"),
                           QStringLiteral("Remind before 2 days"), QStringLiteral("No")}));
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1021)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1022)->isEnabled());

    OnNextModal([](QDialog *form) {
        Control<QLineEdit>(form, 1123)->setText(QStringLiteral("5"));
        Control<QPlainTextEdit>(form, 1122)->setPlainText(QStringLiteral("Gas"));
        form->accept();
    });
    dialog.OnAdd();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(2), QStringLiteral("Gas"));

    list->clearSelection();
    list->topLevelItem(1)->setSelected(true);
    EXPECT_TRUE(Control<QPushButton>(&dialog, 1021)->isEnabled());
    OnNextModal([](QDialog *form) {
        EXPECT_EQ(Control<QPlainTextEdit>(form, 1122)->toPlainText(), QStringLiteral("Water"));
        Control<QPlainTextEdit>(form, 1122)->setPlainText(QStringLiteral("Water bill"));
        form->accept();
    });
    dialog.OnEdit();
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(2), QStringLiteral("Water bill"));

    list->topLevelItem(0)->setSelected(true);
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1021)->isEnabled());
    TestUi().QueueAnswer(IDNO);
    dialog.OnDelete();
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Are you sure you want to delete these Reminders?"));
    EXPECT_EQ(list->topLevelItemCount(), 3);
    TestUi().QueueAnswer(IDYES);
    dialog.OnDelete();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Gas"));
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());
}

TEST_F(ReminderTest, AReminderAddedForNextWeekIsShownSelectedAndItsDayColumnIsWhole)
{
    CPaymentReminderDlg dialog(data);
    auto *list = Control<QTreeWidget>(&dialog, 1128);
    ASSERT_EQ(list->topLevelItemCount(), 0);
    const QDate nextWeek = Today().addDays(7);
    OnNextModal([&](QDialog *form) {
        Control<QDateEdit>(form, 1026)->setDate(nextWeek);
        Control<QLineEdit>(form, 1123)->setText(QStringLiteral("80"));
        Control<QLineEdit>(form, 1127)->setText(QStringLiteral("0"));
        Control<QPlainTextEdit>(form, 1122)->setPlainText(QStringLiteral("Insurance"));
        form->accept();
    });
    dialog.OnAdd();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    const QTreeWidgetItem *added = list->topLevelItem(0);
    EXPECT_EQ(added->text(2), QStringLiteral("Insurance"));
    EXPECT_EQ(added->text(3), QStringLiteral("Remind on the day"));
    EXPECT_TRUE(added->isSelected());
    EXPECT_EQ(Control<QDateEdit>(&dialog, 1033)->date(), Today());
    EXPECT_EQ(Control<QDateEdit>(&dialog, 1027)->date(), nextWeek);

    // One dated before the range widens it the other way; the first stays listed.
    OnNextModal([&](QDialog *form) {
        Control<QDateEdit>(form, 1026)->setDate(Today().addDays(-3));
        Control<QLineEdit>(form, 1127)->setText(QStringLiteral("36500"));
        Control<QPlainTextEdit>(form, 1122)->setPlainText(QStringLiteral("Late"));
        form->accept();
    });
    dialog.OnAdd();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(2), QStringLiteral("Late"));
    EXPECT_EQ(list->selectedItems().first()->text(3), QStringLiteral("Remind before 36500 days"));
    const int needed = list->fontMetrics().horizontalAdvance(QStringLiteral("Remind before 36500 days"));
    EXPECT_GT(list->columnWidth(3), needed + 8);
}

TEST_F(ReminderTest, EnterWalksTheFormToOkThereAddsAndEditKeepsAnUntouchedAmount)
{
    CPaymentReminderDlg dialog(data);
    auto *list = Control<QTreeWidget>(&dialog, 1128);
    bool closedByEnter = false;
    OnNextModal([&closedByEnter](QDialog *form) {
        // The keyboard only: each Enter goes to whichever control has the focus.
        const auto enter = [form] { QTest::keyClick(form->focusWidget(), Qt::Key_Return); };
        Control<QDateEdit>(form, 1026)->setFocus();
        enter();
        QTest::keyClicks(form->focusWidget(), QStringLiteral("Insurance"));
        enter();
        QTest::keyClick(form->focusWidget(), Qt::Key_A, Qt::ControlModifier);
        // As the desktop writes it: on a German desktop "12.345" would be twelve thousand or refused.
        QTest::keyClicks(form->focusWidget(), QStringLiteral("12") + QLocale().decimalPoint() + QStringLiteral("345"));
        enter();
        enter();
        enter();
        EXPECT_EQ(form->focusWidget(), Control<QPushButton>(form, 1));
        enter();
        closedByEnter = !form->isVisible() && form->result() == QDialog::Accepted;
        if (form->isVisible())
            form->reject();
    });
    dialog.OnAdd();
    EXPECT_TRUE(closedByEnter);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT iPaymentAmount FROM LB_PAYMENT_REMINDER_INFO_TB")), QStringLiteral("12.345"));

    // Edit, change only the description, Save: the amount stays as stored.
    list->topLevelItem(0)->setSelected(true);
    OnNextModal([](QDialog *form) {
        EXPECT_EQ(Control<QLineEdit>(form, 1123)->text(), QStringLiteral("12.35"));
        Control<QPlainTextEdit>(form, 1122)->setPlainText(QStringLiteral("Car insurance"));
        form->accept();
    });
    dialog.OnEdit();
    EXPECT_EQ(Value(QStringLiteral("SELECT iPaymentAmount FROM LB_PAYMENT_REMINDER_INFO_TB")), QStringLiteral("12.345"));
    EXPECT_EQ(Value(QStringLiteral("SELECT cPaymentDescription FROM LB_PAYMENT_REMINDER_INFO_TB")), QStringLiteral("Car insurance"));
    // A typed amount still counts, and Enter on Cancel cancels.
    OnNextModal([](QDialog *form) {
        Control<QLineEdit>(form, 1123)->setText(QStringLiteral("12.3"));
        form->accept();
    });
    dialog.OnEdit();
    EXPECT_EQ(Value(QStringLiteral("SELECT iPaymentAmount FROM LB_PAYMENT_REMINDER_INFO_TB")), QStringLiteral("12.3"));
    OnNextModal([](QDialog *form) {
        Control<QLineEdit>(form, 1123)->setText(QStringLiteral("99"));
        auto *cancel = Control<QPushButton>(form, 2);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        if (form->isVisible())
            form->reject();
    });
    dialog.OnEdit();
    EXPECT_EQ(Value(QStringLiteral("SELECT iPaymentAmount FROM LB_PAYMENT_REMINDER_INFO_TB")), QStringLiteral("12.3"));
}

TEST_F(ReminderTest, AFailedDeletionRemovesNone)
{
    Add(Today(), 0, true, 1, QStringLiteral("A"));
    Add(Today(), 0, true, 1, QStringLiteral("B"));
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB"), QStringLiteral("OLD.cPaymentDescription='B'"));
    CPaymentReminderDlg dialog(data);
    auto *list = Control<QTreeWidget>(&dialog, 1128);
    list->selectAll();
    TestUi().QueueAnswer(IDYES);
    dialog.OnDelete();
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("forced failure"));
    EXPECT_EQ(db.Count(QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB")), 2);

}

} // namespace
