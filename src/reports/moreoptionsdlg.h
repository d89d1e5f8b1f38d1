#pragma once

#include "reports/reportqueries.h"

#include <QDialog>

class CTallywickData;
class QCheckBox;
class QComboBox;
class QListWidget;

// Narrows a period report to one unit (or all) and chosen categories
// (dialog 140).
class CMoreReportOptionsDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 140;

    CMoreReportOptionsDlg(CTallywickData &data, QWidget *parent = nullptr);

    // Valid after the dialog ended with OK.
    const MoreReportOptions &Options() const { return m_options; }

public slots:
    // Checks in order expenses, incomes, unit; closes when all are given.
    void accept() override;

private:
    MoreReportOptions m_options;
    QComboBox *m_unit;
    QListWidget *m_incomes;
    QListWidget *m_expenses;
    QCheckBox *m_allIncomes;
    QCheckBox *m_allExpenses;
    QCheckBox *m_allUnits;
};
