#pragma once

#include "reports/chartseries.h"

#include <QDialog>

class CTallywickData;
class CTallywickView;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Charts (dialog 260): the period with the report pickers, a unit or all,
// the categories and the kind of chart. OK draws the chart in the view and
// closes; an empty period says "No records found." and stays open.
class CChartDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 260;

    CChartDlg(CTallywickData &data, CTallywickView &view, QWidget *parent = nullptr);

    // What the controls ask for.
    ChartRequest Request() const;
    void SetDates(const QDate &from, const QDate &to);

public slots:
    void accept() override;

private:
    void UpdateControls();

    CTallywickData &m_data;
    CTallywickView &m_view;
    QDateEdit *m_from;
    QDateEdit *m_to;
    QComboBox *m_unit;
    QListWidget *m_incomes;
    QListWidget *m_expenses;
    QCheckBox *m_allIncomes;
    QCheckBox *m_allExpenses;
    QRadioButton *m_monthly;
    QRadioButton *m_category;
    QRadioButton *m_byUnit;
    QRadioButton *m_expenseDonut;
    QRadioButton *m_incomeDonut;
    QPushButton *m_ok = nullptr;
};
