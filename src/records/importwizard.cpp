#include "records/importwizard.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "controls/dialogcontrols.h"
#include "data/dberror.h"
#include "data/filedialogfolder.h"
#include "data/profile.h"
#include "data/tallywickdata.h"
#include "records/categorystore.h"
#include "records/importmapping.h"
#include "records/importreview.h"
#include "records/recordui.h"
#include "records/transactionstore.h"
#include "records/wizarddecoration.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Tallywick + ");
constexpr int kPreviewRows = 10;

const struct {
    StatementFormat format;
    const char *name;
} kFormats[] = {
    {StatementFormat::Csv, "CSV (comma-separated values)"},
    {StatementFormat::Ofx, "OFX or QFX (Open Financial Exchange)"},
    {StatementFormat::Qif, "QIF (Quicken Interchange Format)"},
};

QLabel *PageTitle(const QString &text, QWidget *parent)
{
    auto *title = new QLabel(text, parent);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    title->setFont(font);
    return title;
}

QString Money(double amount)
{
    return QString::asprintf("%.2f", amount);
}

// The category column edits through a list of the categories the line's
// type may take.
class CCategoryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        const auto *review = static_cast<const CImportReviewModel *>(index.model());
        auto *box = new QComboBox(parent);
        box->addItems(review->CategoriesFor(review->Candidates().at(index.row()).type));
        connect(box, &QComboBox::activated, this, [this, box] {
            emit const_cast<CCategoryDelegate *>(this)->commitData(box);
            emit const_cast<CCategoryDelegate *>(this)->closeEditor(box);
        });
        return box;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString()));
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        if (box->currentIndex() >= 0)
            model->setData(index, box->currentText(), Qt::EditRole);
    }
};

QComboBox *ColumnChooser(QWidget *parent, int id)
{
    auto *box = MakeControl<QComboBox>(parent, id);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumContentsLength(12);
    return box;
}

// "(none)" and the file's columns; the column is the item's data.
void FillColumns(QComboBox *box, const QStringList &choices, int selected, bool optional)
{
    const QSignalBlocker block(box);
    box->clear();
    if (optional)
        box->addItem(QStringLiteral("(none)"), -1);
    for (int i = 0; i < choices.size(); ++i)
        box->addItem(choices[i], i);
    const int at = box->findData(selected);
    box->setCurrentIndex(at >= 0 ? at : 0);
}

// A label whose letter takes the focus to `buddy`.
QLabel *BuddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

int ColumnOf(const QComboBox *box)
{
    return box->currentIndex() >= 0 ? box->currentData().toInt() : -1;
}

} // namespace

CImportWizard::CImportWizard(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_review(new CImportReviewModel(this))
{
    SetControlId(this, kDialogId);
    setWindowTitle(QStringLiteral("Import Statement"));
    m_stack = new QStackedWidget(this);
    BuildFilePage();
    BuildColumnsPage();
    BuildReviewPage();

    m_strip = new CWizardStrip(this);
    m_strip->SetSteps({QStringLiteral("File and format"), QStringLiteral("Columns"), QStringLiteral("Review")});

    m_back = MakeControl<QPushButton>(this, kBackId, QStringLiteral("< &Back"));
    m_next = MakeControl<QPushButton>(this, kNextId, QStringLiteral("&Next >"));
    m_finish = MakeControl<QPushButton>(this, kFinishId, QStringLiteral("&Import"));
    auto *cancel = MakeControl<QPushButton>(this, 2, QStringLiteral("Cancel"));
    auto *help = MakeControl<QPushButton>(this, 9, QStringLiteral("&Help"));
    connect(m_back, &QPushButton::clicked, this, &CImportWizard::OnBack);
    connect(m_next, &QPushButton::clicked, this, &CImportWizard::OnNext);
    connect(m_finish, &QPushButton::clicked, this, &CImportWizard::OnFinish);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_data.showHelp)
            m_data.showHelp(LoadString(StringId::HelpImport));
    });
    AddHelpKey(this, m_data, StringId::HelpImport);

    LayOutWizard(this, nullptr, m_strip, m_stack, QMargins(12, 12, 12, 4), help, {m_back, m_next, m_finish}, cancel);

    ShowPage(FilePage);
    resize(940, 620);
}

