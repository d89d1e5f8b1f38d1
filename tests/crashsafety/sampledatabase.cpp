#include "sampledatabase.h"

#include "data/dbconnection.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>

namespace {

QString ConnectionTo(const QString &path)
{
    return kProviderSetting + DataSourcePart(path);
}

} // namespace

QString MakeSampleDatabase(const QString &path, long rows)
{
    if (QString error = CreateDatabase(path, kDbPassword); !error.isEmpty())
        return error;
    try {
        CDbConnection db;
        db.Open(ConnectionTo(path), kDbUser, kDbPassword);
        CDbTransaction transaction(db);
        // Units change every seventh row and categories every row, so every
        // unit holds every category.
        db.Execute(QStringLiteral(
                       "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                       "INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                       "cTransactionAmount,cTransactionDescription,iTransactionType) "
                       "SELECT 'Unit '||(i/7%5), strftime('%m/%d/%Y','2015-01-01','+'||(i*7919%4383)||' days'), "
                       "'Category '||(i*31%40), (i*7907%100000)/100.0, 'Entry '||i, "
                       "CASE WHEN i*31%40<10 THEN 1 ELSE 2 END FROM n")
                       .arg(rows - 1));
        db.Execute(QStringLiteral(
                       "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<39) "
                       "INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) "
                       "SELECT 'Category '||i, '', CASE WHEN i<10 THEN 1 ELSE 2 END FROM n"));
        db.Execute(QStringLiteral(
                       "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                       "INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                       "iPaymentReminderDays,bAutoDelete) "
                       "SELECT 'Reminder '||i, (i*613%50000)/100.0, "
                       "strftime('%m/%d/%Y','2015-01-01','+'||(i*389%4383)||' days'), 7, 0 FROM n")
                       .arg(qMax(rows / 100, 1L) - 1));
        db.Execute(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Sample Mill',cAddress='1 Weir Lane',"
                                  "cCompanyUnits='Unit 0,Unit 1,Unit 2,Unit 3,Unit 4,'"));
        transaction.Commit();
    } catch (const CDbError &e) {
        QFile::remove(path);
        return e.Description();
    }
    return {};
}

QString DatabaseState(const QString &path)
{
    static QHash<QString, QString> known;
    try {
        // Opening rolls back what a killed change left in the journal.
        CDbConnection db;
        db.Open(ConnectionTo(path), kDbUser, kDbPassword);
        // A file with the very bytes of one already read whole is that file:
        // the integrity check of 100,000 rows is not repeated for each kill
        // that came before anything was committed.
        const QString digest = FileDigest(path);
        if (known.contains(digest))
            return known.value(digest);
        const auto scalar = [&db](const char *sql) {
            CDbRecordset rs(db);
            rs.Open(sql);
            return rs.IsEOF() ? QString() : rs.GetString(0);
        };
        const QString integrity = scalar("PRAGMA integrity_check");
        if (integrity != QLatin1String("ok"))
            throw BrokenFile{QStringLiteral("%1 fails its integrity check: %2").arg(path, integrity)};
        // Cents as integers: a sum of doubles would depend on the order read.
        QStringList state{
            scalar("SELECT count(*)||' rows, numbers '||total(iTransactionNumber)||', cents '||"
                   "sum(CAST(round(cTransactionAmount*100) AS INTEGER)) FROM LB_TRANSACTION_INFO_TB"),
            scalar("SELECT count(*)||' categories: '||group_concat(cTransactionName||'/'||iType,',') FROM "
                   "(SELECT * FROM LB_ITEM_MASTER_INFO_TB ORDER BY iTransactionId)"),
            scalar("SELECT count(*)||' reminders, cents '||sum(CAST(round(iPaymentAmount*100) AS INTEGER)) "
                   "FROM LB_PAYMENT_REMINDER_INFO_TB"),
            scalar("SELECT 'units '||cCompanyUnits FROM LB_COMPANY_INFO_TB"),
            scalar("SELECT count(*)||' settings rows' FROM LB_DEFAULT_SETTINGS_TB"),
        };
        // Tables added beside the five (the import's) count too.
        CDbRecordset others(db);
        others.Open("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%%' AND name NOT IN "
                    "('LB_TRANSACTION_INFO_TB','LB_ITEM_MASTER_INFO_TB','LB_COMPANY_INFO_TB',"
                    "'LB_DEFAULT_SETTINGS_TB','LB_PAYMENT_REMINDER_INFO_TB') ORDER BY name");
        for (; !others.IsEOF(); others.MoveNext()) {
            CDbRecordset rows(db);
            rows.Open("SELECT count(*) FROM %s", others.GetString(0));
            state << others.GetString(0) + u' ' + rows.GetString(0);
        }
        known.insert(digest, state.join(QStringLiteral("; ")));
        return state.join(QStringLiteral("; "));
    } catch (const CDbError &e) {
        throw BrokenFile{QStringLiteral("%1 does not open with its key (0x%2 %3)")
                             .arg(path)
                             .arg(quint32(e.Status()), 8, 16, QLatin1Char('0'))
                             .arg(e.Description())};
    }
}

QString FileDigest(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}
