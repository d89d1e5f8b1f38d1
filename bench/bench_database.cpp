// The period query of the reports on large databases: warm inside a running
// program, and as a whole process that opens the encrypted file, runs it and
// exits (`bench_database --run-once FILE` is that process).
#include "benchdata.h"

#include "data/dbrecordset.h"
#include "data/dbschema.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>


namespace {

void BM_PeriodQueryWarm(benchmark::State &state)
{
    const QString path = BenchDatabase(long(state.range(0)));
    CDbConnection connection;
    connection.Open(BenchConnection(path), kDbUser, kDbPassword);
    long groups = 0;
    for (auto _ : state) {
        CDbRecordset rs(connection);
        rs.Open(kPeriodQuery);
        groups = rs.GetRecordCount();
        benchmark::DoNotOptimize(groups);
    }
    state.counters["groups"] = double(groups);
}
BENCHMARK(BM_PeriodQueryWarm)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_PeriodQueryProcess(benchmark::State &state)
{
    const QString path = BenchDatabase(long(state.range(0)));
    for (auto _ : state) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--run-once"), path});
        p.waitForFinished(-1);
        if (p.exitCode() != 0)
            state.SkipWithError("the query process failed");
    }
}
BENCHMARK(BM_PeriodQueryProcess)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

int RunOnce(const char *path)
{
    CDbConnection connection;
    connection.Open(BenchConnection(QString::fromLocal8Bit(path)), kDbUser, kDbPassword);
    CDbRecordset rs(connection);
    rs.Open(kPeriodQuery);
    return rs.GetRecordCount() > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    return RunProcessBenchmarks(argc, argv, "--run-once", [](int, char **argv) { return RunOnce(argv[2]); });
}
