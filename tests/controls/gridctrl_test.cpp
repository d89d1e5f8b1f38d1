#include "controls/gridctrl.h"
#include "controls/gridrenderer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

QImage Screen(CGridCtrl &grid)
{
    return grid.viewport()->grab().toImage();
}

class GridCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.resize(600, 400);
        grid.show();
        QApplication::processEvents();
    }
    CGridCtrl grid;
};

} // namespace

TEST_F(GridCtrlTest, AnEmptyGridShowsItsColourAndThePictureCentred)
{
    const COLORREF grey = 0x4B4B4B;
    grid.SetGridBkColor(grey);
    QImage picture(41, 21, QImage::Format_RGB32);
    picture.fill(Qt::red);
    grid.SetBkPicture(picture);
    const QImage shot = Screen(grid);
    const QSize client = grid.viewport()->size();
    const QRect where = CGridRenderer::PictureRect(client, picture.size());
    EXPECT_EQ(where.left(), client.width() / 2 - 41 / 2);
    EXPECT_EQ(where.top(), client.height() / 2 - 21 / 2);
    EXPECT_EQ(shot.pixelColor(where.topLeft()), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(where.bottomRight()), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(where.topLeft() - QPoint(1, 1)), QColorFromColorRef(grey));
    EXPECT_EQ(shot.pixelColor(2, 2), QColorFromColorRef(grey));

    // A single row, or a single column, hides the picture.
    grid.SetRowCount(1);
    EXPECT_NE(Screen(grid).pixelColor(where.center()), QColor(Qt::red));
    grid.DeleteAllItems();
    EXPECT_EQ(Screen(grid).pixelColor(where.center()), QColor(Qt::red));
    grid.SetColumnCount(1);
    EXPECT_NE(Screen(grid).pixelColor(where.center()), QColor(Qt::red));

    // Without a picture only the colour shows.
    grid.DeleteAllItems();
    grid.SetBkPictureId(0);
    grid.SetGridBkColor(MakeColorRef(10, 20, 30));
    EXPECT_EQ(Screen(grid).pixelColor(where.center()), QColor(10, 20, 30));
}

TEST_F(GridCtrlTest, FixedRowsAndColumnsStayWhileTheRestScrolls)
{
    grid.SetGridLines(GVL_NONE);
    grid.SetRowCount(300);
    grid.SetColumnCount(30);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const COLORREF green = MakeColorRef(0, 200, 0);
    const COLORREF blue = MakeColorRef(0, 0, 200);
    const COLORREF yellow = MakeColorRef(220, 220, 0);
    for (int c = 0; c < 30; ++c)
        grid.SetItemBkColour(0, c, green);
    for (int r = 1; r < 300; ++r)
        grid.SetItemBkColour(r, 0, yellow);
    grid.SetItemBkColour(1, 1, blue);
    const QRect header = grid.GetCellRect(0, 1);
    const QRect first = grid.GetCellRect(1, 1);
    const QRect side = grid.GetCellRect(1, 0);
    QImage shot = Screen(grid);
    EXPECT_EQ(shot.pixelColor(first.center()), QColorFromColorRef(blue));

    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    shot = Screen(grid);
    EXPECT_EQ(shot.pixelColor(header.center()), QColorFromColorRef(green));
    EXPECT_EQ(shot.pixelColor(side.center()), QColorFromColorRef(yellow));
    EXPECT_NE(shot.pixelColor(first.center()), QColorFromColorRef(blue));
    // The last row and column are reachable at the end of the scroll range.
    const QRect last = grid.GetCellRect(299, 29);
    EXPECT_LE(last.bottom(), grid.viewport()->height());
    EXPECT_LE(last.right(), grid.viewport()->width());
    EXPECT_GE(last.top(), grid.GetFixedRowHeight());
}

