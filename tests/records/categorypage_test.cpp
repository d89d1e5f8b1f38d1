#include "records/categorypage.h"

#include "recordfixture.h"
#include "records/categorystore.h"
#include "records/pagehostdlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class CategoryPageTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        SetUnits({QStringLiteral("Home"), QStringLiteral("Shop"), QStringLiteral("Farm")});
    }

    static QStringList Listed(CCategoryPage &page)
    {
        QStringList names;
        auto *list = Control<QTreeWidget>(&page, 1016);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            names << list->topLevelItem(i)->text(0);
        return names;
    }

    static void Add(CCategoryPage &page, const QString &name, const QString &description = QString())
    {
        Control<QLineEdit>(&page, 1012)->setText(name);
        Control<QLineEdit>(&page, 1013)->setText(description);
        page.OnAdd();
    }

    static void SelectListed(CCategoryPage &page, const QString &name)
    {
        auto *list = Control<QTreeWidget>(&page, 1016);
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    }

    // Rent used by every unit: three expense rows, one income row by the same name.
    void SeedRentInUse()
    {
        AddCategory(QStringLiteral("Rent"), 2);
        AddCategory(QStringLiteral("Food"), 2);
        for (const char *unit : {"Home", "Shop", "Farm"})
            AddRow(QString::fromLatin1(unit), Day(1), QStringLiteral("Rent"), 5, QString(), 2);
        AddRow(QStringLiteral("Home"), Day(1), QStringLiteral("Food"), 5, QString(), 2);
        AddRow(QStringLiteral("Home"), Day(1), QStringLiteral("Rent"), 5, QString(), 1);
    }

    // Deletes Rent from the Expense list, checking `units` in the unit dialog.
    void DeleteRent(CCategoryPage &page, const QStringList &units, bool selectAll = false)
    {
        SelectListed(page, QStringLiteral("Rent"));
        OnNextModal([units, selectAll](QDialog *chooser) {
            EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Select Unit or Division. "));
            auto *list = Control<QListWidget>(chooser, 1078);
            for (const QString &unit : units)
                list->findItems(unit, Qt::MatchExactly).value(0)->setCheckState(Qt::Checked);
            if (selectAll)
                Control<QCheckBox>(chooser, 1079)->click();
            Control<QPushButton>(chooser, 1)->click();
        });
        page.OnDelete();
    }
};

} // namespace

TEST_F(CategoryPageTest, DuplicateRulesIgnoreCaseForIncomeOnly)
{
    AddCategory(QStringLiteral("Rent"), 1);
    AddCategory(QStringLiteral("Rent"), 2);
    CCategoryPage page(data);
    struct Case {
        int type;
        const char *name;
        const char *message;
    };
    const Case cases[] = {
        {1, "rent", "rent, already exists!"},  {2, "Rent", "Rent, already exists!"},
        {2, "rent", nullptr},                  {3, "RENT", "RENT, already exists!"},
        {3, "   ", "Please enter a Category!"}, {1, "  Fees  ", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestUi().Reset();
        page.SelectType(c.type);
        Add(page, QString::fromLatin1(c.name));
        EXPECT_EQ(TestUi().LastText(), c.message ? QString::fromLatin1(c.message) : QString());
        EXPECT_EQ(page.focusWidget(), Control<QWidget>(&page, 1012));
    }
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='rent' AND iType=2")),
              QStringLiteral("1"));
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='Fees'")),
              QStringLiteral("1"));
    EXPECT_EQ(Listed(page).first(), QStringLiteral("Fees")) << "a new row goes on top";
}

TEST_F(CategoryPageTest, BothCategoriesStandInBothListsButAreListedOnlyUnderBoth)
{
    AddCategory(QStringLiteral("Salary"), 1);
    CCategoryPage page(data);
    page.SelectType(3);
    Add(page, QStringLiteral("Gifts"), QStringLiteral("from family"));
    Add(page, QStringLiteral("Children's %s"));
    EXPECT_EQ(CategoryNames(data.incomeCategories),
              (QStringList{QStringLiteral("Salary"), QStringLiteral("Gifts"), QStringLiteral("Children's %s")}));
    EXPECT_EQ(CategoryNames(data.expenseCategories), (QStringList{QStringLiteral("Gifts"), QStringLiteral("Children's %s")}));
    page.SelectType(3);
    EXPECT_EQ(Listed(page), (QStringList{QStringLiteral("Children's %s"), QStringLiteral("Gifts")}));
    page.SelectType(1);
    EXPECT_EQ(Listed(page), QStringList{QStringLiteral("Salary")});
    page.SelectType(2);
    EXPECT_TRUE(Listed(page).isEmpty());
    ASSERT_TRUE(data.LoadCategories());
    EXPECT_EQ(CategoryNames(data.expenseCategories), (QStringList{QStringLiteral("Gifts"), QStringLiteral("Children's %s")}));
}

TEST_F(CategoryPageTest, ACategoryNotInUseIsDeletedAfterOneQuestion)
{
    AddCategory(QStringLiteral("Children's Books"), 2);
    CCategoryPage page(data);
    page.OnDelete();
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Please select a Category from the list."));
    SelectListed(page, QStringLiteral("Children's Books"));
    TestUi().QueueAnswer(IDYES);
    page.OnDelete();
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Are you sure you want to delete this  ' Children's Books ' category?"));
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB")), 0);
    EXPECT_TRUE(data.expenseCategories.isEmpty());
    EXPECT_TRUE(Listed(page).isEmpty());
}

