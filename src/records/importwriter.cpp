#include "records/importengine.h"

#include "base/clock.h"
#include "data/dbstatement.h"
#include "data/sqltext.h"
#include "records/importtables.h"
#include "records/transactionstore.h"

#include <cmath>

namespace {

// The width of cTransactionDescription as the entry dialog limits it.
constexpr qsizetype kDescriptionChars = 150;

bool Writes(const CImportCandidate &c)
{
    return c.state == ImportLineState::New && c.ticked && !c.category.isEmpty();
}

} // namespace

QString StoredDescription(const QString &description)
{
    QString text = description.left(kDescriptionChars);
    // Never leave half of a surrogate pair at the cut.
    if (text.size() == kDescriptionChars && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

void CImportCounts::Count(const CImportCandidate &c)
{
    switch (c.state) {
    case ImportLineState::Duplicate:
        ++duplicates;
        return;
    case ImportLineState::Error:
        ++errors;
        return;
    case ImportLineState::New:
        break;
    }
    if (!Writes(c)) {
        ++unticked;
        return;
    }
    ++added;
    (c.type == kExpenseTransaction ? moneyOut : moneyIn) += std::fabs(c.line.amount);
}

struct CImportWriter::Private {
    CDbConnection &connection;
    QString unit;
    CImportCounts counts;
    CDbTransaction transaction;
    qint64 importId = 0;
    CDbStatement insertTransaction;
    CDbStatement insertLine;
    CDbStatement insertFitId;

    static CDbConnection &Prepared(CDbConnection &c)
    {
        EnsureImportTables(c);
        return c;
    }

    Private(CDbConnection &c, const QString &u)
        : connection(c)
        , unit(u)
        , transaction(c)
        , insertTransaction(Prepared(c), "INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,"
                                         "cTransactionName,cTransactionAmount,cTransactionDescription,"
                                         "iTransactionType) VALUES (?,?,?,?,?,?)")
        , insertLine(c, "INSERT INTO LB_IMPORT_LINE_TB (iImportId,iTransactionNumber,cFullDescription) VALUES (?,?,?)")
        , insertFitId(c, "INSERT OR IGNORE INTO LB_IMPORT_FITID_TB (cUnitName,cFitId,iImportId) VALUES (?,?,?)")
    {
    }
};

CImportWriter::CImportWriter(CDbConnection &connection, const QString &fileName, const QString &unit)
    : d(std::make_unique<Private>(connection, unit))
{
    // UTC in ISO form: the record reads the same under every locale.
    d->importId = CDbStatement(connection, "INSERT INTO LB_IMPORT_INFO_TB (cFileName,cImportTime,cUnitName,iAdded) "
                                           "VALUES (?,?,?,0)")
                      .Bind(1, fileName)
                      .Bind(2, Now().toUTC().toString(Qt::ISODate))
                      .Bind(3, unit)
                      .Run();
}

CImportWriter::~CImportWriter() = default;

void CImportWriter::Add(const CImportCandidate &c)
{
    d->counts.Count(c);
    if (!Writes(c))
        return;
    const QString description = c.line.Description();
    // Rounded to cents as typed amounts are; the type carries the sign.
    const double amount = double(std::llround(std::fabs(c.line.amount) * 100.0)) / 100.0;
    const qint64 number = d->insertTransaction.Bind(1, d->unit)
                              .Bind(2, DateText(c.line.date))
                              .Bind(3, c.category)
                              .Bind(4, amount)
                              .Bind(5, StoredDescription(description))
                              .Bind(6, qint64(c.type))
                              .Run();
    d->insertLine.Bind(1, d->importId).Bind(2, number).Bind(3, description).Run();
    if (!c.line.fitId.isEmpty())
        d->insertFitId.Bind(1, d->unit).Bind(2, c.line.fitId).Bind(3, d->importId).Run();
}

const CImportCounts &CImportWriter::Counts() const
{
    return d->counts;
}

qint64 CImportWriter::Commit()
{
    // An import that adds nothing leaves no record to undo and no trace in
    // the file.
    if (d->counts.added == 0)
        return 0;
    CDbStatement(d->connection, "UPDATE LB_IMPORT_INFO_TB SET iAdded=? WHERE iImportId=?")
        .Bind(1, d->counts.added)
        .Bind(2, d->importId)
        .Run();
    d->transaction.Commit();
    return d->importId;
}
