#pragma once

#include "reports/periodreport.h"
#include "reports/reportlayout.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class CReportBuilder;
class CTallywickData;
class CTallywickView;

// The category sums of one chosen unit.
struct AdvancedUnitRows {
    QString unit;
    std::vector<CategorySum> rows;
};

struct AdvancedLayout {
    ReportLayout layout;
    // (column, row) of the cells drawn in blue: the net balance.
    std::vector<std::pair<int, int>> blueCells;
    double netBalance = 0.0;
};

// Header, one block per unit in the given order, the net balance over all
// of them and the contact lines; 9 columns. `period` is the text beside
// "Date".
AdvancedLayout BuildAdvancedReport(CReportBuilder &builder, const QString &period,
                                   const std::vector<AdvancedUnitRows> &units);

// Shows the layout and colours its blue cells.
void ShowAdvancedReport(CTallywickView &view, const AdvancedLayout &report);

// Runs one query per chosen unit, in the order given. Nothing when no unit
// has a record ("No records found."). Database failures throw.
std::optional<AdvancedLayout> AdvancedReport(CTallywickData &data, const AdvancedQueryInput &input);
