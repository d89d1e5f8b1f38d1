#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

struct sqlite3;

// The date texts the program and its SQL hand to datevalue(): month first
// ("12/05/2026", "12/ 05/ 26", "12-5-2026"), or the engine's own ISO form
// ("2026-12-05") that datevalue() returns. Anything else is not a date.
std::optional<QDate> ParseJetDate(QStringView text);

// What datevalue() returns: the ISO text, which orders like the dates.
QString JetDateValue(const QDate &date);

// datevalue/DateValue, DateDiff, datepart, LCASE: registered as
// deterministic functions on a connection.
bool RegisterJetFunctions(sqlite3 *db);

// Jet's DateDiff and DatePart for the intervals "yyyy", "q", "m", "y", "d",
// "w", "ww", "h", "n", "s". Nothing for an unknown interval.
std::optional<long long> JetDateDiff(QStringView interval, const QDate &from, const QDate &to);
std::optional<long long> JetDatePart(QStringView interval, const QDate &date);

// The index expression over a stored month-first date column: the same ISO
// text as datevalue(column) for every well-formed stored date, NULL otherwise.
QString IndexedDateExpression(const QString &column);

// Turns datevalue(<date column>) into the indexed expression and
// datevalue('<literal>') into its ISO text (or NULL), outside string literals,
// so that range comparisons use the date indexes. Everything else is kept.
QString RewriteDateComparisons(const QString &sql);
