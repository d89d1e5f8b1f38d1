#include "addins/twkobjects.h"

#include "addins/addinhost.h"
#include "addins/automationhost.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/gridbound.h"
#include "controls/gridctrl.h"
#include "data/dberror.h"
#include "data/dbrecordset.h"
#include "data/tallywickdata.h"

#include <QAbstractButton>
#include <QDialog>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace {

qulonglong WindowHandle(CAutomationHost &host)
{
    QWidget *window = host.MainWindow();
    return window ? qulonglong(window->winId()) : 0;
}

} // namespace

CTwkObject::CTwkObject(CAutomationHost &host, const TwkClass::Id &id, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_id(id)
{
    setObjectName(QLatin1String(id.name));
}

bool CTwkObject::RefusedBeforeLogin()
{
    if (!calledFromDBus() || m_host.Data().loggedIn)
        return false;
    sendErrorReply(QLatin1String(TwkClass::NotLoggedInError),
                   QStringLiteral("Tallywick + answers this only after the user has logged in."));
    return true;
}

bool CTwkObject::RefusedWhen(bool failed, const QString &why)
{
    if (failed && calledFromDBus())
        sendErrorReply(QLatin1String(TwkClass::FailedError), why);
    return failed;
}

bool CTwkObject::RefusedAsTooLarge(const QString &refusal)
{
    if (refusal.isEmpty())
        return false;
    if (calledFromDBus())
        sendErrorReply(QLatin1String(TwkClass::TooLargeError), refusal);
    return true;
}

void CTwkObject::LaterForUser(std::function<void()> step)
{
    if (calledFromDBus())
        QMetaObject::invokeMethod(this, std::move(step), Qt::QueuedConnection);
    else
        step();
}

CTwkObjectModel::CTwkObjectModel(CAutomationHost &host, QObject *parent)
    : QObject(parent)
{
    m_app = new TwkApp(host, *this);
    m_view = new TwkView(host, this);
    m_frame = new TwkFrame(host, this);
    m_grid = new TwkGrid(host, this);
    m_settings = new TwkSettings(host, this);
    m_database = new TwkDatabase(host, this);
    m_report = new TwkReport(host, this);
    m_login = new TwkLogin(host, this);
    m_commands = new TwkCommands(host, this);
    m_genericReport = new TwkGenericReport(host, this);
    m_objects = {m_app,
                 new TwkAddin(host, this),
                 m_view,
                 m_frame,
                 m_grid,
                 m_settings,
                 m_database,
                 m_report,
                 new TwkTransactions(host, this),
                 m_login,
                 m_commands,
                 new TwkMultiUserLoginEvents(host, this),
                 m_genericReport,
                 new TwkSetup(host, this),
                 new TwkAddinSettingsPage(host, this),
                 new TwkDialogEvents(host, this)};
}

CTwkObjectModel::~CTwkObjectModel() = default;

CTwkObject *CTwkObjectModel::Object(const QString &progIdOrName) const
{
    for (CTwkObject *object : m_objects) {
        if (progIdOrName == QLatin1String(object->ClassId().progId) ||
            progIdOrName == QLatin1String(object->ClassId().name))
            return object;
    }
    return nullptr;
}

TwkApp::TwkApp(CAutomationHost &host, CTwkObjectModel &model)
    : CTwkObject(host, TwkClass::App, &model)
    , m_model(model)
{
}

bool TwkApp::RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId)
{
    return m_host.RegisterAddin(index, descriptionXml, toolbarBitmapId);
}

qulonglong TwkApp::MainWindow()
{
    return WindowHandle(m_host);
}

QObject *TwkApp::Application()
{
    return this;
}

ITwkDatabase *TwkApp::Database()
{
    return m_model.Database();
}

bool TwkApp::AddSettingsPage(QWidget *page, std::function<bool()> apply, std::function<void()> cancel)
{
    if (!page)
        return false;
    auto *wrapper = new CAddinSettingsPage(page, std::move(apply), std::move(cancel));
    if (m_host.AddSettingsPage(wrapper))
        return true;
    // Not taken: the page goes back to the add-in as it came.
    page->setParent(nullptr);
    delete wrapper;
    return false;
}

