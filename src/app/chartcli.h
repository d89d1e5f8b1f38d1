#pragma once

#include "app/cli.h"

// `tallywick chart monthly|category|unit [options]`: a chart drawn without a
// display to PNG, SVG or PDF, or its series as CSV.
CCliCommand ChartCliCommand();
