// Exporting a year's list of expenses (about 40,000 rows of 7 columns, as on
// the 1,000,000-row database) to a CSV and a text file.
#include "base/amounttext.h"
#include "benchgui.h"
#include "controls/gridcellmodel.h"
#include "reports/reportexport.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QTemporaryDir>

namespace {

constexpr int kRows = 40000;
constexpr int kColumns = 7;

// Filled the way a list report fills the grid: header, dated rows with a
// description, a category and an amount, totals.
const CGridCellModel &YearList()
{
    static CGridCellModel grid;
    if (grid.GetRowCount() > 0)
        return grid;
    static const char *const categories[] = {"Rent", "Groceries", "Fuel", "Electricity", "Water", "Phone",
                                              "Insurance", "Repairs", "Stationery", "Travel"};
    static const char *const words[] = {"Weekly", "Monthly, shop", "Office", "Van \"blue\"", "Supplier", "Invoice"};
    grid.SetRowCount(kRows);
    grid.SetColumnCount(kColumns);
    grid.SetItemText(0, 0, QStringLiteral("        "));
    grid.SetItemText(1, 1, QStringLiteral("Unit"));
    grid.SetItemText(1, 2, QStringLiteral("All Units"));
    grid.SetItemText(2, 1, QStringLiteral("Date"));
    grid.SetItemText(2, 2, QStringLiteral("From Jan/01/2024 To Dec/31/2024"));
    grid.SetItemText(5, 1, QStringLiteral("Date"));
    grid.SetItemText(5, 2, QStringLiteral("Description"));
    grid.SetItemText(5, 3, QStringLiteral("Category"));
    grid.SetItemText(5, 4, QStringLiteral("Amount ($)"));
    const QDate start(2024, 1, 1);
    unsigned seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    double total = 0;
    for (int r = 7; r < kRows - 6; ++r) {
        const double amount = double(next() % 100000) / 100.0;
        total += amount;
        grid.SetItemText(r, 1, start.addDays((r * 366) / kRows).toString(QStringLiteral("MMM/dd/yyyy")));
        grid.SetItemText(r, 2, QString::fromLatin1(words[next() % std::size(words)]));
        grid.SetItemText(r, 3, QString::fromLatin1(categories[next() % std::size(categories)]));
        grid.SetItemText(r, 4, FormatAmount(amount));
    }
    grid.SetItemText(kRows - 5, 4, QStringLiteral("============="));
    grid.SetItemText(kRows - 4, 3, QStringLiteral("Total"));
    grid.SetItemText(kRows - 4, 4, FormatAmount(total));
    return grid;
}

void Export(benchmark::State &state, const char *name)
{
    const CGridCellModel &grid = YearList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    for (auto _ : state) {
        if (ReportExport::WriteFile(grid, path) != ReportExport::Outcome::Written)
            state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ExportYearListCsv(benchmark::State &state)
{
    Export(state, "year.csv");
}
BENCHMARK(BM_ExportYearListCsv)->Unit(benchmark::kMillisecond);

void BM_ExportYearListText(benchmark::State &state)
{
    Export(state, "year.txt");
}
BENCHMARK(BM_ExportYearListText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunGuiBenchmarks(argc, argv);
}