TEST_F(CategoryPageTest, InUseForAllUnitsRemovesTheCategoryAndItsRowsOfThatType)
{
    SeedRentInUse();
    CCategoryPage page(data);
    TestUi().QueueAnswer(IDNO); // no backup
    DeleteRent(page, {}, true);
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Rent' AND iTransactionType=2")), 0);
    EXPECT_EQ(Rows(), 2) << "Food and the income Rent stay";
    EXPECT_EQ(CategoryNames(data.expenseCategories), QStringList{QStringLiteral("Food")});
    EXPECT_EQ(Listed(page), QStringList{QStringLiteral("Food")});
}

TEST_F(CategoryPageTest, InUseForSomeUnitsKeepsTheCategoryAndTheOtherUnits)
{
    SeedRentInUse();
    CCategoryPage page(data);
    TestUi().QueueAnswer(IDNO);
    DeleteRent(page, {QStringLiteral("Home"), QStringLiteral("Farm")});
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Rent' AND iTransactionType=2")), 1);
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Rent' AND cUnitName='Shop'")), 1);
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB"), QStringLiteral("cTransactionName='Rent'")), 1);

    // Every unit checked one by one counts as Select All.
    TestUi().QueueAnswer(IDNO);
    DeleteRent(page, {QStringLiteral("Home"), QStringLiteral("Shop"), QStringLiteral("Farm")});
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB"), QStringLiteral("cTransactionName='Rent'")), 0);
}

TEST_F(CategoryPageTest, BackupOrCancelDecideWhetherAnythingIsDeleted)
{
    SeedRentInUse();
    int backups = 0;
    bool backupSucceeds = false;
    data.backupData = [&](QObject *) {
        ++backups;
        return backupSucceeds;
    };
    CCategoryPage page(data);
    TestUi().QueueAnswer(IDCANCEL);
    DeleteRent(page, {}, true);
    TestUi().QueueAnswer(IDYES);
    DeleteRent(page, {}, true);
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(Rows(), 5);

    backupSucceeds = true;
    TestUi().QueueAnswer(IDYES);
    DeleteRent(page, {}, true);
    EXPECT_EQ(backups, 2);
    EXPECT_EQ(Rows(), 2);
}

TEST_F(CategoryPageTest, AFailureInsideTheCascadeChangesNoRow)
{
    SeedRentInUse();
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_ITEM_MASTER_INFO_TB"));
    CCategoryPage page(data);
    TestUi().QueueAnswer(IDNO);
    DeleteRent(page, {}, true);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("forced failure"));
    EXPECT_EQ(Rows(), 5);
    EXPECT_EQ(CategoryNames(data.expenseCategories), (QStringList{QStringLiteral("Rent"), QStringLiteral("Food")}));
}

TEST_F(CategoryPageTest, ABothCategoryInUseOffersItsIncomesAndExpenses)
{
    AddCategory(QStringLiteral("Fees"), 3);
    AddRow(QStringLiteral("Home"), Day(1), QStringLiteral("Fees"), 5, QString(), 1);
    AddRow(QStringLiteral("Shop"), Day(1), QStringLiteral("Fees"), 5, QString(), 2);
    CCategoryPage page(data);
    page.SelectType(3);
    SelectListed(page, QStringLiteral("Fees"));
    OnNextModal([](QDialog *chooser) {
        Control<QCheckBox>(chooser, 1079)->click();
        Control<QPushButton>(chooser, 1)->click();
    });
    TestUi().QueueAnswer(IDNO);
    page.OnDelete();
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(data.incomeCategories.isEmpty());
    EXPECT_TRUE(data.expenseCategories.isEmpty());
}

TEST_F(CategoryPageTest, TheTypeLastShownIsRememberedAndKeysWorkByThemselves)
{
    {
        CPageHostDlg host(new CCategoryPage(data), nullptr);
        auto *page = static_cast<CCategoryPage *>(host.Page());
        EXPECT_EQ(page->SelectedType(), 2);
        EXPECT_TRUE(Control<QRadioButton>(page, 1037)->isChecked());
        page->SelectType(3);
        host.show();
        QTest::keyClicks(Control<QLineEdit>(page, 1012), QStringLiteral("Gifts"));
        QTest::keyClick(Control<QLineEdit>(page, 1012), Qt::Key_Return);
        EXPECT_EQ(Listed(*page), QStringList{QStringLiteral("Gifts")});
        EXPECT_TRUE(host.isVisible());
        QTest::keyClick(&host, Qt::Key_Escape);
        EXPECT_FALSE(host.isVisible());
    }
    CCategoryPage reopened(data);
    EXPECT_TRUE(Control<QRadioButton>(&reopened, 1038)->isChecked());
    EXPECT_EQ(Listed(reopened), QStringList{QStringLiteral("Gifts")});

    CCategoryPage wizardPage(data, true);
    EXPECT_TRUE(Control<QPushButton>(&wizardPage, 2)->isHidden());
}
