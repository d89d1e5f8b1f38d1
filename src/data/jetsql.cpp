#include "data/jetsql.h"

#include "base/amounttext.h"

#include <sqlite3.h>

#include <QList>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Reads a run of digits; false when there is none.
bool ReadNumber(QStringView text, qsizetype &pos, int &value, int &digits)
{
    value = 0;
    digits = 0;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
        if (digits >= 6)
            return false;
        value = value * 10 + (text[pos].unicode() - '0');
        ++digits;
        ++pos;
    }
    return digits > 0;
}

void SkipBlanks(QStringView text, qsizetype &pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
}

} // namespace

std::optional<QDate> ParseJetDate(QStringView text)
{
    // The engine's GLOB and substr() end a text at a NUL; the index
    // expression over the dates sees no further, so neither does this.
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0)
        text = text.left(nul);
    qsizetype pos = 0;
    SkipBlanks(text, pos);
    int a = 0, b = 0, c = 0, da = 0, db = 0, dc = 0;
    if (!ReadNumber(text, pos, a, da))
        return std::nullopt;
    SkipBlanks(text, pos);
    if (pos >= text.size())
        return std::nullopt;
    const QChar sep = text[pos];
    if (sep != u'/' && sep != u'-' && sep != u'.')
        return std::nullopt;
    ++pos;
    SkipBlanks(text, pos);
    if (!ReadNumber(text, pos, b, db))
        return std::nullopt;
    SkipBlanks(text, pos);
    if (pos >= text.size() || text[pos] != sep)
        return std::nullopt;
    ++pos;
    SkipBlanks(text, pos);
    if (!ReadNumber(text, pos, c, dc))
        return std::nullopt;
    // A time part after the date ("12/05/2026 10:30:00") is ignored, as the
    // conversion keeps only the date.
    if (pos < text.size()) {
        if (!IsBlank(text[pos]) && text[pos] != u'T')
            return std::nullopt;
        for (++pos; pos < text.size(); ++pos) {
            const QChar t = text[pos];
            if (!(t.isDigit() || t == u':' || IsBlank(t) || QStringLiteral("AaPpMm").contains(t)))
                return std::nullopt;
        }
    }

    int year = 0, month = 0, day = 0;
    if (da == 4 && sep == u'-') {
        year = a;
        month = b;
        day = c;
    } else {
        if (da > 2 || db > 2 || (dc != 2 && dc != 4))
            return std::nullopt;
        month = a;
        day = b;
        year = c;
        if (dc == 2)
            year += year < 30 ? 2000 : 1900;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 100 || year > 9999)
        return std::nullopt;
    return date;
}

QString JetDateValue(const QDate &date)
{
    return QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

std::optional<long long> JetDateDiff(QStringView interval, const QDate &from, const QDate &to)
{
    const QString i = interval.toString().trimmed().toLower();
    const long long days = from.daysTo(to);
    if (i == u"d" || i == u"y")
        return days;
    if (i == u"yyyy")
        return to.year() - from.year();
    if (i == u"m")
        return (to.year() - from.year()) * 12LL + (to.month() - from.month());
    if (i == u"q")
        return (to.year() - from.year()) * 4LL + ((to.month() - 1) / 3 - (from.month() - 1) / 3);
    if (i == u"w")
        return days / 7;
    if (i == u"ww") {
        // Sundays crossed: count week starts between the two dates.
        const auto weekStart = [](const QDate &d) { return d.addDays(-(d.dayOfWeek() % 7)); };
        return weekStart(from).daysTo(weekStart(to)) / 7;
    }
    if (i == u"h")
        return days * 24;
    if (i == u"n")
        return days * 24 * 60;
    if (i == u"s")
        return days * 24 * 60 * 60;
    return std::nullopt;
}

std::optional<long long> JetDatePart(QStringView interval, const QDate &date)
{
    const QString i = interval.toString().trimmed().toLower();
    if (i == u"yyyy")
        return date.year();
    if (i == u"q")
        return (date.month() - 1) / 3 + 1;
    if (i == u"m")
        return date.month();
    if (i == u"y")
        return date.dayOfYear();
    if (i == u"d")
        return date.day();
    if (i == u"w")
        return date.dayOfWeek() % 7 + 1; // Sunday is 1
    if (i == u"ww") {
        const QDate jan1(date.year(), 1, 1);
        return (date.dayOfYear() - 1 + jan1.dayOfWeek() % 7) / 7 + 1;
    }
    if (i == u"h" || i == u"n" || i == u"s")
        return 0;
    return std::nullopt;
}

namespace {

QString ArgText(sqlite3_value *v)
{
    const auto *p = reinterpret_cast<const char16_t *>(sqlite3_value_text16(v));
    return p ? QString::fromUtf16(p, sqlite3_value_bytes16(v) / 2) : QString();
}

std::optional<QDate> ArgDate(sqlite3_value *v)
{
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return std::nullopt;
    return ParseJetDate(ArgText(v));
}

void ResultText(sqlite3_context *ctx, const QString &text)
{
    sqlite3_result_text16(ctx, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
}

void DateValueFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (const auto d = ArgDate(argv[0]))
        ResultText(ctx, JetDateValue(*d));
    else
        sqlite3_result_null(ctx);
}

void DateDiffFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto from = ArgDate(argv[1]);
    const auto to = ArgDate(argv[2]);
    if (!from || !to) {
        sqlite3_result_null(ctx);
        return;
    }
    if (const auto r = JetDateDiff(ArgText(argv[0]), *from, *to))
        sqlite3_result_int64(ctx, *r);
    else
        sqlite3_result_error(ctx, "Invalid procedure call or argument: unknown DateDiff interval", -1);
}

void DatePartFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto date = ArgDate(argv[1]);
    if (!date) {
        sqlite3_result_null(ctx);
        return;
    }
    if (const auto r = JetDatePart(ArgText(argv[0]), *date))
        sqlite3_result_int64(ctx, *r);
    else
        sqlite3_result_error(ctx, "Invalid procedure call or argument: unknown DatePart interval", -1);
}

void LCaseFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    ResultText(ctx, ArgText(argv[0]).toLower());
}

// The cents of an amount by the reports' one rounding rule, as an integer so
// that their sums are exact. Text reads as the engine's sum() would read it.
void AmountCentsFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_value *v = argv[0];
    switch (sqlite3_value_numeric_type(v)) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER: {
        const sqlite3_int64 n = sqlite3_value_int64(v);
        if (n > -90000000000000000LL && n < 90000000000000000LL) {
            sqlite3_result_int64(ctx, n * 100);
            return;
        }
        break;
    }
    default:
        break;
    }
    sqlite3_result_int64(ctx, AmountCents(sqlite3_value_double(v)));
}

} // namespace

bool RegisterJetFunctions(sqlite3 *db)
{
    struct Fn {
        const char *name;
        int args;
        void (*fn)(sqlite3_context *, int, sqlite3_value **);
    };
    // The engine matches function names without regard to case.
    static const Fn fns[] = {
        {"datevalue", 1, DateValueFn}, {"DateDiff", 3, DateDiffFn}, {"datepart", 2, DatePartFn},
        {"LCASE", 1, LCaseFn}, {"AmountCents", 1, AmountCentsFn},
    };
    for (const Fn &f : fns) {
        if (sqlite3_create_function(db, f.name, f.args, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, f.fn, nullptr,
                                    nullptr)
            != SQLITE_OK)
            return false;
    }
    return true;
}

namespace {

const QString kStoredDateGlob = QStringLiteral("'[0-9][0-9]/[0-9][0-9]/[0-9][0-9][0-9][0-9]'");

} // namespace

QString IndexedDateExpression(const QString &column)
{
    // Only days that exist, as datevalue() reads them: "02/31/2020" or
    // "13/01/2020" are NULL. The engine allows no date() in an index, so the
    // month lengths and leap years are spelled out.
    const QString month = QStringLiteral("substr(%1,1,2)").arg(column);
    const QString day = QStringLiteral("substr(%1,4,2)").arg(column);
    const QString year = QStringLiteral("substr(%1,7,4)").arg(column);
    // Built by joining: the modulo signs would read as placeholders of arg().
    const QString lastDay = QStringLiteral("(CASE WHEN ") + month + QStringLiteral(" IN ('04','06','09','11') THEN '30' WHEN ")
        + month + QStringLiteral("<>'02' THEN '31' WHEN ") + year + QStringLiteral("%4=0 AND (") + year
        + QStringLiteral("%100<>0 OR ") + year + QStringLiteral("%400=0) THEN '29' ELSE '28' END)");
    return QStringLiteral("(CASE WHEN %1 GLOB %2 AND %3>='0100' AND %4 BETWEEN '01' AND '12' AND %5 BETWEEN '01' AND %6 "
                          "THEN %3||'-'||%4||'-'||%5 END)")
        .arg(column, kStoredDateGlob, year, month, day, lastDay);
}

QString OtherFormDatesCondition(const QString &column)
{
    return QStringLiteral("%1 NOT GLOB %2").arg(column, kStoredDateGlob);
}

