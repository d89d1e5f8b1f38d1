#pragma once

#include <tallywick/twkaddin.h>

#include <QObject>
#include <QPointer>
#include <QStringList>

class QLabel;
class QLineEdit;

// A small add-in: a "&Tools" menu with two commands, a toolbar of two
// buttons, a generic report of the incomes and expenses per unit and one of
// the window messages it received. The report's title is kept in a table of
// its own, made at the database start-up, and set on a page of its own in
// Default Settings.
class CSampleAddin : public QObject, public ITwkAddin, public ITwkAddinWindowEvents
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ITwkAddin_iid)
    Q_INTERFACES(ITwkAddin ITwkAddinWindowEvents)

public:
    bool Connect(int index, QObject *app, bool flag) override;
    bool Disconnect(int index) override;
    bool DatabaseStartUp(int index, QVariant &out) override;
    bool CommandStatus(unsigned commandId, bool &enabled) override;
    void OldDataDeleted(const QString &day) override;
    void StartUpComplete() override;

    void UserInformationEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void MoreReportOptionsEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void AdvancedReportEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void ListIncomeExpensesEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void AddTransactionEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void GeneralSettingsEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void PreferenceSettingsEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void MainFrameEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void ReportViewEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;
    void DialogEvent(int dialogId, QWidget *window, unsigned message, quintptr wParam, qintptr lParam) override;

    // What the program called, in order ("Connect 0", "StartUpComplete", ...).
    Q_INVOKABLE QStringList Calls() const { return m_calls; }
    // The window messages received: "<source> <message> <wParam>", source
    // "frame", "view" or the dialog id.
    Q_INVOKABLE QStringList Events() const { return m_events; }

public slots:
    // The commands, run by their "FunctionName".
    void ShowSampleReport();
    void ShowWindowEvents();

private:
    void Record(const QString &source, unsigned message, quintptr wParam);
    // Lays `rows` (first row the headings) out in the report view.
    bool ShowReport(const QString &title, const QList<QStringList> &rows);
    // The stored title; empty when it cannot be read.
    QString StoredTitle();
    void AddSettingsPage();
    bool SaveTitle();

    QObject *m_app = nullptr;
    // The host interfaces; null in a program older than them.
    ITwkHost *m_host = nullptr;
    // The add-in's table was there at the database start-up.
    bool m_tableReady = false;
    // The settings page, once the sheet took it.
    QPointer<QLineEdit> m_titleEdit;
    QPointer<QLabel> m_titleError;
    QStringList m_calls;
    QStringList m_events;
};
