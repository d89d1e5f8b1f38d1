#pragma once

#include "data/reminderstore.h"

#include <QDialog>

class CTallywickData;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// Add or Edit Payment Reminder (dialog 167): the form for one reminder.
class CReminderEntryDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 167;
    enum Mode { AddMode = 1, EditMode = 2 };

    CReminderEntryDlg(CTallywickData &data, Mode mode, const CReminder &reminder = CReminder(), QWidget *parent = nullptr);

    // The validated reminder, after OK.
    const CReminder &Reminder() const { return m_reminder; }
    void accept() override;

private:
    bool Refuse(unsigned messageId, QWidget *field);

    CTallywickData &m_data;
    CReminder m_reminder;
    // The amount text as the form opened with it.
    QString m_shownAmount;
    QDateEdit *m_date = nullptr;
    QPlainTextEdit *m_description = nullptr;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_days = nullptr;
    QCheckBox *m_autoDelete = nullptr;
};

// Payment Reminder (dialog 166): lists a range's reminders and adds, edits
// and deletes them.
class CPaymentReminderDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 166;
    explicit CPaymentReminderDlg(CTallywickData &data, QWidget *parent = nullptr);

    void FillList();
    void OnAdd();
    void OnEdit();
    void OnDelete();

private:
    void SetButtons();
    QList<int> SelectedRows() const;
    void SelectRow(int row);
    void SelectReminder(long id);

    CTallywickData &m_data;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
};

// Display payment reminders (dialog 168): asks for the range the reminder
// report shows.
class CDisplayRemindersDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 168;
    explicit CDisplayRemindersDlg(CTallywickData &data, QWidget *parent = nullptr);

    QDate From() const;
    QDate To() const;
    QString FromText() const;
    QString ToText() const;

private:
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
};
