// Every window that asks for a date, under every date format the preference
// page offers: the date typed as the format shows it is the date the window
// reads, queries and stores.
#include "reports/reportfixture.h"

#include "controls/gridctrl.h"
#include "data/dbrecordset.h"
#include "data/sqltext.h"
#include "data/reminderstore.h"
#include "records/deleteolddatadlg.h"
#include "records/editdeletedlg.h"
#include "records/preferencesettingspage.h"
#include "records/reminderdlgs.h"
#include "records/transactiondlg.h"
#include "reports/advancedreportdlg.h"
#include "reports/listreportdlg.h"
#include "reports/periodreport.h"
#include "reports/reminderreport.h"
#include "reports/reportinfodlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

namespace {

class DateFormatTest : public ReportViewFixture, public ::testing::WithParamInterface<const char *>
{
protected:
    void SetUp() override
    {
        // Chosen on the preference page, as a user would.
        CPreferenceSettingsPage page(data);
        auto *formats = Control<QComboBox>(&page, 1091);
        const int index = formats->findText(Format());
        ASSERT_GE(index, 0) << "the page does not offer " << GetParam();
        formats->setCurrentIndex(index);
        emit formats->activated(index);
        ASSERT_TRUE(page.Apply());
        ASSERT_EQ(data.settings.dateFormat, Format());
    }

    static QString Format() { return QString::fromLatin1(GetParam()); }
    static QString Shown(const QDate &date) { return DisplayDate(date, Format()); }

    // Types the date into the picker as it shows it, then leaves with Tab.
    static void TypeDate(QWidget *dialog, int id, const QDate &date)
    {
        auto *field = Control<QDateEdit>(dialog, id);
        ASSERT_NE(field, nullptr);
        field->setFocus();
        field->setCurrentSectionIndex(0);
        field->setSelectedSection(field->sectionAt(0));
        QTest::keyClicks(field, QLocale::c().toString(date, field->displayFormat()));
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_NE(dialog->focusWidget(), field) << "Tab left " << id;
    }

    QString GridText(int row, int column) { return view.GetGrid()->GetItemText(row, column); }
    // The text right of the first cell that reads `label`.
    QString Beside(const QString &label)
    {
        CGridCtrl *grid = view.GetGrid();
        for (int row = 0; row < grid->GetRowCount(); ++row) {
            for (int column = 0; column + 1 < grid->GetColumnCount(); ++column) {
                if (grid->GetItemText(row, column) == label)
                    return grid->GetItemText(row, column + 1);
            }
        }
        return QStringLiteral("<no %1>").arg(label);
    }
    QString Stored(const QString &sql)
    {
        CDbRecordset rs(data.connection);
        rs.Open(sql.toUtf8().constData());
        return rs.IsEOF() ? QString() : rs.GetString(0);
    }
};

} // namespace

