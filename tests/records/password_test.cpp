#include "records/passworddlgs.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "recordfixture.h"

#include <QLabel>
#include <QLineEdit>

namespace {

class LoginTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        data.settings.cPassword = QStringLiteral("vorel");
    }
    // Types each text into the password box and presses OK, then cancels
    // if the dialog is still up; returns the red line it showed.
    QString Login(QStringList typed, const MultiUserLoginHook &hook = {})
    {
        QString red;
        OnNextModal([&red, typed](QDialog *dialog) {
            red = Control<QLabel>(dialog, 1105)->text();
            for (const QString &text : typed) {
                Control<QLineEdit>(dialog, 1067)->setText(text);
                dialog->accept();
                if (!dialog->isVisible())
                    return;
                EXPECT_TRUE(Control<QLineEdit>(dialog, 1067)->text().isEmpty());
            }
            dialog->reject();
        });
        LoginUser(data, hook, nullptr);
        return red;
    }
};

TEST_F(LoginTest, ModeZeroAsksUntilTheExactPasswordOrCancel)
{
    Login({QStringLiteral("Vorel"), QStringLiteral(""), QStringLiteral("vorel")});
    EXPECT_TRUE(data.loggedIn);
    EXPECT_EQ(TestUi().Texts(), QStringList(2, QStringLiteral("Please enter correct Password.")));

    Login({QStringLiteral("wrong")});
    EXPECT_FALSE(data.loggedIn);

    data.settings.cPassword.clear();
    Login({QString()});
    EXPECT_TRUE(data.loggedIn);
}

TEST_F(LoginTest, OtherModesLogInAtOnceAndModeTwoFallsBackWithItsRedMessage)
{
    data.settings.iByPassPasswordScreen = 1;
    EXPECT_TRUE(LoginUser(data, {}, nullptr));

    data.settings.iByPassPasswordScreen = 2;
    EXPECT_EQ(Login({QStringLiteral("vorel")}),
              QStringLiteral("Please Install the Tallywick + Multiuer Plugin.\nLaunching the default Password Screen."));
    EXPECT_TRUE(data.loggedIn);

    int asked = 0;
    const MultiUserLoginHook addin = [&asked] {
        ++asked;
        return std::optional<CMultiUserAnswer>(CMultiUserAnswer{1, QStringLiteral("ann"), QStringLiteral("x")});
    };
    EXPECT_EQ(Login({}, addin), QStringLiteral("Invalid Plugin Credentials.\nLaunching the default Password Screen."));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(data.loggedIn);
}

class ChangePasswordTest : public LoginTest
{
protected:
    void Fill(QDialog &dialog, const QString &old, const QString &password, const QString &confirm)
    {
        Control<QLineEdit>(&dialog, 1068)->setText(old);
        Control<QLineEdit>(&dialog, 1069)->setText(password);
        Control<QLineEdit>(&dialog, 1070)->setText(confirm);
    }
    QString Stored() { return Value(QStringLiteral("SELECT cPassword FROM LB_DEFAULT_SETTINGS_TB")); }
};

TEST_F(ChangePasswordTest, AMismatchEmptiesEveryBoxAndChangesNothing)
{
    CChangePasswordDlg dialog(data);
    for (const auto &[old, confirm] : {std::pair{"VOREL", "new"}, std::pair{"vorel", "New"}}) {
        Fill(dialog, QString::fromLatin1(old), QStringLiteral("new"), QString::fromLatin1(confirm));
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        for (const int id : {1068, 1069, 1070})
            EXPECT_TRUE(Control<QLineEdit>(&dialog, id)->text().isEmpty());
    }
    EXPECT_EQ(TestUi().Texts(), QStringList(2, LoadString(StringId::PasswordMismatch)));
    EXPECT_EQ(Stored(), QStringLiteral("vorel"));
}

TEST_F(ChangePasswordTest, ABlankPasswordIsAskedForFirstAndAnApostropheWorks)
{
    CChangePasswordDlg blank(data);
    Fill(blank, QStringLiteral("vorel"), QString(), QString());
    TestUi().QueueAnswer(IDNO);
    blank.accept();
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("You are using blank password. Do you want to continue?"));
    EXPECT_EQ(Control<QLineEdit>(&blank, 1068)->text(), QStringLiteral("vorel"));
    EXPECT_EQ(Stored(), QStringLiteral("vorel"));
    TestUi().QueueAnswer(IDYES);
    blank.accept();
    EXPECT_EQ(Stored(), QString());
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Password changed."));

    const QString password = QStringLiteral("o'brien'; DELETE FROM LB_DEFAULT_SETTINGS_TB; --");
    CChangePasswordDlg dialog(data);
    Fill(dialog, QString(), password, password);
    dialog.accept();
    EXPECT_EQ(Stored(), password);
    EXPECT_EQ(db.Count(QStringLiteral("LB_DEFAULT_SETTINGS_TB")), 1);
    Login({password});
    EXPECT_TRUE(data.loggedIn);
}

TEST_F(ChangePasswordTest, AFailedWriteKeepsTheDialogAndTheOldPassword)
{
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("LB_DEFAULT_SETTINGS_TB"));
    CChangePasswordDlg dialog(data);
    Fill(dialog, QStringLiteral("vorel"), QStringLiteral("new"), QStringLiteral("new"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(data.settings.cPassword, QStringLiteral("vorel"));
    EXPECT_EQ(Stored(), QStringLiteral("vorel"));
    EXPECT_FALSE(TestUi().Texts().contains(QStringLiteral("Password changed.")));
}

} // namespace
