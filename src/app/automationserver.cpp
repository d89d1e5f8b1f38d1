#include "app/automationserver.h"

#include "addins/automationbus.h"
#include "addins/twkobjects.h"
#include "app/tallywickapp.h"
#include "controls/gridctrl.h"
#include "frame/mainframe.h"
#include "records/defaultsettingssheet.h"
#include "reports/tallywickview.h"

#include <QCoreApplication>

CAutomationServer::CAutomationServer(CTallywickApp &app)
    : m_app(app)
    , m_model(std::make_unique<CTwkObjectModel>(*this))
{
}

CAutomationServer::~CAutomationServer()
{
    Withdraw();
}

void CAutomationServer::Export(QDBusConnection connection)
{
    m_bus = std::make_unique<CAutomationBus>(*m_model, std::move(connection));
}

void CAutomationServer::Withdraw()
{
    m_bus.reset();
}

bool CAutomationServer::IsExported() const
{
    return m_bus && m_bus->IsExported();
}

bool CAutomationServer::RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId)
{
    return registerAddin && registerAddin(index, descriptionXml, toolbarBitmapId);
}

CTallywickData &CAutomationServer::Data()
{
    return m_app.Data();
}

QWidget *CAutomationServer::MainWindow()
{
    return m_app.MainFrame();
}

void CAutomationServer::ShowMainWindow()
{
    // Later: the start-up it may run puts up the login, which must not hold
    // a caller's answer.
    QMetaObject::invokeMethod(&m_app, [this] { m_app.ShowMainWindow(); }, Qt::QueuedConnection);
}

void CAutomationServer::Quit()
{
    QMetaObject::invokeMethod(
        &m_app,
        [this] {
            if (m_app.MainFrame())
                m_app.MainFrame()->close();
            else
                QCoreApplication::quit();
        },
        Qt::QueuedConnection);
}

CGridCtrl *CAutomationServer::ReportGrid()
{
    CMainFrame *frame = m_app.MainFrame();
    return frame && frame->ReportView() ? frame->ReportView()->GetGrid() : nullptr;
}

void CAutomationServer::RepaintView()
{
    if (CMainFrame *frame = m_app.MainFrame(); frame && frame->ReportView()) {
        frame->ReportView()->update();
        if (CGridCtrl *grid = ReportGrid())
            grid->viewport()->update();
    }
}

void CAutomationServer::ClearScreen()
{
    if (CMainFrame *frame = m_app.MainFrame(); frame && frame->ReportView())
        frame->ReportView()->OnClearScreen();
}

bool CAutomationServer::ShowQueryResult(const QString &sql, QString *untold)
{
    CMainFrame *frame = m_app.MainFrame();
    if (frame && frame->ReportView())
        return frame->ReportView()->ShowQueryResult(sql, untold);
    if (untold)
        *untold = QStringLiteral("There is no report view.");
    return false;
}

bool CAutomationServer::SetStatusPane(int pane, COLORREF colour, const QString &text)
{
    CMainFrame *frame = m_app.MainFrame();
    return frame && frame->SetStatusPane(pane, colour, text);
}

bool CAutomationServer::AddSettingsPage(CSettingsPage *page)
{
    CMainFrame *frame = m_app.MainFrame();
    if (!page || !frame || !frame->SettingsSheet())
        return false;
    frame->SettingsSheet()->AddPage(page);
    return true;
}

bool CAutomationServer::ExecuteCommand(unsigned id)
{
    CMainFrame *frame = m_app.MainFrame();
    return frame && frame->ExecuteCommand(id);
}
