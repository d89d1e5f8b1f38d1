#include "records/importengine.h"

#include "data/dbrecordset.h"
#include "data/dbstatement.h"
#include "data/jetsql.h"
#include "records/importrules.h"
#include "records/importtables.h"
#include "records/transactionstore.h"

#include <QHash>
#include <QSet>

#include <cmath>
#include <vector>

namespace {

// Stored rows are read a block of days at a time, and only the unit's:
// a statement covers a few weeks, the file may hold decades.
constexpr qint64 kBlockDays = 32;

struct StoredRow {
    qint64 number = 0;
    qint64 cents = 0;
    int type = 0;
    QString key;
    bool taken = false;
};

qint64 Cents(double amount)
{
    return std::llround(std::fabs(amount) * 100.0);
}

} // namespace

struct CImportPlanner::Private {
    CDbConnection &connection;
    CImportOptions options;
    std::vector<std::pair<CRuleMatcher, QString>> rules;
    // A name may stand for an income and an expense category at once: the
    // types it takes, as bits.
    QHash<QString, int> categoryTypes;
    // Rows the running import adds have higher numbers: never counted as
    // stored.
    qint64 lastStoredNumber = 0;
    std::unique_ptr<CDbStatement> fitIdLookup;
    QSet<QString> fitIdsOfFile;
    QHash<qint64, std::vector<StoredRow>> days;
    QSet<qint64> loadedBlocks;

    explicit Private(CDbConnection &c) : connection(c) {}

    bool Fits(const QString &category, int type) const
    {
        return (categoryTypes.value(category, 0) & type) != 0;
    }

    void LoadBlock(qint64 block)
    {
        if (loadedBlocks.contains(block))
            return;
        loadedBlocks.insert(block);
        const QDate from = QDate::fromJulianDay(block * kBlockDays);
        const QDate to = QDate::fromJulianDay(block * kBlockDays + kBlockDays - 1);
        CDbRecordset rs(connection);
        rs.Open("SELECT iTransactionNumber,cTransactionDate,cTransactionAmount,cTransactionDescription,"
                "iTransactionType FROM LB_TRANSACTION_INFO_TB WHERE datevalue(cTransactionDate)>=datevalue('%s') "
                "AND datevalue(cTransactionDate)<=datevalue('%s') AND cUnitName='%s' AND iTransactionNumber<=%lld",
                DateText(from), DateText(to), SqlQuote(options.unit), lastStoredNumber);
        const int number = rs.ColumnIndex(QStringLiteral("iTransactionNumber"));
        const int date = rs.ColumnIndex(QStringLiteral("cTransactionDate"));
        const int amount = rs.ColumnIndex(QStringLiteral("cTransactionAmount"));
        const int description = rs.ColumnIndex(QStringLiteral("cTransactionDescription"));
        const int type = rs.ColumnIndex(QStringLiteral("iTransactionType"));
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const std::optional<QDate> day = ParseJetDate(rs.GetString(date));
            if (!day)
                continue;
            StoredRow row;
            row.number = rs.GetValue(number).toLongLong();
            row.cents = Cents(rs.GetDouble(amount));
            row.type = rs.GetValue(type).toInt();
            row.key = NormalisedDescription(rs.GetString(description));
            days[day->toJulianDay()].push_back(std::move(row));
        }
    }

    // The nearest untaken stored row the line repeats, or nothing.
    StoredRow *Twin(const QDate &date, qint64 cents, int type, const QString &key)
    {
        const qint64 day = date.toJulianDay();
        const qint64 window = std::max(0, options.dateWindowDays);
        for (qint64 block = (day - window) / kBlockDays; block <= (day + window) / kBlockDays; ++block)
            LoadBlock(block);
        for (qint64 distance = 0; distance <= window; ++distance) {
            for (const qint64 d : {day - distance, day + distance}) {
                const auto found = days.find(d);
                if (found == days.end())
                    continue;
                for (StoredRow &row : *found) {
                    if (!row.taken && row.cents == cents && row.type == type && row.key == key)
                        return &row;
                }
                if (distance == 0)
                    break;
            }
        }
        return nullptr;
    }

    bool FitIdImported(const QString &fitId)
    {
        if (!fitIdLookup)
            return false;
        fitIdLookup->Reset();
        fitIdLookup->Bind(1, options.unit).Bind(2, fitId);
        const bool found = fitIdLookup->Next();
        fitIdLookup->Reset();
        return found;
    }
};

