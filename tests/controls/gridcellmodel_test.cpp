#include "controls/drawtextflags.h"
#include "controls/gridcellmodel.h"
#include "controls/gridtextmetrics.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace {

LOGFONT Font(int height, int weight = FW_NORMAL)
{
    return MakeLogFont(QStringLiteral("Arial"), height, weight);
}

// Margin of the normal region, which every test cell uses.
int Margin(const CGridCellModel &grid)
{
    return int(grid.GetDefaultCell(false, false)->GetMargin());
}

// What the text layout makes of the grid's normal font, which draws
// without kerning.
QFontMetrics NormalMetrics(const CGridCellModel &grid)
{
    QFont font = QFontFromLogFont(*grid.GetDefaultCell(false, false)->GetFont());
    font.setKerning(false);
    return QFontMetrics(font);
}

} // namespace

TEST(GridCounts, NegativeCountsAreRefusedAndTheSameCountKeepsCellsAndSizes)
{
    CGridCellModel grid;
    EXPECT_EQ(grid.GetCell(0, 0), nullptr);
    ASSERT_TRUE(grid.SetRowCount(2));
    ASSERT_TRUE(grid.SetColumnCount(2));
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_FALSE(grid.SetColumnCount(-1));
    EXPECT_FALSE(grid.SetFixedRowCount(-1));
    EXPECT_FALSE(grid.SetFixedColumnCount(-1));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetColumnCount(), 2);

    grid.SetItemText(1, 1, QStringLiteral("kept"));
    grid.SetRowHeight(1, 40);
    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_TRUE(grid.SetColumnCount(2));
    EXPECT_TRUE(grid.SetFixedRowCount(0));
    EXPECT_EQ(grid.GetItemText(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(grid.GetRowHeight(1), 40);

    // Changing the column count keeps every row's cells.
    grid.SetColumnCount(4);
    EXPECT_EQ(grid.GetItemText(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(grid.GetItemText(1, 3), QString());
    grid.SetColumnCount(1);
    EXPECT_EQ(grid.GetCell(1, 1), nullptr);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetItemText(1, 1), QString());
}

TEST(GridCounts, AGridTooLargeToHoldIsRefusedAndStaysAsItWas)
{
    CGridCellModel grid;
    ASSERT_TRUE(grid.SetColumnCount(100'000));
    ASSERT_TRUE(grid.SetRowCount(2));
    grid.SetItemText(1, 1, QStringLiteral("kept"));
    // Ten thousand million cells: more than an index reaches, let alone memory.
    EXPECT_FALSE(grid.SetRowCount(100'000));
    EXPECT_FALSE(grid.SetFixedRowCount(100'000));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetItemText(1, 1), QStringLiteral("kept"));
    grid.SetColumnCount(0);
    ASSERT_TRUE(grid.SetRowCount(100'000));
    EXPECT_FALSE(grid.SetFixedColumnCount(100'000));
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetFixedColumnCount(), 0);
}

TEST(GridCounts, FixedAndTotalCountsPullEachOtherAndCellsFollowTheirRegion)
{
    CGridCellModel grid;
    grid.SetRowCount(1);
    grid.SetColumnCount(1);
    EXPECT_TRUE(grid.SetFixedRowCount(2));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_TRUE(grid.SetFixedColumnCount(3));
    EXPECT_EQ(grid.GetColumnCount(), 3);
    // The new cells belong to the fixed regions.
    EXPECT_TRUE(grid.GetCell(1, 2)->IsFixedRow());
    EXPECT_TRUE(grid.GetCell(1, 2)->IsFixedCol());
    EXPECT_EQ(grid.GetRowHeight(1), grid.GetDefaultRowHeight());
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetDefaultColumnWidth());

    grid.SetRowCount(3);
    grid.SetFixedRowCount(1);
    EXPECT_FALSE(grid.GetCell(1, 2)->IsFixedRow());
    EXPECT_TRUE(grid.GetCell(1, 0)->IsFixedCol());
    EXPECT_TRUE(grid.GetCell(0, 2)->IsFixedRow());

    EXPECT_TRUE(grid.SetRowCount(0));
    EXPECT_TRUE(grid.SetColumnCount(2));
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetFixedColumnCount(), 2);
}

TEST(GridCounts, DeleteAllItemsLeavesNoRowsColumnsOrSizes)
{
    CGridCellModel grid;
    grid.SetFixedRowCount(1);
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    grid.SetItemText(3, 2, QStringLiteral("x"));
    grid.DeleteAllItems();
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetVirtualHeight(), 0);
    EXPECT_EQ(grid.GetVirtualWidth(), 0);
    EXPECT_EQ(grid.GetRowHeight(0), -1);
    // A later report starts from fresh cells.
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    EXPECT_EQ(grid.GetItemText(3, 2), QString());
}

class GridCells : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetRowCount(3);
        grid.SetColumnCount(4);
    }
    CGridCellModel grid;
};

TEST_F(GridCells, OperationsAtAndBeyondTheEdgesFailAndChangeNothing)
{
    const int edges[][2] = {{-1, 0}, {0, -1}, {3, 0}, {0, 4}, {3, 4}, {-1, -1}};
    for (const auto &e : edges) {
        const int r = e[0], c = e[1];
        SCOPED_TRACE(testing::Message() << r << "," << c);
        EXPECT_EQ(grid.GetCell(r, c), nullptr);
        GV_ITEM item;
        item.row = r;
        item.col = c;
        item.mask = GVIF_TEXT | GVIF_FORMAT;
        item.strText = QStringLiteral("no");
        EXPECT_FALSE(grid.SetItem(item));
        EXPECT_FALSE(grid.GetItem(item));
        EXPECT_FALSE(grid.SetItemText(r, c, QStringLiteral("no")));
        EXPECT_FALSE(grid.SetItemFont(r, c, Font(20)));
    }
    EXPECT_FALSE(grid.SetRowHeight(3, 10));
    EXPECT_FALSE(grid.SetColumnWidth(4, 10));
    EXPECT_FALSE(grid.SetRowHeight(0, -1));
    EXPECT_EQ(grid.GetColumnWidth(4), -1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(grid.GetItemText(r, c).isEmpty());
}

TEST_F(GridCells, SetItemWritesOnlyTheMaskedFields)
{
    GV_ITEM item;
    item.row = 2;
    item.col = 3;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.strText = QStringLiteral("12.50");
    item.nFormat = DT_WORDBREAK | DT_RIGHT;
    item.iImage = 4;
    item.crFgClr = MakeColorRef(0, 0, 255);
    ASSERT_TRUE(grid.SetItem(item));
    const CGridCell *cell = grid.GetCell(2, 3);
    EXPECT_EQ(cell->GetText(), QStringLiteral("12.50"));
    EXPECT_EQ(cell->GetImage(), -1);
    EXPECT_EQ(cell->GetTextClr(), CLR_DEFAULT);
    EXPECT_FALSE(cell->HasOwnFont());

    item.mask = GVIF_IMAGE | GVIF_FGCLR | GVIF_FONT | GVIF_PARAM;
    item.lfFont = Font(20, FW_BOLD);
    item.lParam = 99;
    ASSERT_TRUE(grid.SetItem(item));
    EXPECT_EQ(cell->GetText(), QStringLiteral("12.50"));
    EXPECT_EQ(cell->GetImage(), 4);
    EXPECT_EQ(cell->GetTextClr(), MakeColorRef(0, 0, 255));
    EXPECT_EQ(*cell->GetFont(), Font(20, FW_BOLD));
    EXPECT_EQ(cell->GetData(), 99);
}

TEST_F(GridCells, StateWritesKeepTheCellsRegion)
{
    grid.SetFixedRowCount(1);
    ASSERT_TRUE(grid.SetItemState(0, 1, GVIS_READONLY));
    EXPECT_TRUE(grid.GetCell(0, 1)->IsReadOnly());
    EXPECT_TRUE(grid.GetCell(0, 1)->IsFixedRow());
    ASSERT_TRUE(grid.SetItemState(2, 1, GVIS_FIXEDROW | GVIS_SELECTED));
    EXPECT_FALSE(grid.GetCell(2, 1)->IsFixedRow());
    EXPECT_TRUE(grid.GetCell(2, 1)->IsSelected());
}

TEST_F(GridCells, ADefaultCellChangesOnlyTheCellsWithoutTheirOwnValue)
{
    grid.SetFixedRowCount(1);
    CGridCell *own = grid.GetCell(1, 0);
    CGridCell *plain = grid.GetCell(1, 1);
    CGridCell *header = grid.GetCell(0, 1);
    own->SetTextClr(MakeColorRef(255, 0, 0));
    own->SetFormat(DT_RIGHT);
    const LOGFONT title = Font(20, FW_BOLD);
    own->SetFont(&title);
    // Equal fonts are shared by every cell.
    grid.SetItemFont(2, 3, Font(20, FW_BOLD));
    EXPECT_EQ(grid.GetItemFont(1, 0), grid.GetItemFont(2, 3));

    CGridDefaultCell *normal = grid.GetDefaultCell(false, false);
    normal->SetTextClr(MakeColorRef(0, 128, 0));
    normal->SetFormat(DT_CENTER | DT_SINGLELINE);
    const LOGFONT big = Font(30);
    normal->SetFont(&big);

    EXPECT_EQ(plain->EffectiveTextClr(), MakeColorRef(0, 128, 0));
    EXPECT_EQ(plain->GetFormat(), unsigned(DT_CENTER | DT_SINGLELINE));
    EXPECT_EQ(*plain->GetFont(), big);
    EXPECT_EQ(own->EffectiveTextClr(), MakeColorRef(255, 0, 0));
    EXPECT_EQ(own->GetFormat(), unsigned(DT_RIGHT));
    EXPECT_EQ(*own->GetFont(), title);
    // Fixed rows follow their own region.
    EXPECT_NE(*header->GetFont(), big);
    EXPECT_NE(header->EffectiveTextClr(), MakeColorRef(0, 128, 0));
    // A cell can go back to its region's font; a region cannot lose its own.
    own->SetFont(nullptr);
    EXPECT_EQ(*own->GetFont(), big);
    normal->SetTextClr(CLR_DEFAULT);
    normal->SetFont(nullptr);
    EXPECT_EQ(normal->GetTextClr(), MakeColorRef(0, 128, 0));
    EXPECT_EQ(*normal->GetFont(), big);
}

TEST(GridSizes, RowsAndColumnsAreFoundByPosition)
{
    CGridCellModel grid;
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    for (int r = 0; r < 4; ++r)
        grid.SetRowHeight(r, 10);
    grid.SetRowHeight(2, 0);
    grid.SetColumnWidth(0, 5);
    grid.SetColumnWidth(1, 7);
    grid.SetColumnWidth(2, 9);
    EXPECT_EQ(grid.GetVirtualHeight(), 30);
    EXPECT_EQ(grid.GetVirtualWidth(), 21);
    EXPECT_EQ(grid.GetRowTop(3), 20);
    EXPECT_EQ(grid.RowAtY(0), 0);
    EXPECT_EQ(grid.RowAtY(9), 0);
    EXPECT_EQ(grid.RowAtY(10), 1);
    // The hidden row is never hit; its neighbour below is.
    EXPECT_EQ(grid.RowAtY(20), 3);
    EXPECT_EQ(grid.RowAtY(29), 3);
    EXPECT_EQ(grid.RowAtY(30), -1);
    EXPECT_EQ(grid.RowAtY(-1), -1);
    EXPECT_EQ(grid.ColumnAtX(11), 1);
    EXPECT_EQ(grid.ColumnAtX(12), 2);
    grid.SetFixedRowCount(2);
    EXPECT_EQ(grid.GetFixedRowHeight(), 20);
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(grid.GetFixedColumnWidth(), 5);
}

class GridAutoSize : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetRowCount(4);
        grid.SetColumnCount(3);
        m = Margin(grid);
    }
    CGridCellModel grid;
    int m = 0;
};

TEST_F(GridAutoSize, AWideCellWidensItsColumnOnlyAndALargerFontItsRow)
{
    const QString wide = QStringLiteral("A rather long description of a payment");
    grid.SetItemText(1, 1, wide);
    grid.SetItemText(2, 1, QStringLiteral("short"));
    ASSERT_TRUE(grid.AutoSize());
    const QFontMetrics fm = NormalMetrics(grid);
    EXPECT_EQ(grid.GetColumnWidth(1), fm.horizontalAdvance(wide) + 2 * m);
    // Empty columns shrink to their margins, empty rows keep one line.
    EXPECT_EQ(grid.GetColumnWidth(0), 2 * m);
    EXPECT_EQ(grid.GetRowHeight(0), fm.height() + 2 * m);
    EXPECT_EQ(grid.GetRowHeight(1), fm.height() + 2 * m);
    // A larger font makes a taller row.
    grid.SetItemFont(2, 1, Font(20, FW_BOLD));
    grid.AutoSize();
    EXPECT_EQ(grid.GetRowHeight(2), QFontMetrics(QFontFromLogFont(Font(20, FW_BOLD))).height() + 2 * m);
}

TEST_F(GridAutoSize, MultiLineCellsGrowTheirRowUnlessSingleLine)
{
    const QString twoLines = QStringLiteral("Rent\nand a much longer second line");
    grid.SetItemText(1, 0, twoLines);
    grid.SetItemFormat(1, 0, DT_WORDBREAK);
    grid.SetItemText(2, 0, twoLines);
    grid.SetItemFormat(2, 0, 0x8825);
    ASSERT_TRUE(grid.AutoSize());
    const QFontMetrics fm = NormalMetrics(grid);
    const QSize lines = fm.boundingRect(QRect(), Qt::AlignLeft, twoLines).size();
    EXPECT_EQ(grid.GetRowHeight(1), lines.height() + 2 * m);
    EXPECT_GT(grid.GetRowHeight(1), 2 * fm.height());
    EXPECT_EQ(grid.GetRowHeight(2), fm.height() + 2 * m);
    // The single-line copy is the wider one: the break shows as a blank.
    EXPECT_EQ(grid.GetColumnWidth(0),
              fm.horizontalAdvance(QStringLiteral("Rent and a much longer second line")) + 2 * m);
}

TEST_F(GridAutoSize, AnImageCountsBesideItsText)
{
    QImage logo(40, 60, QImage::Format_RGB32);
    logo.fill(Qt::red);
    grid.SetImageList({logo});
    grid.SetItemImage(2, 2, 0);
    grid.AutoSize();
    EXPECT_EQ(grid.GetColumnWidth(2), 40 + 2 * m);
    EXPECT_EQ(grid.GetRowHeight(2), 60 + 2 * m);
    // An index the list does not have shows nothing and takes no room.
    grid.SetItemImage(2, 2, 5);
    grid.AutoSize();
    EXPECT_EQ(grid.GetColumnWidth(2), 2 * m);
}

TEST_F(GridAutoSize, HiddenRowsAndColumnsStayHiddenAndDoNotCount)
{
    grid.SetItemText(1, 0, QStringLiteral("a very very wide text in a hidden row"));
    grid.SetItemText(2, 2, QStringLiteral("tall\ntall\ntall"));
    grid.SetRowHeight(1, 0);
    grid.SetColumnWidth(2, 0);
    grid.AutoSize();
    EXPECT_EQ(grid.GetRowHeight(1), 0);
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 2 * m);
    EXPECT_EQ(grid.GetRowHeight(2), grid.GetRowHeight(3));
}

TEST_F(GridAutoSize, TheHeaderStyleSizesColumnsByTheFixedRowsAlone)
{
    // With no row to measure, columns keep their widths.
    grid.SetColumnWidth(1, 77);
    ASSERT_TRUE(grid.AutoSize(GVS_HEADER));
    EXPECT_EQ(grid.GetColumnWidth(1), 77);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 1, QStringLiteral("Amount"));
    grid.SetItemText(2, 1, QStringLiteral("a data text far wider than its heading"));
    grid.SetRowHeight(2, 50);
    ASSERT_TRUE(grid.AutoSize(GVS_HEADER));
    EXPECT_EQ(grid.GetColumnWidth(1), NormalMetrics(grid).horizontalAdvance(QStringLiteral("Amount")) + 2 * m);
    EXPECT_EQ(grid.GetRowHeight(2), 50);
    ASSERT_TRUE(grid.AutoSize(GVS_DATA));
    EXPECT_NE(grid.GetRowHeight(2), 50);
}

TEST_F(GridAutoSize, PlainLinesMeasureAsTheTextLayoutDoes)
{
    const QStringList texts = {QStringLiteral("AVATAR To Yours"), QStringLiteral("office fluffy waffle"),
                               QStringLiteral("-12345.67"), QStringLiteral("Mar/05/2024"),
                               QStringLiteral("Caf\u00e9 cr\u00e8me \u00bd"), QStringLiteral("W.A.V.E. LTd.")};
    for (const LOGFONT &font : {*grid.GetDefaultCell(false, false)->GetFont(), Font(20, FW_BOLD), Font(14, FW_BOLD)}) {
        QFont qfont = QFontFromLogFont(font);
        qfont.setKerning(false);
        const QFontMetrics layout(qfont);
        const LOGFONT *interned = grid.InternFont(font);
        for (const QString &text : texts)
            EXPECT_EQ(grid.Metrics().TextExtent(interned, text, false).width(), layout.horizontalAdvance(text))
                << qPrintable(text) << " at " << font.lfHeight;
    }
}

TEST_F(GridAutoSize, TextsNeedingTheLayoutAreMeasuredOncePerDistinctText)
{
    grid.SetRowCount(200);
    for (int r = 0; r < 200; ++r) {
        grid.SetItemText(r, 0, QStringLiteral("Groceries\nweekly"));
        grid.SetItemText(r, 1, QStringLiteral("%1 \u20ac").arg(r % 10));
        grid.SetItemText(r, 2, QString::number(r));
    }
    const long long before = grid.Metrics().MeasureCount();
    grid.AutoSize();
    EXPECT_EQ(grid.Metrics().MeasureCount() - before, 11);
    grid.AutoSize();
    EXPECT_EQ(grid.Metrics().MeasureCount() - before, 11);
    EXPECT_LE(grid.Metrics().CachedCount(), 2 * CGridTextMetrics::kDefaultCapacity);
}

TEST(GridTextMetrics, ALongSessionOfDistinctTextsKeepsTheRememberedSizesBounded)
{
    CGridTextMetrics metrics(64);
    const LOGFONT font = Font(16);
    const QString total = QStringLiteral("Total \u20ac");
    const QSize totalSize = metrics.TextExtent(&font, total, false);
    const QSize firstSize = metrics.TextExtent(&font, QStringLiteral("0 \u20ac"), false);
    for (int i = 1; i < 2000; ++i) {
        metrics.TextExtent(&font, QStringLiteral("%1 \u20ac").arg(i), false);
        metrics.TextExtent(&font, QStringLiteral("%1\nline").arg(i), false);
        // A text the report keeps showing stays remembered.
        if (i % 16 == 0) {
            EXPECT_EQ(metrics.TextExtent(&font, total, false), totalSize);
        }
        ASSERT_LE(metrics.CachedCount(), 2 * 2 * 64);
    }
    EXPECT_EQ(metrics.MeasureCount(), 2 * 2000);
    // One that aged out is measured again, to the same size.
    EXPECT_EQ(metrics.TextExtent(&font, QStringLiteral("0 \u20ac"), false), firstSize);
    EXPECT_EQ(metrics.MeasureCount(), 2 * 2000 + 1);
}

TEST(GridPictures, ABitmapAndAnIdReplaceEachOther)
{
    CGridCellModel grid;
    EXPECT_TRUE(grid.GetBkPicture().isNull());
    grid.SetBkPictureId(136);
    EXPECT_FALSE(grid.GetBkPicture().isNull());
    QImage own(10, 10, QImage::Format_RGB32);
    own.fill(Qt::green);
    grid.SetBkPicture(own);
    EXPECT_EQ(grid.GetBkPictureId(), 0);
    EXPECT_EQ(grid.GetBkPicture(), own);
    grid.SetBkPictureId(155);
    EXPECT_EQ(grid.GetBkPictureId(), 155);
    EXPECT_NE(grid.GetBkPicture(), own);
    EXPECT_FALSE(grid.GetBkPicture().isNull());
    grid.SetBkPictureId(999);
    EXPECT_TRUE(grid.GetBkPicture().isNull());
}
