#include "records/transactiondlg.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/profile.h"
#include "recordfixture.h"
#include "records/recordui.h"
#include "support/germandesktop.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

    static void Type(CTransactionDlg &dlg, int id, const QString &text) { Control<QLineEdit>(&dlg, id)->setText(text); }
    QString DefaultUnit() { return GetProfileString(QStringLiteral("Settings"), QStringLiteral("DefaultUnit")); }
};

} // namespace

TEST_F(TransactionDlgTest, AmountRuleDecidesWhatIsWritten)
{
    // A desktop that reads numbers only with a point.
    CPlainDesktop plain;
    const struct {
        const char *typed, *stored; // nullptr: refused
    } cases[] = {{"", nullptr},     {".", nullptr},     {"5.", "5.000000"}, {".5", "0.500000"}, {"0", "0.000000"},
                 {"1,000", nullptr}, {" 1", nullptr},   {"-3", nullptr},    {"1.2.3", nullptr}, {"12.50", "12.500000"}};
    CTransactionDlg dlg(data, 1);
    dlg.show();
    auto *amount = Control<QLineEdit>(&dlg, 1030);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        TestUi().Reset();
        const int before = Rows();
        amount->setText(QString::fromLatin1(c.typed));
        Control<QWidget>(&dlg, 1032)->setFocus();
        EXPECT_EQ(dlg.OnSave(), c.stored != nullptr);
        if (c.stored) {
            EXPECT_EQ(Table().last().section(u'|', 3, 3), QLatin1String(c.stored));
            continue;
        }
        EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Please enter a valid amount, for example 1250.50.")});
        EXPECT_EQ(Rows(), before);
        // What was typed stays, selected, for the user to mend.
        EXPECT_EQ(amount->text(), QString::fromLatin1(c.typed));
        EXPECT_EQ(amount->selectedText(), QString::fromLatin1(c.typed));
        EXPECT_EQ(dlg.focusWidget(), amount);
    }
}

TEST_F(TransactionDlgTest, AnAddTellsOfItselfUntilTheNextAmountAndRemembersTheUnit)
{
    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("DefaultUnit"), QStringLiteral("SH"));
    CTransactionDlg dlg(data, 2);
    auto *unit = Control<QComboBox>(&dlg, 1022);
    auto *status = Control<QLabel>(&dlg, 1137);
    EXPECT_EQ(ComboItems(unit), (QStringList{QStringLiteral("home"), QStringLiteral("Shop")})) << "sorted ignoring case";
    EXPECT_EQ(unit->currentText(), QStringLiteral("Shop")) << "the remembered unit is found by its start";
    const QString description = QStringLiteral("x'); DROP TABLE LB_TRANSACTION_INFO_TB; -- 100% %s");
    Type(dlg, 1030, QStringLiteral("10"));
    Type(dlg, 1032, description);
    ASSERT_TRUE(dlg.OnSave());
    EXPECT_EQ(status->text(), QStringLiteral("Expense record has been added"));
    Type(dlg, 1030, QStringLiteral(" "));
    EXPECT_FALSE(status->text().isEmpty());
    Type(dlg, 1030, QStringLiteral("2"));
    EXPECT_TRUE(status->text().isEmpty());
    EXPECT_EQ(Table(), QStringList{QStringLiteral("Shop|03/17/2026|Rent|10.000000|") + description + QStringLiteral("|2")});

    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("DefaultUnit"), QStringLiteral("Branch"));
    CTransactionDlg other(data, 1);
    EXPECT_EQ(Control<QComboBox>(&other, 1022)->currentText(), QStringLiteral("home"));
    EXPECT_EQ(Control<QComboBox>(&other, 1028)->currentText(), QStringLiteral("bonus"));
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

