// The reminder check at start-up (expired deletion, then the due query) on
// the 1,000,000-row database with 10,000 reminders around today.
#include "benchdata.h"

#include "base/clock.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/reminderstore.h"
#include "data/sqltext.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int kReminders = 10000;

// A copy of the shared database with reminders from two years back to two
// years ahead, half of them marked for automatic deletion. Earlier starts
// have already deleted the expired ones so marked, except the last week's.
QString ReminderDatabase(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("reminders.mdb"));
    QFile::copy(BenchDatabase(1000000), path);
    CDbConnection connection;
    connection.Open(kProviderSetting + QStringLiteral("Data Source=") + path, kDbUser, kDbPassword);
    CReminderStore store(connection);
    QRandomGenerator gen(20260317);
    CDbTransaction transaction(connection);
    for (int i = 0; i < kReminders; ++i) {
        const int offset = gen.bounded(-730, 731);
        const bool autoDelete = (i % 2) == 0 && offset >= -7;
        store.Add(CReminder{-1, QStringLiteral("Reminder %1").arg(i), double(gen.bounded(1, 100000)) / 100,
                            DateText(Today().addDays(offset)), int(gen.bounded(0, 31)), autoDelete});
    }
    transaction.Commit();
    return path;
}

void BM_StartupReminderCheck(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = ReminderDatabase(dir);
    CDbConnection connection;
    connection.Open(kProviderSetting + QStringLiteral("Data Source=") + path, kDbUser, kDbPassword);
    CReminderStore store(connection);
    const QString today = StartupDateText(Today());
    long due = 0;
    for (auto _ : state) {
        // Rolled back, so every run deletes the same expired reminders.
        CDbTransaction transaction(connection);
        store.DeleteReminders(today, ReminderDeletion::Expired);
        due = long(store.Select(kDueReminderQuery, today, today).size());
        benchmark::DoNotOptimize(due);
    }
    state.counters["due"] = double(due);
    state.counters["expired"] = double(CReminderStore(connection).Select(
        "SELECT * FROM LB_PAYMENT_REMINDER_INFO_TB WHERE (datevalue(cPaymentDate)< datevalue('%s')) AND (bAutoDelete=1)%s",
        today, QString()).size());
}
BENCHMARK(BM_StartupReminderCheck)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SetClock(QDateTime(QDate(2026, 3, 17), QTime(10, 30, 15)));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
