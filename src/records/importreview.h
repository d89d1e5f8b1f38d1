#pragma once

#include "records/importengine.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The review of one statement before it is written: one row per line, its
// tick and category editable. A line's category comes from the user when he
// chose one, else from the first rule that files it under a category of its
// type, else from the default of its type; a new line without a category
// cannot be ticked.
class CImportReviewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { TickColumn, DateColumn, DescriptionColumn, AmountColumn, TypeColumn, CategoryColumn, StateColumn, ColumnCount };

    explicit CImportReviewModel(QObject *parent = nullptr);

    // The categories each transaction type may be filed under (types 1 and 3
    // for incomes, 2 and 3 for expenses).
    void SetCategories(const QStringList &income, const QStringList &expense);
    void SetRules(const QList<CImportRule> &rules);
    // How dates are shown (a QDate format); the file's own form does not matter.
    void SetDateFormat(const QString &format)
    {
        if (!format.isEmpty())
            m_dateFormat = format;
    }
    // Defaults for lines no rule files; empty leaves those lines unticked.
    void SetDefaults(const QString &income, const QString &expense);
    // A freshly classified statement. When it is the same file classified
    // again (another unit or window), the lines keep the user's choices.
    void SetCandidates(const QList<CImportCandidate> &candidates);

    const QList<CImportCandidate> &Candidates() const { return m_rows; }
    QStringList CategoriesFor(int type) const;
    // What Finish would write, counted the way the writer counts.
    CImportCounts Counts() const;
    // The error lines, "line N: reason", in file order.
    QStringList ErrorLines() const;

    void SetTicked(int row, bool ticked);
    // The user files a line; false for a category of the wrong type.
    bool SetCategory(int row, const QString &category);
    // A rule learnt from the line at `row`: it goes first and files every
    // other line it matches whose category the user did not choose.
    void Learn(const CImportRule &rule);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // The user chose `category` for the line at `row` in the table.
    void categoryChosen(int row, const QString &category);
    void countsChanged();

private:
    struct Choice {
        QString category; // empty: not chosen by the user
        bool ticked = true;
        bool tickSet = false;
    };

    // Category and tick from rules, defaults and the user's choice.
    void Refile(int row);
    void RefileAll();
    QString RuleCategory(const CImportCandidate &candidate) const;
    void RowChanged(int row);

    QList<CImportCandidate> m_rows;
    QList<Choice> m_choices;
    QList<CImportRule> m_rules;
    QStringList m_incomeCategories;
    QStringList m_expenseCategories;
    QString m_defaultIncome;
    QString m_defaultExpense;
    QString m_dateFormat = QStringLiteral("yyyy-MM-dd");
};
