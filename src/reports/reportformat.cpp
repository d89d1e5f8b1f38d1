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

QString AmountHeading(const QString &currency)
{
    // Built by joining, so a '%' in the currency is never read as a format.
    return QStringLiteral("Amount (") + currency + u')';
}
