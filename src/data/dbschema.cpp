#include "data/dbschema.h"

#include "data/cipherkey.h"
#include "data/jetsql.h"

#include <sqlite3.h>

#include <QFile>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr char kReportIndexStat[] = "1000000 300 20 10 10 10 2 1";
constexpr char kNameIndexStat[] = "1000000 25000 5000";

} // namespace

QStringList IndexStatements()
{
    // Built from built-in functions only, so the standard shell can still
    // insert rows; period queries are rewritten to this expression. Every
    // column is in the index too, so the period, advanced and list reports
    // read the index alone and never visit the scattered table rows. The
    // indexes of older builds took impossible days such as 02/31 for dates.
    //
    // Without statistics the engine takes the name index for a report that
    // lists many categories and walks every year of them. A fixed profile
    // (a name stands for a fortieth of the rows, a day for a few hundred)
    // sends date-bounded reports to the period index; the engine reads it
    // when the second ANALYZE of the schema table reloads the statistics.
    const QString transactionDay = IndexedDateExpression(QStringLiteral("cTransactionDate"));
    const QString reminderDay = IndexedDateExpression(QStringLiteral("cPaymentDate"));
    return {
        QStringLiteral("DROP INDEX IF EXISTS IX_TRANSACTION_PERIOD"),
        QStringLiteral("DROP INDEX IF EXISTS IX_REMINDER_DATE"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS IX_TRANSACTION_REPORT ON LB_TRANSACTION_INFO_TB (%1, "
                       "cTransactionName, iTransactionType, cTransactionAmount, cTransactionDate, cUnitName, "
                       "cTransactionDescription)")
            .arg(transactionDay),
        QStringLiteral("CREATE INDEX IF NOT EXISTS IX_TRANSACTION_NAME ON LB_TRANSACTION_INFO_TB (cTransactionName, cUnitName)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS IX_REMINDER_DAY ON LB_PAYMENT_REMINDER_INFO_TB (%1, cPaymentDate)")
            .arg(reminderDay),
        QStringLiteral("CREATE INDEX IF NOT EXISTS IX_TRANSACTION_OTHER_DATE ON LB_TRANSACTION_INFO_TB (cTransactionDate) "
                       "WHERE %1")
            .arg(OtherFormDatesCondition(QStringLiteral("cTransactionDate"))),
        QStringLiteral("CREATE INDEX IF NOT EXISTS IX_REMINDER_OTHER_DATE ON LB_PAYMENT_REMINDER_INFO_TB (cPaymentDate) "
                       "WHERE %1")
            .arg(OtherFormDatesCondition(QStringLiteral("cPaymentDate"))),
        QStringLiteral("ANALYZE sqlite_master"),
        QStringLiteral("DELETE FROM sqlite_stat1 WHERE tbl='LB_TRANSACTION_INFO_TB'"),
        QStringLiteral("INSERT INTO sqlite_stat1 VALUES ('LB_TRANSACTION_INFO_TB','IX_TRANSACTION_REPORT','%1'),"
                       "('LB_TRANSACTION_INFO_TB','IX_TRANSACTION_NAME','%2')")
            .arg(QLatin1String(kReportIndexStat), QLatin1String(kNameIndexStat)),
        QStringLiteral("ANALYZE sqlite_master"),
    };
}

bool IndexesCurrent(sqlite3 *db)
{
    // By name, as the statements' IF NOT EXISTS decides, and the statistics
    // row for row. No statistics table at all fails to prepare: not current.
    const QByteArray sql =
        QStringLiteral("SELECT (SELECT count(*) FROM sqlite_master WHERE type='index' AND name IN "
                       "('IX_TRANSACTION_REPORT','IX_TRANSACTION_NAME','IX_REMINDER_DAY','IX_TRANSACTION_OTHER_DATE',"
                       "'IX_REMINDER_OTHER_DATE'))=5 AND (SELECT count(*) FROM sqlite_master WHERE name IN "
                       "('IX_TRANSACTION_PERIOD','IX_REMINDER_DATE'))=0 AND (SELECT count(*) FROM sqlite_stat1 WHERE "
                       "tbl='LB_TRANSACTION_INFO_TB')=2 AND (SELECT count(*) FROM sqlite_stat1 WHERE "
                       "tbl='LB_TRANSACTION_INFO_TB' AND ((idx='IX_TRANSACTION_REPORT' AND stat='%1') OR "
                       "(idx='IX_TRANSACTION_NAME' AND stat='%2')))=2")
            .arg(QLatin1String(kReportIndexStat), QLatin1String(kNameIndexStat))
            .toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return false;
    }
    const bool current = sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) == 1;
    sqlite3_finalize(stmt);
    return current;
}