void TwkApp::Notify(const QString &text)
{
    emit Notified(text);
}

void TwkApp::ShowMainWindow()
{
    m_host.ShowMainWindow();
}

void TwkApp::Quit()
{
    if (m_host.MainWindow() && RefusedBeforeLogin())
        return;
    m_host.Quit();
}

TwkView::TwkView(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::View, parent)
{
}

void TwkView::Repaint()
{
    m_host.RepaintView();
}

void TwkView::Clear()
{
    if (!RefusedBeforeLogin())
        m_host.ClearScreen();
}

TwkFrame::TwkFrame(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::Frame, parent)
{
}

bool TwkFrame::SetStatusPane(int pane, uint colour, const QString &text)
{
    return !RefusedBeforeLogin() && m_host.SetStatusPane(pane, colour, text);
}

qulonglong TwkFrame::MainWindow()
{
    return WindowHandle(m_host);
}

TwkGrid::TwkGrid(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::Grid, parent)
{
}

CGridCtrl *TwkGrid::Grid()
{
    if (RefusedBeforeLogin())
        return nullptr;
    CGridCtrl *grid = m_host.ReportGrid();
    RefusedWhen(!grid, QStringLiteral("There is no report view."));
    return grid;
}

bool TwkGrid::MayGrow(const CGridCtrl &grid, qint64 rows, qint64 cols)
{
    // Only growth is held to the bound: a larger report of the program's
    // own may still be cut down.
    rows = std::max<qint64>(rows, grid.GetRowCount());
    cols = std::max<qint64>(cols, grid.GetColumnCount());
    if (rows == grid.GetRowCount() && cols == grid.GetColumnCount())
        return true;
    return !RefusedAsTooLarge(CGridBound::Refusal(rows, cols));
}

bool TwkGrid::DeleteAllItems()
{
    CGridCtrl *grid = Grid();
    return grid && grid->DeleteAllItems();
}

int TwkGrid::GetRowCount()
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetRowCount() : -1;
}

bool TwkGrid::SetRowCount(int rows)
{
    CGridCtrl *grid = Grid();
    return grid && MayGrow(*grid, rows, 0) && grid->SetRowCount(rows);
}

int TwkGrid::GetColumnCount()
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetColumnCount() : -1;
}

bool TwkGrid::SetColumnCount(int cols)
{
    CGridCtrl *grid = Grid();
    return grid && MayGrow(*grid, 0, cols) && grid->SetColumnCount(cols);
}

int TwkGrid::GetFixedRowCount()
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetFixedRowCount() : -1;
}

bool TwkGrid::SetFixedRowCount(int rows)
{
    CGridCtrl *grid = Grid();
    return grid && MayGrow(*grid, rows, 0) && grid->SetFixedRowCount(rows);
}

int TwkGrid::GetFixedColumnCount()
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetFixedColumnCount() : -1;
}

bool TwkGrid::SetFixedColumnCount(int cols)
{
    CGridCtrl *grid = Grid();
    return grid && MayGrow(*grid, 0, cols) && grid->SetFixedColumnCount(cols);
}

int TwkGrid::GetGridLines()
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetGridLines() : -1;
}

bool TwkGrid::SetGridLines(int lines)
{
    CGridCtrl *grid = Grid();
    return grid && grid->SetGridLines(lines);
}

int TwkGrid::InsertRow(const QString &heading, int row)
{
    CGridCtrl *grid = Grid();
    return grid && MayGrow(*grid, qint64(grid->GetRowCount()) + 1, 0) ? grid->InsertRow(heading, row) : -1;
}

int TwkGrid::InsertColumn(const QString &heading, int col)
{
    CGridCtrl *grid = Grid();
    return grid && MayGrow(*grid, 0, qint64(grid->GetColumnCount()) + 1) ? grid->InsertColumn(heading, col) : -1;
}

