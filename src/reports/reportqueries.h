#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The statements of the period, advanced and list reports. Dates are the
// stored "%m/%d/%Y" texts; every name and keyword is quoted here.

// The stored date text of a picked date.
QString SqlDate(const QDate &date);

// What "More Options" narrowed a period report to.
struct MoreReportOptions {
    QString unit;
    // Every unit: the unit condition is left out.
    bool allUnits = false;
    QStringList incomeNames;
    bool allIncomes = false;
    QStringList expenseNames;
    bool allExpenses = false;
};

// Daily (0) and period (2) compare whole dates, monthly (1) month and year.
// `from` and `to` are SqlDate texts; a daily report uses `from` only.
QString PeriodDateCondition(int mode, const QString &from, const QString &to);
// The WHERE condition of a period report: the dates, then the unit and the
// categories "More Options" chose, as one name list per type. Charts select
// by it too, so their figures add up to the report's.
QString PeriodSelection(int mode, const QString &from, const QString &to, const MoreReportOptions *options);
// The sum of an amount column as every report sums: each amount rounded to
// the cent first (AmountCents), the cents added exactly.
QString CentSum(const QString &amount);
QString PeriodQuery(int mode, const QString &from, const QString &to, const MoreReportOptions *options = nullptr);

// Description filters: none, the whole description, or a part of it; any
// letter case.
enum DescriptionOption : int { kNoDescription = 0, kExactDescription = 1, kMatchingDescription = 2 };

struct AdvancedQueryInput {
    QDate from;
    QDate to;
    QStringList units;
    QStringList incomeNames;
    QStringList expenseNames;
    int option = kNoDescription;
    QString incomeText;
    QString expenseText;
};
QString AdvancedQuery(const AdvancedQueryInput &input, const QString &unit);

// The list reports' checks, in the order they are made, and the statement.
enum ListQueryCode : int {
    kListBadDates = 2,
    kListNoCategory = 3,
    kListNoUnit = 4,
    kListReady = 5,
};

struct ListQueryInput {
    int type = 1;
    QDate from;
    QDate to;
    bool allCategories = false;
    QStringList categories;
    bool allUnits = false;
    // Empty: no unit chosen.
    QString unit;
    int keywordOption = kNoDescription;
    QString exactKeyword;
    QString matchingKeyword;
    bool sortByDate = false;
};

struct ListQuery {
    int code = kListReady;
    QString sql;
};
ListQuery BuildListQuery(const ListQueryInput &input);

// The header's unit label when every unit is covered.
inline const QString kAllUnitsLabel = QStringLiteral("All Units");
