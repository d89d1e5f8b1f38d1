#include "controls/gridcellmodel.h"

#include "controls/drawtextflags.h"

#include <algorithm>
#include <limits>
#include <new>
#include <numeric>

namespace {

constexpr unsigned kPositionBits = GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL;

int RegionIndex(bool fixedRow, bool fixedCol)
{
    return (fixedRow ? 1 : 0) | (fixedCol ? 2 : 0);
}

LOGFONT DefaultFont()
{
    return MakeLogFont(QStringLiteral("Arial"), -13, FW_NORMAL);
}

} // namespace

CGridCellModel::CGridCellModel()
{
    const LOGFONT font = DefaultFont();
    const COLORREF black = MakeColorRef(0, 0, 0);
    const COLORREF white = MakeColorRef(255, 255, 255);
    const COLORREF face = MakeColorRef(224, 224, 224);
    m_defaults[RegionIndex(false, false)] = std::make_unique<CGridDefaultCell>(this, 0, font, black, white);
    m_defaults[RegionIndex(true, false)] =
        std::make_unique<CGridDefaultCell>(this, GVIS_FIXED | GVIS_FIXEDROW, font, black, face);
    m_defaults[RegionIndex(false, true)] =
        std::make_unique<CGridDefaultCell>(this, GVIS_FIXED | GVIS_FIXEDCOL, font, black, face);
    m_defaults[RegionIndex(true, true)] =
        std::make_unique<CGridDefaultCell>(this, GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL, font, black, face);
    const CGridDefaultCell &normal = *m_defaults[0];
    m_defaultRowHeight = m_metrics.Metrics(normal.GetFont()).height() + 2 * int(normal.GetMargin());
    m_defaultColWidth = 64;
}

CGridCellModel::~CGridCellModel() = default;

unsigned CGridCellModel::PositionState(int row, int col) const
{
    unsigned state = 0;
    if (row < m_fixedRows)
        state |= GVIS_FIXED | GVIS_FIXEDROW;
    if (col < m_fixedCols)
        state |= GVIS_FIXED | GVIS_FIXEDCOL;
    return state;
}

void CGridCellModel::RefreshPositionState(int rowFrom, int rowTo, int colFrom, int colTo)
{
    rowTo = std::min(rowTo, m_rowCount);
    colTo = std::min(colTo, m_colCount);
    for (int r = std::max(0, rowFrom); r < rowTo; ++r) {
        for (int c = std::max(0, colFrom); c < colTo; ++c) {
            CGridCell &cell = m_cells[size_t(Index(r, c))];
            cell.m_state = (cell.m_state & ~kPositionBits) | PositionState(r, c);
        }
    }
}

bool CGridCellModel::SetRowCount(int rows)
{
    if (rows < 0)
        return false;
    if (rows == m_rowCount)
        return true;
    if (rows > m_rowCount && !MayHold(rows, m_colCount))
        return false;
    // Everything a larger grid needs is had first, so a refusal changes nothing.
    try {
        m_cells.reserve(size_t(rows) * size_t(m_colCount));
        m_rowHeights.reserve(size_t(rows));
    } catch (const std::bad_alloc &) {
        return false;
    }
    if (rows < m_fixedRows)
        m_fixedRows = rows;
    if (rows < m_rowCount) {
        m_cells.resize(size_t(rows) * size_t(m_colCount), CGridCell(this));
    } else {
        const int oldRows = m_rowCount;
        m_cells.resize(size_t(rows) * size_t(m_colCount), CGridCell(this));
        m_rowCount = rows;
        RefreshPositionState(oldRows, rows, 0, m_fixedCols);
        RefreshPositionState(oldRows, std::min(rows, m_fixedRows), m_fixedCols, m_colCount);
    }
    m_rowHeights.resize(size_t(rows), m_defaultRowHeight);
    m_rowCount = rows;
    m_rowsDirty = true;
    return true;
}

