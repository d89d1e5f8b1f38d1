#pragma once

// The automation object model of Tallywick +: what an add-in (in-process, as
// a Qt plugin) or another process (over the D-Bus session bus) can reach in
// the program. An add-in is handed TwkApp when it is connected and reaches
// every other object through TwkApp::Object or the typed accessors.
//
// Over D-Bus every object lives at "/" + its class name (/TwkApp, /TwkGrid,
// ...) with its ProgID as the interface name; the program also owns every
// ProgID as a bus name. The Q_SCRIPTABLE members are those D-Bus sees.
// Window handles are QWidget::winId() values.

#include "addins/twkaddin.h"
#include "base/colorref.h"

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <array>
#include <functional>
#include <memory>

class CAutomationHost;
class CGridCtrl;
class CTwkConnection;
class CTwkRecordset;
class QWidget;

// Class ids and ProgIDs of the object model.
namespace TwkClass {

struct Id {
    const char *name;
    const char *progId;
    const char *classId;
};

inline constexpr Id App{"TwkApp", "Tallywick.TwkApp", "{AB904F71-D2CD-4534-A0CE-2972869D4863}"};
inline constexpr Id Addin{"TwkAddin", "Tallywick.TwkAddin", "{DD7B7335-A96E-4225-BA41-4E1E99EA6965}"};
inline constexpr Id View{"TwkView", "Tallywick.TwkView", "{D59A1F9D-5B13-4F49-B1B7-145A7296736A}"};
inline constexpr Id Frame{"TwkFrame", "Tallywick.TwkFrame", "{F8761664-1410-4A2F-8B9A-C8689F9E71C1}"};
inline constexpr Id Grid{"TwkGrid", "Tallywick.TwkGrid", "{A70A7075-3272-4F88-8EB1-257964ABBCF5}"};
inline constexpr Id Settings{"TwkSettings", "Tallywick.TwkSettings", "{EF232A0F-CF25-407C-B57B-0F78B746A1E2}"};
inline constexpr Id Database{"TwkDatabase", "Tallywick.TwkDatabase", "{F7D0CB89-0077-4E04-B5A8-EAEFDF7E8BDA}"};
inline constexpr Id Report{"TwkReport", "Tallywick.TwkReport", "{23E74FAC-DB30-46D0-8775-69E1DA736D6C}"};
inline constexpr Id Transactions{"TwkTransactions", "Tallywick.TwkTransactions",
                                 "{7875E51D-BB43-48F0-AA6F-33339BF6F583}"};
inline constexpr Id Login{"TwkLogin", "Tallywick.TwkLogin", "{C202FD3B-4FFF-4E5F-B1B5-6401131DEFC9}"};
inline constexpr Id Commands{"TwkCommands", "Tallywick.TwkCommands", "{C5197ABD-9F22-42CA-BC6D-9D34A67C4C0C}"};
inline constexpr Id MultiUserLoginEvents{"TwkMultiUserLoginEvents", "Tallywick.TwkMultiUserLoginEvents",
                                         "{4994D30A-3C0D-4A9E-B71D-D489C04C4231}"};
inline constexpr Id GenericReport{"TwkGenericReport", "Tallywick.TwkGenericReport",
                                  "{C299C3E6-2FB7-4E13-9CF3-CD0574FA3F84}"};
inline constexpr Id Setup{"TwkSetup", "Tallywick.TwkSetup", "{D39E5CAA-7827-48D1-8EEB-FCBEADB04D63}"};
inline constexpr Id AddinSettingsPage{"TwkAddinSettingsPage", "Tallywick.TwkAddinSettingsPage",
                                      "{FF8C3036-2693-44F9-8786-1BE82E9D169C}"};
inline constexpr Id DialogEvents{"TwkDialogEvents", "Tallywick.TwkDialogEvents",
                                 "{8B9A126F-BE95-46CC-A676-02BA58614F6C}"};

inline constexpr std::array<Id, 16> All{App,   Addin,    View,  Frame,    Grid,
                                        Settings, Database, Report, Transactions, Login,
                                        Commands, MultiUserLoginEvents, GenericReport, Setup,
                                        AddinSettingsPage, DialogEvents};

// The D-Bus error a data operation answers before the user has logged in.
inline constexpr const char *NotLoggedInError = "Tallywick.Error.NotLoggedIn";
// The D-Bus error of an operation that failed (no grid, a failed statement).
inline constexpr const char *FailedError = "Tallywick.Error.Failed";
// The D-Bus error of a grid size or cell position past CGridBound.
inline constexpr const char *TooLargeError = "Tallywick.Error.TooLarge";

} // namespace TwkClass

