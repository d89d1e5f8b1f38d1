#include "reports/reportlayout.h"

#include "controls/gridcellmodel.h"
#include "reports/reportformat.h"

bool ApplyReportCell(CGridCellModel &grid, const ReportCell &cell)
{
    GV_ITEM item;
    item.row = cell.row;
    item.col = cell.column;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.strText = cell.text;
    item.nFormat = cell.alignment == kAlignRight ? kReportRight : kReportLeft;
    if (cell.font) {
        item.mask |= GVIF_FONT;
        item.lfFont = *cell.font;
    }
    if (cell.image != -1) {
        item.mask |= GVIF_IMAGE;
        item.iImage = cell.image;
    }
    return grid.SetItem(item);
}

void FillReportGrid(CGridCellModel &grid, const ReportLayout &layout)
{
    grid.DeleteAllItems();
    grid.SetRowCount(layout.rowCount);
    grid.SetColumnCount(layout.columnCount);
    grid.SetFixedRowCount(0);
    grid.SetFixedColumnCount(0);
    grid.SetItemText(0, 0, kCornerText);
    grid.SetItemFormat(0, 0, kReportLeft);
    for (const ReportCell &cell : layout.cells)
        ApplyReportCell(grid, cell);
}
