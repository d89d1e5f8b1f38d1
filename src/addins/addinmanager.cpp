#include "addins/addinmanager.h"

#include "addins/twkaddin.h"
#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/profile.h"

#include <QDir>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QStandardPaths>

#include <exception>

namespace {

const QString kSection = QStringLiteral("Settings/Addin Manager");
const QString kLoadAll = QStringLiteral("LoadAllAdins");
const QString kLoadAddin = QStringLiteral("LoadAddin");

QString ExceptionText()
{
    try {
        throw;
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("unknown exception");
    }
}

} // namespace

CAddinManager::CAddinManager(QObject *parent)
    : QObject(parent)
{
}

CAddinManager::~CAddinManager() = default;

QStringList CAddinManager::DefaultFolders(const QString &programFolder)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList folders{QDir::cleanPath(QDir(programFolder).absoluteFilePath(QStringLiteral("addins")))};
    // A program whose own folder is the user's data folder looks there once.
    const QString user = QDir::cleanPath(data + QStringLiteral("/Tallywick/addins"));
    if (!folders.contains(user))
        folders << user;
    return folders;
}

QString CAddinManager::RegistryKey(const QString &name)
{
    QString key = name;
    key.replace(u'%', QLatin1String("%25")).replace(u'/', QLatin1String("%2F")).replace(u'\\', QLatin1String("%5C"));
    return key;
}

QString CAddinManager::NameFromRegistryKey(const QString &key)
{
    QString name;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QStringView code = QStringView(key).mid(i + 1, 2);
        if (key[i] == u'%' && code.size() == 2) {
            const QChar decoded = code == u"2F" ? u'/' : code == u"5C" ? u'\\' : code == u"25" ? u'%' : QChar();
            if (!decoded.isNull()) {
                name += decoded;
                i += 2;
                continue;
            }
        }
        name += key[i];
    }
    return name;
}

void CAddinManager::ReadRegistry()
{
    m_loadAll = GetProfileInt(kSection, kLoadAll, 1) != 0;
    m_registry.clear();
    for (const QString &name : ProfileSubsections(kSection))
        m_registry.append({NameFromRegistryKey(name), GetProfileInt(kSection + u'/' + name, kLoadAddin, 1)});
}

void CAddinManager::Load(const QStringList &folders, QObject *app)
{
    ReadRegistry();
    if (!m_loadAll)
        return;
    Discover(folders, app);
    ApplyRegistry();
}

void CAddinManager::Discover(const QStringList &folders, QObject *app)
{
    // One plugin file is one add-in, however many folders (or links) lead
    // to it: a second load would connect the same root object again.
    QStringList loaded;
    for (const QString &folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo &file : files) {
            const QString path = file.canonicalFilePath();
            if (!QLibrary::isLibrary(file.fileName()) || loaded.contains(path))
                continue;
            loaded << path;
            AddPlugin(file.absoluteFilePath(), app);
        }
    }
}

void CAddinManager::AddPlugin(const QString &path, QObject *app)
{
    auto loader = std::make_shared<QPluginLoader>(path);
    // A missing symbol fails here, not later in the middle of a call.
    loader->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const QString iid = loader->metaData().value(QStringLiteral("IID")).toString();

    m_addins.append(CAddinRecord{});
    const int index = int(m_addins.size()) - 1;
    {
        CAddinRecord &record = m_addins[index];
        record.file = path;
        record.loader = loader;
        if (iid.isEmpty()) {
            record.failure = loader->errorString();
            return;
        }
        // Checked before any of its code runs.
        if (iid != QLatin1String(ITwkAddin_iid)) {
            record.failure = QStringLiteral("The plugin is not a Tallywick + add-in (interface %1).").arg(iid);
            return;
        }
        QObject *root = loader->instance();
        if (!root) {
            record.failure = loader->errorString();
            return;
        }
        record.object = root;
        record.addin = qobject_cast<ITwkAddin *>(root);
        record.events = qobject_cast<ITwkAddinWindowEvents *>(root);
        record.login = qobject_cast<ITwkMultiUserLogin *>(root);
        if (!record.addin) {
            record.failure = QStringLiteral("The plugin does not implement the add-in interface.");
            return;
        }
    }
    // The add-in registers itself while connecting, which may grow the list.
    bool connected = false;
    ITwkAddin *addin = m_addins[index].addin;
    if (Guard(m_addins[index], QStringLiteral("Connect"), [&] { connected = addin->Connect(index, app, true); })
        && !connected)
        m_addins[index].failure = QStringLiteral("The add-in refused to connect.");
}

