#include "data/sqltext.h"

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <stdexcept>

QString SqlQuote(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("'"), QStringLiteral("''"));
    return out;
}

QString DateText(const QDate &date)
{
    return QString::asprintf("%02d/%02d/%04d", date.month(), date.day(), date.year());
}

namespace {

// The C library writes the desktop locale's decimal separator ("12,500000"
// on a German desktop); SQL always wants a point.
QString WithDecimalPoint(const char *number)
{
    QString text = QString::fromLatin1(number);
    const char *separator = std::localeconv()->decimal_point;
    if (separator && std::strcmp(separator, ".") != 0 && *separator)
        text.replace(QString::fromLocal8Bit(separator), QStringLiteral("."));
    return text;
}

[[noreturn]] void Fail(std::string_view pattern, const char *why)
{
    throw std::invalid_argument(std::string(why) + " in SQL template: " + std::string(pattern));
}

} // namespace

QString FormatSqlArgs(std::string_view pattern, const std::vector<SqlArg> &args)
{
    QString out;
    out.reserve(qsizetype(pattern.size()) + 64);
    std::size_t next = 0;
    std::size_t literalStart = 0;
    auto flushLiteral = [&](std::size_t end) {
        if (end > literalStart)
            out += QString::fromUtf8(pattern.data() + literalStart, qsizetype(end - literalStart));
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%')
            continue;
        flushLiteral(i);
        const std::size_t start = i++;
        if (i < pattern.size() && pattern[i] == '%') {
            out += u'%';
            literalStart = i + 1;
            continue;
        }
        while (i < pattern.size() && std::string_view("-+ #0").find(pattern[i]) != std::string_view::npos)
            ++i;
        // Two digits at most: the widest number then still fits the buffer
        // below, which would otherwise cut it short without a word.
        auto skipNumber = [&] {
            const std::size_t from = i;
            while (i < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[i])))
                ++i;
            if (i - from > 2)
                Fail(pattern, "a width or precision over 99");
        };
        skipNumber();
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            skipNumber();
        }
        const std::size_t lengthStart = i;
        while (i < pattern.size() && std::string_view("hlLqjzt").find(pattern[i]) != std::string_view::npos)
            ++i;
        if (i >= pattern.size())
            Fail(pattern, "unfinished conversion");
        const char conversion = pattern[i];
        literalStart = i + 1;
        if (next >= args.size())
            Fail(pattern, "too few arguments");
        const SqlArg &arg = args[next++];
        // Flags, width and precision without the length modifier.
        std::string format(pattern.substr(start, lengthStart - start));
        char buffer[512];
        switch (conversion) {
        case 's': {
            const QString *text = std::get_if<QString>(&arg);
            if (!text)
                Fail(pattern, "a number given for %s");
            // Width and precision count characters, as the template means them.
            int width = 0, precision = -1;
            bool left = false;
            std::size_t p = 1;
            while (p < format.size() && std::string_view("-+ #0").find(format[p]) != std::string_view::npos)
                left |= format[p++] == '-';
            while (p < format.size() && std::isdigit(static_cast<unsigned char>(format[p])))
                width = width * 10 + (format[p++] - '0');
            if (p < format.size() && format[p] == '.') {
                precision = 0;
                ++p;
                while (p < format.size() && std::isdigit(static_cast<unsigned char>(format[p])))
                    precision = precision * 10 + (format[p++] - '0');
            }
            QString value = precision >= 0 ? text->left(precision) : *text;
            if (value.size() < width)
                value = left ? value.leftJustified(width) : value.rightJustified(width);
            out += value;
            break;
        }
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            const long long *number = std::get_if<long long>(&arg);
            if (!number)
                Fail(pattern, std::holds_alternative<QString>(arg) ? "a text given for an integer conversion"
                                                                   : "a fraction given for an integer conversion");
            format += "ll";
            format += conversion;
            std::snprintf(buffer, sizeof buffer, format.c_str(), *number);
            out += QString::fromLatin1(buffer);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            double value = 0;
            if (const double *d = std::get_if<double>(&arg))
                value = *d;
            else if (const long long *n = std::get_if<long long>(&arg))
                value = double(*n);
            else
                Fail(pattern, "a text given for a number conversion");
            format += conversion;
            std::snprintf(buffer, sizeof buffer, format.c_str(), value);
            out += WithDecimalPoint(buffer);
            break;
        }
        default:
            Fail(pattern, "unsupported conversion");
        }
    }
    flushLiteral(pattern.size());
    if (next != args.size())
        Fail(pattern, "too many arguments");
    return out;
}
