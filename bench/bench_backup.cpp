// Backup, compaction and conversion from the SQLCipher 3 format of the
// 1,000,000-row database: a backup is the copy plus the check that it opens
// with the key and holds every row.
#include "benchdata.h"

#include "data/backup.h"
#include "data/compaction.h"
#include "data/conversion.h"
#include "data/sqltext.h"
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

// The bench database as the program wrote it before SQLCipher 4; made once.
QString OldFormatDatabase(long rows)
{
    const QString source = BenchDatabase(rows);
    const QString path = source + QStringLiteral(".sqlcipher3");
    if (QFile::exists(path))
        return path;
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    if (QFile empty(partial); !empty.open(QIODevice::WriteOnly))
        return {};
    CDbConnection c;
    c.Open(BenchConnection(source), kDbUser, kDbPassword);
    c.Execute(FormatSql("ATTACH DATABASE '%s' AS old KEY '%s'", SqlQuote(partial), SqlQuote(kDbPassword)));
    c.Execute(QStringLiteral("PRAGMA old.cipher_compatibility = 3"));
    c.Execute(QStringLiteral("SELECT sqlcipher_export('old')"));
    c.Execute(QStringLiteral("DETACH DATABASE old"));
    c.Close();
    QFile::rename(partial, path);
    return path;
}

// From the open old file to the new one open in its place, checked, with
// the progress reported as the window shows it.
void BM_Conversion(benchmark::State &state)
{
    const QString source = OldFormatDatabase(long(state.range(0)));
    QTemporaryDir folder;
    const QString database = folder.filePath(QStringLiteral("TallywickPlus.mdb"));
    const QString connection = BenchConnection(database);
    int reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(database);
        QFile::remove(KeptOriginalFor(database));
        CDbConnection live;
        if (QFile::copy(source, database))
            live.Open(connection, kDbUser, kDbPassword);
        if (!live.IsOpen() || live.Format() != CipherFormat::Version3) {
            state.SkipWithError("no file of the older format");
            break;
        }
        state.ResumeTiming();
        const ConversionResult result =
            ConvertForChanges(live, connection, kDbPassword, [&reports](double) { ++reports; });
        if (result.outcome != ConversionOutcome::Converted) {
            state.SkipWithError(qPrintable(QStringLiteral("the conversion failed: ") + result.why));
            break;
        }
    }
    state.counters["progress_reports"] = reports;
}
BENCHMARK(BM_Conversion)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return RunCoreBenchmarks(argc, argv);
}