// What every object shares: the host, and the gate that keeps data, and
// every change of what the user sees, from a D-Bus caller until the user
// has logged in. In-process add-ins pass at every moment (their database
// start-up runs before the login).
class CTwkObject : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    CTwkObject(CAutomationHost &host, const TwkClass::Id &id, QObject *parent);

    const TwkClass::Id &ClassId() const { return m_id; }

protected:
    // True (and the D-Bus error sent) when a D-Bus caller asks for data
    // before the login.
    bool RefusedBeforeLogin();
    // True (and the D-Bus error sent) when `failed`; in-process it only
    // passes the answer on.
    bool RefusedWhen(bool failed, const QString &why);
    // True (and the D-Bus error sent) when there is a refusal: a size or
    // position past CGridBound.
    bool RefusedAsTooLarge(const QString &refusal);
    // Runs a step that may wait for the user (a message box, a modal
    // dialog): at once in-process, after the answer for a D-Bus caller, whose
    // call would otherwise time out.
    void LaterForUser(std::function<void()> step);

    CAutomationHost &m_host;

private:
    const TwkClass::Id &m_id;
};

class TwkApp;
class TwkAddin;
class TwkView;
class TwkFrame;
class TwkGrid;
class TwkSettings;
class TwkDatabase;
class TwkReport;
class TwkTransactions;
class TwkLogin;
class TwkCommands;
class TwkMultiUserLoginEvents;
class TwkGenericReport;
class TwkSetup;
class TwkAddinSettingsPage;
class TwkDialogEvents;

// The program's automation objects, one of each class, for the whole run.
class CTwkObjectModel : public QObject
{
    Q_OBJECT
public:
    explicit CTwkObjectModel(CAutomationHost &host, QObject *parent = nullptr);
    ~CTwkObjectModel() override;

    // nullptr for a ProgID or class name the model does not have.
    CTwkObject *Object(const QString &progIdOrName) const;
    const QList<CTwkObject *> &Objects() const { return m_objects; }

    TwkApp *App() const { return m_app; }
    TwkView *View() const { return m_view; }
    TwkFrame *Frame() const { return m_frame; }
    TwkGrid *Grid() const { return m_grid; }
    TwkSettings *Settings() const { return m_settings; }
    TwkDatabase *Database() const { return m_database; }
    TwkReport *Report() const { return m_report; }
    TwkLogin *Login() const { return m_login; }
    TwkCommands *Commands() const { return m_commands; }
    TwkGenericReport *GenericReport() const { return m_genericReport; }

private:
    QList<CTwkObject *> m_objects;
    TwkApp *m_app = nullptr;
    TwkView *m_view = nullptr;
    TwkFrame *m_frame = nullptr;
    TwkGrid *m_grid = nullptr;
    TwkSettings *m_settings = nullptr;
    TwkDatabase *m_database = nullptr;
    TwkReport *m_report = nullptr;
    TwkLogin *m_login = nullptr;
    TwkCommands *m_commands = nullptr;
    TwkGenericReport *m_genericReport = nullptr;
};

// The application: add-in registration, the main window, notifications.
// In-process it is also the host an add-in reaches the database and the
// settings sheet through (TwkHost in the add-in header).
class TwkApp : public CTwkObject, public ITwkHost
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkApp")
    Q_INTERFACES(ITwkHost)
public:
    TwkApp(CAutomationHost &host, CTwkObjectModel &model);

    // The other objects, for add-ins.
    CTwkObjectModel &Model() const { return m_model; }
    CTwkObject *Object(const QString &progIdOrName) const { return m_model.Object(progIdOrName); }

    ITwkDatabase *Database() override;
    // Adds the add-in's page to the Default Settings sheet.
    bool AddSettingsPage(QWidget *page, std::function<bool()> apply, std::function<void()> cancel) override;

public slots:
    // Called by an add-in while it is being connected. A plugin has no
    // module handle: the toolbar bitmap id names a picture in the Qt
    // resources the plugin brings. False when the description is rejected.
    bool RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId);
    // The main window's handle; 0 while there is none.
    Q_SCRIPTABLE qulonglong MainWindow();
    // The application's automation object (this one); nullptr and 61555
    // when it cannot be had.
    QObject *Application();
    // Emits Notified to every subscriber, in-process and over D-Bus.
    Q_SCRIPTABLE void Notify(const QString &text);
    // Two operations kept for the interface; they do nothing and succeed.
    Q_SCRIPTABLE bool Reserved1() { return true; }
    Q_SCRIPTABLE bool Reserved2() { return true; }
    // A program started for automation shows no window until asked.
    Q_SCRIPTABLE void ShowMainWindow();
    // Over D-Bus only after the login, unless there is no main window
    // (started for automation and never shown): then nobody's work is lost.
    Q_SCRIPTABLE void Quit();

signals:
    Q_SCRIPTABLE void Notified(const QString &text);

private:
    CTwkObjectModel &m_model;
};