CImportWizard::~CImportWizard() = default;

void CImportWizard::BuildFilePage()
{
    auto *page = new QWidget(m_stack);
    m_file = MakeControl<QLineEdit>(page, IdFile);
    auto *browse = MakeControl<QPushButton>(page, IdBrowse, QStringLiteral("B&rowse..."));
    m_format = MakeControl<QComboBox>(page, IdFormat);
    for (const auto &f : kFormats)
        m_format->addItem(QString::fromLatin1(f.name), int(f.format));
    m_mapping = MakeControl<QComboBox>(page, IdMapping);
    m_mapping->addItem(QStringLiteral("(set the columns on the next page)"));
    RunReported([this] { m_mapping->addItems(CImportStore(m_data.connection).MappingNames()); });
    m_fileNote = new QLabel(page);
    m_fileNote->setWordWrap(true);

    connect(browse, &QPushButton::clicked, this, &CImportWizard::OnBrowse);
    connect(m_file, &QLineEdit::editingFinished, this, &CImportWizard::FileChanged);
    connect(m_format, &QComboBox::currentIndexChanged, this, [this] {
        m_mapping->setEnabled(Format() == StatementFormat::Csv);
    });

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(BuddyLabel(QStringLiteral("Statement &file:"), m_file), fileRow);
    form->addRow(QStringLiteral("F&ormat:"), m_format);
    form->addRow(QStringLiteral("Saved &columns:"), m_mapping);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageTitle(QStringLiteral("Choose the statement file"), page));
    auto *intro = new QLabel(QStringLiteral("Save a statement from your bank's web site as CSV, OFX/QFX or QIF, then "
                                            "choose it here. Nothing is written before you have reviewed every line."),
                             page);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addWidget(m_fileNote);
    layout->addStretch();
    m_stack->addWidget(page);
}

