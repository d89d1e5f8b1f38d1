#include "changes.h"

#include "sampledatabase.h"

#include "data/backup.h"
#include "data/compaction.h"
#include "data/conversion.h"
#include "data/dbschema.h"
#include "data/dbrecordset.h"
#include "data/inifile.h"
#include "data/reminderstore.h"
#include "data/restore.h"
#include "data/tallywickdata.h"
#include "records/categorystore.h"
#include "records/companystore.h"
#include "records/deleteolddatadlg.h"
#include "records/importengine.h"
#include "records/transactionstore.h"

#include "support/testuiseam.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>

#include <chrono>
#include <thread>

namespace {

QString ContentState(const CRunFolder &folder, const CSampleFiles &)
{
    return DatabaseState(folder.Database());
}

// The backup target holds the previous backup or a whole copy, never a
// mixture; the database itself is left as it was.
QString BackupState(const CRunFolder &folder, const CSampleFiles &files)
{
    const QString digest = FileDigest(folder.Backup());
    QString which;
    if (digest == files.olderDigest)
        which = QStringLiteral("the previous backup");
    else if (digest == files.sampleDigest)
        which = QStringLiteral("a whole copy");
    else
        throw BrokenFile{QStringLiteral("the backup is neither the previous one nor a whole copy")};
    DatabaseState(folder.Backup());
    return which + QStringLiteral("; database: ") + DatabaseState(folder.Database());
}

// "DBPath" names the earlier or the chosen file, and both stay whole.
QString RestoreState(const CRunFolder &folder, const CSampleFiles &)
{
    const QString path = CIniFile(folder.App() + QStringLiteral("/TallywickPlus.ini"))
                             .Read(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath"));
    QString which;
    if (path == folder.Database())
        which = QStringLiteral("the earlier file");
    else if (path == folder.Other())
        which = QStringLiteral("the restored file");
    else
        throw BrokenFile{QStringLiteral("DBPath names neither file: \"%1\"").arg(path)};
    return QStringLiteral("DBPath: %1; earlier: %2; restored: %3")
        .arg(which, DatabaseState(folder.Database()), DatabaseState(folder.Other()));
}

// The original bytes, or a copy that opens and holds the same records.
QString CompactionState(const CRunFolder &folder, const CSampleFiles &files)
{
    if (FileDigest(folder.Database()) == files.sampleDigest)
        return QStringLiteral("the original");
    return QStringLiteral("a compacted copy holding ") + DatabaseState(folder.Database());
}

// The file opens, old or new, with every row; the original may be kept
// beside a converted file, never beside the old one.
QString ConversionState(const CRunFolder &folder, const CSampleFiles &)
{
    const QString state = DatabaseState(folder.Database());
    CDbConnection db;
    db.Open(kProviderSetting + DataSourcePart(folder.Database()), kDbUser, kDbPassword);
    if (db.Format() == CipherFormat::Version3)
        return QStringLiteral("old format holding ") + state;
    const QString kept = KeptOriginalFor(folder.Database());
    if (QFile::exists(kept) && DatabaseState(kept) != state)
        throw BrokenFile{QStringLiteral("the kept original does not hold the same records")};
    return QStringLiteral("new format holding ") + state;
}

QList<long> TransactionNumbers(CDbConnection &connection, const char *where)
{
    CDbRecordset rs(connection);
    rs.Open("SELECT iTransactionNumber FROM LB_TRANSACTION_INFO_TB WHERE %s ORDER BY iTransactionNumber", where);
    QList<long> numbers;
    for (; !rs.IsEOF(); rs.MoveNext())
        numbers << rs.GetLong(QStringLiteral("iTransactionNumber"));
    return numbers;
}

bool DeleteOldData(CTallywickData &data, CTestUiSeam &ui)
{
    CDeleteOldDataDlg dialog(data, nullptr);
    for (const char *box : {"1055", "1056", "1058"})
        dialog.findChild<QCheckBox *>(QLatin1String(box))->click();
    dialog.findChild<QDateEdit *>(QStringLiteral("1057"))->setDate(QDate(2018, 12, 31));
    // No backup first: that change is checked on its own.
    ui.QueueAnswer(IDNO);
    return dialog.OnOK();
}

} // namespace

QList<CChange> MultiRowChanges()
{
    QList<CChange> changes;
    changes << CChange{QStringLiteral("delete a category with its transactions"), CChange::kNothing,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                           CCategoryStore(data).DeleteWithTransactions(QStringLiteral("Category 13"),
                                                                       kExpenseCategory, {}, true);
                           return true;
                       },
                       ContentState};
    changes << CChange{QStringLiteral("delete a unit with its transactions"), CChange::kNothing,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                           QStringList remaining = data.company.units;
                           remaining.removeAll(QStringLiteral("Unit 2"));
                           CCompanyStore(data.connection).DeleteUnit(QStringLiteral("Unit 2"), true, remaining);
                           return true;
                       },
                       ContentState};
    changes << CChange{QStringLiteral("delete several transactions"), CChange::kNothing,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                           CTransactionStore(data.connection)
                               .Delete(TransactionNumbers(data.connection, "iTransactionNumber % 40 = 1"));
                           return true;
                       },
                       ContentState};
    changes << CChange{QStringLiteral("delete several reminders"), CChange::kNothing,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                           QList<long> ids;
                           for (const CReminder &r : CReminderStore(data.connection).List(QDate(2015, 1, 1),
                                                                                          QDate(2026, 12, 31)))
                               if (r.id % 3 == 0)
                                   ids << r.id;
                           CReminderStore(data.connection).Delete(ids);
                           return true;
                       },
                       ContentState};
    changes << CChange{QStringLiteral("delete old data"), CChange::kNothing,
                       [](CTallywickData &data, CTestUiSeam &ui, const CRunFolder &) {
                           return DeleteOldData(data, ui);
                       },
                       ContentState};
    changes << CChange{QStringLiteral("back up"), CChange::kPreviousBackup,
                       [](CTallywickData &data, CTestUiSeam &ui, const CRunFolder &folder) {
                           ui.QueueFolder(folder.BackupFolder());
                           ui.QueueAnswer(IDYES); // replace the previous backup
                           return BackupData(data);
                       },
                       BackupState};
    changes << CChange{QStringLiteral("restore"), CChange::kFileToRestore,
                       [](CTallywickData &data, CTestUiSeam &ui, const CRunFolder &folder) {
                           ui.QueueFile(folder.Other());
                           return RestoreData(data, RestoreHooks{{}, [] { return true; }});
                       },
                       RestoreState};
    changes << CChange{QStringLiteral("import a statement"), CChange::kNothing,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                           return ImportStatement(data.connection) > 0;
                       },
                       ContentState};
    changes << CChange{QStringLiteral("undo the last import"), CChange::kImportedDatabase,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                           return CImportStore(data.connection).UndoLastImport() > 0;
                       },
                       ContentState};
    changes << CChange{QStringLiteral("convert a file of the older format"), CChange::kOldFormat,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                           return ConvertForChanges(data, {}, nullptr).outcome == ConversionOutcome::Converted;
                       },
                       ConversionState};
    changes << CChange{QStringLiteral("compact"), CChange::kNothing,
                       [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) { return CompactDatabase(data); },
                       CompactionState};
    return changes;
}

