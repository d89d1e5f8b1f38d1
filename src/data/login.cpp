#include "data/login.h"

#include "data/dbrecordset.h"

CLoginPlan PlanLogin(int passwordMode, const MultiUserLoginHook &askAddins)
{
    if (passwordMode == kPasswordAsk)
        return {true, QString()};
    if (passwordMode != kPasswordMultiUser)
        return {false, QString()};
    const std::optional<CMultiUserAnswer> answer = askAddins ? askAddins() : std::nullopt;
    if (!answer)
        return {true, QStringLiteral("Please Install the Tallywick + Multiuer Plugin.\nLaunching the default Password Screen.")};
    if (MultiUserCredentialsAccepted(*answer))
        return {false, QString()};
    return {true, QStringLiteral("Invalid Plugin Credentials.\nLaunching the default Password Screen.")};
}

bool MultiUserCredentialsAccepted(const CMultiUserAnswer &)
{
    return false;
}

bool PasswordMatches(const QString &typed, const QString &password)
{
    return typed == password;
}

PasswordChange CheckPasswordChange(const QString &oldPassword, const QString &newPassword, const QString &confirm,
                                   const QString &current)
{
    if (!PasswordMatches(oldPassword, current) || newPassword != confirm)
        return PasswordChange::Mismatch;
    return newPassword.isEmpty() ? PasswordChange::BlankQuestion : PasswordChange::Accepted;
}

void StoreLoginPassword(CDbConnection &connection, const QString &password)
{
    // Quoted: an apostrophe in a password must neither fail nor run as SQL.
    CDbRecordset rs(connection);
    rs.Open("UPDATE LB_DEFAULT_SETTINGS_TB SET cPassword='%s'", SqlQuote(password));
    rs.Close();
}
