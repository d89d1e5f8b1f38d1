#pragma once

#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dberror.h"

#include <new>
#include <stdexcept>

// Runs one report step; true when it ran through. Failures while a report
// reads the database or fills the grid become one message box each, as any
// operation reports them, except that a database error shows its own
// description and any other exception object its own text ("Out of memory."
// for an allocation); the step then counts as failed and the program carries on.
template<typename F>
bool RunReportStep(F &&step)
{
    return RunReported(
        [&] {
            try {
                step();
            } catch (const CDbError &) {
                throw;
            } catch (const CFrameworkException &) {
                throw;
            } catch (const std::bad_alloc &) {
                throw CFrameworkException(QStringLiteral("Out of memory."));
            } catch (const std::exception &e) {
                throw CFrameworkException(QString::fromLocal8Bit(e.what()));
            }
        },
        ReportDescribedError);
}

// Runs one part of a directly written report (header, body, footer). A part
// that fails, by returning false or by a failure reported above, is then
// named by its own message (StringId::ReportHeaderFailed "Failed to show Report Header",
// ReportBodyFailed, ReportFooterFailed). True when the part succeeded.
template<typename F>
bool RunReportPart(unsigned failureMessage, F &&part)
{
    bool ok = false;
    RunReportStep([&] { ok = part(); });
    if (!ok)
        TwkMessageBox(LoadString(failureMessage));
    return ok;
}
