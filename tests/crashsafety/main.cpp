// Kills each multi-row change at random moments and checks that the files
// are whole and the change is wholly there or wholly absent.
//
//   twk_crashsafety [--kills N] [--rows N] [--seed N] [--only TEXT]...
//   twk_crashsafety --child <change> <run folder>      (the killed process)
#include "changes.h"
#include "sampledatabase.h"

#include "data/dbconnection.h"
#include "data/dbschema.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testuiseam.h"
#include "support/throwawayprofile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

namespace {

QList<CChange> AllChanges()
{
    return MultiRowChanges() << RowByRowControl();
}

std::optional<CChange> ChangeNamed(const QString &name)
{
    for (const CChange &change : AllChanges())
        if (change.name == name)
            return change;
    return std::nullopt;
}

// The killed process: opens the database as the program does, says "ready",
// then makes the change.
int RunChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    const std::optional<CChange> change = ChangeNamed(QString::fromUtf8(argv[2]));
    if (!change)
        return 2;
    const CRunFolder folder{QString::fromUtf8(argv[3])};
    CTestUiSeam ui;
    SetUiSeam(&ui);
    CTallywickData data;
    data.SetAppFolder(folder.App());
    QDir::setCurrent(folder.App());
    if (!data.LocateDatabase() || !data.OpenDatabase())
        return 3;
    data.LoadStoredState(nullptr);
    data.loggedIn = true;
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    bool done = false;
    try {
        done = change->run(data, ui, folder);
    } catch (const CDbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Description()));
    }
    if (!done)
        std::fprintf(stderr, "%s\n", qPrintable(ui.Texts().join(u'\n')));
    return done ? 0 : 4;
}

struct Options {
    int kills = 20;
    long rows = 100000;
    quint64 seed = 0;
    QStringList only; // parts of the names of the changes to run; all when empty
};

std::optional<Options> ParseOptions(const QStringList &args)
{
    Options options;
    options.seed = QRandomGenerator::system()->generate();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = hasValue;
        if (arg == QLatin1String("--kills") && hasValue)
            options.kills = args[++i].toInt(&ok);
        else if (arg == QLatin1String("--rows") && hasValue)
            options.rows = args[++i].toLong(&ok);
        else if (arg == QLatin1String("--seed") && hasValue)
            options.seed = args[++i].toULongLong(&ok);
        else if (arg == QLatin1String("--only") && hasValue)
            options.only << args[++i];
        else
            ok = false;
        if (!ok)
            return std::nullopt;
    }
    if (options.kills < 1 || options.rows < 1000)
        return std::nullopt;
    return options;
}

// The sample database, and the older one: a tenth of its transactions fewer.
std::optional<CSampleFiles> MakeSampleFiles(const QString &work, long rows)
{
    CSampleFiles files{work + QStringLiteral("/sample.mdb"), work + QStringLiteral("/older.mdb"),
                       work + QStringLiteral("/imported.mdb"), work + QStringLiteral("/oldformat.mdb"),
                       work + QStringLiteral("/olderoldformat.mdb"), {}, {}};
    if (const QString error = MakeSampleDatabase(files.sample, rows); !error.isEmpty()) {
        std::fprintf(stderr, "Cannot make the sample database: %s\n", qPrintable(error));
        return std::nullopt;
    }
    QFile::copy(files.sample, files.older);
    QFile::copy(files.sample, files.imported);
    QFile::copy(files.sample, files.oldFormat);
    try {
        RewriteInVersion3Format(files.oldFormat);
        CDbConnection db;
        db.Open(kProviderSetting + DataSourcePart(files.older), kDbUser, kDbPassword);
        db.Execute(QStringLiteral("DELETE FROM LB_TRANSACTION_INFO_TB WHERE iTransactionNumber % 10 = 0"));
        db.Open(kProviderSetting + DataSourcePart(files.imported), kDbUser, kDbPassword);
        ImportStatement(db);
        db.Close();
        QFile::copy(files.older, files.olderOldFormat);
        RewriteInVersion3Format(files.olderOldFormat);
    } catch (const CDbError &e) {
        std::fprintf(stderr, "Cannot make the older or the imported database: %s\n", qPrintable(e.Description()));
        return std::nullopt;
    }
    files.sampleDigest = FileDigest(files.sample);
    files.olderDigest = FileDigest(files.older);
    return files;
}

