#pragma once

#include <QChar>
#include <QString>

#include <optional>

// The one rounding rule of every report, export, chart and window: an amount
// counts at its value rounded to the cent before anything is summed. The
// cent is that of the decimal number the double stands for (the shortest text
// that reads back as it, as the amount was typed), rounded half away from
// zero: 1.005 gives 101, 2.675 gives 268, 0.125 gives 13, -0.125 gives -13,
// although binary floating point holds 1.005 and 2.675 a hair below. The
// database registers the same function for its sums (AmountCents in SQL).
qint64 AmountCents(double amount);

// "%.2f" of whole cents: a point whatever the desktop's locale, no grouping,
// a leading minus.
QString FormatCents(qint64 cents);

// An amount as every window, report and export shows it: its cents by
// FormatCents. A value that rounds to zero shows as "0.00", never "-0.00".
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