void CImportWizard::BuildColumnsPage()
{
    auto *page = new QWidget(m_stack);
    m_delimiter = MakeControl<QComboBox>(page, IdDelimiter);
    m_delimiter->addItem(QStringLiteral("Comma ( , )"), QStringLiteral(","));
    m_delimiter->addItem(QStringLiteral("Semicolon ( ; )"), QStringLiteral(";"));
    m_delimiter->addItem(QStringLiteral("Tab"), QStringLiteral("\t"));
    m_encoding = MakeControl<QComboBox>(page, IdEncoding);
    m_encoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Windows-1252"), QStringLiteral("ISO-8859-1"),
                          QStringLiteral("UTF-16")});
    m_skip = MakeControl<QSpinBox>(page, IdSkip);
    m_skip->setRange(0, 50);
    m_dateFormat = MakeControl<QComboBox>(page, IdDateFormat);
    m_decimalComma = MakeControl<QCheckBox>(page, IdDecimalComma, QStringLiteral("Decimal &comma (12,50)"));
    m_dateColumn = ColumnChooser(page, IdDateColumn);
    m_descriptionColumn = ColumnChooser(page, IdDescriptionColumn);
    m_memoColumn = ColumnChooser(page, IdMemoColumn);
    m_signed = MakeControl<QRadioButton>(page, IdSignedAmount, QStringLiteral("One &signed amount:"));
    m_debitCredit = MakeControl<QRadioButton>(page, IdDebitCredit, QStringLiteral("Debit and c&redit:"));
    m_signed->setChecked(true);
    m_amountColumn = ColumnChooser(page, IdAmountColumn);
    m_debitColumn = ColumnChooser(page, IdDebitColumn);
    m_creditColumn = ColumnChooser(page, IdCreditColumn);
    m_preview = MakeControl<QTableWidget>(page, IdPreview);
    m_preview->setColumnCount(4);
    m_preview->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Description"), QStringLiteral("Amount"),
                                          QStringLiteral("Read as")});
    m_preview->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The description and what became of the line share the width; a long
    // reason is in full in its tip.
    m_preview->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_preview->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    m_preview->verticalHeader()->hide();
    m_preview->verticalHeader()->setDefaultSectionSize(m_preview->fontMetrics().height() + 6);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_mappingName = MakeControl<QLineEdit>(page, IdMappingName);
    m_mappingName->setPlaceholderText(QStringLiteral("for example the bank's name"));
    auto *save = MakeControl<QPushButton>(page, IdSaveMapping, QStringLiteral("Sa&ve Columns"));
    m_columnsProblem = MakeControl<QLabel>(page, IdColumnsProblem);
    m_columnsProblem->setWordWrap(true);

    auto *file = new QGroupBox(QStringLiteral("The file"), page);
    auto *fileForm = new QFormLayout(file);
    fileForm->addRow(QStringLiteral("&Delimiter:"), m_delimiter);
    fileForm->addRow(QStringLiteral("&Encoding:"), m_encoding);
    fileForm->addRow(QStringLiteral("Lines to s&kip:"), m_skip);
    fileForm->addRow(QStringLiteral("Date &format:"), m_dateFormat);
    fileForm->addRow(QString(), m_decimalComma);

    auto *columns = new QGroupBox(QStringLiteral("Its columns"), page);
    auto *grid = new QGridLayout(columns);
    grid->addWidget(BuddyLabel(QStringLiteral("D&ate:"), m_dateColumn), 0, 0);
    grid->addWidget(m_dateColumn, 0, 1, 1, 2);
    grid->addWidget(BuddyLabel(QStringLiteral("Descri&ption:"), m_descriptionColumn), 1, 0);
    grid->addWidget(m_descriptionColumn, 1, 1, 1, 2);
    grid->addWidget(BuddyLabel(QStringLiteral("&Memo:"), m_memoColumn), 2, 0);
    grid->addWidget(m_memoColumn, 2, 1, 1, 2);
    grid->addWidget(m_signed, 3, 0);
    grid->addWidget(m_amountColumn, 3, 1, 1, 2);
    grid->addWidget(m_debitCredit, 4, 0);
    grid->addWidget(m_debitColumn, 4, 1);
    grid->addWidget(m_creditColumn, 4, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(file);
    top->addWidget(columns, 1);
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(BuddyLabel(QStringLiteral("Save &these columns as:"), m_mappingName));
    saveRow->addWidget(m_mappingName, 1);
    saveRow->addWidget(save);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageTitle(QStringLiteral("Map the columns"), page));
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("The first lines, read as you set them:"), page));
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_columnsProblem);
    layout->addLayout(saveRow);
    m_stack->addWidget(page);

    // Changing how the file is split changes the columns to choose from.
    for (QComboBox *box : {m_delimiter, m_encoding})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_showingLayout)
                ShowLayout(Layout());
        });
    connect(m_skip, &QSpinBox::valueChanged, this, [this] {
        if (!m_showingLayout)
            ShowLayout(Layout());
    });
    for (QComboBox *box : {m_dateFormat, m_dateColumn, m_descriptionColumn, m_memoColumn, m_amountColumn, m_debitColumn,
                           m_creditColumn})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
    connect(m_dateColumn, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showingLayout)
            ShowLayout(Layout());
    });
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{m_decimalComma, m_signed, m_debitCredit})
        connect(b, &QAbstractButton::toggled, this, [this] { UpdatePreview(); });
    connect(save, &QPushButton::clicked, this, &CImportWizard::SaveMapping);
}

