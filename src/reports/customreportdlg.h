#pragma once

#include "reports/customreport.h"

#include <QDialog>

#include <optional>

class CGridCtrl;
class CTallywickData;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

// Tallywick + Custom Report (dialog 189): keeps the report definitions and
// runs the chosen one for one unit or every unit into the report grid.
class CCustomReportDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 189;

    CCustomReportDlg(CTallywickData &data, CGridCtrl *grid, QWidget *parent = nullptr);

    const CCustomReportList &Reports() const { return m_reports; }
    bool DefinitionsChanged() const { return m_changed; }
    // Shows or hides the definition-editing part ("+").
    void ShowEditing(bool show);

    void OnNewReport();
    void OnAddSubsection();
    void OnEditSubsection();
    void OnDeleteSubsection();
    void OnDeleteCategory();
    void OnEditReport();
    void OnDeleteReport();
    void OnClear();
    void OnSave();
    // Runs the chosen report; closes the dialog when it was shown.
    void OnRun();

private:
    void BuildControls();
    void FillReportCombo(const QString &select = QString());
    // The income, expense and subsection lists for a report (none: all).
    void RefillLists(const CCustomReport *report);
    void EnableSubsectionControls(bool enable);
    CCustomReport *Editing();
    CCustomReport *Selected();
    CReportSubsection *SelectedSubsection();
    void MarkChanged();

    CTallywickData &m_data;
    CGridCtrl *m_grid;
    CCustomReportList m_reports;
    QList<CCategoryRow> m_rows;
    std::optional<CCustomReport> m_pending;
    qsizetype m_editIndex = -1;
    bool m_changed = false;

    QComboBox *m_reportBox = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QCheckBox *m_singleUnit = nullptr;
    QComboBox *m_unitBox = nullptr;
    QWidget *m_editPart = nullptr;
    QPushButton *m_newReport = nullptr;
    QLineEdit *m_reportName = nullptr;
    QLineEdit *m_subsectionName = nullptr;
    QListWidget *m_incomes = nullptr;
    QListWidget *m_expenses = nullptr;
    QPushButton *m_add = nullptr;
    QComboBox *m_subsections = nullptr;
    QPushButton *m_editSubsection = nullptr;
    QPushButton *m_deleteSubsection = nullptr;
    QListWidget *m_categories = nullptr;
    QPushButton *m_deleteCategory = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_deleteReport = nullptr;
    QPushButton *m_editReport = nullptr;
};

// The Custom Report command: the dialog on the report grid.
void RunCustomReport(CTallywickData &data, CGridCtrl *grid, QWidget *parent);
// Shows a directly written report as a read-only page sized to its content.
void FinishDirectReport(CGridCtrl &grid);
