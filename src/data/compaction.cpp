#include "data/compaction.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/backup.h"
#include "data/cipherkey.h"
#include "data/dbconnection.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

QList<qint64> TableRowCounts(CDbConnection &connection)
{
    QList<qint64> counts;
    for (const char *table : {"LB_TRANSACTION_INFO_TB", "LB_ITEM_MASTER_INFO_TB", "LB_COMPANY_INFO_TB",
                              "LB_DEFAULT_SETTINGS_TB", "LB_PAYMENT_REMINDER_INFO_TB"}) {
        CDbRecordset rs(connection);
        rs.Open("SELECT COUNT(*) FROM %s", table);
        counts << rs.GetValue(0).toLongLong();
    }
    return counts;
}

bool CompactDatabase(CTallywickData &data, QObject *owner)
{
    const QString database = data.ResolvedDatabasePath();
    const QString temporary = QFileInfo(database).absolutePath() + QStringLiteral("/TallywickPlusTemp.mdb");
    const QString key = data.settings.dbPassword;
    QString failure;
    // The fresh file replaces the original under its name: a program that
    // has the original open would go on writing to the replaced file, and
    // its changes would be lost.
    struct SoleUse {
        CDbConnection &connection;
        ~SoleUse() { connection.EndSoleUse(); }
    };
    try {
        QFile::remove(temporary);
        if (!data.connection.IsOpen() && !data.OpenDatabase())
            return false;
        if (!data.connection.TakeSoleUse()) {
            TwkMessageBox(LoadString(StringId::DatabaseInUseElsewhere), QStringLiteral("Tallywick + "),
                          MB_OK | MB_ICONEXCLAMATION, owner);
            return false;
        }
        const SoleUse sole{data.connection};
        const QList<qint64> counts = TableRowCounts(data.connection);

        FailInjectedStep(FileStep::Export, temporary);
        // The connection never creates files: the export goes into an empty
        // one made here.
        if (QFile empty(temporary); !empty.open(QIODevice::WriteOnly))
            throw CFrameworkException(empty.errorString());
        data.connection.Execute(FormatSql("ATTACH DATABASE '%s' AS twk_compacted KEY '%s'", SqlQuote(temporary),
                                          SqlQuote(key)));
        try {
            // The copy's indexes are filled row by row: a large cache keeps
            // their pages in memory instead of writing them out again and again.
            data.connection.Execute(CurrentFormatPragmas(QStringLiteral("twk_compacted")));
            data.connection.Execute(QStringLiteral("PRAGMA twk_compacted.cache_size=-262144"));
            data.connection.Execute(QStringLiteral("SELECT sqlcipher_export('twk_compacted')"));
        } catch (...) {
            data.connection.Execute(QStringLiteral("DETACH DATABASE twk_compacted"));
            throw;
        }
        data.connection.Execute(QStringLiteral("DETACH DATABASE twk_compacted"));

        // The copy must open with the key and hold every row before it may
        // take the original's place.
        {
            CDbConnection copy;
            copy.Open(data.location.providerPart + QStringLiteral("Data Source=") + temporary, data.settings.dbUser,
                      key);
            FailInjectedStep(FileStep::Verify, temporary);
            if (TableRowCounts(copy) != counts)
                throw CFrameworkException(QStringLiteral("The compacted copy does not hold every row."));
        }

        data.connection.Close();
        FailInjectedStep(FileStep::Replace, database);
        // One rename on one file system: the original is whole until then.
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(database).constData()) != 0)
            ThrowSystemError(errno);
        SyncFolderOf(database);
        return data.OpenDatabase();
    } catch (const CDbError &e) {
        failure = e.Description().isEmpty() ? StandardStatusText(e.Status()) : e.Description();
    } catch (const CFrameworkException &e) {
        failure = e.Message();
    } catch (...) {
        failure = LoadString(StringId::SomeErrorOccured);
    }
    QFile::remove(temporary);
    TwkMessageBox(failure + QStringLiteral("\nThe database was not compacted; the original file is kept."),
                  QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR, owner);
    if (!data.connection.IsOpen())
        data.OpenDatabase();
    return false;
}
