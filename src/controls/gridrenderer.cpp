#include "controls/gridrenderer.h"

#include "controls/gridcellmodel.h"

#include <QPainter>

#include <algorithm>

void CGridRenderer::DrawBlock(QPainter &painter, int rowFrom, int rowTo, int colFrom, int colTo, QPoint topLeft,
                              const QRect &clip) const
{
    if (rowFrom >= rowTo || colFrom >= colTo)
        return;
    const CGridCellModel &m = m_model;
    const int top0 = m.GetRowTop(rowFrom);
    const int left0 = m.GetColumnLeft(colFrom);
    const int dy = topLeft.y() - top0;
    const int dx = topLeft.x() - left0;

    // Skip to the first row and column that reach into the clip.
    const int firstRow = std::max(rowFrom, m.RowAtY(clip.top() - dy) < 0 ? rowFrom : m.RowAtY(clip.top() - dy));
    const int firstCol =
        std::max(colFrom, m.ColumnAtX(clip.left() - dx) < 0 ? colFrom : m.ColumnAtX(clip.left() - dx));

    int lastRow = firstRow;
    int lastCol = firstCol;
    for (int r = firstRow; r < rowTo; ++r) {
        const int top = m.GetRowTop(r) + dy;
        if (top > clip.bottom())
            break;
        lastRow = r + 1;
        const int height = m.GetRowHeight(r);
        if (height <= 0)
            continue;
        for (int c = firstCol; c < colTo; ++c) {
            const int left = m.GetColumnLeft(c) + dx;
            if (left > clip.right())
                break;
            lastCol = std::max(lastCol, c + 1);
            const int width = m.GetColumnWidth(c);
            if (width <= 0)
                continue;
            m.GetCell(r, c)->Draw(painter, r, c, QRect(left, top, width, height));
        }
    }

    const int lines = m.GetGridLines();
    if (lines == GVL_NONE || lastRow <= firstRow || lastCol <= firstCol)
        return;
    painter.setPen(QColorFromColorRef(m.GetGridLineColor()));
    const int blockLeft = m.GetColumnLeft(firstCol) + dx;
    const int blockRight = m.GetColumnLeft(lastCol) + dx - 1;
    const int blockTop = m.GetRowTop(firstRow) + dy;
    const int blockBottom = m.GetRowTop(lastRow) + dy - 1;
    // Each cell owns the line along its bottom and right edge.
    if (lines & GVL_HORZ) {
        for (int r = firstRow; r < lastRow; ++r) {
            if (m.GetRowHeight(r) <= 0)
                continue;
            const int y = m.GetRowTop(r + 1) + dy - 1;
            painter.drawLine(blockLeft, y, blockRight, y);
        }
    }
    if (lines & GVL_VERT) {
        for (int c = firstCol; c < lastCol; ++c) {
            if (m.GetColumnWidth(c) <= 0)
                continue;
            const int x = m.GetColumnLeft(c + 1) + dx - 1;
            painter.drawLine(x, blockTop, x, blockBottom);
        }
    }
}

CGridRenderer::Range CGridRenderer::VisibleRows(int clientHeight, int scrollY) const
{
    const CGridCellModel &m = m_model;
    const int fixedHeight = m.GetFixedRowHeight();
    const int total = m.GetVirtualHeight();
    const int from = fixedHeight + std::max(0, scrollY);
    if (from >= total || clientHeight <= fixedHeight)
        return {};
    const int first = std::max(m.GetFixedRowCount(), m.RowAtY(from));
    const int lastY = std::min(total - 1, from + (clientHeight - fixedHeight) - 1);
    return {first, m.RowAtY(lastY) + 1};
}

CGridRenderer::Range CGridRenderer::VisibleColumns(int clientWidth, int scrollX) const
{
    const CGridCellModel &m = m_model;
    const int fixedWidth = m.GetFixedColumnWidth();
    const int total = m.GetVirtualWidth();
    const int from = fixedWidth + std::max(0, scrollX);
    if (from >= total || clientWidth <= fixedWidth)
        return {};
    const int first = std::max(m.GetFixedColumnCount(), m.ColumnAtX(from));
    const int lastX = std::min(total - 1, from + (clientWidth - fixedWidth) - 1);
    return {first, m.ColumnAtX(lastX) + 1};
}

QRect CGridRenderer::PictureRect(QSize client, QSize picture)
{
    return QRect(client.width() / 2 - picture.width() / 2, client.height() / 2 - picture.height() / 2,
                 picture.width(), picture.height());
}

void CGridRenderer::PaintView(QPainter &painter, QSize client, QPoint scroll) const
{
    const CGridCellModel &m = m_model;
    const QRect all(QPoint(0, 0), client);
    painter.fillRect(all, QColorFromColorRef(m.GetGridBkColor()));
    if (m.GetRowCount() == 0 && m.GetColumnCount() == 0) {
        const QImage picture = m.GetBkPicture();
        if (!picture.isNull())
            painter.drawImage(PictureRect(client, picture.size()).topLeft(), picture);
        return;
    }

    const int fixedRows = m.GetFixedRowCount();
    const int fixedCols = m.GetFixedColumnCount();
    const int fixedHeight = m.GetFixedRowHeight();
    const int fixedWidth = m.GetFixedColumnWidth();
    const Range rows = VisibleRows(client.height(), scroll.y());
    const Range cols = VisibleColumns(client.width(), scroll.x());
    const int rowsTop = rows.first < rows.last ? m.GetRowTop(rows.first) - scroll.y() : 0;
    const int colsLeft = cols.first < cols.last ? m.GetColumnLeft(cols.first) - scroll.x() : 0;

    const QRect scrolling(fixedWidth, fixedHeight, client.width() - fixedWidth, client.height() - fixedHeight);
    painter.save();
    painter.setClipRect(scrolling);
    DrawBlock(painter, rows.first, rows.last, cols.first, cols.last, QPoint(colsLeft, rowsTop), scrolling);
    painter.restore();

    // Fixed columns move only up and down, fixed rows only sideways.
    const QRect leftBand(0, fixedHeight, fixedWidth, client.height() - fixedHeight);
    painter.save();
    painter.setClipRect(leftBand);
    DrawBlock(painter, rows.first, rows.last, 0, fixedCols, QPoint(0, rowsTop), leftBand);
    painter.restore();

    const QRect topBand(fixedWidth, 0, client.width() - fixedWidth, fixedHeight);
    painter.save();
    painter.setClipRect(topBand);
    DrawBlock(painter, 0, fixedRows, cols.first, cols.last, QPoint(colsLeft, 0), topBand);
    painter.restore();

    const QRect corner(0, 0, fixedWidth, fixedHeight);
    DrawBlock(painter, 0, fixedRows, 0, fixedCols, QPoint(0, 0), corner);
}
