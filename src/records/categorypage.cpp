#include "records/categorypage.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "data/dberror.h"
#include "data/profile.h"
#include "data/tallywickdata.h"
#include "records/categorystore.h"
#include "records/keyhandler.h"
#include "records/recordui.h"
#include "records/selectunitdlg.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kDefaultCategory = QStringLiteral("DefaultCategory");
const QString kTitle = QStringLiteral("Tallywick + ");

} // namespace

CCategoryPage::CCategoryPage(CTallywickData &data, bool inWizard, QWidget *parent)
    : CSettingsPage(inWizard, parent)
    , m_data(data)
    , m_type(GetProfileInt(kSection, kDefaultCategory, kExpenseCategory))
{
    if (m_type < kIncomeCategory || m_type > kBothCategory)
        m_type = kExpenseCategory;
    setWindowTitle(QStringLiteral("Add or Delete Category"));
    BuildControls();
    SelectType(m_type);
    // In the wizard too: Enter there would otherwise turn the page and
    // drop the category typed.
    BindKeys();
}

void CCategoryPage::BuildControls()
{
    auto *outer = MakeControl<QGroupBox>(this, 1114);
    outer->setTitle(QStringLiteral("Add Income or Expense categories here"));

    auto *typeBox = new QGroupBox(QStringLiteral("Select Category type"), outer);
    auto *typeRow = new QHBoxLayout(typeBox);
    m_income = MakeControl<QRadioButton>(typeBox, 1036, QStringLiteral("Income"));
    m_expense = MakeControl<QRadioButton>(typeBox, 1037, QStringLiteral("Expense"));
    m_both = MakeControl<QRadioButton>(typeBox, 1038, QStringLiteral("Both"));
    typeRow->addWidget(m_income);
    typeRow->addWidget(m_expense);
    typeRow->addWidget(m_both);
    typeRow->addStretch();
    auto *types = new QButtonGroup(this);
    types->addButton(m_income, kIncomeCategory);
    types->addButton(m_expense, kExpenseCategory);
    types->addButton(m_both, kBothCategory);
    connect(types, &QButtonGroup::idClicked, this, &CCategoryPage::SelectType);

    m_name = MakeControl<QLineEdit>(outer, 1012);
    m_description = MakeControl<QLineEdit>(outer, 1013);
    m_add = MakeControl<QPushButton>(outer, 1015, QStringLiteral("&Add"));
    auto *entry = new QGridLayout;
    entry->addWidget(new QLabel(QStringLiteral("Category"), outer), 0, 0);
    entry->addWidget(new QLabel(QStringLiteral("Description"), outer), 0, 1);
    entry->addWidget(m_name, 1, 0);
    entry->addWidget(m_description, 1, 1);
    entry->setColumnStretch(0, 2);
    entry->setColumnStretch(1, 3);

    m_list = MakeControl<QTreeWidget>(outer, 1016);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("Category"), QStringLiteral("Description")});
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(1, 400);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->setMinimumSize(570, 200);

    auto *note = new QLabel(QStringLiteral("Income categories and Expense categories entered here will be shown in "
                                           "Add Income and Add Expense windows respectively."),
                            outer);
    note->setWordWrap(true);

    m_delete = MakeControl<QPushButton>(this, 1017, QStringLiteral("&Delete"));
    m_close = MakeControl<QPushButton>(this, 2, QStringLiteral("&Close"));

    auto *outerLayout = new QVBoxLayout(outer);
    outerLayout->addWidget(typeBox);
    outerLayout->addLayout(entry);
    outerLayout->addWidget(m_list, 1);
    outerLayout->addWidget(note);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    if (InWizard()) {
        // The wizard has its own buttons: Delete stands where Close would,
        // Add where Delete would.
        m_close->hide();
        buttons->addWidget(m_add);
        buttons->addWidget(m_delete);
    } else {
        entry->addWidget(m_add, 1, 2);
        buttons->addWidget(m_delete);
        buttons->addWidget(m_close);
        m_close->setDefault(true);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(outer, 1);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &CCategoryPage::OnAdd);
    connect(m_delete, &QPushButton::clicked, this, &CCategoryPage::OnDelete);
    connect(m_close, &QPushButton::clicked, this, [this] { emit closeRequested(QDialog::Rejected); });
}