TEST_P(DateFormatTest, EveryWindowReadsTheDateTypedInTheChosenFormat)
{
    const QDate newYear(2020, 12, 31), january(2021, 1, 31);
    {
        SCOPED_TRACE("daily report");
        CReportInfoDlg daily(data, view, 0);
        daily.show();
        TypeDate(&daily, 1048, QDate(2026, 3, 16));
        daily.accept();
        EXPECT_EQ(GridText(2, 2), Shown(QDate(2026, 3, 16)));
        EXPECT_EQ(Beside(QStringLiteral("Balance: ")), QStringLiteral("-35.50"));
    }
    {
        SCOPED_TRACE("monthly report");
        CReportInfoDlg monthly(data, view, 1);
        monthly.show();
        auto *month = Control<QDateEdit>(&monthly, 1048);
        // Month and year only, in the order and with the separator the date
        // format has.
        const QString shown = month->displayFormat();
        EXPECT_FALSE(shown.contains(QLatin1String("dd")));
        EXPECT_EQ(Format().contains(QLatin1String("MMM")), shown.contains(QLatin1String("MMM")));
        EXPECT_TRUE(Format().startsWith(QLatin1String("yyyy")) ? shown.startsWith(QLatin1String("yyyy"))
                                                                : shown.endsWith(QLatin1String("yyyy")));
        if (Format() == QLatin1String("dd.MM.yyyy")) {
            EXPECT_EQ(shown, QStringLiteral("MM.yyyy"));
        } else if (Format() == QLatin1String("yyyy-MM-dd")) {
            EXPECT_EQ(shown, QStringLiteral("yyyy-MM"));
        }
        TypeDate(&monthly, 1048, QDate(2024, 2, 17));
        monthly.accept();
        EXPECT_EQ(GridText(2, 2), QStringLiteral("February 2024"));
        EXPECT_EQ(Beside(QStringLiteral("Balance: ")), QStringLiteral("69.75"));
    }
    {
        SCOPED_TRACE("specified period report");
        CReportInfoDlg period(data, view, 2);
        period.show();
        TypeDate(&period, 1048, newYear);
        TypeDate(&period, 1049, january);
        period.accept();
        EXPECT_EQ(GridText(2, 2), QStringLiteral("From %1 To %2").arg(Shown(newYear), Shown(january)));
        EXPECT_EQ(Beside(QStringLiteral("Balance: ")), QStringLiteral("-499.00"));
    }
    {
        SCOPED_TRACE("advanced report");
        CAdvancedReportDlg advanced(data, view);
        advanced.show();
        TypeDate(&advanced, 1033, newYear);
        TypeDate(&advanced, 1027, january);
        for (const int all : {1135, 1137, 1140})
            Control<QCheckBox>(&advanced, all)->click();
        advanced.accept();
        EXPECT_EQ(advanced.result(), QDialog::Accepted);
        EXPECT_EQ(GridText(3, 3), QStringLiteral("From %1 To %2").arg(Shown(newYear), Shown(january)));
        EXPECT_EQ(Beside(QStringLiteral("Net Balance:")), QStringLiteral("-499.00"));
    }
    {
        SCOPED_TRACE("list of incomes");
        CListReportDlg incomes(data, view, 1);
        incomes.show();
        TypeDate(&incomes, 1033, QDate(2024, 1, 31));
        TypeDate(&incomes, 1027, QDate(2024, 3, 1));
        Control<QCheckBox>(&incomes, 1035)->click();
        Control<QCheckBox>(&incomes, 1037)->click();
        incomes.accept();
        EXPECT_EQ(incomes.result(), QDialog::Accepted);
        EXPECT_EQ(Beside(Shown(QDate(2024, 1, 31))), QStringLiteral("January"));
        EXPECT_EQ(Beside(Shown(QDate(2024, 2, 29))), QStringLiteral("Leap day"));
        EXPECT_EQ(Beside(Shown(QDate(2024, 3, 1))), QStringLiteral("March"));
    }
    {
        SCOPED_TRACE("payment reminders");
        CReminderEntryDlg entry(data, CReminderEntryDlg::AddMode);
        entry.show();
        TypeDate(&entry, 1026, QDate(2026, 4, 10));
        Control<QPlainTextEdit>(&entry, 1122)->setPlainText(QStringLiteral("Oven service"));
        entry.accept();
        ASSERT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_EQ(entry.Reminder().storedDate, QStringLiteral("04/10/2026"));
        CReminderStore(data.connection).Add(entry.Reminder());

        CPaymentReminderDlg list(data);
        list.show();
        TypeDate(&list, 1027, QDate(2026, 4, 30));
        auto *rows = Control<QTreeWidget>(&list, 1128);
        ASSERT_EQ(rows->topLevelItemCount(), 1);
        EXPECT_EQ(rows->topLevelItem(0)->text(0), Shown(QDate(2026, 4, 10)));

        CDisplayRemindersDlg display(data);
        display.show();
        TypeDate(&display, 1033, QDate(2026, 4, 1));
        TypeDate(&display, 1027, QDate(2026, 4, 30));
        ASSERT_TRUE(ShowReminders(view, data, kReminderRangeQuery,
                                  {DateText(display.From()), DateText(display.To()), display.FromText(), display.ToText()},
                                  false));
        EXPECT_EQ(GridText(4, 3), QStringLiteral("From %1 To %2").arg(Shown(QDate(2026, 4, 1)), Shown(QDate(2026, 4, 30))));
        EXPECT_EQ(GridText(8, 2), Shown(QDate(2026, 4, 10)));
    }
    {
        SCOPED_TRACE("entry and edit");
        CTransactionDlg income(data, 1);
        income.show();
        TypeDate(&income, 1026, QDate(2026, 12, 24));
        Control<QLineEdit>(&income, 1030)->setText(QStringLiteral("5"));
        Control<QLineEdit>(&income, 1032)->setText(QStringLiteral("Typed"));
        ASSERT_TRUE(income.OnSave());
        EXPECT_EQ(Stored(QStringLiteral("SELECT cTransactionDate FROM LB_TRANSACTION_INFO_TB WHERE "
                                        "cTransactionDescription='Typed'")),
                  QStringLiteral("12/24/2026"));

        CEditDeleteDlg edit(data, 1);
        edit.show();
        Control<QComboBox>(&edit, 1059)->setCurrentText(QStringLiteral("Sales"));
        TypeDate(&edit, 1048, QDate(2026, 3, 15));
        TypeDate(&edit, 1049, QDate(2026, 3, 16));
        auto *rows = Control<QTreeWidget>(&edit, 1062);
        ASSERT_EQ(rows->topLevelItemCount(), 2);
        EXPECT_EQ(rows->topLevelItem(0)->text(3), Shown(QDate(2026, 3, 15)));
        EXPECT_EQ(rows->topLevelItem(1)->text(3), Shown(QDate(2026, 3, 16)));
    }
    {
        SCOPED_TRACE("old data");
        CDeleteOldDataDlg old(data, nullptr);
        old.show();
        TypeDate(&old, 1057, january);
        Control<QCheckBox>(&old, 1056)->click();
        TestUi().QueueAnswer(IDCANCEL);
        EXPECT_FALSE(old.OnOK());
        EXPECT_TRUE(TestUi().LastText().endsWith(QStringLiteral(" till : ") + Shown(january) + u'.'))
            << TestUi().LastText().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, DateFormatTest,
                         ::testing::Values("MMM/dd/yyyy", "MM/dd/yyyy", "dd/MMM/yyyy", "dd/MM/yyyy", "dd.MM.yyyy",
                                           "yyyy-MM-dd"));
