#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class CDbConnection;

// Password modes of the login setting: 0 asks for the password, 2 asks a
// multi-user login add-in, every other value logs in without a screen.
constexpr int kPasswordAsk = 0;
constexpr int kPasswordMultiUser = 2;

// What a multi-user login add-in answered.
struct CMultiUserAnswer {
    long result = 0;
    QVariant user;
    QVariant password;
};

// Asks the add-ins for a multi-user login; nothing when no add-in answered.
using MultiUserLoginHook = std::function<std::optional<CMultiUserAnswer>()>;

// How a login goes: at once, or through the password dialog with a message.
struct CLoginPlan {
    bool askPassword = false;
    QString message;
};

CLoginPlan PlanLogin(int passwordMode, const MultiUserLoginHook &askAddins);

// No add-in credentials are accepted in this program.
bool MultiUserCredentialsAccepted(const CMultiUserAnswer &answer);

// Exact, byte for byte: letter case counts.
bool PasswordMatches(const QString &typed, const QString &password);

enum class PasswordChange {
    Mismatch,      // wrong old password, or new and confirmation differ
    BlankQuestion, // acceptable, but the new password is empty: ask first
    Accepted,
};
PasswordChange CheckPasswordChange(const QString &oldPassword, const QString &newPassword, const QString &confirm,
                                   const QString &current);

// Writes the login password; a database failure throws CDbError.
void StoreLoginPassword(CDbConnection &connection, const QString &password);
