#include "records/importrulesdlg.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/dialogcontrols.h"
#include "data/dberror.h"
#include "data/tallywickdata.h"
#include "records/categorystore.h"
#include "records/importrules.h"
#include "records/recordui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Tallywick + ");

QString MatchText(RuleMatch match)
{
    switch (match) {
    case RuleMatch::Contains: return QStringLiteral("Contains");
    case RuleMatch::StartsWith: return QStringLiteral("Starts with");
    case RuleMatch::Regex: return QStringLiteral("Regular expression");
    }
    return {};
}

bool SameRules(const QList<CImportRule> &a, const QList<CImportRule> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const CImportRule &x, const CImportRule &y) {
        return x.match == y.match && x.pattern == y.pattern && x.category == y.category;
    });
}

} // namespace

CImportRulesDlg::CImportRulesDlg(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
{
    SetControlId(this, kDialogId);
    setWindowTitle(QStringLiteral("Import Rules"));

    auto *rulesBox = new QGroupBox(QStringLiteral("Rules, tried from the top: the first that fits a line files it"), this);
    m_list = MakeControl<QTableWidget>(rulesBox, IdRules);
    m_list->setColumnCount(3);
    m_list->setHorizontalHeaderLabels({QStringLiteral("Description"), QStringLiteral("Text"), QStringLiteral("Category")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 8);
    m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);

    m_up = MakeControl<QPushButton>(rulesBox, IdUp, QStringLiteral("Move &Up"));
    m_down = MakeControl<QPushButton>(rulesBox, IdDown, QStringLiteral("Move Do&wn"));
    m_delete = MakeControl<QPushButton>(rulesBox, IdDelete, QStringLiteral("&Delete"));

    m_match = MakeControl<QComboBox>(rulesBox, IdMatch);
    for (RuleMatch match : {RuleMatch::Contains, RuleMatch::StartsWith, RuleMatch::Regex})
        m_match->addItem(MatchText(match), int(match));
    m_pattern = MakeControl<QLineEdit>(rulesBox, IdPattern);
    m_pattern->setMinimumWidth(220);
    m_category = MakeControl<QComboBox>(rulesBox, IdCategory);
    QStringList categories = CategoryNames(data.incomeCategories);
    for (const QString &name : CategoryNames(data.expenseCategories))
        if (!categories.contains(name))
            categories << name;
    m_category->addItems(categories);
    auto *add = MakeControl<QPushButton>(rulesBox, IdAdd, QStringLiteral("&Add"));
    m_change = MakeControl<QPushButton>(rulesBox, IdChange, QStringLiteral("C&hange"));

    auto *rulesLayout = new QGridLayout(rulesBox);
    auto *moves = new QVBoxLayout;
    moves->addWidget(m_up);
    moves->addWidget(m_down);
    moves->addSpacing(12);
    moves->addWidget(m_delete);
    moves->addStretch();
    rulesLayout->addWidget(m_list, 0, 0);
    rulesLayout->addLayout(moves, 0, 1);
    auto *editor = new QHBoxLayout;
    auto *descriptionLabel = new QLabel(QStringLiteral("D&escription:"), rulesBox);
    descriptionLabel->setBuddy(m_match);
    auto *textLabel = new QLabel(QStringLiteral("&Text:"), rulesBox);
    textLabel->setBuddy(m_pattern);
    auto *categoryLabel = new QLabel(QStringLiteral("&Category:"), rulesBox);
    categoryLabel->setBuddy(m_category);
    editor->addWidget(descriptionLabel);
    editor->addWidget(m_match);
    editor->addWidget(textLabel);
    editor->addWidget(m_pattern, 1);
    editor->addWidget(categoryLabel);
    editor->addWidget(m_category);
    rulesLayout->addLayout(editor, 1, 0);
    auto *edits = new QHBoxLayout;
    edits->addWidget(add);
    edits->addWidget(m_change);
    rulesLayout->addLayout(edits, 1, 1);

    auto *mappingsBox = new QGroupBox(QStringLiteral("Saved columns of CSV files"), this);
    m_mappings = MakeControl<QListWidget>(mappingsBox, IdMappings);
    m_mappings->setMaximumHeight(m_mappings->fontMetrics().height() * 5 + 8);
    m_deleteMapping = MakeControl<QPushButton>(mappingsBox, IdDeleteMapping, QStringLiteral("De&lete"));
    auto *mappingsLayout = new QHBoxLayout(mappingsBox);
    mappingsLayout->addWidget(m_mappings, 1);
    auto *mappingButtons = new QVBoxLayout;
    mappingButtons->addWidget(m_deleteMapping);
    mappingButtons->addStretch();
    mappingsLayout->addLayout(mappingButtons);
    // The buttons of both boxes line up.
    m_deleteMapping->setMinimumWidth(m_down->sizeHint().width());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    SetControlId(buttons->button(QDialogButtonBox::Ok), 1);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    SetControlId(buttons->button(QDialogButtonBox::Help), 9);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImportRulesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (m_data.showHelp)
            m_data.showHelp(LoadString(StringId::HelpImportRules));
    });
    AddHelpKey(this, m_data, StringId::HelpImportRules);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(rulesBox, 1);
    layout->addWidget(mappingsBox);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &CImportRulesDlg::OnAdd);
    connect(m_change, &QPushButton::clicked, this, &CImportRulesDlg::OnChange);
    connect(m_delete, &QPushButton::clicked, this, &CImportRulesDlg::OnDelete);
    connect(m_up, &QPushButton::clicked, this, [this] { OnMove(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { OnMove(1); });
    connect(m_deleteMapping, &QPushButton::clicked, this, &CImportRulesDlg::OnDeleteMapping);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &CImportRulesDlg::RuleSelected);
    connect(m_mappings, &QListWidget::itemSelectionChanged, this, &CImportRulesDlg::UpdateButtons);

    m_loaded = RunReported([this] {
        CImportStore store(m_data.connection);
        m_storedRules = store.Rules();
        m_storedMappings = store.MappingNames();
    });
    m_rules = m_storedRules;
    m_mappings->addItems(m_storedMappings);
    ShowRules(m_rules.isEmpty() ? -1 : 0);
    resize(720, 500);
}

