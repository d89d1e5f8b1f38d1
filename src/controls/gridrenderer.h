#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class CGridCellModel;
class QPainter;

// Draws a grid's cells onto any painter: the screen, an image, a printer.
// Only the rows and columns that fall inside the given area are touched, so
// the cost of a paint follows the window size, not the row count.
class CGridRenderer
{
public:
    explicit CGridRenderer(const CGridCellModel &model)
        : m_model(model)
    {
    }

    // The rows and columns from [rowFrom, rowTo) and [colFrom, colTo) with
    // cell (rowFrom, colFrom) at topLeft, followed by their grid lines.
    // Cells outside clip are skipped.
    void DrawBlock(QPainter &painter, int rowFrom, int rowTo, int colFrom, int colTo, QPoint topLeft,
                   const QRect &clip) const;

    // A window onto the grid scrolled by scroll (pixels past the fixed rows
    // and columns): background, fixed corner, fixed rows and columns, cells;
    // the centred background picture while the grid has no rows or columns.
    void PaintView(QPainter &painter, QSize client, QPoint scroll) const;

    // Where the background picture goes: unscaled, centred in the client.
    static QRect PictureRect(QSize client, QSize picture);

    // The non-fixed rows or columns a window shows at a scroll position,
    // as [first, last); empty when none.
    struct Range {
        int first = 0;
        int last = 0;
    };
    Range VisibleRows(int clientHeight, int scrollY) const;
    Range VisibleColumns(int clientWidth, int scrollX) const;

private:
    const CGridCellModel &m_model;
};
