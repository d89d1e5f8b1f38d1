// Reading bank statements: a CSV of a million lines passes through the
// reader a block at a time, so the program's memory stays where it was.
#include "data/statementreader.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

namespace {

// German-style lines (semicolon, decimal comma, quoted payees), made once.
QString BenchStatement(long lines)
{
    const QString path = QDir::temp().filePath(QStringLiteral("twk-bench-statement-%1.csv").arg(lines));
    if (QFileInfo::exists(path))
        return path;
    QFile file(path + QStringLiteral(".part"));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("Buchungstag;Empf\xE4nger;Verwendungszweck;Betrag\n");
    QByteArray line;
    for (long i = 0; i < lines; ++i) {
        line = QByteArray::number(1 + i % 28).rightJustified(2, '0') + '.' + QByteArray::number(1 + i % 12).rightJustified(2, '0')
               + '.' + QByteArray::number(2015 + i % 12) + ";\"Gesch\xE4" "ft " + QByteArray::number(i % 997)
               + "; Filiale\";Rechnung " + QByteArray::number(i) + ';' + (i % 3 ? "-" : "")
               + (i % 2 ? QByteArray::number(1 + i % 9) + '.' : QByteArray()) + QByteArray::number(100 + i % 900) + ','
               + QByteArray::number(10 + i % 90) + '\n';
        file.write(line);
    }
    file.close();
    return file.rename(path) ? path : QString();
}

void BM_ReadCsvStatement(benchmark::State &state)
{
    const QString path = BenchStatement(long(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("the statement could not be written");
        return;
    }
    CCsvLayout layout;
    layout.delimiter = u';';
    layout.encoding = QStringLiteral("Windows-1252");
    layout.skipLines = 1;
    layout.dateFormat = QStringLiteral("DD.MM.YYYY");
    layout.decimalComma = true;
    layout.dateColumn = 0;
    layout.descriptionColumn = 1;
    layout.memoColumn = 2;
    layout.amountColumn = 3;
    long read = 0;
    for (auto _ : state) {
        read = 0;
        const std::unique_ptr<IStatementReader> reader = OpenStatement(path, StatementFormat::Csv, layout);
        CStatementLine line;
        while (reader->Next(line)) {
            if (!line.error.isEmpty()) {
                state.SkipWithError(line.error.toStdString().c_str());
                return;
            }
            ++read;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["lines"] = double(read);
    state.counters["rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_ReadCsvStatement)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