QStringList CImportRulesDlg::Mappings() const
{
    QStringList names;
    for (int i = 0; i < m_mappings->count(); ++i)
        names << m_mappings->item(i)->text();
    return names;
}

CImportRule CImportRulesDlg::Edited() const
{
    CImportRule rule;
    rule.match = RuleMatch(m_match->currentData().toInt());
    // Spaces around a plain text are slips; in an expression they count.
    rule.pattern = rule.match == RuleMatch::Regex ? m_pattern->text() : m_pattern->text().trimmed();
    rule.category = m_category->currentText();
    return rule;
}

bool CImportRulesDlg::Refused(const CImportRule &rule, qsizetype replacing)
{
    const QString problem = RuleListProblem(m_rules, rule, replacing);
    if (problem.isEmpty())
        return false;
    TwkMessageBox(problem, kTitle, MB_OK | MB_ICONEXCLAMATION, this);
    m_pattern->setFocus();
    return true;
}

void CImportRulesDlg::OnAdd()
{
    const CImportRule rule = Edited();
    if (Refused(rule, -1))
        return;
    m_rules << rule;
    ShowRules(m_rules.size() - 1);
}

void CImportRulesDlg::OnChange()
{
    const int row = SelectedRow();
    if (row < 0 || row >= m_rules.size())
        return;
    CImportRule rule = Edited();
    if (Refused(rule, row))
        return;
    rule.id = m_rules[row].id;
    m_rules[row] = rule;
    ShowRules(row);
}

void CImportRulesDlg::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0 || row >= m_rules.size())
        return;
    m_rules.removeAt(row);
    ShowRules(std::min<qsizetype>(row, m_rules.size() - 1));
}

void CImportRulesDlg::OnMove(int by)
{
    const int row = SelectedRow();
    const int to = row + by;
    if (row < 0 || row >= m_rules.size() || to < 0 || to >= m_rules.size())
        return;
    m_rules.swapItemsAt(row, to);
    ShowRules(to);
}

void CImportRulesDlg::OnDeleteMapping()
{
    delete m_mappings->currentItem();
    UpdateButtons();
}

void CImportRulesDlg::accept()
{
    const QStringList kept = Mappings();
    QStringList dropped;
    for (const QString &name : m_storedMappings)
        if (!kept.contains(name))
            dropped << name;
    const bool rulesChanged = !SameRules(m_rules, m_storedRules);
    // Rules that could not be read are not overwritten with an empty list.
    if (m_loaded && (rulesChanged || !dropped.isEmpty())) {
        const bool saved = RunReported(
            [&] {
                CImportStore store(m_data.connection);
                if (rulesChanged)
                    store.SaveRules(m_rules);
                for (const QString &name : dropped)
                    store.DeleteMapping(name);
            },
            ReportDescribedError);
        if (!saved)
            return;
    }
    QDialog::accept();
}

void CImportRulesDlg::ShowRules(qsizetype select)
{
    const QSignalBlocker blocker(m_list);
    m_list->setRowCount(int(m_rules.size()));
    for (int row = 0; row < m_rules.size(); ++row) {
        const CImportRule &rule = m_rules[row];
        m_list->setItem(row, 0, new QTableWidgetItem(MatchText(rule.match)));
        m_list->setItem(row, 1, new QTableWidgetItem(rule.pattern));
        m_list->setItem(row, 2, new QTableWidgetItem(rule.category));
    }
    if (select >= 0 && select < m_rules.size())
        m_list->selectRow(int(select));
    else
        m_list->clearSelection();
    RuleSelected();
}

int CImportRulesDlg::SelectedRow() const
{
    return m_list->selectionModel()->hasSelection() ? m_list->currentRow() : -1;
}

void CImportRulesDlg::RuleSelected()
{
    const int row = SelectedRow();
    if (row >= 0 && row < m_rules.size()) {
        const CImportRule &rule = m_rules[row];
        m_match->setCurrentIndex(m_match->findData(int(rule.match)));
        m_pattern->setText(rule.pattern);
        // A rule may name a category deleted since; it is shown as it is.
        if (m_category->findText(rule.category) < 0)
            m_category->addItem(rule.category);
        m_category->setCurrentText(rule.category);
    }
    UpdateButtons();
}

void CImportRulesDlg::UpdateButtons()
{
    const int row = SelectedRow();
    m_change->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_rules.size());
    m_deleteMapping->setEnabled(m_mappings->currentItem() != nullptr);
}

bool RunImportRules(CTallywickData &data, QWidget *parent)
{
    CImportRulesDlg dialog(data, parent);
    if (!dialog.Loaded())
        return false;
    return dialog.exec() == QDialog::Accepted;
}
