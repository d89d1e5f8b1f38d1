#include "reports/customreportdlg.h"

#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/datefield.h"
#include "controls/gridctrl.h"
#include "data/tallywickdata.h"
#include "reports/customreportwriter.h"
#include "reports/reportfailure.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const QString kNewReport = QStringLiteral("New Report");
const QString kAddReport = QStringLiteral("Add Report");
const QString kEdit = QStringLiteral("Edit");
const QString kUpdate = QStringLiteral("Update");
const QString kEditReport = QStringLiteral("Edit Report");
const QString kUpdateReport = QStringLiteral("Update Report");

// Controls carry their resource id as object name, so tests and add-ins
// find them by id.
template<typename W>
W *Control(QWidget *parent, int id, const QString &tip = QString())
{
    auto *control = new W(parent);
    control->setObjectName(QString::number(id));
    if (!tip.isEmpty())
        control->setToolTip(tip);
    return control;
}

QPushButton *Button(QWidget *parent, int id, const QString &text, const QString &tip = QString())
{
    auto *button = Control<QPushButton>(parent, id, tip);
    button->setText(text);
    return button;
}

QLabel *Label(QWidget *parent, int id, const QString &text)
{
    auto *label = Control<QLabel>(parent, id);
    label->setText(text);
    return label;
}

QStringList SelectedTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            texts << list->item(i)->text();
    }
    return texts;
}

void Fill(QListWidget *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

bool Succeeded(const QString &message, const QString &success)
{
    TwkMessageBox(message);
    return message == success;
}

} // namespace

CCustomReportDlg::CCustomReportDlg(CTallywickData &data, CGridCtrl *grid, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_grid(grid)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("Tallywick + Custom Report"));
    BuildControls();
    m_reports = LoadCustomReports(m_data.connection);
    RunReportStep([this] { m_rows = ReadCategoryRows(m_data.connection); });
    FillReportCombo();
    m_from->setDisplayFormat(m_data.settings.dateFormat);
    m_to->setDisplayFormat(m_data.settings.dateFormat);
    m_from->setDate(Today());
    m_to->setDate(Today());
    m_unitBox->addItems(m_data.company.units);
    m_unitBox->setVisible(false);
    EnableSubsectionControls(false);
    ShowEditing(false);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        if (m_data.showHelp)
            m_data.showHelp(LoadString(StringId::HelpReportsMenu));
    });
}

