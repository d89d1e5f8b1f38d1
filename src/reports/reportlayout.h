#pragma once

#include "reports/reportcell.h"

#include <cstdint>
#include <vector>

// What the view renders: the grid's size and its cells, applied in list
// order so that a later cell at the same position wins.
struct ReportLayout {
    std::int32_t rowCount = 0;
    std::int32_t columnCount = 0;
    std::vector<ReportCell> cells;
};

class CGridCellModel;

// Writes one cell the way the view renders layouts: its text with format
// 0x12 when right-aligned, else 0x10, then its font and image when it has
// them. False when the cell lies outside the grid (nothing is written).
bool ApplyReportCell(CGridCellModel &grid, const ReportCell &cell);

// Empties the grid and writes the layout into it as the report view shows
// it: the size, no fixed rows or columns, the corner text, every cell. The
// view and the command line fill a grid through this one function.
void FillReportGrid(CGridCellModel &grid, const ReportLayout &layout);
