// The period, advanced and list report dialogs, and each report in the view.
#include "gallery.h"

#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/advancedreport.h"
#include "reports/advancedreportdlg.h"
#include "reports/listreport.h"
#include "reports/listreportdlg.h"
#include "reports/moreoptionsdlg.h"
#include "reports/periodreport.h"
#include "reports/reportinfodlg.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace {

// A florist with two shops over one spring.
struct CReportSample {
    CTestDatabase db;
    CTallywickData data;
    CTallywickView *view = nullptr;

    CReportSample()
    {
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.settings.iPrintEMail = data.settings.iPrintPhNo = data.settings.iPrintFaxNo = 1;
        data.company.cName = QStringLiteral("Rosa's Flowers");
        data.company.cEmail = QStringLiteral("rosa@flowers.example");
        data.company.cPhoneNo = QStringLiteral("0161 496 0123");
        data.company.cFaxNo = QStringLiteral("0161 496 0124");
        data.company.units = {QStringLiteral("High Street"), QStringLiteral("Market Hall")};
        for (const char *name : {"Bouquets", "Weddings", "Workshops"})
            data.incomeCategories.append(CCategoryEntry{0, QString::fromLatin1(name), {}, 1});
        for (const char *name : {"Rent", "Wholesale Flowers", "Van Fuel", "Florist's Wages"})
            data.expenseCategories.append(CCategoryEntry{0, QString::fromLatin1(name), {}, 2});
        const struct {
            const char *unit, *date, *name;
            double amount;
            const char *description;
            int type;
        } rows[] = {
            {"High Street", "04/01/2026", "Rent", 850, "April rent", 2},
            {"High Street", "04/02/2026", "Bouquets", 312.4, "Thursday counter", 1},
            {"High Street", "04/03/2026", "Wholesale Flowers", 420.75, "Auction, tulips", 2},
            {"Market Hall", "04/04/2026", "Bouquets", 198, "Saturday stall", 1},
            {"High Street", "04/11/2026", "Weddings", 1250, "Smith wedding, deposit", 1},
            {"Market Hall", "04/11/2026", "Rent", 120, "Pitch", 2},
            {"High Street", "04/15/2026", "Florist's Wages", 980, "Two helpers", 2},
            {"High Street", "04/18/2026", "Workshops", 240, "Wreath making", 1},
            {"Market Hall", "04/22/2026", "Van Fuel", 64.3, "Diesel", 2},
            {"High Street", "04/25/2026", "Bouquets", 287.6, "Saturday counter", 1},
        };
        for (const auto &r : rows) {
            db.Exec(FormatSql("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                              "cTransactionAmount,cTransactionDescription,iTransactionType) "
                              "values ('%s','%s','%s',%f,'%s',%d)",
                              SqlQuote(QString::fromLatin1(r.unit)), QString::fromLatin1(r.date),
                              SqlQuote(QString::fromLatin1(r.name)), r.amount,
                              SqlQuote(QString::fromLatin1(r.description)), r.type));
        }
    }
};

CReportSample &Sample()
{
    static CReportSample sample;
    return sample;
}

QWidget *Sized(QWidget *widget)
{
    if (widget->layout())
        widget->layout()->activate();
    widget->adjustSize();
    return widget;
}

// A view sized to the whole report, so the picture shows every cell.
QWidget *ReportView(const std::function<void(CTallywickView &)> &fill)
{
    auto *view = new CTallywickView(Sample().data);
    view->resize(900, 700);
    view->OnInitialUpdate();
    fill(*view);
    CGridCtrl *grid = view->GetGrid();
    view->resize(grid->GetVirtualWidth() + 24, std::min(grid->GetVirtualHeight() + 24, 1400));
    return view;
}

// The view the dialogs would fill; they are only pictured.
CTallywickView &SpareView()
{
    static CTallywickView *view = new CTallywickView(Sample().data);
    return *view;
}

const QDate kFrom(2026, 4, 1);
const QDate kTo(2026, 4, 30);

template<typename W>
W *Find(QWidget *dialog, int id)
{
    return dialog->findChild<W *>(QString::number(id));
}

