#pragma once

#include "data/login.h"

#include <QDialog>

class CTallywickData;
class QLabel;
class QLineEdit;

// Enter Password (dialog 146): OK only with the login password; a wrong one
// is answered, the box emptied, and the dialog stays.
class CEnterPasswordDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 146;
    // `message` is the red line; empty unless the multi-user login fell back.
    CEnterPasswordDlg(const QString &password, const QString &message, QWidget *parent = nullptr);

    void accept() override;

private:
    QString m_password;
    QLineEdit *m_edit = nullptr;
};

// Change Password (dialog 147).
class CChangePasswordDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 147;
    explicit CChangePasswordDlg(CTallywickData &data, QWidget *parent = nullptr);

    void accept() override;

private:
    CTallywickData &m_data;
    QLineEdit *m_old = nullptr;
    QLineEdit *m_new = nullptr;
    QLineEdit *m_confirm = nullptr;
};

// The login routine in its three modes; sets and returns the logged-in flag.
bool LoginUser(CTallywickData &data, const MultiUserLoginHook &askAddins, QWidget *parent);