bool TwkGrid::DeleteRow(int row)
{
    CGridCtrl *grid = Grid();
    return grid && grid->DeleteRow(row);
}

bool TwkGrid::DeleteColumn(int col)
{
    CGridCtrl *grid = Grid();
    return grid && grid->DeleteColumn(col);
}

int TwkGrid::GetRowHeight(int row)
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetRowHeight(row) : -1;
}

bool TwkGrid::SetRowHeight(int row, int height)
{
    CGridCtrl *grid = Grid();
    return grid && !RefusedAsTooLarge(CGridBound::SizeRefusal(height)) && grid->SetRowHeight(row, height);
}

int TwkGrid::GetColumnWidth(int col)
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetColumnWidth(col) : -1;
}

bool TwkGrid::SetColumnWidth(int col, int width)
{
    CGridCtrl *grid = Grid();
    return grid && !RefusedAsTooLarge(CGridBound::SizeRefusal(width)) && grid->SetColumnWidth(col, width);
}

QString TwkGrid::GetItemText(int row, int col)
{
    CGridCtrl *grid = Grid();
    return grid ? grid->GetItemText(row, col) : QString();
}

bool TwkGrid::SetItemText(int row, int col, const QString &text)
{
    CGridCtrl *grid = Grid();
    return grid && grid->SetItemText(row, col, text);
}

uint TwkGrid::GetItemFormat(int row, int col)
{
    CGridCtrl *grid = Grid();
    return grid ? grid->Model().GetItemFormat(row, col) : 0;
}

bool TwkGrid::SetItemFormat(int row, int col, uint format)
{
    CGridCtrl *grid = Grid();
    return grid && grid->SetItemFormat(row, col, format);
}

int TwkGrid::GetItemImage(int row, int col)
{
    CGridCtrl *grid = Grid();
    return grid ? grid->Model().GetItemImage(row, col) : -1;
}

bool TwkGrid::SetItemImage(int row, int col, int image)
{
    CGridCtrl *grid = Grid();
    return grid && grid->SetItemImage(row, col, image);
}

uint TwkGrid::GetItemFgColour(int row, int col)
{
    CGridCtrl *grid = Grid();
    return grid ? grid->Model().GetItemFgColour(row, col) : CLR_DEFAULT;
}

bool TwkGrid::SetItemFgColour(int row, int col, uint colour)
{
    CGridCtrl *grid = Grid();
    return grid && grid->SetItemFgColour(row, col, colour);
}

uint TwkGrid::GetItemBkColour(int row, int col)
{
    CGridCtrl *grid = Grid();
    return grid ? grid->Model().GetItemBkColour(row, col) : CLR_DEFAULT;
}

bool TwkGrid::SetItemBkColour(int row, int col, uint colour)
{
    CGridCtrl *grid = Grid();
    return grid && grid->SetItemBkColour(row, col, colour);
}

QString TwkGrid::GetItemFont(int row, int col, int &height, int &weight, bool &italic)
{
    height = weight = 0;
    italic = false;
    CGridCtrl *grid = Grid();
    const LOGFONT *font = grid ? grid->Model().GetItemFont(row, col) : nullptr;
    if (!font)
        return {};
    height = font->lfHeight;
    weight = font->lfWeight;
    italic = font->lfItalic;
    return font->lfFaceName;
}

bool TwkGrid::SetItemFont(int row, int col, const QString &face, int height, int weight, bool italic)
{
    CGridCtrl *grid = Grid();
    LOGFONT font = MakeLogFont(face, height, weight);
    font.lfItalic = italic;
    return grid && grid->SetItemFont(row, col, font);
}

TwkSettings::TwkSettings(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::Settings, parent)
{
}

int TwkSettings::PasswordMode()
{
    return m_host.Data().settings.iByPassPasswordScreen;
}

TwkDatabase::TwkDatabase(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::Database, parent)
    , m_connection(std::make_unique<CTwkConnection>(host))
{
}

