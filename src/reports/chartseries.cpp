#include "reports/chartseries.h"

#include "base/amounttext.h"
#include "base/stringids.h"
#include "data/dbrecordset.h"
#include "data/sqltext.h"
#include "reports/periodreport.h"
#include "reports/reportexport.h"
#include "reports/reportformat.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

QString MonthKey(const QDate &month)
{
    return QString::asprintf("%04d-%02d", month.year(), month.month());
}

void AddTo(ChartPoint &point, int type, qint64 cents)
{
    if (type == 1)
        point.income += cents;
    else if (type == 2)
        point.expense += cents;
}

const MoreReportOptions *Options(const ChartRequest &request)
{
    return request.options ? &*request.options : nullptr;
}

QString Share(qint64 part, qint64 whole)
{
    return whole == 0 ? QStringLiteral("0.0") : QString::number(100.0 * double(part) / double(whole), 'f', 1);
}

} // namespace

unsigned ChartSelectionError(const ChartRequest &request)
{
    if (!request.options)
        return 0;
    const MoreReportOptions &o = *request.options;
    const bool incomes = o.allIncomes || !o.incomeNames.isEmpty();
    const bool expenses = o.allExpenses || !o.expenseNames.isEmpty();
    if (request.kind == ChartKind::Category) {
        if (request.type == 1 && !incomes)
            return StringId::SelectIncomeCategory;
        if (request.type == 2 && !expenses)
            return StringId::SelectExpenseCategory;
    } else if (!incomes && !expenses) {
        return StringId::SelectExpenseCategory;
    }
    if (!o.allUnits && o.unit.isEmpty())
        return StringId::SelectUnit;
    return 0;
}

QStringList ChartQueries(const ChartRequest &request)
{
    const MoreReportOptions *options = Options(request);
    if (request.kind == ChartKind::Category)
        return {PeriodQuery(kPeriodReport, SqlDate(request.from), SqlDate(request.to), options)};
    if (request.kind == ChartKind::Unit)
        return {QStringLiteral("select cUnitName,iTransactionType,") + CentSum(QStringLiteral("cTransactionAmount"))
                + QStringLiteral(" as cTransactionAmount from LB_TRANSACTION_INFO_TB where ")
                + PeriodSelection(kPeriodReport, SqlDate(request.from), SqlDate(request.to), options)
                + QStringLiteral(" group by cUnitName,iTransactionType")};
    // One plain sum per month, each with the period report's own selection
    // for that month's days: every month reads its stretch of the date
    // index and nothing is sorted, three times faster than grouping the
    // whole period by a month computed row by row.
    QStringList statements;
    QString statement;
    const QString join = QStringLiteral(" UNION ALL ");
    const QDate last(request.to.year(), request.to.month(), 1);
    for (QDate month(request.from.year(), request.from.month(), 1); month <= last; month = month.addMonths(1)) {
        const QDate first = std::max(request.from, month);
        const QDate end = std::min(request.to, month.addMonths(1).addDays(-1));
        const QString select =
            QStringLiteral("select '%1' as cMonth,"
                           "coalesce(sum(case when iTransactionType=1 then AmountCents(cTransactionAmount) end),0) as cIncome,"
                           "coalesce(sum(case when iTransactionType=2 then AmountCents(cTransactionAmount) end),0) as cExpense,"
                           "coalesce(sum(case when iTransactionType in (1,2) then 1 end),0) as iRecords "
                           "from LB_TRANSACTION_INFO_TB where ")
                .arg(MonthKey(month))
            + PeriodSelection(kPeriodReport, SqlDate(first), SqlDate(end), options);
        // Statements of about the buffer's length: a long period makes several
        // (the engine joins at most 500 selects), a long selection one a month.
        if (!statement.isEmpty() && statement.size() + join.size() + select.size() > kSqlBufferChars) {
            statements << statement;
            statement.clear();
        }
        statement += statement.isEmpty() ? select : join + select;
    }
    if (!statement.isEmpty())
        statements << statement;
    return statements;
}