TEST_F(GridCtrlTest, HitTestingFollowsTheScrollPositionOutsideTheFixedRegion)
{
    grid.SetRowCount(100);
    grid.SetColumnCount(5);
    grid.SetFixedRowCount(1);
    for (int r = 0; r < 100; ++r)
        grid.SetRowHeight(r, 20);
    grid.SetColumnWidth(0, 50);
    EXPECT_EQ(grid.GetCellFromPt(QPoint(10, 5)), (CCellID{0, 0}));
    EXPECT_EQ(grid.GetCellFromPt(QPoint(10, 25)), (CCellID{1, 0}));
    grid.verticalScrollBar()->setValue(200);
    EXPECT_EQ(grid.GetCellFromPt(QPoint(10, 5)), (CCellID{0, 0}));
    EXPECT_EQ(grid.GetCellFromPt(QPoint(10, 25)), (CCellID{11, 0}));
    EXPECT_EQ(grid.GetCellRect(11, 0), QRect(0, 20, 50, 20));
    EXPECT_FALSE(grid.GetCellFromPt(QPoint(599, 5)).IsValid());
}

TEST_F(GridCtrlTest, AWheelNotchScrollsTheDesktopsNumberOfRows)
{
    grid.SetRowCount(100);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    for (int r = 0; r < 100; ++r)
        grid.SetRowHeight(r, 10 + r % 3);
    QWheelEvent down(QPointF(50, 50), grid.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &down);
    const int lines = CGridCtrl::WheelScrollLines();
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.Model().GetRowTop(1 + lines) - grid.GetFixedRowHeight());
    QWheelEvent up(QPointF(50, 50), grid.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &up);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
}

TEST_F(GridCtrlTest, VisibleRowsFollowTheScrollPosition)
{
    grid.SetRowCount(1000);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(2);
    for (int r = 0; r < 1000; ++r)
        grid.SetRowHeight(r, 10);
    const CGridRenderer renderer(grid.Model());
    auto rows = renderer.VisibleRows(100, 0);
    EXPECT_EQ(rows.first, 2);
    EXPECT_EQ(rows.last, 10);
    rows = renderer.VisibleRows(100, 5005);
    EXPECT_EQ(rows.first, 502);
    EXPECT_EQ(rows.last, 511);
    rows = renderer.VisibleRows(100, 1000000);
    EXPECT_EQ(rows.first, rows.last);
}

TEST_F(GridCtrlTest, AutoSizeResetsTheScrollRange)
{
    grid.SetRowCount(50);
    grid.SetColumnCount(3);
    for (int r = 0; r < 50; ++r)
        grid.SetItemText(r, 1, QStringLiteral("line\nline\nline"));
    grid.AutoSize();
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), grid.GetVirtualHeight() - grid.viewport()->height());
}

TEST_F(GridCtrlTest, ColumnsAndRowsAreResizedByDraggingTheirFixedEdgesWhileAllowed)
{
    grid.SetRowCount(10);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int c = 0; c < 4; ++c)
        grid.SetColumnWidth(c, 60);
    for (int r = 0; r < 10; ++r)
        grid.SetRowHeight(r, 20);
    QWidget *surface = grid.viewport();
    // The edge between columns 1 and 2 lies at x = 120, inside the fixed row.
    EXPECT_EQ(grid.ColumnEdgeAt(QPoint(121, 10)), 1);
    EXPECT_EQ(grid.ColumnEdgeAt(QPoint(121, 30)), -1);
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(120, 10));
    QTest::mouseMove(surface, QPoint(150, 10));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(grid.GetColumnWidth(1), 90);
    // Row edges are taken in the fixed column.
    EXPECT_EQ(grid.RowEdgeAt(QPoint(10, 59)), 2);
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(10, 60));
    QTest::mouseMove(surface, QPoint(10, 50));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(10, 50));
    EXPECT_EQ(grid.GetRowHeight(2), 10);

    grid.SetColumnResize(false);
    grid.SetRowResize(false);
    EXPECT_EQ(grid.ColumnEdgeAt(QPoint(150, 10)), -1);
    EXPECT_EQ(grid.RowEdgeAt(QPoint(10, 50)), -1);
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(150, 10));
    QTest::mouseMove(surface, QPoint(200, 10));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(grid.GetColumnWidth(1), 90);
}
