#include "addins/addinmanagerpage.h"

#include "addins/addinmanager.h"
#include "controls/dialogcontrols.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CAddinManagerPage::CAddinManagerPage(CAddinManager &manager, QWidget *parent)
    : CSettingsPage(false, parent)
    , m_manager(manager)
{
    setWindowTitle(QStringLiteral("Addin Manager"));
    SetControlId(this, IDD);
    auto *caption = MakeControl<QLabel>(this, 1086, QStringLiteral("Check the addins to be loaded"));
    m_list = MakeControl<QListWidget>(this, 1085);
    caption->setBuddy(m_list);
    m_list->setMinimumSize(360, 220);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_list, 1);
    Fill();
}

void CAddinManagerPage::Fill()
{
    m_list->clear();
    for (const CAddinRecord &record : m_manager.Addins()) {
        auto *item = new QListWidgetItem(m_list);
        if (record.name.isEmpty() || !record.failure.isEmpty()) {
            const QString who = record.name.isEmpty() ? QFileInfo(record.file).fileName() : record.name;
            item->setText(QStringLiteral("%1 - not loaded: %2").arg(who, record.failure));
            item->setToolTip(record.file);
            item->setFlags(Qt::NoItemFlags);
            continue;
        }
        item->setText(record.name);
        item->setData(Qt::UserRole, record.name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(record.loadFlag ? Qt::Checked : Qt::Unchecked);
    }
}

void CAddinManagerPage::showEvent(QShowEvent *event)
{
    Fill();
    CSettingsPage::showEvent(event);
}

bool CAddinManagerPage::Apply()
{
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem *item = m_list->item(i);
        const QString name = item->data(Qt::UserRole).toString();
        if (!name.isEmpty())
            m_manager.SetLoadFlag(name, item->checkState() == Qt::Checked);
    }
    m_manager.SaveLoadFlags();
    return true;
}
