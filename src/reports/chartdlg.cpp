#include "reports/chartdlg.h"

#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/tallywickdata.h"
#include "reports/chartfigure.h"
#include "reports/reportdlgui.h"
#include "reports/reportfailure.h"
#include "reports/tallywickview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

CChartDlg::CChartDlg(CTallywickData &data, CTallywickView &view, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_view(view)
{
    PrepareReportDialog(this, IDD, data, StringId::HelpCharts);
    setWindowTitle(QStringLiteral("Charts"));
    const QString format = data.settings.dateFormat;
    m_from = MakeReportPicker(this, 1301, format);
    m_to = MakeReportPicker(this, 1302, format);
    // The last twelve months, this one included.
    const QDate today = Today();
    m_from->setDate(QDate(today.year(), today.month(), 1).addMonths(-11));
    m_unit = MakeControl<QComboBox>(this, 1303);
    m_unit->addItem(kAllUnitsLabel);
    m_unit->addItems(data.company.units);
    m_unit->setToolTip(QStringLiteral("The unit or division the chart covers"));
    m_incomes = MakeNameList(this, 1304, EntryNames(data.incomeCategories));
    m_expenses = MakeNameList(this, 1305, EntryNames(data.expenseCategories));
    m_allIncomes = MakeControl<QCheckBox>(this, 1306, QStringLiteral("Select all Incomes"));
    m_allExpenses = MakeControl<QCheckBox>(this, 1307, QStringLiteral("Select all Expenses"));
    BindSelectAll(m_allIncomes, m_incomes, true);
    BindSelectAll(m_allExpenses, m_expenses, true);
    for (QListWidget *list : {m_incomes, m_expenses}) {
        list->selectAll();
        list->setMinimumSize(190, 130);
    }
    m_monthly = MakeControl<QRadioButton>(this, 1308, QStringLiteral("&Month by month"));
    m_category = MakeControl<QRadioButton>(this, 1309, QStringLiteral("By &category"));
    m_byUnit = MakeControl<QRadioButton>(this, 1310, QStringLiteral("By &unit"));
    m_expenseDonut = MakeControl<QRadioButton>(this, 1311, QStringLiteral("&Expenses"));
    m_incomeDonut = MakeControl<QRadioButton>(this, 1312, QStringLiteral("&Incomes"));
    m_monthly->setToolTip(QStringLiteral("Incomes and expenses of each month, with the net balance"));
    m_category->setToolTip(QStringLiteral("The largest categories as a donut, the rest as one Other slice"));
    m_byUnit->setToolTip(QStringLiteral("Incomes, expenses and balance of each unit side by side"));
    auto *kinds = new QButtonGroup(this);
    for (QRadioButton *b : {m_monthly, m_category, m_byUnit})
        kinds->addButton(b);
    auto *types = new QButtonGroup(this);
    types->addButton(m_expenseDonut);
    types->addButton(m_incomeDonut);
    m_monthly->setChecked(true);
    m_expenseDonut->setChecked(true);
    auto *info = MakeReportInfoIcon(this, 1313, StringId::ChartInfoTip);

    auto *period = new QGroupBox(QStringLiteral("Period and unit"), this);
    auto *periodGrid = new QGridLayout(period);
    periodGrid->addWidget(MakeControl<QLabel>(this, 1314, QStringLiteral("From")), 0, 0);
    periodGrid->addWidget(m_from, 0, 1);
    periodGrid->addWidget(MakeControl<QLabel>(this, 1315, QStringLiteral("To")), 0, 2);
    periodGrid->addWidget(m_to, 0, 3);
    periodGrid->addWidget(info, 0, 4);
    periodGrid->addWidget(MakeControl<QLabel>(this, 1316, QStringLiteral("Unit or Division")), 1, 0);
    periodGrid->addWidget(m_unit, 1, 1, 1, 3);
    periodGrid->setColumnStretch(1, 1);
    periodGrid->setColumnStretch(3, 1);

    auto *kind = new QGroupBox(QStringLiteral("Chart"), this);
    auto *kindGrid = new QGridLayout(kind);
    kindGrid->addWidget(m_monthly, 0, 0, 1, 3);
    kindGrid->addWidget(m_category, 1, 0);
    kindGrid->addWidget(m_expenseDonut, 1, 1);
    kindGrid->addWidget(m_incomeDonut, 1, 2);
    kindGrid->addWidget(m_byUnit, 2, 0, 1, 3);

    auto *categories = new QGroupBox(QStringLiteral("Categories"), this);
    auto *categoryGrid = new QGridLayout(categories);
    categoryGrid->addWidget(new QLabel(QStringLiteral("Income Categories"), this), 0, 0);
    categoryGrid->addWidget(new QLabel(QStringLiteral("Expense Categories"), this), 0, 1);
    categoryGrid->addWidget(m_incomes, 1, 0);
    categoryGrid->addWidget(m_expenses, 1, 1);
    categoryGrid->addWidget(m_allIncomes, 2, 0);
    categoryGrid->addWidget(m_allExpenses, 2, 1);

    auto *buttons = MakeOkCancel(this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    auto *layout = new QGridLayout(this);
    layout->addWidget(period, 0, 0);
    layout->addWidget(kind, 0, 1);
    layout->addWidget(categories, 1, 0, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 2);

    connect(buttons, &QDialogButtonBox::accepted, this, &CChartDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_from, &QDateEdit::dateChanged, this, &CChartDlg::UpdateControls);
    connect(m_to, &QDateEdit::dateChanged, this, &CChartDlg::UpdateControls);
    connect(kinds, &QButtonGroup::buttonToggled, this, &CChartDlg::UpdateControls);
    UpdateControls();
}

void CChartDlg::SetDates(const QDate &from, const QDate &to)
{
    m_from->setDate(from);
    m_to->setDate(to);
}

void CChartDlg::UpdateControls()
{
    m_ok->setEnabled(m_from->date() <= m_to->date());
    m_expenseDonut->setEnabled(m_category->isChecked());
    m_incomeDonut->setEnabled(m_category->isChecked());
}

ChartRequest CChartDlg::Request() const
{
    ChartRequest request;
    request.kind = m_category->isChecked() ? ChartKind::Category
                   : m_byUnit->isChecked() ? ChartKind::Unit
                                           : ChartKind::Monthly;
    request.from = m_from->date();
    request.to = m_to->date();
    request.type = m_incomeDonut->isChecked() ? 1 : 2;
    MoreReportOptions options;
    options.allUnits = m_unit->currentIndex() <= 0;
    options.unit = options.allUnits ? QString() : m_unit->currentText();
    options.allIncomes = m_allIncomes->isChecked();
    options.allExpenses = m_allExpenses->isChecked();
    options.incomeNames = options.allIncomes ? AllNames(m_incomes) : SelectedNames(m_incomes);
    options.expenseNames = options.allExpenses ? AllNames(m_expenses) : SelectedNames(m_expenses);
    // Everything chosen: exactly the plain period report's selection.
    if (!(options.allUnits && options.allIncomes && options.allExpenses))
        request.options = options;
    return request;
}

void CChartDlg::accept()
{
    if (!m_ok->isEnabled())
        return;
    const ChartRequest request = Request();
    if (const unsigned error = ChartSelectionError(request)) {
        TwkMessageBox(LoadString(error));
        (error == StringId::SelectIncomeCategory ? m_incomes : m_expenses)->setFocus();
        return;
    }
    ChartSeries series;
    if (!RunReportStep([&] { series = ComputeChartSeries(m_data.connection, request, m_data.company.units); }))
        return;
    if (series.records == 0) {
        TwkMessageBox(LoadString(StringId::NoRecordsFound));
        return;
    }
    m_view.ShowChart(request, std::move(series), MakeChartTexts(request, m_data));
    QDialog::accept();
}
