// Whole processes on the 1,000,000-row database: the program's start-up to
// its first painted main window (with the memory it holds then), and the
// command line's one-year period report. Each run gets a throw-away profile,
// so the user's own settings are never read or written.
// `bench_startup --start-once FOLDER` is the start-up process.
#include "benchdata.h"

#include "app/tallywickapp.h"
#include "controls/qtprintseam.h"
#include "controls/qtuiseam.h"
#include "frame/mainframe.h"
#include "reports/tallywickview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

// A program folder naming the database, and a profile with the start-up
// tip switched off.
struct StartFolder {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    explicit StartFolder(const QString &database)
    {
        QFile ini(dir.filePath(QStringLiteral("TallywickPlus.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[TallywickPlus]\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\nDBPath=" + QFile::encodeName(database) + "\n");
        ini.close();
        QDir(dir.path()).mkpath(QStringLiteral("config/Norwend"));
        QDir(dir.path()).mkpath(QStringLiteral("runtime"));
        QFile profile(dir.filePath(QStringLiteral("config/Norwend/Tallywick + .conf")));
        profile.open(QIODevice::WriteOnly);
        profile.write("[Tip]\nStartUp=1\n");
        profile.close();
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
};

void BM_StartUpToPaintedWindow(benchmark::State &state)
{
    StartFolder folder(BenchDatabase(long(state.range(0))));
    double peakMb = 0;
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(folder.env);
        QElapsedTimer clock;
        clock.start();
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--start-once"), folder.dir.path()});
        // The child says "painted <max RSS in KiB>" once the window is drawn.
        QByteArray line;
        while (!line.contains('\n') && p.waitForReadyRead(60000))
            line += p.readAllStandardOutput();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        p.waitForFinished(60000);
        if (!line.startsWith("painted")) {
            state.SkipWithError("the program did not start");
            break;
        }
        state.SetIterationTime(seconds);
        peakMb = std::max(peakMb, line.mid(8).trimmed().toDouble() / 1024.0);
    }
    state.counters["peak_MB"] = peakMb;
}
BENCHMARK(BM_StartUpToPaintedWindow)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_CommandLinePeriodReport(benchmark::State &state)
{
    const QString database = BenchDatabase(long(state.range(0)));
    StartFolder folder(database);
    const QStringList arguments{QStringLiteral("report"), QStringLiteral("period"), QStringLiteral("--from"),
                                QStringLiteral("2020-01-01"), QStringLiteral("--to"), QStringLiteral("2020-12-31"),
                                QStringLiteral("--database"), database};
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(folder.env);
        p.start(QStringLiteral(TWK_PROGRAM), arguments);
        p.waitForFinished(-1);
        if (p.exitCode() != 0 || !p.readAllStandardOutput().contains("Balance")) {
            state.SkipWithError("the report failed");
            break;
        }
    }
}
BENCHMARK(BM_CommandLinePeriodReport)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

int StartOnce(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    CQtUiSeam seam;
    SetUiSeam(&seam);
    CQtPrintSeam printSeam;
    SetPrintSeam(&printSeam);
    CTallywickApp app;
    if (!app.InitInstance(QString::fromLocal8Bit(argv[2]), {}))
        return 1;
    // Painted: the report view's grid has drawn once.
    struct PaintSpy : QObject {
        bool painted = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            painted = painted || event->type() == QEvent::Paint;
            return false;
        }
    } spy;
    app.MainFrame()->ReportView()->installEventFilter(&spy);
    for (QObject *child : app.MainFrame()->ReportView()->findChildren<QWidget *>())
        child->installEventFilter(&spy);
    while (!spy.painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("painted %ld\n", usage.ru_maxrss);
    std::fflush(stdout);
    app.MainFrame()->close();
    return app.ExitInstance();
}

} // namespace

int main(int argc, char **argv)
{
    return RunProcessBenchmarks(argc, argv, "--start-once", StartOnce);
}