void CCustomReportDlg::BuildControls()
{
    m_reportBox = Control<QComboBox>(this, 1145, QStringLiteral("The report to run"));
    m_reportBox->setMinimumWidth(220);
    auto *toggle = Button(this, 1152, QStringLiteral("+"), QStringLiteral("Show or hide the report definitions"));
    toggle->setFixedWidth(32);
    m_from = Control<CDateField>(this, 1033);
    m_to = Control<CDateField>(this, 1027);
    m_singleUnit = Control<QCheckBox>(this, 1165, QStringLiteral("Report on one unit only; otherwise on every unit"));
    m_singleUnit->setText(QStringLiteral("Select Unit "));
    m_unitBox = Control<QComboBox>(this, 1155);
    m_unitBox->setMinimumWidth(160);

    auto *choose = new QGroupBox(QStringLiteral("Select the Report From the List"), this);
    auto *chooseLayout = new QGridLayout(choose);
    chooseLayout->addWidget(m_reportBox, 0, 0, 1, 3);
    chooseLayout->addWidget(toggle, 0, 3);
    chooseLayout->addWidget(new QLabel(QStringLiteral("From"), choose), 1, 0);
    chooseLayout->addWidget(m_from, 1, 1);
    chooseLayout->addWidget(new QLabel(QStringLiteral("To"), choose), 1, 2);
    chooseLayout->addWidget(m_to, 1, 3);
    chooseLayout->addWidget(m_singleUnit, 2, 0, 1, 2);
    chooseLayout->addWidget(m_unitBox, 2, 2, 1, 2);

    auto *ok = Button(this, 1, QStringLiteral("OK"), QStringLiteral("Show the chosen report"));
    ok->setDefault(true);
    auto *close = Button(this, 2, QStringLiteral("Close"));
    auto *mainButtons = new QVBoxLayout;
    mainButtons->addWidget(ok);
    mainButtons->addWidget(close);
    mainButtons->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(choose, 1);
    top->addLayout(mainButtons);

    m_editPart = new QWidget(this);
    m_newReport = Button(m_editPart, 1153, kNewReport, QStringLiteral("Start a new report, then add it"));
    m_reportName = Control<QLineEdit>(m_editPart, 1146);
    m_subsectionName = Control<QLineEdit>(m_editPart, 1148);
    m_incomes = Control<QListWidget>(m_editPart, 1150);
    m_expenses = Control<QListWidget>(m_editPart, 1149);
    for (QListWidget *list : {m_incomes, m_expenses}) {
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        list->setMinimumWidth(170);
        list->setFixedHeight(130);
    }
    m_add = Button(m_editPart, 1015, QStringLiteral("&Add"), QStringLiteral("Add a subsection of the selected categories"));
    m_subsections = Control<QComboBox>(m_editPart, 1151);
    m_editSubsection = Button(m_editPart, 1063, kEdit, QStringLiteral("Rename the subsection or add categories"));
    m_deleteSubsection = Button(m_editPart, 1017, QStringLiteral("&Delete"), QStringLiteral("Delete the subsection"));
    m_categories = Control<QListWidget>(m_editPart, 1147);
    m_categories->setFixedHeight(90);
    m_deleteCategory = Button(m_editPart, 1163, QStringLiteral("Delete Category"),
                              QStringLiteral("Take the selected category out of the subsection"));
    m_save = Button(m_editPart, 3, QStringLiteral("Save"), QStringLiteral("Keep the report definitions"));
    auto *clear = Button(m_editPart, 1164, QStringLiteral("Clear"));
    m_deleteReport = Button(m_editPart, 1154, QStringLiteral("Delete Report"));
    m_editReport = Button(m_editPart, 1177, kEditReport, QStringLiteral("Rename the report or change its subsections"));

    auto *edit = new QGridLayout(m_editPart);
    edit->setContentsMargins(0, 0, 0, 0);
    edit->addWidget(m_newReport, 0, 0);
    edit->addWidget(Label(m_editPart, 1168, QStringLiteral("Report Name")), 0, 1);
    edit->addWidget(m_reportName, 0, 2, 1, 2);
    edit->addWidget(Label(m_editPart, 1169, QStringLiteral("Subsection Name")), 1, 1);
    edit->addWidget(m_subsectionName, 1, 2, 1, 2);
    auto *available = Label(m_editPart, 1170,
                            QStringLiteral("Available Categories (NB: Catogories will not be available if already "
                                           "added to any Subsection)"));
    available->setWordWrap(true);
    edit->addWidget(available, 2, 0, 1, 4);
    edit->addWidget(Label(m_editPart, 1118, QStringLiteral("Income")), 3, 0, 1, 2);
    edit->addWidget(Label(m_editPart, 1171, QStringLiteral("Expense")), 3, 2, 1, 2);
    edit->addWidget(m_incomes, 4, 0, 1, 2);
    edit->addWidget(m_expenses, 4, 2, 1, 2);
    edit->addWidget(m_add, 5, 3);
    edit->addWidget(Label(m_editPart, 1172, QStringLiteral("Available Report Subsections")), 6, 0, 1, 2);
    edit->addWidget(m_subsections, 6, 2, 1, 2);
    edit->addWidget(m_editSubsection, 7, 2);
    edit->addWidget(m_deleteSubsection, 7, 3);
    edit->addWidget(m_categories, 8, 0, 1, 3);
    edit->addWidget(m_deleteCategory, 8, 3, Qt::AlignTop);
    auto *row = new QHBoxLayout;
    row->addWidget(m_save);
    row->addWidget(clear);
    row->addStretch();
    row->addWidget(m_deleteReport);
    row->addWidget(m_editReport);
    edit->addLayout(row, 9, 0, 1, 4);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_editPart);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_reportBox, &QComboBox::currentIndexChanged, this, [this] { RefillLists(Selected()); });
    connect(toggle, &QPushButton::clicked, this, [this] { ShowEditing(m_editPart->isHidden()); });
    connect(m_singleUnit, &QCheckBox::toggled, m_unitBox, &QWidget::setVisible);
    connect(ok, &QPushButton::clicked, this, &CCustomReportDlg::OnRun);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_newReport, &QPushButton::clicked, this, &CCustomReportDlg::OnNewReport);
    connect(m_add, &QPushButton::clicked, this, &CCustomReportDlg::OnAddSubsection);
    connect(m_editSubsection, &QPushButton::clicked, this, &CCustomReportDlg::OnEditSubsection);
    connect(m_deleteSubsection, &QPushButton::clicked, this, &CCustomReportDlg::OnDeleteSubsection);
    connect(m_deleteCategory, &QPushButton::clicked, this, &CCustomReportDlg::OnDeleteCategory);
    connect(m_save, &QPushButton::clicked, this, &CCustomReportDlg::OnSave);
    connect(clear, &QPushButton::clicked, this, &CCustomReportDlg::OnClear);
    connect(m_deleteReport, &QPushButton::clicked, this, &CCustomReportDlg::OnDeleteReport);
    connect(m_editReport, &QPushButton::clicked, this, &CCustomReportDlg::OnEditReport);
}

