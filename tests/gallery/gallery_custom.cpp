// The custom report dialog and a custom report in the main window.
#include "gallery.h"

#include "controls/gridctrl.h"
#include "data/tallywickdata.h"
#include "reports/customreportdlg.h"
#include "reports/customreportwriter.h"
#include "reports/tallywickview.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>

#include <memory>

namespace {

QWidget *Dialog(bool editing)
{
    auto *dlg = new CCustomReportDlg(SampleData(), nullptr);
    Child<QDateEdit>(dlg, 1033)->setDate(QDate(2026, 1, 1));
    Child<QDateEdit>(dlg, 1027)->setDate(QDate(2026, 1, 31));
    if (editing) {
        dlg->ShowEditing(true);
        dlg->OnEditReport();
        Child<QLineEdit>(dlg, 1148)->setText(QStringLiteral("Extras"));
        Child<QListWidget>(dlg, 1149)->item(0)->setSelected(true);
        Child<QCheckBox>(dlg, 1165)->setChecked(true);
    }
    return Sized(dlg);
}

QMainWindow *CustomWindow()
{
    QMainWindow *window = ReportWindow(QStringLiteral("Tallywick + "));
    window->resize(900, 700);
    CTallywickData &data = SampleData();
    const CustomReportPeriod period{QDate(2026, 1, 1), QDate(2026, 1, 31), QStringLiteral("01/Jan/2026"),
                                    QStringLiteral("31/Jan/2026")};
    CGridCtrl &grid = *ViewOf(window)->GetGrid();
    CCustomReportWriter(data.connection, data.company, data.settings)
        .Write(grid.Model(), LoadCustomReports(data.connection).first(), period, data.company.units);
    FinishDirectReport(grid);
    QApplication::processEvents();
    return window;
}

const GalleryRegistration dialog("custom-dialog", [] { return Dialog(false); });
const GalleryRegistration dialogEditing("custom-dialog-editing", [] { return Dialog(true); });
const GalleryRegistration report("custom-report", [] { return static_cast<QWidget *>(CustomWindow()); });

const GalleryRegistration printed("custom-report-printed", std::function<void(const QString &)>([](const QString &out) {
    std::unique_ptr<QMainWindow> window(CustomWindow());
    PrintPages(*ViewOf(window.get()), out, QStringLiteral("custom-report-printed"));
}));

} // namespace
