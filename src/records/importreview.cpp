#include "records/importreview.h"

#include "records/transactionstore.h"

#include <QColor>

namespace {

// "line N: reason"; the readers' texts name their line already.
QString ErrorText(const CImportCandidate &c)
{
    const QString reason = c.reason.isEmpty() ? c.line.error : c.reason;
    const QString line = QStringLiteral("line %1: ").arg(c.line.lineNumber);
    return reason.startsWith(line) ? reason : line + reason;
}

} // namespace

CImportReviewModel::CImportReviewModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void CImportReviewModel::SetCategories(const QStringList &income, const QStringList &expense)
{
    m_incomeCategories = income;
    m_expenseCategories = expense;
    RefileAll();
}

void CImportReviewModel::SetRules(const QList<CImportRule> &rules)
{
    m_rules = rules;
    RefileAll();
}

void CImportReviewModel::SetDefaults(const QString &income, const QString &expense)
{
    m_defaultIncome = income;
    m_defaultExpense = expense;
    RefileAll();
}

void CImportReviewModel::SetCandidates(const QList<CImportCandidate> &candidates)
{
    bool sameFile = candidates.size() == m_rows.size();
    for (qsizetype i = 0; sameFile && i < candidates.size(); ++i)
        sameFile = candidates[i].line.lineNumber == m_rows[i].line.lineNumber;
    beginResetModel();
    m_rows = candidates;
    if (!sameFile)
        m_choices = QList<Choice>(m_rows.size());
    for (int row = 0; row < m_rows.size(); ++row)
        Refile(row);
    endResetModel();
    emit countsChanged();
}

QStringList CImportReviewModel::CategoriesFor(int type) const
{
    if (type == kIncomeTransaction)
        return m_incomeCategories;
    if (type == kExpenseTransaction)
        return m_expenseCategories;
    return {};
}

QString CImportReviewModel::RuleCategory(const CImportCandidate &candidate) const
{
    // As the planner does: a rule whose category does not take the line's
    // type (a refund from a shop filed under an expense) is passed over.
    const QStringList allowed = CategoriesFor(candidate.type);
    const QString description = candidate.line.Description();
    for (const CImportRule &rule : m_rules) {
        if (allowed.contains(rule.category) && rule.Matches(description))
            return rule.category;
    }
    return {};
}

void CImportReviewModel::Refile(int row)
{
    CImportCandidate &c = m_rows[row];
    const Choice &choice = m_choices[row];
    if (c.state != ImportLineState::New) {
        c.ticked = false;
        return;
    }
    QString category = choice.category;
    if (category.isEmpty())
        category = RuleCategory(c);
    if (category.isEmpty()) {
        const QString fallback = c.type == kIncomeTransaction ? m_defaultIncome : m_defaultExpense;
        if (CategoriesFor(c.type).contains(fallback))
            category = fallback;
    }
    c.category = category;
    c.ticked = !category.isEmpty() && (!choice.tickSet || choice.ticked);
}

void CImportReviewModel::RefileAll()
{
    for (int row = 0; row < m_rows.size(); ++row)
        Refile(row);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
    emit countsChanged();
}

void CImportReviewModel::RowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    emit countsChanged();
}

CImportCounts CImportReviewModel::Counts() const
{
    CImportCounts counts;
    for (const CImportCandidate &c : m_rows)
        counts.Count(c);
    return counts;
}

QStringList CImportReviewModel::ErrorLines() const
{
    QStringList lines;
    for (const CImportCandidate &c : m_rows) {
        if (c.state == ImportLineState::Error)
            lines << ErrorText(c);
    }
    return lines;
}

void CImportReviewModel::SetTicked(int row, bool ticked)
{
    if (row < 0 || row >= m_rows.size() || m_rows[row].state != ImportLineState::New)
        return;
    m_choices[row].ticked = ticked;
    m_choices[row].tickSet = true;
    Refile(row);
    RowChanged(row);
}

bool CImportReviewModel::SetCategory(int row, const QString &category)
{
    if (row < 0 || row >= m_rows.size() || m_rows[row].state != ImportLineState::New
        || !CategoriesFor(m_rows[row].type).contains(category))
        return false;
    m_choices[row].category = category;
    Refile(row);
    RowChanged(row);
    return true;
}

void CImportReviewModel::Learn(const CImportRule &rule)
{
    m_rules.prepend(rule);
    RefileAll();
}

int CImportReviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CImportReviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

QString StateText(const CImportCandidate &c)
{
    switch (c.state) {
    case ImportLineState::New:
        return QStringLiteral("New");
    case ImportLineState::Duplicate:
        return c.reason.isEmpty() ? QStringLiteral("Duplicate") : QStringLiteral("Duplicate: ") + c.reason;
    case ImportLineState::Error:
        break;
    }
    return QStringLiteral("Error in ") + ErrorText(c);
}

} // namespace

QVariant CImportReviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const CImportCandidate &c = m_rows[index.row()];
    if (role == Qt::CheckStateRole && index.column() == TickColumn)
        return c.ticked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && index.column() == AmountColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && c.state != ImportLineState::New)
        return QColor(c.state == ImportLineState::Error ? QColor(0xB0, 0x1E, 0x1E) : QColor(0x70, 0x70, 0x70));
    if (role == Qt::ToolTipRole && index.column() == DescriptionColumn)
        return c.line.Description();
    if (role == Qt::ToolTipRole && index.column() == StateColumn)
        return StateText(c);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case DateColumn:
        return c.line.date.isValid() ? c.line.date.toString(m_dateFormat) : QString();
    case DescriptionColumn:
        return c.line.Description();
    case AmountColumn:
        return QString::asprintf("%.2f", qAbs(c.line.amount));
    case TypeColumn:
        return c.type == kIncomeTransaction ? QStringLiteral("Income")
               : c.type == kExpenseTransaction ? QStringLiteral("Expense")
                                               : QString();
    case CategoryColumn:
        return c.category;
    case StateColumn:
        return StateText(c);
    default:
        return {};
    }
}

QVariant CImportReviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"", "Date", "Description", "Amount", "Type", "Category", "State"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QString();
}

Qt::ItemFlags CImportReviewModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const CImportCandidate &c = m_rows[index.row()];
    if (c.state != ImportLineState::New)
        return f;
    if (index.column() == TickColumn && !c.category.isEmpty())
        f |= Qt::ItemIsUserCheckable;
    if (index.column() == CategoryColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool CImportReviewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    if (index.column() == TickColumn && role == Qt::CheckStateRole) {
        SetTicked(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
    if (index.column() == CategoryColumn && role == Qt::EditRole) {
        const QString category = value.toString();
        if (category == m_rows[index.row()].category)
            return false;
        if (!SetCategory(index.row(), category))
            return false;
        emit categoryChosen(index.row(), category);
        return true;
    }
    return false;
}
