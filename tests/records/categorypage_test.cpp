#include "records/categorypage.h"

#include "recordfixture.h"
#include "records/categorystore.h"
#include "controls/pagehostdlg.h"
#include "records/selectunitdlg.h"

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

    static QStringList Listed(CCategoryPage &page) { return Column(&page, 1016); }

    static void Add(CCategoryPage &page, const QString &name, const QString &description = QString())
    {
        Control<QLineEdit>(&page, 1012)->setText(name);
        Control<QLineEdit>(&page, 1013)->setText(description);
        page.OnAdd();
    }

    static void Select(CCategoryPage &page, const QString &name)
    {
        auto *list = Control<QTreeWidget>(&page, 1016);
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    }

    // Deletes `name`, which is in use: the unit dialog checks `units` (all of
    // them through Select All when empty) and `ok` false cancels it.
    static void Delete(CCategoryPage &page, const QString &name, const QStringList &units = {}, bool ok = true)
    {
        Select(page, name);
        OnNextModal([units, ok](QDialog *chooser) {
            auto *checks = Control<QListWidget>(chooser, 1078);
            for (const QString &unit : units)
                checks->findItems(unit, Qt::MatchExactly).value(0)->setCheckState(Qt::Checked);
            if (units.isEmpty())
                Control<QCheckBox>(chooser, 1079)->click();
            Control<QPushButton>(chooser, ok ? 1 : 2)->click();
        });
        page.OnDelete();
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
    int Categories(const QString &where) { return db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB"), where); }
};

} // namespace

