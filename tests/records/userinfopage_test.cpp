#include "records/userinfopage.h"

#include "recordfixture.h"
#include "controls/pagehostdlg.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class UserInfoPageTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        data.company.cName = QStringLiteral("Stored name");
        data.company.cAddress = QStringLiteral("1 Road");
    }

    QString Stored(const char *column)
    {
        return Value(QStringLiteral("SELECT %1 FROM LB_COMPANY_INFO_TB").arg(QLatin1String(column)));
    }

    static void AddUnit(CUserInfoPage &page, const QString &unit)
    {
        Control<QLineEdit>(&page, 1018)->setText(unit);
        page.OnAddUnit();
    }

    static void DeleteUnit(CUserInfoPage &page, const QString &unit)
    {
        auto *units = Control<QComboBox>(&page, 1017);
        units->setCurrentIndex(units->findText(unit));
        page.OnDeleteUnit();
    }
};

} // namespace

TEST_F(UserInfoPageTest, ChecksRunInOrderWithTheirMessageAndFocus)
{
    CUserInfoPage page(data);
    struct Case {
        const char *name, *address, *email;
        const char *message;
        int focus;
    };
    const Case cases[] = {
        {"   ", "", "x", "Please enter your name or business name.", 1000},
        {"Me", " \n ", "x", "Please enter Address!", 1001},
        {"Me", "Here", "no-at-sign", "E-mail address is invalid!", 1009},
        {"Me", "Here", "a@@b", "E-mail address is invalid!", 1009},
        {"Me", "Here", "a@b@c", "E-mail address is invalid!", 1009},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        TestUi().Reset();
        Control<QLineEdit>(&page, 1000)->setText(QString::fromLatin1(c.name));
        Control<QPlainTextEdit>(&page, 1001)->setPlainText(QString::fromLatin1(c.address));
        Control<QLineEdit>(&page, 1009)->setText(QString::fromLatin1(c.email));
        EXPECT_FALSE(page.Apply());
        EXPECT_EQ(TestUi().Texts(), QStringList{QString::fromLatin1(c.message)});
        EXPECT_EQ(page.focusWidget(), Control<QWidget>(&page, c.focus));
    }
    // Valid e-mail texts reach the units question; No keeps the page, Yes
    // accepts it and keeps the details typed.
    for (const char *email : {"", "@", "me@home"}) {
        TestUi().Reset();
        Control<QLineEdit>(&page, 1009)->setText(QString::fromLatin1(email));
        TestUi().QueueAnswer(IDNO);
        EXPECT_FALSE(page.Apply());
        EXPECT_TRUE(TestUi().LastText().startsWith(QStringLiteral("There should be atleast one Unit or Division.")));
        EXPECT_EQ(page.focusWidget(), Control<QWidget>(&page, 1018));
    }
    // A unit typed but not added is added, or refused with its message.
    TestUi().Reset();
    Control<QLineEdit>(&page, 1018)->setText(QStringLiteral("North,South"));
    EXPECT_FALSE(page.Apply());
    EXPECT_TRUE(TestUi().LastText().startsWith(QStringLiteral("Please enter valid characters only")));
    EXPECT_EQ(page.focusWidget(), Control<QWidget>(&page, 1018));
    EXPECT_EQ(Stored("cName"), QString());
    Control<QLineEdit>(&page, 1018)->clear();
    TestUi().QueueAnswer(IDYES);
    EXPECT_TRUE(page.Apply());
    EXPECT_EQ(Stored("cName"), QStringLiteral("Me"));
    EXPECT_EQ(Stored("cAddress"), QStringLiteral("Here"));
    EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral(" "));
    EXPECT_EQ(data.company.cAddress, QStringLiteral("Here"));

    TestUi().Reset();
    Control<QLineEdit>(&page, 1018)->setText(QStringLiteral(" Shop "));
    EXPECT_TRUE(page.Apply());
    EXPECT_TRUE(TestUi().messages.isEmpty());
    EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral("Shop,"));
    EXPECT_EQ(data.company.units, QStringList{QStringLiteral("Shop")});
}