void CAddinManager::ApplyRegistry()
{
    for (const auto &[name, flag] : std::as_const(m_registry)) {
        for (CAddinRecord &record : m_addins) {
            if (!record.name.isEmpty() && record.name == name)
                record.loadFlag = flag;
        }
    }
}

bool CAddinManager::RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId)
{
    if (index < 0 || index >= m_addins.size())
        return false;
    CAddinRecord &record = m_addins[index];
    record.toolbarBitmapId = toolbarBitmapId;
    CAddinDescriptionResult parsed = ParseAddinDescription(descriptionXml);
    if (!parsed.ok()) {
        record.failure = LoadString(parsed.error);
        TwkMessageBox(record.failure, QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    record.name = parsed.description.name;
    record.toolbarButtonCount = parsed.description.toolbarButtonCount;
    record.commands.clear();
    for (CAddinCommand &command : parsed.description.commands) {
        // Past the range of add-in commands nothing can route to it.
        if (m_nextCommandId >= CommandId::AddinCommandLast)
            break;
        command.id = ++m_nextCommandId;
        record.commands << command;
    }
    return true;
}

CAddinRecord *CAddinManager::RecordOf(unsigned commandId, const CAddinCommand **found)
{
    for (CAddinRecord &record : m_addins) {
        for (const CAddinCommand &command : std::as_const(record.commands)) {
            if (command.id == commandId) {
                if (found)
                    *found = &command;
                return &record;
            }
        }
    }
    return nullptr;
}

const CAddinCommand *CAddinManager::FindCommand(unsigned id) const
{
    const CAddinCommand *command = nullptr;
    const_cast<CAddinManager *>(this)->RecordOf(id, &command);
    return command;
}

void CAddinManager::InvokeCommand(unsigned id)
{
    const CAddinCommand *command = nullptr;
    CAddinRecord *record = RecordOf(id, &command);
    if (!record || !record->usable() || !record->loadFlag || m_unloaded)
        return;
    const QByteArray function = command->functionName.toUtf8();
    const QByteArray signature = QMetaObject::normalizedSignature(function + "()");
    if (record->object->metaObject()->indexOfMethod(signature.constData()) < 0)
        return;
    // A command that throws fails alone; the add-in stays loaded.
    bool invoked = false;
    try {
        invoked = QMetaObject::invokeMethod(record->object, function.constData(), Qt::DirectConnection);
    } catch (...) {
        invoked = false;
    }
    if (!invoked)
        TwkMessageBox(LoadString(StringId::InvokeFunctionFailed).replace(QStringLiteral("%s"), command->functionName),
                      QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION);
}

bool CAddinManager::IsCommandEnabled(unsigned id)
{
    CAddinRecord *record = RecordOf(id);
    if (!record || !record->usable() || !record->loadFlag || m_unloaded)
        return false;
    bool enabled = true;
    ITwkAddin *addin = record->addin;
    return Guard(*record, QStringLiteral("CommandStatus"), [&] { addin->CommandStatus(id, enabled); }) && enabled;
}

unsigned CAddinManager::NextToolbarId()
{
    if (m_nextToolbarId >= CommandId::AddinToolbarLast)
        return 0;
    return ++m_nextToolbarId;
}

void CAddinManager::SetLoadFlag(const QString &name, bool load)
{
    for (CAddinRecord &record : m_addins) {
        if (!record.name.isEmpty() && record.name == name)
            record.loadFlag = load ? 1 : 0;
    }
}

bool CAddinManager::SaveLoadFlags() const
{
    bool ok = WriteProfileInt(kSection, kLoadAll, m_loadAll ? 1 : 0);
    for (const CAddinRecord &record : m_addins) {
        if (!record.name.isEmpty())
            ok = WriteProfileInt(kSection + u'/' + RegistryKey(record.name), kLoadAddin, record.loadFlag) && ok;
    }
    return ok;
}

bool CAddinManager::Guard(CAddinRecord &record, const QString &what, const std::function<void()> &call)
{
    try {
        call();
        return true;
    } catch (...) {
        record.failure = QStringLiteral("%1 failed: %2").arg(what, ExceptionText());
        return false;
    }
}

void CAddinManager::RunDatabaseStartUp()
{
    for (int i = 0; i < m_addins.size(); ++i) {
        CAddinRecord &record = m_addins[i];
        if (!record.usable() || !record.loadFlag)
            continue;
        QVariant out;
        ITwkAddin *addin = record.addin;
        Guard(record, QStringLiteral("DatabaseStartUp"), [&] { addin->DatabaseStartUp(i, out); });
    }
}

void CAddinManager::StartUpComplete()
{
    for (CAddinRecord &record : m_addins) {
        if (record.usable() && record.loadFlag) {
            ITwkAddin *addin = record.addin;
            Guard(record, QStringLiteral("StartUpComplete"), [&] { addin->StartUpComplete(); });
        }
    }
}

void CAddinManager::OldDataDeleted(const QString &day)
{
    for (CAddinRecord &record : m_addins) {
        if (record.usable() && record.loadFlag && !m_unloaded) {
            ITwkAddin *addin = record.addin;
            Guard(record, QStringLiteral("OldDataDeleted"), [&] { addin->OldDataDeleted(day); });
        }
    }
}

std::optional<CMultiUserAnswer> CAddinManager::MultiUserLogin()
{
    std::optional<CMultiUserAnswer> answer;
    for (CAddinRecord &record : m_addins) {
        if (!record.usable() || !record.loadFlag || !record.login || m_unloaded)
            continue;
        long result = 0;
        QVariant unused;
        QVariant user;
        QVariant password;
        bool answered = false;
        ITwkMultiUserLogin *login = record.login;
        Guard(record, QStringLiteral("MultiUserLogin"),
              [&] { answered = login->MultiUserLogin(result, unused, user, password); });
        if (answered && record.failure.isEmpty())
            answer = CMultiUserAnswer{result, user, password};
    }
    return answer;
}

void CAddinManager::WindowEvent(AddinWindow from, int dialogId, QWidget *window, unsigned message, quintptr wParam,
                                qintptr lParam)
{
    if (m_unloaded)
        return;
    for (CAddinRecord &record : m_addins) {
        ITwkAddinWindowEvents *events = record.events;
        if (!events || !record.usable())
            continue;
        Guard(record, QStringLiteral("Window event"), [&] {
            if (from == AddinWindow::Frame)
                return events->MainFrameEvent(window, message, wParam, lParam);
            if (from == AddinWindow::View)
                return events->ReportViewEvent(window, message, wParam, lParam);
            switch (dialogId) {
            case 130:
                return events->UserInformationEvent(window, message, wParam, lParam);
            case 140:
                return events->MoreReportOptionsEvent(window, message, wParam, lParam);
            case 163:
                return events->AdvancedReportEvent(window, message, wParam, lParam);
            case 134:
                return events->ListIncomeExpensesEvent(window, message, wParam, lParam);
            case 132:
                return events->AddTransactionEvent(window, message, wParam, lParam);
            case 103:
                return events->GeneralSettingsEvent(window, message, wParam, lParam);
            case 105:
                return events->PreferenceSettingsEvent(window, message, wParam, lParam);
            default:
                return events->DialogEvent(dialogId, window, message, wParam, lParam);
            }
        });
    }
}

void CAddinManager::Unload()
{
    if (m_unloaded)
        return;
    for (int i = 0; i < m_addins.size(); ++i) {
        CAddinRecord &record = m_addins[i];
        if (record.usable()) {
            ITwkAddin *addin = record.addin;
            Guard(record, QStringLiteral("Disconnect"), [&] { addin->Disconnect(i); });
        }
    }
    m_unloaded = true;
}
