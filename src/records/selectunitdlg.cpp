#include "records/selectunitdlg.h"

#include "records/listorder.h"
#include "records/recordui.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSelectUnitDlg::CSelectUnitDlg(const QStringList &units, QWidget *parent)
    : QDialog(parent)
{
    SetControlId(this, IDD);
    setWindowTitle(QStringLiteral("Select Unit or Division. "));

    auto *group = new QGroupBox(QStringLiteral("Please select Unit or Division. "), this);
    auto *groupLayout = new QVBoxLayout(group);
    m_list = MakeControl<QListWidget>(group, 1078);
    for (const QString &unit : SortedIgnoringCase(units)) {
        auto *item = new QListWidgetItem(unit, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_list->setMinimumSize(220, 140);
    m_selectAll = MakeControl<QCheckBox>(group, 1079, QStringLiteral("Select All"));
    groupLayout->addWidget(m_list);
    groupLayout->addWidget(m_selectAll);

    m_ok = LayOutBesideOkCancel(this, group);

    connect(m_list, &QListWidget::itemChanged, this, [this] { UpdateState(); });
    connect(m_selectAll, &QCheckBox::clicked, this, &CSelectUnitDlg::OnSelectAll);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    UpdateState();
}

QStringList CSelectUnitDlg::CheckedUnits() const
{
    QStringList units;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            units << m_list->item(i)->text();
    }
    return units;
}

bool CSelectUnitDlg::AllSelected() const
{
    return m_selectAll->isChecked();
}

void CSelectUnitDlg::UpdateState()
{
    const qsizetype checked = CheckedUnits().size();
    m_ok->setEnabled(checked > 0);
    m_selectAll->setChecked(checked == m_list->count());
}

void CSelectUnitDlg::OnSelectAll(bool checked)
{
    const QSignalBlocker block(m_list);
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    UpdateState();
}