TEST_F(UserInfoPageTest, SavingWritesTheTextsAsTypedAndOnlyASavedPageChangesMemory)
{
    data.company.cName.clear();
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("LB_COMPANY_INFO_TB"));
    CPageHostDlg host(new CUserInfoPage(data), nullptr);
    auto &page = *static_cast<CUserInfoPage *>(host.Page());
    host.show();
    Control<QLineEdit>(&page, 1000)->setText(QStringLiteral("  O'Neil's 50% Store  "));
    Control<QLineEdit>(&page, 1009)->setText(QStringLiteral("a@b"));
    AddUnit(page, QStringLiteral(" Shop "));
    AddUnit(page, QStringLiteral("Home"));
    EXPECT_EQ(data.company.units, (QStringList{QStringLiteral("Shop"), QStringLiteral("Home")}));
    Control<QPushButton>(&page, 1)->click();
    EXPECT_EQ(TestUi().messages.size(), 1);
    EXPECT_TRUE(host.isVisible());
    EXPECT_EQ(Control<QLineEdit>(&page, 1000)->text(), QStringLiteral("  O'Neil's 50% Store  "));
    EXPECT_TRUE(data.company.cName.isEmpty());
    EXPECT_EQ(data.company.cEmail, QString());

    db.Exec(QStringLiteral("DROP TRIGGER forced_UPDATE"));
    Control<QPushButton>(&page, 1)->click();
    EXPECT_FALSE(host.isVisible());
    EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral("Home,Shop,"));
    EXPECT_EQ(Stored("cName"), QStringLiteral("  O'Neil's 50% Store  "));
    EXPECT_EQ(Stored("cAddress"), QStringLiteral("1 Road"));
    EXPECT_EQ(data.company.units, (QStringList{QStringLiteral("Home"), QStringLiteral("Shop")}));
    EXPECT_EQ(data.company.cName, QStringLiteral("  O'Neil's 50% Store  "));
    EXPECT_EQ(data.company.cEmail, QStringLiteral("a@b"));
}

TEST_F(UserInfoPageTest, DeletingUnitsRemovesTheirRowsAndRewritesTheUnitsText)
{
    SetUnits({QStringLiteral("Home"), QStringLiteral("Shop")});
    AddRow(QStringLiteral("Home"), Day(1), QStringLiteral("Rent"), 1, QString(), 2);
    AddRow(QStringLiteral("Home"), Day(2), QStringLiteral("Rent"), 2, QString(), 1);
    AddRow(QStringLiteral("Shop"), Day(2), QStringLiteral("Rent"), 3, QString(), 1);
    CUserInfoPage page(data);
    TestUi().QueueAnswer(IDCANCEL);
    DeleteUnit(page, QStringLiteral("Home"));
    EXPECT_EQ(Rows(), 3);

    TestUi().QueueAnswer(IDNO); // delete without a backup
    DeleteUnit(page, QStringLiteral("Home"));
    EXPECT_TRUE(TestUi().LastText().startsWith(QStringLiteral("It is recommended to back up data before you delete the Unit")));
    EXPECT_EQ(Table(), QStringList{QStringLiteral("Shop|03/02/2023|Rent|3.000000||1")});
    EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral("Shop,"));
    EXPECT_EQ(data.company.units, QStringList{QStringLiteral("Shop")});

    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_TRANSACTION_INFO_TB"));
    TestUi().QueueAnswer(IDNO);
    DeleteUnit(page, QStringLiteral("Shop"));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("forced failure"));
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral("Shop,"));
    EXPECT_EQ(Control<QComboBox>(&page, 1017)->count(), 1);

    db.Exec(QStringLiteral("DROP TRIGGER forced_DELETE"));
    db.Exec(QStringLiteral("DELETE FROM LB_TRANSACTION_INFO_TB"));
    TestUi().QueueAnswer(IDYES);
    DeleteUnit(page, QStringLiteral("Shop"));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Are you sure you want to delete this Unit or Division?"));
    EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral(" "));
    EXPECT_TRUE(CTallywickData::ParseUnits(Stored("cCompanyUnits")).isEmpty());
}

