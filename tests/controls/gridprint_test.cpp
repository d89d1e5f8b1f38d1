#include "base/clock.h"
#include "controls/gridctrl.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Printed {
    int pages = 0;
    QStringList pageTexts;
};

// Prints every page of the grid to a PDF and reads the text back.
Printed PrintToPdf(CGridCtrl &grid, const QString &path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&printer);
    CPrintInfo info;
    grid.OnBeginPrinting(&painter, &info);
    for (int page = 1; page <= info.GetMaxPage(); ++page) {
        if (page > 1)
            printer.newPage();
        info.m_nCurPage = page;
        grid.OnPrint(&painter, &info);
    }
    grid.OnEndPrinting(&painter, &info);
    painter.end();

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    text.waitForFinished(30000);
    Printed printed;
    printed.pageTexts = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    if (!printed.pageTexts.isEmpty() && printed.pageTexts.last().trimmed().isEmpty())
        printed.pageTexts.removeLast();
    printed.pages = int(printed.pageTexts.size());
    return printed;
}

class GridPrinting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window.setWindowTitle(QStringLiteral("Monthly Report"));
        grid = new CGridCtrl(&window);
        window.setCentralWidget(grid);
    }
    QString Pdf() const { return dir.filePath(QStringLiteral("grid.pdf")); }

    QTemporaryDir dir;
    QMainWindow window;
    CGridCtrl *grid = nullptr;
};

} // namespace

TEST_F(GridPrinting, AGridPrintsPageOneOfOneWithTitleAndProgramNameNarrowOnesEnlarged)
{
    grid->SetRowCount(5);
    grid->SetColumnCount(3);
    grid->SetItemText(2, 1, QStringLiteral("Salary"));
    grid->AutoSize();
    // About as wide as a report, which prints near its screen size.
    grid->SetColumnWidth(0, 300);
    grid->SetColumnWidth(2, 300);
    const Printed printed = PrintToPdf(*grid, Pdf());
    ASSERT_EQ(printed.pages, 1);
    EXPECT_TRUE(printed.pageTexts[0].contains(QStringLiteral("Page 1 of 1")));
    EXPECT_TRUE(printed.pageTexts[0].contains(QStringLiteral("Monthly Report")));
    EXPECT_TRUE(printed.pageTexts[0].contains(QStringLiteral("Tallywick +")));
    EXPECT_TRUE(printed.pageTexts[0].contains(QStringLiteral("Salary")));

    // A narrow grid is enlarged to the page width; the page number stays readable.
    grid->SetColumnWidth(0, 4);
    grid->SetColumnWidth(2, 4);
    const Printed narrow = PrintToPdf(*grid, Pdf());
    EXPECT_GT(grid->PrintLayout().Scale(), 5.0);
    ASSERT_GE(narrow.pages, 1);
    EXPECT_TRUE(narrow.pageTexts[0].contains(QStringLiteral("Page 1 of %1").arg(narrow.pages)));
}

TEST_F(GridPrinting, TheFooterStampsTheClocksTimeInTheDesktopLocalesForm)
{
    SetClock(QDateTime(QDate(2026, 12, 9), QTime(16, 19, 55)));
    const QLocale before;
    grid->SetRowCount(3);
    grid->SetColumnCount(2);
    grid->SetItemText(1, 1, QStringLiteral("Salary"));
    grid->AutoSize();
    grid->SetColumnWidth(1, 600);
    QStringList pages;
    for (const char *name : {"de_DE", "en_US"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        const Printed printed = PrintToPdf(*grid, Pdf());
        pages << printed.pageTexts.value(0);
    }
    QLocale::setDefault(before);
    SetClock(QDateTime());
    EXPECT_TRUE(pages[0].contains(QStringLiteral("09.12.26 16:19"))) << qPrintable(pages[0]);
    EXPECT_TRUE(pages[1].contains(QStringLiteral("12/9/26 4:19"))) << qPrintable(pages[1]);
    EXPECT_TRUE(pages[1].contains(QStringLiteral("PM"))) << qPrintable(pages[1]);
    for (const QString &page : pages)
        EXPECT_FALSE(page.contains(QStringLiteral("Wed")) || page.contains(QStringLiteral("Dec"))) << qPrintable(page);
}

TEST_F(GridPrinting, ManyRowsGiveSeveralPagesEachHeadedByTheFixedRows)
{
    const int rows = 400;
    grid->SetRowCount(rows);
    grid->SetColumnCount(3);
    grid->SetFixedRowCount(1);
    grid->SetItemText(0, 1, QStringLiteral("Heading"));
    for (int r = 1; r < rows; ++r)
        grid->SetItemText(r, 1, QStringLiteral("entry%1x").arg(r));
    grid->AutoSize();
    grid->SetColumnWidth(0, 300);
    grid->SetColumnWidth(2, 300);
    const Printed printed = PrintToPdf(*grid, Pdf());
    const int count = grid->PrintLayout().PageCount();
    ASSERT_GT(count, 2);
    QPrinter sameSheet(QPrinter::HighResolution);
    sameSheet.setOutputFormat(QPrinter::PdfFormat);
    sameSheet.setPageSize(QPageSize(QPageSize::A4));
    EXPECT_EQ(grid->PrintPageCount(&sameSheet), count);
    ASSERT_EQ(printed.pages, count);
    int seen = 0;
    for (int page = 1; page <= count; ++page) {
        const QString &text = printed.pageTexts[page - 1];
        SCOPED_TRACE(page);
        EXPECT_TRUE(text.contains(QStringLiteral("Heading")));
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(count)));
        const auto [first, last] = grid->PrintLayout().PageRows(page);
        EXPECT_TRUE(text.contains(QStringLiteral("entry%1x").arg(first)));
        EXPECT_TRUE(text.contains(QStringLiteral("entry%1x").arg(last - 1)));
        EXPECT_FALSE(text.contains(QStringLiteral("entry%1x").arg(last)));
        seen += last - first;
    }
    EXPECT_EQ(seen, rows - 1);
}

