#include "reports/listreportdlg.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/tallywickdata.h"
#include "reports/listreport.h"
#include "reports/reportdlgui.h"
#include "reports/reportfailure.h"
#include "reports/tallywickview.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

CListReportDlg::CListReportDlg(CTallywickData &data, CTallywickView &view, int type, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_view(view)
    , m_type(type)
{
    PrepareReportDialog(this, IDD, data);
    const bool incomes = type == 1;
    setWindowTitle(incomes ? QStringLiteral("List all Incomes") : QStringLiteral("List all Expenses"));
    m_from = MakeReportPicker(this, 1033, data.settings.dateFormat);
    m_to = MakeReportPicker(this, 1027, data.settings.dateFormat);
    m_categories = MakeNameList(this, 1034, EntryNames(incomes ? data.incomeCategories : data.expenseCategories));
    m_allCategories = MakeControl<QCheckBox>(this, 1035, QStringLiteral("Select all"));
    BindSelectAll(m_allCategories, m_categories, true);
    m_units = MakeControl<QListWidget>(this, 1036);
    m_units->addItems(data.company.units);
    m_allUnits = MakeControl<QCheckBox>(this, 1037, QStringLiteral("Select all Company Units"));
    m_allUnits->setToolTip(QStringLiteral("List the transactions of every unit or division"));
    connect(m_allUnits, &QCheckBox::toggled, m_units, &QWidget::setDisabled);
    m_exact = MakeControl<QLineEdit>(this, 1052);
    m_matching = MakeControl<QLineEdit>(this, 1051);
    m_exact->setToolTip(QStringLiteral("The whole description; letter case does not matter"));
    m_matching->setToolTip(QStringLiteral("A part of the description; letter case does not matter"));
    const auto [none, exact, matching] =
        MakeDescriptionRadios(this, {1099, 1098, 1097},
                              {QStringLiteral("None"), QStringLiteral("List with exact keyword in description"),
                               QStringLiteral("List with matching keyword in description")},
                              [this](int option) { SetOption(option); });
    m_byDate = MakeControl<QCheckBox>(this, 1086, QStringLiteral("Sort report by date"));
    auto *caption = MakeControl<QLabel>(this, 1071,
                                              incomes ? QStringLiteral("Please select the Income Categories *")
                                                      : QStringLiteral("Please select the Expense Categories *"));
    auto *info = MakeReportInfoIcon(this, 1103, incomes ? StringId::IncomeListInfoTip : StringId::ExpenseListInfoTip);

    auto *grid = new QGridLayout(this);
    auto *dates = new QHBoxLayout;
    dates->addWidget(MakeControl<QLabel>(this, 1031, QStringLiteral("From")));
    dates->addWidget(m_from);
    dates->addSpacing(16);
    dates->addWidget(MakeControl<QLabel>(this, 1032, QStringLiteral("To")));
    dates->addWidget(m_to);
    dates->addStretch();
    dates->addWidget(info);
    grid->addLayout(dates, 0, 0, 1, 2);
    grid->addWidget(caption, 1, 0);
    m_categories->setMinimumSize(220, 160);
    grid->addWidget(m_categories, 2, 0);
    grid->addWidget(m_allCategories, 3, 0);
    auto *unitBox = new QGroupBox(QStringLiteral("Please select any Unit or Division "), this);
    auto *unitLayout = new QVBoxLayout(unitBox);
    m_units->setMinimumSize(200, 120);
    unitLayout->addWidget(m_units);
    unitLayout->addWidget(m_allUnits);
    grid->addWidget(unitBox, 1, 1, 3, 1);
    auto *keyword = new QGroupBox(QStringLiteral("Description keyword search options"), this);
    auto *keywordGrid = new QGridLayout(keyword);
    keywordGrid->addWidget(none, 0, 0, 1, 2);
    keywordGrid->addWidget(exact, 1, 0);
    keywordGrid->addWidget(m_exact, 1, 1);
    keywordGrid->addWidget(matching, 2, 0);
    keywordGrid->addWidget(m_matching, 2, 1);
    grid->addWidget(keyword, 4, 0, 1, 2);
    grid->addWidget(m_byDate, 5, 0);
    auto *buttons = MakeOkCancel(this);
    grid->addWidget(buttons, 5, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &CListReportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CListReportDlg::SetOption(int option)
{
    m_option = option;
    m_exact->setEnabled(option == kExactDescription);
    m_matching->setEnabled(option == kMatchingDescription);
}

ListQueryInput CListReportDlg::Input() const
{
    ListQueryInput input;
    input.type = m_type;
    input.from = m_from->date();
    input.to = m_to->date();
    input.allCategories = m_allCategories->isChecked();
    input.categories = SelectedNames(m_categories);
    input.allUnits = m_allUnits->isChecked();
    const QStringList units = SelectedNames(m_units);
    input.unit = units.isEmpty() ? QString() : units.first();
    input.keywordOption = m_option;
    input.exactKeyword = m_exact->text();
    input.matchingKeyword = m_matching->text();
    input.sortByDate = m_byDate->isChecked();
    return input;
}

void CListReportDlg::accept()
{
    const ListQueryInput input = Input();
    const ListQuery query = BuildListQuery(input);
    switch (query.code) {
    case kListBadDates:
        TwkMessageBox(LoadString(StringId::CheckFromToDates));
        m_from->setFocus();
        return;
    case kListNoCategory:
        TwkMessageBox(LoadString(m_type == 1 ? StringId::SelectAnyIncome : StringId::SelectAnyExpense));
        m_categories->setFocus();
        return;
    case kListNoUnit:
        TwkMessageBox(LoadString(StringId::SelectUnit));
        m_units->setFocus();
        return;
    default:
        break;
    }
    if (RunReportStep([&] { m_view.ShowReport(ListReport(m_data, input, query.sql)); }))
        QDialog::accept();
}