// The report view.
class TwkView : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkView")
public:
    explicit TwkView(CAutomationHost &host, QObject *parent);

public slots:
    Q_SCRIPTABLE void Repaint();
    // The Clear Screen command.
    Q_SCRIPTABLE void Clear();
};

// The main frame.
class TwkFrame : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkFrame")
public:
    explicit TwkFrame(CAutomationHost &host, QObject *parent);

public slots:
    // Colour as 0x00BBGGRR. False for a pane the status bar lacks.
    Q_SCRIPTABLE bool SetStatusPane(int pane, uint colour, const QString &text);
    Q_SCRIPTABLE qulonglong MainWindow();
};

// The report grid of the view. Out of range reads answer -1, an empty text
// or the default colour; writes answer false. A write that would grow the
// grid past CGridBound, or size a row or column past it, is refused (over
// D-Bus with Tallywick.Error.TooLarge).
class TwkGrid : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkGrid")
public:
    explicit TwkGrid(CAutomationHost &host, QObject *parent);

public slots:
    Q_SCRIPTABLE bool DeleteAllItems();
    Q_SCRIPTABLE int GetRowCount();
    Q_SCRIPTABLE bool SetRowCount(int rows);
    Q_SCRIPTABLE int GetColumnCount();
    Q_SCRIPTABLE bool SetColumnCount(int cols);
    Q_SCRIPTABLE int GetFixedRowCount();
    Q_SCRIPTABLE bool SetFixedRowCount(int rows);
    Q_SCRIPTABLE int GetFixedColumnCount();
    Q_SCRIPTABLE bool SetFixedColumnCount(int cols);
    Q_SCRIPTABLE int GetGridLines();
    Q_SCRIPTABLE bool SetGridLines(int lines);
    // Inserts before `row` (at the end for -1) and answers the new row's
    // index, -1 on failure; the heading goes into its first cell.
    Q_SCRIPTABLE int InsertRow(const QString &heading, int row);
    Q_SCRIPTABLE int InsertColumn(const QString &heading, int col);
    Q_SCRIPTABLE bool DeleteRow(int row);
    Q_SCRIPTABLE bool DeleteColumn(int col);
    Q_SCRIPTABLE int GetRowHeight(int row);
    Q_SCRIPTABLE bool SetRowHeight(int row, int height);
    Q_SCRIPTABLE int GetColumnWidth(int col);
    Q_SCRIPTABLE bool SetColumnWidth(int col, int width);

    Q_SCRIPTABLE QString GetItemText(int row, int col);
    Q_SCRIPTABLE bool SetItemText(int row, int col, const QString &text);
    Q_SCRIPTABLE uint GetItemFormat(int row, int col);
    Q_SCRIPTABLE bool SetItemFormat(int row, int col, uint format);
    Q_SCRIPTABLE int GetItemImage(int row, int col);
    Q_SCRIPTABLE bool SetItemImage(int row, int col, int image);
    Q_SCRIPTABLE uint GetItemFgColour(int row, int col);
    Q_SCRIPTABLE bool SetItemFgColour(int row, int col, uint colour);
    Q_SCRIPTABLE uint GetItemBkColour(int row, int col);
    Q_SCRIPTABLE bool SetItemBkColour(int row, int col, uint colour);
    // The cell's font face; its height (pixels, negative for character
    // height), weight and italic flag come back in the out arguments. An
    // empty face: the region's default font.
    Q_SCRIPTABLE QString GetItemFont(int row, int col, int &height, int &weight, bool &italic);
    Q_SCRIPTABLE bool SetItemFont(int row, int col, const QString &face, int height, int weight, bool italic);

private:
    // The grid, or nullptr with the D-Bus error sent; every call passes the
    // gate first.
    CGridCtrl *Grid();
    // False, with the refusal sent, when the grid would outgrow the bound.
    bool MayGrow(const CGridCtrl &grid, qint64 rows, qint64 cols);
};

// The settings record.
class TwkSettings : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkSettings")
public:
    explicit TwkSettings(CAutomationHost &host, QObject *parent);

public slots:
    // 0 password screen, 1 bypassed, 2 login through an add-in.
    Q_SCRIPTABLE int PasswordMode();
};

// The database. In-process the statements run through record sets the
// object holds; over D-Bus the rows come back as data.
class TwkDatabase : public CTwkObject, public ITwkDatabase
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkDatabase")
public:
    explicit TwkDatabase(CAutomationHost &host, QObject *parent);
    ~TwkDatabase() override;

    // The open connection; nullptr and 61556 when there is none.
    ITwkConnection *Connection() override;
    // Runs the statement through the first (or second) held record set,
    // closed first when still open; nullptr and 61556 on failure. The
    // record set stays valid until the next call of the same operation.
    ITwkRecordset *RunStatement(const QString &sql) override;
    ITwkRecordset *RunStatement2(const QString &sql) override;

