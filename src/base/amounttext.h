#pragma once

#include <QChar>
#include <QString>

#include <optional>

// An amount as every window, report and export shows it: "%.2f" with a point
// whatever the desktop's locale, no grouping, a leading minus. A value that
// rounds to zero shows as "0.00", never "-0.00".
QString FormatAmount(double amount);

// The marks a desktop writes numbers with: its decimal mark and its digit
// grouping (a null group: the desktop groups no digits).
struct AmountMarks {
    QChar decimal = u'.';
    QChar group;
};

// The marks of the desktop's locale (QLocale()); a desktop without a
// language of its own (the C locale) reads only the point.
AmountMarks DesktopAmountMarks();

enum class AmountRefusal { None, Empty, NotAnAmount, TwoReadings };

struct AmountReading {
    std::optional<double> value;
    AmountRefusal refusal = AmountRefusal::None;
    // For TwoReadings: the point read as a decimal point, and as grouping.
    double asDecimal = 0;
    double asGrouped = 0;
};

// What an amount box holds: digits with at most one decimal mark, the point
// or the desktop's own, and the desktop's grouping in threes before it; no
// sign and no blanks. Text that the two marks read as two different numbers
// ("1.250" where the point groups digits) is refused, never guessed.
AmountReading ReadAmount(const QString &text, const AmountMarks &marks);

// The message for a refused amount, naming the forms that are read
// ("1250.50 or 1.250,50" on a German desktop).
QString AmountRefusalMessage(const QString &typed, const AmountReading &reading, const AmountMarks &marks);