void CImportWizard::BuildReviewPage()
{
    auto *page = new QWidget(m_stack);
    m_unit = MakeControl<QComboBox>(page, IdUnit);
    FillSortedCombo(m_unit, m_data.company.units);
    // The unit of the last import, else the one entries were last made in;
    // the entry windows keep theirs.
    for (const QString &key : {QStringLiteral("ImportUnit"), QStringLiteral("DefaultUnit")}) {
        if (const int at = m_unit->findText(GetProfileString(QStringLiteral("Settings"), key)); at >= 0) {
            m_unit->setCurrentIndex(at);
            break;
        }
    }
    m_window = MakeControl<QSpinBox>(page, IdWindow);
    m_window->setRange(0, 31);
    m_window->setValue(3);
    m_window->setSuffix(QStringLiteral(" days"));
    m_window->setPrefix(QString(QChar(0xB1)) + QLatin1Char(' '));

    const QStringList income = CategoryNames(m_data.incomeCategories);
    const QStringList expense = CategoryNames(m_data.expenseCategories);
    m_review->SetCategories(income, expense);
    m_review->SetDateFormat(m_data.settings.dateFormat);
    RunReported([this] { m_review->SetRules(CImportStore(m_data.connection).Rules()); });
    m_defaultIncome = MakeControl<QComboBox>(page, IdDefaultIncome);
    m_defaultExpense = MakeControl<QComboBox>(page, IdDefaultExpense);
    for (auto [box, names] : {std::pair{m_defaultIncome, income}, std::pair{m_defaultExpense, expense}}) {
        FillSortedCombo(box, names);
        box->insertItem(0, QStringLiteral("(leave them unticked)"));
        box->setCurrentIndex(0);
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            m_review->SetDefaults(m_defaultIncome->currentIndex() > 0 ? m_defaultIncome->currentText() : QString(),
                                  m_defaultExpense->currentIndex() > 0 ? m_defaultExpense->currentText() : QString());
        });
    }
    m_skipMalformed = MakeControl<QRadioButton>(page, IdSkipMalformed, QStringLiteral("s&kip them"));
    m_refuseMalformed = MakeControl<QRadioButton>(page, IdRefuseMalformed, QStringLiteral("refuse the &whole import"));
    m_skipMalformed->setChecked(true);
    auto *malformed = new QButtonGroup(page);
    malformed->addButton(m_skipMalformed);
    malformed->addButton(m_refuseMalformed);

    m_table = MakeControl<QTableView>(page, IdReview);
    m_table->setModel(m_review);
    m_table->setItemDelegateForColumn(CImportReviewModel::CategoryColumn, new CCategoryDelegate(m_table));
    m_table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    auto *header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(CImportReviewModel::TickColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(CImportReviewModel::DescriptionColumn, QHeaderView::Stretch);
    header->resizeSection(CImportReviewModel::DateColumn, 84);
    header->resizeSection(CImportReviewModel::AmountColumn, 76);
    header->resizeSection(CImportReviewModel::TypeColumn, 64);
    header->resizeSection(CImportReviewModel::CategoryColumn, 124);
    header->resizeSection(CImportReviewModel::StateColumn, 130);
    m_counts = MakeControl<QLabel>(page, IdCounts);
    m_counts->setWordWrap(true);

    auto *form = new QGridLayout;
    form->addWidget(BuddyLabel(QStringLiteral("Import into &unit:"), m_unit), 0, 0);
    form->addWidget(m_unit, 0, 1);
    form->addWidget(BuddyLabel(QStringLiteral("Same transaction wi&thin:"), m_window), 1, 0);
    form->addWidget(m_window, 1, 1);
    form->addWidget(BuddyLabel(QStringLiteral("Inc&omes no rule files:"), m_defaultIncome), 0, 2);
    form->addWidget(m_defaultIncome, 0, 3);
    form->addWidget(BuddyLabel(QStringLiteral("E&xpenses no rule files:"), m_defaultExpense), 1, 2);
    form->addWidget(m_defaultExpense, 1, 3);
    auto *policy = new QHBoxLayout;
    policy->addWidget(m_skipMalformed);
    policy->addWidget(m_refuseMalformed);
    policy->addStretch();
    form->addWidget(new QLabel(QStringLiteral("On malformed lines:"), page), 2, 0);
    form->addLayout(policy, 2, 1, 1, 3);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    form->setHorizontalSpacing(10);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageTitle(QStringLiteral("Review what will be added"), page));
    layout->addLayout(form);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_counts);
    m_stack->addWidget(page);

    // Duplicates are of the unit and within the window: decide again.
    const auto again = [this] {
        if (CurrentPage() == ReviewPage)
            Classify();
    };
    connect(m_unit, &QComboBox::currentIndexChanged, this, again);
    connect(m_window, &QSpinBox::valueChanged, this, again);
    connect(m_review, &CImportReviewModel::countsChanged, this, &CImportWizard::UpdateCounts);
    // After the editor has closed: the question is a window of its own.
    connect(m_review, &CImportReviewModel::categoryChosen, this, &CImportWizard::OfferRule, Qt::QueuedConnection);
}

