#pragma once

#include "app/cli.h"

// `tallywick report KIND [options]`: any report of the program as text,
// CSV or PDF, through the same builders, grid and export as the window.
CCliCommand ReportCliCommand();