TEST_F(TransactionDlgTest, EditShowsTwoDecimalsAndAsksOnlyAfterARealChange)
{
    AddRow(QStringLiteral("home"), Day(2), QStringLiteral("Salary"), 12.5, QStringLiteral("March"), 1);
    for (const bool change : {true, false}) { // unchanged: loading is no change, nothing is asked
        CTransactionDlg dlg(data, 1, 1);
        EXPECT_EQ(Control<QLineEdit>(&dlg, 1030)->text(), QStringLiteral("12.50"));
        EXPECT_EQ(Control<QDateEdit>(&dlg, 1026)->date(), Day(2));
        dlg.show();
        if (change) {
            Type(dlg, 1032, QStringLiteral("changed"));
            TestUi().QueueAnswer(IDNO);
        }
        dlg.reject();
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Do you want to Save this Record?")});

    // Yes with an amount that fails the check keeps the dialog and the edits.
    TestUi().Reset();
    CTransactionDlg dlg(data, 1, 1);
    dlg.show();
    Type(dlg, 1030, QStringLiteral("1.2.3"));
    TestUi().QueueAnswer(IDYES);
    dlg.reject();
    EXPECT_TRUE(TestUi().LastText().startsWith(QStringLiteral("Please enter a valid amount, for example 1250.50")));
    EXPECT_TRUE(dlg.isVisible());
    Type(dlg, 1030, QStringLiteral("15"));
    TestUi().QueueAnswer(IDYES);
    dlg.reject();
    EXPECT_TRUE(dlg.Saved());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(Table(), QStringList{QStringLiteral("home|03/02/2023|Salary|15.000000|March|1")});
}

TEST_F(TransactionDlgTest, EditWritesBackEveryFieldTheUserLeftAsStored)
{
    // As an add-in or the shell may leave them: three decimals, a date text
    // the engine cannot read, a category and unit since deleted ("Salary"
    // begins with "Sal" but is another category), a description longer than
    // the box takes.
    const QString longText = QString(200, u'd') + QStringLiteral("end");
    db.Exec(QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                           "cTransactionAmount,cTransactionDescription,iTransactionType) "
                           "values ('O''Brien','someday','Sal',12.345,'%1',1)")
                .arg(longText));
    {
        CTransactionDlg dlg(data, 1, 1);
        EXPECT_EQ(Control<QComboBox>(&dlg, 1028)->currentText(), QStringLiteral("Sal"));
        EXPECT_EQ(Control<QLineEdit>(&dlg, 1032)->text(), longText);
        Type(dlg, 1030, QStringLiteral("8"));
        ASSERT_TRUE(dlg.OnSave());
    }
    EXPECT_EQ(Table(), QStringList{QStringLiteral("O'Brien|someday|Sal|8.000000|") + longText + QStringLiteral("|1")});
    db.Exec(QStringLiteral("UPDATE LB_TRANSACTION_INFO_TB SET cTransactionAmount=12.345"));
    {
        CTransactionDlg dlg(data, 1, 1);
        Type(dlg, 1032, QStringLiteral("only this"));
        ASSERT_TRUE(dlg.OnSave());
    }
    EXPECT_EQ(Table(), QStringList{QStringLiteral("O'Brien|someday|Sal|12.345000|only this|1")});
}

TEST_F(TransactionDlgTest, ARecordThatCannotBeReadIsNeverSavedOver)
{
    // A stored amount that is no number fails the read; record 2 does not exist.
    AddRow(QStringLiteral("home"), Day(2), QStringLiteral("Salary"), 5, QStringLiteral("kept"), 1);
    db.Exec(QStringLiteral("UPDATE LB_TRANSACTION_INFO_TB SET cTransactionAmount='five'"));
    const QString row = QStringLiteral("SELECT cUnitName || cTransactionName || cTransactionAmount || "
                                       "cTransactionDescription FROM LB_TRANSACTION_INFO_TB");
    ASSERT_EQ(Value(row), QStringLiteral("homeSalaryfivekept"));
    for (const long number : {1L, 2L}) {
        SCOPED_TRACE(number);
        TestUi().Reset();
        CTransactionDlg dlg(data, 1, number);
        ASSERT_EQ(TestUi().messages.size(), 1);
        EXPECT_EQ(TestUi().LastText() == QStringLiteral("No records found."), number == 2);
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto *modal = QApplication::activeModalWidget()) {
                shown = true;
                Type(dlg, 1030, QStringLiteral("9"));
                Control<QPushButton>(modal, 1020)->click();
                modal->close();
            }
        });
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
        QCoreApplication::processEvents();
        EXPECT_FALSE(shown);
        Type(dlg, 1030, QStringLiteral("9"));
        EXPECT_FALSE(dlg.OnSave());
        EXPECT_EQ(Value(row), QStringLiteral("homeSalaryfivekept"));
    }
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
    }
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_EQ(TestUi().LastText(),
              QStringLiteral("Unit or Division and Other Information is missing. Do you want to run the Setup Wizard?"));
    SetUnits({QStringLiteral("home")});
    data.expenseCategories.clear();
    EXPECT_FALSE(CTransactionDlg(data, 2).HasEntryData());
}

