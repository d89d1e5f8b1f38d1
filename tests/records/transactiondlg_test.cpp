#include "records/transactiondlg.h"

#include "data/profile.h"
#include "recordfixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class TransactionDlgTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        SetUnits({QStringLiteral("Shop"), QStringLiteral("home")});
        AddCategory(QStringLiteral("Salary"), 1);
        AddCategory(QStringLiteral("bonus"), 1);
        AddCategory(QStringLiteral("Rent"), 2);
    }
};

QStringList Items(QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

TEST_F(TransactionDlgTest, AmountRuleDecidesWhatIsWritten)
{
    struct Case {
        const char *typed;
        bool accepted;
        const char *stored;
    };
    const Case cases[] = {
        {"", false, ""},      {".", false, ""},    {"5.", true, "5.000000"}, {".5", true, "0.500000"},
        {"0", true, "0.000000"}, {"1,000", false, ""}, {" 1", false, ""},     {"-3", false, ""},
        {"1.2.3", false, ""}, {"12.50", true, "12.500000"},
    };
    CTransactionDlg dlg(data, 1);
    auto *amount = Control<QLineEdit>(&dlg, 1030);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        TestUi().Reset();
        const int before = Rows();
        amount->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(dlg.OnSave(), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(TestUi().messages.isEmpty());
            EXPECT_EQ(Table().last().section(u'|', 3, 3), QLatin1String(c.stored));
        } else {
            EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Please enter a valid amount!")});
            EXPECT_EQ(Rows(), before);
            EXPECT_EQ(amount->text(), QString());
            EXPECT_EQ(dlg.focusWidget(), amount);
        }
    }
}

TEST_F(TransactionDlgTest, SeriesOfAddsKeepsUnitDateAndCategory)
{
    CTransactionDlg dlg(data, 2);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Add Expense"));
    EXPECT_EQ(Control<QLabel>(&dlg, 1029)->text(), QStringLiteral("Amount ($)"));
    auto *unit = Control<QComboBox>(&dlg, 1022);
    auto *category = Control<QComboBox>(&dlg, 1028);
    auto *amount = Control<QLineEdit>(&dlg, 1030);
    auto *description = Control<QLineEdit>(&dlg, 1032);
    auto *status = Control<QLabel>(&dlg, 1137);
    unit->setCurrentIndex(1);
    Control<QDateEdit>(&dlg, 1026)->setDate(Day(14));
    const char *amounts[] = {"10", "20.5", "30"};
    for (const char *a : amounts) {
        amount->setText(QString::fromLatin1(a));
        EXPECT_TRUE(status->text().isEmpty()) << "typing the next amount clears the line";
        description->setText(QStringLiteral("lot %1").arg(QLatin1String(a)));
        ASSERT_TRUE(dlg.OnSave());
        EXPECT_EQ(status->text(), QStringLiteral("Expense record has been added"));
        EXPECT_EQ(unit->currentText(), QStringLiteral("Shop"));
        EXPECT_EQ(category->currentText(), QStringLiteral("Rent"));
        EXPECT_TRUE(amount->text().isEmpty());
        EXPECT_TRUE(description->text().isEmpty());
        EXPECT_EQ(dlg.focusWidget(), category);
    }
    EXPECT_EQ(Table(), (QStringList{QStringLiteral("Shop|03/14/2023|Rent|10.000000|lot 10|2"),
                                    QStringLiteral("Shop|03/14/2023|Rent|20.500000|lot 20.5|2"),
                                    QStringLiteral("Shop|03/14/2023|Rent|30.000000|lot 30|2")}));
    EXPECT_EQ(GetProfileString(QStringLiteral("Settings"), QStringLiteral("DefaultUnit")), QStringLiteral("Shop"));
}

