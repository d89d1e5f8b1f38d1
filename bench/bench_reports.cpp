// The period, advanced and list reports on the 1,000,000-row database: from
// OK (query, layout) to the grid painted once.
#include "benchdata.h"
#include "benchgui.h"

#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "data/tallywickdata.h"
#include "reports/advancedreport.h"
#include "reports/listreport.h"
#include "reports/periodreport.h"
#include "reports/reportqueries.h"
#include "reports/tallywickview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <memory>

namespace {

constexpr long kBenchRows = 1000000;
const QSize kScreen(1280, 800);
const QDate kFrom(2020, 1, 1);
const QDate kTo(2020, 12, 31);

struct CBenchSetup {
    CTallywickData data;
    std::unique_ptr<CTallywickView> view;
    QImage target{kScreen, QImage::Format_RGB32};

    CBenchSetup()
    {
        data.connection.Open(kProviderSetting + QStringLiteral("Data Source=") + BenchDatabase(kBenchRows), kDbUser,
                             kDbPassword);
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.company.cName = QStringLiteral("Bench Ltd");
        for (int u = 0; u < 5; ++u)
            data.company.units << QStringLiteral("Unit %1").arg(u);
        for (int c = 0; c < 40; ++c)
            (c < 10 ? data.incomeCategories : data.expenseCategories)
                .append(CCategoryEntry{c, QStringLiteral("Category %1").arg(c), {}, short(c < 10 ? 1 : 2)});
        view = std::make_unique<CTallywickView>(data);
        view->resize(kScreen);
        view->OnInitialUpdate();
        view->GetGrid()->resize(kScreen);
    }
    void Paint() { view->GetGrid()->viewport()->render(&target); }
};

// Never destroyed: its view must not outlive the application object.
CBenchSetup &Setup()
{
    static CBenchSetup *setup = new CBenchSetup;
    return *setup;
}

void BM_PeriodReportYear(benchmark::State &state)
{
    CBenchSetup &s = Setup();
    for (auto _ : state) {
        s.view->ShowReport(PeriodReport(s.data, PeriodRequest{2, kFrom, kTo, nullptr}));
        s.Paint();
    }
}
BENCHMARK(BM_PeriodReportYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_AdvancedReportAllUnitsYear(benchmark::State &state)
{
    CBenchSetup &s = Setup();
    AdvancedQueryInput input;
    input.from = kFrom;
    input.to = kTo;
    input.units = s.data.company.units;
    for (const CCategoryEntry &c : s.data.incomeCategories)
        input.incomeNames << c.cTransactionName;
    for (const CCategoryEntry &c : s.data.expenseCategories)
        input.expenseNames << c.cTransactionName;
    for (auto _ : state) {
        ShowAdvancedReport(*s.view, *AdvancedReport(s.data, input));
        s.Paint();
    }
}
BENCHMARK(BM_AdvancedReportAllUnitsYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ListAllExpensesYear(benchmark::State &state)
{
    CBenchSetup &s = Setup();
    ListQueryInput input;
    input.type = 2;
    input.from = kFrom;
    input.to = kTo;
    input.allCategories = true;
    input.allUnits = true;
    input.sortByDate = true;
    const QString sql = BuildListQuery(input).sql;
    long long rows = 0;
    for (auto _ : state) {
        const ReportLayout layout = ListReport(s.data, input, sql);
        rows = layout.rowCount;
        s.view->ShowReport(layout);
        s.Paint();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ListAllExpensesYear)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

} // namespace

int main(int argc, char **argv)
{
    return RunGuiBenchmarks(argc, argv);
}
