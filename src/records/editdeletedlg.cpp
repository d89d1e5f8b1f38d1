#include "records/editdeletedlg.h"

#include "base/amounttext.h"
#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/datefield.h"
#include "data/jetsql.h"
#include "data/tallywickdata.h"
#include "records/categorystore.h"
#include "records/keyhandler.h"
#include "records/recordui.h"
#include "records/transactiondlg.h"
#include "records/transactionstore.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Tallywick + ");

} // namespace

CEditDeleteDlg::CEditDeleteDlg(CTallywickData &data, int type, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_type(type)
{
    SetControlId(this, IDD);
    BuildControls();
    const bool income = type == kIncomeTransaction;
    setWindowTitle(income ? QStringLiteral("Edit or Delete Income") : QStringLiteral("Edit or Delete Expense"));
    m_list->setColumnWidth(0, income ? 110 : 125);
    FillSortedCombo(m_category, CategoryNames(income ? data.incomeCategories : data.expenseCategories));
    m_category->setCurrentIndex(m_category->count() > 0 ? 0 : -1);

    connect(m_from, &QDateEdit::dateChanged, this, &CEditDeleteDlg::Refresh);
    connect(m_to, &QDateEdit::dateChanged, this, &CEditDeleteDlg::Refresh);
    connect(m_category, &QComboBox::currentIndexChanged, this, &CEditDeleteDlg::Refresh);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CEditDeleteDlg::UpdateButtons);
    Refresh();
}

void CEditDeleteDlg::BuildControls()
{
    m_from = MakeDateField(this, 1048, m_data.settings.dateFormat);
    m_to = MakeDateField(this, 1049, m_data.settings.dateFormat);
    m_category = MakeControl<QComboBox>(this, 1059);
    m_category->setMinimumWidth(180);

    m_list = MakeControl<QTreeWidget>(this, 1062);
    m_list->setColumnCount(4);
    m_list->setHeaderLabels({QStringLiteral("Unit or Division"),
                             QStringLiteral("Amount (%1)").arg(m_data.settings.cCurrency),
                             QStringLiteral("Description"), QStringLiteral("Date")});
    m_list->setColumnWidth(1, 100);
    m_list->setColumnWidth(2, 190);
    m_list->setColumnWidth(3, 100);
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setMinimumSize(540, 240);
    auto *keys = new CKeyHandler(this);
    keys->Watch(m_list, [this](QKeyEvent *event) {
        if (event->key() != Qt::Key_Delete)
            return false;
        OnDelete();
        return true;
    });

    m_edit = MakeControl<QPushButton>(this, 1063, QStringLiteral("&Edit"));
    m_delete = MakeControl<QPushButton>(this, 1017, QStringLiteral("&Delete"));
    m_close = MakeControl<QPushButton>(this, 1065, QStringLiteral("&Close"));

    auto *filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("From"), this));
    filters->addWidget(m_from);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(QStringLiteral("To"), this));
    filters->addWidget(m_to);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(QStringLiteral("Category"), this));
    filters->addWidget(m_category, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Press Shift or Ctrl key for multiple selection."), this));
    buttons->addStretch();
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_edit, &QPushButton::clicked, this, &CEditDeleteDlg::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CEditDeleteDlg::OnDelete);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    AddHelpKey(this, m_data, StringId::HelpTransactionsMenu);
}

void CEditDeleteDlg::Refresh()
{
    FillList();
    UpdateButtons();
}

void CEditDeleteDlg::FillList()
{
    m_list->clear();
    // No category, nothing to list: records without one are not offered.
    if (m_category->currentIndex() < 0)
        return;
    QList<CListedTransaction> rows;
    const QString category = m_category->currentText();
    const auto list = [&] {
        rows = CTransactionStore(m_data.connection).List(m_from->date(), m_to->date(), category, m_type);
    };
    if (!RunReported(list, ReportDescribedError))
        return;
    const QString format = m_data.settings.dateFormat;
    for (const CListedTransaction &row : rows) {
        const std::optional<QDate> date = ParseJetDate(row.storedDate);
        auto *item = new QTreeWidgetItem(m_list, {row.unit, FormatAmount(row.amount), row.description,
                                                  date ? date->toString(format) : row.storedDate});
        item->setData(0, Qt::UserRole, qlonglong(row.number));
    }
}

QList<long> CEditDeleteDlg::ListedNumbers() const
{
    QList<long> numbers;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        numbers << long(m_list->topLevelItem(i)->data(0, Qt::UserRole).toLongLong());
    return numbers;
}

QList<int> CEditDeleteDlg::SelectedRows() const
{
    QList<int> rows;
    for (QTreeWidgetItem *item : m_list->selectedItems())
        rows << m_list->indexOfTopLevelItem(item);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CEditDeleteDlg::UpdateButtons()
{
    const qsizetype selected = m_list->selectedItems().size();
    m_edit->setEnabled(selected == 1);
    m_delete->setEnabled(selected >= 1);
}

void CEditDeleteDlg::SelectRow(int row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    m_list->setCurrentItem(item);
    item->setSelected(true);
}

void CEditDeleteDlg::OnEdit()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) {
        TwkMessageBox(LoadString(StringId::SelectItemFromList), kTitle, MB_OK | MB_ICONINFORMATION, this);
        return;
    }
    const long number = ListedNumbers().at(rows.first());
    {
        CTransactionDlg editor(m_data, m_type, number, this);
        editor.exec();
    }
    Refresh();
    const qsizetype row = ListedNumbers().indexOf(number);
    if (row >= 0)
        SelectRow(int(row));
    m_list->setFocus();
}

void CEditDeleteDlg::OnDelete()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) {
        TwkMessageBox(LoadString(StringId::SelectCategoryFromTheList), kTitle, MB_OK | MB_ICONINFORMATION, this);
        return;
    }
    if (TwkMessageBox(LoadString(rows.size() >= 2 ? StringId::DeleteRecordsQuestion : StringId::DeleteRecordQuestion), kTitle, MB_YESNO | MB_ICONQUESTION, this)
        != IDYES) {
        m_list->setFocus();
        return;
    }
    const QList<long> listed = ListedNumbers();
    QList<long> numbers;
    for (const int row : rows)
        numbers << listed.at(row);
    RunReported([&] { CTransactionStore(m_data.connection).Delete(numbers); }, ReportDescribedError);
    Refresh();
    if (rows.first() < m_list->topLevelItemCount())
        SelectRow(rows.first());
    else
        m_list->setFocus();
}