TEST_F(TransactionDlgTest, BoxesAreSortedIgnoringCaseAndTheRememberedUnitIsFoundByItsStart)
{
    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("DefaultUnit"), QStringLiteral("SH"));
    CTransactionDlg dlg(data, 1);
    EXPECT_EQ(Items(Control<QComboBox>(&dlg, 1022)), (QStringList{QStringLiteral("home"), QStringLiteral("Shop")}));
    EXPECT_EQ(Items(Control<QComboBox>(&dlg, 1028)), (QStringList{QStringLiteral("bonus"), QStringLiteral("Salary")}));
    EXPECT_EQ(Control<QComboBox>(&dlg, 1022)->currentText(), QStringLiteral("Shop"));
    EXPECT_EQ(Control<QComboBox>(&dlg, 1028)->currentText(), QStringLiteral("bonus"));

    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("DefaultUnit"), QStringLiteral("Branch"));
    CTransactionDlg other(data, 1);
    EXPECT_EQ(Control<QComboBox>(&other, 1022)->currentText(), QStringLiteral("home"));
}

TEST_F(TransactionDlgTest, EnterWalksTheFieldsAndSavesFromTheDescriptionUnlessCtrlIsHeld)
{
    CTransactionDlg dlg(data, 1);
    dlg.show();
    const int order[] = {1022, 1026, 1028, 1030, 1032};
    for (int i = 0; i + 1 < 5; ++i) {
        QTest::keyClick(Control<QWidget>(&dlg, order[i]), Qt::Key_Return);
        EXPECT_EQ(dlg.focusWidget(), Control<QWidget>(&dlg, order[i + 1]));
    }
    QTest::keyClicks(Control<QLineEdit>(&dlg, 1030), QStringLiteral("7"));
    QTest::keyClick(Control<QLineEdit>(&dlg, 1032), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Rows(), 0);
    QTest::keyClick(Control<QLineEdit>(&dlg, 1032), Qt::Key_Return);
    EXPECT_EQ(Rows(), 1);
}

TEST_F(TransactionDlgTest, ApostrophesPercentSignsAndStatementTextAreStoredIntact)
{
    const QString unit = QStringLiteral("O'Brien's 100% Shop");
    const QString category = QStringLiteral("Children's Books %s %d");
    const QString description = QStringLiteral("x'); DROP TABLE LB_TRANSACTION_INFO_TB; --");
    SetUnits({unit});
    AddCategory(category, 1);
    CTransactionDlg add(data, 1);
    Control<QComboBox>(&add, 1022)->setCurrentText(unit);
    Control<QComboBox>(&add, 1028)->setCurrentText(category);
    Control<QLineEdit>(&add, 1030)->setText(QStringLiteral("3"));
    Control<QLineEdit>(&add, 1032)->setText(description);
    ASSERT_TRUE(add.OnSave());
    ASSERT_EQ(Rows(QStringLiteral("cUnitName='O''Brien''s 100% Shop' AND cTransactionName='Children''s Books %s %d'")), 1);

    CTransactionDlg edit(data, 1, Value(QStringLiteral("SELECT MAX(iTransactionNumber) FROM LB_TRANSACTION_INFO_TB")).toLong());
    EXPECT_EQ(Control<QComboBox>(&edit, 1022)->currentText(), unit);
    EXPECT_EQ(Control<QComboBox>(&edit, 1028)->currentText(), category);
    EXPECT_EQ(Control<QLineEdit>(&edit, 1032)->text(), description);
}

