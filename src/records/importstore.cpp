#include "records/importengine.h"

#include "data/dbrecordset.h"
#include "data/dbstatement.h"
#include "records/importrules.h"
#include "records/importtables.h"

#include <algorithm>

void EnsureImportTables(CDbConnection &connection)
{
    connection.Execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS LB_IMPORT_RULE_TB (iRuleId INTEGER PRIMARY KEY AUTOINCREMENT, "
        "iRuleOrder INTEGER, iMatch INTEGER, cPattern TEXT, cTransactionName TEXT);"
        "CREATE TABLE IF NOT EXISTS LB_IMPORT_MAPPING_TB (cMappingName TEXT PRIMARY KEY, cLayout TEXT);"
        "CREATE TABLE IF NOT EXISTS LB_IMPORT_INFO_TB (iImportId INTEGER PRIMARY KEY AUTOINCREMENT, "
        "cFileName TEXT, cImportTime TEXT, cUnitName TEXT, iAdded INTEGER);"
        "CREATE TABLE IF NOT EXISTS LB_IMPORT_LINE_TB (iImportId INTEGER, iTransactionNumber INTEGER, "
        "cFullDescription TEXT, PRIMARY KEY (iImportId, iTransactionNumber)) WITHOUT ROWID;"
        "CREATE TABLE IF NOT EXISTS LB_IMPORT_FITID_TB (cUnitName TEXT, cFitId TEXT, iImportId INTEGER, "
        "PRIMARY KEY (cUnitName, cFitId));"
        "CREATE INDEX IF NOT EXISTS IX_IMPORT_FITID ON LB_IMPORT_FITID_TB (iImportId);"));
}

bool HasImportTable(CDbConnection &connection, const char *table)
{
    CDbRecordset rs(connection);
    rs.Open("SELECT name FROM sqlite_master WHERE type='table' AND name='%s'", SqlQuote(QString::fromLatin1(table)));
    return !rs.IsEOF();
}

CImportStore::CImportStore(CDbConnection &connection)
    : m_connection(connection)
{
}

QList<CImportRule> CImportStore::Rules()
{
    QList<CImportRule> rules;
    if (!HasImportTable(m_connection, kImportRuleTable))
        return rules;
    CDbRecordset rs(m_connection);
    rs.Open("SELECT * FROM LB_IMPORT_RULE_TB ORDER BY iRuleOrder, iRuleId");
    for (; !rs.IsEOF(); rs.MoveNext()) {
        CImportRule rule;
        rule.id = rs.GetLong(QStringLiteral("iRuleId"));
        const long match = rs.GetLong(QStringLiteral("iMatch"));
        // A kind this build does not know never matches rather than
        // matching as something else.
        if (match < int(RuleMatch::Contains) || match > int(RuleMatch::Regex))
            continue;
        rule.match = RuleMatch(match);
        rule.pattern = rs.GetString(QStringLiteral("cPattern"));
        rule.category = rs.GetString(QStringLiteral("cTransactionName"));
        rules << rule;
    }
    return rules;
}

void CImportStore::SaveRules(const QList<CImportRule> &rules)
{
    CDbTransaction transaction(m_connection);
    EnsureImportTables(m_connection);
    m_connection.Execute(QStringLiteral("DELETE FROM LB_IMPORT_RULE_TB"));
    CDbStatement insert(m_connection,
                        "INSERT INTO LB_IMPORT_RULE_TB (iRuleOrder,iMatch,cPattern,cTransactionName) VALUES (?,?,?,?)");
    qint64 order = 0;
    for (const CImportRule &rule : rules)
        insert.Bind(1, ++order).Bind(2, qint64(rule.match)).Bind(3, rule.pattern).Bind(4, rule.category).Run();
    transaction.Commit();
}

