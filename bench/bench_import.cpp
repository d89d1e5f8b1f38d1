// A 100,000-line CSV statement imported into the 1,000,000-row database with
// the duplicate check: the file read, every line decided and written in one
// transaction. A thousand of its lines repeat stored rows.
#include "benchdata.h"

#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/statementreader.h"
#include "records/importengine.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

const QString kUnit = QStringLiteral("Unit 1");

// Signed amounts, US dates; stored twins first, then new lines over two
// years in date order, as banks write them.
QString WriteStatement(CDbConnection &connection, const QString &path, int lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write the statement");
    file.write("Date,Description,Amount\n");
    CDbRecordset stored(connection);
    stored.Open("SELECT cTransactionDate,cTransactionDescription,cTransactionAmount,iTransactionType FROM "
                "LB_TRANSACTION_INFO_TB WHERE cUnitName='%s' AND datevalue(cTransactionDate)>=datevalue('01/01/2025') "
                "LIMIT 1000",
                SqlQuote(kUnit));
    int written = 0;
    for (; !stored.IsEOF(); stored.MoveNext(), ++written) {
        const double amount = stored.GetDouble(QStringLiteral("cTransactionAmount"));
        const bool expense = stored.GetShort(QStringLiteral("iTransactionType")) == 2;
        file.write(QStringLiteral("%1,%2,%3\n")
                       .arg(stored.GetString(QStringLiteral("cTransactionDate")),
                            stored.GetString(QStringLiteral("cTransactionDescription")),
                            QString::number(expense ? -amount : amount, 'f', 2))
                       .toUtf8());
    }
    const QDate first(2025, 1, 1);
    for (int i = written; i < lines; ++i) {
        // A statement runs in date order.
        const QDate day = first.addDays(qint64(i) * 730 / lines);
        const double amount = (i % 3 == 0 ? 1 : -1) * (1 + (i * 37) % 50000 / 100.0);
        file.write(QStringLiteral("%1,\"Card payment shop %2, ref %3\",%4\n")
                       .arg(DateText(day))
                       .arg(i % 500)
                       .arg(i)
                       .arg(QString::number(amount, 'f', 2))
                       .toUtf8());
    }
    return {};
}

void BM_ImportCsv(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString database = folder.filePath(QStringLiteral("TallywickPlus.mdb"));
    const QString statement = folder.filePath(QStringLiteral("statement.csv"));
    if (!QFile::copy(BenchDatabase(1000000), database)) {
        state.SkipWithError("no database");
        return;
    }
    CDbConnection connection;
    connection.Open(BenchConnection(database), kDbUser, kDbPassword);
    if (const QString error = WriteStatement(connection, statement, int(state.range(0))); !error.isEmpty()) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    CCsvLayout layout;
    layout.skipLines = 1;
    layout.dateColumn = 0;
    layout.descriptionColumn = 1;
    layout.amountColumn = 2;
    CImportOptions options;
    options.unit = kUnit;
    options.defaultCategory = QStringLiteral("Category 0");
    CImportStore store(connection);
    // Both types must find a category; a few rules to try on every line.
    store.SaveRules({{0, RuleMatch::Regex, QStringLiteral("^card payment shop 4\\d\\d\\b"), QStringLiteral("Category 12")},
                     {0, RuleMatch::Contains, QStringLiteral("shop 7,"), QStringLiteral("Category 13")},
                     {0, RuleMatch::StartsWith, QStringLiteral("card payment"), QStringLiteral("Category 11")}});
    CImportCounts counts;
    for (auto _ : state) {
        CImportPlanner planner(connection, store.Rules(), options);
        CImportWriter writer(connection, QStringLiteral("statement.csv"), kUnit);
        const auto reader = OpenStatement(statement, StatementFormat::Csv, layout);
        CStatementLine line;
        while (reader->Next(line))
            writer.Add(planner.Classify(line));
        writer.Commit();
        counts = writer.Counts();
        state.PauseTiming();
        store.UndoLastImport();
        state.ResumeTiming();
    }
    if (counts.duplicates != 1000 || counts.added + counts.duplicates != state.range(0))
        state.SkipWithError("the import decided the lines wrongly");
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["added"] = double(counts.added);
    state.counters["duplicates"] = double(counts.duplicates);
    state.counters["process_peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_ImportCsv)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return RunCoreBenchmarks(argc, argv);
}
