#include "reports/tallywickview.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "controls/gridbound.h"
#include "controls/gridctrl.h"
#include "controls/printseam.h"
#include "data/dbrecordset.h"
#include "data/tallywickdata.h"
#include "reports/chartpanel.h"
#include "reports/listreport.h"
#include "reports/reportexport.h"
#include "reports/reportfailure.h"
#include "reports/reportformat.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <new>

namespace {

CGridCtrl *g_reportGrid = nullptr;

// Holds repaints back while many cells change, then repaints once.
class CRedrawPause
{
public:
    explicit CRedrawPause(CGridCtrl &grid)
        : m_grid(grid)
    {
        m_grid.SetRedraw(false);
    }
    ~CRedrawPause() { m_grid.SetRedraw(true); }
    CRedrawPause(const CRedrawPause &) = delete;
    CRedrawPause &operator=(const CRedrawPause &) = delete;

private:
    CGridCtrl &m_grid;
};

QString FieldText(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

// A page range belongs to one job; the next one starts from all pages again.
void AllPages(QPrinter &printer)
{
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
}

} // namespace

struct CTallywickView::ChartShown {
    ChartRequest request;
    ChartSeries series;
    ChartTexts texts;
};

CTallywickView::CTallywickView(CTallywickData &data, QWidget *parent)
    : QWidget(parent)
    , m_data(data)
{
}

CTallywickView::~CTallywickView()
{
    if (m_grid) {
        m_grid->DeleteAllItems();
        if (g_reportGrid == m_grid)
            g_reportGrid = nullptr;
    }
}

CGridCtrl *CTallywickView::ReportGrid()
{
    return g_reportGrid;
}

void CTallywickView::OnInitialUpdate()
{
    if (m_grid)
        return;
    m_grid = new CGridCtrl(this);
    m_grid->Create(rect(), this, kGridId, kGridStyle);
    g_reportGrid = m_grid;
    // Whatever fills the grid (an add-in, a bus client) shows it: a chart
    // left over it would hide the report and be what Export writes.
    connect(m_grid, &CGridCtrl::contentChanged, this, [this] { CloseChart(); });
    m_grid->SetEditable(false);
    m_grid->SetRowCount(0);
    m_grid->SetColumnCount(0);
    m_grid->SetFixedRowCount(0);
    m_grid->SetFixedColumnCount(0);
    m_grid->SetGridBkColor(m_data.settings.backgroundColour);
    ChooseBackgroundPicture();
    ReloadLogo();
    m_grid->installEventFilter(this);
    m_backButton = new QPushButton(QStringLiteral("Back to Chart"), this);
    m_backButton->setObjectName(QStringLiteral("backToChart"));
    m_backButton->setToolTip(QStringLiteral("Show the chart again (Backspace)"));
    m_backButton->setFocusPolicy(Qt::NoFocus);
    m_backButton->hide();
    connect(m_backButton, &QPushButton::clicked, this, &CTallywickView::BackToChart);
}

void CTallywickView::ChooseBackgroundPicture()
{
    const QImage banner(m_data.ProgramFile(kBannerFile));
    if (!banner.isNull()) {
        m_grid->SetBkPicture(banner);
        return;
    }
    int depth = m_displayDepth;
    if (depth <= 0 && QGuiApplication::primaryScreen())
        depth = QGuiApplication::primaryScreen()->depth();
    m_grid->SetBkPictureId(depth > 0 && depth <= 8 ? kPicturePalette : kPictureTrueColour);
}

QImage CTallywickView::LogoWithMask(const QImage &logo)
{
    // Black is the mask colour: black pixels let the cell show through.
    QImage masked = logo.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == 0)
                line[x] = 0;
        }
    }
    return masked;
}

void CTallywickView::ReloadLogo()
{
    if (!m_grid)
        return;
    const QString path = m_data.company.cLogoPath;
    const QImage logo = path.isEmpty() ? QImage() : QImage(path);
    m_grid->SetImageList(logo.isNull() ? QList<QImage>() : QList<QImage>{LogoWithMask(logo)});
}

