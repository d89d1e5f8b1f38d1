#include "reports/advancedreportdlg.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/tallywickdata.h"
#include "reports/advancedreport.h"
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

CAdvancedReportDlg::CAdvancedReportDlg(CTallywickData &data, CTallywickView &view, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_view(view)
{
    PrepareReportDialog(this, IDD, data);
    setWindowTitle(QStringLiteral("Advanced Report"));
    m_from = MakeReportPicker(this, 1033, data.settings.dateFormat);
    m_to = MakeReportPicker(this, 1027, data.settings.dateFormat);
    m_units = MakeNameList(this, 1132, data.company.units);
    m_incomes = MakeNameList(this, 1134, EntryNames(data.incomeCategories));
    m_expenses = MakeNameList(this, 1138, EntryNames(data.expenseCategories));
    auto *allUnits = MakeControl<QCheckBox>(this, 1135, QStringLiteral("Select all"));
    auto *allIncomes = MakeControl<QCheckBox>(this, 1137, QStringLiteral("Select all"));
    auto *allExpenses = MakeControl<QCheckBox>(this, 1140, QStringLiteral("Select all"));
    BindSelectAll(allUnits, m_units, false);
    BindSelectAll(allIncomes, m_incomes, false);
    BindSelectAll(allExpenses, m_expenses, false);
    m_incomeText = MakeControl<QLineEdit>(this, 1117);
    m_expenseText = MakeControl<QLineEdit>(this, 1120);
    m_incomeText->setToolTip(QStringLiteral("Filters the income rows; letter case does not matter"));
    m_expenseText->setToolTip(QStringLiteral("Filters the expense rows; letter case does not matter"));
    const auto [none, exact, matching] = MakeDescriptionRadios(
        this, {1129, 1130, 1131},
        {QStringLiteral("None"), QStringLiteral("Type exact description"), QStringLiteral("Type matching description")},
        [this](int option) { SetOption(option); });

    auto *grid = new QGridLayout(this);
    auto *dates = new QHBoxLayout;
    dates->addWidget(new QLabel(QStringLiteral("From"), this));
    dates->addWidget(m_from);
    dates->addSpacing(16);
    dates->addWidget(new QLabel(QStringLiteral("To"), this));
    dates->addWidget(m_to);
    dates->addStretch();
    grid->addLayout(dates, 0, 0, 1, 3);
    const struct {
        const char *caption;
        QListWidget *list;
        QCheckBox *all;
    } lists[] = {{"Units or Divisions", m_units, allUnits},
                 {"Income Categories", m_incomes, allIncomes},
                 {"Expense Categories", m_expenses, allExpenses}};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(new QLabel(QString::fromLatin1(lists[c].caption), this), 1, c);
        lists[c].list->setMinimumSize(180, 150);
        grid->addWidget(lists[c].list, 2, c);
        grid->addWidget(lists[c].all, 3, c);
    }
    auto *filter = new QGroupBox(QStringLiteral("Description"), this);
    auto *filterGrid = new QGridLayout(filter);
    filterGrid->addWidget(none, 0, 0);
    filterGrid->addWidget(exact, 0, 1);
    filterGrid->addWidget(matching, 0, 2);
    filterGrid->addWidget(new QLabel(QStringLiteral("Income description"), this), 1, 0);
    filterGrid->addWidget(m_incomeText, 1, 1, 1, 2);
    filterGrid->addWidget(new QLabel(QStringLiteral("Expense description"), this), 2, 0);
    filterGrid->addWidget(m_expenseText, 2, 1, 1, 2);
    grid->addWidget(filter, 4, 0, 1, 3);
    auto *buttons = MakeOkCancel(this);
    grid->addWidget(buttons, 5, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAdvancedReportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CAdvancedReportDlg::SetDates(const QDate &from, const QDate &to)
{
    m_from->setDate(from);
    m_to->setDate(to);
}

void CAdvancedReportDlg::SetOption(int option)
{
    m_option = option;
    m_incomeText->setEnabled(option != kNoDescription);
    m_expenseText->setEnabled(option != kNoDescription);
}

AdvancedQueryInput CAdvancedReportDlg::Input() const
{
    AdvancedQueryInput input;
    input.from = m_from->date();
    input.to = m_to->date();
    input.units = SelectedNames(m_units);
    input.incomeNames = SelectedNames(m_incomes);
    input.expenseNames = SelectedNames(m_expenses);
    input.option = m_option;
    input.incomeText = m_incomeText->text();
    input.expenseText = m_expenseText->text();
    return input;
}

void CAdvancedReportDlg::accept()
{
    const AdvancedQueryInput input = Input();
    const struct {
        bool missing;
        unsigned message;
        QWidget *field;
    } checks[] = {{input.units.isEmpty(), StringId::SelectUnit, m_units},
                  {input.incomeNames.isEmpty(), StringId::SelectAnyIncome, m_incomes},
                  {input.expenseNames.isEmpty(), StringId::SelectAnyExpense, m_expenses}};
    for (const auto &check : checks) {
        if (check.missing) {
            TwkMessageBox(LoadString(check.message));
            check.field->setFocus();
            return;
        }
    }
    std::optional<AdvancedLayout> report;
    if (!RunReportStep([&] { report = AdvancedReport(m_data, input); }))
        return;
    if (!report) {
        // The grid is emptied first, as the report starts by clearing it.
        m_view.OnClearScreen();
        TwkMessageBox(LoadString(StringId::NoRecordsFound));
        return;
    }
    if (RunReportPart(StringId::ReportBodyFailed, [&] {
            ShowAdvancedReport(m_view, *report);
            return true;
        }))
        QDialog::accept();
}
