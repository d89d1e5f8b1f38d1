#pragma once

// The add-in SDK of Tallywick +, installed as <tallywick/twkaddin.h> with
// the CMake package TallywickAddin (target Tallywick::Addin).
//
// The interfaces a Tallywick + add-in implements, and those the program
// offers it. An add-in is a Qt plugin (a shared library in an add-ins
// folder) whose root object derives from QObject and ITwkAddin, declared with
//     Q_PLUGIN_METADATA(IID ITwkAddin_iid)
//     Q_INTERFACES(ITwkAddin)   // plus the optional interfaces it answers
// Everything here is pure interfaces and inline code: an add-in links
// nothing of the program, only Qt. This header needs Qt Core; an add-in that
// adds a settings page also uses Qt Widgets.
//
// Every call comes on the user-interface thread. A call that throws is
// caught by the program and counts as a failure of that call.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtPlugin>

#include <functional>

class QWidget;

// Connected at start-up. Commands run by calling the root object's method
// named by the command's "FunctionName" (a slot or Q_INVOKABLE without
// arguments), so a command the add-in offers must be such a method.
class ITwkAddin
{
public:
    virtual ~ITwkAddin() = default;

    // `app` is the program's TwkApp object. While connecting, the add-in
    // describes itself by calling TwkApp's RegisterAddin with `index`.
    // `flag` is always true. Returns success.
    virtual bool Connect(int index, QObject *app, bool flag) = 0;
    // At close; release everything the add-in holds of the program.
    virtual bool Disconnect(int index) = 0;
    // After the menus are built, before the login: the add-in may prepare
    // its own tables. `out` is returned to nobody; it is there for symmetry.
    virtual bool DatabaseStartUp(int index, QVariant &out) = 0;
    // Asked whenever the program updates its commands; `enabled` comes in
    // true. Return false when the add-in cannot answer.
    virtual bool CommandStatus(unsigned commandId, bool &enabled) = 0;
    // Delete Old Data removed the data up to `day` ("MM/dd/yyyy", inclusive).
    virtual void OldDataDeleted(const QString &day) = 0;
    // The program finished starting up.
    virtual void StartUpComplete() = 0;
};

// Optional: window messages of the main window, the report view and every
// dialog, after the window handled them. `window` is the window (null when
// it is being destroyed); `message`, `wParam`, `lParam` carry the Windows
// message numbers listed in the README (creation 0x0001, destruction
// 0x0002, activation 0x0006, commands 0x0111).
class ITwkAddinWindowEvents
{
public:
    virtual ~ITwkAddinWindowEvents() = default;

    virtual void UserInformationEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0; // 130
    virtual void MoreReportOptionsEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0; // 140
    virtual void AdvancedReportEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0; // 163
    virtual void ListIncomeExpensesEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0; // 134
    virtual void AddTransactionEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0; // 132
    virtual void GeneralSettingsEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0; // 103
    virtual void PreferenceSettingsEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0; // 105
    virtual void MainFrameEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0;
    virtual void ReportViewEvent(QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0;
    // Every other dialog, by its resource id; -1 the Default Settings
    // sheet, -2 the setup wizard.
    virtual void DialogEvent(int dialogId, QWidget *window, unsigned message, quintptr wParam, qintptr lParam) = 0;
};

// Optional: the login when the password mode is 2. Fill the outputs and
// return true to answer; false means the add-in did not answer.
class ITwkMultiUserLogin
{
public:
    virtual ~ITwkMultiUserLogin() = default;

