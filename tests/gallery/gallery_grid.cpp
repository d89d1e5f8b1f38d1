// The report grid as a person sees it: empty with its picture, holding a
// report, holding a query result, and printed.
#include "gallery.h"

#include "controls/gridctrl.h"
#include "data/tallywickdata.h"
#include "reports/listreport.h"
#include "reports/periodreport.h"
#include "reports/reportqueries.h"
#include "reports/tallywickview.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>

namespace {

// The sample's April, and its long February of flour orders.
ReportLayout SampleReport()
{
    return PeriodReport(SampleData(), PeriodRequest{2, QDate(2026, 4, 1), QDate(2026, 4, 30), nullptr});
}

ReportLayout LongReport()
{
    ListQueryInput input;
    input.type = 2;
    input.from = QDate(2026, 2, 1);
    input.to = QDate(2026, 2, 28);
    input.allCategories = true;
    input.allUnits = true;
    input.sortByDate = true;
    return ListReport(SampleData(), input, BuildListQuery(input).sql);
}

// A main window around the view, so printing finds a window title.
QMainWindow *GridWindow(const ReportLayout *layout)
{
    QMainWindow *window = ReportWindow(QStringLiteral("Tallywick + - Specified Period Report"));
    if (layout)
        ViewOf(window)->ShowReport(*layout);
    // Let the scroll bars settle as they would on screen.
    QApplication::processEvents();
    return window;
}

GalleryRegistration empty("grid-empty", [] { return static_cast<QWidget *>(GridWindow(nullptr)); });

GalleryRegistration report("grid-report", [] {
    const ReportLayout layout = SampleReport();
    return static_cast<QWidget *>(GridWindow(&layout));
});

GalleryRegistration query("grid-query-result", [] {
    QMainWindow *window = GridWindow(nullptr);
    QString sql = QStringLiteral("SELECT 'Sales' AS cTransactionName, 1250.5 AS Amount, "
                                 "'A rather long description that does not fit' AS cTransactionDescription");
    for (int i = 1; i < 40; ++i)
        sql += QStringLiteral(" UNION ALL SELECT 'Fuel', %1, 'Van %2'").arg(10.25 * i).arg(i);
    ViewOf(window)->ShowQueryResult(sql);
    // A narrow last column shows the ellipsis of query cells.
    ViewOf(window)->GetGrid()->SetColumnWidth(3, 160);
    QApplication::processEvents();
    return static_cast<QWidget *>(window);
});

GalleryRegistration printed("grid-printed", std::function<void(const QString &)>([](const QString &folder) {
    const ReportLayout layout = LongReport();
    std::unique_ptr<QMainWindow> window(GridWindow(&layout));
    PrintPages(*ViewOf(window.get()), folder, QStringLiteral("grid-printed"));
}));

// Direct print: no dialog, every page on the printer as Print Setup left it.
GalleryRegistration printedDirect("grid-printed-direct", std::function<void(const QString &)>([](const QString &folder) {
    const ReportLayout layout = LongReport();
    std::unique_ptr<QMainWindow> window(GridWindow(&layout));
    CTallywickView &view = *ViewOf(window.get());
    const QString pdf = QDir(folder).filePath(QStringLiteral("grid-printed-direct.pdf"));
    view.Printer().setOutputFormat(QPrinter::PdfFormat);
    view.Printer().setOutputFileName(pdf);
    view.Printer().setPageSize(QPageSize(QPageSize::A4));
    view.OnFilePrintDirect();
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), pdf,
                                                   QDir(folder).filePath(QStringLiteral("grid-printed-direct"))});
}));

GalleryRegistration preview("grid-print-preview", [] {
    const ReportLayout layout = LongReport();
    QMainWindow *window = GridWindow(&layout);
    auto *printer = new QPrinter(QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    auto *widget = new QPrintPreviewWidget(printer);
    widget->setParent(window, Qt::Window);
    QObject::connect(widget, &QPrintPreviewWidget::paintRequested,
                     [window](QPrinter *p) { ViewOf(window)->PrintTo(*p, true); });
    widget->resize(1000, 700);
    widget->setViewMode(QPrintPreviewWidget::AllPagesView);
    widget->fitInView();
    widget->updatePreview();
    return static_cast<QWidget *>(widget);
});

} // namespace
