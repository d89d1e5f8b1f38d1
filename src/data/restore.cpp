#include "data/restore.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/conversion.h"
#include "data/dberror.h"
#include "data/tallywickdata.h"

#include <QDir>

namespace {

// Everything a switch replaces, kept to go back to.
struct SharedState {
    CSettingsRecord settings;
    CCompanyRecord company;
    QList<CCategoryEntry> incomeCategories;
    QList<CCategoryEntry> expenseCategories;
    CDatabaseLocation location;
    bool loggedIn = false;
};

SharedState Capture(const CTallywickData &data)
{
    return {data.settings, data.company, data.incomeCategories, data.expenseCategories, data.location,
            data.loggedIn};
}

void GoBack(CTallywickData &data, const SharedState &old, const QString &why, QObject *owner)
{
    data.connection.Close();
    data.settings = old.settings;
    data.company = old.company;
    data.incomeCategories = old.incomeCategories;
    data.expenseCategories = old.expenseCategories;
    data.location = old.location;
    data.loggedIn = old.loggedIn;
    const bool reopened = data.OpenDatabase();
    QString text = QStringLiteral("The data file was not restored: %1").arg(why);
    if (reopened)
        text += QStringLiteral("\nYou go on working with %1.").arg(data.ResolvedDatabasePath());
    TwkMessageBox(text, QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, owner);
}

} // namespace

bool RestoreData(CTallywickData &data, const RestoreHooks &hooks, QObject *owner)
{
    const auto status = [&hooks](const QString &text) {
        if (hooks.status)
            hooks.status(text);
    };
    const SharedState old = Capture(data);
    bool switched = false;
    try {
        const QString chosen = data.ChooseDatabaseFile();
        if (chosen.isEmpty())
            return false;

        status(QStringLiteral("Closing the database"));
        data.connection.Close();

        status(QStringLiteral("Opening the database"));
        data.location.databasePath = chosen;
        data.BuildConnectionString();
        if (!data.OpenDatabase()) {
            TwkMessageBox(LoadString(StringId::OpenApplicationFailed), QStringLiteral("Tallywick + "),
                          MB_OK | MB_ICONERROR, owner);
            GoBack(data, old, QStringLiteral("the chosen file could not be opened."), owner);
            QDir::setCurrent(data.appFolder);
            return false;
        }

        status(QStringLiteral("Applying Default Settings"));
        data.LoadStoredState(owner);

        data.loggedIn = false;
        if (!(hooks.login && hooks.login())) {
            GoBack(data, old, QStringLiteral("nobody logged in to the chosen file."), owner);
            QDir::setCurrent(data.appFolder);
            return false;
        }
        // A backup made before the move to the current format is converted
        // as the program's own file is at start-up.
        ConvertForChanges(
            data,
            [&status](double done) {
                status(LoadString(StringId::ConvertingDataFile).arg(qRound(done * 100)));
            },
            owner);
        data.iniFile.Write(QStringLiteral("TallywickPlus"), QStringLiteral("DBPath"), chosen);
        switched = true;
    } catch (const CFrameworkException &e) {
        TwkMessageBox(e.Message(), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR, owner);
    } catch (...) {
        TwkMessageBox(QStringLiteral("Generic Error Occoured"), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR,
                      owner);
    }
    if (!switched && data.location.databasePath != old.location.databasePath)
        GoBack(data, old, QStringLiteral("an error occurred while switching."), owner);
    QDir::setCurrent(data.appFolder);
    return switched;
}
