#pragma once

#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dberror.h"

#include <new>
#include <stdexcept>

// Failures while a report reads the database or fills the grid become one
// message box each; the report step then counts as failed and the program
// carries on.
void ShowReportDbError(const CDbError &error);
void ShowReportException(const QString &message);
void ShowReportOutOfMemory();

// Runs one report step; true when it ran through.
template<typename F>
bool RunReportStep(F &&step)
{
    try {
        step();
        return true;
    } catch (const CDbError &e) {
        ShowReportDbError(e);
    } catch (const CFrameworkException &e) {
        ShowReportException(e.Message());
    } catch (const std::bad_alloc &) {
        ShowReportOutOfMemory();
    } catch (const std::exception &e) {
        ShowReportException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ReportUnknownFailure();
    }
    return false;
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
