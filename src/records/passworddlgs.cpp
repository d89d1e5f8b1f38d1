#include "records/passworddlgs.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dberror.h"
#include "data/tallywickdata.h"
#include "records/recordui.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *PasswordEdit(QWidget *parent, int id)
{
    auto *edit = MakeControl<QLineEdit>(parent, id);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMinimumWidth(200);
    return edit;
}

} // namespace

CEnterPasswordDlg::CEnterPasswordDlg(const QString &password, const QString &message, QWidget *parent)
    : QDialog(parent)
    , m_password(password)
{
    SetControlId(this, IDD);
    setWindowTitle(QStringLiteral("Enter Password"));
    m_edit = PasswordEdit(this, 1067);
    auto *messageLine = MakeControl<QLabel>(this, 1105, message);
    QFont font(QStringLiteral("Marigold"));
    font.setPointSize(10);
    messageLine->setFont(font);
    messageLine->setStyleSheet(QStringLiteral("color: red"));
    messageLine->setVisible(!message.isEmpty());

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Password"), m_edit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please enter the password"), this));
    layout->addLayout(form);
    layout->addWidget(messageLine);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edit->setFocus();
}

void CEnterPasswordDlg::accept()
{
    if (!PasswordMatches(m_edit->text(), m_password)) {
        TwkMessageBox(LoadString(StringId::EnterCorrectPassword), QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, this);
        m_edit->clear();
        m_edit->setFocus();
        return;
    }
    QDialog::accept();
}

CChangePasswordDlg::CChangePasswordDlg(CTallywickData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
{
    SetControlId(this, IDD);
    setWindowTitle(QStringLiteral("Change Password"));
    m_old = PasswordEdit(this, 1068);
    m_new = PasswordEdit(this, 1069);
    m_confirm = PasswordEdit(this, 1070);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Old password"), m_old);
    form->addRow(QStringLiteral("New password"), m_new);
    form->addRow(QStringLiteral("Confirm password"), m_confirm);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter correct passwords"), this));
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_old->setFocus();
}

void CChangePasswordDlg::accept()
{
    const QString newPassword = m_new->text();
    switch (CheckPasswordChange(m_old->text(), newPassword, m_confirm->text(), m_data.settings.cPassword)) {
    case PasswordChange::Mismatch:
        TwkMessageBox(LoadString(StringId::PasswordMismatch), QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, this);
        m_old->clear();
        m_new->clear();
        m_confirm->clear();
        m_old->setFocus();
        return;
    case PasswordChange::BlankQuestion:
        if (TwkMessageBox(LoadString(StringId::BlankPasswordQuestion), QStringLiteral("Tallywick + "), MB_YESNO | MB_ICONQUESTION, this)
            != IDYES)
            return;
        break;
    case PasswordChange::Accepted:
        break;
    }
    if (!RunReported([&] { StoreLoginPassword(m_data.connection, newPassword); }))
        return;
    m_data.settings.cPassword = newPassword;
    QDialog::accept();
    TwkMessageBox(LoadString(StringId::PasswordChanged), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, parentWidget());
}

bool LoginUser(CTallywickData &data, const MultiUserLoginHook &askAddins, QWidget *parent)
{
    const CLoginPlan plan = PlanLogin(data.settings.iByPassPasswordScreen, askAddins);
    if (!plan.askPassword) {
        data.loggedIn = true;
        return true;
    }
    CEnterPasswordDlg dialog(data.settings.cPassword, plan.message, parent);
    data.loggedIn = dialog.exec() == QDialog::Accepted;
    return data.loggedIn;
}
