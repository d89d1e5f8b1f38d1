#include "records/twksetupwizardsheet.h"

#include "controls/settingspage.h"
#include "recordfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class SetupWizardTest : public RecordTest
{
protected:
    static void Next(CTwkSetupWizardSheet &wizard)
    {
        Control<QPushButton>(&wizard, CTwkSetupWizardSheet::kNextId)->click();
    }
};

TEST_F(SetupWizardTest, WalksThePagesInOrderSavingEachOnTheWayForwardOnly)
{
    CTwkSetupWizardSheet wizard(data);
    wizard.show();
    EXPECT_FALSE(Control<QPushButton>(&wizard, CTwkSetupWizardSheet::kBackId)->isEnabled());

    // The user information page will not let anyone past without a name.
    Next(wizard);
    ASSERT_EQ(wizard.CurrentIndex(), 1);
    Control<QLineEdit>(wizard.Page(1), 1000)->clear();
    Next(wizard);
    EXPECT_EQ(wizard.CurrentIndex(), 1);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Please enter your name or business name."));

    Control<QLineEdit>(wizard.Page(1), 1000)->setText(QStringLiteral("Ann's Bakery"));
    Control<QPlainTextEdit>(wizard.Page(1), 1001)->setPlainText(QStringLiteral("1 Mill Lane"));
    Control<QLineEdit>(wizard.Page(1), 1018)->setText(QStringLiteral("Shop"));
    Control<QPushButton>(wizard.Page(1), 1015)->click();
    Next(wizard);
    ASSERT_EQ(wizard.CurrentIndex(), 2);
    EXPECT_EQ(Value(QStringLiteral("SELECT cName FROM LB_COMPANY_INFO_TB")), QStringLiteral("Ann's Bakery"));

    // Back saves nothing.
    Control<QLineEdit>(wizard.Page(2), 1046)->setText(QStringLiteral("EUR"));
    Control<QPushButton>(&wizard, CTwkSetupWizardSheet::kBackId)->click();
    EXPECT_EQ(wizard.CurrentIndex(), 1);
    EXPECT_EQ(data.settings.cCurrency, QStringLiteral("$"));
    Next(wizard);
    Next(wizard);
    Next(wizard);
    EXPECT_EQ(data.settings.cCurrency, QStringLiteral("EUR"));
    ASSERT_EQ(wizard.CurrentIndex(), 4);

    // A general page that cannot save keeps the wizard there.
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("LB_DEFAULT_SETTINGS_TB"));
    TestUi().Reset();
    Next(wizard);
    EXPECT_EQ(wizard.CurrentIndex(), 4);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Some error occoured while saving general settings."));
    db.Exec(QStringLiteral("DROP TRIGGER forced_UPDATE"));
    Next(wizard);
    ASSERT_EQ(wizard.CurrentIndex(), 5);
    EXPECT_FALSE(Control<QPushButton>(&wizard, CTwkSetupWizardSheet::kNextId)->isVisible());
    Control<QPushButton>(&wizard, CTwkSetupWizardSheet::kFinishId)->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
}

TEST_F(SetupWizardTest, TheFirstRunGreetsDifferentlyAndLeavesOutTheReminderBox)
{
    for (const bool firstRun : {true, false}) {
        data.firstRun = firstRun;
        CTwkSetupWizardSheet wizard(data);
        wizard.show();
        const QString welcome = Control<QLabel>(wizard.Page(0), 1108)->text();
        EXPECT_EQ(welcome.startsWith(QStringLiteral("Tallywick + is running for the first time.")), firstRun) << welcome.toStdString();
        EXPECT_EQ(Control<QCheckBox>(wizard.Page(5), 1074)->isVisibleTo(wizard.Page(5)), !firstRun);
    }
}

} // namespace
