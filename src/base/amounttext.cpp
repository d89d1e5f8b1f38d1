#include "base/amounttext.h"

QString FormatAmount(double amount)
{
    // QString::number never follows the locale, unlike the C library's printf.
    QString text = QString::number(amount, 'f', 2);
    // Sums of amounts in binary floating point can land a hair below zero.
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text;
}