void CCustomReportDlg::ShowEditing(bool show)
{
    m_editPart->setVisible(show);
    adjustSize();
}

void CCustomReportDlg::FillReportCombo(const QString &select)
{
    const QSignalBlocker block(m_reportBox);
    m_reportBox->clear();
    for (const CCustomReport &r : std::as_const(m_reports))
        m_reportBox->addItem(r.name);
    const int index = m_reportBox->findText(select);
    m_reportBox->setCurrentIndex(index >= 0 ? index : (m_reportBox->count() > 0 ? 0 : -1));
    RefillLists(Selected());
}

void CCustomReportDlg::RefillLists(const CCustomReport *report)
{
    Fill(m_incomes, AvailableCategories(m_rows, true, report));
    Fill(m_expenses, AvailableCategories(m_rows, false, report));
    const QString current = m_subsections->currentText();
    m_subsections->clear();
    if (report) {
        for (const CReportSubsection &s : report->subsections)
            m_subsections->addItem(s.name);
    }
    m_subsections->setCurrentIndex(qMax(0, m_subsections->findText(current)));
}

void CCustomReportDlg::EnableSubsectionControls(bool enable)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_reportName, m_subsectionName, m_incomes, m_expenses, m_add,
                                                       m_subsections, m_editSubsection, m_deleteSubsection,
                                                       m_categories, m_deleteCategory})
        w->setEnabled(enable);
}

CCustomReport *CCustomReportDlg::Editing()
{
    if (m_pending)
        return &*m_pending;
    return m_editIndex >= 0 && m_editIndex < m_reports.size() ? &m_reports[m_editIndex] : nullptr;
}

CCustomReport *CCustomReportDlg::Selected()
{
    return FindReport(m_reports, m_reportBox->currentText());
}

CReportSubsection *CCustomReportDlg::SelectedSubsection()
{
    CCustomReport *report = Editing();
    return report ? report->FindSubsection(m_subsections->currentText()) : nullptr;
}

void CCustomReportDlg::MarkChanged()
{
    // A report not yet added is no change to the stored definitions.
    if (!m_pending) {
        m_changed = true;
        m_save->setEnabled(true);
    }
}

void CCustomReportDlg::OnNewReport()
{
    if (!m_pending) {
        OnClear();
        m_pending = CCustomReport{kNewReport, {}};
        m_reportName->setText(kNewReport);
        m_reportBox->setEnabled(false);
        EnableSubsectionControls(true);
        m_newReport->setText(kAddReport);
        RefillLists(&*m_pending);
        return;
    }
    const QString name = m_reportName->text();
    if (!Succeeded(CustomReportEdit::AddReport(m_reports, *m_pending, name), CustomReportEdit::kReportAdded))
        return;
    m_pending.reset();
    m_reportName->clear();
    m_categories->clear();
    FillReportCombo(name);
    m_reportBox->setEnabled(true);
    EnableSubsectionControls(false);
    m_newReport->setText(kNewReport);
    MarkChanged();
}

void CCustomReportDlg::OnAddSubsection()
{
    CCustomReport *report = Editing();
    if (!report)
        return;
    const QString name = m_subsectionName->text();
    const QString message = CustomReportEdit::AddSubsection(*report, name, SelectedTexts(m_incomes),
                                                            SelectedTexts(m_expenses), m_rows);
    if (!Succeeded(message, CustomReportEdit::kSubsectionAdded))
        return;
    m_subsectionName->clear();
    RefillLists(report);
    m_subsections->setCurrentIndex(m_subsections->findText(name));
    MarkChanged();
}

void CCustomReportDlg::OnEditSubsection()
{
    CCustomReport *report = Editing();
    CReportSubsection *subsection = SelectedSubsection();
    if (!report || !subsection)
        return;
    if (m_editSubsection->text() == kEdit) {
        m_subsectionName->setText(subsection->name);
        m_categories->clear();
        for (const CReportCategory &c : std::as_const(subsection->categories))
            m_categories->addItem(c.name);
        for (QWidget *w : std::initializer_list<QWidget *>{m_subsectionName, m_categories, m_deleteCategory, m_save})
            w->setEnabled(true);
        m_editSubsection->setText(kUpdate);
        return;
    }
    const QString name = m_subsectionName->text();
    const QString message = CustomReportEdit::UpdateSubsection(*report, subsection->name, name,
                                                               SelectedTexts(m_incomes), SelectedTexts(m_expenses),
                                                               m_rows);
    if (!Succeeded(message, CustomReportEdit::kSubsectionUpdated))
        return;
    m_categories->clear();
    m_subsectionName->clear();
    m_editSubsection->setText(kEdit);
    m_deleteSubsection->setEnabled(false);
    m_deleteCategory->setEnabled(false);
    RefillLists(report);
    m_subsections->setCurrentIndex(m_subsections->findText(name));
    MarkChanged();
}

