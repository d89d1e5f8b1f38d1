#pragma once

#include "base/colorref.h"

#include <QString>

class CGridCtrl;
class CSettingsPage;
class CTallywickData;
class QWidget;

// What the automation objects reach in the program. The object model sits
// below the frame and the reports, so the application hands it this seam;
// tests answer it with their own.
class CAutomationHost
{
public:
    virtual ~CAutomationHost() = default;

    // The add-in manager's registration of the add-in connected with
    // `index`: parses the description into its record. False when the
    // description is rejected (the manager has told the user why).
    virtual bool RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId) = 0;

    // The shared state: connection, settings record, logged-in flag.
    virtual CTallywickData &Data() = 0;

    // nullptr while there is no main window (started for automation).
    virtual QWidget *MainWindow() = 0;
    // Brings the main window up when started for automation (with the
    // login that guards it); shows and raises it otherwise.
    virtual void ShowMainWindow() = 0;
    // Ends the program the way closing the main window does.
    virtual void Quit() = 0;

    // The report view's grid; nullptr while there is no view.
    virtual CGridCtrl *ReportGrid() = 0;
    virtual void RepaintView() = 0;
    // The Clear Screen command.
    virtual void ClearScreen() = 0;
    // Any query's result as a table in the view, the statement run once;
    // false when nothing showed. Without `untold` the user is told why;
    // with it nothing is told: it receives the failure's text, and stays
    // empty when the query gave no rows.
    virtual bool ShowQueryResult(const QString &sql, QString *untold) = 0;

    // False for a pane the status bar does not have.
    virtual bool SetStatusPane(int pane, COLORREF colour, const QString &text) = 0;
    // Adds an add-in's page to the Default Settings sheet; the sheet owns it.
    virtual bool AddSettingsPage(CSettingsPage *page) = 0;
    // Runs a menu command as if chosen; false when unknown or disabled.
    virtual bool ExecuteCommand(unsigned id) = 0;
};
