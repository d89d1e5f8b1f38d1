#include "reports/reportfailure.h"

#include "base/uiseam.h"

void ShowReportDbError(const CDbError &error)
{
    TwkMessageBox(error.Description().isEmpty() ? ComErrorMessage(error) : error.Description());
}

void ShowReportException(const QString &message)
{
    TwkMessageBox(message.left(256));
}

void ShowReportOutOfMemory()
{
    TwkMessageBox(QStringLiteral("Out of memory."), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
}