bool CGridCellModel::SetColumnCount(int cols)
{
    if (cols < 0)
        return false;
    if (cols == m_colCount)
        return true;
    if (cols > m_colCount && !MayHold(m_rowCount, cols))
        return false;
    const int oldCols = m_colCount;
    decltype(m_cells) cells;
    try {
        m_colWidths.reserve(size_t(cols));
        if (m_rowCount > 0 && oldCols == 0) {
            cells.assign(size_t(m_rowCount) * size_t(cols), CGridCell(this));
        } else {
            cells.reserve(size_t(m_rowCount) * size_t(cols));
            for (int r = 0; r < m_rowCount; ++r) {
                const auto from = m_cells.begin() + Index(r, 0);
                const int kept = std::min(cols, oldCols);
                cells.insert(cells.end(), std::make_move_iterator(from), std::make_move_iterator(from + kept));
                cells.resize(cells.size() + size_t(cols - kept), CGridCell(this));
            }
        }
    } catch (const std::bad_alloc &) {
        return false;
    }
    if (cols < m_fixedCols)
        m_fixedCols = cols;
    m_cells = std::move(cells);
    m_colWidths.resize(size_t(cols), m_defaultColWidth);
    m_colCount = cols;
    if (cols > oldCols) {
        RefreshPositionState(0, m_fixedRows, oldCols, cols);
        RefreshPositionState(m_fixedRows, m_rowCount, oldCols, std::min(cols, m_fixedCols));
    }
    m_colsDirty = true;
    return true;
}

bool CGridCellModel::MayHold(qint64 rows, qint64 cols)
{
    // Cells are found by an int index.
    return rows * cols <= std::numeric_limits<int>::max();
}

bool CGridCellModel::SetFixedRowCount(int rows)
{
    if (rows < 0)
        return false;
    if (rows == m_fixedRows)
        return true;
    if (rows > m_rowCount && !SetRowCount(rows))
        return false;
    const int old = m_fixedRows;
    m_fixedRows = rows;
    RefreshPositionState(std::min(old, rows), std::max(old, rows), 0, m_colCount);
    return true;
}

bool CGridCellModel::SetFixedColumnCount(int cols)
{
    if (cols < 0)
        return false;
    if (cols == m_fixedCols)
        return true;
    if (cols > m_colCount && !SetColumnCount(cols))
        return false;
    const int old = m_fixedCols;
    m_fixedCols = cols;
    RefreshPositionState(0, m_rowCount, std::min(old, cols), std::max(old, cols));
    return true;
}

void CGridCellModel::DeleteAllItems()
{
    m_cells.clear();
    m_cells.shrink_to_fit();
    m_rowHeights.clear();
    m_colWidths.clear();
    m_rowCount = m_colCount = m_fixedRows = m_fixedCols = 0;
    m_rowsDirty = m_colsDirty = true;
}

bool CGridCellModel::InsertRow(int row)
{
    if (row < 0 || row > m_rowCount || !MayHold(qint64(m_rowCount) + 1, m_colCount))
        return false;
    try {
        m_cells.reserve(m_cells.size() + size_t(m_colCount));
        m_rowHeights.reserve(m_rowHeights.size() + 1);
    } catch (const std::bad_alloc &) {
        return false;
    }
    m_cells.insert(m_cells.begin() + Index(row, 0), size_t(m_colCount), CGridCell(this));
    m_rowHeights.insert(m_rowHeights.begin() + row, m_defaultRowHeight);
    ++m_rowCount;
    m_rowsDirty = true;
    RefreshPositionState(row, m_rowCount, 0, m_colCount);
    return true;
}

bool CGridCellModel::DeleteRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return false;
    const auto first = m_cells.begin() + Index(row, 0);
    m_cells.erase(first, first + m_colCount);
    m_rowHeights.erase(m_rowHeights.begin() + row);
    --m_rowCount;
    if (row < m_fixedRows)
        --m_fixedRows;
    m_rowsDirty = true;
    RefreshPositionState(row, m_rowCount, 0, m_colCount);
    return true;
}

bool CGridCellModel::InsertColumn(int col)
{
    if (col < 0 || col > m_colCount || !MayHold(m_rowCount, qint64(m_colCount) + 1))
        return false;
    decltype(m_cells) cells;
    try {
        cells.reserve(size_t(m_rowCount) * size_t(m_colCount + 1));
        m_colWidths.reserve(m_colWidths.size() + 1);
    } catch (const std::bad_alloc &) {
        return false;
    }
    for (int r = 0; r < m_rowCount; ++r) {
        const auto from = m_cells.begin() + Index(r, 0);
        cells.insert(cells.end(), std::make_move_iterator(from), std::make_move_iterator(from + col));
        cells.emplace_back(this);
        cells.insert(cells.end(), std::make_move_iterator(from + col),
                     std::make_move_iterator(from + m_colCount));
    }
    m_cells = std::move(cells);
    m_colWidths.insert(m_colWidths.begin() + col, m_defaultColWidth);
    ++m_colCount;
    m_colsDirty = true;
    RefreshPositionState(0, m_rowCount, col, m_colCount);
    return true;
}

