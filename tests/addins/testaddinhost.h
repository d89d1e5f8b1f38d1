#pragma once

#include "addins/addinmanager.h"
#include "addins/automationhost.h"
#include "addins/twkobjects.h"
#include "controls/gridctrl.h"
#include "data/tallywickdata.h"

// The object model the tests connect add-ins with: registration reaches
// `manager`, reports reach `grid` when there is one.
class CTestAddinHost : public CAutomationHost
{
public:
    explicit CTestAddinHost(CAddinManager &manager, CGridCtrl *grid = nullptr)
        : m_manager(manager)
        , m_grid(grid)
    {
    }
    QObject *App() { return model.App(); }

    bool RegisterAddin(int index, const QString &xml, int bitmap) override { return m_manager.RegisterAddin(index, xml, bitmap); }
    CTallywickData &Data() override { return data; }
    QWidget *MainWindow() override { return nullptr; }
    void ShowMainWindow() override {}
    void Quit() override {}
    CGridCtrl *ReportGrid() override { return m_grid; }
    void RepaintView() override {}
    void ClearScreen() override {}
    bool ShowQueryResult(const QString &, QString *) override { return false; }
    bool SetStatusPane(int, COLORREF, const QString &) override { return false; }
    bool AddSettingsPage(CSettingsPage *) override { return false; }
    bool ExecuteCommand(unsigned) override { return false; }

    CTallywickData data;

private:
    CAddinManager &m_manager;
    CGridCtrl *m_grid;

public:
    CTwkObjectModel model{*this};
};
