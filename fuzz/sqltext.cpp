// The SQL formatter's arguments: a quoted text comes back from the engine
// exactly as it went in and never changes the statement around it; numbers
// read back the same on a decimal-comma desktop too.
#include "fuzzcheck.h"
#include "sqlitescratch.h"

#include "data/sqltext.h"

#include <clocale>
#include <cmath>
#include <stdexcept>

namespace {

const ScratchSqlite &Db()
{
    static const ScratchSqlite db = [] {
        ScratchSqlite s;
        FUZZ_CHECK(sqlite3_exec(s.Handle(), "CREATE TABLE t(name TEXT); INSERT INTO t VALUES('x')", nullptr, nullptr,
                                nullptr)
                   == SQLITE_OK);
        return s;
    }();
    return db;
}

void CheckText(const QString &text)
{
    const QString select = FormatSql("SELECT '%s'", SqlQuote(text));
    const auto back = Db().Value(select);
    if (text.contains(QChar(0))) {
        // The engine ends a statement at a NUL: the literal is left open and
        // the statement refused, never run with a cut value.
        FUZZ_CHECK(!back.has_value());
        return;
    }
    FUZZ_CHECK(back.has_value() && back->toString() == text);
    const auto count = Db().Value(FormatSql("SELECT count(*) FROM t WHERE name = '%s' AND 1", SqlQuote(text)));
    FUZZ_CHECK(count.has_value() && count->toString() == (text == u"x" ? u"1" : u"0"));
}

void CheckNumbers(long long integer, double fraction)
{
    FUZZ_CHECK(Db().Value(FormatSql("SELECT %d", integer)) == QVariant(QString::number(integer)));
    if (!std::isfinite(fraction))
        return;
    FUZZ_CHECK(Db().Number(FormatSql("SELECT %.17g", fraction)) == fraction);
}

void CheckAnyPattern(FuzzedDataProvider &input)
{
    const std::string pattern = input.ConsumeRandomLengthString(64);
    std::vector<SqlArg> args;
    const int count = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
        switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0: args.emplace_back(FuzzText(input, 32)); break;
        case 1: args.emplace_back(input.ConsumeIntegral<long long>()); break;
        default: args.emplace_back(input.ConsumeFloatingPoint<double>()); break;
        }
    }
    try {
        FormatSqlArgs(pattern, args);
    } catch (const std::invalid_argument &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The C library's decimal separator is then a comma, as on a German desktop.
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const long long integer = input.ConsumeIntegral<long long>();
    const double fraction = input.ConsumeFloatingPoint<double>();
    CheckNumbers(integer, fraction);
    CheckAnyPattern(input);
    CheckText(QString::fromUtf8(FuzzRest(input)));
    return 0;
}
