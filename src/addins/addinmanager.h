#pragma once

#include "addins/addindescription.h"
#include "data/login.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class ITwkAddin;
class ITwkAddinWindowEvents;
class ITwkMultiUserLogin;
class QPluginLoader;
class QWidget;

// One add-in found in an add-ins folder. A plugin that could not be loaded
// or whose calls threw keeps its record with the reason, so the Addin
// Manager page can say why it is not there; nothing is called on it again.
struct CAddinRecord {
    QString file;
    QString name; // from the description; empty until it registered
    int toolbarButtonCount = 0;
    int loadFlag = 1;
    QList<CAddinCommand> commands;
    int toolbarBitmapId = 0;
    QString failure;

    QObject *object = nullptr; // the plugin's root object, owned by its loader
    ITwkAddin *addin = nullptr;
    ITwkAddinWindowEvents *events = nullptr;
    ITwkMultiUserLogin *login = nullptr;
    std::shared_ptr<QPluginLoader> loader;

    bool usable() const { return addin && failure.isEmpty(); }
};

// Where a window message comes from.
enum class AddinWindow { Frame, View, Dialog };

// Holds the add-ins, their commands and load flags for the run; routes
// command execution, enabling, window messages and the start-up, login,
// old-data and closing calls to them.
class CAddinManager : public QObject
{
    Q_OBJECT
public:
    static constexpr unsigned kFirstCommandId = 2025;
    static constexpr unsigned kFirstToolbarId = 10025;

    explicit CAddinManager(QObject *parent = nullptr);
    ~CAddinManager() override;

    // Start-up: the stored switches, then (when add-ins are loaded at all)
    // each plugin of `folders` connected to `app`, then the stored load
    // flags applied.
    void ReadRegistry();
    bool LoadAllAddins() const { return m_loadAll; }
    const QList<QPair<QString, int>> &RegistryList() const { return m_registry; }
    void Load(const QStringList &folders, QObject *app);
    void Discover(const QStringList &folders, QObject *app);
    void ApplyRegistry();

    // TwkApp's RegisterAddin: fills the record of `index` from its
    // description. False, after telling the user, when it is rejected.
    bool RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId);

    QList<CAddinRecord> &Addins() { return m_addins; }
    const QList<CAddinRecord> &Addins() const { return m_addins; }
    // Usable add-ins found; the Addin Manager page shows when there is one
    // (or one that failed, so the user sees why).
    bool AnyFound() const { return !m_addins.isEmpty(); }

    const CAddinCommand *FindCommand(unsigned id) const;
    // Runs the command's "FunctionName" on its add-in.
    void InvokeCommand(unsigned id);
    bool IsCommandEnabled(unsigned id);
    unsigned NextToolbarId();

    // Sets the flag of the add-in called `name` and stores every flag.
    void SetLoadFlag(const QString &name, bool load);
    bool SaveLoadFlags() const;

    // The calls made to every add-in whose load flag is set.
    void RunDatabaseStartUp();
    void StartUpComplete();
    void OldDataDeleted(const QString &day);
    std::optional<CMultiUserAnswer> MultiUserLogin();
    // To every add-in with the window-events interface, loaded or not.
    void WindowEvent(AddinWindow from, int dialogId, QWidget *window, unsigned message, quintptr wParam,
                     qintptr lParam);
    // Disconnects every add-in; nothing is called on them afterwards.
    void Unload();
    bool Unloaded() const { return m_unloaded; }

    // The add-ins folders: beside the program (`programFolder` is the
    // executable's folder), then the user's data folder; one folder once.
    static QStringList DefaultFolders(const QString &programFolder);
    // An add-in's name as a key of the stored settings: a slash or backslash
    // would nest the key, so they and '%' are written as %2F, %5C and %25.
    static QString RegistryKey(const QString &name);
    static QString NameFromRegistryKey(const QString &key);

private:
    CAddinRecord *RecordOf(unsigned commandId, const CAddinCommand **command = nullptr);
    // Runs `call`; an exception marks the add-in failed and gives false.
    bool Guard(CAddinRecord &record, const QString &what, const std::function<void()> &call);
    void AddPlugin(const QString &path, QObject *app);

    QList<CAddinRecord> m_addins;
    QList<QPair<QString, int>> m_registry;
    bool m_loadAll = true;
    bool m_unloaded = false;
    unsigned m_nextCommandId = kFirstCommandId - 1;
    unsigned m_nextToolbarId = kFirstToolbarId - 1;
};
