// The date texts datevalue(), DateDiff and datepart read, in code and in SQL,
// and the rewriting of datevalue() calls onto the date indexes.
#include "fuzzcheck.h"
#include "sqlitescratch.h"

#include "data/jetsql.h"
#include "data/sqltext.h"

namespace {

const ScratchSqlite &Db()
{
    static const ScratchSqlite db = [] {
        ScratchSqlite s;
        FUZZ_CHECK(RegisterJetFunctions(s.Handle()));
        return s;
    }();
    return db;
}

QVariant Eval(const QString &sql, const QString &text = QString())
{
    const auto value = Db().Value(sql, text);
    FUZZ_CHECK(value.has_value());
    return *value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString interval = FuzzText(input, 6);
    const QString other = FuzzText(input, 40);
    const QString text = FuzzText(input, 200);
    const QString sql = QString::fromUtf8(FuzzRest(input));

    // What is read is written back in both stored forms and reads the same.
    const auto date = ParseJetDate(text);
    if (date) {
        FUZZ_CHECK(date->isValid());
        FUZZ_CHECK(ParseJetDate(JetDateValue(*date)) == date);
        FUZZ_CHECK(ParseJetDate(DateText(*date)) == date);
    }

    // SQL reads the text as the code does.
    const QVariant value = Eval(QStringLiteral("SELECT datevalue(?1)"), text);
    FUZZ_CHECK(value.isNull() == !date);
    if (date)
        FUZZ_CHECK(value.toString() == JetDateValue(*date));

    // The index expression agrees with datevalue() on every text of the
    // stored form and is NULL for every other.
    const QString column = QStringLiteral("?1");
    const QVariant indexed = Eval(QStringLiteral("SELECT ") + IndexedDateExpression(column), text);
    const bool otherForm = Eval(QStringLiteral("SELECT ") + OtherFormDatesCondition(column), text).toString() == u"1";
    if (otherForm)
        FUZZ_CHECK(indexed.isNull());
    else
        FUZZ_CHECK(indexed == value);

    // A literal is rewritten to what datevalue() would have returned.
    const QString call = QStringLiteral("SELECT datevalue('") + SqlQuote(text) + QStringLiteral("')");
    const QString rewritten = RewriteDateComparisons(call);
    if (!text.contains(QChar(0)))
        FUZZ_CHECK(Eval(rewritten) == value);

    // Two texts: DateDiff and datepart are NULL unless both are dates, and
    // fail only for an interval they do not know.
    const auto second = ParseJetDate(other);
    const QString pair = QStringLiteral("SELECT DateDiff('%1', ?1, '%2')").arg(SqlQuote(interval), SqlQuote(other));
    const auto diff = Db().Value(pair, text);
    if (!interval.contains(QChar(0)) && !other.contains(QChar(0))) {
        if (date && second)
            FUZZ_CHECK(diff.has_value() == JetDateDiff(interval, *date, *second).has_value());
        else
            FUZZ_CHECK(diff.has_value() && diff->isNull());
    }
    Db().Value(QStringLiteral("SELECT datepart('%1', ?1)").arg(SqlQuote(interval)), text);

    // Any statement: rewriting never crashes and leaves one without a call alone.
    const QString any = RewriteDateComparisons(sql, [](const QString &name) { return name.size() % 2 == 0; });
    if (!sql.contains(QStringLiteral("datevalue"), Qt::CaseInsensitive))
        FUZZ_CHECK(any == sql);
    return 0;
}
