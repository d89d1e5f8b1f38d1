// The period, advanced and list report dialogs, and each report in the view.
#include "gallery.h"

#include "controls/gridctrl.h"
#include "data/tallywickdata.h"
#include "reports/advancedreport.h"
#include "reports/advancedreportdlg.h"
#include "reports/listreport.h"
#include "reports/listreportdlg.h"
#include "reports/moreoptionsdlg.h"
#include "reports/periodreport.h"
#include "reports/reportinfodlg.h"
#include "reports/tallywickview.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <utility>

namespace {

// A view sized to the whole report, so the picture shows every cell.
QWidget *ReportView(const std::function<void(CTallywickView &)> &fill)
{
    auto *view = new CTallywickView(SampleData());
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
    static CTallywickView *view = new CTallywickView(SampleData());
    return *view;
}

const QDate kFrom(2026, 4, 1);
const QDate kTo(2026, 4, 30);

const GalleryRegistration periodDlg("reports-period-dialog", [] {
    auto *dlg = new CReportInfoDlg(SampleData(), SpareView(), 2);
    dlg->SetDates(kFrom, kTo);
    return Sized(dlg);
});

const GalleryRegistration dailyDlg("reports-daily-dialog", [] {
    auto *dlg = new CReportInfoDlg(SampleData(), SpareView(), 0);
    dlg->SetDates(kFrom, kFrom);
    return Sized(dlg);
});

const GalleryRegistration monthlyDlg("reports-monthly-dialog", [] {
    auto *dlg = new CReportInfoDlg(SampleData(), SpareView(), 1);
    dlg->SetDates(kFrom, kFrom);
    return Sized(dlg);
});

const GalleryRegistration moreDlg("reports-moreoptions-dialog", [] {
    auto *dlg = new CMoreReportOptionsDlg(SampleData());
    Child<QCheckBox>(dlg, 1066)->click();
    Child<QListWidget>(dlg, 1050)->item(0)->setSelected(true);
    return Sized(dlg);
});

const GalleryRegistration advancedDlg("reports-advanced-dialog", [] {
    auto *dlg = new CAdvancedReportDlg(SampleData(), SpareView());
    dlg->SetDates(kFrom, kTo);
    Child<QCheckBox>(dlg, 1135)->click();
    Child<QCheckBox>(dlg, 1137)->click();
    Child<QListWidget>(dlg, 1138)->item(0)->setSelected(true);
    Child<QRadioButton>(dlg, 1131)->click();
    Child<QLineEdit>(dlg, 1117)->setText(QStringLiteral("saturday"));
    return Sized(dlg);
});

const GalleryRegistration listDlg("reports-list-dialog", [] {
    auto *dlg = new CListReportDlg(SampleData(), SpareView(), 2);
    Child<QDateEdit>(dlg, 1033)->setDate(kFrom);
    Child<QDateEdit>(dlg, 1027)->setDate(kTo);
    Child<QCheckBox>(dlg, 1035)->click();
    Child<QListWidget>(dlg, 1036)->item(0)->setSelected(true);
    Child<QCheckBox>(dlg, 1086)->click();
    return Sized(dlg);
});

const GalleryRegistration periodReport("reports-period", [] {
    return ReportView([](CTallywickView &view) {
        view.ShowReport(PeriodReport(SampleData(), PeriodRequest{2, kFrom, kTo, nullptr}));
    });
});

const GalleryRegistration monthlyReport("reports-monthly-more-options", [] {
    return ReportView([](CTallywickView &view) {
        MoreReportOptions options;
        options.unit = QStringLiteral("Shop");
        options.incomeNames = {QStringLiteral("Sales"), QStringLiteral("Catering")};
        options.allExpenses = true;
        options.expenseNames = {QStringLiteral("Rent"), QStringLiteral("Flour"), QStringLiteral("Wages"),
                                QStringLiteral("Van Fuel"), QStringLiteral("Bank Charges")};
        view.ShowReport(PeriodReport(SampleData(), PeriodRequest{1, QDate(2026, 4, 9), {}, &options}));
    });
});

const GalleryRegistration advancedReport("reports-advanced", [] {
    return ReportView([](CTallywickView &view) {
        AdvancedQueryInput input;
        input.from = kFrom;
        input.to = kTo;
        input.units = SampleData().company.units;
        input.incomeNames = {QStringLiteral("Sales"), QStringLiteral("Catering")};
        input.expenseNames = {QStringLiteral("Rent"), QStringLiteral("Flour"), QStringLiteral("Wages"),
                              QStringLiteral("Van Fuel")};
        ShowAdvancedReport(view, *AdvancedReport(SampleData(), input));
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
        view.ShowReport(ListReport(SampleData(), input, BuildListQuery(input).sql));
    });
});

// One unit, so no unit column; a business without a fax number.
const GalleryRegistration listOneUnit("reports-list-one-unit-no-fax", [] {
    return ReportView([](CTallywickView &view) {
        ListQueryInput input;
        input.type = 2;
        input.from = kFrom;
        input.to = kTo;
        input.allCategories = true;
        input.unit = SampleData().company.units.value(0);
        input.sortByDate = true;
        const QString fax = std::exchange(SampleData().company.cFaxNo, QString());
        view.ShowReport(ListReport(SampleData(), input, BuildListQuery(input).sql));
        SampleData().company.cFaxNo = fax;
    });
});

} // namespace
