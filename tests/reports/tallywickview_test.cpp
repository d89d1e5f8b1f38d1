#include "reports/tallywickview.h"

#include "controls/drawtextflags.h"
#include "controls/gridctrl.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/tallywickdata.h"
#include "reports/reportbuilder.h"
#include "reports/reportformat.h"
#include "support/testdatabase.h"
#include "support/testprintseam.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Runs a test in its own current folder, where the view looks for the banner.
class CCurrentFolder
{
public:
    explicit CCurrentFolder(const QString &folder)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(folder);
    }
    ~CCurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

QImage Solid(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        data.settings.backgroundColour = 0x4B4B4B;
    }
    CGridCtrl &Shown()
    {
        view.resize(640, 480);
        view.show();
        QApplication::processEvents();
        return *view.GetGrid();
    }
    QTemporaryDir dir;
    CCurrentFolder folder{dir.path()};
    CTallywickData data;
    CTallywickView view{data};
};

ReportCell Cell(int column, int row, const QString &text, std::uint8_t alignment = kAlignLeft)
{
    ReportCell cell;
    cell.column = column;
    cell.row = row;
    cell.text = text;
    cell.alignment = alignment;
    return cell;
}

} // namespace

TEST_F(ViewTest, TheGridIsCreatedOnceAndFollowsTheViewsSize)
{
    EXPECT_EQ(view.GetGrid(), nullptr);
    CGridCtrl &grid = Shown();
    EXPECT_EQ(CTallywickView::ReportGrid(), &grid);
    view.OnInitialUpdate();
    EXPECT_EQ(view.GetGrid(), &grid);
    view.resize(800, 300);
    EXPECT_EQ(grid.geometry(), QRect(0, 0, 800, 300));
}

TEST_F(ViewTest, TheBannerFileInTheCurrentFolderIsTheBackgroundPictureElseOneForTheDisplay)
{
    for (const int depth : {8, 24}) {
        CTallywickView plain(data);
        plain.SetDisplayDepth(depth);
        plain.OnInitialUpdate();
        EXPECT_EQ(plain.GetGrid()->Model().GetBkPictureId(),
                  depth == 8 ? CTallywickView::kPicturePalette : CTallywickView::kPictureTrueColour);
        EXPECT_FALSE(plain.GetGrid()->Model().GetBkPicture().isNull());
    }
    ASSERT_TRUE(Solid(50, 30, Qt::green).save(dir.filePath(CTallywickView::kBannerFile), "BMP"));
    CGridCtrl &grid = Shown();
    EXPECT_EQ(grid.Model().GetBkPictureId(), 0);
    EXPECT_EQ(grid.Model().GetBkPicture().size(), QSize(50, 30));
    EXPECT_EQ(grid.Model().GetBkPicture().pixelColor(5, 5), QColor(Qt::green));
}

TEST_F(ViewTest, ALogoThatLoadsBecomesImageZeroWithBlackSeeThrough)
{
    QImage logo = Solid(20, 10, Qt::red);
    logo.setPixelColor(0, 0, Qt::black);
    data.company.cLogoPath = dir.filePath(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(logo.save(data.company.cLogoPath, "BMP"));
    CGridCtrl &grid = Shown();
    ASSERT_EQ(grid.GetImageList().size(), 1);
    const QImage &image = grid.GetImageList()[0];
    EXPECT_EQ(image.size(), QSize(20, 10));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixelColor(1, 0), QColor(Qt::red));

    data.company.cLogoPath = dir.filePath(QStringLiteral("gone.bmp"));
    view.ReloadLogo();
    EXPECT_TRUE(grid.GetImageList().isEmpty());
}

TEST_F(ViewTest, ShowReportAppliesCellsInOrderAndSizesToTheContents)
{
    ReportLayout layout;
    layout.rowCount = 6;
    layout.columnCount = 7;
    layout.cells.push_back(Cell(1, 3, QStringLiteral("first")));
    layout.cells.push_back(Cell(1, 3, QStringLiteral("second"), kAlignRight));
    ReportCell title = Cell(1, 1, QStringLiteral("Unit"));
    title.font = ReportTitleFont();
    layout.cells.push_back(title);
    layout.cells.push_back(Cell(9, 9, QStringLiteral("outside")));
    CGridCtrl &grid = Shown();
    view.ShowReport(layout);

    EXPECT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(grid.GetColumnCount(), 7);
    EXPECT_EQ(grid.GetItemText(3, 1), QStringLiteral("second"));
    EXPECT_EQ(grid.GetCell(3, 1)->GetFormat() & DT_RIGHT, unsigned(DT_RIGHT));
    EXPECT_EQ(*grid.GetCell(1, 1)->GetFont(), ReportTitleFont());
    EXPECT_FALSE(grid.GetCell(3, 1)->HasOwnFont());
    EXPECT_FALSE(grid.IsEditable());
    // Sized to the contents: the title row is taller than a plain one.
    EXPECT_EQ(grid.GetColumnWidth(1),
              qMax(grid.GetCell(1, 1)->GetCellExtent().width(), grid.GetCell(3, 1)->GetCellExtent().width()));
    EXPECT_GT(grid.GetRowHeight(1), grid.GetRowHeight(2));
}

