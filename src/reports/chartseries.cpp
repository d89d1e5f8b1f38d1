#include "reports/chartseries.h"

#include "base/stringids.h"
#include "data/dbrecordset.h"
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

qint64 ToCents(double amount)
{
    return std::llround(amount * 100.0);
}

QString FormatCents(qint64 cents)
{
    const qint64 whole = cents < 0 ? -cents : cents;
    return QString::asprintf("%s%lld.%02lld", cents < 0 ? "-" : "", whole / 100, whole % 100);
}

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

QString ChartQuery(const ChartRequest &request)
{
    const QString where = PeriodSelection(kPeriodReport, SqlDate(request.from), SqlDate(request.to), Options(request));
    switch (request.kind) {
    case ChartKind::Monthly:
        // datevalue() gives "yyyy-mm-dd": its first seven characters are the
        // month, read straight from the date index.
        return QStringLiteral("select substr(datevalue(cTransactionDate),1,7) as cMonth,iTransactionType,"
                              "sum(cTransactionAmount) as cTransactionAmount from LB_TRANSACTION_INFO_TB where ")
               + where + QStringLiteral(" group by cMonth,iTransactionType");
    case ChartKind::Unit:
        return QStringLiteral("select cUnitName,iTransactionType,sum(cTransactionAmount) as cTransactionAmount "
                              "from LB_TRANSACTION_INFO_TB where ")
               + where + QStringLiteral(" group by cUnitName,iTransactionType");
    case ChartKind::Category:
        break;
    }
    return PeriodQuery(kPeriodReport, SqlDate(request.from), SqlDate(request.to), Options(request));
}

ChartSeries ComputeChartSeries(CDbConnection &connection, const ChartRequest &request, const QStringList &units)
{
    ChartSeries series;
    series.kind = request.kind;
    series.type = request.type;
    const QString sql = ChartQuery(request);

    if (request.kind == ChartKind::Category) {
        for (const CategorySum &sum : ReadCategorySums(connection, sql, QStringLiteral("cTransactionAmount"))) {
            if (sum.type != request.type)
                continue;
            ChartPoint point;
            point.key = sum.name;
            AddTo(point, sum.type, ToCents(sum.amount));
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

    std::map<QString, ChartPoint> found;
    CDbRecordset records(connection);
    records.OpenText(sql);
    const QString keyColumn = request.kind == ChartKind::Monthly ? QStringLiteral("cMonth") : QStringLiteral("cUnitName");
    for (; !records.IsEOF(); records.MoveNext()) {
        const int type = records.GetShort(QStringLiteral("iTransactionType"));
        if (type != 1 && type != 2)
            continue;
        ChartPoint &point = found[records.GetString(keyColumn)];
        AddTo(point, type, ToCents(records.GetDouble(QStringLiteral("cTransactionAmount"))));
        ++series.records;
    }

    auto take = [&](const QString &key, const QDate &month = {}) {
        ChartPoint point;
        if (auto it = found.find(key); it != found.end()) {
            point = it->second;
            found.erase(it);
        }
        point.key = key;
        point.month = month;
        series.points.push_back(point);
    };
    if (request.kind == ChartKind::Monthly) {
        // Every month of the period has its place, so the axis has no gaps.
        const QDate last(request.to.year(), request.to.month(), 1);
        for (QDate month(request.from.year(), request.from.month(), 1); month <= last; month = month.addMonths(1))
            take(MonthKey(month), month);
        return series;
    }
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
