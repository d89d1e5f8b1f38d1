#pragma once

#include <QString>

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