CImportRule CImportStore::LearnRule(const QString &description, const QString &category)
{
    const CImportRule learnt = LearntRule(description, category);
    // A blank description gives a rule that would match nothing: not kept.
    if (!learnt.Problem().isEmpty())
        return learnt;
    QList<CImportRule> rules = Rules();
    // The same pattern learnt again changes its category and comes first.
    rules.removeIf([&](const CImportRule &r) {
        return r.match == learnt.match && r.pattern.compare(learnt.pattern, Qt::CaseInsensitive) == 0;
    });
    rules.prepend(learnt);
    SaveRules(rules);
    return Rules().constFirst();
}

QStringList CImportStore::MappingNames()
{
    QStringList names;
    if (!HasImportTable(m_connection, kImportMappingTable))
        return names;
    CDbRecordset rs(m_connection);
    rs.Open("SELECT cMappingName FROM LB_IMPORT_MAPPING_TB");
    for (; !rs.IsEOF(); rs.MoveNext())
        names << rs.GetString(0);
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

std::optional<CCsvLayout> CImportStore::Mapping(const QString &name)
{
    if (!HasImportTable(m_connection, kImportMappingTable))
        return std::nullopt;
    CDbRecordset rs(m_connection);
    rs.Open("SELECT cLayout FROM LB_IMPORT_MAPPING_TB WHERE cMappingName='%s'", SqlQuote(name));
    if (rs.IsEOF())
        return std::nullopt;
    return CCsvLayout::FromText(rs.GetString(0));
}

void CImportStore::SaveMapping(const QString &name, const CCsvLayout &layout)
{
    CDbTransaction transaction(m_connection);
    EnsureImportTables(m_connection);
    CDbStatement(m_connection, "INSERT OR REPLACE INTO LB_IMPORT_MAPPING_TB (cMappingName,cLayout) VALUES (?,?)")
        .Bind(1, name)
        .Bind(2, layout.ToText())
        .Run();
    transaction.Commit();
}

void CImportStore::DeleteMapping(const QString &name)
{
    if (!HasImportTable(m_connection, kImportMappingTable))
        return;
    CDbRecordset rs(m_connection);
    rs.Open("DELETE FROM LB_IMPORT_MAPPING_TB WHERE cMappingName='%s'", SqlQuote(name));
}

std::optional<CImportStore::ImportRecord> CImportStore::LastImport()
{
    if (!HasImportTable(m_connection, kImportInfoTable))
        return std::nullopt;
    CDbRecordset rs(m_connection);
    rs.Open("SELECT * FROM LB_IMPORT_INFO_TB ORDER BY iImportId DESC LIMIT 1");
    if (rs.IsEOF())
        return std::nullopt;
    ImportRecord record;
    record.id = rs.GetLong(QStringLiteral("iImportId"));
    record.fileName = rs.GetString(QStringLiteral("cFileName"));
    record.unit = rs.GetString(QStringLiteral("cUnitName"));
    record.when = QDateTime::fromString(rs.GetString(QStringLiteral("cImportTime")), Qt::ISODate);
    record.added = rs.GetLong(QStringLiteral("iAdded"));
    return record;
}

qint64 CImportStore::UndoLastImport()
{
    const std::optional<ImportRecord> last = LastImport();
    if (!last)
        return 0;
    CDbTransaction transaction(m_connection);
    // Numbers are never given twice (AUTOINCREMENT), so a number the import
    // wrote is its row or no row at all: rows entered since stay.
    const char *rows = "iTransactionNumber IN (SELECT iTransactionNumber FROM LB_IMPORT_LINE_TB WHERE iImportId=%ld)";
    CDbRecordset count(m_connection);
    count.Open(std::string("SELECT count(*) AS n FROM LB_TRANSACTION_INFO_TB WHERE ") + rows, long(last->id));
    const qint64 removed = count.GetLong(QStringLiteral("n"));
    count.Close();
    CDbRecordset erase(m_connection);
    erase.Open(std::string("DELETE FROM LB_TRANSACTION_INFO_TB WHERE ") + rows, long(last->id));
    erase.Close();
    for (const char *table : {kImportFitIdTable, kImportLineTable, kImportInfoTable}) {
        CDbRecordset forget(m_connection);
        forget.Open("DELETE FROM %s WHERE iImportId=%ld", table, long(last->id));
    }
    transaction.Commit();
    return removed;
}