TEST_F(UserInfoPageTest, CancelDropsAddedUnitsAndDoesNotBringDeletedOnesBack)
{
    SetUnits({QStringLiteral("Home"), QStringLiteral("Shop")});
    {
        CPageHostDlg host(new CUserInfoPage(data), nullptr);
        auto &page = *static_cast<CUserInfoPage *>(host.Page());
        AddUnit(page, QStringLiteral("Barn"));
        TestUi().QueueAnswer(IDYES);
        DeleteUnit(page, QStringLiteral("Home"));
        EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral("Shop,")) << "Barn is not written until OK";
        host.show();
        Control<QPushButton>(&page, 2)->click();
        EXPECT_FALSE(host.isVisible());
    }
    EXPECT_EQ(data.company.units, QStringList{QStringLiteral("Shop")});
    CUserInfoPage again(data);
    ASSERT_TRUE(again.Apply());
    EXPECT_EQ(Stored("cCompanyUnits"), QStringLiteral("Shop,"));
}

TEST_F(UserInfoPageTest, LogoIsChosenAndClearedAtOnce)
{
    const QString path = db.Folder() + QStringLiteral("/logo.bmp");
    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(path));
    int reloads = 0;
    data.logoChanged = [&] { ++reloads; };
    const QString documents = FirstRunDocumentsFolder();
    CUserInfoPage page(data);
    auto *button = Control<QPushButton>(&page, 1011);
    TestUi().QueueFile(path);
    button->click();
    ASSERT_EQ(TestUi().fileRequests.size(), 1);
    EXPECT_EQ(TestUi().fileRequests[0].directory, documents);
    EXPECT_EQ(button->text(), QStringLiteral("Cl&ear"));
    EXPECT_EQ(data.company.cLogoPath, path);
    EXPECT_EQ(page.Fields().logoPath, path);
    button->click();
    EXPECT_EQ(button->text(), QStringLiteral("&Browse..."));
    EXPECT_TRUE(data.company.cLogoPath.isEmpty());
    EXPECT_EQ(reloads, 2);
    // The next logo is looked for where the last one was found.
    button->click();
    ASSERT_EQ(TestUi().fileRequests.size(), 2);
    EXPECT_EQ(TestUi().fileRequests[1].directory, QDir::cleanPath(db.Folder()));
}

TEST_F(UserInfoPageTest, EnterMovesThroughTheFieldsAndAddsUnitsUnlessEmptyHoldingACommaOrAlreadyThere)
{
    SetUnits({QStringLiteral("Home")});
    CUserInfoPage page(data);
    page.show();
    const int order[] = {1000, 1001, 1005, 1007, 1009, 1018};
    for (int i = 0; i + 1 < 6; ++i) {
        QTest::keyClick(Control<QWidget>(&page, order[i]), Qt::Key_Return);
        EXPECT_EQ(page.focusWidget(), Control<QWidget>(&page, order[i + 1]));
    }
    auto *address = Control<QPlainTextEdit>(&page, 1001);
    address->moveCursor(QTextCursor::End);
    QTest::keyClick(address, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(address->toPlainText(), QStringLiteral("1 Road\n"));
    QTest::keyClicks(Control<QLineEdit>(&page, 1018), QStringLiteral("Barn"));
    QTest::keyClick(Control<QLineEdit>(&page, 1018), Qt::Key_Return);
    EXPECT_EQ(data.company.units, (QStringList{QStringLiteral("Home"), QStringLiteral("Barn")}));
    TestUi().QueueAnswer(IDYES);
    QTest::keyClick(Control<QComboBox>(&page, 1017), Qt::Key_Delete);
    EXPECT_EQ(data.company.units, QStringList{QStringLiteral("Home")});

    const struct {
        const char *typed, *message;
    } refused[] = {
        {"   ", "Please enter a unique Unit or Division."},
        {"North,South", "Please enter valid characters only in the fields provided. Please note that the program "
                        "will not accept\n character."},
        {" home ", "home, already exists!"},
    };
    for (const auto &c : refused) {
        TestUi().Reset();
        AddUnit(page, QString::fromLatin1(c.typed));
        EXPECT_EQ(TestUi().LastText(), QString::fromLatin1(c.message));
        EXPECT_EQ(page.focusWidget(), Control<QWidget>(&page, 1018));
    }
    EXPECT_EQ(data.company.units, QStringList{QStringLiteral("Home")});
}
