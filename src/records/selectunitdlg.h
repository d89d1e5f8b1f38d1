#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QListWidget;
class QPushButton;

// Select Unit or Division (dialog 149): the units whose transactions of a
// category are to be deleted.
class CSelectUnitDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 149;

    CSelectUnitDlg(const QStringList &units, QWidget *parent);

    // The checked units in the list's sorted order.
    QStringList CheckedUnits() const;
    bool AllSelected() const;

private:
    void UpdateState();
    void OnSelectAll(bool checked);

    QListWidget *m_list = nullptr;
    QCheckBox *m_selectAll = nullptr;
    QPushButton *m_ok = nullptr;
};