void CCategoryPage::BindKeys()
{
    m_keys = new CKeyHandler(this);
    const auto addOnEnter = [this](QKeyEvent *event) {
        if (!CKeyHandler::IsEnter(event))
            return false;
        OnAdd();
        m_name->setFocus();
        return true;
    };
    m_keys->Watch(m_name, addOnEnter);
    m_keys->Watch(m_description, addOnEnter);
    const auto toName = [this](QKeyEvent *event) {
        if (!CKeyHandler::IsEnter(event))
            return false;
        m_name->setFocus();
        return true;
    };
    m_keys->Watch(m_income, toName);
    m_keys->Watch(m_expense, toName);
    m_keys->Watch(m_list, [this](QKeyEvent *event) {
        if (event->key() != Qt::Key_Delete)
            return false;
        OnDelete();
        return true;
    });
}

bool CCategoryPage::Apply()
{
    // Leaving the wizard page forward with a category typed but not added
    // adds it; one that cannot be added keeps the page, with its message.
    const bool typed = !m_name->text().trimmed().isEmpty() || !m_description->text().trimmed().isEmpty();
    if (InWizard() && typed)
        return OnAdd();
    return true;
}

QWidget *CCategoryPage::FirstField() const
{
    return m_name;
}

void CCategoryPage::Cancel()
{
    WriteProfileInt(kSection, kDefaultCategory, m_type);
}

void CCategoryPage::SelectType(int type)
{
    m_type = type;
    m_income->setChecked(type == kIncomeCategory);
    m_expense->setChecked(type == kExpenseCategory);
    m_both->setChecked(type == kBothCategory);
    FillList();
}

void CCategoryPage::FillList()
{
    m_list->clear();
    for (const CCategoryEntry &e : CategoriesListed(m_data, m_type))
        new QTreeWidgetItem(m_list, {e.cTransactionName, e.cTransactionDescription});
}

bool CCategoryPage::OnAdd()
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        TwkMessageBox(LoadString(StringId::EnterCategory), kTitle, MB_OK | MB_ICONINFORMATION, this);
        m_name->setFocus();
        return false;
    }
    if (IsDuplicateCategory(m_data, name, m_type)) {
        TwkMessageBox(name + LoadString(StringId::CategoryAlreadyExists), kTitle, MB_OK | MB_ICONINFORMATION, this);
        m_name->setFocus();
        m_name->selectAll();
        return false;
    }
    const QString description = m_description->text();
    if (!RunReported([&] { CCategoryStore(m_data).Add(name, description, m_type); }))
        return false;
    m_list->insertTopLevelItem(0, new QTreeWidgetItem({name, description}));
    m_name->clear();
    m_description->clear();
    m_name->setFocus();
    return true;
}

void CCategoryPage::OnDelete()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        TwkMessageBox(LoadString(StringId::SelectCategoryFromList), kTitle, MB_OK | MB_ICONINFORMATION, this);
        return;
    }
    const QString name = selected.first()->text(0);
    CCategoryStore store(m_data);
    bool inUse = false;
    if (!RunReported([&] { inUse = store.IsInUse(name, m_type); }))
        return;

    if (!inUse) {
        if (TwkMessageBox(LoadString(StringId::DeleteCategoryQuestion).replace(QStringLiteral("%s"), name), kTitle,
                          MB_YESNO | MB_ICONQUESTION, this)
            == IDYES)
            RunReported([&] { store.Delete(name, m_type); });
    } else {
        CSelectUnitDlg units(m_data.company.units, this);
        if (units.exec() != QDialog::Accepted)
            return;
        if (!BackupBeforeDelete(m_data, StringId::BackupBeforeCategoryDelete, this))
            return;
        CWaitCursor wait;
        RunReported([&] { store.DeleteWithTransactions(name, m_type, units.CheckedUnits(), units.AllSelected()); },
                    ReportDescribedError);
    }
    FillList();
}