CImportWizard::Page CImportWizard::CurrentPage() const
{
    return Page(m_stack->currentIndex());
}

StatementFormat CImportWizard::Format() const
{
    return StatementFormat(m_format->currentData().toInt());
}

void CImportWizard::ShowPage(Page page)
{
    m_stack->setCurrentIndex(page);
    m_strip->SetCurrent(page);
    m_back->setEnabled(page != FilePage);
    m_next->setEnabled(page != ReviewPage);
    m_finish->setEnabled(page == ReviewPage);
    (page == ReviewPage ? m_finish : m_next)->setDefault(true);
}

void CImportWizard::OnBrowse()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Choose a Bank Statement");
    request.filter = QStringLiteral("Bank statements (*.csv;*.txt;*.ofx;*.qfx;*.qif)|*.csv;*.txt;*.ofx;*.qfx;*.qif|"
                                    "All Files (*.*)|*.*||");
    request.fileName = m_file->text();
    const QString path = ChooseOpenFile(this, request);
    if (path.isEmpty())
        return;
    m_file->setText(path);
    FileChanged();
}

void CImportWizard::FileChanged()
{
    const QString path = m_file->text().trimmed();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_fileNote->clear();
        return;
    }
    if (const auto format = GuessStatementFormat(path)) {
        m_format->setCurrentIndex(m_format->findData(int(*format)));
        m_fileNote->setText(QStringLiteral("This looks like a %1 file.").arg(m_format->currentText()));
    } else {
        m_fileNote->setText(QStringLiteral("The format could not be told from the file; please choose it."));
    }
}

bool CImportWizard::OnNext()
{
    if (CurrentPage() == FilePage) {
        const QString path = m_file->text().trimmed();
        if (path.isEmpty()) {
            TwkMessageBox(LoadString(StringId::ImportChooseFile), kTitle, MB_OK | MB_ICONEXCLAMATION, this);
            m_file->setFocus();
            return false;
        }
        if (!QFileInfo(path).isFile()) {
            TwkMessageBox(LoadString(StringId::ImportFileNotFound).arg(path), kTitle, MB_OK | MB_ICONEXCLAMATION, this);
            m_file->setFocus();
            return false;
        }
        if (Format() != StatementFormat::Csv) {
            if (!Classify())
                return false;
            ShowPage(ReviewPage);
            return true;
        }
        // Back on this page and forward again, the columns set stay.
        const QString source = path + QLatin1Char('\n') + m_mapping->currentText();
        try {
            if (source != m_layoutSource) {
                std::optional<CCsvLayout> saved;
                if (m_mapping->currentIndex() > 0) {
                    RunReported([&] { saved = CImportStore(m_data.connection).Mapping(m_mapping->currentText()); });
                    m_mappingName->setText(m_mapping->currentText());
                }
                ShowLayout(saved ? *saved : GuessCsvLayout(path));
                m_layoutSource = source;
            }
        } catch (const CStatementFileError &e) {
            TwkMessageBox(e.Message(), kTitle, MB_OK | MB_ICONEXCLAMATION, this);
            return false;
        }
        ShowPage(ColumnsPage);
        return true;
    }
    if (CurrentPage() == ColumnsPage) {
        if (const QString problem = Layout().Problem(); !problem.isEmpty()) {
            TwkMessageBox(problem, kTitle, MB_OK | MB_ICONEXCLAMATION, this);
            return false;
        }
        if (!Classify())
            return false;
        ShowPage(ReviewPage);
        return true;
    }
    return false;
}

