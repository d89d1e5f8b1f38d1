#include "records/twksetupwizardsheet.h"

#include "controls/settingspage.h"
#include "recordfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QApplication>
#include <QPushButton>
#include <QTest>

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

TEST_F(SetupWizardTest, WalkedWithTheKeyboardAloneItLeavesACompleteSetupWithTheFocusInEachPage)
{
    data.firstRun = true;
    CTwkSetupWizardSheet wizard(data);
    wizard.show();
    QApplication::setActiveWindow(&wizard);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    const auto focused = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
    const auto type = [&](const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); };
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    const auto turnsTo = [&](int index, const char *field) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return wizard.CurrentIndex() == index; }, 2000)) << index;
        EXPECT_EQ(focused(), QString::fromLatin1(field)) << "page " << index;
    };

    key(Qt::Key_N, Qt::AltModifier);
    turnsTo(1, "1000");
    type(QStringLiteral("Ann's Bakery"));
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), QStringLiteral("1001"));
    type(QStringLiteral("1 Mill Lane"));
    key(Qt::Key_Return, Qt::ControlModifier);
    type(QStringLiteral("Leeds"));
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Tab); // phone, fax, e-mail, Browse, the unit box
    EXPECT_EQ(focused(), QStringLiteral("1018"));
    type(QStringLiteral("Shop")); // and not added
    key(Qt::Key_N, Qt::AltModifier);
    turnsTo(2, "1046");
    EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().LastText().toStdString();

    // Back and on again: each time in the page's first field.
    key(Qt::Key_K, Qt::AltModifier);
    turnsTo(1, "1000");
    key(Qt::Key_N, Qt::AltModifier);
    turnsTo(2, "1046");
    type(QStringLiteral("EUR"));
    key(Qt::Key_Return);
    turnsTo(3, "1012");
    // Enter in the category boxes adds the category and stays on the page.
    type(QStringLiteral("Flour"));
    key(Qt::Key_Tab);
    type(QStringLiteral("By the sack"));
    key(Qt::Key_Return);
    EXPECT_EQ(wizard.CurrentIndex(), 3);
    EXPECT_EQ(focused(), QStringLiteral("1012"));
    type(QStringLiteral("Rent"));
    key(Qt::Key_Return);
    key(Qt::Key_N, Qt::AltModifier);
    turnsTo(4, "1037");
    key(Qt::Key_N, Qt::AltModifier);
    turnsTo(5, "1090");
    key(Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wizard.isVisible(); }, 2000));
    EXPECT_EQ(wizard.result(), QDialog::Accepted);

    EXPECT_EQ(Value(QStringLiteral("SELECT cName FROM LB_COMPANY_INFO_TB")), QStringLiteral("Ann's Bakery"));
    EXPECT_EQ(Value(QStringLiteral("SELECT cAddress FROM LB_COMPANY_INFO_TB")), QStringLiteral("1 Mill Lane\nLeeds"));
    EXPECT_EQ(Value(QStringLiteral("SELECT cCompanyUnits FROM LB_COMPANY_INFO_TB")), QStringLiteral("Shop,"));
    EXPECT_EQ(Value(QStringLiteral("SELECT cCurrency FROM LB_DEFAULT_SETTINGS_TB")), QStringLiteral("EUR"));
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB"), QStringLiteral("iType=2")), 2);
    EXPECT_EQ(Value(QStringLiteral("SELECT cTransactionDescription FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='Flour'")),
              QStringLiteral("By the sack"));
    EXPECT_EQ(data.company.units, QStringList{QStringLiteral("Shop")});
    EXPECT_TRUE(TestUi().messages.isEmpty()) << TestUi().LastText().toStdString();
}

TEST_F(SetupWizardTest, ACategoryLeftInTheBoxesIsAddedOnNextOrKeepsThePage)
{
    AddCategory(QStringLiteral("Rent"), 2);
    CTwkSetupWizardSheet wizard(data);
    wizard.ShowPage(3);
    Control<QLineEdit>(wizard.Page(3), 1012)->setText(QStringLiteral("Rent"));
    Next(wizard);
    EXPECT_EQ(wizard.CurrentIndex(), 3);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Rent, already exists!"));
    Control<QLineEdit>(wizard.Page(3), 1012)->setText(QStringLiteral("Flour"));
    Next(wizard);
    EXPECT_EQ(wizard.CurrentIndex(), 4);
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB"), QStringLiteral("cTransactionName='Flour'")), 1);
}

} // namespace