TEST_F(CategoryPageTest, DuplicateRulesIgnoreCaseForIncomeOnly)
{
    AddCategory(QStringLiteral("Rent"), 1);
    AddCategory(QStringLiteral("Rent"), 2);
    CCategoryPage page(data);
    const struct {
        int type;
        const char *name, *message; // nullptr: added
    } cases[] = {
        {1, "rent", "rent, already exists!"},  {2, "Rent", "Rent, already exists!"},
        {2, "rent", nullptr},                  {3, "RENT", "RENT, already exists!"},
        {3, "   ", "Please enter a Category!"}, {1, "  Fees  ", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestUi().Reset();
        page.SelectType(c.type);
        Add(page, QString::fromLatin1(c.name));
        EXPECT_EQ(TestUi().LastText(), c.message ? QString::fromLatin1(c.message) : QString());
        EXPECT_EQ(page.focusWidget(), Control<QWidget>(&page, 1012));
    }
    EXPECT_EQ(Categories(QStringLiteral("cTransactionName='rent' AND iType=2")), 1);
    EXPECT_EQ(Categories(QStringLiteral("cTransactionName='Fees'")), 1);
    EXPECT_EQ(Listed(page).first(), QStringLiteral("Fees")) << "a new row goes on top";
}

TEST_F(CategoryPageTest, BothCategoriesStandInBothListsAndTheTypeShownLastIsRemembered)
{
    AddCategory(QStringLiteral("Salary"), 1);
    {
        CPageHostDlg host(new CCategoryPage(data), nullptr);
        auto &page = *static_cast<CCategoryPage *>(host.Page());
        EXPECT_TRUE(Control<QRadioButton>(&page, 1037)->isChecked());
        Control<QRadioButton>(&page, 1038)->click();
        host.show();
        QTest::keyClicks(Control<QLineEdit>(&page, 1012), QStringLiteral("Gifts"));
        QTest::keyClick(Control<QLineEdit>(&page, 1012), Qt::Key_Return);
        Add(page, QStringLiteral("Children's %s"));
        page.SelectType(1);
        EXPECT_EQ(Listed(page), QStringList{QStringLiteral("Salary")});
        page.SelectType(2);
        EXPECT_TRUE(Listed(page).isEmpty());
        Control<QRadioButton>(&page, 1038)->click();
        QTest::keyClick(&host, Qt::Key_Escape);
        EXPECT_FALSE(host.isVisible());
    }
    const QStringList both{QStringLiteral("Gifts"), QStringLiteral("Children's %s")};
    EXPECT_EQ(CategoryNames(data.incomeCategories), QStringList{QStringLiteral("Salary")} + both);
    EXPECT_EQ(CategoryNames(data.expenseCategories), both);
    CCategoryPage reopened(data);
    EXPECT_TRUE(Control<QRadioButton>(&reopened, 1038)->isChecked());
    EXPECT_EQ(Listed(reopened), (QStringList{QStringLiteral("Children's %s"), QStringLiteral("Gifts")}));
    ASSERT_TRUE(data.LoadCategories());
    EXPECT_EQ(CategoryNames(data.expenseCategories), both);
}

TEST_F(CategoryPageTest, ACategoryNotInUseGoesAfterOneQuestionAndAFailureChangesNoList)
{
    AddCategory(QStringLiteral("Children's Books"), 2);
    AddCategory(QStringLiteral("Rent"), 2);
    CCategoryPage page(data);
    page.OnDelete();
    TestUi().QueueAnswer(IDYES);
    Select(page, QStringLiteral("Children's Books"));
    page.OnDelete();
    EXPECT_EQ(TestUi().Texts(), (QStringList{QStringLiteral("Please select a Category from the list."),
                                             QStringLiteral("Are you sure you want to delete this  ' Children's Books ' category?")}));
    EXPECT_EQ(CategoryNames(data.expenseCategories), QStringList{QStringLiteral("Rent")});
    EXPECT_EQ(Listed(page), QStringList{QStringLiteral("Rent")});

    FailOn(QStringLiteral("INSERT"), QStringLiteral("LB_ITEM_MASTER_INFO_TB"));
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_ITEM_MASTER_INFO_TB"));
    TestUi().Reset();
    page.SelectType(3);
    Add(page, QStringLiteral("Gifts"));
    EXPECT_EQ(Control<QLineEdit>(&page, 1012)->text(), QStringLiteral("Gifts"));
    EXPECT_TRUE(Listed(page).isEmpty());
    page.SelectType(2);
    TestUi().QueueAnswer(IDYES);
    Select(page, QStringLiteral("Rent"));
    page.OnDelete();
    EXPECT_EQ(TestUi().messages.size(), 3);
    EXPECT_EQ(Listed(page), QStringList{QStringLiteral("Rent")});
    EXPECT_TRUE(data.incomeCategories.isEmpty());
    EXPECT_EQ(CategoryNames(data.expenseCategories), QStringList{QStringLiteral("Rent")});
}

TEST_F(CategoryPageTest, InUseTheChosenUnitsLoseTheirRowsAndAllUnitsTheCategory)
{
    SeedRentInUse();
    CCategoryPage page(data);
    TestUi().QueueAnswer(IDNO); // no backup
    Delete(page, QStringLiteral("Rent"), {QStringLiteral("Home"), QStringLiteral("Farm")});
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Rent' AND iTransactionType=2")), 1);
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Rent' AND cUnitName='Shop'")), 1);
    EXPECT_EQ(Categories(QStringLiteral("cTransactionName='Rent'")), 1);

    // Every unit checked one by one counts as Select All.
    TestUi().QueueAnswer(IDNO);
    Delete(page, QStringLiteral("Rent"), {QStringLiteral("Home"), QStringLiteral("Shop"), QStringLiteral("Farm")});
    EXPECT_EQ(Rows(), 2) << "Food and the income Rent stay";
    EXPECT_EQ(Categories(QStringLiteral("cTransactionName='Rent'")), 0);
    EXPECT_EQ(CategoryNames(data.expenseCategories), QStringList{QStringLiteral("Food")});
    EXPECT_EQ(Listed(page), QStringList{QStringLiteral("Food")});

    // A Both category takes its incomes and its expenses with it.
    AddCategory(QStringLiteral("Fees"), 3);
    AddRow(QStringLiteral("Home"), Day(1), QStringLiteral("Fees"), 5, QString(), 1);
    AddRow(QStringLiteral("Shop"), Day(1), QStringLiteral("Fees"), 5, QString(), 2);
    page.SelectType(3);
    TestUi().QueueAnswer(IDNO);
    Delete(page, QStringLiteral("Fees"));
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(CategoryNames(data.incomeCategories) + CategoryNames(data.expenseCategories), QStringList{QStringLiteral("Food")});
}

TEST_F(CategoryPageTest, TheUnitDialogOkNeedsACheckedUnitAndSelectAllFollowsTheChecks)
{
    CSelectUnitDlg dlg({QStringLiteral("Shop"), QStringLiteral("farm"), QStringLiteral("Home")}, nullptr);
    auto *list = Control<QListWidget>(&dlg, 1078);
    auto *all = Control<QCheckBox>(&dlg, 1079);
    auto *ok = Control<QPushButton>(&dlg, 1);
    EXPECT_FALSE(ok->isEnabled());
    list->item(2)->setCheckState(Qt::Checked);
    list->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dlg.CheckedUnits(), (QStringList{QStringLiteral("farm"), QStringLiteral("Shop")}));
    list->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(dlg.AllSelected());
    list->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(dlg.AllSelected());
    all->click();
    EXPECT_EQ(dlg.CheckedUnits().size(), 3);
    all->click();
    EXPECT_TRUE(dlg.CheckedUnits().isEmpty());
    EXPECT_FALSE(ok->isEnabled());
}

TEST_F(CategoryPageTest, CancelAFailedBackupOrAFailureInTheCascadeDeletesNothing)
{
    SeedRentInUse();
    int backups = 0;
    bool backupSucceeds = false;
    data.backupData = [&](QObject *) {
        ++backups;
        return backupSucceeds;
    };
    CCategoryPage page(data);
    Delete(page, QStringLiteral("Rent"), {}, false);
    EXPECT_TRUE(TestUi().messages.isEmpty()) << "no backup question after the unit dialog's Cancel";
    TestUi().QueueAnswer(IDCANCEL);
    Delete(page, QStringLiteral("Rent"));
    TestUi().QueueAnswer(IDYES);
    Delete(page, QStringLiteral("Rent"));
    EXPECT_EQ(backups, 1);

    backupSucceeds = true;
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_ITEM_MASTER_INFO_TB"));
    TestUi().QueueAnswer(IDYES);
    Delete(page, QStringLiteral("Rent"));
    EXPECT_EQ(backups, 2);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("forced failure"));
    EXPECT_EQ(Rows(), 5);
    EXPECT_EQ(CategoryNames(data.expenseCategories), (QStringList{QStringLiteral("Rent"), QStringLiteral("Food")}));
}
