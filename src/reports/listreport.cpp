#include "reports/listreport.h"

#include "base/amounttext.h"
#include "data/dbrecordset.h"
#include "data/jetsql.h"
#include "reports/periodreport.h"
#include "reports/reportbuilder.h"
#include "reports/reportqueries.h"

#include <QHash>

std::vector<ListRow> ReadListRows(CDbConnection &connection, const QString &sql, const QString &dateFormat)
{
    CDbRecordset records(connection);
    records.OpenBuilt(sql);
    std::vector<ListRow> rows;
    rows.reserve(std::size_t(records.GetRecordCount()));
    const int dateColumn = records.ColumnIndex(QStringLiteral("cTransactionDate"));
    const int descriptionColumn = records.ColumnIndex(QStringLiteral("cTransactionDescription"));
    const int nameColumn = records.ColumnIndex(QStringLiteral("cTransactionName"));
    const int amountColumn = records.ColumnIndex(QStringLiteral("cTransactionAmount"));
    const int unitColumn = records.ColumnIndex(QStringLiteral("cUnitName"));
    // A list holds a few hundred dates at most over many rows: each stored
    // date is formatted once.
    QHash<QString, QString> shownDates;
    for (; !records.IsEOF(); records.MoveNext()) {
        const QString stored = records.GetString(dateColumn);
        auto shown = shownDates.constFind(stored);
        if (shown == shownDates.constEnd()) {
            const std::optional<QDate> date = ParseJetDate(stored);
            shown = shownDates.insert(stored, date ? DisplayDate(*date, dateFormat) : stored);
        }
        const double amount = records.GetDouble(amountColumn);
        rows.push_back(ListRow{*shown, records.GetString(descriptionColumn), records.GetString(nameColumn),
                               FormatAmount(amount), amount, records.GetString(unitColumn)});
    }
    return rows;
}

namespace {

bool SeveralUnits(const std::vector<ListRow> &rows)
{
    for (const ListRow &row : rows) {
        if (row.unit != rows.front().unit)
            return true;
    }
    return false;
}

} // namespace

void WriteListReport(CReportBuilder &b, std::vector<ListRow> rows)
{
    const bool unitColumn = SeveralUnits(rows);
    // Up to five cells a row, about twenty around them.
    b.ReserveCells(5 * rows.size() + 32);
    b.AddCell(1, 4, b.ReportMode() == kIncomeList ? QStringLiteral("Income") : QStringLiteral("Expense"));
    b.AddCell(1, 5, kRulePeriod);
    b.AddCell(1, 6, QStringLiteral("Date"));
    b.AddCell(2, 6, QStringLiteral("Description"));
    b.AddCell(3, 6, QStringLiteral("Category"));
    b.AddCell(4, 6, AmountHeading(b.Settings().cCurrency));
    if (unitColumn)
        b.AddCell(kListUnitColumn, 6, QStringLiteral("Unit"));
    for (int column = 1; column <= (unitColumn ? kListUnitColumn : kListAmountColumn); ++column)
        b.AddCell(column, 7, kRulePeriod);
    b.SetCurrentRow(8);
    for (ListRow &row : rows) {
        b.AdvanceRow();
        const int r = b.CurrentRow();
        b.AddCell(1, r, std::move(row.date));
        b.AddCell(2, r, std::move(row.description));
        b.AddCell(3, r, std::move(row.category));
        b.AddCell(4, r, std::move(row.amountText));
        if (unitColumn)
            b.AddCell(kListUnitColumn, r, std::move(row.unit));
        b.AddIncome(row.amount);
    }
    const int x = b.CurrentRow();
    b.AddCell(3, x + 4, QStringLiteral("Total"));
    b.AddCell(4, x + 4, FormatCents(b.IncomeCents()));
    b.AddCell(4, x + 5, kRulePeriod);
    b.WriteContactFooter(x + 7, kListContact);
}

ReportLayout ListLayout(CReportBuilder &&builder)
{
    ReportLayout layout = std::move(builder).Layout(kListRowMargin);
    // The whole amount column reads right-aligned, the contact cell in it too.
    for (ReportCell &cell : layout.cells) {
        if (cell.column == kListAmountColumn)
            cell.alignment = kAlignRight;
    }
    return layout;
}

ReportLayout ListReport(CTallywickData &data, const ListQueryInput &input, const QString &sql)
{
    CReportBuilder b(input.type == 1 ? kIncomeList : kExpenseList, data);
    b.SetMoreOptions(true);
    b.SetUnitLabel(input.allUnits ? kAllUnitsLabel : input.unit);
    b.SetPeriodLabel(PeriodLabel(kPeriodReport, input.from, input.to, data.settings.dateFormat));
    b.SetSql(sql);
    b.WriteHeader();
    WriteListReport(b, ReadListRows(data.connection, sql, data.settings.dateFormat));
    return ListLayout(std::move(b));
}