bool CGridCellModel::DeleteColumn(int col)
{
    if (col < 0 || col >= m_colCount)
        return false;
    decltype(m_cells) cells;
    cells.reserve(size_t(m_rowCount) * size_t(m_colCount - 1));
    for (int r = 0; r < m_rowCount; ++r) {
        const auto from = m_cells.begin() + Index(r, 0);
        cells.insert(cells.end(), std::make_move_iterator(from), std::make_move_iterator(from + col));
        cells.insert(cells.end(), std::make_move_iterator(from + col + 1),
                     std::make_move_iterator(from + m_colCount));
    }
    m_cells = std::move(cells);
    m_colWidths.erase(m_colWidths.begin() + col);
    --m_colCount;
    if (col < m_fixedCols)
        --m_fixedCols;
    m_colsDirty = true;
    RefreshPositionState(0, m_rowCount, col, m_colCount);
    return true;
}

bool CGridCellModel::IsValid(int row, int col) const
{
    return row >= 0 && row < m_rowCount && col >= 0 && col < m_colCount;
}

CGridCell *CGridCellModel::GetCell(int row, int col)
{
    return IsValid(row, col) ? &m_cells[size_t(Index(row, col))] : nullptr;
}

const CGridCell *CGridCellModel::GetCell(int row, int col) const
{
    return IsValid(row, col) ? &m_cells[size_t(Index(row, col))] : nullptr;
}

bool CGridCellModel::SetItem(const GV_ITEM &item)
{
    CGridCell *cell = GetCell(item.row, item.col);
    if (!cell)
        return false;
    if (item.mask & GVIF_TEXT)
        cell->m_text = item.strText;
    if (item.mask & GVIF_IMAGE)
        cell->m_image = item.iImage;
    if (item.mask & GVIF_PARAM)
        cell->m_data = item.lParam;
    if (item.mask & GVIF_STATE)
        cell->m_state = (item.nState & ~kPositionBits) | PositionState(item.row, item.col);
    if (item.mask & GVIF_BKCLR)
        cell->m_backClr = item.crBkClr;
    if (item.mask & GVIF_FGCLR)
        cell->m_textClr = item.crFgClr;
    if (item.mask & GVIF_FORMAT)
        cell->m_format = item.nFormat;
    if (item.mask & GVIF_FONT)
        cell->m_font = InternFont(item.lfFont);
    if (item.mask & GVIF_MARGIN)
        cell->m_margin = item.nMargin;
    return true;
}

bool CGridCellModel::GetItem(GV_ITEM &item) const
{
    const CGridCell *cell = GetCell(item.row, item.col);
    if (!cell)
        return false;
    if (item.mask & GVIF_TEXT)
        item.strText = cell->m_text;
    if (item.mask & GVIF_IMAGE)
        item.iImage = cell->m_image;
    if (item.mask & GVIF_PARAM)
        item.lParam = cell->m_data;
    if (item.mask & GVIF_STATE)
        item.nState = cell->m_state;
    if (item.mask & GVIF_BKCLR)
        item.crBkClr = cell->m_backClr;
    if (item.mask & GVIF_FGCLR)
        item.crFgClr = cell->m_textClr;
    if (item.mask & GVIF_FORMAT)
        item.nFormat = cell->GetFormat();
    if (item.mask & GVIF_FONT)
        item.lfFont = *cell->GetFont();
    if (item.mask & GVIF_MARGIN)
        item.nMargin = cell->GetMargin();
    return true;
}

bool CGridCellModel::SetItemText(int row, int col, const QString &text)
{
    return Write(row, col, [&](CGridCell &cell) { cell.m_text = text; });
}

QString CGridCellModel::GetItemText(int row, int col) const
{
    return Read(row, col, QString(), [](const CGridCell &cell) { return cell.m_text; });
}

bool CGridCellModel::SetItemFormat(int row, int col, unsigned format)
{
    return Write(row, col, [&](CGridCell &cell) { cell.m_format = format; });
}

unsigned CGridCellModel::GetItemFormat(int row, int col) const
{
    return Read(row, col, 0u, [](const CGridCell &cell) { return cell.GetFormat(); });
}

bool CGridCellModel::SetItemImage(int row, int col, int image)
{
    return Write(row, col, [&](CGridCell &cell) { cell.m_image = image; });
}

int CGridCellModel::GetItemImage(int row, int col) const
{
    return Read(row, col, -1, [](const CGridCell &cell) { return cell.m_image; });
}

