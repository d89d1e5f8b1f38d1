#include "data/tallywickdata.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/filedialogfolder.h"
#include "data/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

const QString kIniSection = QStringLiteral("TallywickPlus");
const QString kIniTitle = QStringLiteral("TallywickPlus");

} // namespace

CTallywickData::CTallywickData()
{
    SetAppFolder(QDir::currentPath());
}

void CTallywickData::SetAppFolder(const QString &folder)
{
    appFolder = folder;
    iniFile.SetPath(QStringLiteral("%1/%2").arg(folder, QStringLiteral("TallywickPlus.ini")));
}

QString CTallywickData::ProgramFile(const QString &name) const
{
    return filesFolder.isEmpty() ? name : QDir(filesFolder).filePath(name);
}

QString CTallywickData::ResolvedDatabasePath() const
{
    const QString path = location.databasePath;
    if (path.isEmpty() || QFileInfo(path).isAbsolute())
        return path;
    return QDir(appFolder).filePath(path);
}

bool CTallywickData::ReadDatabaseLocation()
{
    try {
        location.databasePath = iniFile.Read(kIniSection, QStringLiteral("DBPath"));
        location.providerSetting = iniFile.Read(kIniSection, QStringLiteral("ConStrg"));
        return true;
    } catch (const CFrameworkException &e) {
        TwkMessageBox(e.Message(), kIniTitle, MB_OK | MB_ICONERROR, messageOwner);
    } catch (...) {
        TwkMessageBox(QStringLiteral("Generic Error"), kIniTitle, MB_OK | MB_ICONERROR, messageOwner);
    }
    return false;
}

bool CTallywickData::EnsureProviderSetting()
{
    if (!location.providerSetting.isEmpty())
        return true;
    bool written = false;
    try {
        written = iniFile.Write(kIniSection, QStringLiteral("ConStrg"), kProviderSetting);
    } catch (const CFrameworkException &e) {
        TwkMessageBox(e.Message(), kIniTitle, MB_OK | MB_ICONERROR, messageOwner);
        return false;
    } catch (...) {
        TwkMessageBox(LoadString(StringId::RegistryKeysFailed), kIniTitle, MB_OK | MB_ICONERROR, messageOwner);
        return false;
    }
    if (written) {
        location.providerSetting = kProviderSetting;
        firstRun = true;
    }
    return true;
}

QString CTallywickData::ChooseDatabaseFile()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Find Database TallywickPlus.mdb");
    request.filter = QStringLiteral("Access Database (TallywickPlus.mdb)|TallywickPlus.mdb||");
    const QString chosen = ChooseOpenFile(messageOwner, request);
    return chosen.isEmpty() ? QString() : QFileInfo(chosen).absoluteFilePath();
}

bool CTallywickData::FindDatabaseFile()
{
    const QString full = ChooseDatabaseFile();
    if (full.isEmpty())
        return false;
    // The chosen file still opens this time; without the entry the next start
    // would ask again, so the user learns why.
    if (!iniFile.Write(kIniSection, QStringLiteral("DBPath"), full))
        TwkMessageBox(LoadString(StringId::SaveDatabaseLocationFailed).arg(QDir::toNativeSeparators(iniFile.Path())),
                      kIniTitle, MB_OK | MB_ICONEXCLAMATION, messageOwner);
    location.databasePath = full;
    return true;
}

void CTallywickData::BuildConnectionString()
{
    location.providerPart = location.providerSetting;
    location.sourcePart = DataSourcePart(ResolvedDatabasePath());
    location.connectionString = location.providerPart + location.sourcePart;
}

