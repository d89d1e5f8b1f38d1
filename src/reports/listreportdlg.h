#pragma once

#include "reports/reportqueries.h"

#include <QDialog>

class CTallywickData;
class CTallywickView;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QListWidget;

// Lists single incomes (type 1) or expenses (type 2) of a unit and period,
// optionally narrowed by category and description keyword (dialog 134).
class CListReportDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 134;

    CListReportDlg(CTallywickData &data, CTallywickView &view, int type, QWidget *parent = nullptr);

    // What the controls ask for.
    ListQueryInput Input() const;

public slots:
    // Checks dates, categories and unit, then lists and closes.
    void accept() override;

private:
    void SetOption(int option);

    CTallywickData &m_data;
    CTallywickView &m_view;
    int m_type;
    int m_option = kNoDescription;
    QDateEdit *m_from;
    QDateEdit *m_to;
    QListWidget *m_categories;
    QCheckBox *m_allCategories;
    QListWidget *m_units;
    QCheckBox *m_allUnits;
    QLineEdit *m_exact;
    QLineEdit *m_matching;
    QCheckBox *m_byDate;
};
