#include "records/describedfailure.h"

#include "base/uiseam.h"

void ReportDescribedFailure(const CDbError &error)
{
    // Some engine failures carry no description; an empty box would tell
    // the user nothing, so those get the usual mapped message.
    const QString text = error.Description().isEmpty() ? ComErrorMessage(error) : error.Description();
    TwkMessageBox(text, QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
}
