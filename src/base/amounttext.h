#pragma once

#include <QString>

// An amount as every window, report and export shows it: "%.2f" with a point
// whatever the desktop's locale, no grouping, a leading minus. A value that
// rounds to zero shows as "0.00", never "-0.00".
QString FormatAmount(double amount);