bool CGridCellModel::SetItemFont(int row, int col, const LOGFONT &font)
{
    return Write(row, col, [&](CGridCell &cell) { cell.m_font = InternFont(font); });
}

const LOGFONT *CGridCellModel::GetItemFont(int row, int col) const
{
    return Read(row, col, static_cast<const LOGFONT *>(nullptr), [](const CGridCell &cell) { return cell.GetFont(); });
}

bool CGridCellModel::SetItemFgColour(int row, int col, COLORREF colour)
{
    return Write(row, col, [&](CGridCell &cell) { cell.m_textClr = colour; });
}

COLORREF CGridCellModel::GetItemFgColour(int row, int col) const
{
    return Read(row, col, CLR_DEFAULT, [](const CGridCell &cell) { return cell.m_textClr; });
}

bool CGridCellModel::SetItemBkColour(int row, int col, COLORREF colour)
{
    return Write(row, col, [&](CGridCell &cell) { cell.m_backClr = colour; });
}

COLORREF CGridCellModel::GetItemBkColour(int row, int col) const
{
    return Read(row, col, CLR_DEFAULT, [](const CGridCell &cell) { return cell.m_backClr; });
}

bool CGridCellModel::SetItemState(int row, int col, unsigned state)
{
    return Write(row, col,
                 [&](CGridCell &cell) { cell.m_state = (state & ~kPositionBits) | PositionState(row, col); });
}

unsigned CGridCellModel::GetItemState(int row, int col) const
{
    return Read(row, col, 0u, [](const CGridCell &cell) { return cell.m_state; });
}

bool CGridCellModel::SetItemData(int row, int col, std::intptr_t data)
{
    return Write(row, col, [&](CGridCell &cell) { cell.m_data = data; });
}

std::intptr_t CGridCellModel::GetItemData(int row, int col) const
{
    return Read(row, col, std::intptr_t(0), [](const CGridCell &cell) { return cell.m_data; });
}

CGridDefaultCell *CGridCellModel::GetDefaultCell(bool fixedRow, bool fixedCol)
{
    return m_defaults[RegionIndex(fixedRow, fixedCol)].get();
}

const CGridDefaultCell *CGridCellModel::GetDefaultCell(bool fixedRow, bool fixedCol) const
{
    return m_defaults[RegionIndex(fixedRow, fixedCol)].get();
}

int CGridCellModel::GetRowHeight(int row) const
{
    return row >= 0 && row < m_rowCount ? m_rowHeights[size_t(row)] : -1;
}

bool CGridCellModel::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_rowCount || height < 0)
        return false;
    m_rowHeights[size_t(row)] = height;
    m_rowsDirty = true;
    return true;
}

int CGridCellModel::GetColumnWidth(int col) const
{
    return col >= 0 && col < m_colCount ? m_colWidths[size_t(col)] : -1;
}

bool CGridCellModel::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_colCount || width < 0)
        return false;
    m_colWidths[size_t(col)] = width;
    m_colsDirty = true;
    return true;
}

void CGridCellModel::EnsureOffsets() const
{
    if (m_rowsDirty) {
        m_rowTops.resize(m_rowHeights.size() + 1);
        m_rowTops[0] = 0;
        std::partial_sum(m_rowHeights.begin(), m_rowHeights.end(), m_rowTops.begin() + 1);
        m_rowsDirty = false;
    }
    if (m_colsDirty) {
        m_colLefts.resize(m_colWidths.size() + 1);
        m_colLefts[0] = 0;
        std::partial_sum(m_colWidths.begin(), m_colWidths.end(), m_colLefts.begin() + 1);
        m_colsDirty = false;
    }
}

int CGridCellModel::GetRowTop(int row) const
{
    if (row < 0 || row > m_rowCount)
        return -1;
    EnsureOffsets();
    return m_rowTops[size_t(row)];
}

int CGridCellModel::GetColumnLeft(int col) const
{
    if (col < 0 || col > m_colCount)
        return -1;
    EnsureOffsets();
    return m_colLefts[size_t(col)];
}

int CGridCellModel::RowAtY(int y) const
{
    EnsureOffsets();
    if (y < 0 || y >= m_rowTops.back())
        return -1;
    return int(std::upper_bound(m_rowTops.begin(), m_rowTops.end(), y) - m_rowTops.begin()) - 1;
}

int CGridCellModel::ColumnAtX(int x) const
{
    EnsureOffsets();
    if (x < 0 || x >= m_colLefts.back())
        return -1;
    return int(std::upper_bound(m_colLefts.begin(), m_colLefts.end(), x) - m_colLefts.begin()) - 1;
}

