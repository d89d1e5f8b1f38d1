#pragma once

#include <QString>

// The largest grid the program lays out for a caller outside it: an add-in
// or a bus client writing the report grid or handing it cells, or a query
// they have shown. Well above the program's own largest report (a year's
// list on a million transactions, about 62,300 rows by 7 columns), so that a
// wrong or hostile size is refused before anything is allocated.
struct CGridBound {
    static constexpr int kMaxRows = 1'000'000;
    static constexpr int kMaxColumns = 1'000;
    static constexpr qint64 kMaxCells = 2'000'000;
    // A row's height or a column's width, in pixels: a million rows at most
    // this tall still measure within an int.
    static constexpr int kMaxCellSize = 2'000;

    // Empty when a grid of `rows` by `cols` fits; otherwise why not.
    static QString Refusal(qint64 rows, qint64 cols);
    static QString SizeRefusal(qint64 pixels);
};