TEST_F(TransactionDlgTest, AFailedWriteKeepsTheDialogAsTheUserLeftIt)
{
    AddRow(QStringLiteral("home"), Day(2), QStringLiteral("Salary"), 5, QStringLiteral("stored"), 1);
    const QStringList before = Table();
    FailOn(QStringLiteral("INSERT"), QStringLiteral("LB_TRANSACTION_INFO_TB"));
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("LB_TRANSACTION_INFO_TB"));
    CTransactionDlg add(data, 1);
    CTransactionDlg edit(data, 1, 1);
    edit.show();
    for (CTransactionDlg *dlg : {&add, &edit}) {
        TestUi().Reset();
        Type(*dlg, 1030, QStringLiteral("9"));
        Type(*dlg, 1032, QStringLiteral("typed"));
        Control<QPushButton>(dlg, 1020)->click();
        EXPECT_EQ(TestUi().messages.size(), 1);
        EXPECT_EQ(Control<QLineEdit>(dlg, 1030)->text(), QStringLiteral("9"));
        EXPECT_EQ(Control<QLineEdit>(dlg, 1032)->text(), QStringLiteral("typed"));
        EXPECT_TRUE(Control<QLabel>(dlg, 1137)->text().isEmpty());
    }
    EXPECT_TRUE(edit.isVisible());
    EXPECT_FALSE(edit.Saved());
    EXPECT_EQ(Table(), before);
    EXPECT_TRUE(DefaultUnit().isEmpty());
}

TEST_F(TransactionDlgTest, AnAddWhileAnotherProgramWritesAsksToRetryAndLosesNoEntry)
{
    data.connection.SetBusyTimeout(50);
    CTransactionDlg dlg(data, 1);
    auto *amount = Control<QLineEdit>(&dlg, 1030);
    // The other user's program is in the middle of its own change.
    db.Connection().BeginTrans();
    db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Other user'"));
    int asked = 0;
    TestUi().onMessage = [&](const CTestUiSeam::Message &m) {
        EXPECT_EQ(m.text, LoadString(StringId::DatabaseBusy));
        EXPECT_EQ(m.style & MB_BUTTONMASK, unsigned(MB_RETRYCANCEL));
        // Still busy at the first retry; finished before the second.
        if (++asked == 2)
            db.Connection().CommitTrans();
        return int(IDRETRY);
    };
    amount->setText(QStringLiteral("25"));
    EXPECT_TRUE(dlg.OnSave());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Rows(QStringLiteral("cTransactionAmount=25")), 1);

    // Cancel gives the change up but keeps it on screen to save again.
    db.Connection().BeginTrans();
    db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Other user'"));
    TestUi().onMessage = [](const CTestUiSeam::Message &) { return int(IDCANCEL); };
    amount->setText(QStringLiteral("7"));
    EXPECT_FALSE(dlg.OnSave());
    db.Connection().CommitTrans();
    EXPECT_EQ(amount->text(), QStringLiteral("7"));
    EXPECT_EQ(Rows(), 1);
    TestUi().onMessage = nullptr;
    EXPECT_TRUE(dlg.OnSave());
    EXPECT_EQ(Rows(), 2);
}
