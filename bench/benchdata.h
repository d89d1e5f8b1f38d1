#pragma once

#include "data/dbconnection.h"
#include "data/dbschema.h"

#include <QString>

#include <functional>

// A database of `rows` transactions over 5 units, 40 categories and twelve
// years (2015-2026), made once per size and kept in the temporary folder.
QString BenchDatabase(long rows);

// The connection string of a benchmark database file.
inline QString BenchConnection(const QString &path)
{
    return kProviderSetting + DataSourcePart(path);
}

// The period query of the reports, for one year.
inline const char *kPeriodQuery =
    "select cTransactionName,iTransactionType,sum(cTransactionAmount)as cTransactionAmount from "
    "LB_TRANSACTION_INFO_TB where datevalue(cTransactionDate) between datevalue('01/01/2020') AND "
    "datevalue('12/31/2020') group by cTransactionName,iTransactionType";

// The main of benchmarks that need a QCoreApplication and nothing else.
int RunCoreBenchmarks(int argc, char **argv);

// The main of benchmarks that time processes of their own: started as
// `<program> <flag> ARG`, the program is that process (`runOnce`); else it
// runs its benchmarks, which start QCoreApplication::applicationFilePath().
int RunProcessBenchmarks(int argc, char **argv, const char *flag, const std::function<int(int, char **)> &runOnce);

// CPU seconds (user + system) of the finished child processes so far; the
// difference over a benchmark is what its started processes used.
double ChildCpuSeconds();