// A fresh run folder: the sample as the program's database, the settings
// file naming it, and what the change needs besides.
CRunFolder PrepareRun(const QString &work, const CSampleFiles &files, const CChange &change)
{
    const CRunFolder folder{work + QStringLiteral("/run")};
    QDir(folder.root).removeRecursively();
    QDir().mkpath(folder.App());
    QFile::copy(change.needs & CChange::kImportedDatabase ? files.imported
                : change.needs & CChange::kOldFormat    ? files.oldFormat
                                                        : files.sample,
                folder.Database());
    QFile ini(folder.App() + QStringLiteral("/TallywickPlus.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write((QStringLiteral("[TallywickPlus]\nDBPath=") + folder.Database() + QStringLiteral("\nConStrg=")
                   + kProviderSetting + u'\n')
                      .toUtf8());
    if (change.needs & CChange::kPreviousBackup) {
        QDir().mkpath(folder.BackupFolder());
        QFile::copy(files.older, folder.Backup());
    }
    if (change.needs & CChange::kFileToRestore) {
        QDir().mkpath(QFileInfo(folder.Other()).absolutePath());
        QFile::copy(files.olderOldFormat, folder.Other());
    }
    return folder;
}

// One child run. With a delay it is killed that long after it said ready;
// the result is how long the change ran, or nothing when the child failed.
struct ChildRun {
    bool started = false;
    bool finished = false; // ended by itself before any kill
    qint64 nanoseconds = 0;
    QString failure;
};

ChildRun RunOnce(const QString &changeName, const CRunFolder &folder, std::optional<qint64> killAfterNs)
{
    ChildRun result;
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--child"), changeName, folder.root});
    child.start();
    if (!child.waitForStarted(30000)) {
        result.failure = child.errorString();
        return result;
    }
    while (!child.canReadLine() && child.state() == QProcess::Running)
        child.waitForReadyRead(30000);
    if (child.readLine().trimmed() != "ready") {
        child.kill();
        child.waitForFinished();
        result.failure = QString::fromUtf8(child.readAllStandardError());
        return result;
    }
    result.started = true;
    QElapsedTimer clock;
    clock.start();
    if (killAfterNs) {
        std::this_thread::sleep_for(std::chrono::nanoseconds(*killAfterNs));
        child.kill();
    }
    child.waitForFinished(-1);
    result.nanoseconds = clock.nsecsElapsed();
    result.finished = child.exitStatus() == QProcess::NormalExit;
    if (result.finished && child.exitCode() != 0)
        result.failure = QStringLiteral("exit code %1: %2")
                             .arg(child.exitCode())
                             .arg(QString::fromUtf8(child.readAllStandardError()));
    return result;
}

QString Observe(const CChange &change, const CRunFolder &folder, const CSampleFiles &files)
{
    try {
        return change.observe(folder, files);
    } catch (const BrokenFile &broken) {
        return QStringLiteral("BROKEN: ") + broken.why;
    }
}

struct Tally {
    QString before;
    QString after;
    double milliseconds = 0;
    int atBefore = 0;
    int atAfter = 0;
    int finishedFirst = 0;
    QStringList between; // the states found that are neither
};

void Print(const CChange &change, const Tally &tally, bool details)
{
    // Milliseconds with a point on every desktop.
    std::printf("%s: %s ms; %lld kills: %d before, %d after (%d had finished), %lld between\n",
                qPrintable(change.name), qPrintable(QString::number(tally.milliseconds, 'f', 1)),
                qlonglong(tally.atBefore + tally.atAfter + tally.between.size()), tally.atBefore, tally.atAfter,
                tally.finishedFirst, qlonglong(tally.between.size()));
    if (details && !tally.between.isEmpty()) {
        std::printf("  before: %s\n  after:  %s\n", qPrintable(tally.before), qPrintable(tally.after));
        for (const QString &state : tally.between)
            std::printf("  %s\n", qPrintable(state));
    }
    std::fflush(stdout);
}

