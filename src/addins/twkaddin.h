#pragma once

// The interfaces a Tallywick + add-in implements. An add-in is a Qt plugin
// (a shared library in an add-ins folder) whose root object derives from
// QObject and ITwkAddin, declared with
//     Q_PLUGIN_METADATA(IID ITwkAddin_iid)
//     Q_INTERFACES(ITwkAddin)   // plus the optional interfaces it answers
// This header needs nothing but Qt Core.
//
// Every call comes on the user-interface thread. A call that throws is
// caught by the program and counts as a failure of that call.

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtPlugin>

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

Q_DECLARE_INTERFACE(ITwkAddin, ITwkAddin_iid)
Q_DECLARE_INTERFACE(ITwkAddinWindowEvents, ITwkAddinWindowEvents_iid)
Q_DECLARE_INTERFACE(ITwkMultiUserLogin, ITwkMultiUserLogin_iid)
