#pragma once

#include "base/colorref.h"
#include "controls/bulkallocator.h"
#include "controls/gridcell.h"
#include "controls/griddefaultcell.h"
#include "controls/gridtextmetrics.h"
#include "controls/gvitem.h"
#include "controls/logfont.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

// Grid-line settings.
enum GridLines : int {
    GVL_NONE = 0,
    GVL_HORZ = 1,
    GVL_VERT = 2,
    GVL_BOTH = 3,
};

// AutoSize styles: which rows count when sizing.
enum GridAutoSizeStyle : int {
    GVS_DEFAULT = 0,
    GVS_HEADER = 1,
    GVS_DATA = 2,
    GVS_BOTH = 3,
};

// The cells of a grid and everything about them that does not need a window:
// counts, sizes, attributes, defaults, measuring and auto-sizing. Reports and
// export fill and read a grid through this class; CGridCtrl shows one.
//
// Row tops and column lefts are kept as running sums, so that finding the
// rows at a scroll position or under the mouse costs a binary search, not a
// walk over every row.
class CGridCellModel
{
public:
    CGridCellModel();
    ~CGridCellModel();
    CGridCellModel(const CGridCellModel &) = delete;
    CGridCellModel &operator=(const CGridCellModel &) = delete;

    // Counts. Setting a count to what it is returns true and changes nothing;
    // a fixed count above the total raises the total; a total below the fixed
    // count lowers the fixed count. Negative counts are refused, and so is a
    // grid whose cells cannot be had (the grid then stays as it was).
    int GetRowCount() const { return m_rowCount; }
    int GetColumnCount() const { return m_colCount; }
    int GetFixedRowCount() const { return m_fixedRows; }
    int GetFixedColumnCount() const { return m_fixedCols; }
    bool SetRowCount(int rows);
    bool SetColumnCount(int cols);
    bool SetFixedRowCount(int rows);
    bool SetFixedColumnCount(int cols);
    // No rows, no columns, no cells, no sizes; defaults, fonts, pictures and
    // the image list stay.
    void DeleteAllItems();
    // Inserts an empty row or column before `row` / `col` (the count appends)
    // with the default size; deleting one inside the fixed rows or columns
    // also lowers the fixed count. False outside the grid.
    bool InsertRow(int row);
    bool InsertColumn(int col);
    bool DeleteRow(int row);
    bool DeleteColumn(int col);
    bool IsValid(int row, int col) const;

    // nullptr outside the grid.
    CGridCell *GetCell(int row, int col);
    const CGridCell *GetCell(int row, int col) const;

    // Writes (or reads) the fields the mask names; false outside the grid.
    bool SetItem(const GV_ITEM &item);
    bool GetItem(GV_ITEM &item) const;
    bool SetItemText(int row, int col, const QString &text);
    QString GetItemText(int row, int col) const;
    bool SetItemFormat(int row, int col, unsigned format);
    unsigned GetItemFormat(int row, int col) const;
    bool SetItemImage(int row, int col, int image);
    int GetItemImage(int row, int col) const;
    bool SetItemFont(int row, int col, const LOGFONT &font);
    const LOGFONT *GetItemFont(int row, int col) const;
    bool SetItemFgColour(int row, int col, COLORREF colour);
    COLORREF GetItemFgColour(int row, int col) const;
    bool SetItemBkColour(int row, int col, COLORREF colour);
    COLORREF GetItemBkColour(int row, int col) const;
    bool SetItemState(int row, int col, unsigned state);
    unsigned GetItemState(int row, int col) const;
    bool SetItemData(int row, int col, std::intptr_t data);
    std::intptr_t GetItemData(int row, int col) const;

    // The defaults of the normal region, the fixed rows, the fixed columns
    // and the fixed corner.
    CGridDefaultCell *GetDefaultCell(bool fixedRow, bool fixedCol);
    const CGridDefaultCell *GetDefaultCell(bool fixedRow, bool fixedCol) const;

