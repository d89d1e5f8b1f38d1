#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

struct sqlite3;

// The date texts the program and its SQL hand to datevalue(): month first
// ("12/05/2026", "12/ 05/ 26", "12-5-2026"), or the engine's own ISO form
// ("2026-12-05") that datevalue() returns. Anything else is not a date. A NUL
// ends the text, as it does for the engine's own text functions.
std::optional<QDate> ParseJetDate(QStringView text);

// What datevalue() returns: the ISO text, which orders like the dates.
QString JetDateValue(const QDate &date);

// datevalue/DateValue, DateDiff, datepart, LCASE, and AmountCents (the
// whole cents of an amount, see base/amounttext.h) for the reports' sums:
// registered as deterministic functions on a connection.
bool RegisterJetFunctions(sqlite3 *db);

// Jet's DateDiff and DatePart for the intervals "yyyy", "q", "m", "y", "d",
// "w", "ww", "h", "n", "s". Nothing for an unknown interval.
std::optional<long long> JetDateDiff(QStringView interval, const QDate &from, const QDate &to);
std::optional<long long> JetDatePart(QStringView interval, const QDate &date);

// The index expression over a stored month-first date column: the same ISO
// text as datevalue(column) for every text of the stored form "MM/DD/YYYY",
// NULL for every other text.
QString IndexedDateExpression(const QString &column);
// The rows whose date text is not of the stored form (a partial index holds
// them): only there can datevalue() and the indexed expression differ.
QString OtherFormDatesCondition(const QString &column);
// The table of a date column the rewrite knows; empty for any other name.
QString DateColumnTable(QStringView column);
// True when a row of the column's table holds a date that datevalue() reads
// but that is not of the stored form (hand-edited, from another program).
bool HoldsDatesInOtherForms(sqlite3 *db, const QString &column);

// Turns datevalue(<date column>) into the indexed expression and
// datevalue('<literal>') into its ISO text (or NULL), outside string literals,
// so that range comparisons use the date indexes. A column for which
// `indexable` says false keeps the function call. Everything else is kept.
QString RewriteDateComparisons(const QString &sql,
                               const std::function<bool(const QString &column)> &indexable = {});