TEST_F(ViewTest, ShowReportPutsTheLogoCellWhereTheBuilderSaysAndReplacesTheLastReport)
{
    data.company.cLogoPath = dir.filePath(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(Solid(60, 40, Qt::blue).save(data.company.cLogoPath, "BMP"));
    data.settings.iPrintLogo = 1;
    CGridCtrl &grid = Shown();
    ReportLayout old;
    old.rowCount = 30;
    old.columnCount = 9;
    old.cells.push_back(Cell(8, 29, QStringLiteral("old")));
    view.ShowReport(old);

    CReportBuilder builder(kPeriodReport, data);
    builder.SetUnitLabel(QStringLiteral("Shop"));
    builder.WriteHeader();
    view.ShowReport(builder.Layout(10));
    EXPECT_EQ(grid.GetRowCount(), 12);
    EXPECT_EQ(grid.GetColumnCount(), 7);
    EXPECT_EQ(grid.GetCell(2, 5)->GetImage(), 0);
    EXPECT_GE(grid.GetRowHeight(2), 40);
    EXPECT_GE(grid.GetColumnWidth(5), 60);
}

TEST_F(ViewTest, PrintStepsWithoutAGridDoNothing)
{
    CPrintInfo info;
    view.OnBeginPrinting(nullptr, &info);
    view.OnPrint(nullptr, &info);
    view.OnEndPrinting(nullptr, &info);
    EXPECT_EQ(view.GetGrid(), nullptr);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFF);
}

namespace {

// The text of each printed page, read back from the PDF.
QStringList PdfPages(const QString &path)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    text.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    pages.removeLast();
    return pages;
}

// A printer whose job breaks down after the first page.
class CBreakingPrinter : public QPrinter
{
public:
    bool newPage() override { return false; }
};

class PrintTest : public ViewTest
{
protected:
    // A shown report of numbered rows; Print Setup, as a person would use
    // it, chooses a landscape PDF file.
    void Report(int rows, const QString &file)
    {
        ReportLayout layout;
        layout.rowCount = rows;
        layout.columnCount = 3;
        for (int r = 1; r < rows; ++r)
            layout.cells.push_back(Cell(1, r, QStringLiteral("row%1x").arg(r)));
        Shown();
        view.ShowReport(layout);
        seam.onPrintSetup = [file](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setPageOrientation(QPageLayout::Landscape);
            return true;
        };
        view.OnFilePrintSetup();
    }
    QString Pdf() const { return dir.filePath(QStringLiteral("report.pdf")); }
    CTestPrintSeam seam;
};

} // namespace

TEST_F(PrintTest, PrintSetupChoicesReachPrintAndPreviewOnTheOnePrinter)
{
    Report(200, Pdf());
    int maxPage = 0;
    seam.onPrintDialog = [&maxPage](QPrinter &printer, int, int max) {
        maxPage = max;
        // A range of one job is gone when the next dialog opens.
        EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        return true;
    };
    view.OnFilePrint();
    ASSERT_GT(maxPage, 2);
    const QStringList printed = PdfPages(Pdf());
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("Page 2 of %1").arg(maxPage))) << qPrintable(printed[0]);
    const QSize paper = view.GetGrid()->PrintLayout().Paper();
    EXPECT_GT(paper.width(), paper.height());

    view.OnFilePrint();
    view.OnFilePrintPreview();
    EXPECT_EQ(PdfPages(Pdf()).size(), maxPage);
    for (const QPrinter *printer : std::as_const(seam.printers))
        EXPECT_EQ(printer, &view.Printer());
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(PrintTest, APrinterOrFileThatWillNotStartIsToldAndNothingPrints)
{
    Report(5, dir.filePath(QStringLiteral("no such folder/report.pdf")));
    seam.onPrintDialog = [](QPrinter &, int, int) { return true; };
    view.OnFilePrint();
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("The report could not be printed to the file \"%1\". Check "
                                                           "that its folder exists and that you may write there.")
                                                .arg(view.Printer().outputFileName())});
    EXPECT_EQ(TestUi().messages.last().style, unsigned(MB_OK | MB_ICONEXCLAMATION));

    view.Printer().setOutputFileName(QString());
    seam.printerStarts = false;
    view.OnFilePrint();
    view.OnFilePrintPreview();
    const QString notStarted = QStringLiteral("The printer could not be started. Check that it is switched on "
                                              "and connected, or choose another printer in Print Setup.");
    EXPECT_EQ(TestUi().Texts().mid(1), (QStringList{notStarted, notStarted}));
}

