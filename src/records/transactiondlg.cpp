#include "records/transactiondlg.h"

#include "base/amounttext.h"
#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/datefield.h"
#include "data/dberror.h"
#include "data/jetsql.h"
#include "data/profile.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "records/categorystore.h"
#include "records/keyhandler.h"
#include "records/listorder.h"
#include "records/recordui.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kDefaultUnit = QStringLiteral("DefaultUnit");

} // namespace

CTransactionDlg::CTransactionDlg(CTallywickData &data, int type, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_type(type)
    , m_mode(AddMode)
    , m_rememberedUnit(GetProfileString(kSection, kDefaultUnit))
{
    Open();
}

CTransactionDlg::CTransactionDlg(CTallywickData &data, int type, long number, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_type(type)
    , m_mode(EditMode)
    , m_number(number)
    , m_rememberedUnit(GetProfileString(kSection, kDefaultUnit))
{
    Open();
}

void CTransactionDlg::Open()
{
    SetControlId(this, IDD);
    BuildControls();
    m_amountLabel->setText(QStringLiteral("Amount (%1)").arg(m_data.settings.cCurrency));
    m_date->setDisplayFormat(m_data.settings.dateFormat);
    m_date->setDate(Today());

    const bool income = m_type == kIncomeTransaction;
    const bool add = m_mode == AddMode;
    setWindowTitle(add ? (income ? QStringLiteral("Add Income") : QStringLiteral("Add Expense"))
                       : (income ? QStringLiteral("Edit Income") : QStringLiteral("Edit Expense")));
    FillSortedCombo(m_unit, m_data.company.units);
    FillSortedCombo(m_category, CategoryNames(income ? m_data.incomeCategories : m_data.expenseCategories));
    if (add) {
        const int remembered = m_rememberedUnit.isEmpty() ? -1 : SelectStringIndex(ComboItems(m_unit), m_rememberedUnit);
        m_unit->setCurrentIndex(remembered >= 0 ? remembered : (m_unit->count() > 0 ? 0 : -1));
        m_category->setCurrentIndex(m_category->count() > 0 ? 0 : -1);
    } else {
        m_save->setText(QStringLiteral("Save"));
        m_close->setText(QStringLiteral("Close"));
        m_unit->setCurrentIndex(-1);
        m_category->setCurrentIndex(-1);
        LoadRecord();
    }
    // Connected only now: filling the fields from the stored record is not
    // a change the user made.
    TrackChanges();
    BindKeys();
}

void CTransactionDlg::BuildControls()
{
    m_unit = MakeControl<QComboBox>(this, 1022);
    m_date = MakeControl<CDateField>(this, 1026);
    m_category = MakeControl<QComboBox>(this, 1028);
    auto *categoryLabel = MakeControl<QLabel>(this, 1027, QStringLiteral("Category"));
    m_amountLabel = MakeControl<QLabel>(this, 1029);
    m_amount = MakeControl<QLineEdit>(this, 1030);
    m_description = MakeControl<QLineEdit>(this, 1032);
    m_description->setMaxLength(150);
    m_status = MakeControl<QLabel>(this, 1137);
    QFont statusFont(QStringLiteral("Arial"));
    statusFont.setPixelSize(14);
    statusFont.setBold(true);
    m_status->setFont(statusFont);
    m_status->setStyleSheet(QStringLiteral("color: black"));
    m_status->setMinimumHeight(QFontMetrics(statusFont).height());
    m_save = MakeControl<QPushButton>(this, 1020, QStringLiteral("&Add"));
    m_close = MakeControl<QPushButton>(this, 2, QStringLiteral("&Cancel"));

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Unit or Division "), this), 0, 0);
    form->addWidget(m_unit, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Transaction Date"), this), 1, 0);
    form->addWidget(m_date, 1, 1);
    form->addWidget(categoryLabel, 2, 0);
    form->addWidget(m_category, 2, 1);
    form->addWidget(MakeInfoIcon(this, 1096, LoadString(StringId::CategoryInfoTip)), 2, 2);
    form->addWidget(m_amountLabel, 3, 0);
    form->addWidget(m_amount, 3, 1);
    form->addWidget(new QLabel(QStringLiteral("Description"), this), 4, 0);
    form->addWidget(m_description, 4, 1);
    form->addWidget(MakeInfoIcon(this, 1139, LoadString(StringId::DescriptionInfoTip)), 4, 2);
    form->setColumnMinimumWidth(1, 280);
    form->setColumnMinimumWidth(2, 16);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(new QLabel(QStringLiteral("Use Tab or Enter, and arrow keys for easy navigation."), this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_unit, m_date);
    setTabOrder(m_date, m_category);
    setTabOrder(m_category, m_amount);
    setTabOrder(m_amount, m_description);
    setTabOrder(m_description, m_save);
    setTabOrder(m_save, m_close);

    connect(m_save, &QPushButton::clicked, this, &CTransactionDlg::OnSave);
    connect(m_close, &QPushButton::clicked, this, &CTransactionDlg::reject);
    AddHelpKey(this, m_data, StringId::HelpTransactionsMenu);
}

void CTransactionDlg::BindKeys()
{
    m_keys = new CKeyHandler(this);
    m_keys->EnterMoves(m_unit, m_date);
    m_keys->EnterMoves(m_date, m_category);
    m_keys->EnterMoves(m_category, m_amount);
    m_keys->EnterMoves(m_amount, m_description);
    m_keys->Watch(m_description, [this](QKeyEvent *event) {
        if (!CKeyHandler::IsPlainEnter(event))
            return false;
        OnSave();
        return true;
    });
}

void CTransactionDlg::TrackChanges()
{
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this] { Touch(UnitField); });
    connect(m_category, &QComboBox::currentIndexChanged, this, [this] { Touch(CategoryField); });
    connect(m_date, &QDateEdit::dateChanged, this, [this] { Touch(DateField); });
    connect(m_description, &QLineEdit::textChanged, this, [this] { Touch(DescriptionField); });
    connect(m_amount, &QLineEdit::textChanged, this, [this](const QString &text) {
        Touch(AmountField);
        // The "record has been added" line goes as soon as the next amount is typed.
        if (!text.trimmed().isEmpty())
            m_status->clear();
    });
}

void CTransactionDlg::Touch(Field field)
{
    m_touched |= field;
    m_changed = true;
}

bool CTransactionDlg::KeepsStored(Field field) const
{
    return m_stored && !(m_touched & field);
}

void CTransactionDlg::LoadRecord()
{
    std::optional<CTransactionRecord> record;
    if (!RunReported([&] { record = CTransactionStore(m_data.connection).Read(m_number); }))
        return;
    if (!record) {
        // Deleted meanwhile, by an add-in or another window.
        TwkMessageBox(LoadString(StringId::NoRecordsFound), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION,
                      parentWidget());
        return;
    }
    m_stored = record;
    SelectStored(m_category, record->category);
    SelectStored(m_unit, record->unit);
    if (const std::optional<QDate> date = ParseJetDate(record->date))
        m_date->setDate(*date);
    m_amount->setText(FormatAmount(record->amount));
    m_description->setMaxLength(std::max(int(record->description.size()), m_description->maxLength()));
    m_description->setText(record->description);
}

void CTransactionDlg::SelectStored(QComboBox *box, const QString &stored)
{
    // The stored text itself, never a look-alike: a unit or category that was
    // deleted or renamed since stays as it is unless the user picks another.
    int index = box->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && !stored.isEmpty())
        index = InsertSortedCombo(box, stored);
    box->setCurrentIndex(index);
}

bool CTransactionDlg::HasEntryData() const
{
    return m_unit->count() > 0 && m_category->count() > 0;
}

int CTransactionDlg::exec()
{
    if (m_mode == EditMode && !m_stored)
        return QDialog::Rejected;
    if (m_mode == AddMode && !HasEntryData()) {
        if (TwkMessageBox(LoadString(StringId::RunSetupWizardQuestion), QStringLiteral("Tallywick + "), MB_YESNO | MB_ICONQUESTION,
                          parentWidget())
                == IDYES
            && m_data.runSetupWizard)
            m_data.runSetupWizard(parentWidget());
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

bool CTransactionDlg::OnSave()
{
    const bool add = m_mode == AddMode;
    if (!add && !m_stored)
        return false;
    CTransactionRecord record;
    record.type = m_type;
    if (KeepsStored(AmountField)) {
        record.amount = m_stored->amount;
    } else {
        const std::optional<double> amount = TakeAmount(m_amount, this);
        if (!amount)
            return false;
        record.amount = *amount;
    }
    record.unit = KeepsStored(UnitField) ? m_stored->unit : m_unit->currentText();
    record.date = KeepsStored(DateField) ? m_stored->date : DateText(m_date->date());
    record.category = KeepsStored(CategoryField) ? m_stored->category : m_category->currentText();
    record.description = KeepsStored(DescriptionField) ? m_stored->description : m_description->text();

    CTransactionStore store(m_data.connection);
    if (!RunReported([&] { add ? store.Add(record) : store.Update(m_number, record); }))
        return false;

    RememberUnit(record.unit);
    if (add) {
        m_status->setText(m_type == kIncomeTransaction ? QStringLiteral("Income record has been added")
                                                       : QStringLiteral("Expense record has been added"));
        m_description->clear();
        m_amount->clear();
        m_category->setFocus();
    } else {
        m_saved = true;
        m_changed = false;
        done(0);
    }
    return true;
}

void CTransactionDlg::RememberUnit(const QString &unit)
{
    m_rememberedUnit = unit;
    WriteProfileString(kSection, kDefaultUnit, unit);
}

void CTransactionDlg::reject()
{
    WriteProfileString(kSection, kDefaultUnit, m_rememberedUnit);
    if (m_mode == EditMode && m_changed) {
        if (TwkMessageBox(LoadString(StringId::SaveRecordQuestion), QStringLiteral("Tallywick + "), MB_YESNO | MB_ICONQUESTION, this)
            == IDYES) {
            // A save that fails keeps the dialog, and the user's edits, open.
            OnSave();
            return;
        }
        m_changed = false;
    }
    QDialog::reject();
}
