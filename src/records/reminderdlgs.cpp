#include "records/reminderdlgs.h"

#include "base/amounttext.h"
#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "controls/datefield.h"
#include "data/dberror.h"
#include "data/jetsql.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "records/keyhandler.h"
#include "records/recordui.h"
#include "records/transactionstore.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kMaxDescription = 256;


} // namespace

CReminderEntryDlg::CReminderEntryDlg(CTallywickData &data, Mode mode, const CReminder &reminder, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_reminder(reminder)
{
    SetControlId(this, IDD);
    const bool add = mode == AddMode;
    setWindowTitle(LoadString(add ? StringId::AddReminderTitle : StringId::EditReminderTitle));
    m_date = MakeDateField(this, 1026, data.settings.dateFormat);
    m_description = MakeControl<QPlainTextEdit>(this, 1122);
    m_description->setTabChangesFocus(true);
    m_description->setFixedHeight(m_description->fontMetrics().lineSpacing() * 3 + 12);
    // The box keeps at most 256 characters, as a limited edit control does.
    connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_description->toPlainText();
        if (text.size() > kMaxDescription)
            m_description->setPlainText(text.left(kMaxDescription));
    });
    m_amount = MakeControl<QLineEdit>(this, 1123);
    m_days = MakeControl<QLineEdit>(this, 1127);
    m_autoDelete = MakeControl<QCheckBox>(this, 1126, QStringLiteral("Automatically delete the reminder after the payment date"));
    auto *ok = MakeControl<QPushButton>(this, 1, LoadString(add ? StringId::AddReminderButton : StringId::SaveReminderButton));
    auto *cancel = MakeControl<QPushButton>(this, 2, QStringLiteral("Cancel"));
    // Enter walks the fields to OK and presses it there; on Cancel it
    // cancels. The fields take Enter themselves, so neither button fires
    // from inside them.
    ok->setAutoDefault(true);
    cancel->setAutoDefault(true);

    if (!add) {
        if (const std::optional<QDate> date = ParseJetDate(reminder.storedDate))
            m_date->setDate(*date);
        m_description->setPlainText(reminder.description);
    }
    m_amount->setText(FormatAmount(m_reminder.amount));
    m_shownAmount = m_amount->text();
    m_days->setText(QString::number(m_reminder.days));
    m_autoDelete->setChecked(m_reminder.autoDelete);

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Payment should be done on"), this), 0, 0);
    form->addWidget(m_date, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Description"), this), 1, 0, Qt::AlignTop);
    form->addWidget(m_description, 1, 1, 1, 2);
    form->addWidget(MakeInfoIcon(this, 1139, LoadString(StringId::DescriptionInfoTip)), 1, 3, Qt::AlignTop);
    form->addWidget(MakeControl<QLabel>(this, 1029, QStringLiteral("Amount (%1)").arg(data.settings.cCurrency)), 2, 0);
    form->addWidget(m_amount, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Remind payment before"), this), 3, 0);
    form->addWidget(m_days, 3, 1);
    form->addWidget(new QLabel(QStringLiteral("Day(s)"), this), 3, 2);
    form->addWidget(m_autoDelete, 4, 0, 1, 3);
    form->setColumnMinimumWidth(1, 160);
    form->setColumnMinimumWidth(2, 120);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Use Tab or Enter key for easy navigation."), this));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &CReminderEntryDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CReminderEntryDlg::reject);

    // Enter walks the form; Ctrl+Enter is a new line in the description.
    auto *keys = new CKeyHandler(this);
    keys->EnterMoves(m_date, m_description);
    keys->EnterMoves(m_description, m_amount);
    keys->EnterMoves(m_amount, m_days);
    keys->EnterMoves(m_days, m_autoDelete);
    keys->EnterMoves(m_autoDelete, ok);
    AddHelpKey(this, data, StringId::HelpTransactionsMenu);
    m_date->setFocus();
}

bool CReminderEntryDlg::Refuse(unsigned messageId, QWidget *field)
{
    TwkMessageBox(LoadString(messageId), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, this);
    field->setFocus();
    return false;
}

void CReminderEntryDlg::accept()
{
    // An amount the user left as shown keeps its stored value: the box
    // shows two decimals of what may hold more.
    const bool amountKept = m_amount->text() == m_shownAmount;
    const std::optional<double> amount = amountKept ? std::optional<double>(m_reminder.amount) : TakeAmount(m_amount, this);
    if (!amount)
        return;
    int days = 0;
    switch (CheckReminderDays(m_days->text(), &days)) {
    case ReminderDaysCheck::NotANumber:
        Refuse(StringId::DayNotANumber, m_days);
        return;
    case ReminderDaysCheck::OutOfRange:
        Refuse(StringId::DayOutOfRange, m_days);
        return;
    case ReminderDaysCheck::Valid:
        break;
    }
    const QString description = m_description->toPlainText().trimmed();
    if (description.isEmpty()) {
        Refuse(StringId::EnterReminderDescription, m_description);
        return;
    }
    m_reminder.amount = *amount;
    m_reminder.days = days;
    m_reminder.description = description;
    m_reminder.autoDelete = m_autoDelete->isChecked();
    m_reminder.storedDate = DateText(m_date->date());
    QDialog::accept();
}

CPaymentReminderDlg::CPaymentReminderDlg(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
{
    SetControlId(this, IDD);
    setWindowTitle(QStringLiteral("Payment Reminder"));
    m_from = MakeDateField(this, 1033, data.settings.dateFormat);
    m_to = MakeDateField(this, 1027, data.settings.dateFormat);
    m_list = MakeControl<QTreeWidget>(this, 1128);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({QStringLiteral("Payment Date"), QStringLiteral("Amount (%1)").arg(data.settings.cCurrency),
                             QStringLiteral("Description"), QStringLiteral("Reminder Day"), QStringLiteral("Auto Delete")});
    int width = 0;
    // The reminder day's longest wording fits whole.
    const int dayWidth = qMax(125, m_list->fontMetrics().horizontalAdvance(ReminderDaysText(kMaxReminderDays)) + 24);
    const int widths[] = {100, 80, 225, dayWidth, 70};
    for (int column = 0; column < 5; ++column) {
        m_list->setColumnWidth(column, widths[column]);
        width += widths[column];
    }
    m_list->setMinimumSize(width + 24, 220);
    auto *add = MakeControl<QPushButton>(this, 1020, QStringLiteral("&Add Reminder"));
    m_edit = MakeControl<QPushButton>(this, 1021, QStringLiteral("&Edit Reminder"));
    m_delete = MakeControl<QPushButton>(this, 1022, QStringLiteral("&Delete Reminder"));
    auto *close = MakeControl<QPushButton>(this, 2, QStringLiteral("Close"));

    auto *range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("From"), this));
    range->addWidget(m_from);
    range->addSpacing(16);
    range->addWidget(new QLabel(QStringLiteral("To"), this));
    range->addWidget(m_to);
    range->addStretch();
    range->addWidget(MakeInfoIcon(this, 1141, LoadString(StringId::ReminderListInfoTip)));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CPaymentReminderDlg::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CPaymentReminderDlg::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CPaymentReminderDlg::OnDelete);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_from, &QDateEdit::dateChanged, this, &CPaymentReminderDlg::FillList);
    connect(m_to, &QDateEdit::dateChanged, this, &CPaymentReminderDlg::FillList);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CPaymentReminderDlg::SetButtons);
    AddHelpKey(this, data, StringId::HelpTransactionsMenu);
    FillList();
}