CImportPlanner::CImportPlanner(CDbConnection &connection, const QList<CImportRule> &rules,
                               const CImportOptions &options)
    : d(std::make_unique<Private>(connection))
{
    d->options = options;
    for (const CImportRule &rule : rules)
        d->rules.emplace_back(CRuleMatcher(rule), rule.category);
    CDbRecordset categories(connection);
    categories.Open("SELECT cTransactionName,iType FROM LB_ITEM_MASTER_INFO_TB");
    for (; !categories.IsEOF(); categories.MoveNext())
        d->categoryTypes[categories.GetString(0)] |= categories.GetShort(QStringLiteral("iType"));
    categories.Close();
    CDbRecordset last(connection);
    last.Open("SELECT max(iTransactionNumber) AS n FROM LB_TRANSACTION_INFO_TB");
    d->lastStoredNumber = last.GetValue(QStringLiteral("n")).toLongLong();
    last.Close();
    if (HasImportTable(connection, kImportFitIdTable))
        d->fitIdLookup = std::make_unique<CDbStatement>(
            connection, "SELECT 1 FROM LB_IMPORT_FITID_TB WHERE cUnitName=? AND cFitId=?");
}

CImportPlanner::~CImportPlanner() = default;

QString CImportPlanner::CategoryFor(const QString &description, int type) const
{
    // A rule whose category does not take this type is passed over: an
    // expense is never filed under an income category.
    for (const auto &[matcher, category] : d->rules) {
        if (matcher.Matches(description) && d->Fits(category, type))
            return category;
    }
    return d->Fits(d->options.defaultCategory, type) ? d->options.defaultCategory : QString();
}

CImportCandidate CImportPlanner::Classify(const CStatementLine &line)
{
    CImportCandidate c;
    c.line = line;
    c.type = line.amount < 0 ? kExpenseTransaction : kIncomeTransaction;
    if (!line.error.isEmpty()) {
        c.state = ImportLineState::Error;
        c.reason = line.error;
        return c;
    }
    if (!line.date.isValid()) {
        c.state = ImportLineState::Error;
        c.reason = QStringLiteral("The line has no date.");
        return c;
    }
    const qint64 cents = std::isfinite(line.amount) ? Cents(line.amount) : 0;
    if (cents == 0) {
        c.state = ImportLineState::Error;
        c.reason = QStringLiteral("The line moves no money.");
        return c;
    }
    const QString description = line.Description();
    c.category = CategoryFor(description, c.type);

    if (!line.fitId.isEmpty()) {
        bool repeated = d->fitIdsOfFile.contains(line.fitId);
        d->fitIdsOfFile.insert(line.fitId);
        if (repeated || d->FitIdImported(line.fitId)) {
            c.state = ImportLineState::Duplicate;
            c.reason = repeated ? QStringLiteral("The bank's id %1 came earlier in this file.").arg(line.fitId)
                                : QStringLiteral("The bank's id %1 was imported before.").arg(line.fitId);
            return c;
        }
    }
    if (StoredRow *twin = d->Twin(line.date, cents, c.type, NormalisedDescription(StoredDescription(description)))) {
        twin->taken = true;
        c.state = ImportLineState::Duplicate;
        c.reason = QStringLiteral("Already stored as transaction %1.").arg(twin->number);
        return c;
    }
    c.ticked = !c.category.isEmpty();
    return c;
}