qint64 ImportStatement(CDbConnection &connection)
{
    CImportPlanner planner(connection, {}, CImportOptions{QStringLiteral("Unit 1"), QStringLiteral("Category 5"), 3});
    CImportWriter writer(connection, QStringLiteral("statement.ofx"), QStringLiteral("Unit 1"));
    for (int i = 0; i < 5000; ++i) {
        CStatementLine line;
        line.lineNumber = i + 1;
        line.date = QDate(2026, 1, 1).addDays(i % 300);
        line.amount = 10.25 + i;
        line.payee = QStringLiteral("Transfer %1").arg(i);
        line.fitId = QStringLiteral("FIT%1").arg(i);
        writer.Add(planner.Classify(line));
    }
    return writer.Commit();
}

CChange RowByRowControl()
{
    return CChange{QStringLiteral("control: rows deleted one by one"), CChange::kNothing,
                   [](CTallywickData &data, CTestUiSeam &, const CRunFolder &) {
                       // A pause after each row keeps most of the run between
                       // the first row and the last, however fast the disk.
                       for (const long number : TransactionNumbers(data.connection, "iTransactionNumber <= 20")) {
                           CDbRecordset rs(data.connection);
                           rs.Open("DELETE FROM LB_TRANSACTION_INFO_TB WHERE iTransactionNumber=%ld", number);
                           std::this_thread::sleep_for(std::chrono::milliseconds(25));
                       }
                       return true;
                   },
                   ContentState};
}
