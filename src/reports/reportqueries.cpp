#include "reports/reportqueries.h"

#include "data/sqltext.h"

namespace {

QString Quoted(const QString &text)
{
    return u'\'' + SqlQuote(text) + u'\'';
}

QString UnitCondition(const QString &unit)
{
    return QStringLiteral(" AND cUnitName=") + Quoted(unit);
}

// "cTransactionName IN ('a','b')": one expression however many names, so
// neither the statement nor the engine's expression depth grows with a
// repeated condition.
QString NameList(const QStringList &names)
{
    QStringList quoted;
    quoted.reserve(names.size());
    for (const QString &name : names)
        quoted << Quoted(name);
    return QStringLiteral("cTransactionName IN (") + quoted.join(u',') + u')';
}

// Letter case never matters: the description is lowered by LCASE and the
// keyword here, both with the same Unicode rules.
QString LikeDescription(const QString &keyword)
{
    return QStringLiteral(" AND ((LCASE(cTransactionDescription)) LIKE '%") + SqlQuote(keyword.toLower())
           + QStringLiteral("%')");
}

} // namespace

QString SqlDate(const QDate &date)
{
    return DateText(date);
}

QString PeriodDateCondition(int mode, const QString &from, const QString &to)
{
    if (mode == 1) {
        return QStringLiteral("datepart('m',datevalue(cTransactionDate))=datepart('m',datevalue('%1')) AND "
                              "datepart('yyyy',datevalue(cTransactionDate))=datepart('yyyy',datevalue('%1'))")
            .arg(SqlQuote(from));
    }
    const QString end = mode == 0 ? from : to;
    return QStringLiteral("datevalue(cTransactionDate) between  datevalue('") + SqlQuote(from)
           + QStringLiteral("') AND  datevalue('") + SqlQuote(end) + QStringLiteral("')");
}

QString CentSum(const QString &amount)
{
    return QStringLiteral("sum(AmountCents(") + amount + QStringLiteral("))/100.0");
}

QString PeriodSelection(int mode, const QString &from, const QString &to, const MoreReportOptions *options)
{
    const QString date = PeriodDateCondition(mode, from, to);
    if (!options)
        return date;
    const QString unit = options->allUnits ? QString() : UnitCondition(options->unit);
    if (options->allIncomes && options->allExpenses)
        return date + unit;
    // The dates and the unit once, then the names per type.
    QStringList lists;
    if (!options->expenseNames.isEmpty())
        lists << QStringLiteral("(iTransactionType=2 AND ") + NameList(options->expenseNames) + u')';
    if (!options->incomeNames.isEmpty())
        lists << QStringLiteral("(iTransactionType=1 AND ") + NameList(options->incomeNames) + u')';
    if (lists.isEmpty())
        lists << QStringLiteral("0");
    return date + unit + QStringLiteral(" AND (") + lists.join(QStringLiteral(" OR ")) + u')';
}

QString PeriodQuery(int mode, const QString &from, const QString &to, const MoreReportOptions *options)
{
    return QStringLiteral("select cTransactionName,iTransactionType,") + CentSum(QStringLiteral("cTransactionAmount"))
           + QStringLiteral(" as cTransactionAmount  from LB_TRANSACTION_INFO_TB where ")
           + PeriodSelection(mode, from, to, options) + QStringLiteral(" group by cTransactionName,iTransactionType");
}

QString AdvancedQuery(const AdvancedQueryInput &input, const QString &unit)
{
    auto description = [&input](const QString &text) {
        switch (input.option) {
        case kExactDescription:
            return QStringLiteral(" AND LCASE(cTransactionDescription)=") + Quoted(text.toLower());
        case kMatchingDescription:
            return LikeDescription(text);
        default:
            return QString();
        }
    };
    auto part = [&](int type, const QStringList &names, const QString &text) {
        return QStringLiteral("iTransactionType=%1").arg(type) + description(text) + QStringLiteral(" AND (")
               + NameList(names) + u')';
    };
    return QStringLiteral("select cTransactionName,iTransactionType,") + CentSum(QStringLiteral("cTransactionAmount"))
           + QStringLiteral(" as cTransactionAmountSum  from LB_TRANSACTION_INFO_TB where ")
           + PeriodDateCondition(2, SqlDate(input.from), SqlDate(input.to)) + UnitCondition(unit) + QStringLiteral(" AND ((")
           + part(1, input.incomeNames, input.incomeText) + QStringLiteral(") OR (")
           + part(2, input.expenseNames, input.expenseText)
           + QStringLiteral(")) group by cTransactionName,iTransactionType");
}

ListQuery BuildListQuery(const ListQueryInput &input)
{
    if (input.from > input.to)
        return {kListBadDates, {}};
    QString sql = QStringLiteral("SELECT * FROM LB_TRANSACTION_INFO_TB WHERE ((datevalue(cTransactionDate) BETWEEN "
                                 "datevalue('%1') AND datevalue('%2')) AND ( iTransactionType = %3 )")
                      .arg(SqlDate(input.from), SqlDate(input.to))
                      .arg(input.type);
    if (!input.allCategories) {
        if (input.categories.isEmpty())
            return {kListNoCategory, {}};
        sql += QStringLiteral(" AND (") + NameList(input.categories) + u')';
    }
    if (!input.allUnits) {
        if (input.unit.isEmpty())
            return {kListNoUnit, {}};
        sql += QStringLiteral(" AND (cUnitName = ") + Quoted(input.unit) + u')';
    }
    if (input.keywordOption == kMatchingDescription && !input.matchingKeyword.isEmpty())
        sql += LikeDescription(input.matchingKeyword);
    else if (input.keywordOption == kExactDescription && !input.exactKeyword.isEmpty())
        sql += QStringLiteral(" AND ((LCASE(cTransactionDescription)) = ") + Quoted(input.exactKeyword.toLower())
               + u')';
    // By the date itself, not its month-first text, so December 2020 comes
    // before January 2021; entry order among the same day.
    sql += input.sortByDate
               ? QStringLiteral(")ORDER BY datevalue(cTransactionDate), LB_TRANSACTION_INFO_TB.iTransactionNumber")
               : QStringLiteral(")ORDER BY LB_TRANSACTION_INFO_TB.iTransactionNumber");
    return {kListReady, sql};
}