// Measures the change, then kills it `kills` times: a tenth right after it
// starts, the rest at uniform random moments over its measured duration.
std::optional<Tally> KillRepeatedly(const CChange &change, const QString &work, const CSampleFiles &files, int kills,
                                    QRandomGenerator &random)
{
    const QString before = Observe(change, PrepareRun(work, files, change), files);
    const CRunFolder folder = PrepareRun(work, files, change);
    const ChildRun measured = RunOnce(change.name, folder, std::nullopt);
    const QString after = Observe(change, folder, files);
    if (!measured.started || !measured.failure.isEmpty() || before.startsWith(QLatin1String("BROKEN"))
        || after.startsWith(QLatin1String("BROKEN")) || before == after) {
        std::printf("%s: cannot be measured: %s\n  before: %s\n  after:  %s\n", qPrintable(change.name),
                    qPrintable(measured.failure), qPrintable(before), qPrintable(after));
        return std::nullopt;
    }
    Tally tally;
    const int atStart = qMax(1, kills / 10);
    for (int k = 0; k < kills; ++k) {
        const qint64 delay = k < atStart ? 0 : qint64(random.bounded(double(measured.nanoseconds)));
        const CRunFolder run = PrepareRun(work, files, change);
        const ChildRun killed = RunOnce(change.name, run, delay);
        if (!killed.started || !killed.failure.isEmpty()) {
            tally.between << QStringLiteral("the child failed: ") + killed.failure;
            continue;
        }
        tally.finishedFirst += killed.finished ? 1 : 0;
        const QString state = Observe(change, run, files);
        if (state == before)
            ++tally.atBefore;
        else if (state == after)
            ++tally.atAfter;
        else
            tally.between << QStringLiteral("killed after %1 ms: %2").arg(double(delay) / 1e6, 0, 'f', 1).arg(state);
    }
    tally.before = before;
    tally.after = after;
    tally.milliseconds = double(measured.nanoseconds) / 1e6;
    return tally;
}

int RunParent(int argc, char **argv)
{
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/twk-crashsafety-XXXXXX"));
    if (!work.isValid())
        return 2;
    UseThrowAwayProfile(work.path() + QStringLiteral("/profile"));
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = ParseOptions(app.arguments());
    if (!options) {
        std::fputs("usage: twk_crashsafety [--kills N] [--rows N (1000 or more)] [--seed N] [--only TEXT]...\n", stderr);
        return 2;
    }
    std::printf("%ld rows, %d kills per change, seed %llu\n", options->rows, options->kills,
                static_cast<unsigned long long>(options->seed));
    std::fflush(stdout);
    const std::optional<CSampleFiles> files = MakeSampleFiles(work.path(), options->rows);
    if (!files)
        return 2;
    QRandomGenerator random(options->seed);

    int changes = 0;
    bool consistent = true;
    for (const CChange &change : MultiRowChanges()) {
        if (!options->only.isEmpty()
            && std::none_of(options->only.cbegin(), options->only.cend(),
                            [&change](const QString &part) { return change.name.contains(part); }))
            continue;
        ++changes;
        const std::optional<Tally> tally = KillRepeatedly(change, work.path(), *files, options->kills, random);
        if (tally)
            Print(change, *tally, true);
        consistent = consistent && tally && tally->between.isEmpty();
    }
    // The check itself: a change without a transaction must be caught.
    const CChange control = RowByRowControl();
    const std::optional<Tally> caught =
        KillRepeatedly(control, work.path(), *files, qMax(8, options->kills / 10), random);
    if (caught)
        Print(control, *caught, false);
    const bool catches = caught && !caught->between.isEmpty();
    if (!catches)
        std::printf("The check did not catch a change made row by row.\n");
    std::printf("%d changes \u00d7 %d kills, %s\n", changes, options->kills,
                consistent ? "all consistent" : "NOT all consistent");
    return consistent && catches ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv);
    return RunParent(argc, argv);
}
