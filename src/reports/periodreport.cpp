#include "reports/periodreport.h"

#include "base/amounttext.h"
#include "data/dbrecordset.h"
#include "reports/reportbuilder.h"

#include <QLocale>

namespace {

void PeriodSectionRule(CReportBuilder &b)
{
    const int row = b.CurrentRow();
    b.AddCell(1, row, kRulePeriodSection);
    b.AddCell(2, row, kRulePeriodSection, kAlignRight);
    b.AddCell(4, row, kRulePeriodSection);
    b.AddCell(5, row, kRulePeriodSection, kAlignRight);
    b.AdvanceRow();
}

} // namespace

std::vector<CategorySum> ReadCategorySums(CDbConnection &connection, const QString &sql, const QString &amountColumn)
{
    CDbRecordset records(connection);
    records.OpenBuilt(sql);
    std::vector<CategorySum> rows;
    rows.reserve(std::size_t(records.GetRecordCount()));
    for (; !records.IsEOF(); records.MoveNext()) {
        rows.push_back(CategorySum{records.GetString(QStringLiteral("cTransactionName")),
                                   records.GetShort(QStringLiteral("iTransactionType")),
                                   records.GetDouble(amountColumn)});
    }
    return rows;
}

QString DisplayDate(const QDate &date, const QString &dateFormat)
{
    return QLocale::c().toString(date, dateFormat);
}

QString PeriodLabel(int mode, const QDate &first, const QDate &second, const QString &dateFormat)
{
    switch (mode) {
    case 1:
        return QLocale::c().toString(first, QStringLiteral("MMMM yyyy"));
    case 2:
        return QStringLiteral("From ") + DisplayDate(first, dateFormat) + QStringLiteral(" To ")
               + DisplayDate(second, dateFormat);
    default:
        return DisplayDate(first, dateFormat);
    }
}

void WritePeriodReport(CReportBuilder &b, const std::vector<CategorySum> &rows)
{
    const int r = b.CurrentRow() + 2;
    const QString amount = AmountHeading(b.Settings().cCurrency);
    b.AddCell(1, r, QStringLiteral("Income"));
    b.AddCell(4, r, QStringLiteral("Expense"));
    b.AddCell(1, r + 1, kRulePeriod);
    b.AddCell(4, r + 1, kRulePeriod);
    b.AddCell(1, r + 2, QStringLiteral("Category"));
    b.AddCell(2, r + 2, amount, kAlignRight);
    b.AddCell(4, r + 2, QStringLiteral("Category"));
    b.AddCell(5, r + 2, amount, kAlignRight);
    b.SetCurrentRow(r + 3);
    PeriodSectionRule(b);

    if (rows.empty()) {
        b.AdvanceRow(5);
    } else {
        int incomeRow = b.CurrentRow();
        int expenseRow = incomeRow;
        for (const CategorySum &row : rows) {
            if (row.type == 2) {
                ++expenseRow;
                b.AddCell(4, expenseRow, row.name);
                b.AddCell(5, expenseRow, FormatAmount(row.amount), kAlignRight);
                b.AddExpense(row.amount);
            } else if (row.type == 1) {
                ++incomeRow;
                b.AddCell(1, incomeRow, row.name);
                b.AddCell(2, incomeRow, FormatAmount(row.amount), kAlignRight);
                b.AddIncome(row.amount);
            }
        }
        b.SetCurrentRow(std::max(incomeRow, expenseRow) + 1);
    }

    const int x = b.CurrentRow();
    PeriodSectionRule(b);
    b.AddCell(1, x + 3, QStringLiteral("Total"));
    b.AddCell(2, x + 3, FormatCents(b.IncomeCents()), kAlignRight);
    b.AddCell(4, x + 3, QStringLiteral("Total"));
    b.AddCell(5, x + 3, FormatCents(b.ExpenseCents()), kAlignRight);
    b.AddCell(2, x + 4, kRulePeriod, kAlignRight);
    b.AddCell(5, x + 4, kRulePeriod, kAlignRight);
    ReportCell label;
    label.column = 4;
    label.row = x + 5;
    label.text = QStringLiteral("Balance: ");
    label.font = ReportBalanceFont();
    b.AddCell(label);
    ReportCell balance = label;
    balance.column = 5;
    balance.text = FormatCents(b.IncomeCents() - b.ExpenseCents());
    balance.alignment = kAlignRight;
    b.AddCell(balance);
    b.AddCell(5, x + 6, kRulePeriod, kAlignRight);
    b.WriteContactFooter(x + 8, kPeriodContact);
}

ReportLayout PeriodReport(CTallywickData &data, const PeriodRequest &request)
{
    CReportBuilder b(request.mode, data);
    const MoreReportOptions *options = request.options;
    b.SetMoreOptions(options != nullptr);
    b.SetUnitLabel(!options ? data.company.cName : options->allUnits ? kAllUnitsLabel : options->unit);
    b.SetPeriodLabel(PeriodLabel(request.mode, request.first, request.second, data.settings.dateFormat));
    b.SetSql(PeriodQuery(request.mode, SqlDate(request.first), SqlDate(request.second), options));
    b.WriteHeader();
    WritePeriodReport(b, ReadCategorySums(data.connection, b.Sql(), QStringLiteral("cTransactionAmount")));
    return std::move(b).Layout(kPeriodRowMargin);
}