    // Sizes in pixels; -1 (get) or false (set) outside the grid.
    int GetRowHeight(int row) const;
    bool SetRowHeight(int row, int height);
    int GetColumnWidth(int col) const;
    bool SetColumnWidth(int col, int width);
    int GetDefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height) { m_defaultRowHeight = qMax(0, height); }
    int GetDefaultColumnWidth() const { return m_defaultColWidth; }
    void SetDefaultColumnWidth(int width) { m_defaultColWidth = qMax(0, width); }
    int GetVirtualWidth() const { return GetColumnLeft(m_colCount); }
    int GetVirtualHeight() const { return GetRowTop(m_rowCount); }
    int GetFixedRowHeight() const { return GetRowTop(m_fixedRows); }
    int GetFixedColumnWidth() const { return GetColumnLeft(m_fixedCols); }
    // Where a row or column starts, from the top-left of the grid; the count
    // itself gives the total.
    int GetRowTop(int row) const;
    int GetColumnLeft(int col) const;
    // The row or column a point of the unscrolled grid falls in; -1 outside.
    // Zero-size rows and columns are never hit.
    int RowAtY(int y) const;
    int ColumnAtX(int x) const;

    // Sizes rows and columns to their contents (styles GVS_*; 0 is both).
    // Considered rows with a height start at 1; each shown column starts at
    // 0; both grow to the largest cell extent. Hidden rows and columns (size
    // 0) are left as they are and their cells do not count.
    bool AutoSize(int style = GVS_DEFAULT);
    QSize GetTextExtent(int row, int col) const;
    QSize GetCellExtent(int row, int col) const;

    // 0 none, 1 horizontal, 2 vertical, 3 both; other values are refused.
    bool SetGridLines(int lines);
    int GetGridLines() const { return m_gridLines; }
    COLORREF GetGridLineColor() const { return m_gridLineColor; }
    void SetGridLineColor(COLORREF colour) { m_gridLineColor = colour; }
    COLORREF GetGridBkColor() const { return m_gridBkColor; }
    void SetGridBkColor(COLORREF colour) { m_gridBkColor = colour; }

    // The picture shown centred while the grid has neither rows nor columns:
    // a built-in one by id (clears any bitmap) or a caller's bitmap (clears
    // the id).
    void SetBkPictureId(int id);
    void SetBkPicture(const QImage &picture);
    int GetBkPictureId() const { return m_bkPictureId; }
    // The picture to show; null when none is set or the id names no picture.
    QImage GetBkPicture() const;
    static QString BuiltInPicturePath(int id);

    // Images that cells refer to by index.
    void SetImageList(const QList<QImage> &images) { m_images = images; }
    const QList<QImage> &GetImageList() const { return m_images; }
    const QImage *GetImage(int index) const;

    // The one copy of a font description every cell using it points to.
    const LOGFONT *InternFont(const LOGFONT &font);
    CGridTextMetrics &Metrics() const { return m_metrics; }
    // What a stored cell needs: the region defaults where it has no value.
    QSize CellExtent(const CGridCell &cell) const;

private:
    int Index(int row, int col) const { return row * m_colCount + col; }
    static bool MayHold(qint64 rows, qint64 cols);
    // One cell's write or read; false or the fallback outside the grid.
    template<typename F>
    bool Write(int row, int col, F &&write)
    {
        CGridCell *cell = GetCell(row, col);
        if (cell)
            write(*cell);
        return cell != nullptr;
    }
    template<typename T, typename F>
    T Read(int row, int col, T fallback, F &&read) const
    {
        const CGridCell *cell = GetCell(row, col);
        return cell ? read(*cell) : fallback;
    }
    unsigned PositionState(int row, int col) const;
    void RefreshPositionState(int rowFrom, int rowTo, int colFrom, int colTo);
    void EnsureOffsets() const;

    int m_rowCount = 0;
    int m_colCount = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    std::vector<CGridCell, BulkAllocator<CGridCell>> m_cells;
    std::vector<int> m_rowHeights;
    std::vector<int> m_colWidths;
    mutable std::vector<int> m_rowTops;
    mutable std::vector<int> m_colLefts;
    mutable bool m_rowsDirty = true;
    mutable bool m_colsDirty = true;
    int m_defaultRowHeight;
    int m_defaultColWidth;

    std::deque<LOGFONT> m_fonts;
    QHash<LOGFONT, const LOGFONT *> m_fontIndex;
    std::unique_ptr<CGridDefaultCell> m_defaults[4];
    mutable CGridTextMetrics m_metrics;

    int m_gridLines = GVL_BOTH;
    COLORREF m_gridLineColor = MakeColorRef(192, 192, 192);
    COLORREF m_gridBkColor = MakeColorRef(192, 192, 192);
    int m_bkPictureId = 0;
    QImage m_bkPicture;
    QImage m_bkLoaded;
    QList<QImage> m_images;
};