public slots:
    // The database file the connection is open on (no key or password).
    Q_SCRIPTABLE QString ConnectionSource();
    // Runs the statement and answers its column names; the rows, each a
    // list of values (null as an empty text), come back in `rows`.
    Q_SCRIPTABLE QStringList Query(const QString &sql, QVariantList &rows);

private:
    ITwkRecordset *Run(std::unique_ptr<CTwkRecordset> &held, const QString &sql);

    std::unique_ptr<CTwkConnection> m_connection;
    std::unique_ptr<CTwkRecordset> m_recordset;
    std::unique_ptr<CTwkRecordset> m_recordset2;
};

// Reports.
class TwkReport : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkReport")
public:
    explicit TwkReport(CAutomationHost &host, QObject *parent);

public slots:
    // Any query's result in the view; `unused` is kept for the interface.
    Q_SCRIPTABLE bool ShowQuery(const QString &sql, const QString &unused);
};

// The login state.
class TwkLogin : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkLogin")
public:
    explicit TwkLogin(CAutomationHost &host, QObject *parent);

public slots:
    Q_SCRIPTABLE bool LoggedIn();
};

// Window messages to the program's windows, by Windows message number.
class TwkCommands : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkCommands")
public:
    explicit TwkCommands(CAutomationHost &host, QObject *parent);

    static constexpr uint WM_CLOSE = 0x0010;
    static constexpr uint WM_SHOWWINDOW = 0x0018;
    static constexpr uint WM_COMMAND = 0x0111;

public slots:
    // Understood: WM_COMMAND (low word of wParam: a command id of the main
    // window, or the control id of a button in a dialog), WM_CLOSE and
    // WM_SHOWWINDOW (wParam non-zero shows). Answers 1 when the message was
    // acted on, 0 otherwise.
    Q_SCRIPTABLE qlonglong SendMessage(qulonglong window, uint message, qulonglong wParam, qlonglong lParam);
};

// A report builder for add-ins: cells collect in two lists, body cells and
// heading cells (bold), and Show lays them out in the view's grid. The
// cells are held to CGridBound: their positions, and their number.
class TwkGenericReport : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkGenericReport")
public:
    explicit TwkGenericReport(CAutomationHost &host, QObject *parent);

    struct Cell {
        int row = 0;
        int col = 0;
        QString text;
        uint format = 0;
        COLORREF colour = CLR_DEFAULT;
    };

public slots:
    // `format` is the cell's text-drawing flags, `colour` its text colour
    // (0x00BBGGRR, or 0xFF000000 for the default). False for a negative
    // position or one past the bound.
    Q_SCRIPTABLE bool AddCell(int row, int col, const QString &text, uint format, uint colour);
    Q_SCRIPTABLE bool AddHeadingCell(int row, int col, const QString &text, uint format, uint colour);
    Q_SCRIPTABLE void Clear();
    // Replaces the grid's content with the cells; "No Matches Found" when
    // none were added. False when nothing was shown.
    Q_SCRIPTABLE bool Show();

private:
    bool Add(QList<Cell> &list, const Cell &cell);

    QList<Cell> m_cells;
    QList<Cell> m_headingCells;
    // The extent of the cells collected so far.
    qint64 m_rows = 0;
    qint64 m_cols = 0;
};

// Classes that answer the interface but whose operations do nothing and
// succeed.
class TwkAddin : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkAddin")
public:
    TwkAddin(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Addin, parent) {}

public slots:
    Q_SCRIPTABLE bool Reserved() { return true; }
};

class TwkTransactions : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkTransactions")
public:
    TwkTransactions(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Transactions, parent) {}

public slots:
    Q_SCRIPTABLE bool Reserved() { return true; }
};

class TwkMultiUserLoginEvents : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkMultiUserLoginEvents")
public:
    TwkMultiUserLoginEvents(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::MultiUserLoginEvents, parent) {}

public slots:
    Q_SCRIPTABLE bool Reserved() { return true; }
};

class TwkSetup : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkSetup")
public:
    TwkSetup(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::Setup, parent) {}

public slots:
    Q_SCRIPTABLE bool Reserved() { return true; }
};

class TwkAddinSettingsPage : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkAddinSettingsPage")
public:
    TwkAddinSettingsPage(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::AddinSettingsPage, parent) {}

public slots:
    Q_SCRIPTABLE bool Reserved() { return true; }
};

class TwkDialogEvents : public CTwkObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Tallywick.TwkDialogEvents")
public:
    TwkDialogEvents(CAutomationHost &host, QObject *parent) : CTwkObject(host, TwkClass::DialogEvents, parent) {}

public slots:
    Q_SCRIPTABLE bool Reserved() { return true; }
};
