#pragma once

#include "addins/automationhost.h"

#include <QDBusConnection>

#include <functional>
#include <memory>

class CAutomationBus;
class CTallywickApp;
class CTwkObjectModel;

// The program's side of the object model: answers the objects' calls from
// the application object, its frame and its view, and puts the objects on
// the session bus.
class CAutomationServer : public CAutomationHost
{
public:
    explicit CAutomationServer(CTallywickApp &app);
    ~CAutomationServer() override;

    // Exports the objects; without a bus automation is off, silently.
    void Export(QDBusConnection connection);
    // Withdraws the objects and bus names.
    void Withdraw();
    bool IsExported() const;
    CTwkObjectModel &Model() { return *m_model; }

    // The add-in manager's registration, set when the manager is there.
    std::function<bool(int index, const QString &descriptionXml, int toolbarBitmapId)> registerAddin;

    bool RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId) override;
    CTallywickData &Data() override;
    QWidget *MainWindow() override;
    void ShowMainWindow() override;
    void Quit() override;
    CGridCtrl *ReportGrid() override;
    void RepaintView() override;
    void ClearScreen() override;
    bool ShowQueryResult(const QString &sql, QString *untold) override;
    bool SetStatusPane(int pane, COLORREF colour, const QString &text) override;
    bool AddSettingsPage(CSettingsPage *page) override;
    bool ExecuteCommand(unsigned id) override;

private:
    CTallywickApp &m_app;
    std::unique_ptr<CTwkObjectModel> m_model;
    std::unique_ptr<CAutomationBus> m_bus;
};
