// Login, password, reminder and currency dialogs, the reminder report and the
// colour picker, pictured on a fixed day.
#include "gallery.h"

#include "base/clock.h"
#include "controls/colorpickercombo.h"
#include "data/dbschema.h"
#include "data/reminderstore.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "records/currencydlg.h"
#include "controls/pagehostdlg.h"
#include "records/passworddlgs.h"
#include "records/reminderdlgs.h"
#include "reports/reminderreport.h"
#include "reports/tallywickview.h"
#include "support/nextmodal.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialog>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QDate kDay(2026, 3, 17);

// Fixes "today" while one picture is made.
class CFixedDay
{
public:
    CFixedDay() { SetClock(QDateTime(kDay, QTime(9, 0))); }
    ~CFixedDay() { SetClock(QDateTime()); }
};

struct CReminderSample {
    CTestDatabase db;
    CTallywickData data;

    CReminderSample()
    {
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.settings.cPassword = QStringLiteral("vorel");
        data.loggedIn = true;
        const struct {
            int offset, days;
            double amount;
            const char *description;
            bool autoDelete;
        } rows[] = {
            {0, 0, 450, "Shop rent, March", true},
            {0, 2, 38.9, "Electricity bill, account 4471 (direct debit failed, pay by card at the post office)", true},
            {3, 5, 120, "Flour delivery, Mill Farm", false},
            {9, 10, 64.25, "Van insurance", true},
        };
        for (const auto &r : rows)
            CReminderStore(data.connection)
                .Add(CReminder{-1, QString::fromLatin1(r.description), r.amount, DateText(kDay.addDays(r.offset)), r.days,
                               r.autoDelete});
    }
};

CReminderSample &Sample()
{
    static CReminderSample sample;
    return sample;
}

const GalleryRegistration enterPassword("login-enterpassword", [] {
    auto *dlg = new CEnterPasswordDlg(QStringLiteral("vorel"), QString());
    dlg->findChild<QLineEdit *>(QStringLiteral("1067"))->setText(QStringLiteral("secret"));
    return Sized(dlg);
});

const GalleryRegistration enterPasswordMultiUser("login-enterpassword-multiuser", [] {
    return Sized(new CEnterPasswordDlg(
        QStringLiteral("vorel"),
        QStringLiteral("Please Install the Tallywick + Multiuer Plugin.\nLaunching the default Password Screen.")));
});

const GalleryRegistration changePassword("login-changepassword", [] {
    return Sized(new CChangePasswordDlg(Sample().data));
});

const GalleryRegistration reminderList("reminders-list", [] {
    const CFixedDay day;
    auto *dlg = new CPaymentReminderDlg(Sample().data);
    dlg->findChild<QDateEdit *>(QStringLiteral("1027"))->setDate(kDay.addDays(30));
    dlg->findChild<QTreeWidget *>(QStringLiteral("1128"))->topLevelItem(1)->setSelected(true);
    return Sized(dlg);
});

// Just added for next week: the range has grown to it and it is selected.
const GalleryRegistration reminderAdded("reminders-list-after-add", [] {
    const CFixedDay day;
    static CReminderSample own;
    auto *dlg = new CPaymentReminderDlg(own.data);
    OnNextModal([](QDialog *form) {
        form->findChild<QDateEdit *>(QStringLiteral("1026"))->setDate(kDay.addDays(7));
        form->findChild<QLineEdit *>(QStringLiteral("1123"))->setText(QStringLiteral("80"));
        form->findChild<QPlainTextEdit *>(QStringLiteral("1122"))->setPlainText(QStringLiteral("Shop insurance"));
        form->accept();
    });
    dlg->OnAdd();
    return Sized(dlg);
});

const GalleryRegistration reminderAdd("reminders-entry-add", [] {
    const CFixedDay day;
    return Sized(new CReminderEntryDlg(Sample().data, CReminderEntryDlg::AddMode));
});

const GalleryRegistration reminderEdit("reminders-entry-edit", [] {
    const CFixedDay day;
    const QList<CReminder> rows = CReminderStore(Sample().data.connection).List(kDay, kDay);
    return Sized(new CReminderEntryDlg(Sample().data, CReminderEntryDlg::EditMode, rows.at(1)));
});

const GalleryRegistration reminderDisplay("reminders-display", [] {
    const CFixedDay day;
    return Sized(new CDisplayRemindersDlg(Sample().data));
});

const GalleryRegistration reminderReport("reminders-report", [] {
    const CFixedDay day;
    QMainWindow *window = ReportWindow(QStringLiteral("Tallywick + "), &Sample().data);
    ShowReminders(*ViewOf(window), Sample().data, kReminderRangeQuery,
                  {DateText(kDay), DateText(kDay.addDays(30)), QStringLiteral("17/Mar/2026"), QStringLiteral("16/Apr/2026")},
                  false);
    QApplication::processEvents();
    return static_cast<QWidget *>(window);
});

const GalleryRegistration currency("currency-dialog", [] {
    return Sized(new CPageHostDlg(new CCurrencyDlg(Sample().data), nullptr));
});

const GalleryRegistration currencyWizard("currency-wizardpage", [] {
    return Sized(new CCurrencyDlg(Sample().data, true));
});

// The picker closed on a custom colour, and its list as it drops down.
const GalleryRegistration colourPicker("colourpicker", [] {
    auto *host = new QWidget;
    auto *layout = new QVBoxLayout(host);
    auto *picker = new CColorPickerCombo(host);
    picker->Fill();
    picker->SelectColour(MakeColorRef(1, 120, 90));
    layout->addWidget(picker);
    auto *list = new CColorPickerCombo(host);
    list->Fill();
    list->SelectColour(MakeColorRef(200, 65, 35));
    // The drop-down list drawn in place, with the picker's own delegate.
    auto *view = new QListView(host);
    view->setModel(list->model());
    view->setItemDelegate(list->itemDelegate());
    view->setCurrentIndex(list->model()->index(list->currentIndex(), 0));
    view->setMinimumHeight(view->sizeHintForRow(0) * list->count() + 4);
    layout->addWidget(list);
    layout->addWidget(view);
    host->resize(220, 10);
    return Sized(host);
});

} // namespace
