#pragma once

#include <QDate>
#include <QString>

#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// Doubles every apostrophe, for a text value placed inside '%s'.
QString SqlQuote(const QString &text);

// The stored and queried date text, "%m/%d/%Y".
QString DateText(const QDate &date);

// The longest statement the record set runs; longer ones are refused, never cut.
constexpr qsizetype kSqlBufferChars = 5047;

// One printf argument, kept with its kind so that a text can never be read as
// a number or a number as a text.
using SqlArg = std::variant<QString, long long, double>;

template<typename T>
SqlArg MakeSqlArg(const T &value)
{
    using D = std::decay_t<T>;
    if constexpr (std::is_same_v<D, QString>)
        return value;
    else if constexpr (std::is_same_v<D, const char *> || std::is_same_v<D, char *>)
        return QString::fromUtf8(value);
    else if constexpr (std::is_same_v<D, std::string> || std::is_same_v<D, std::string_view>)
        return QString::fromUtf8(value.data(), qsizetype(value.size()));
    else if constexpr (std::is_same_v<D, bool>)
        return static_cast<long long>(value ? 1 : 0);
    else if constexpr (std::is_integral_v<D> || std::is_enum_v<D>)
        return static_cast<long long>(value);
    else if constexpr (std::is_floating_point_v<D>)
        return static_cast<double>(value);
    else
        static_assert(sizeof(D) == 0, "unsupported SQL argument type");
}

// printf rules for %s, %d, %i, %u, %ld, %lu, %x, %f, %e, %g and %%, with flags,
// width and precision (two digits at most). Throws std::invalid_argument when a
// conversion does not match its argument's kind or the argument count differs.
QString FormatSqlArgs(std::string_view pattern, const std::vector<SqlArg> &args);

template<typename... Args>
QString FormatSql(std::string_view pattern, const Args &...args)
{
    return FormatSqlArgs(pattern, std::vector<SqlArg>{MakeSqlArg(args)...});
}