QSize CGridCellModel::GetTextExtent(int row, int col) const
{
    const CGridCell *cell = GetCell(row, col);
    return cell ? cell->GetTextExtent(cell->m_text) : QSize();
}

QSize CGridCellModel::GetCellExtent(int row, int col) const
{
    const CGridCell *cell = GetCell(row, col);
    return cell ? cell->GetCellExtent() : QSize();
}

QSize CGridCellModel::CellExtent(const CGridCell &cell) const
{
    const CGridDefaultCell &region = *cell.GetDefaultCell();
    const LOGFONT *font = cell.m_font ? cell.m_font : region.GetFont();
    const unsigned format = cell.m_format != CGridCell::kInherit ? cell.m_format : region.GetFormat();
    const int margin = int(cell.m_margin != CGridCell::kInherit ? cell.m_margin : region.GetMargin());
    QSize size = m_metrics.TextExtent(font, cell.m_text, format & DT_SINGLELINE);
    if (const QImage *image = GetImage(cell.m_image)) {
        size.setWidth(size.width() + image->width() + (cell.m_text.isEmpty() ? 0 : margin));
        size.setHeight(qMax(size.height(), image->height()));
    }
    return size + QSize(2 * margin, 2 * margin);
}

bool CGridCellModel::AutoSize(int style)
{
    if (style == GVS_DEFAULT)
        style = GVS_BOTH;
    const bool fixedRows = style & GVS_HEADER;
    const bool dataRows = style & GVS_DATA;

    std::vector<char> considered(size_t(m_rowCount), 0);
    bool any = false;
    for (int r = 0; r < m_rowCount; ++r) {
        const bool wanted = r < m_fixedRows ? fixedRows : dataRows;
        if (wanted && m_rowHeights[size_t(r)] > 0) {
            considered[size_t(r)] = 1;
            m_rowHeights[size_t(r)] = 1;
            any = true;
        }
    }
    // With no row to measure, every column would shrink to nothing.
    if (!any)
        return true;
    std::vector<char> shown(size_t(m_colCount), 0);
    for (int c = 0; c < m_colCount; ++c) {
        if (m_colWidths[size_t(c)] > 0) {
            shown[size_t(c)] = 1;
            m_colWidths[size_t(c)] = 0;
        }
    }
    // One pass over the cells, row by row: the widths of the shown columns
    // and the heights of the considered rows grow together.
    for (int r = 0; r < m_rowCount; ++r) {
        if (!considered[size_t(r)])
            continue;
        int &height = m_rowHeights[size_t(r)];
        const CGridCell *row = &m_cells[size_t(Index(r, 0))];
        for (int c = 0; c < m_colCount; ++c) {
            if (!shown[size_t(c)])
                continue;
            const QSize extent = CellExtent(row[c]);
            height = std::max(height, extent.height());
            int &width = m_colWidths[size_t(c)];
            width = std::max(width, extent.width());
        }
    }
    m_rowsDirty = m_colsDirty = true;
    return true;
}

bool CGridCellModel::SetGridLines(int lines)
{
    if (lines < GVL_NONE || lines > GVL_BOTH)
        return false;
    m_gridLines = lines;
    return true;
}

QString CGridCellModel::BuiltInPicturePath(int id)
{
    return QStringLiteral(":/twk/bitmap%1.bmp").arg(id);
}

void CGridCellModel::SetBkPictureId(int id)
{
    m_bkPictureId = id;
    m_bkPicture = QImage();
    m_bkLoaded = id != 0 ? QImage(BuiltInPicturePath(id)) : QImage();
}

void CGridCellModel::SetBkPicture(const QImage &picture)
{
    m_bkPicture = picture;
    m_bkPictureId = 0;
    m_bkLoaded = QImage();
}

QImage CGridCellModel::GetBkPicture() const
{
    return m_bkPicture.isNull() ? m_bkLoaded : m_bkPicture;
}

const QImage *CGridCellModel::GetImage(int index) const
{
    if (index < 0 || index >= m_images.size() || m_images[index].isNull())
        return nullptr;
    return &m_images[index];
}

const LOGFONT *CGridCellModel::InternFont(const LOGFONT &font)
{
    const auto found = m_fontIndex.constFind(font);
    if (found != m_fontIndex.constEnd())
        return *found;
    const LOGFONT *stored = &m_fonts.emplace_back(font);
    m_fontIndex.insert(font, stored);
    return stored;
}
