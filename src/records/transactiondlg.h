#pragma once

#include "records/transactionstore.h"

#include <QDialog>

#include <optional>

class CKeyHandler;
class CTallywickData;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// Add or edit one income or expense (dialog 132). In add mode it stays open
// for a series: unit, date and category keep their values after each add.
class CTransactionDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 132;
    enum Mode { AddMode = 0, EditMode = 1 };

    // Add mode.
    CTransactionDlg(CTallywickData &data, int type, QWidget *parent = nullptr);
    // Edit mode for the stored record `number`.
    CTransactionDlg(CTallywickData &data, int type, long number, QWidget *parent = nullptr);

    // False in add mode when there is no unit or no category to offer.
    bool HasEntryData() const;
    // Without units or categories the dialog is never shown: it offers the
    // setup wizard instead. Nor is it when the record to edit could not be
    // read: its blank fields must never be saved over the record.
    int exec() override;
    // Cancel, Escape and the close box: remembers the unit and, after a real
    // change in edit mode, offers to save first.
    void reject() override;

    bool Saved() const { return m_saved; }
    bool Changed() const { return m_changed; }

public slots:
    // Add or Save: true when the record was written.
    bool OnSave();

private:
    enum Field : unsigned { UnitField = 1, DateField = 2, CategoryField = 4, AmountField = 8, DescriptionField = 16 };

    void Open();
    void BuildControls();
    void BindKeys();
    void LoadRecord();
    void TrackChanges();
    void Touch(Field field);
    // Edit mode: a field the user has not changed keeps its stored value,
    // even one the box cannot show as stored (more decimals, a date text the
    // engine cannot read, a longer description).
    bool KeepsStored(Field field) const;
    void SelectStored(QComboBox *box, const QString &stored);
    void RememberUnit(const QString &unit);

    CTallywickData &m_data;
    int m_type;
    Mode m_mode;
    long m_number = 0;
    QString m_rememberedUnit;
    bool m_changed = false;
    unsigned m_touched = 0;
    std::optional<CTransactionRecord> m_stored;
    bool m_saved = false;

    QComboBox *m_unit = nullptr;
    QDateEdit *m_date = nullptr;
    QComboBox *m_category = nullptr;
    QLabel *m_amountLabel = nullptr;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_description = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
    CKeyHandler *m_keys = nullptr;
};
