#include "addins/addinmanagerpage.h"

#include "addins/addinmanager.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/dialogcontrols.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CAddinManagerPage::CAddinManagerPage(CAddinManager &manager, QWidget *parent)
    : CSettingsPage(false, parent)
    , m_manager(manager)
{
    // The sheet's F1 and Help button open the page's own topic.
    setProperty("helpTopic", HelpTopic());
    setWindowTitle(QStringLiteral("Addin Manager"));
    SetControlId(this, IDD);
    auto *caption = MakeControl<QLabel>(this, 1086, QStringLiteral("Check the addins to be loaded"));
    m_list = MakeControl<QListWidget>(this, 1085);
    caption->setBuddy(m_list);
    m_list->setMinimumSize(400, 200);
    m_failures = new QLabel(this);
    m_failures->setWordWrap(true);
    m_failures->setTextFormat(Qt::PlainText);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_failures);
    Fill();
}

void CAddinManagerPage::Fill()
{
    m_list->clear();
    QStringList failures;
    for (const CAddinRecord &record : m_manager.Addins()) {
        auto *item = new QListWidgetItem(m_list);
        if (record.name.isEmpty() || !record.failure.isEmpty()) {
            const QString who = record.name.isEmpty() ? QFileInfo(record.file).fileName() : record.name;
            item->setText(QStringLiteral("%1 (not loaded)").arg(who));
            item->setToolTip(record.failure);
            item->setFlags(Qt::NoItemFlags);
            failures << QStringLiteral("%1: %2").arg(who, record.failure);
            continue;
        }
        item->setText(record.name);
        item->setData(Qt::UserRole, record.name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(record.loadFlag ? Qt::Checked : Qt::Unchecked);
    }
    m_failures->setText(failures.isEmpty() ? QString() : QStringLiteral("Not loaded:\n") + failures.join(u'\n'));
    m_failures->setVisible(!failures.isEmpty());
}

void CAddinManagerPage::showEvent(QShowEvent *event)
{
    Fill();
    CSettingsPage::showEvent(event);
}

bool CAddinManagerPage::Apply()
{
    QList<int> before;
    for (const CAddinRecord &record : m_manager.Addins())
        before << record.loadFlag;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem *item = m_list->item(i);
        const QString name = item->data(Qt::UserRole).toString();
        if (!name.isEmpty())
            m_manager.SetLoadFlag(name, item->checkState() == Qt::Checked);
    }
    if (m_manager.SaveLoadFlags())
        return true;
    // Not stored, so not in force either; the flags that did get written go
    // back too, as far as the profile lets them.
    for (int i = 0; i < before.size(); ++i)
        m_manager.Addins()[i].loadFlag = before[i];
    m_manager.SaveLoadFlags();
    TwkMessageBox(LoadString(StringId::SaveLocalSettingsFailed), QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION,
                  this);
    return false;
}
