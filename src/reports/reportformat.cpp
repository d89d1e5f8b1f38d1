#include "reports/reportformat.h"

LOGFONT ReportTitleFont()
{
    return MakeLogFont(QStringLiteral("Arial"), 20, FW_BOLD);
}

LOGFONT ReportUnitFont()
{
    return MakeLogFont(QStringLiteral("Arial"), 16, FW_BOLD);
}

LOGFONT ReportBalanceFont()
{
    return MakeLogFont(QStringLiteral("Arial"), 14, FW_BOLD);
}

QString FormatReportAmount(double value)
{
    QString text = QString::asprintf("%.2f", value);
    // Sums of amounts in binary floating point can land a hair below zero.
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text;
}

QString AmountHeading(const QString &currency)
{
    // Built by joining, so a '%' in the currency is never read as a format.
    return QStringLiteral("Amount (") + currency + u')';
}