void CImportWizard::OnBack()
{
    if (CurrentPage() == ReviewPage)
        ShowPage(Format() == StatementFormat::Csv ? ColumnsPage : FilePage);
    else if (CurrentPage() == ColumnsPage)
        ShowPage(FilePage);
}

CCsvLayout CImportWizard::Layout() const
{
    CCsvLayout layout;
    layout.delimiter = m_delimiter->currentData().toString().at(0);
    layout.encoding = m_encoding->currentText();
    layout.skipLines = m_skip->value();
    if (!m_dateFormat->currentText().isEmpty())
        layout.dateFormat = m_dateFormat->currentText();
    layout.decimalComma = m_decimalComma->isChecked();
    layout.dateColumn = ColumnOf(m_dateColumn);
    layout.descriptionColumn = ColumnOf(m_descriptionColumn);
    layout.memoColumn = ColumnOf(m_memoColumn);
    if (m_signed->isChecked()) {
        layout.amountColumn = ColumnOf(m_amountColumn);
    } else {
        layout.debitColumn = ColumnOf(m_debitColumn);
        layout.creditColumn = ColumnOf(m_creditColumn);
    }
    return layout;
}

void CImportWizard::ShowLayout(const CCsvLayout &layout)
{
    m_showingLayout = true;
    m_delimiter->setCurrentIndex(std::max(0, m_delimiter->findData(QString(layout.delimiter))));
    m_encoding->setCurrentIndex(std::max(0, m_encoding->findText(layout.encoding, Qt::MatchFixedString)));
    m_skip->setValue(layout.skipLines);
    m_decimalComma->setChecked(layout.decimalComma);

    CCsvLayout raw = layout;
    raw.skipLines = 0;
    m_rawRows.clear();
    try {
        m_rawRows = PreviewCsvRows(m_file->text().trimmed(), raw, layout.skipLines + 20);
    } catch (const CStatementFileError &e) {
        m_columnsProblem->setText(e.Message());
    }
    const QStringList choices = CsvColumnChoices(m_rawRows, layout.skipLines);
    FillColumns(m_dateColumn, choices, layout.dateColumn, false);
    FillColumns(m_descriptionColumn, choices, layout.descriptionColumn, true);
    FillColumns(m_memoColumn, choices, layout.memoColumn, true);
    FillColumns(m_amountColumn, choices, layout.amountColumn, true);
    FillColumns(m_debitColumn, choices, layout.debitColumn, true);
    FillColumns(m_creditColumn, choices, layout.creditColumn, true);
    (layout.amountColumn < 0 && (layout.debitColumn >= 0 || layout.creditColumn >= 0) ? m_debitCredit : m_signed)
        ->setChecked(true);

    // Offer the date formats that read every date of the column shown.
    QStringList dates;
    const int dateColumn = ColumnOf(m_dateColumn);
    for (const QStringList &row : m_rawRows.mid(layout.skipLines)) {
        if (dateColumn >= 0 && dateColumn < row.size() && !row[dateColumn].trimmed().isEmpty())
            dates << row[dateColumn].trimmed();
    }
    QStringList formats = CandidateDateFormats(dates);
    if (formats.isEmpty())
        formats = CsvDateFormats();
    {
        const QSignalBlocker block(m_dateFormat);
        m_dateFormat->clear();
        m_dateFormat->addItems(formats);
        int at = m_dateFormat->findText(layout.dateFormat);
        if (at < 0)
            at = m_dateFormat->findText(BestDateFormat(dates));
        m_dateFormat->setCurrentIndex(std::max(0, at));
    }
    m_showingLayout = false;
    UpdatePreview();
}

