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

QString JoinTerms(const QStringList &names, const QString &before, const QString &after)
{
    QStringList terms;
    terms.reserve(names.size());
    for (const QString &name : names)
        terms << before + SqlQuote(name) + after;
    return terms.join(QStringLiteral(" OR "));
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

QString PeriodSelection(int mode, const QString &from, const QString &to, const MoreReportOptions *options)
{
    const QString date = PeriodDateCondition(mode, from, to);
    QString where;
    if (!options) {
        where = date;
    } else {
        const QString unit = options->allUnits ? QString() : UnitCondition(options->unit);
        if (options->allIncomes && options->allExpenses) {
            where = date + unit;
        } else {
            // AND binds tighter than OR, so each term stands alone.
            const QString tail = QStringLiteral(" AND ") + date + unit;
            QStringList lists;
            if (!options->expenseNames.isEmpty())
                lists << JoinTerms(options->expenseNames, QStringLiteral("cTransactionName='"),
                                   QStringLiteral("' AND iTransactionType=2") + tail);
            if (!options->incomeNames.isEmpty())
                lists << JoinTerms(options->incomeNames, QStringLiteral("cTransactionName='"),
                                   QStringLiteral("' AND iTransactionType=1") + tail);
            where = lists.join(QStringLiteral(" OR "));
        }
    }
    return where;
}

QString PeriodQuery(int mode, const QString &from, const QString &to, const MoreReportOptions *options)
{
    return QStringLiteral("select cTransactionName,iTransactionType,sum(cTransactionAmount)as cTransactionAmount  "
                          "from LB_TRANSACTION_INFO_TB where ")
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
               + JoinTerms(names, QStringLiteral("cTransactionName='"), QStringLiteral("'")) + u')';
    };
    return QStringLiteral("select cTransactionName,iTransactionType,sum(cTransactionAmount)as cTransactionAmountSum  "
                          "from LB_TRANSACTION_INFO_TB where ")
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
        sql += QStringLiteral(" AND (")
               + JoinTerms(input.categories, QStringLiteral("cTransactionName = '"), QStringLiteral("' "))
               + u')';
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