const GalleryRegistration periodDlg("reports-period-dialog", [] {
    auto *dlg = new CReportInfoDlg(Sample().data, SpareView(), 2);
    dlg->SetDates(kFrom, kTo);
    return Sized(dlg);
});

const GalleryRegistration dailyDlg("reports-daily-dialog", [] {
    auto *dlg = new CReportInfoDlg(Sample().data, SpareView(), 0);
    dlg->SetDates(kFrom, kFrom);
    return Sized(dlg);
});

const GalleryRegistration monthlyDlg("reports-monthly-dialog", [] {
    auto *dlg = new CReportInfoDlg(Sample().data, SpareView(), 1);
    dlg->SetDates(kFrom, kFrom);
    return Sized(dlg);
});

const GalleryRegistration moreDlg("reports-moreoptions-dialog", [] {
    auto *dlg = new CMoreReportOptionsDlg(Sample().data);
    Find<QCheckBox>(dlg, 1066)->click();
    Find<QListWidget>(dlg, 1050)->item(0)->setSelected(true);
    return Sized(dlg);
});

const GalleryRegistration advancedDlg("reports-advanced-dialog", [] {
    auto *dlg = new CAdvancedReportDlg(Sample().data, SpareView());
    dlg->SetDates(kFrom, kTo);
    Find<QCheckBox>(dlg, 1135)->click();
    Find<QCheckBox>(dlg, 1137)->click();
    Find<QListWidget>(dlg, 1138)->item(0)->setSelected(true);
    Find<QRadioButton>(dlg, 1131)->click();
    Find<QLineEdit>(dlg, 1117)->setText(QStringLiteral("saturday"));
    return Sized(dlg);
});

const GalleryRegistration listDlg("reports-list-dialog", [] {
    auto *dlg = new CListReportDlg(Sample().data, SpareView(), 2);
    Find<QDateEdit>(dlg, 1033)->setDate(kFrom);
    Find<QDateEdit>(dlg, 1027)->setDate(kTo);
    Find<QCheckBox>(dlg, 1035)->click();
    Find<QListWidget>(dlg, 1036)->item(0)->setSelected(true);
    Find<QCheckBox>(dlg, 1086)->click();
    return Sized(dlg);
});

const GalleryRegistration periodReport("reports-period", [] {
    return ReportView([](CTallywickView &view) {
        view.ShowReport(PeriodReport(Sample().data, PeriodRequest{2, kFrom, kTo, nullptr}));
    });
});

const GalleryRegistration monthlyReport("reports-monthly-more-options", [] {
    return ReportView([](CTallywickView &view) {
        MoreReportOptions options;
        options.unit = QStringLiteral("High Street");
        options.incomeNames = {QStringLiteral("Bouquets"), QStringLiteral("Weddings")};
        options.allExpenses = true;
        options.expenseNames = {QStringLiteral("Rent"), QStringLiteral("Wholesale Flowers"),
                                QStringLiteral("Van Fuel"), QStringLiteral("Florist's Wages")};
        view.ShowReport(PeriodReport(Sample().data, PeriodRequest{1, QDate(2026, 4, 9), {}, &options}));
    });
});

const GalleryRegistration advancedReport("reports-advanced", [] {
    return ReportView([](CTallywickView &view) {
        AdvancedQueryInput input;
        input.from = kFrom;
        input.to = kTo;
        input.units = Sample().data.company.units;
        input.incomeNames = {QStringLiteral("Bouquets"), QStringLiteral("Weddings"), QStringLiteral("Workshops")};
        input.expenseNames = {QStringLiteral("Rent"), QStringLiteral("Wholesale Flowers"), QStringLiteral("Van Fuel"),
                              QStringLiteral("Florist's Wages")};
        ShowAdvancedReport(view, *AdvancedReport(Sample().data, input));
    });
});

const GalleryRegistration listReport("reports-list-expenses", [] {
    return ReportView([](CTallywickView &view) {
        ListQueryInput input;
        input.type = 2;
        input.from = kFrom;
        input.to = kTo;
        input.allCategories = true;
        input.allUnits = true;
        input.sortByDate = true;
        view.ShowReport(ListReport(Sample().data, input, BuildListQuery(input).sql));
    });
});

} // namespace
