#include "reports/moreoptionsdlg.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/tallywickdata.h"
#include "reports/reportdlgui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

CMoreReportOptionsDlg::CMoreReportOptionsDlg(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
{
    PrepareReportDialog(this, IDD, data);
    setWindowTitle(QStringLiteral("More Report Options"));
    m_unit = MakeControl<QComboBox>(this, 1036);
    m_unit->addItems(data.company.units);
    m_unit->setCurrentIndex(m_unit->count() > 0 ? 0 : -1);
    m_unit->setToolTip(QStringLiteral("The unit or division the report covers"));
    m_incomes = MakeNameList(this, 1049, EntryNames(data.incomeCategories));
    m_expenses = MakeNameList(this, 1050, EntryNames(data.expenseCategories));
    m_allIncomes = MakeControl<QCheckBox>(this, 1066, QStringLiteral("Select all Incomes"));
    m_allExpenses = MakeControl<QCheckBox>(this, 1067, QStringLiteral("Select all Expenses"));
    m_allUnits = MakeControl<QCheckBox>(this, 1068, QStringLiteral("Select all units"));
    m_allUnits->setToolTip(QStringLiteral("Cover every unit or division"));
    BindSelectAll(m_allIncomes, m_incomes, false);
    BindSelectAll(m_allExpenses, m_expenses, false);
    connect(m_allUnits, &QCheckBox::toggled, m_unit, &QWidget::setDisabled);
    for (QListWidget *list : {m_incomes, m_expenses})
        list->setMinimumSize(200, 160);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Unit or Division"), this), 0, 0);
    grid->addWidget(m_unit, 0, 1);
    grid->addWidget(m_allUnits, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Income Categories"), this), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Expense Categories"), this), 2, 1);
    grid->addWidget(m_incomes, 3, 0);
    grid->addWidget(m_expenses, 3, 1);
    grid->addWidget(m_allIncomes, 4, 0);
    grid->addWidget(m_allExpenses, 4, 1);
    auto *buttons = MakeOkCancel(this);
    grid->addWidget(buttons, 5, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMoreReportOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CMoreReportOptionsDlg::accept()
{
    MoreReportOptions options;
    // Every name when the box is checked, else the chosen ones, of which
    // there must be one.
    auto take = [](QCheckBox *all, QListWidget *list, bool &allFlag, QStringList &names, unsigned message) {
        allFlag = all->isChecked();
        names = allFlag ? AllNames(list) : SelectedNames(list);
        if (allFlag || !names.isEmpty())
            return true;
        TwkMessageBox(LoadString(message));
        list->setFocus();
        return false;
    };
    if (!take(m_allExpenses, m_expenses, options.allExpenses, options.expenseNames, StringId::SelectExpenseCategory)
        || !take(m_allIncomes, m_incomes, options.allIncomes, options.incomeNames, StringId::SelectIncomeCategory))
        return;
    options.allUnits = m_allUnits->isChecked();
    if (!options.allUnits) {
        if (m_unit->currentIndex() < 0) {
            TwkMessageBox(LoadString(StringId::SelectUnit));
            m_unit->setFocus();
            return;
        }
        options.unit = m_unit->currentText();
    }
    m_options = options;
    QDialog::accept();
}