TEST_F(PrintTest, APageRangeWithNoPagesOfTheReportIsToldBeforeAnySheetComesOut)
{
    Report(5, Pdf());
    // Cancelling the dialog prints nothing and says nothing.
    view.OnFilePrint();
    seam.onPrintDialog = [](QPrinter &printer, int, int) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(50, 60);
        return true;
    };
    view.OnFilePrint();
    const int pages = view.GetGrid()->PrintPageCount(&view.Printer());
    ASSERT_LT(pages, 50);
    const QString pageText = pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages);
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("There is nothing to print in pages 50 to 60: the "
                                                           "report has %1.")
                                                .arg(pageText)});
    EXPECT_FALSE(QFile::exists(Pdf()));
}

TEST_F(PrintTest, APrinterThatBreaksDownMidwaySaysThePrintoutMayBeIncomplete)
{
    Report(200, Pdf());
    CBreakingPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Pdf());
    const CPrintRun run = view.PrintTo(printer);
    EXPECT_EQ(run.outcome, CPrintRun::Failed);
    EXPECT_EQ(run.pages, 1);
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("The printer reported an error after 1 of %1 pages; the "
                                                           "printout may be incomplete.")
                                                .arg(view.GetGrid()->PrintLayout().PageCount())});
}

class QueryResultTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        ReportLayout layout;
        layout.rowCount = 4;
        layout.columnCount = 4;
        layout.cells.push_back(Cell(2, 2, QStringLiteral("earlier report")));
        Shown();
        view.ShowReport(layout);
    }
    CTestDatabase db;
};

TEST_F(QueryResultTest, NoRowsOrAFailingQueryIsToldAndKeepsTheGrid)
{
    EXPECT_FALSE(view.ShowQueryResult(QStringLiteral("SELECT cName FROM LB_COMPANY_INFO_TB WHERE 1 = 0")));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("No Matches Found"));
    EXPECT_FALSE(view.ShowQueryResult(QStringLiteral("SELECT anything FROM nowhere")));
    ASSERT_EQ(TestUi().messages.size(), 2);
    EXPECT_TRUE(TestUi().LastText().contains(QStringLiteral("nowhere"))) << qPrintable(TestUi().LastText());
    EXPECT_EQ(view.GetGrid()->GetItemText(2, 2), QStringLiteral("earlier report"));
}

TEST_F(QueryResultTest, UntoldTheStatementRunsOnceAndAResultPastTheBoundIsRefused)
{
    QString untold = QStringLiteral("stale");
    EXPECT_FALSE(view.ShowQueryResult(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName, "
                                                     "cTransactionDescription, iType) VALUES ('Once', 'x', 2)"),
                                      &untold));
    EXPECT_EQ(untold, QString()) << "no rows";
    EXPECT_TRUE(TestUi().messages.isEmpty());
    CDbRecordset count(data.connection);
    count.OpenText(QStringLiteral("SELECT COUNT(*) AS n FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='Once'"));
    EXPECT_EQ(count.GetLong(QStringLiteral("n")), 1);

    // 700,001 rows by 3 columns, with the headings: past the 2,000,000 cells.
    const QString many = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 700000) "
                                        "SELECT i, i AS j FROM n");
    EXPECT_FALSE(view.ShowQueryResult(many));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("A grid of 700001 rows by 3 columns is too large: the report "
                                                           "grid holds at most 1,000,000 rows, 1,000 columns and "
                                                           "2,000,000 cells.")});
    EXPECT_EQ(view.GetGrid()->GetItemText(2, 2), QStringLiteral("earlier report"));
}

TEST_F(QueryResultTest, RowsBecomeATableWithFieldNamesAsHeadings)
{
    ASSERT_TRUE(view.ShowQueryResult(
        QStringLiteral("SELECT 'Rent' AS cTransactionName, 12.5 AS Amount UNION ALL SELECT 'Food', NULL")));
    const CGridCtrl &grid = *view.GetGrid();
    EXPECT_TRUE(TestUi().messages.isEmpty());
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetItemText(0, 1), QStringLiteral("cTransactionName"));
    EXPECT_EQ(grid.GetItemText(0, 2), QStringLiteral("Amount"));
    EXPECT_EQ(grid.GetItemText(1, 1), QStringLiteral("Rent"));
    EXPECT_EQ(grid.GetItemText(1, 2), QStringLiteral("12.5"));
    EXPECT_EQ(grid.GetItemText(2, 2), QString());
}
