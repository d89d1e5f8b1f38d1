// The chart dialog and each kind of chart in the view, on the sample.
#include "gallery.h"

#include "data/tallywickdata.h"
#include "reports/chartdlg.h"
#include "reports/chartfigure.h"
#include "reports/chartpanel.h"
#include "reports/tallywickview.h"

#include <QRadioButton>

namespace {

const QDate kFrom(2026, 1, 1);
const QDate kTo(2026, 4, 30);

// Also for figures no sample holds: twelve years of months, a dozen categories.
QWidget *MadeUpChart(ChartSeries series, const ChartRequest &request)
{
    auto *view = new CTallywickView(SampleData());
    view->resize(1000, 640);
    view->ShowChart(request, std::move(series), MakeChartTexts(request, SampleData()));
    return view;
}

QWidget *ChartView(const ChartRequest &request)
{
    return MadeUpChart(ComputeChartSeries(SampleData().connection, request, SampleData().company.units), request);
}

const GalleryRegistration dialog("charts-dialog", [] {
    static CTallywickView *spare = new CTallywickView(SampleData());
    auto *dlg = new CChartDlg(SampleData(), *spare);
    dlg->SetDates(kFrom, kTo);
    Child<QRadioButton>(dlg, 1309)->click();
    return Sized(dlg);
});

const GalleryRegistration monthly("charts-monthly", [] {
    return ChartView(ChartRequest{ChartKind::Monthly, kFrom, kTo, std::nullopt, 2});
});

const GalleryRegistration years("charts-monthly-twelve-years", [] {
    ChartSeries series;
    ChartRequest request{ChartKind::Monthly, QDate(2015, 1, 1), QDate(2026, 12, 31), std::nullopt, 2};
    for (QDate m = request.from; m <= request.to; m = m.addMonths(1)) {
        const int i = int(series.points.size());
        series.points.push_back({QString(), m, 300000 + (i * 7919) % 90000, 260000 + (i * 104729) % 120000});
    }
    series.records = series.points.size();
    return MadeUpChart(series, request);
});

const GalleryRegistration category("charts-category", [] {
    return ChartView(ChartRequest{ChartKind::Category, kFrom, kTo, std::nullopt, 2});
});

const GalleryRegistration other("charts-category-other", [] {
    ChartSeries series;
    series.kind = ChartKind::Category;
    const char *names[] = {"Rent", "Wages", "Flour", "Van Fuel", "Electricity", "Butter", "Sugar",
                           "Insurance", "Bank Charges", "Packaging", "Repairs", "Advertising"};
    qint64 amount = 185000;
    for (const char *name : names) {
        series.points.push_back({QString::fromUtf8(name), {}, 0, amount});
        amount = amount * 2 / 3;
    }
    series.records = series.points.size();
    return MadeUpChart(series, ChartRequest{ChartKind::Category, kFrom, kTo, std::nullopt, 2});
});

const GalleryRegistration units("charts-unit", [] {
    return ChartView(ChartRequest{ChartKind::Unit, kFrom, kTo, std::nullopt, 2});
});

// A bar's transactions, with the way back to the chart.
const GalleryRegistration drillDown("charts-unit-drilldown", [] {
    auto *view = static_cast<CTallywickView *>(ChartView(ChartRequest{ChartKind::Unit, kFrom, kTo, std::nullopt, 2}));
    ListQueryInput input;
    if (view->Chart()->DrillDown(2, 0, input))
        emit view->Chart()->TransactionsWanted(input);
    return static_cast<QWidget *>(view);
});

const GalleryRegistration files("charts-file", [](const QString &folder) {
    const ChartRequest request{ChartKind::Monthly, kFrom, kTo, std::nullopt, 2};
    const ChartSeries series = ComputeChartSeries(SampleData().connection, request, SampleData().company.units);
    WriteChartFile(series, MakeChartTexts(request, SampleData()), QSize(900, 560), folder + QStringLiteral("/charts-file.png"));
});

} // namespace
