#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class CDbConnection;

enum TransactionType : int {
    kIncomeTransaction = 1,
    kExpenseTransaction = 2,
};

// One row of LB_TRANSACTION_INFO_TB as the entry dialog edits it.
struct CTransactionRecord {
    QString unit;
    // The stored text, "%m/%d/%Y" when the program wrote it.
    QString date;
    QString category;
    double amount = 0.0;
    QString description;
    int type = kIncomeTransaction;
};

// One row of the Edit or Delete list; the date is the stored text.
struct CListedTransaction {
    long number = 0;
    QString unit;
    QString storedDate;
    double amount = 0.0;
    QString description;
};

// The statements of the entry and Edit or Delete dialogs. Failures throw
// CDbError; several-row changes run in one transaction.
class CTransactionStore
{
public:
    explicit CTransactionStore(CDbConnection &connection);

    void Add(const CTransactionRecord &record);
    void Update(long number, const CTransactionRecord &record);
    // Nothing when no row carries the number.
    std::optional<CTransactionRecord> Read(long number);
    // Rows of one category and type dated from..to inclusive, compared as dates.
    QList<CListedTransaction> List(const QDate &from, const QDate &to, const QString &category, int type);
    // All or none.
    void Delete(const QList<long> &numbers);

private:
    CDbConnection &m_connection;
};
