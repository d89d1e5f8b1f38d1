#include "base/amounttext.h"

#include <charconv>
#include <cmath>

namespace {

// Beyond this many cents a qint64 no longer holds the amount.
constexpr double kLargestCents = 9.0e18;

// The slow, exact way: the shortest decimal text of the amount, rounded at its
// third decimal.
qint64 DecimalCents(double magnitude)
{
    // Shortest fixed text of a double under 9e16: at most 17 digits before the
    // point; the smallest amounts that still matter have few after it.
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed);
    if (error != std::errc())
        return std::llround(magnitude * 100.0);
    qint64 cents = 0;
    const char *p = text;
    for (; p < end && *p != '.'; ++p)
        cents = cents * 10 + (*p - '0');
    int decimals = 0;
    int third = 0;
    if (p < end)
        ++p;
    cents *= 100;
    for (; p < end && decimals < 3; ++p, ++decimals) {
        if (decimals == 0)
            cents += 10 * (*p - '0');
        else if (decimals == 1)
            cents += *p - '0';
        else
            third = *p - '0';
    }
    return third >= 5 ? cents + 1 : cents;
}

} // namespace

qint64 AmountCents(double amount)
{
    if (!std::isfinite(amount))
        return 0;
    const double magnitude = std::fabs(amount);
    const double scaled = magnitude * 100.0;
    if (scaled >= kLargestCents)
        return amount < 0 ? -qint64(kLargestCents) : qint64(kLargestCents);
    qint64 cents = 0;
    // Far from half a cent the nearest whole cent is the decimal one: the
    // double and its decimal text differ by far less than the margin below
    // 1e11. Only amounts on (or a hair beside) a half cent read their text.
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (magnitude < 1e11 && std::fabs(fraction - 0.5) > 0.01)
        cents = qint64(whole) + (fraction > 0.5 ? 1 : 0);
    else
        cents = DecimalCents(magnitude);
    return amount < 0 ? -cents : cents;
}

QString FormatCents(qint64 cents)
{
    const qint64 whole = cents < 0 ? -cents : cents;
    return QString::asprintf("%s%lld.%02lld", cents < 0 ? "-" : "", whole / 100, whole % 100);
}

QString FormatAmount(double amount)
{
    return FormatCents(AmountCents(amount));
}