void CTallywickView::SetBackgroundColour(COLORREF colour)
{
    if (m_grid)
        m_grid->SetGridBkColor(colour);
    // A chart takes colours that read on the new background.
    if (m_chart) {
        const ChartRequest request = m_chart->Request();
        ShowChart(request, m_chart->Series(), m_chart->Texts());
    }
}

void CTallywickView::ShowChart(const ChartRequest &request, ChartSeries series, ChartTexts texts)
{
    OnInitialUpdate();
    CloseChart();
    m_chart = new CChartPanel(request, std::move(series), std::move(texts),
                              QColorFromColorRef(m_data.settings.backgroundColour), this);
    m_chart->setGeometry(rect());
    connect(m_chart, &CChartPanel::TransactionsWanted, this, &CTallywickView::ListTransactions);
    m_grid->hide();
    m_chart->show();
}

void CTallywickView::ListTransactions(const ListQueryInput &input)
{
    const ListQuery query = BuildListQuery(input);
    if (query.code != kListReady || !m_chart)
        return;
    auto shown = std::make_unique<ChartShown>(ChartShown{m_chart->Request(), m_chart->Series(), m_chart->Texts()});
    RunReportStep([&] { ShowReport(ListReport(m_data, input, query.sql)); });
    // A failed list leaves the chart showing; a shown one leads back to it.
    if (m_chart)
        return;
    m_backTo = std::move(shown);
    PlaceBackButton();
    m_backButton->show();
    m_backButton->raise();
    m_grid->setFocus();
}

void CTallywickView::BackToChart()
{
    if (!m_backTo)
        return;
    const std::unique_ptr<ChartShown> shown = std::move(m_backTo);
    ShowChart(shown->request, shown->series, shown->texts);
}

void CTallywickView::PlaceBackButton()
{
    if (!m_backButton)
        return;
    m_backButton->adjustSize();
    const int margin = 8;
    int right = width() - margin;
    // Clear of the grid's vertical scroll bar, which a long list brings.
    right -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_backButton->move(qMax(margin, right - m_backButton->width()), margin);
}

void CTallywickView::CloseChart()
{
    // Whatever replaces the chart or its list ends the way back.
    m_backTo.reset();
    if (m_backButton)
        m_backButton->hide();
    if (!m_chart)
        return;
    // Later: the chart may be closing from its own click.
    m_chart->hide();
    m_chart->deleteLater();
    m_chart = nullptr;
    m_grid->show();
}

void CTallywickView::OnFileExport()
{
    OnInitialUpdate();
    if (!m_chart) {
        ReportExport::Run(m_grid->Model(), this);
        return;
    }
    FileDialogRequest request;
    request.filter = QStringLiteral("PNG Picture (*.png)|*.png|SVG Drawing (*.svg)|*.svg|PDF File (*.pdf)|*.pdf|"
                                    "CSV File (*.csv)|*.csv||");
    request.fileName = QStringLiteral("TWK-Chart");
    request.defaultExtension = QStringLiteral("png");
    const QString path = ReportExport::ChooseExportPath(request, this);
    if (path.isEmpty())
        return;
    // As large as it shows, but never smaller than a readable page.
    const QSize size = m_chart->size().expandedTo(QSize(800, 560));
    const QString error = WriteChartFile(m_chart->Series(), m_chart->Texts(), size, path);
    if (!error.isEmpty())
        TwkMessageBox(error, QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, this);
}

void CTallywickView::ShowReport(const ReportLayout &layout)
{
    OnInitialUpdate();
    CloseChart();
    const CWaitCursor wait;
    {
        const CRedrawPause pause(*m_grid);
        m_grid->DeleteAllItems();
        FillReportGrid(m_grid->Model(), layout);
        m_grid->SetGridLines(GVL_NONE);
        m_grid->AutoSize();
    }
    m_grid->EnableSelection(false);
    m_grid->SetFixedRowSelection(false);
    m_grid->SetFixedColumnSelection(false);
    m_grid->SetRowResize(false);
    m_grid->SetColumnResize(false);
}

