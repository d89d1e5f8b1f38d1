#include "records/transactionstore.h"

#include "data/dbrecordset.h"
#include "data/sqltext.h"


CTransactionStore::CTransactionStore(CDbConnection &connection)
    : m_connection(connection)
{
}

void CTransactionStore::Add(const CTransactionRecord &r)
{
    CDbRecordset rs(m_connection);
    rs.Open("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,cTransactionAmount,"
            "cTransactionDescription,iTransactionType) values ('%s','%s','%s',%f,'%s',%d)",
            SqlQuote(r.unit), SqlQuote(r.date), SqlQuote(r.category), r.amount, SqlQuote(r.description), r.type);
    rs.Close();
}

void CTransactionStore::Update(long number, const CTransactionRecord &r)
{
    CDbRecordset rs(m_connection);
    rs.Open("UPDATE LB_TRANSACTION_INFO_TB SET cUnitName='%s',cTransactionDate='%s',cTransactionName='%s',"
            "cTransactionAmount=%f,cTransactionDescription='%s',iTransactionType=%d where iTransactionNumber=%ld",
            SqlQuote(r.unit), SqlQuote(r.date), SqlQuote(r.category), r.amount, SqlQuote(r.description), r.type,
            number);
    rs.Close();
}

std::optional<CTransactionRecord> CTransactionStore::Read(long number)
{
    CDbRecordset rs(m_connection);
    rs.Open("SELECT * from LB_TRANSACTION_INFO_TB where iTransactionNumber=%ld", number);
    if (rs.IsEOF())
        return std::nullopt;
    CTransactionRecord r;
    r.unit = rs.GetString(QStringLiteral("cUnitName"));
    r.date = rs.GetString(QStringLiteral("cTransactionDate"));
    r.category = rs.GetString(QStringLiteral("cTransactionName"));
    r.amount = rs.GetDouble(QStringLiteral("cTransactionAmount"));
    r.description = rs.GetString(QStringLiteral("cTransactionDescription"));
    r.type = rs.GetShort(QStringLiteral("iTransactionType"));
    rs.Close();
    return r;
}

QList<CListedTransaction> CTransactionStore::List(const QDate &from, const QDate &to, const QString &category,
                                                  int type)
{
    CDbRecordset rs(m_connection);
    rs.Open("SELECT * from LB_TRANSACTION_INFO_TB where datevalue(cTransactionDate)>=datevalue('%s') and  "
            "datevalue(cTransactionDate)<=datevalue('%s') and cTransactionName='%s'and iTransactionType=%d "
            "ORDER BY LB_TRANSACTION_INFO_TB.iTransactionNumber,LB_TRANSACTION_INFO_TB.cTransactionDate,"
            "LB_TRANSACTION_INFO_TB.cUnitName",
            DateText(from), DateText(to), SqlQuote(category), type);
    QList<CListedTransaction> rows;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        CListedTransaction row;
        row.number = rs.GetLong(QStringLiteral("iTransactionNumber"));
        row.unit = rs.GetString(QStringLiteral("cUnitName"));
        row.storedDate = rs.GetString(QStringLiteral("cTransactionDate"));
        row.amount = rs.GetDouble(QStringLiteral("cTransactionAmount"));
        row.description = rs.GetString(QStringLiteral("cTransactionDescription"));
        rows << row;
    }
    rs.Close();
    return rows;
}

void CTransactionStore::Delete(const QList<long> &numbers)
{
    CDbTransaction transaction(m_connection);
    for (const long number : numbers) {
        CDbRecordset rs(m_connection);
        rs.Open("DELETE from LB_TRANSACTION_INFO_TB where iTransactionNumber=%ld", number);
        rs.Close();
    }
    transaction.Commit();
}
