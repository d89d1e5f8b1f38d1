#pragma once

#include "data/tallywickdata.h"

#include <QList>
#include <QString>
#include <QStringList>

enum CategoryType : int {
    kIncomeCategory = 1,
    kExpenseCategory = 2,
    kBothCategory = 3,
};

// The rows the category page lists for a type: income entries of type 1,
// expense entries of type 2, or the Both entries newest first.
QList<CCategoryEntry> CategoriesListed(const CTallywickData &data, int type);
// Income names compare ignoring case, expense names exactly; Both checks both.
bool IsDuplicateCategory(const CTallywickData &data, const QString &name, int type);
QStringList CategoryNames(const QList<CCategoryEntry> &entries);
// The transaction types a category of this type files: a Both category is
// used by incomes and expenses alike.
QList<int> TransactionTypesOf(int categoryType);

// Adds and deletes categories and keeps the application's two lists in step
// with the table: the lists change only after the statements went through.
// Failures throw CDbError.
class CCategoryStore
{
public:
    explicit CCategoryStore(CTallywickData &data);

    void Add(const QString &name, const QString &description, int type);
    bool IsInUse(const QString &name, int type);
    // The category alone; its transactions stay.
    void Delete(const QString &name, int type);
    // In one transaction: with allUnits the category's transactions of every
    // unit and the category itself; otherwise its transactions of the given
    // units, and the category stays.
    void DeleteWithTransactions(const QString &name, int type, const QStringList &units, bool allUnits);

private:
    void DeleteCategoryRow(const QString &name, int type);
    void ForgetEntry(const QString &name, int type);

    CTallywickData &m_data;
};
