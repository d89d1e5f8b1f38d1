#pragma once

#include "addins/twkaddin.h"
#include "controls/settingspage.h"

#include <functional>
#include <memory>

class CAutomationHost;
class CDbRecordset;

// The program's side of the host interfaces the add-in header declares:
// thin wrappers that never let an exception of the program reach an add-in.

// The shared connection, looked up at every call: a restore reopens it.
// Commit and rollback reach only the levels the add-ins began, never one of
// the program's own that an add-in is called inside.
class CTwkConnection : public ITwkConnection
{
public:
    explicit CTwkConnection(CAutomationHost &host);
    virtual ~CTwkConnection() = default;

    bool IsOpen() const override;
    bool BeginTrans() override;
    bool CommitTrans() override;
    bool RollbackTrans() override;

private:
    CAutomationHost &m_host;
    int m_opened = 0;
};

class CTwkRecordset : public ITwkRecordset
{
public:
    explicit CTwkRecordset(std::unique_ptr<CDbRecordset> records);
    virtual ~CTwkRecordset();

    bool IsEOF() const override;
    void MoveFirst() override;
    void MoveNext() override;
    long GetRecordCount() const override;
    QStringList ColumnNames() const override;
    QVariant GetValue(const QString &column) const override;
    QString GetString(const QString &column) const override;
    long GetLong(const QString &column) const override;
    double GetDouble(const QString &column) const override;

private:
    std::unique_ptr<CDbRecordset> m_records;
};

// An add-in's widget as a page of the Default Settings sheet.
class CAddinSettingsPage : public CSettingsPage
{
    Q_OBJECT
public:
    // No resource of the program: window events do not name it.
    static constexpr int IDD = 0;

    CAddinSettingsPage(QWidget *page, std::function<bool()> apply, std::function<void()> cancel);

    int DialogId() const override { return IDD; }
    // An exception of the add-in counts as a failed save.
    bool Apply() override;
    void Cancel() override;

    QWidget *AddinPage() const { return m_page; }

private:
    QWidget *m_page;
    std::function<bool()> m_apply;
    std::function<void()> m_cancel;
};