void CImportWizard::UpdatePreview()
{
    if (m_showingLayout)
        return;
    m_preview->setRowCount(0);
    const CCsvLayout layout = Layout();
    const QString problem = layout.Problem();
    m_columnsProblem->setText(problem);
    if (!problem.isEmpty())
        return;
    try {
        auto reader = OpenStatement(m_file->text().trimmed(), StatementFormat::Csv, layout);
        CStatementLine line;
        for (int row = 0; row < kPreviewRows && reader->Next(line); ++row) {
            m_preview->insertRow(row);
            const bool bad = !line.error.isEmpty();
            const QStringList cells = {line.date.isValid() ? line.date.toString(QStringLiteral("yyyy-MM-dd")) : QString(),
                                       line.Description(), bad ? QString() : Money(line.amount),
                                       bad ? line.error
                                       : line.amount >= 0 ? QStringLiteral("Income")
                                                          : QStringLiteral("Expense")};
            for (int c = 0; c < cells.size(); ++c) {
                auto *item = new QTableWidgetItem(cells[c]);
                if (c == 2)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (bad) {
                    item->setForeground(QColor(0xB0, 0x1E, 0x1E));
                    item->setToolTip(line.error);
                }
                m_preview->setItem(row, c, item);
            }
        }
    } catch (const CStatementFileError &e) {
        m_columnsProblem->setText(e.Message());
    }
}

void CImportWizard::SaveMapping()
{
    const QString name = m_mappingName->text().trimmed();
    if (name.isEmpty()) {
        TwkMessageBox(LoadString(StringId::ImportNameMapping), kTitle, MB_OK | MB_ICONEXCLAMATION, this);
        m_mappingName->setFocus();
        return;
    }
    const CCsvLayout layout = Layout();
    if (const QString problem = layout.Problem(); !problem.isEmpty()) {
        TwkMessageBox(problem, kTitle, MB_OK | MB_ICONEXCLAMATION, this);
        return;
    }
    if (RunReported([&] { CImportStore(m_data.connection).SaveMapping(name, layout); }, ReportDescribedError)) {
        if (m_mapping->findText(name) < 0)
            m_mapping->addItem(name);
        m_columnsProblem->setText(QStringLiteral("The columns were saved as \"%1\".").arg(name));
    }
}

bool CImportWizard::Classify()
{
    if (m_unit->currentText().isEmpty())
        return true; // told at Finish; nothing can be decided without a unit
    CImportOptions options;
    options.unit = m_unit->currentText();
    options.dateWindowDays = m_window->value();
    // Defaults are the review's: one per type, changeable without reading again.
    QList<CImportCandidate> candidates;
    QString unreadable;
    const bool ran = RunReported([&] {
        const CWaitCursor wait;
        CImportPlanner planner(m_data.connection, CImportStore(m_data.connection).Rules(), options);
        try {
            auto reader = OpenStatement(m_file->text().trimmed(), Format(), Layout());
            CStatementLine line;
            while (reader->Next(line))
                candidates << planner.Classify(line);
        } catch (const CStatementFileError &e) {
            unreadable = e.Message();
        }
    }, ReportDescribedError);
    if (!unreadable.isEmpty()) {
        // Nothing half-read is shown: the file is refused as a whole.
        TwkMessageBox(unreadable, kTitle, MB_OK | MB_ICONEXCLAMATION, this);
        return false;
    }
    if (!ran)
        return false;
    m_review->SetCandidates(candidates);
    return true;
}

void CImportWizard::UpdateCounts()
{
    const CImportCounts c = m_review->Counts();
    QString text = QStringLiteral("<b>Transactions to add: %1</b> (%2 income, %3 expense).")
                       .arg(c.added)
                       .arg(Money(qAbs(c.moneyIn)), Money(qAbs(c.moneyOut)));
    QStringList left;
    if (c.duplicates)
        left << QStringLiteral("%1 already there").arg(c.duplicates);
    if (c.errors)
        left << QStringLiteral("%1 malformed").arg(c.errors);
    if (c.unticked)
        left << QStringLiteral("%1 unticked").arg(c.unticked);
    if (!left.isEmpty())
        text += QStringLiteral(" Left out: ") + left.join(QStringLiteral(", ")) + QLatin1Char('.');
    m_counts->setText(text);
}