    virtual bool MultiUserLogin(long &result, QVariant &unused, QVariant &user, QVariant &password) = 0;
};

// The rows a statement read, all of them at once: no cursor stays open on
// the database. Reads never throw: a column the statement did not give, or
// a read past the last row, answers a null value, an empty text or 0.
class ITwkRecordset
{
public:
    // True past the last row, and for a statement that gives no rows
    // (INSERT, UPDATE, CREATE TABLE, ...).
    virtual bool IsEOF() const = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual long GetRecordCount() const = 0;
    virtual QStringList ColumnNames() const = 0;
    // By column name: the exact name, else the first ignoring case.
    virtual QVariant GetValue(const QString &column) const = 0; // QString, qlonglong, double or null
    virtual QString GetString(const QString &column) const = 0;
    virtual long GetLong(const QString &column) const = 0;
    virtual double GetDouble(const QString &column) const = 0;

protected:
    ~ITwkRecordset() = default;
};

// The program's one database connection. Transactions nest; every level
// begun is committed or rolled back by the add-in before it returns to the
// program. False when the step failed (the connection is closed, the file
// is busy, no level is open).
class ITwkConnection
{
public:
    virtual bool IsOpen() const = 0;
    virtual bool BeginTrans() = 0;
    virtual bool CommitTrans() = 0;
    virtual bool RollbackTrans() = 0;

protected:
    ~ITwkConnection() = default;
};

// The database object (TwkDatabase).
class ITwkDatabase
{
public:
    // The open connection; nullptr when there is none (the program has told
    // the user "Failed to retrieve the connection interface.").
    virtual ITwkConnection *Connection() = 0;
    // Runs one statement through a record set the program holds, closed
    // first when still open from the previous call, and answers it; it
    // stays valid until the next call of the same operation. nullptr when
    // the statement failed (the user has been told, as above). The second
    // operation holds a record set of its own, so two can be read at once.
    // Text values go into the statement through TwkSqlQuote.
    virtual ITwkRecordset *RunStatement(const QString &sql) = 0;
    virtual ITwkRecordset *RunStatement2(const QString &sql) = 0;

protected:
    ~ITwkDatabase() = default;
};

// What the program offers an add-in besides the object model's slots. The
// TwkApp an add-in is connected with answers it: TwkHost(app).
class ITwkHost
{
public:
    virtual ITwkDatabase *Database() = 0;
    // Adds `page` as the last tab of the Default Settings sheet, titled with
    // the page's windowTitle; the sheet takes the page. On OK and Apply the
    // sheet calls `apply` (false keeps the sheet open on the page: the page
    // shows why), on Cancel `cancel`; either may be empty. False when there
    // is no sheet (the page stays the add-in's).
    virtual bool AddSettingsPage(QWidget *page, std::function<bool()> apply, std::function<void()> cancel) = 0;

protected:
    ~ITwkHost() = default;
};

// A text value for a statement, to go between apostrophes: each apostrophe
// doubled.
inline QString TwkSqlQuote(QString text)
{
    return text.replace(QLatin1Char('\''), QLatin1String("''"));
}

// Another object of the program's object model, by class name
// ("TwkGenericReport", "TwkGrid", "TwkDatabase", ...), found beside the
// TwkApp an add-in was connected with. Call its slots with
// QMetaObject::invokeMethod; nullptr when the program has no such object.
inline QObject *TwkFindObject(QObject *app, const char *className)
{
    QObject *model = app ? app->parent() : nullptr;
    if (!model)
        return nullptr;
    for (QObject *object : model->children()) {
        if (qstrcmp(object->metaObject()->className(), className) == 0)
            return object;
    }
    return nullptr;
}

// Window messages the program produces.
namespace TwkMessage {
constexpr unsigned Create = 0x0001;
constexpr unsigned Destroy = 0x0002;
constexpr unsigned Activate = 0x0006;  // wParam 1 active, 0 inactive
constexpr unsigned Command = 0x0111;   // wParam command or control id
} // namespace TwkMessage

#define ITwkAddin_iid "{5ACEF043-0615-48AE-9F33-A6EE5B509683}"
#define ITwkAddinWindowEvents_iid "{2FD49805-160D-4395-B113-96C801D3DBA0}"
#define ITwkMultiUserLogin_iid "{CABF122B-0070-4D23-B03C-5A66EB5FD8FA}"
// A changed host interface gets a new id, so that an add-in built against
// the old one finds no host rather than calling into the wrong methods.
#define ITwkHost_iid "net.norwend.Tallywick.ITwkHost/1"

Q_DECLARE_INTERFACE(ITwkAddin, ITwkAddin_iid)
Q_DECLARE_INTERFACE(ITwkAddinWindowEvents, ITwkAddinWindowEvents_iid)
Q_DECLARE_INTERFACE(ITwkMultiUserLogin, ITwkMultiUserLogin_iid)
Q_DECLARE_INTERFACE(ITwkHost, ITwkHost_iid)

// The host of the TwkApp handed to ITwkAddin::Connect; nullptr from a
// program older than this interface.
inline ITwkHost *TwkHost(QObject *app)
{
    return qobject_cast<ITwkHost *>(app);
}
