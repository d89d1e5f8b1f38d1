#include "addins/addinhost.h"

#include "addins/automationhost.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dbrecordset.h"
#include "data/tallywickdata.h"

#include <QVBoxLayout>

CTwkConnection::CTwkConnection(CAutomationHost &host)
    : m_host(host)
{
}

bool CTwkConnection::IsOpen() const
{
    return m_host.Data().connection.IsOpen();
}

bool CTwkConnection::BeginTrans()
{
    try {
        if (!m_host.Data().connection.BeginTrans())
            return false;
        ++m_opened;
        return true;
    } catch (...) {
        return false;
    }
}

bool CTwkConnection::CommitTrans()
{
    if (m_opened <= 0)
        return false;
    try {
        m_host.Data().connection.CommitTrans();
        --m_opened;
        return true;
    } catch (...) {
        // A failed commit leaves the level open for the add-in to roll back.
        return false;
    }
}

bool CTwkConnection::RollbackTrans()
{
    if (m_opened <= 0)
        return false;
    --m_opened;
    m_host.Data().connection.RollbackTrans();
    return true;
}

CTwkRecordset::CTwkRecordset(std::unique_ptr<CDbRecordset> records)
    : m_records(std::move(records))
{
}

CTwkRecordset::~CTwkRecordset() = default;

bool CTwkRecordset::IsEOF() const
{
    return m_records->IsEOF();
}

void CTwkRecordset::MoveFirst()
{
    if (m_records->IsOpen())
        m_records->MoveFirst();
}

void CTwkRecordset::MoveNext()
{
    if (!m_records->IsEOF())
        m_records->MoveNext();
}

long CTwkRecordset::GetRecordCount() const
{
    return m_records->GetRecordCount();
}

QStringList CTwkRecordset::ColumnNames() const
{
    return m_records->ColumnNames();
}

QVariant CTwkRecordset::GetValue(const QString &column) const
{
    try {
        return m_records->GetValue(column);
    } catch (...) {
        return {};
    }
}

QString CTwkRecordset::GetString(const QString &column) const
{
    try {
        return m_records->GetString(column);
    } catch (...) {
        return {};
    }
}

long CTwkRecordset::GetLong(const QString &column) const
{
    try {
        return m_records->GetLong(column);
    } catch (...) {
        return 0;
    }
}

double CTwkRecordset::GetDouble(const QString &column) const
{
    try {
        return m_records->GetDouble(column);
    } catch (...) {
        return 0;
    }
}

CAddinSettingsPage::CAddinSettingsPage(QWidget *page, std::function<bool()> apply, std::function<void()> cancel)
    : CSettingsPage(false, nullptr)
    , m_page(page)
    , m_apply(std::move(apply))
    , m_cancel(std::move(cancel))
{
    const QString title = page->windowTitle().trimmed();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Addin") : title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
}

bool CAddinSettingsPage::Apply()
{
    if (!m_apply)
        return true;
    try {
        return m_apply();
    } catch (...) {
        TwkMessageBox(LoadString(StringId::SomeErrorOccured), QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION,
                      this);
        return false;
    }
}

void CAddinSettingsPage::Cancel()
{
    if (!m_cancel)
        return;
    try {
        m_cancel();
    } catch (...) {
        // Nothing was written; the sheet closes regardless.
    }
}
