#pragma once

#include "base/amounttext.h"
#include "reports/reportqueries.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class CDbConnection;

enum class ChartKind { Monthly, Category, Unit };

// What a chart shows: the period, the units and categories (selected as the
// period report's "More Options" select them) and, for the donut, incomes
// (1) or expenses (2).
struct ChartRequest {
    ChartKind kind = ChartKind::Monthly;
    QDate from;
    QDate to;
    // No options: every unit and every category, as a plain period report.
    std::optional<MoreReportOptions> options;
    int type = 2;
};

// Figures are whole cents, so months and slices add up exactly.
struct ChartPoint {
    // "2026-03" for a month, the category or the unit name.
    QString key;
    QDate month;
    qint64 income = 0;
    qint64 expense = 0;

    qint64 Balance() const { return income - expense; }
    qint64 Amount(int type) const { return type == 1 ? income : expense; }
};

struct ChartSeries {
    ChartKind kind = ChartKind::Monthly;
    int type = 2;
    // Months in order, every month of the period, empty ones as zero;
    // categories largest first; units in the units list's order, then
    // any other unit with records.
    std::vector<ChartPoint> points;
    // Grouped rows the query returned; none means "No records found.".
    std::size_t records = 0;
};


// The message a request is refused with, 0 when it can be drawn: the donut
// needs a category of its type, the bars one of either type, a single unit
// a name.
unsigned ChartSelectionError(const ChartRequest &request);

// The statements behind each kind; every one selects with PeriodSelection.
// Month by month is one sum per month, several statements for long periods.
QStringList ChartQueries(const ChartRequest &request);

// Runs the query and builds the series. `units` orders the unit chart.
// Database failures throw.
ChartSeries ComputeChartSeries(CDbConnection &connection, const ChartRequest &request, const QStringList &units);

// The donut: the largest categories and one "Other" slice summing the rest,
// at most `maxSlices` in all. Categories of no positive amount are left out.
struct ChartSlice {
    QString name;
    qint64 amount = 0;
    // The categories behind the slice (several for "Other").
    QStringList categories;
};
inline const QString kOtherSlice = QStringLiteral("Other");
constexpr int kMaxSlices = 8;
std::vector<ChartSlice> DonutSlices(const ChartSeries &series, int maxSlices = kMaxSlices);

// One row per point with the figures, after a heading row.
QByteArray ChartCsv(const ChartSeries &series);

// The list report behind a bar or slice: `type` of the bar's set, the
// month's days within the period, or the slice's categories, or the unit.
ListQueryInput DrillDownInput(const ChartRequest &request, int type, const ChartPoint *point,
                              const QStringList &categories = {});