void CCustomReportDlg::OnDeleteSubsection()
{
    CCustomReport *report = Editing();
    if (!report || !SelectedSubsection())
        return;
    if (TwkMessageBox(QStringLiteral("Do You Want to Delete this Subsection"), QStringLiteral("Tallywick + "), MB_YESNO,
                      this)
        != IDYES)
        return;
    const QString name = m_subsections->currentText();
    report->subsections.removeIf([&](const CReportSubsection &s) { return s.name == name; });
    m_categories->clear();
    RefillLists(report);
    MarkChanged();
}

void CCustomReportDlg::OnDeleteCategory()
{
    CReportSubsection *subsection = SelectedSubsection();
    QListWidgetItem *item = m_categories->currentItem();
    if (!subsection || !item)
        return;
    const QString name = item->text();
    subsection->categories.removeIf([&](const CReportCategory &c) { return c.name == name; });
    delete item;
    RefillLists(Editing());
    MarkChanged();
}

void CCustomReportDlg::OnEditReport()
{
    if (m_editReport->text() == kEditReport) {
        CCustomReport *report = Selected();
        if (!report || m_pending)
            return;
        m_editIndex = report - m_reports.data();
        m_reportName->setText(report->name);
        m_reportBox->setEnabled(false);
        EnableSubsectionControls(true);
        m_editReport->setText(kUpdateReport);
        RefillLists(report);
        return;
    }
    const QString name = m_reportName->text();
    if (!Succeeded(CustomReportEdit::RenameReport(m_reports, m_editIndex, name), CustomReportEdit::kReportUpdated))
        return;
    m_editIndex = -1;
    m_editReport->setText(kEditReport);
    m_reportName->clear();
    m_categories->clear();
    EnableSubsectionControls(false);
    m_reportBox->setEnabled(true);
    FillReportCombo(name);
    MarkChanged();
}

void CCustomReportDlg::OnDeleteReport()
{
    CCustomReport *report = Selected();
    if (!report || m_pending || m_editIndex >= 0)
        return;
    if (TwkMessageBox(QStringLiteral("Do You Want to Delete this Report"), QStringLiteral("Tallywick + "), MB_YESNO,
                      this)
        != IDYES)
        return;
    m_reports.removeAt(report - m_reports.data());
    FillReportCombo();
    MarkChanged();
    TwkMessageBox(QStringLiteral("Deletion Successful"));
}

void CCustomReportDlg::OnClear()
{
    m_pending.reset();
    m_editIndex = -1;
    m_newReport->setText(kNewReport);
    m_editReport->setText(kEditReport);
    m_editSubsection->setText(kEdit);
    m_reportName->clear();
    m_subsectionName->clear();
    m_categories->clear();
    m_reportBox->setEnabled(true);
    EnableSubsectionControls(false);
    RefillLists(Selected());
}

void CCustomReportDlg::OnSave()
{
    if (!m_changed) {
        TwkMessageBox(QStringLiteral("Please add current report"));
        return;
    }
    const QString message = SaveCustomReports(m_data.connection, m_data.appFolder, m_reports);
    if (!Succeeded(message, QStringLiteral("Save Completed")))
        return;
    m_changed = false;
    m_save->setEnabled(false);
}

void CCustomReportDlg::OnRun()
{
    const CustomReportPeriod period{m_from->date(), m_to->date(), m_from->text(), m_to->text()};
    if (!IsValidReportPeriod(period)) {
        TwkMessageBox(kInvalidDatePeriod);
        m_from->setFocus();
        return;
    }
    const CCustomReport *report = FindReport(m_reports, m_reportBox->currentText());
    if (!report || !m_grid)
        return;
    if (m_singleUnit->isChecked() && m_unitBox->currentText().isEmpty()) {
        TwkMessageBox(LoadString(StringId::SelectUnit));
        m_unitBox->setFocus();
        return;
    }
    const QStringList units = m_singleUnit->isChecked() ? QStringList{m_unitBox->currentText()} : m_data.company.units;
    m_grid->SetRedraw(false);
    CCustomReportWriter writer(m_data.connection, m_data.company, m_data.settings);
    const bool written = writer.Write(m_grid->Model(), *report, period, units);
    FinishDirectReport(*m_grid);
    if (written)
        accept();
}

void FinishDirectReport(CGridCtrl &grid)
{
    grid.SetGridLines(GVL_NONE);
    grid.AutoSize();
    grid.EnableSelection(false);
    grid.SetFixedRowSelection(false);
    grid.SetFixedColumnSelection(false);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.SetRedraw(true);
}

void RunCustomReport(CTallywickData &data, CGridCtrl *grid, QWidget *parent)
{
    CCustomReportDlg dialog(data, grid, parent);
    dialog.exec();
}