void CPaymentReminderDlg::FillList()
{
    m_list->clear();
    QList<CReminder> rows;
    RunReported([&] { rows = CReminderStore(m_data.connection).List(m_from->date(), m_to->date()); });
    for (const CReminder &r : rows) {
        auto *item = new QTreeWidgetItem(m_list, {DisplayDate(r.storedDate, m_data.settings.dateFormat), FormatAmount(r.amount),
                                                  r.description, ReminderDaysText(r.days),
                                                  r.autoDelete ? QStringLiteral("Yes") : QStringLiteral("No")});
        item->setData(0, Qt::UserRole, qlonglong(r.id));
    }
    SetButtons();
}

QList<int> CPaymentReminderDlg::SelectedRows() const
{
    QList<int> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->isSelected())
            rows << i;
    }
    return rows;
}

void CPaymentReminderDlg::SetButtons()
{
    const qsizetype selected = SelectedRows().size();
    m_edit->setEnabled(selected == 1);
    m_delete->setEnabled(selected >= 1);
}

void CPaymentReminderDlg::SelectRow(int row)
{
    m_list->clearSelection();
    if (QTreeWidgetItem *item = m_list->topLevelItem(row)) {
        item->setSelected(true);
        m_list->setCurrentItem(item);
    }
    m_list->setFocus();
}

