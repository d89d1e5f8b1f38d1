// The report grid as a person sees it: empty with its picture, holding a
// report, holding a query result, and printed.
#include "gallery.h"

#include "base/amounttext.h"
#include "controls/gridctrl.h"
#include "data/tallywickdata.h"
#include "reports/reportbuilder.h"
#include "reports/reportformat.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QSize kWindow(900, 600);

CTallywickData &SampleData()
{
    static CTallywickData data;
    static bool ready = false;
    if (!ready) {
        ready = true;
        data.settings.backgroundColour = 0x4B4B4B;
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.iPrintEMail = data.settings.iPrintPhNo = data.settings.iPrintFaxNo = 1;
        data.settings.iPrintLogo = 1;
        data.company.cName = QStringLiteral("Norwend Stores");
        data.company.cEmail = QStringLiteral("accounts@norwend.example");
        data.company.cPhoneNo = QStringLiteral("555-0100");
        data.company.cFaxNo = QStringLiteral("555-0199");
        static QTemporaryDir dir;
        QImage logo(96, 48, QImage::Format_RGB32);
        logo.fill(QColor(0x2e, 0x5e, 0x8e));
        QPainter p(&logo);
        p.setPen(Qt::white);
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(22);
        f.setBold(true);
        p.setFont(f);
        p.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("NWS"));
        p.end();
        data.company.cLogoPath = dir.filePath(QStringLiteral("logo.bmp"));
        logo.save(data.company.cLogoPath, "BMP");
    }
    return data;
}

// A period report laid out the way builder-based reports are: header,
// incomes beside expenses, totals, balance, contact lines.
ReportLayout SampleReport(int extraRows = 0)
{
    CTallywickData &data = SampleData();
    CReportBuilder b(kPeriodReport, data);
    b.SetUnitLabel(data.company.cName);
    b.SetPeriodLabel(QStringLiteral("From Jan/01/2024 To Mar/31/2024"));
    b.WriteHeader();
    int r = b.CurrentRow();
    b.AddCell(1, r + 2, QStringLiteral("Incomes"));
    b.AddCell(4, r + 2, QStringLiteral("Expenses"));
    const QString heading = AmountHeading(data.settings.cCurrency);
    b.AddCell(1, r + 3, QStringLiteral("Category"));
    b.AddCell(2, r + 3, heading, kAlignRight);
    b.AddCell(4, r + 3, QStringLiteral("Category"));
    b.AddCell(5, r + 3, heading, kAlignRight);
    for (int c : {1, 2, 4, 5})
        b.AddCell(c, r + 4, kRulePeriodSection, c == 2 || c == 5 ? kAlignRight : kAlignLeft);
    r += 5;
    const std::pair<const char *, double> incomes[] = {{"Sales", 18250.40}, {"Interest", 112.75}, {"Rent received", 2400}};
    const std::pair<const char *, double> expenses[] = {{"Rent", 3600},        {"Salaries", 9800},
                                                        {"Electricity", 642.18}, {"Stationery", 87.5},
                                                        {"Fuel", 455.2},       {"Bank charges", 36}};
    int incomeRow = r, expenseRow = r;
    for (const auto &[name, amount] : incomes) {
        b.AddCell(1, incomeRow, QString::fromLatin1(name));
        b.AddCell(2, incomeRow++, FormatAmount(amount), kAlignRight);
        b.AddIncome(amount);
    }
    for (const auto &[name, amount] : expenses) {
        b.AddCell(4, expenseRow, QString::fromLatin1(name));
        b.AddCell(5, expenseRow++, FormatAmount(amount), kAlignRight);
        b.AddExpense(amount);
    }
    for (int i = 0; i < extraRows; ++i) {
        b.AddCell(4, expenseRow, QStringLiteral("Supplies, order %1").arg(4100 + i));
        b.AddCell(5, expenseRow++, FormatAmount(12.5 + i * 3.25), kAlignRight);
        b.AddExpense(12.5 + i * 3.25);
    }
    r = std::max(incomeRow, expenseRow);
    for (int c : {1, 2, 4, 5})
        b.AddCell(c, r, kRulePeriodSection, c == 2 || c == 5 ? kAlignRight : kAlignLeft);
    b.AddCell(1, r + 1, QStringLiteral("Total"));
    b.AddCell(2, r + 1, FormatAmount(b.IncomeTotal()), kAlignRight);
    b.AddCell(4, r + 1, QStringLiteral("Total"));
    b.AddCell(5, r + 1, FormatAmount(b.ExpenseTotal()), kAlignRight);
    b.AddCell(2, r + 2, kRulePeriod, kAlignRight);
    b.AddCell(5, r + 2, kRulePeriod, kAlignRight);
    ReportCell balance;
    balance.column = 4;
    balance.row = r + 4;
    balance.text = QStringLiteral("Balance");
    balance.font = ReportBalanceFont();
    b.AddCell(balance);
    balance.column = 5;
    balance.text = FormatAmount(b.IncomeTotal() - b.ExpenseTotal());
    balance.alignment = kAlignRight;
    b.AddCell(balance);
    b.WriteContactFooter(r + 7, kPeriodContact);
    return b.Layout(10);
}

// A main window around the view, so printing finds a window title.
QMainWindow *ReportWindow(const ReportLayout *layout)
{
    auto *window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("Tallywick + - Specified Period Report"));
    auto *view = new CTallywickView(SampleData(), window);
    window->setCentralWidget(view);
    window->resize(kWindow);
    window->show();
    QApplication::processEvents();
    if (layout)
        view->ShowReport(*layout);
    // Let the scroll bars settle as they would on screen.
    QApplication::processEvents();
    return window;
}

CTallywickView *ViewOf(QMainWindow *window)
{
    return static_cast<CTallywickView *>(window->centralWidget());
}

void PrintPages(const QString &folder, const QString &name, QMainWindow *window)
{
    const QString pdf = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    ViewOf(window)->PrintTo(printer);
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), pdf,
                       QDir(folder).filePath(name)});
}

GalleryRegistration empty("grid-empty", [] { return static_cast<QWidget *>(ReportWindow(nullptr)); });

GalleryRegistration report("grid-report", [] {
    const ReportLayout layout = SampleReport();
    return static_cast<QWidget *>(ReportWindow(&layout));
});

GalleryRegistration query("grid-query-result", [] {
    static CTestDatabase db;
    CTallywickData &data = SampleData();
    if (!data.connection.IsOpen())
        data.connection.Open(db.ConnectionString(), QStringLiteral("vorel"), QStringLiteral("qorvanti"));
    QMainWindow *window = ReportWindow(nullptr);
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
    const ReportLayout layout = SampleReport(70);
    std::unique_ptr<QMainWindow> window(ReportWindow(&layout));
    PrintPages(folder, QStringLiteral("grid-printed"), window.get());
}));

GalleryRegistration preview("grid-print-preview", [] {
    const ReportLayout layout = SampleReport(70);
    QMainWindow *window = ReportWindow(&layout);
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
