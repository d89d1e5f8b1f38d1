#include "app/clidatabase.h"

#include "app/cli.h"
#include "data/dbschema.h"
#include "data/login.h"
#include "data/programfolders.h"
#include "data/tallywickdata.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

class CRealTerminal final : public ICliTerminal
{
public:
    bool Interactive() override { return ::isatty(STDIN_FILENO) == 1; }

    QString ReadSecret(const QString &prompt) override
    {
        std::fputs(qPrintable(prompt), stderr);
        std::fflush(stderr);
        termios saved {};
        const bool quiet = ::tcgetattr(STDIN_FILENO, &saved) == 0;
        if (quiet) {
            termios silent = saved;
            silent.c_lflag &= ~tcflag_t(ECHO);
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
        }
        std::string line;
        std::getline(std::cin, line);
        if (quiet)
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputc('\n', stderr);
        return QString::fromUtf8(line);
    }
};

CRealTerminal g_realTerminal;
ICliTerminal *g_terminal = &g_realTerminal;

QString GivenPassword()
{
    if (qEnvironmentVariableIsSet(kPasswordVariable))
        return qEnvironmentVariable(kPasswordVariable);
    if (!CliTerminal().Interactive())
        throw CliError{kCliWrongPassword,
                       QStringLiteral("this database asks for its login password: set %1 in the environment or "
                                      "run the command on a terminal")
                           .arg(QLatin1String(kPasswordVariable))};
    return CliTerminal().ReadSecret(QStringLiteral("Password: "));
}

} // namespace

ICliTerminal &CliTerminal()
{
    return *g_terminal;
}

ICliTerminal *SetCliTerminal(ICliTerminal *terminal)
{
    ICliTerminal *previous = g_terminal;
    g_terminal = terminal ? terminal : &g_realTerminal;
    return previous;
}

void OpenCliDatabase(CTallywickData &data, const CCliArgs &args, const QString &dataFolder)
{
    data.SetAppFolder(dataFolder);
    if (args.Has(QStringLiteral("database"))) {
        data.location.databasePath = QFileInfo(args.Value(QStringLiteral("database"))).absoluteFilePath();
    } else if (!data.ReadDatabaseLocation()) {
        throw CliError{kCliNoDatabase, QStringLiteral("cannot read %1").arg(data.iniFile.Path())};
    } else if (data.location.databasePath.isEmpty()) {
        throw CliError{kCliNoDatabase, QStringLiteral("%1 names no database (DBPath); give one with --database")
                                           .arg(QDir::toNativeSeparators(data.iniFile.Path()))};
    }
    // The command line always talks to this program's own engine, whatever
    // the settings file says.
    data.location.providerSetting = kProviderSetting;
    const QString path = data.ResolvedDatabasePath();
    if (!QFileInfo(path).isFile())
        throw CliError{kCliNoDatabase, QStringLiteral("no database at %1").arg(QDir::toNativeSeparators(path))};
    data.BuildConnectionString();
    try {
        data.connection.Open(data.location.connectionString, data.settings.dbUser, data.settings.dbPassword);
    } catch (const CDbError &e) {
        throw CliError{kCliNoDatabase, QStringLiteral("cannot open the database %1: %2")
                                           .arg(QDir::toNativeSeparators(path), ComErrorMessage(e))};
    }
    data.LoadProfileSettings();
    if (!data.LoadDefaultSettings() || !data.LoadCompanyInfo() || !data.LoadCategories())
        throw CliError{kCliNoDatabase, QStringLiteral("cannot read the database %1").arg(QDir::toNativeSeparators(path))};

    if (PlanLogin(data.settings.iByPassPasswordScreen, {}).askPassword
        && !PasswordMatches(GivenPassword(), data.settings.cPassword))
        throw CliError{kCliWrongPassword, QStringLiteral("wrong password")};
    data.loggedIn = true;
}

void OpenCliDatabase(CTallywickData &data, const CCliArgs &args)
{
    OpenCliDatabase(data, args,
                    args.Has(QStringLiteral("database")) ? QDir::currentPath()
                                                         : ResolveProgramFolders(ProgramFolder()).data);
}

std::unique_ptr<QCoreApplication> MakeOffscreenApplication(bool widgets)
{
    static int argc = 1;
    static char name[] = "tallywick";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (widgets)
        return std::make_unique<QApplication>(argc, argv);
    return std::make_unique<QGuiApplication>(argc, argv);
}
