// Backup and compaction of the 1,000,000-row database: a backup is the copy
// plus the check that it opens with the key and holds every row.
#include "benchdata.h"

#include "data/backup.h"
#include "data/compaction.h"
#include "data/dbschema.h"
#include "data/tallywickdata.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

void BM_Backup(benchmark::State &state)
{
    const QString source = BenchDatabase(long(state.range(0)));
    CDbConnection live;
    live.Open(BenchConnection(source), kDbUser, kDbPassword);
    const QList<qint64> counts = TableRowCounts(live);
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("TallywickPlus.mdb"));
    for (auto _ : state) {
        if (!CopyDataFile(source, target)) {
            state.SkipWithError("the copy failed");
            break;
        }
        CDbConnection copy;
        copy.Open(BenchConnection(target), kDbUser, kDbPassword);
        if (TableRowCounts(copy) != counts) {
            state.SkipWithError("the copy lost rows");
            break;
        }
    }
    state.counters["rows"] = double(counts.value(0));
}
BENCHMARK(BM_Backup)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Compaction(benchmark::State &state)
{
    const QString source = BenchDatabase(long(state.range(0)));
    QTemporaryDir folder;
    CTallywickData data;
    data.SetAppFolder(folder.path());
    data.location.databasePath = folder.filePath(QStringLiteral("TallywickPlus.mdb"));
    data.location.providerSetting = kProviderSetting;
    data.BuildConnectionString();
    if (!QFile::copy(source, data.location.databasePath) || !data.OpenDatabase()) {
        state.SkipWithError("no database to compact");
        return;
    }
    for (auto _ : state) {
        if (!CompactDatabase(data)) {
            state.SkipWithError("the compaction failed");
            break;
        }
    }
}
BENCHMARK(BM_Compaction)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return RunCoreBenchmarks(argc, argv);
}
