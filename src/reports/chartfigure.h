#pragma once

#include "reports/chartseries.h"

#include <QColor>
#include <QList>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QChart;
class QPainter;
class QPrinter;
class QRectF;
class CTallywickData;

// The texts around a chart: what it shows, for which period and units, and
// the currency of its amounts.
struct ChartTexts {
    QString title;
    QString subtitle;
    QString currency;
};
ChartTexts MakeChartTexts(const ChartRequest &request, const CTallywickData &data);

// Colours that read on the given background: dark text and strong colours
// on light backgrounds, light ones on dark backgrounds. Print uses white.
struct ChartPalette {
    QColor background;
    QColor text;
    QColor grid;
    QColor income;
    QColor expense;
    QColor balance;
    QList<QColor> slices;
};
ChartPalette PaletteFor(const QColor &background);

// A month as the axis and the tooltips name it: "Mar 2026".
QString MonthLabel(const QDate &month);
// "123.45 $": an exact figure with the currency.
QString AmountWithCurrency(qint64 cents, const QString &currency);

// The amount axis around figures from `low` to `high`: zero always on it,
// a little room beyond the outermost figures and no more, ticks every
// `interval` counted from zero, `decimals` in their labels.
struct AmountAxisFit {
    double min = 0.0;
    double max = 1.0;
    double interval = 1.0;
    int decimals = 0;
};
AmountAxisFit FitAmountAxis(double low, double high);

// A finished chart: title, legend, axes with the currency; the month bars
// or unit bars carry a net balance, the donut its shares.
std::unique_ptr<QChart> BuildChart(const ChartSeries &series, const ChartTexts &texts, const ChartPalette &palette);

// Draws the chart scaled into `target`, its shape kept.
void RenderChart(QChart &chart, QPainter &painter, const QRectF &target);

// Writes the chart to a file in the format its extension names: .png, .svg
// and .pdf drawn at `size` pixels (points for PDF), .csv the series. Needs
// no display. Empty on success, else why it failed.
enum class ChartFileFormat { Png, Svg, Pdf, Csv, Unknown };
ChartFileFormat ChartFormatFor(const QString &path);
QString WriteChartFile(const ChartSeries &series, const ChartTexts &texts, const QSize &size, const QString &path);

// What a command line needs: the series of the request drawn to `path`;
// "No records found." for an empty period. Database failures throw.
QString ChartToFile(CTallywickData &data, const ChartRequest &request, const QSize &size, const QString &path);
// "800x600" as a size; nothing for anything else.
std::optional<QSize> ParseChartSize(const QString &text);

// Prints the chart on one page of the printer, in print colours.
void PaintChartPage(const ChartSeries &series, const ChartTexts &texts, QPainter &painter, const QRectF &page);
