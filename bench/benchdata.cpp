#include "benchdata.h"

#include "data/cipherkey.h"
#include "data/dbschema.h"

#include <sqlite3.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cstring>
#include <sys/resource.h>
#include <stdexcept>

QString BenchDatabase(long rows)
{
    // Named after the indexes too: a file made with other indexes would be
    // rebuilt at its first open, inside the measurement; and after the file
    // format, which SQLCipher 3 files in the folder do not have. "set-up": the
    // business has its address, so no start-up stops in the setup wizard.
    const QByteArray indexes = QCryptographicHash::hash(IndexStatements().join(u';').toUtf8(), QCryptographicHash::Sha1);
    const QString path = QDir::tempPath()
        + QStringLiteral("/twk-bench-%1-%2-set-up-sqlcipher4.mdb").arg(rows).arg(QString::fromLatin1(indexes.toHex().left(8)));
    if (QFile::exists(path))
        return path;
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    const QString error = CreateDatabase(partial, kDbPassword);
    if (!error.isEmpty())
        throw std::runtime_error(error.toStdString());

    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(partial).constData(), &db);
    KeyDatabase(db, kDbPassword, CipherFormat::Current);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "UPDATE LB_COMPANY_INFO_TB SET cName='Bench Bakery',cAddress='1 Mill Lane'", nullptr, nullptr,
                 nullptr);
    for (int c = 0; c < 40; ++c) {
        const QByteArray sql = QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) "
                                              "VALUES ('Category %1','',%2)")
                                   .arg(c)
                                   .arg(c < 10 ? 1 : 2)
                                   .toUtf8();
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,cTransactionAmount,"
                       "cTransactionDescription,iTransactionType) VALUES (?,?,?,?,?,?)",
                       -1, &stmt, nullptr);
    QRandomGenerator gen(20260101);
    const QDate first(2015, 1, 1);
    const int days = int(first.daysTo(QDate(2026, 12, 31))) + 1;
    for (long i = 0; i < rows; ++i) {
        const int category = int(gen.bounded(40));
        const QDate d = first.addDays(gen.bounded(days));
        const QByteArray unit = QStringLiteral("Unit %1").arg(gen.bounded(5)).toUtf8();
        const QByteArray date = QString::asprintf("%02d/%02d/%04d", d.month(), d.day(), d.year()).toUtf8();
        const QByteArray name = QStringLiteral("Category %1").arg(category).toUtf8();
        const QByteArray description = QStringLiteral("Entry %1").arg(i).toUtf8();
        sqlite3_bind_text(stmt, 1, unit.constData(), int(unit.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 3, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(stmt, 4, double(gen.bounded(100000)) / 100.0);
        sqlite3_bind_text(stmt, 5, description.constData(), int(description.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 6, category < 10 ? 1 : 2);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QFile::rename(partial, path);
    return path;
}

int RunProcessBenchmarks(int argc, char **argv, const char *flag, const std::function<int(int, char **)> &runOnce)
{
    if (argc == 3 && std::strcmp(argv[1], flag) == 0)
        return runOnce(argc, argv);
    return RunCoreBenchmarks(argc, argv);
}

int RunCoreBenchmarks(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

double ChildCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