TwkDatabase::~TwkDatabase() = default;

ITwkConnection *TwkDatabase::Connection()
{
    if (m_connection->IsOpen())
        return m_connection.get();
    TwkMessageBox(LoadString(StringId::AddinConnectionFailed));
    return nullptr;
}

ITwkRecordset *TwkDatabase::RunStatement(const QString &sql)
{
    return Run(m_recordset, sql);
}

ITwkRecordset *TwkDatabase::RunStatement2(const QString &sql)
{
    return Run(m_recordset2, sql);
}

ITwkRecordset *TwkDatabase::Run(std::unique_ptr<CTwkRecordset> &held, const QString &sql)
{
    held.reset();
    try {
        auto records = std::make_unique<CDbRecordset>(m_host.Data().connection);
        records->OpenText(sql);
        held = std::make_unique<CTwkRecordset>(std::move(records));
    } catch (...) {
        TwkMessageBox(LoadString(StringId::AddinConnectionFailed));
    }
    return held.get();
}

QString TwkDatabase::ConnectionSource()
{
    if (RefusedBeforeLogin())
        return {};
    const CTallywickData &data = m_host.Data();
    if (RefusedWhen(!data.connection.IsOpen(), LoadString(StringId::AddinConnectionFailed)))
        return {};
    return data.location.databasePath;
}

QStringList TwkDatabase::Query(const QString &sql, QVariantList &rows)
{
    rows.clear();
    if (RefusedBeforeLogin())
        return {};
    QString failure;
    try {
        CDbRecordset records(m_host.Data().connection);
        records.OpenText(sql);
        const QStringList columns = records.ColumnNames();
        for (records.MoveFirst(); !records.IsEOF(); records.MoveNext()) {
            QVariantList row;
            for (int c = 0; c < columns.size(); ++c) {
                // D-Bus has no null: an empty text stands for it.
                const QVariant value = records.GetValue(columns[c]);
                row << (value.isNull() ? QVariant(QString()) : value);
            }
            rows << QVariant(row);
        }
        return columns;
    } catch (const CDbError &error) {
        failure = error.Description();
    } catch (...) {
        failure = LoadString(StringId::SomeErrorOccured);
    }
    rows.clear();
    if (calledFromDBus())
        RefusedWhen(true, LoadString(StringId::AddinConnectionFailed) + QLatin1Char('\n') + failure);
    else
        TwkMessageBox(LoadString(StringId::AddinConnectionFailed));
    return {};
}

TwkReport::TwkReport(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::Report, parent)
{
}

bool TwkReport::ShowQuery(const QString &sql, const QString &)
{
    if (RefusedBeforeLogin())
        return false;
    if (!calledFromDBus())
        return m_host.ShowQueryResult(sql, nullptr);
    // A message box would hold a remote caller's answer until the user
    // closes it: the caller hears first, the user sees "No Matches Found"
    // after. The statement runs once either way; it may change data.
    QString failure;
    if (m_host.ShowQueryResult(sql, &failure))
        return true;
    if (!RefusedWhen(!failure.isEmpty(), failure))
        LaterForUser([] { TwkMessageBox(QStringLiteral("No Matches Found")); });
    return false;
}

TwkLogin::TwkLogin(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::Login, parent)
{
}

bool TwkLogin::LoggedIn()
{
    return m_host.Data().loggedIn;
}

TwkCommands::TwkCommands(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::Commands, parent)
{
}

