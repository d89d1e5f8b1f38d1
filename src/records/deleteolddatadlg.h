#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class CDbConnection;
class CTallywickData;
class QCheckBox;
class QDateEdit;
class QPushButton;

// What Delete Old Data decides, apart from its window.
namespace OldData {

// Income adds 1, Expense adds 2: 0 neither, 1 income, 2 expense, 3 both.
int DeletionKind(bool income, bool expense);
// Something to delete is chosen.
bool CanDelete(int kind, bool reminders);
// The backup question, ending in the day as the picker shows it.
QString Question(int kind, bool reminders, const QString &shownDay);
// Deletes the chosen records dated up to and including `day`, all in one
// transaction: on any failure nothing is deleted and the error is thrown.
void DeleteUpTo(CDbConnection &connection, int kind, bool reminders, const QDate &day);

} // namespace OldData

// Delete Old Data (dialog 143): deletes income and expense records and/or
// payment reminders dated up to a chosen day, after offering a backup.
class CDeleteOldDataDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 143;

    CDeleteOldDataDlg(CTallywickData &data, QWidget *parent);

    // The OK button; true when the deletion ran and the dialog closes.
    bool OnOK();

private:
    void UpdateState();

    CTallywickData &m_data;
    QCheckBox *m_income = nullptr;
    QCheckBox *m_expense = nullptr;
    QCheckBox *m_reminders = nullptr;
    QDateEdit *m_day = nullptr;
    QPushButton *m_ok = nullptr;
};