TEST_F(TransactionDlgTest, EditModeShowsTwoDecimalsAndAsksOnlyAfterARealChange)
{
    AddRow(QStringLiteral("home"), Day(2), QStringLiteral("Salary"), 12.5, QStringLiteral("March"), 1);
    {
        CTransactionDlg dlg(data, 1, 1);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Edit Income"));
        EXPECT_EQ(Control<QLineEdit>(&dlg, 1030)->text(), QStringLiteral("12.50"));
        EXPECT_EQ(Control<QDateEdit>(&dlg, 1026)->date(), Day(2));
        dlg.show();
        dlg.reject();
        EXPECT_TRUE(TestUi().messages.isEmpty()) << "loading the record is not a change";
        EXPECT_FALSE(dlg.isVisible());
    }
    {
        // Yes with an amount that fails the check keeps the dialog and the edits.
        CTransactionDlg dlg(data, 1, 1);
        dlg.show();
        Control<QLineEdit>(&dlg, 1030)->setText(QStringLiteral("1,5"));
        TestUi().QueueAnswer(IDYES);
        dlg.reject();
        EXPECT_EQ(TestUi().Texts(), (QStringList{QStringLiteral("Do you want to Save this Record?"),
                                                 QStringLiteral("Please enter a valid amount!")}));
        EXPECT_TRUE(dlg.isVisible());
        Control<QLineEdit>(&dlg, 1030)->setText(QStringLiteral("15"));
        TestUi().QueueAnswer(IDYES);
        dlg.reject();
        EXPECT_TRUE(dlg.Saved());
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(Table(), QStringList{QStringLiteral("home|03/02/2023|Salary|15.000000|March|1")});
    {
        CTransactionDlg dlg(data, 1, 1);
        dlg.show();
        Control<QLineEdit>(&dlg, 1032)->setText(QStringLiteral("changed"));
        TestUi().QueueAnswer(IDNO);
        dlg.reject();
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(Table(), QStringList{QStringLiteral("home|03/02/2023|Salary|15.000000|March|1")});
}

TEST_F(TransactionDlgTest, EditKeepsAStoredCategoryAndUnitThatNoLongerExist)
{
    // "Sal" is gone; "Salary" begins with it but is another category.
    AddRow(QStringLiteral("Ho"), Day(3), QStringLiteral("Sal"), 4, QString(), 1);
    CTransactionDlg dlg(data, 1, 1);
    EXPECT_EQ(Control<QComboBox>(&dlg, 1028)->currentText(), QStringLiteral("Sal"));
    EXPECT_EQ(Control<QComboBox>(&dlg, 1022)->currentText(), QStringLiteral("Ho"));
    Control<QLineEdit>(&dlg, 1032)->setText(QStringLiteral("note"));
    ASSERT_TRUE(dlg.OnSave());
    EXPECT_EQ(Table(), QStringList{QStringLiteral("Ho|03/03/2023|Sal|4.000000|note|1")});
}

TEST_F(TransactionDlgTest, MissingUnitsOrCategoriesOfferTheSetupWizardInstead)
{
    int wizardRuns = 0;
    data.runSetupWizard = [&](QObject *) { ++wizardRuns; };
    data.company.units.clear();
    for (const int answer : {IDNO, IDYES}) {
        CTransactionDlg dlg(data, 1);
        TestUi().QueueAnswer(answer);
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_EQ(TestUi().LastText(),
              QStringLiteral("Unit or Division and Other Information is missing. Do you want to run the Setup Wizard?"));

    SetUnits({QStringLiteral("home")});
    data.expenseCategories.clear();
    TestUi().Reset();
    EXPECT_FALSE(CTransactionDlg(data, 2).HasEntryData());
    EXPECT_TRUE(CTransactionDlg(data, 1).HasEntryData());
}

TEST_F(TransactionDlgTest, AFailedInsertKeepsTheFieldsAndTheRememberedUnit)
{
    FailOn(QStringLiteral("INSERT"), QStringLiteral("LB_TRANSACTION_INFO_TB"));
    CTransactionDlg dlg(data, 1);
    Control<QLineEdit>(&dlg, 1030)->setText(QStringLiteral("9"));
    Control<QLineEdit>(&dlg, 1032)->setText(QStringLiteral("kept"));
    EXPECT_FALSE(dlg.OnSave());
    EXPECT_EQ(TestUi().messages.size(), 1);
    EXPECT_EQ(Control<QLineEdit>(&dlg, 1030)->text(), QStringLiteral("9"));
    EXPECT_EQ(Control<QLineEdit>(&dlg, 1032)->text(), QStringLiteral("kept"));
    EXPECT_TRUE(Control<QLabel>(&dlg, 1137)->text().isEmpty());
    EXPECT_TRUE(GetProfileString(QStringLiteral("Settings"), QStringLiteral("DefaultUnit")).isEmpty());
}