void CPaymentReminderDlg::OnAdd()
{
    CReminderEntryDlg entry(m_data, CReminderEntryDlg::AddMode, CReminder(), this);
    if (entry.exec() != QDialog::Accepted)
        return;
    long id = -1;
    if (!RunReported([&] { id = CReminderStore(m_data.connection).Add(entry.Reminder()); }, [](const CDbError &) {
            TwkMessageBox(LoadString(StringId::InsertRecordFailed), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
        }))
        return;
    // The range widens to the new reminder's day, so the user sees it added.
    if (const std::optional<QDate> day = ParseJetDate(entry.Reminder().storedDate)) {
        const QSignalBlocker fromQuiet(m_from);
        const QSignalBlocker toQuiet(m_to);
        if (*day < m_from->date())
            m_from->setDate(*day);
        if (*day > m_to->date())
            m_to->setDate(*day);
    }
    FillList();
    SelectReminder(id);
}

void CPaymentReminderDlg::SelectReminder(long id)
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->data(0, Qt::UserRole).toLongLong() == id) {
            SelectRow(i);
            m_list->scrollToItem(m_list->topLevelItem(i));
            return;
        }
    }
}

void CPaymentReminderDlg::OnEdit()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) {
        TwkMessageBox(LoadString(StringId::SelectItemFromList), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, this);
        return;
    }
    const long id = long(m_list->topLevelItem(rows.first())->data(0, Qt::UserRole).toLongLong());
    std::optional<CReminder> stored;
    if (!RunReported([&] { stored = CReminderStore(m_data.connection).Read(id); }) || !stored)
        return;
    CReminderEntryDlg entry(m_data, CReminderEntryDlg::EditMode, *stored, this);
    if (entry.exec() != QDialog::Accepted)
        return;
    if (!RunReported([&] { CReminderStore(m_data.connection).Update(entry.Reminder()); }, [](const CDbError &) {
            TwkMessageBox(LoadString(StringId::UpdateRecordFailed), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
        }))
        return;
    FillList();
    SelectReminder(id);
}

void CPaymentReminderDlg::OnDelete()
{
    const CWaitCursor wait;
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) {
        TwkMessageBox(LoadString(StringId::SelectRecordFromList), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, this);
        return;
    }
    const unsigned question = rows.size() == 1 ? StringId::DeleteReminderQuestion : StringId::DeleteRemindersQuestion;
    if (TwkMessageBox(LoadString(question), QStringLiteral("Tallywick + "), MB_YESNO | MB_ICONQUESTION, this) != IDYES) {
        m_list->setFocus();
        return;
    }
    QList<long> ids;
    for (const int row : rows)
        ids << long(m_list->topLevelItem(row)->data(0, Qt::UserRole).toLongLong());
    if (!RunReported([&] { CReminderStore(m_data.connection).Delete(ids); }, [](const CDbError &e) {
            TwkMessageBox(e.Description(), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
        }))
        return;
    FillList();
    if (rows.first() < m_list->topLevelItemCount())
        SelectRow(rows.first());
    else
        m_list->setFocus();
}

CDisplayRemindersDlg::CDisplayRemindersDlg(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
{
    SetControlId(this, IDD);
    setWindowTitle(QStringLiteral("Display payment reminders"));
    m_from = MakeDateField(this, 1033, data.settings.dateFormat);
    m_to = MakeDateField(this, 1027, data.settings.dateFormat);
    auto *group = new QGroupBox(QStringLiteral("Select date"), this);
    auto *range = new QGridLayout(group);
    range->addWidget(new QLabel(QStringLiteral("From"), group), 0, 0);
    range->addWidget(m_from, 0, 1);
    range->addWidget(new QLabel(QStringLiteral("To"), group), 1, 0);
    range->addWidget(m_to, 1, 1);
    range->setColumnMinimumWidth(1, 140);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    AddHelpKey(this, data, StringId::HelpReportsMenu);
}

QDate CDisplayRemindersDlg::From() const
{
    return m_from->date();
}

QDate CDisplayRemindersDlg::To() const
{
    return m_to->date();
}

QString CDisplayRemindersDlg::FromText() const
{
    return m_from->text();
}

QString CDisplayRemindersDlg::ToText() const
{
    return m_to->text();
}
