#include "reports/advancedreport.h"

#include "base/amounttext.h"
#include "controls/gridctrl.h"
#include "reports/reportbuilder.h"
#include "reports/tallywickview.h"

#include <algorithm>

namespace {

// The advanced report names cells by row first.
class CAdvancedWriter
{
public:
    explicit CAdvancedWriter(CReportBuilder &builder) : m_b(builder) {}

    void Text(int row, int column, const QString &text, std::uint8_t alignment = kAlignLeft,
              std::optional<LOGFONT> font = std::nullopt)
    {
        ReportCell cell;
        cell.row = row;
        cell.column = column;
        cell.text = text;
        cell.alignment = alignment;
        cell.font = font;
        m_b.AddCell(cell);
    }
    void Right(int row, int column, const QString &text) { Text(row, column, text, kAlignRight); }

    // Returns the unit's balance in cents; `row` moves two rows past the last
    // rule.
    qint64 UnitBlock(int &row, const AdvancedUnitRows &unit, const QString &amountHeading)
    {
        const int u = row + 1;
        Text(u, 2, QStringLiteral("Unit :-"), kAlignLeft, ReportUnitFont());
        Text(u, 3, unit.unit, kAlignLeft, ReportUnitFont());
        Text(u + 2, 2, QStringLiteral("Income"));
        Text(u + 2, 5, QStringLiteral("Expense"));
        Text(u + 3, 2, kRuleAdvanced);
        Text(u + 3, 5, kRuleAdvanced);
        Text(u + 4, 2, QStringLiteral("Category"));
        Right(u + 4, 3, amountHeading);
        Text(u + 4, 5, QStringLiteral("Category"));
        Right(u + 4, 6, amountHeading);
        SectionRule(u + 5);

        int incomeRow = u + 6;
        int expenseRow = u + 6;
        qint64 income = 0;
        qint64 expense = 0;
        for (const CategorySum &sum : unit.rows) {
            const qint64 cents = AmountCents(sum.amount);
            if (sum.type == 1) {
                Text(incomeRow, 2, sum.name);
                Right(incomeRow++, 3, FormatCents(cents));
                income += cents;
            } else if (sum.type == 2) {
                Text(expenseRow, 5, sum.name);
                Right(expenseRow++, 6, FormatCents(cents));
                expense += cents;
            }
        }
        const int rule = std::max(incomeRow, expenseRow) + 1;
        SectionRule(rule);
        Text(rule + 1, 2, QStringLiteral("Total"));
        Right(rule + 1, 3, FormatCents(income));
        Text(rule + 1, 5, QStringLiteral("Total"));
        Right(rule + 1, 6, FormatCents(expense));
        Right(rule + 2, 3, kRuleAdvanced);
        Right(rule + 2, 6, kRuleAdvanced);
        Text(rule + 3, 5, QStringLiteral("Balance:"), kAlignLeft, ReportBalanceFont());
        Text(rule + 3, 6, FormatCents(income - expense), kAlignRight, ReportBalanceFont());
        Right(rule + 4, 6, kRuleAdvanced);
        row = rule + 6;
        return income - expense;
    }

private:
    void SectionRule(int row)
    {
        Text(row, 2, kRuleAdvancedSection);
        Right(row, 3, kRuleAdvancedSection);
        Text(row, 5, kRuleAdvancedSection);
        Right(row, 6, kRuleAdvancedSection);
    }

    CReportBuilder &m_b;
};

} // namespace

AdvancedLayout BuildAdvancedReport(CReportBuilder &builder, const QString &period,
                                   const std::vector<AdvancedUnitRows> &units)
{
    CAdvancedWriter w(builder);
    AdvancedLayout report;
    std::size_t records = 0;
    for (const AdvancedUnitRows &unit : units)
        records += unit.rows.size();

    w.Text(2, 2, QStringLiteral("Name"), kAlignLeft, ReportTitleFont());
    w.Text(2, 3, builder.Company().cName, kAlignLeft, ReportTitleFont());
    w.Text(3, 2, QStringLiteral("Date"));
    w.Text(3, 3, period);
    if (builder.PrintsLogo()) {
        ReportCell logo;
        logo.row = 3;
        logo.column = 6;
        logo.image = 0;
        builder.AddCell(logo);
    }

    int row = 4;
    const QString heading = AmountHeading(builder.Settings().cCurrency);
    qint64 net = 0;
    for (const AdvancedUnitRows &unit : units)
        net += w.UnitBlock(row, unit, heading);
    report.netBalance = double(net) / 100.0;

    w.Text(row, 5, QStringLiteral("Net Balance:"), kAlignLeft, ReportBalanceFont());
    w.Text(row, 6, FormatCents(net), kAlignRight, ReportBalanceFont());
    report.blueCells = {{5, row}, {6, row}};
    w.Right(row + 1, 6, kRuleAdvanced);
    builder.WriteContactFooter(row + 3, kAdvancedContact);

    report.layout.columnCount = 9;
    report.layout.rowCount = int(records) + 22 * int(units.size()) + 20;
    report.layout.cells = builder.TakeCells();
    return report;
}

void ShowAdvancedReport(CTallywickView &view, const AdvancedLayout &report)
{
    view.ShowReport(report.layout);
    CGridCtrl *grid = view.GetGrid();
    if (!grid)
        return;
    for (const auto &[column, row] : report.blueCells)
        grid->SetItemFgColour(row, column, kReportBlue);
}

std::optional<AdvancedLayout> AdvancedReport(CTallywickData &data, const AdvancedQueryInput &input)
{
    std::vector<AdvancedUnitRows> units;
    std::size_t records = 0;
    for (const QString &unit : input.units) {
        units.push_back({unit, ReadCategorySums(data.connection, AdvancedQuery(input, unit),
                                                QStringLiteral("cTransactionAmountSum"))});
        records += units.back().rows.size();
    }
    if (records == 0)
        return std::nullopt;
    CReportBuilder b(kPeriodReport, data);
    return BuildAdvancedReport(b, PeriodLabel(kPeriodReport, input.from, input.to, data.settings.dateFormat), units);
}