QStringList SchemaStatements()
{
    return QStringList{
        QStringLiteral("CREATE TABLE LB_TRANSACTION_INFO_TB ("
                       "iTransactionNumber INTEGER PRIMARY KEY AUTOINCREMENT, cUnitName TEXT, cTransactionDate TEXT, "
                       "cTransactionName TEXT, cTransactionAmount REAL, cTransactionDescription TEXT, "
                       "iTransactionType INTEGER)"),
        QStringLiteral("CREATE TABLE LB_ITEM_MASTER_INFO_TB ("
                       "iTransactionId INTEGER PRIMARY KEY AUTOINCREMENT, cTransactionName TEXT, "
                       "cTransactionDescription TEXT, iType INTEGER)"),
        QStringLiteral("CREATE TABLE LB_COMPANY_INFO_TB (cName TEXT, cAddress TEXT, cPhoneNo TEXT, cFaxNo TEXT, "
                       "cEmail TEXT, cLogoPath TEXT, cCompanyUnits TEXT, cReserved TEXT)"),
        QStringLiteral("CREATE TABLE LB_DEFAULT_SETTINGS_TB (iAutoBackUpDb INTEGER, iAutoCompactDb INTEGER, "
                       "iByPassPasswordScreen INTEGER, cBackUpDbPath TEXT, iPromptForBackUpDb INTEGER, "
                       "iPrintLogo INTEGER, iPrintEMail INTEGER, iPrintPhNo INTEGER, iPrintFaxNo INTEGER, "
                       "cPassword TEXT, cCurrency TEXT, cReserved TEXT)"),
        QStringLiteral("CREATE TABLE LB_PAYMENT_REMINDER_INFO_TB ("
                       "iPaymentReminderID INTEGER PRIMARY KEY AUTOINCREMENT, cPaymentDescription TEXT, "
                       "iPaymentAmount REAL, cPaymentDate TEXT, iPaymentReminderDays INTEGER, bAutoDelete INTEGER)"),
        QStringLiteral("INSERT INTO LB_COMPANY_INFO_TB VALUES ('', '', '', '', '', '', '', '')"),
        QStringLiteral("INSERT INTO LB_DEFAULT_SETTINGS_TB VALUES (0, 0, 1, '', 0, 1, 1, 1, 1, 'vorel', '$', '')"),
    } + IndexStatements();
}

QString CreateDatabase(const QString &path, const QString &key)
{
    const QFileInfo info(path);
    if (info.exists())
        return QStringLiteral("%1 already exists; a new database is never written over an existing file.").arg(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("The folder %1 does not exist.").arg(info.absolutePath());

    sqlite3 *db = nullptr;
    const QByteArray native = QFile::encodeName(info.absoluteFilePath());
    int rc = sqlite3_open_v2(native.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString error;
    if (rc == SQLITE_OK && !key.isEmpty())
        rc = KeyDatabase(db, key, CipherFormat::Current);
    if (rc == SQLITE_OK) {
        QString script = QStringLiteral("PRAGMA journal_mode=DELETE; BEGIN;");
        for (const QString &s : SchemaStatements())
            script += s + u';';
        script += QStringLiteral("COMMIT;");
        char *message = nullptr;
        rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK)
            error = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
    } else {
        error = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    }
    sqlite3_close_v2(db);
    if (!error.isEmpty()) {
        QFile::remove(info.absoluteFilePath());
        return QStringLiteral("Cannot create %1: %2").arg(path, error);
    }
    return {};
}