void CTallywickView::OnClearScreen()
{
    if (!m_grid)
        return;
    CloseChart();
    m_grid->DeleteAllItems();
    m_grid->viewport()->update();
}

bool CTallywickView::ShowQueryResult(const QString &sql, QString *untold)
{
    OnInitialUpdate();
    const CWaitCursor wait;
    bool shown = false;
    // The statement runs once, whatever it does: it may change data.
    const auto step = [&] {
        CDbRecordset records(m_data.connection);
        records.OpenText(sql);
        if (records.IsEOF()) {
            if (!untold)
                TwkMessageBox(kNoMatches);
            return;
        }
        const QStringList fields = records.ColumnNames();
        const int count = int(records.GetRecordCount());
        const QString refusal = CGridBound::Refusal(qint64(count) + 1, fields.size() + 1);
        if (!refusal.isEmpty())
            throw CFrameworkException(refusal);
        CloseChart();
        const CRedrawPause pause(*m_grid);
        CGridCellModel &grid = m_grid->Model();
        m_grid->DeleteAllItems();
        if (!m_grid->SetRowCount(count + 1) || !m_grid->SetColumnCount(int(fields.size()) + 1))
            throw std::bad_alloc();
        m_grid->SetFixedRowCount(1);
        m_grid->SetFixedColumnCount(1);
        grid.SetItemText(0, 0, kCornerText);
        grid.SetItemFormat(0, 0, kReportLeft);
        for (int c = 0; c < fields.size(); ++c) {
            grid.SetItemText(0, c + 1, fields[c]);
            grid.SetItemFormat(0, c + 1, kReportLeft);
        }
        records.MoveFirst();
        for (int r = 0; !records.IsEOF(); ++r, records.MoveNext()) {
            for (int c = 0; c < fields.size(); ++c) {
                grid.SetItemText(r + 1, c + 1, FieldText(records.GetValue(c)));
                grid.SetItemFormat(r + 1, c + 1, kQueryValue);
            }
        }
        m_grid->AutoSize();
        shown = true;
    };
    if (!untold) {
        RunReportStep(step);
        return shown;
    }
    untold->clear();
    try {
        step();
    } catch (const CDbError &error) {
        *untold = error.Description();
    } catch (const CFrameworkException &error) {
        *untold = error.Message();
    } catch (const std::bad_alloc &) {
        *untold = QStringLiteral("Out of memory.");
    } catch (...) {
        *untold = LoadString(StringId::SomeErrorOccured);
    }
    return shown;
}

void CTallywickView::OnBeginPrinting(QPainter *painter, CPrintInfo *info)
{
    if (m_grid)
        m_grid->OnBeginPrinting(painter, info);
}

void CTallywickView::OnPrint(QPainter *painter, CPrintInfo *info)
{
    if (m_grid)
        m_grid->OnPrint(painter, info);
}

void CTallywickView::OnEndPrinting(QPainter *painter, CPrintInfo *info)
{
    if (m_grid)
        m_grid->OnEndPrinting(painter, info);
}

