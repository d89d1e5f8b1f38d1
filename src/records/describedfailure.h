#pragma once

#include "data/dberror.h"

// How changes that span several rows (and the Edit or Delete list) report a
// failure: the engine's own description of a database error, a framework
// exception's message, or "Some Error Occured !". A change rolls itself back
// through its CDbTransaction before the message shows.
void ReportDescribedFailure(const CDbError &error);

template<typename F>
bool RunDescribingFailure(F &&change)
{
    try {
        change();
        return true;
    } catch (const CDbError &e) {
        ReportDescribedFailure(e);
    } catch (const CFrameworkException &e) {
        ReportException(e);
    } catch (...) {
        ReportUnknownFailure();
    }
    return false;
}