bool CTallywickData::LocateDatabase()
{
    if (!ReadDatabaseLocation())
        return false;
    if (!EnsureProviderSetting())
        return false;

    const QString path = ResolvedDatabasePath();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        TwkMessageBox(LoadString(StringId::DatabaseNotFound), kIniTitle, MB_OK | MB_ICONEXCLAMATION, messageOwner);
        if (!FindDatabaseFile())
            return false;
    }

    // A read-only file is made writable before it is opened; when that is not
    // possible the user is told, and the open decides.
    const QString file = ResolvedDatabasePath();
    struct stat st {};
    const QByteArray native = QFile::encodeName(file);
    if (::stat(native.constData(), &st) != 0 || !(st.st_mode & S_IWUSR)) {
        int error = errno;
        bool cleared = false;
        if (::stat(native.constData(), &st) == 0) {
            cleared = ::chmod(native.constData(), st.st_mode | S_IWUSR) == 0;
            error = errno;
        }
        if (!cleared) {
            QString text = QString::fromLocal8Bit(std::strerror(error));
            if (error == EROFS)
                text += u'\n' + LoadString(StringId::LoadSaveDataFailed);
            TwkMessageBox(text, kIniTitle, MB_OK | MB_ICONINFORMATION, messageOwner);
        }
    }
    BuildConnectionString();
    return true;
}

bool CTallywickData::OpenDatabase()
{
    try {
        for (;;) {
            try {
                return connection.Open(location.connectionString, settings.dbUser, settings.dbPassword) == TWK_S_OK;
            } catch (const CDbError &e) {
                // Another program compacting the file has it for a while.
                if (e.Status() != TWK_E_DATABASEBUSY || !AskRetryWhenBusy())
                    throw;
            }
        }
    } catch (const CDbError &e) {
        if (e.Status() != TWK_E_DATABASEBUSY)
            ReportComError(e);
    } catch (const CFrameworkException &e) {
        ReportException(e);
    } catch (...) {
        TwkMessageBox(LoadString(StringId::DataAccessComponentsMissing), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR, messageOwner);
    }
    connection.Close();
    return false;
}

QStringList CTallywickData::ParseUnits(const QString &text)
{
    QStringList units;
    QString name;
    for (const QChar c : text) {
        if (c == u',') {
            units << name;
            name.clear();
        } else {
            name += c;
        }
    }
    return units;
}

QString CTallywickData::UnitsText(const QStringList &units)
{
    QString text;
    for (const QString &u : units)
        text += u + u',';
    return text;
}

bool CTallywickData::LoadCompanyInfo()
{
    return RunReported([this] {
        CDbRecordset rs(connection);
        rs.Open("SELECT * FROM LB_COMPANY_INFO_TB");
        if (rs.IsEOF())
            return;
        CCompanyRecord loaded;
        loaded.cName = rs.GetString(QStringLiteral("cName"));
        loaded.cAddress = rs.GetString(QStringLiteral("cAddress"));
        loaded.cEmail = rs.GetString(QStringLiteral("cEmail"));
        loaded.cLogoPath = rs.GetString(QStringLiteral("cLogoPath"));
        loaded.cPhoneNo = rs.GetString(QStringLiteral("cPhoneNo"));
        loaded.cFaxNo = rs.GetString(QStringLiteral("cFaxNo"));
        loaded.units = ParseUnits(rs.GetString(QStringLiteral("cCompanyUnits")));
        rs.Close();
        company = loaded;
    });
}

bool CTallywickData::LoadCategories()
{
    incomeCategories.clear();
    expenseCategories.clear();
    bool whole = true;
    return RunReported([&] {
        CDbRecordset rs(connection);
        rs.Open("SELECT * FROM LB_ITEM_MASTER_INFO_TB");
        QList<CCategoryEntry> income, expense;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            // A row no version writes (a type out of range, a number where a
            // name belongs) is left out; the readable categories still count.
            CCategoryEntry e;
            try {
                e.iType = rs.GetShort(QStringLiteral("iType"));
                e.iTransactionId = rs.GetLong(QStringLiteral("iTransactionId"));
                e.cTransactionDescription = rs.GetString(QStringLiteral("cTransactionDescription"));
                e.cTransactionName = rs.GetString(QStringLiteral("cTransactionName"));
            } catch (const CDbError &) {
                whole = false;
                continue;
            }
            if (e.iType == 1 || e.iType == 3)
                income << e;
            if (e.iType == 2 || e.iType == 3)
                expense << e;
        }
        rs.Close();
        incomeCategories = income;
        expenseCategories = expense;
    }) && whole;
}

