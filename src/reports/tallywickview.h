#pragma once

#include "base/colorref.h"
#include "reports/reportlayout.h"

#include <QImage>
#include <QWidget>

#include <memory>

class CChartPanel;
struct ChartRequest;
struct ChartSeries;
struct ChartTexts;
struct ListQueryInput;
class CGridCtrl;
class CTallywickData;
class QPainter;
class QPrinter;
class QPushButton;
struct CPrintInfo;

// What one print run came to.
struct CPrintRun {
    enum Outcome {
        Printed,
        NoGrid,
        // The printer, or the file it writes to, would not start the job.
        NotStarted,
        // The chosen page range holds none of the report's pages.
        EmptyRange,
        // The printer stopped during the job.
        Failed,
    };
    Outcome outcome = NoGrid;
    int pages = 0; // pages printed
};

// The report view, the main window's central widget: one grid covering it,
// which every report clears and fills. Printing and preview go through the
// grid.
class CTallywickView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kGridId = 100;
    static constexpr unsigned kGridStyle = 0x50810000u;
    static constexpr int kClearScreenCommand = 32809;
    // Built-in pictures: one for displays of 8 bits or fewer, one for more.
    static constexpr int kPicturePalette = 136;
    static constexpr int kPictureTrueColour = 155;
    static inline const QString kBannerFile = QStringLiteral("TWKBanner.bmp");
    static inline const QString kNoMatches = QStringLiteral("No Matches Found");

    explicit CTallywickView(CTallywickData &data, QWidget *parent = nullptr);
    ~CTallywickView() override;

    // Creates the grid, once: id 100, read-only, the user's background
    // colour, the banner or a built-in picture, the logo as image 0.
    void OnInitialUpdate();
    CGridCtrl *GetGrid() const { return m_grid; }
    // The grid of the live view, for the automation object model; nullptr
    // while no view has a grid.
    static CGridCtrl *ReportGrid();

    // Replaces the grid's content by the layout and sizes it to fit.
    void ShowReport(const ReportLayout &layout);
    // Empties the grid, which brings the background picture back.
    void OnClearScreen();
    // Shows any query's result as a table with the field names as headings;
    // the statement runs once. False when it showed nothing: no rows ("No
    // Matches Found", the grid keeps its content) or a failure (reported),
    // among them a result past the bound of CGridBound. With `untold`
    // nothing is told: it receives the failure's text, and stays empty when
    // there were no rows.
    bool ShowQueryResult(const QString &sql, QString *untold = nullptr);

    // Shows a chart in place of the grid until the next report or Clear
    // Screen; a click on a bar or slice lists its transactions, and that
    // list leads back to the chart (its button, or Backspace in the grid).
    void ShowChart(const ChartRequest &request, ChartSeries series, ChartTexts texts);
    void CloseChart();
    CChartPanel *Chart() const { return m_chart; }
    // The list of a clicked bar or slice is showing: the chart can come back.
    bool CanGoBackToChart() const { return m_backTo != nullptr; }
    void BackToChart();
    // Export Report: the chart as a picture, PDF or its figures while one is
    // showing, else the grid as text or CSV.
    void OnFileExport();

    // The background colour preference changed.
    void SetBackgroundColour(COLORREF colour);
    // The logo path changed: load it again as image 0.
    void ReloadLogo();
    // Depth of the display used to pick the built-in picture; the screen's
    // when not set.
    void SetDisplayDepth(int bitsPerPixel) { m_displayDepth = bitsPerPixel; }

    // The print steps, forwarded to the grid; nothing without a grid.
    void OnBeginPrinting(QPainter *painter, CPrintInfo *info);
    void OnPrint(QPainter *painter, CPrintInfo *info);
    void OnEndPrinting(QPainter *painter, CPrintInfo *info);
    // Prints the printer's page range (every page when it has none). A run
    // that prints nothing, or stops, is told to the user.
    CPrintRun PrintTo(QPrinter &printer, bool preview = false);
    // The view's one printer: what Print Setup chooses, Print and Print
    // Preview use.
    QPrinter &Printer();
    // The print dialog, then printing; preview in a print preview window;
    // the printer setup dialog. All through the print seam.
    void OnFilePrint();
    // Print without the dialog: every page on the printer as it stands.
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ChooseBackgroundPicture();
    static QImage LogoWithMask(const QImage &logo);
    void TellPrintFailure(const CPrintRun &run, const QPrinter &printer, int pageCount);
    void ListTransactions(const ListQueryInput &input);
    void PlaceBackButton();

    // The chart a drill-down list came from.
    struct ChartShown;
    std::unique_ptr<ChartShown> m_backTo;
    QPushButton *m_backButton = nullptr;

    CTallywickData &m_data;
    CGridCtrl *m_grid = nullptr;
    CChartPanel *m_chart = nullptr;
    int m_displayDepth = 0;
    std::unique_ptr<QPrinter> m_printer;
};
