#include "addins/twkobjects.h"

#include "addins/automationhost.h"
#include "data/dbrecordset.h"

CTwkObject::CTwkObject(CAutomationHost &host, const TwkClass::Id &id, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_id(id)
{
}

bool CTwkObject::RefusedBeforeLogin() { return false; }
bool CTwkObject::RefusedWhen(bool failed, const QString &) { return failed; }

CTwkObjectModel::CTwkObjectModel(CAutomationHost &host, QObject *parent)
    : QObject(parent)
{
    Q_UNUSED(host);
}
CTwkObjectModel::~CTwkObjectModel() = default;
CTwkObject *CTwkObjectModel::Object(const QString &) const { return nullptr; }

TwkApp::TwkApp(CAutomationHost &host, CTwkObjectModel &model) : CTwkObject(host, TwkClass::App, &model), m_model(model) {}
bool TwkApp::RegisterAddin(int, const QString &, int) { return false; }
qulonglong TwkApp::MainWindow() { return 0; }
QObject *TwkApp::Application() { return this; }
bool TwkApp::AddSettingsPage(CSettingsPage *) { return false; }
void TwkApp::Notify(const QString &text) { emit Notified(text); }
void TwkApp::ShowMainWindow() {}
void TwkApp::Quit() {}

TwkView::TwkView(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::View, parent) {}
void TwkView::Repaint() {}
void TwkView::Clear() {}

TwkFrame::TwkFrame(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Frame, parent) {}
bool TwkFrame::SetStatusPane(int, uint, const QString &) { return false; }
qulonglong TwkFrame::MainWindow() { return 0; }

TwkGrid::TwkGrid(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Grid, parent) {}
CGridCtrl *TwkGrid::Grid(bool) { return nullptr; }
bool TwkGrid::DeleteAllItems() { return false; }
int TwkGrid::GetRowCount() { return -1; }
bool TwkGrid::SetRowCount(int) { return false; }
int TwkGrid::GetColumnCount() { return -1; }
bool TwkGrid::SetColumnCount(int) { return false; }
int TwkGrid::GetFixedRowCount() { return -1; }
bool TwkGrid::SetFixedRowCount(int) { return false; }
int TwkGrid::GetFixedColumnCount() { return -1; }
bool TwkGrid::SetFixedColumnCount(int) { return false; }
int TwkGrid::GetGridLines() { return -1; }
bool TwkGrid::SetGridLines(int) { return false; }
int TwkGrid::InsertRow(const QString &, int) { return -1; }
int TwkGrid::InsertColumn(const QString &, int) { return -1; }
bool TwkGrid::DeleteRow(int) { return false; }
bool TwkGrid::DeleteColumn(int) { return false; }
int TwkGrid::GetRowHeight(int) { return -1; }
bool TwkGrid::SetRowHeight(int, int) { return false; }
int TwkGrid::GetColumnWidth(int) { return -1; }
bool TwkGrid::SetColumnWidth(int, int) { return false; }
QString TwkGrid::GetItemText(int, int) { return {}; }
bool TwkGrid::SetItemText(int, int, const QString &) { return false; }
uint TwkGrid::GetItemFormat(int, int) { return 0; }
bool TwkGrid::SetItemFormat(int, int, uint) { return false; }
int TwkGrid::GetItemImage(int, int) { return -1; }
bool TwkGrid::SetItemImage(int, int, int) { return false; }
uint TwkGrid::GetItemFgColour(int, int) { return CLR_DEFAULT; }
bool TwkGrid::SetItemFgColour(int, int, uint) { return false; }
uint TwkGrid::GetItemBkColour(int, int) { return CLR_DEFAULT; }
bool TwkGrid::SetItemBkColour(int, int, uint) { return false; }
QString TwkGrid::GetItemFont(int, int, int &, int &, bool &) { return {}; }
bool TwkGrid::SetItemFont(int, int, const QString &, int, int, bool) { return false; }

TwkSettings::TwkSettings(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Settings, parent) {}
int TwkSettings::PasswordMode() { return 0; }

TwkDatabase::TwkDatabase(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Database, parent) {}
TwkDatabase::~TwkDatabase() = default;
CDbConnection *TwkDatabase::Connection() { return nullptr; }
CDbRecordset *TwkDatabase::RunStatement(const QString &) { return nullptr; }
CDbRecordset *TwkDatabase::RunStatement2(const QString &) { return nullptr; }
CDbRecordset *TwkDatabase::Run(std::unique_ptr<CDbRecordset> &, const QString &) { return nullptr; }
QString TwkDatabase::ConnectionSource() { return {}; }
QStringList TwkDatabase::Query(const QString &, QVariantList &) { return {}; }

TwkReport::TwkReport(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Report, parent) {}
bool TwkReport::ShowQuery(const QString &, const QString &) { return false; }

TwkLogin::TwkLogin(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Login, parent) {}
bool TwkLogin::LoggedIn() { return false; }

TwkCommands::TwkCommands(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Commands, parent) {}
qlonglong TwkCommands::SendMessage(qulonglong, uint, qulonglong, qlonglong) { return 0; }

TwkGenericReport::TwkGenericReport(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::GenericReport, parent) {}
bool TwkGenericReport::AddCell(int, int, const QString &, uint, uint) { return false; }
bool TwkGenericReport::AddHeadingCell(int, int, const QString &, uint, uint) { return false; }
void TwkGenericReport::Clear() {}
bool TwkGenericReport::Show() { return false; }