void CImportWizard::OfferRule(int row, const QString &category)
{
    if (row < 0 || row >= m_review->Candidates().size() || m_review->Candidates()[row].category != category)
        return;
    const QString description = m_review->Candidates()[row].line.Description();
    const QString question = LoadString(StringId::ImportLearnRule).arg(description, category);
    if (TwkMessageBox(question, kTitle, MB_YESNO | MB_ICONQUESTION, this) != IDYES)
        return;
    CImportRule rule;
    if (RunReported([&] { rule = CImportStore(m_data.connection).LearnRule(description, category); }, ReportDescribedError))
        m_review->Learn(rule);
}

bool CImportWizard::OnFinish()
{
    if (CurrentPage() != ReviewPage)
        return false;
    const QString unit = m_unit->currentText();
    if (unit.isEmpty()) {
        TwkMessageBox(LoadString(StringId::ImportChooseUnit), kTitle, MB_OK | MB_ICONEXCLAMATION, this);
        return false;
    }
    const CImportCounts counts = m_review->Counts();
    if (counts.errors > 0 && m_refuseMalformed->isChecked()) {
        const QStringList errors = m_review->ErrorLines();
        QStringList shown = errors.mid(0, 10);
        if (errors.size() > shown.size())
            shown << QStringLiteral("...");
        TwkMessageBox(LoadString(StringId::ImportRefused).arg(counts.errors).arg(shown.join(QLatin1Char('\n'))), kTitle,
                      MB_OK | MB_ICONEXCLAMATION, this);
        return false;
    }
    if (counts.added == 0) {
        TwkMessageBox(LoadString(StringId::ImportNothingToAdd), kTitle, MB_OK | MB_ICONINFORMATION, this);
        return false;
    }
    CImportCounts written;
    const QString fileName = QFileInfo(m_file->text().trimmed()).fileName();
    const bool ok = RunReported([&] {
        const CWaitCursor wait;
        CImportWriter writer(m_data.connection, fileName, unit);
        for (const CImportCandidate &c : m_review->Candidates())
            writer.Add(c);
        written = writer.Counts();
        writer.Commit();
    }, ReportDescribedError);
    if (!ok)
        return false;
    m_added = written.added;
    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("ImportUnit"), unit);
    TwkMessageBox(LoadString(StringId::ImportDone).arg(written.added).arg(fileName), kTitle, MB_OK | MB_ICONINFORMATION,
                  this);
    accept();
    return true;
}

bool RunImportWizard(CTallywickData &data, QWidget *parent)
{
    // Lines need a unit to go into and categories to be filed under; as the
    // entry windows do, offer the setup wizard instead.
    if (data.company.units.isEmpty() || (data.incomeCategories.isEmpty() && data.expenseCategories.isEmpty())) {
        if (TwkMessageBox(LoadString(StringId::RunSetupWizardQuestion), kTitle, MB_YESNO | MB_ICONQUESTION, parent) == IDYES
            && data.runSetupWizard)
            data.runSetupWizard(parent);
        return false;
    }
    CImportWizard wizard(data, parent);
    wizard.exec();
    return wizard.Added() > 0;
}

bool HasImportToUndo(CTallywickData &data)
{
    if (!data.connection.IsOpen())
        return false;
    try {
        return CImportStore(data.connection).LastImport().has_value();
    } catch (...) {
        return false;
    }
}

bool RunUndoLastImport(CTallywickData &data, QWidget *parent)
{
    std::optional<CImportStore::ImportRecord> last;
    if (!RunReported([&] { last = CImportStore(data.connection).LastImport(); }) || !last)
        return false;
    const QString question = LoadString(StringId::ImportUndoQuestion)
                                 .arg(last->fileName, last->when.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                                 .arg(last->added);
    if (TwkMessageBox(question, kTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, parent) != IDYES)
        return false;
    qint64 removed = 0;
    if (!RunReported([&] { removed = CImportStore(data.connection).UndoLastImport(); }, ReportDescribedError))
        return false;
    TwkMessageBox(LoadString(StringId::ImportUndone).arg(removed).arg(last->fileName), kTitle,
                  MB_OK | MB_ICONINFORMATION, parent);
    return true;
}