ChartSeries ComputeChartSeries(CDbConnection &connection, const ChartRequest &request, const QStringList &units)
{
    ChartSeries series;
    series.kind = request.kind;
    series.type = request.type;
    const QStringList statements = ChartQueries(request);
    const QString &sql = statements.constFirst();

    if (request.kind == ChartKind::Category) {
        for (const CategorySum &sum : ReadCategorySums(connection, sql, QStringLiteral("cTransactionAmount"))) {
            if (sum.type != request.type)
                continue;
            ChartPoint point;
            point.key = sum.name;
            AddTo(point, sum.type, AmountCents(sum.amount));
            series.points.push_back(point);
            ++series.records;
        }
        std::stable_sort(series.points.begin(), series.points.end(), [&](const ChartPoint &a, const ChartPoint &b) {
            const qint64 x = a.Amount(request.type);
            const qint64 y = b.Amount(request.type);
            return x != y ? x > y : a.key < b.key;
        });
        return series;
    }

    if (request.kind == ChartKind::Monthly) {
        // Every month of the period has its place, so the axis has no gaps.
        for (const QString &statement : statements) {
            CDbRecordset records(connection);
            records.OpenBuilt(statement);
            for (; !records.IsEOF(); records.MoveNext()) {
                ChartPoint point;
                point.key = records.GetString(QStringLiteral("cMonth"));
                point.month = QDate::fromString(point.key + QStringLiteral("-01"), Qt::ISODate);
                // Whole cents already.
                point.income = qint64(records.GetDouble(QStringLiteral("cIncome")));
                point.expense = qint64(records.GetDouble(QStringLiteral("cExpense")));
                series.records += std::size_t(records.GetLong(QStringLiteral("iRecords")));
                series.points.push_back(point);
            }
        }
        return series;
    }

    std::map<QString, ChartPoint> found;
    CDbRecordset records(connection);
    records.OpenBuilt(sql);
    for (; !records.IsEOF(); records.MoveNext()) {
        const int type = records.GetShort(QStringLiteral("iTransactionType"));
        if (type != 1 && type != 2)
            continue;
        ChartPoint &point = found[records.GetString(QStringLiteral("cUnitName"))];
        AddTo(point, type, AmountCents(records.GetDouble(QStringLiteral("cTransactionAmount"))));
        ++series.records;
    }
    auto take = [&](const QString &key) {
        ChartPoint point;
        if (auto it = found.find(key); it != found.end()) {
            point = it->second;
            found.erase(it);
        }
        point.key = key;
        series.points.push_back(point);
    };
    const MoreReportOptions *options = Options(request);
    if (options && !options->allUnits)
        take(options->unit);
    else
        for (const QString &unit : units)
            take(unit);
    // Records of units no longer in the list still count in the totals.
    for (auto &[unit, point] : found) {
        point.key = unit;
        series.points.push_back(point);
    }
    return series;
}

std::vector<ChartSlice> DonutSlices(const ChartSeries &series, int maxSlices)
{
    std::vector<ChartSlice> slices;
    for (const ChartPoint &point : series.points) {
        const qint64 amount = point.Amount(series.type);
        if (amount > 0)
            slices.push_back({point.key, amount, {point.key}});
    }
    std::stable_sort(slices.begin(), slices.end(),
                     [](const ChartSlice &a, const ChartSlice &b) { return a.amount > b.amount; });
    if (maxSlices < 2 || int(slices.size()) <= maxSlices)
        return slices;
    ChartSlice other{kOtherSlice, 0, {}};
    for (auto it = slices.begin() + (maxSlices - 1); it != slices.end(); ++it) {
        other.amount += it->amount;
        other.categories << it->name;
    }
    slices.resize(std::size_t(maxSlices - 1));
    slices.push_back(other);
    return slices;
}

QByteArray ChartCsv(const ChartSeries &series)
{
    QStringList lines;
    switch (series.kind) {
    case ChartKind::Monthly:
    case ChartKind::Unit:
        lines << (series.kind == ChartKind::Monthly ? QStringLiteral("Month") : QStringLiteral("Unit"))
                     + QStringLiteral(",Income,Expense,Balance");
        for (const ChartPoint &p : series.points)
            lines << ReportExport::CsvField(p.key) + u',' + FormatCents(p.income) + u',' + FormatCents(p.expense) + u','
                         + FormatCents(p.Balance());
        break;
    case ChartKind::Category: {
        qint64 total = 0;
        for (const ChartPoint &p : series.points)
            total += p.Amount(series.type);
        lines << (series.type == 1 ? QStringLiteral("Category,Income,Share") : QStringLiteral("Category,Expense,Share"));
        for (const ChartPoint &p : series.points)
            lines << ReportExport::CsvField(p.key) + u',' + FormatCents(p.Amount(series.type)) + u','
                         + Share(p.Amount(series.type), total);
        break;
    }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

ListQueryInput DrillDownInput(const ChartRequest &request, int type, const ChartPoint *point,
                              const QStringList &categories)
{
    ListQueryInput input;
    input.type = type;
    input.from = request.from;
    input.to = request.to;
    input.sortByDate = true;
    const MoreReportOptions *options = Options(request);
    input.allUnits = !options || options->allUnits;
    input.unit = options ? options->unit : QString();
    if (!categories.isEmpty()) {
        input.categories = categories;
    } else if (!options || (type == 1 ? options->allIncomes : options->allExpenses)) {
        input.allCategories = true;
    } else {
        input.categories = type == 1 ? options->incomeNames : options->expenseNames;
    }
    if (point && request.kind == ChartKind::Monthly && point->month.isValid()) {
        input.from = std::max(request.from, point->month);
        input.to = std::min(request.to, point->month.addMonths(1).addDays(-1));
    } else if (point && request.kind == ChartKind::Unit) {
        input.allUnits = false;
        input.unit = point->key;
    }
    return input;
}