bool CTallywickData::LoadDefaultSettings()
{
    bool whole = true;
    return RunReported([&] {
        CDbRecordset rs(connection);
        rs.Open("SELECT * FROM LB_DEFAULT_SETTINGS_TB");
        if (rs.IsEOF())
            return;
        CSettingsRecord s = settings;
        // A value no version writes (out of range, missing column) keeps its
        // default; the others, the login password above all, still count.
        const auto read = [&](auto &field, auto get) {
            try {
                field = get();
            } catch (const CDbError &) {
                whole = false;
            }
        };
        read(s.iAutoBackUpDb, [&] { return rs.GetShort(QStringLiteral("iAutoBackUpDb")); });
        read(s.iAutoCompactDb, [&] { return rs.GetShort(QStringLiteral("iAutoCompactDb")); });
        read(s.iByPassPasswordScreen, [&] { return rs.GetShort(QStringLiteral("iByPassPasswordScreen")); });
        read(s.cCurrency, [&] { return rs.GetString(QStringLiteral("cCurrency")); });
        read(s.cPassword, [&] { return rs.GetString(QStringLiteral("cPassword")); });
        read(s.cBackUpDbPath, [&] { return rs.GetString(QStringLiteral("cBackUpDbPath")); });
        read(s.iPromptForBackUpDb, [&] { return rs.GetShort(QStringLiteral("iPromptForBackUpDb")); });
        read(s.iPrintLogo, [&] { return rs.GetShort(QStringLiteral("iPrintLogo")); });
        read(s.iPrintEMail, [&] { return rs.GetShort(QStringLiteral("iPrintEMail")); });
        read(s.iPrintPhNo, [&] { return rs.GetShort(QStringLiteral("iPrintPhNo")); });
        read(s.iPrintFaxNo, [&] { return rs.GetShort(QStringLiteral("iPrintFaxNo")); });
        rs.Close();
        settings = s;
    }) && whole;
}

void CTallywickData::LoadStoredState(QObject *owner)
{
    const QString title = QStringLiteral("Tallywick + ");
    if (!LoadCompanyInfo())
        TwkMessageBox(LoadString(StringId::LoadUserInfoFailed), title, MB_OK | MB_ICONERROR, owner);
    if (!LoadCategories())
        TwkMessageBox(LoadString(StringId::LoadCategoryInfoFailed), title, MB_OK | MB_ICONERROR, owner);
    if (!LoadDefaultSettings())
        TwkMessageBox(LoadString(StringId::LoadDefaultSettingsFailed), title, MB_OK | MB_ICONERROR, owner);
}

void CTallywickData::LoadProfileSettings()
{
    const QString section = QStringLiteral("Settings");
    settings.backgroundColour = unsigned(GetProfileInt(section, QStringLiteral("BkgColor"), 0x4B4B4B));
    settings.dateFormat = GetProfileString(section, QStringLiteral("DateFormat"), QStringLiteral("MMM/dd/yyyy"));
    settings.autoPaymentReminderDisplay = GetProfileInt(section, QStringLiteral("AutoPaymentReminderDisplay"), 1);
}

bool CTallywickData::SaveDefaultSettings()
{
    return RunReported([this] {
        CDbRecordset rs(connection);
        // The folder is quoted: a path with an apostrophe must save, not fail.
        rs.Open("UPDATE LB_DEFAULT_SETTINGS_TB SET iAutoBackUpDb=%d,iAutoCompactDb=%d,\t\t\t"
                "iByPassPasswordScreen=%d,cBackUpDbPath='%s',iPromptForBackUpDb=%d,iPrintLogo=%d,iPrintEMail=%d,"
                "\t\t\tiPrintPhNo=%d,iPrintFaxNo=%d",
                settings.iAutoBackUpDb, settings.iAutoCompactDb, settings.iByPassPasswordScreen,
                SqlQuote(settings.cBackUpDbPath), settings.iPromptForBackUpDb, settings.iPrintLogo,
                settings.iPrintEMail, settings.iPrintPhNo, settings.iPrintFaxNo);
        rs.Close();
    });
}
