#include "base/amounttext.h"

#include "base/stringids.h"
#include "base/stringtable.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

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

namespace {

bool IsSpaceMark(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

// A desktop that groups with a space is typed with any of the spaces.
bool IsGroupMark(QChar c, QChar group)
{
    return !group.isNull() && (c == group || (IsSpaceMark(group) && IsSpaceMark(c)));
}

bool AllDigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The number `text` is with `decimal` as its only decimal mark (null: none)
// and `group` as its only grouping (null: none); nothing when it is not one.
std::optional<double> ReadWith(const QString &text, QChar decimal, QChar group)
{
    qsizetype at = -1;
    if (!decimal.isNull()) {
        at = text.indexOf(decimal);
        if (at >= 0 && text.indexOf(decimal, at + 1) >= 0)
            return std::nullopt;
    }
    const QStringView whole = at >= 0 ? QStringView(text).left(at) : QStringView(text);
    const QStringView fraction = at >= 0 ? QStringView(text).mid(at + 1) : QStringView();
    if (!AllDigits(fraction))
        return std::nullopt;
    QString digits;
    qsizetype chunkStart = 0;
    bool grouped = false;
    for (qsizetype i = 0; i <= whole.size(); ++i) {
        if (i < whole.size() && !IsGroupMark(whole[i], group))
            continue;
        const QStringView chunk = whole.mid(chunkStart, i - chunkStart);
        if (!AllDigits(chunk))
            return std::nullopt;
        if (i < whole.size() || grouped) {
            // Groups of three after a first group of one to three digits
            // that does not start with a nought.
            const bool first = chunkStart == 0;
            if (first ? (chunk.isEmpty() || chunk.size() > 3 || chunk[0] == u'0') : chunk.size() != 3)
                return std::nullopt;
            grouped = true;
        }
        digits += chunk;
        chunkStart = i + 1;
    }
    if (digits.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const QByteArray latin = (digits + u'.' + fraction.toString()).toLatin1();
    // from_chars reads "5." and ".5" as they stand and always with a point; a
    // run of digits too long for a double would write "inf" into a statement.
    double value = 0;
    const auto [end, error] = std::from_chars(latin.constData(), latin.constData() + latin.size(), value);
    if (error != std::errc() || end != latin.constData() + latin.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString ExampleForms(const AmountMarks &marks)
{
    const QString plain = QStringLiteral("1250.50");
    QString desktop;
    if (!marks.group.isNull())
        desktop = QStringLiteral("1") + marks.group + QStringLiteral("250") + marks.decimal + QStringLiteral("50");
    else
        desktop = QStringLiteral("1250") + marks.decimal + QStringLiteral("50");
    if (desktop == plain)
        return LoadString(StringId::EnterAmountLike).arg(plain);
    return LoadString(StringId::EnterAmountLikeEither).arg(plain, desktop);
}

} // namespace

AmountMarks DesktopAmountMarks()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return {};
    AmountMarks marks;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (decimal.size() == 1 && !decimal[0].isDigit())
        marks.decimal = decimal[0];
    if (group.size() == 1 && group[0] != marks.decimal && !group[0].isDigit())
        marks.group = group[0];
    return marks;
}

AmountReading ReadAmount(const QString &text, const AmountMarks &marks)
{
    AmountReading reading;
    if (text.isEmpty()) {
        reading.refusal = AmountRefusal::Empty;
        return reading;
    }
    // The point is the program's own decimal mark on any desktop.
    std::vector<QChar> decimals{QChar(), QChar(u'.')};
    if (marks.decimal != u'.')
        decimals.push_back(marks.decimal);
    std::vector<double> found;
    for (const QChar decimal : decimals) {
        for (const QChar group : {QChar(), marks.group}) {
            if (!group.isNull() && IsGroupMark(decimal, group))
                continue;
            const std::optional<double> value = ReadWith(text, decimal, group);
            if (!value)
                continue;
            if (std::find(found.begin(), found.end(), *value) == found.end())
                found.push_back(*value);
            if (!decimal.isNull() && decimal == u'.' && group.isNull())
                reading.asDecimal = *value;
            if (group == marks.group && !group.isNull())
                reading.asGrouped = *value;
        }
    }
    if (found.empty()) {
        reading.refusal = AmountRefusal::NotAnAmount;
    } else if (found.size() > 1) {
        reading.refusal = AmountRefusal::TwoReadings;
    } else {
        reading.value = found.front();
    }
    return reading;
}

QString AmountRefusalMessage(const QString &typed, const AmountReading &reading, const AmountMarks &marks)
{
    QString message = ExampleForms(marks);
    if (reading.refusal == AmountRefusal::TwoReadings)
        message = LoadString(StringId::AmountReadTwoWays)
                      .arg(typed, QString::number(reading.asDecimal, 'g', 15), QString::number(reading.asGrouped, 'g', 15))
                  + u' ' + message;
    return message;
}
