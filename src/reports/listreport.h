#pragma once

#include "reports/reportlayout.h"

#include <QString>

#include <vector>

class CDbConnection;
class CReportBuilder;
class CTallywickData;
struct ListQueryInput;

// One listed transaction, as it is shown.
struct ListRow {
    QString date;
    QString description;
    QString category;
    // Two decimals, as every report shows amounts (the stored value is kept).
    QString amountText;
    double amount = 0.0;
    QString unit;
};

// Runs a list query; dates come out in the user's date format.
std::vector<ListRow> ReadListRows(CDbConnection &connection, const QString &sql, const QString &dateFormat);

// Headings, one row per transaction, the total and the contact lines; the
// header must be written. Rows of more than one unit get the unit in a
// column after the amount, so every other cell stays where it is. Leaves the current row at the layout's end less
// its margin. The rows' texts move into the cells.
void WriteListReport(CReportBuilder &builder, std::vector<ListRow> rows);

// The grid margin below a list and the right-aligned column.
constexpr int kListRowMargin = 6;
constexpr int kListAmountColumn = 4;
constexpr int kListUnitColumn = 5;

// What the view shows: the builder's cells, taken over, with the amount
// column right-aligned, six rows to spare.
ReportLayout ListLayout(CReportBuilder &&builder);

// Runs a ready list query (BuildListQuery gave kListReady) and lays out the
// report in mode 3 for incomes, 4 for expenses. Database failures throw.
ReportLayout ListReport(CTallywickData &data, const ListQueryInput &input, const QString &sql);
