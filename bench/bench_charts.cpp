// Charts on the 1,000,000-row database: from OK (query, series) to the
// chart painted once in a 1280 x 800 view.
#include "benchdata.h"
#include "benchgui.h"

#include "data/dbschema.h"
#include "data/tallywickdata.h"
#include "reports/chartpanel.h"
#include "reports/tallywickview.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>

#include <memory>

namespace {

const QSize kScreen(1280, 800);

struct CBenchSetup {
    CTallywickData data;
    std::unique_ptr<CTallywickView> view;
    QImage target{kScreen, QImage::Format_RGB32};

    CBenchSetup()
    {
        data.connection.Open(BenchConnection(BenchDatabase(1000000)), kDbUser, kDbPassword);
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        for (int u = 0; u < 5; ++u)
            data.company.units << QStringLiteral("Unit %1").arg(u);
        view = std::make_unique<CTallywickView>(data);
        view->resize(kScreen);
        view->OnInitialUpdate();
    }
    void Draw(const ChartRequest &request)
    {
        view->ShowChart(request, ComputeChartSeries(data.connection, request, data.company.units),
                        MakeChartTexts(request, data));
        view->Chart()->QWidget::render(&target);
        // The chart before is deleted later: now, as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Never destroyed: its view must not outlive the application object.
CBenchSetup &Setup()
{
    static CBenchSetup *setup = new CBenchSetup;
    return *setup;
}

void BM_MonthlyChartTwelveYears(benchmark::State &state)
{
    CBenchSetup &s = Setup();
    const ChartRequest request{ChartKind::Monthly, QDate(2015, 1, 1), QDate(2026, 12, 31), std::nullopt, 2};
    for (auto _ : state)
        s.Draw(request);
}
BENCHMARK(BM_MonthlyChartTwelveYears)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The query part alone: the rest is Qt Charts laying out and painting.
void BM_MonthlySeriesTwelveYears(benchmark::State &state)
{
    CBenchSetup &s = Setup();
    const ChartRequest request{ChartKind::Monthly, QDate(2015, 1, 1), QDate(2026, 12, 31), std::nullopt, 2};
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeChartSeries(s.data.connection, request, s.data.company.units));
}
BENCHMARK(BM_MonthlySeriesTwelveYears)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_CategoryDonutYear(benchmark::State &state)
{
    CBenchSetup &s = Setup();
    const ChartRequest request{ChartKind::Category, QDate(2020, 1, 1), QDate(2020, 12, 31), std::nullopt, 2};
    for (auto _ : state)
        s.Draw(request);
}
BENCHMARK(BM_CategoryDonutYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    return RunGuiBenchmarks(argc, argv);
}
