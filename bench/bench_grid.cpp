// The report grid at the size of a large year's list report: laying it out,
// sizing it and painting it once, then scrolling through it a screen at a
// time.
#include "base/amounttext.h"
#include "benchgui.h"
#include "controls/gridctrl.h"
#include "data/tallywickdata.h"
#include "reports/reportformat.h"
#include "reports/tallywickview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>
#include <QImage>
#include <QScrollBar>

#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 7;
const QSize kScreen(1280, 800);

// A list of all expenses over a year: date, description, category, amount,
// with the header and footer a list report has.
ReportLayout YearList()
{
    static const char *const categories[] = {"Rent", "Groceries", "Fuel", "Electricity", "Water", "Phone",
                                              "Insurance", "Repairs", "Stationery", "Travel", "Salary",
                                              "Advertising", "Bank charges", "Cleaning", "Postage", "Meals"};
    static const char *const words[] = {"Weekly", "Monthly", "Shop", "Office", "Van", "Supplier", "Invoice",
                                        "Cash", "Card", "Refund"};
    ReportLayout layout;
    layout.rowCount = kRows;
    layout.columnCount = kColumns;
    layout.cells.reserve(size_t(kRows) * 4 + 32);
    auto add = [&](int column, int row, QString text, std::uint8_t alignment = kAlignLeft) {
        ReportCell cell;
        cell.column = column;
        cell.row = row;
        cell.text = std::move(text);
        cell.alignment = alignment;
        layout.cells.push_back(std::move(cell));
    };
    ReportCell unit;
    unit.column = 1;
    unit.row = 1;
    unit.text = QStringLiteral("Unit");
    unit.font = ReportTitleFont();
    layout.cells.push_back(unit);
    add(1, 2, QStringLiteral("Date"));
    add(2, 2, QStringLiteral("From Jan/01/2024 To Dec/31/2024"));
    add(1, 6, QStringLiteral("Date"));
    add(2, 6, QStringLiteral("Description"));
    add(3, 6, QStringLiteral("Category"));
    add(4, 6, AmountHeading(QStringLiteral("$")), kAlignRight);
    const QDate start(2024, 1, 1);
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFu;
    };
    const int last = kRows - 6;
    for (int row = 8; row < last; ++row) {
        const QDate day = start.addDays((row - 8) * 366 / (last - 8));
        add(1, row, day.toString(QStringLiteral("MMM/dd/yyyy")));
        add(2, row, QStringLiteral("%1 %2 %3").arg(QLatin1String(words[next() % 10]),
                                                   QLatin1String(words[next() % 10]))
                        .arg(next() % 500));
        add(3, row, QLatin1String(categories[next() % 16]));
        add(4, row, FormatAmount(double(next() % 200000) / 100.0), kAlignRight);
    }
    add(4, last, kRulePeriod, kAlignRight);
    add(3, last + 1, QStringLiteral("Total"));
    add(4, last + 1, FormatAmount(1234567.5), kAlignRight);
    return layout;
}

const ReportLayout &Layout()
{
    static const ReportLayout layout = YearList();
    return layout;
}

void PaintOnce(CGridCtrl &grid, QImage &target)
{
    grid.viewport()->render(&target);
}

// From a fresh view, so nothing is measured in advance.
void BM_ShowReportAutoSizePaint(benchmark::State &state)
{
    CTallywickData data;
    QImage target(kScreen, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<CTallywickView>(data);
        view->resize(kScreen);
        view->OnInitialUpdate();
        view->GetGrid()->resize(kScreen);
        state.ResumeTiming();

        view->ShowReport(Layout());
        PaintOnce(*view->GetGrid(), target);
        benchmark::DoNotOptimize(target.constBits());

        state.PauseTiming();
        view.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
    state.counters["cells"] = double(Layout().cells.size());
}
BENCHMARK(BM_ShowReportAutoSizePaint)->Unit(benchmark::kMillisecond)->Iterations(5);

// One screenful further down per iteration, wrapping at the end.
void BM_ScrollRepaint(benchmark::State &state)
{
    CTallywickData data;
    CTallywickView view(data);
    view.resize(kScreen);
    view.OnInitialUpdate();
    CGridCtrl &grid = *view.GetGrid();
    grid.resize(kScreen);
    view.ShowReport(Layout());
    QImage target(kScreen, QImage::Format_RGB32);
    PaintOnce(grid, target);
    QScrollBar *bar = grid.verticalScrollBar();
    const int step = bar->pageStep();
    int position = 0;
    for (auto _ : state) {
        position += step;
        if (position > bar->maximum())
            position = 0;
        bar->setValue(position);
        PaintOnce(grid, target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["rows_per_screen"] = double(kScreen.height()) / grid.GetRowHeight(10);
}
BENCHMARK(BM_ScrollRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunGuiBenchmarks(argc, argv);
}