TEST_F(GridPrinting, AWiderGridPrintsAtASmallerScaleAndKeepsItsRightEdge)
{
    grid->SetRowCount(3);
    grid->SetColumnCount(3);
    grid->AutoSize();
    PrintToPdf(*grid, Pdf());
    const double narrowScale = grid->PrintLayout().Scale();

    grid->SetColumnWidth(2, 3000);
    grid->SetItemText(1, 2, QStringLiteral("RIGHTEDGE"));
    grid->SetItemFormat(1, 2, 0x12);
    const Printed printed = PrintToPdf(*grid, Pdf());
    EXPECT_LT(grid->PrintLayout().Scale(), narrowScale);
    ASSERT_EQ(printed.pages, 1);
    EXPECT_TRUE(printed.pageTexts[0].contains(QStringLiteral("RIGHTEDGE")));
    const QSize logical = grid->PrintLayout().LogicalPage();
    EXPECT_GE(logical.width(), grid->GetVirtualWidth());
}

TEST_F(GridPrinting, AnEmptyGridPrintsOnePageAndNothingHappensWithoutAPainter)
{
    EXPECT_EQ(PrintToPdf(*grid, Pdf()).pages, 1);
    EXPECT_EQ(grid->PrintLayout().PageCount(), 1);
    grid = new CGridCtrl(&window);
    window.setCentralWidget(grid);
    grid->SetRowCount(2);
    grid->SetColumnCount(2);
    CPrintInfo info;
    grid->OnBeginPrinting(nullptr, &info);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFF);
    grid->OnPrint(nullptr, &info);
    grid->OnPrint(nullptr, nullptr);
    grid->OnBeginPrinting(nullptr, nullptr);
    EXPECT_FALSE(grid->PrintLayout().IsValid());
}

class GridPrintLayout : public ::testing::Test
{
protected:
    // Rows of the given heights after one fixed row of 20.
    void Rows(std::initializer_list<int> heights)
    {
        model.SetColumnCount(2);
        model.SetColumnWidth(0, 100);
        model.SetColumnWidth(1, 100);
        model.SetRowCount(int(heights.size()) + 1);
        model.SetFixedRowCount(1);
        model.SetRowHeight(0, 20);
        int r = 1;
        for (int h : heights)
            model.SetRowHeight(r++, h);
    }
    CGridCellModel model;
    CGridPrintLayout layout;
    // 5 x 10 characters on a square page: the logical page is 240 x 240,
    // the usable height 240 - 6 * 10 - 20 = 160.
    const QSize charSize{5, 10};
    const QSize paper{4800, 4800};
};

TEST_F(GridPrintLayout, TheLogicalPageIsTheGridWidthPlusMarginsInPaperProportions)
{
    Rows({10});
    layout.Compute(model, charSize, QSize(4800, 9600));
    EXPECT_EQ(layout.LogicalPage(), QSize(240, 480));
    EXPECT_EQ(layout.UsableHeight(), 480 - 60 - 20);
    EXPECT_DOUBLE_EQ(layout.Scale(), 20.0);
    // No paper gives no layout.
    layout.Compute(model, charSize, QSize(0, 0));
    EXPECT_FALSE(layout.IsValid());
    EXPECT_EQ(layout.PageCount(), 1);
}

TEST_F(GridPrintLayout, RowsFillPagesExactlyAndARowTallerThanAPageStartsItsOwn)
{
    using Pages = std::vector<std::pair<int, int>>;
    const struct {
        std::initializer_list<int> heights;
        Pages pages;
    } cases[] = {
        {{80, 80, 1}, {{1, 3}, {3, 4}}},
        {{50, 400, 50}, {{1, 2}, {2, 3}, {3, 4}}},
        // A tall first row leaves no empty page before it.
        {{400}, {{1, 2}}},
    };
    for (const auto &c : cases) {
        model.DeleteAllItems();
        Rows(c.heights);
        layout.Compute(model, charSize, paper);
        ASSERT_EQ(layout.UsableHeight(), 160);
        Pages pages;
        for (int page = 1; page <= layout.PageCount(); ++page)
            pages.push_back(layout.PageRows(page));
        EXPECT_EQ(pages, c.pages) << c.heights.size();
        EXPECT_EQ(layout.PageRows(layout.PageCount() + 1), std::make_pair(0, 0));
    }
}

TEST_F(GridPrintLayout, BandsDoNotOverlapTheRows)
{
    Rows({10, 10});
    layout.Compute(model, charSize, paper);
    EXPECT_LT(layout.HeaderRect().bottom(), layout.FixedRowsOrigin().y());
    EXPECT_LE(layout.FixedRowsOrigin().y() + 20, layout.RowsClip().top());
    EXPECT_EQ(layout.RowsClip().height(), layout.UsableHeight());
    EXPECT_LT(layout.RowsClip().bottom(), layout.FooterRect().top());
}
