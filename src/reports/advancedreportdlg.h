#pragma once

#include "reports/reportqueries.h"

#include <QDialog>

class CTallywickData;
class CTallywickView;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QRadioButton;

// Several units, chosen income and expense categories and a description
// filter; one block per unit and the net balance (dialog 163).
class CAdvancedReportDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 163;

    CAdvancedReportDlg(CTallywickData &data, CTallywickView &view, QWidget *parent = nullptr);

    // The start dates handed over by the period report dialog.
    void SetDates(const QDate &from, const QDate &to);
    // What the controls ask for.
    AdvancedQueryInput Input() const;

public slots:
    // Checks unit, incomes, expenses in that order, then shows the report;
    // stays open when nothing was found.
    void accept() override;

private:
    void SetOption(int option);

    CTallywickData &m_data;
    CTallywickView &m_view;
    int m_option = kNoDescription;
    QDateEdit *m_from;
    QDateEdit *m_to;
    QListWidget *m_units;
    QListWidget *m_incomes;
    QListWidget *m_expenses;
    QLineEdit *m_incomeText;
    QLineEdit *m_expenseText;
};
