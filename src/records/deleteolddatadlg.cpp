#include "records/deleteolddatadlg.h"

#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "controls/datefield.h"
#include "data/compaction.h"
#include "data/dbrecordset.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "records/recordui.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace OldData {

int DeletionKind(bool income, bool expense)
{
    return (income ? 1 : 0) + (expense ? 2 : 0);
}

bool CanDelete(int kind, bool reminders)
{
    return kind != 0 || reminders;
}

QString Question(int kind, bool reminders, const QString &shownDay)
{
    unsigned id = StringId::BackupBeforeOldDataDelete;
    if (!reminders) {
        if (kind == 2)
            id = StringId::BackupBeforeOldExpenseDelete;
        else if (kind == 1)
            id = StringId::BackupBeforeOldIncomeDelete;
        else if (kind == 3)
            id = StringId::BackupBeforeOldIncomeExpenseDelete;
    }
    return LoadString(id) + shownDay + u'.';
}

void DeleteUpTo(CDbConnection &connection, int kind, bool reminders, const QDate &day)
{
    const QString dayText = DateText(day);
    CDbTransaction transaction(connection);
    CDbRecordset rs(connection);
    if (kind == 1 || kind == 2)
        rs.Open("DELETE FROM LB_TRANSACTION_INFO_TB WHERE DateValue(cTransactionDate) <= DateValue('%s') AND "
                "iTransactionType = %d",
                dayText, kind);
    else if (kind == 3)
        rs.Open("DELETE FROM LB_TRANSACTION_INFO_TB WHERE DateValue(cTransactionDate) <= DateValue('%s')", dayText);
    if (reminders)
        rs.Open("DELETE FROM LB_PAYMENT_REMINDER_INFO_TB WHERE datevalue(cPaymentDate)<= datevalue('%s')", dayText);
    transaction.Commit();
}

} // namespace OldData

CDeleteOldDataDlg::CDeleteOldDataDlg(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
{
    SetControlId(this, IDD);
    setWindowTitle(QStringLiteral("Delete Old Data"));

    auto *group = new QGroupBox(QStringLiteral("Select Income, Expense, or Payment Reminder to delete "), this);
    m_income = MakeControl<QCheckBox>(group, 1056, QStringLiteral("Income"));
    m_expense = MakeControl<QCheckBox>(group, 1055, QStringLiteral("Expense"));
    m_reminders = MakeControl<QCheckBox>(group, 1058, QStringLiteral("Payment Reminder"));
    m_day = MakeDateField(group, 1057, m_data.settings.dateFormat);
    auto *groupLayout = new QGridLayout(group);
    groupLayout->addWidget(m_income, 0, 0);
    groupLayout->addWidget(m_expense, 0, 1);
    groupLayout->addWidget(m_reminders, 0, 2);
    groupLayout->addWidget(new QLabel(QStringLiteral("Till the date"), group), 1, 0);
    groupLayout->addWidget(m_day, 1, 1, 1, 2);
    groupLayout->addWidget(MakeInfoIcon(group, 1143, LoadString(StringId::OldDataInfoTip)), 0, 3, Qt::AlignTop);

    m_ok = LayOutBesideOkCancel(this, group);

    for (QCheckBox *box : {m_income, m_expense, m_reminders})
        connect(box, &QCheckBox::clicked, this, [this] { UpdateState(); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (OnOK())
            accept();
    });
    AddHelpKey(this, m_data, StringId::HelpSetupMenu);
    UpdateState();
}

void CDeleteOldDataDlg::UpdateState()
{
    m_ok->setEnabled(OldData::CanDelete(OldData::DeletionKind(m_income->isChecked(), m_expense->isChecked()),
                                        m_reminders->isChecked()));
}

bool CDeleteOldDataDlg::OnOK()
{
    const int kind = OldData::DeletionKind(m_income->isChecked(), m_expense->isChecked());
    const bool reminders = m_reminders->isChecked();
    if (!OldData::CanDelete(kind, reminders))
        return false;
    CWaitCursor wait;
    const QDate day = m_day->date();
    const int answer = TwkMessageBox(OldData::Question(kind, reminders, m_day->text()), QStringLiteral("Tallywick + "),
                                     MB_YESNOCANCEL | MB_ICONQUESTION, this);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES && !(m_data.backupData && m_data.backupData(this)))
        return false;

    if (!RunReported([&] { OldData::DeleteUpTo(m_data.connection, kind, reminders, day); }, ReportDescribedError))
        return false;
    // The add-ins hear of it only once it is committed.
    if (m_data.oldDataDeleted)
        m_data.oldDataDeleted(DateText(day));
    CompactDatabase(m_data, this);
    TwkMessageBox(LoadString(StringId::OldDataDeleted), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION,
                  this);
    return true;
}