qlonglong TwkCommands::SendMessage(qulonglong window, uint message, qulonglong wParam, qlonglong)
{
    if (RefusedBeforeLogin())
        return 0;
    QWidget *target = window ? QWidget::find(WId(window)) : nullptr;
    if (!target)
        return 0;
    std::function<void()> act;
    const unsigned id = unsigned(wParam & 0xFFFF);
    switch (message) {
    case WM_CLOSE:
        act = [target] { target->close(); };
        break;
    case WM_SHOWWINDOW:
        act = [target, show = wParam != 0] { target->setVisible(show); };
        break;
    case WM_COMMAND:
        if (target == m_host.MainWindow()) {
            act = [this, id] { m_host.ExecuteCommand(id); };
        } else if (auto *button = target->findChild<QAbstractButton *>(QString::number(id))) {
            act = [button] { button->click(); };
        } else if (auto *dialog = qobject_cast<QDialog *>(target); dialog && (id == 1 || id == 2)) {
            // IDOK and IDCANCEL of a dialog without buttons of those ids.
            act = [dialog, id] { id == 1 ? dialog->accept() : dialog->reject(); };
        }
        break;
    default:
        break;
    }
    if (!act)
        return 0;
    // The command may open a modal dialog that waits for the user.
    LaterForUser(std::move(act));
    return 1;
}

TwkGenericReport::TwkGenericReport(CAutomationHost &host, QObject *parent)
    : CTwkObject(host, TwkClass::GenericReport, parent)
{
}

bool TwkGenericReport::AddCell(int row, int col, const QString &text, uint format, uint colour)
{
    return Add(m_cells, {row, col, text, format, colour});
}

bool TwkGenericReport::AddHeadingCell(int row, int col, const QString &text, uint format, uint colour)
{
    return Add(m_headingCells, {row, col, text, format, colour});
}

bool TwkGenericReport::Add(QList<Cell> &list, const Cell &cell)
{
    if (RefusedBeforeLogin() || cell.row < 0 || cell.col < 0)
        return false;
    const qint64 rows = std::max(m_rows, qint64(cell.row) + 1);
    const qint64 cols = std::max(m_cols, qint64(cell.col) + 1);
    if (RefusedAsTooLarge(CGridBound::Refusal(rows, cols)))
        return false;
    // A cell written again is one more entry, not one more grid cell.
    if (RefusedAsTooLarge(m_cells.size() + m_headingCells.size() < CGridBound::kMaxCells
                              ? QString()
                              : QStringLiteral("The report holds 2,000,000 cells already: clear it first.")))
        return false;
    list.append(cell);
    m_rows = rows;
    m_cols = cols;
    return true;
}

void TwkGenericReport::Clear()
{
    if (RefusedBeforeLogin())
        return;
    m_cells.clear();
    m_headingCells.clear();
    m_rows = m_cols = 0;
}

bool TwkGenericReport::Show()
{
    if (RefusedBeforeLogin())
        return false;
    CGridCtrl *grid = m_host.ReportGrid();
    if (RefusedWhen(!grid, QStringLiteral("There is no report view.")))
        return false;
    if (m_cells.isEmpty() && m_headingCells.isEmpty()) {
        LaterForUser([] { TwkMessageBox(QStringLiteral("No Matches Found")); });
        return false;
    }
    grid->SetRedraw(false);
    grid->DeleteAllItems();
    if (!grid->SetRowCount(int(m_rows)) || !grid->SetColumnCount(int(m_cols))) {
        grid->DeleteAllItems();
        grid->SetRedraw(true);
        const QString text = QStringLiteral("There is not memory enough for a report of %1 rows by %2 columns.")
                                 .arg(m_rows)
                                 .arg(m_cols);
        if (calledFromDBus())
            RefusedWhen(true, text);
        else
            TwkMessageBox(text);
        return false;
    }
    grid->SetGridLines(0);
    CGridCellModel &model = grid->Model();
    LOGFONT bold = *grid->GetDefaultCell(false, false)->GetFont();
    bold.lfWeight = FW_BOLD;
    auto put = [&model](const Cell &cell) {
        model.SetItemText(cell.row, cell.col, cell.text);
        model.SetItemFormat(cell.row, cell.col, cell.format);
        model.SetItemFgColour(cell.row, cell.col, cell.colour);
    };
    for (const Cell &cell : m_cells)
        put(cell);
    for (const Cell &cell : m_headingCells) {
        put(cell);
        model.SetItemFont(cell.row, cell.col, bold);
    }
    grid->AutoSize();
    grid->SetRedraw(true);
    return true;
}
