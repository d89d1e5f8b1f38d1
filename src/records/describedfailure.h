#pragma once

#include "data/dberror.h"

// How changes that span several rows (and the Edit or Delete list) report a
// database error: with the engine's own description. Use it as the reporter
// of RunReported; the change rolls itself back through its CDbTransaction
// before the message shows.
void ReportDescribedFailure(const CDbError &error);