QString DateColumnTable(QStringView column)
{
    // A qualified name counts by its column part.
    const qsizetype dot = column.lastIndexOf(u'.');
    const QStringView name = dot >= 0 ? column.mid(dot + 1) : column;
    if (name.compare(u"cTransactionDate", Qt::CaseInsensitive) == 0)
        return QStringLiteral("LB_TRANSACTION_INFO_TB");
    if (name.compare(u"cPaymentDate", Qt::CaseInsensitive) == 0)
        return QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB");
    return {};
}

bool HoldsDatesInOtherForms(sqlite3 *db, const QString &column)
{
    const QString table = DateColumnTable(column);
    if (table.isEmpty())
        return true;
    const QString name = column.section(u'.', -1);
    // The partial index holds exactly these rows, usually none.
    const QByteArray sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2 AND datevalue(%3) IS NOT NULL LIMIT 1")
                               .arg(table, OtherFormDatesCondition(name), name)
                               .toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return true;
    }
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    return rc != SQLITE_DONE;
}

namespace {

bool IsIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Skips a quoted run starting at pos (quote doubled inside); returns the end.
qsizetype SkipQuoted(QStringView sql, qsizetype pos)
{
    const QChar quote = sql[pos];
    ++pos;
    while (pos < sql.size()) {
        if (sql[pos] == quote) {
            if (pos + 1 < sql.size() && sql[pos + 1] == quote) {
                pos += 2;
                continue;
            }
            return pos + 1;
        }
        ++pos;
    }
    return pos;
}

// Tries to rewrite "datevalue(...)" whose name ends at nameEnd; returns the
// replacement and where the call ends, or nothing.
std::optional<std::pair<QString, qsizetype>> RewriteCall(QStringView sql, qsizetype nameEnd,
                                                         const std::function<bool(const QString &)> &indexable)
{
    qsizetype p = nameEnd;
    while (p < sql.size() && sql[p].isSpace())
        ++p;
    if (p >= sql.size() || sql[p] != u'(')
        return std::nullopt;
    ++p;
    while (p < sql.size() && sql[p].isSpace())
        ++p;
    if (p >= sql.size())
        return std::nullopt;
    QString replacement;
    if (sql[p] == u'\'') {
        const qsizetype end = SkipQuoted(sql, p);
        if (end > sql.size() || sql[end - 1] != u'\'' || end - p < 2)
            return std::nullopt;
        const QString literal = sql.mid(p + 1, end - p - 2).toString().replace(QStringLiteral("''"), QStringLiteral("'"));
        const auto date = ParseJetDate(literal);
        replacement = date ? QStringLiteral("'%1'").arg(JetDateValue(*date)) : QStringLiteral("NULL");
        p = end;
    } else if (IsIdentChar(sql[p]) && !sql[p].isDigit()) {
        const qsizetype start = p;
        while (p < sql.size() && (IsIdentChar(sql[p]) || sql[p] == u'.'))
            ++p;
        const QString name = sql.mid(start, p - start).toString();
        if (DateColumnTable(name).isEmpty() || (indexable && !indexable(name)))
            return std::nullopt;
        replacement = IndexedDateExpression(name);
    } else {
        return std::nullopt;
    }
    while (p < sql.size() && sql[p].isSpace())
        ++p;
    if (p >= sql.size() || sql[p] != u')')
        return std::nullopt;
    return std::make_pair(replacement, p + 1);
}

} // namespace

QString RewriteDateComparisons(const QString &sql, const std::function<bool(const QString &column)> &indexable)
{
    const QStringView view(sql);
    QString out;
    out.reserve(sql.size() + 256);
    qsizetype copied = 0;
    qsizetype i = 0;
    while (i < view.size()) {
        const QChar c = view[i];
        if (c == u'\'' || c == u'"' || c == u'[' || c == u'`') {
            if (c == u'[') {
                const qsizetype close = view.indexOf(u']', i);
                i = close < 0 ? view.size() : close + 1;
            } else {
                i = SkipQuoted(view, i);
            }
            continue;
        }
        if (IsIdentChar(c)) {
            const qsizetype start = i;
            while (i < view.size() && IsIdentChar(view[i]))
                ++i;
            const bool afterDot = start > 0 && view[start - 1] == u'.';
            if (!afterDot && view.mid(start, i - start).compare(u"datevalue", Qt::CaseInsensitive) == 0) {
                if (const auto r = RewriteCall(view, i, indexable)) {
                    out += view.mid(copied, start - copied);
                    out += r->first;
                    copied = i = r->second;
                }
            }
            continue;
        }
        ++i;
    }
    out += view.mid(copied);
    return out;
}
