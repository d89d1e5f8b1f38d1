#pragma once

#include <QDialog>

#include <functional>

class CTallywickData;
class QComboBox;
class QDateEdit;
class QPushButton;
class QTreeWidget;

// Edit or Delete (dialog 145): the records of one type and category within a
// date range; one is edited through the entry dialog, one or more deleted.
class CEditDeleteDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 145;

    CEditDeleteDlg(CTallywickData &data, int type, QWidget *parent = nullptr);

    // The record numbers listed, in list order.
    QList<long> ListedNumbers() const;

public slots:
    void Refresh();
    void OnEdit();
    void OnDelete();

private:
    void BuildControls();
    void FillList();
    void UpdateButtons();
    QList<int> SelectedRows() const;
    void SelectRow(int row);

    CTallywickData &m_data;
    int m_type;

    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QComboBox *m_category = nullptr;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_close = nullptr;
};