CPrintRun CTallywickView::PrintTo(QPrinter &printer, bool preview)
{
    CPrintRun run;
    if (!m_grid)
        return run;
    if (m_chart) {
        // A chart fills one page.
        QPainter painter;
        if (!PrintSeam().StartPrinting(painter, printer)) {
            run.outcome = CPrintRun::NotStarted;
            TellPrintFailure(run, printer, 1);
            return run;
        }
        const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
        PaintChartPage(m_chart->Series(), m_chart->Texts(), painter, page);
        run.outcome = painter.end() ? CPrintRun::Printed : CPrintRun::Failed;
        run.pages = 1;
        if (run.outcome == CPrintRun::Failed)
            TellPrintFailure(run, printer, 1);
        return run;
    }
    const int pageCount = m_grid->PrintPageCount(&printer);
    int first = 1;
    int last = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = qMin(pageCount, printer.toPage() > 0 ? printer.toPage() : pageCount);
    }
    // Checked before the job starts, so no blank sheet comes out.
    if (first > last) {
        run.outcome = CPrintRun::EmptyRange;
        TellPrintFailure(run, printer, pageCount);
        return run;
    }
    QPainter painter;
    if (!PrintSeam().StartPrinting(painter, printer)) {
        run.outcome = CPrintRun::NotStarted;
        TellPrintFailure(run, printer, pageCount);
        return run;
    }
    CPrintInfo info;
    info.m_bPreview = preview;
    OnBeginPrinting(&painter, &info);
    last = qMin(last, info.GetMaxPage());
    run.outcome = CPrintRun::Printed;
    for (int page = first; page <= last; ++page) {
        if (run.pages > 0 && !printer.newPage()) {
            run.outcome = CPrintRun::Failed;
            break;
        }
        info.m_nCurPage = page;
        OnPrint(&painter, &info);
        ++run.pages;
    }
    OnEndPrinting(&painter, &info);
    if (!painter.end())
        run.outcome = CPrintRun::Failed;
    if (run.outcome == CPrintRun::Failed)
        TellPrintFailure(run, printer, last - first + 1);
    return run;
}

void CTallywickView::TellPrintFailure(const CPrintRun &run, const QPrinter &printer, int pageCount)
{
    const QString pages = pageCount == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pageCount);
    QString text;
    switch (run.outcome) {
    case CPrintRun::EmptyRange:
        text = QStringLiteral("There is nothing to print in pages %1 to %2: the report has %3.")
                   .arg(printer.fromPage())
                   .arg(printer.toPage())
                   .arg(pages);
        break;
    case CPrintRun::NotStarted:
        if (!printer.outputFileName().isEmpty())
            text = QStringLiteral("The report could not be printed to the file \"%1\". Check that its folder exists "
                                  "and that you may write there.")
                       .arg(printer.outputFileName());
        else
            text = QStringLiteral("The printer %1could not be started. Check that it is switched on and "
                                  "connected, or choose another printer in Print Setup.")
                       .arg(printer.printerName().isEmpty() ? QString() : u'"' + printer.printerName() + "\" ");
        break;
    case CPrintRun::Failed:
        text = QStringLiteral("The printer reported an error after %1 of %2; the printout may be incomplete.")
                   .arg(run.pages)
                   .arg(pages);
        break;
    case CPrintRun::Printed:
    case CPrintRun::NoGrid:
        return;
    }
    TwkMessageBox(text, QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, this);
}

QPrinter &CTallywickView::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CTallywickView::OnFilePrint()
{
    if (!m_grid)
        return;
    QPrinter &printer = Printer();
    AllPages(printer);
    const int pages = m_chart ? 1 : qMax(1, m_grid->PrintPageCount(&printer));
    if (PrintSeam().PrintDialog(this, printer, 1, pages))
        PrintTo(printer);
}

void CTallywickView::OnFilePrintDirect()
{
    if (!m_grid)
        return;
    QPrinter &printer = Printer();
    AllPages(printer);
    PrintTo(printer);
}

void CTallywickView::OnFilePrintPreview()
{
    if (!m_grid)
        return;
    QPrinter &printer = Printer();
    AllPages(printer);
    PrintSeam().PrintPreview(this, printer, [this](QPrinter &p) { PrintTo(p, true); });
}

void CTallywickView::OnFilePrintSetup()
{
    PrintSeam().PrintSetupDialog(this, Printer());
}

bool CTallywickView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && m_backTo) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
            BackToChart();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CTallywickView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    OnInitialUpdate();
}

void CTallywickView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_grid)
        m_grid->setGeometry(rect());
    if (m_chart)
        m_chart->setGeometry(rect());
    PlaceBackButton();
}
