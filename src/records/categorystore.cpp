#include "records/categorystore.h"

#include "data/dbrecordset.h"

namespace {

bool Files(int categoryType, int listType)
{
    return categoryType == listType || categoryType == kBothCategory;
}

void RemoveFirst(QList<CCategoryEntry> &list, const QString &name, int type)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].cTransactionName == name && list[i].iType == type) {
            list.removeAt(i);
            return;
        }
    }
}

} // namespace

QList<CCategoryEntry> CategoriesListed(const CTallywickData &data, int type)
{
    QList<CCategoryEntry> rows;
    if (type == kBothCategory) {
        for (const CCategoryEntry &e : data.incomeCategories) {
            if (e.iType == kBothCategory)
                rows.prepend(e);
        }
        return rows;
    }
    const QList<CCategoryEntry> &list = type == kIncomeCategory ? data.incomeCategories : data.expenseCategories;
    for (const CCategoryEntry &e : list) {
        if (e.iType == type)
            rows << e;
    }
    return rows;
}

bool IsDuplicateCategory(const CTallywickData &data, const QString &name, int type)
{
    if (Files(type, kIncomeCategory)) {
        for (const CCategoryEntry &e : data.incomeCategories) {
            if (e.cTransactionName.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    if (Files(type, kExpenseCategory)) {
        for (const CCategoryEntry &e : data.expenseCategories) {
            if (e.cTransactionName == name)
                return true;
        }
    }
    return false;
}

QStringList CategoryNames(const QList<CCategoryEntry> &entries)
{
    QStringList names;
    for (const CCategoryEntry &e : entries)
        names << e.cTransactionName;
    return names;
}

QList<int> TransactionTypesOf(int categoryType)
{
    if (categoryType == kBothCategory)
        return {1, 2};
    return {categoryType};
}

CCategoryStore::CCategoryStore(CTallywickData &data)
    : m_data(data)
{
}

void CCategoryStore::Add(const QString &name, const QString &description, int type)
{
    CDbRecordset rs(m_data.connection);
    rs.Open("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) values "
            "('%s','%s',%d)",
            SqlQuote(name), SqlQuote(description), type);
    rs.Close();

    CCategoryEntry entry;
    entry.cTransactionName = name;
    entry.cTransactionDescription = description;
    entry.iType = short(type);
    if (Files(type, kIncomeCategory))
        m_data.incomeCategories << entry;
    if (Files(type, kExpenseCategory))
        m_data.expenseCategories << entry;
}

bool CCategoryStore::IsInUse(const QString &name, int type)
{
    for (const int transactionType : TransactionTypesOf(type)) {
        CDbRecordset rs(m_data.connection);
        rs.Open("SELECT * FROM LB_TRANSACTION_INFO_TB WHERE LB_TRANSACTION_INFO_TB.cTransactionName='%s' AND "
                "LB_TRANSACTION_INFO_TB.iTransactionType= %d",
                SqlQuote(name), transactionType);
        if (rs.GetRecordCount() > 0)
            return true;
    }
    return false;
}

void CCategoryStore::Delete(const QString &name, int type)
{
    DeleteCategoryRow(name, type);
    ForgetEntry(name, type);
}

void CCategoryStore::DeleteWithTransactions(const QString &name, int type, const QStringList &units,
                                            bool allUnits)
{
    CDbTransaction transaction(m_data.connection);
    for (const int transactionType : TransactionTypesOf(type)) {
        if (allUnits) {
            CDbRecordset rs(m_data.connection);
            rs.Open("DELETE FROM LB_TRANSACTION_INFO_TB WHERE LB_TRANSACTION_INFO_TB.cTransactionName='%s' AND "
                    "LB_TRANSACTION_INFO_TB.iTransactionType= %d",
                    SqlQuote(name), transactionType);
            continue;
        }
        for (const QString &unit : units) {
            CDbRecordset rs(m_data.connection);
            rs.Open("DELETE FROM LB_TRANSACTION_INFO_TB WHERE LB_TRANSACTION_INFO_TB.cTransactionName='%s' AND "
                    "LB_TRANSACTION_INFO_TB.iTransactionType= %d AND LB_TRANSACTION_INFO_TB.cUnitName='%s'",
                    SqlQuote(name), transactionType, SqlQuote(unit));
        }
    }
    if (allUnits)
        DeleteCategoryRow(name, type);
    transaction.Commit();
    if (allUnits)
        ForgetEntry(name, type);
}

void CCategoryStore::DeleteCategoryRow(const QString &name, int type)
{
    CDbRecordset rs(m_data.connection);
    rs.Open("DELETE FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='%s' AND iType=%d", SqlQuote(name), type);
}

void CCategoryStore::ForgetEntry(const QString &name, int type)
{
    if (Files(type, kIncomeCategory))
        RemoveFirst(m_data.incomeCategories, name, type);
    if (Files(type, kExpenseCategory))
        RemoveFirst(m_data.expenseCategories, name, type);
}
