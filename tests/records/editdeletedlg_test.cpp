#include "records/editdeletedlg.h"

#include "recordfixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class EditDeleteDlgTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        SetUnits({QStringLiteral("home"), QStringLiteral("Shop")});
        AddCategory(QStringLiteral("Rent"), 2);
        AddCategory(QStringLiteral("Children's Books"), 2);
        for (int day = 1; day <= 5; ++day)
            AddRow(QStringLiteral("home"), Day(day), QStringLiteral("Rent"), day * 10, QStringLiteral("r%1").arg(day), 2);
        AddRow(QStringLiteral("Shop"), Day(3), QStringLiteral("Children's Books"), 7.25, QStringLiteral("a'b"), 2);
        AddRow(QStringLiteral("Shop"), Day(3), QStringLiteral("Rent"), 99, QStringLiteral("income"), 1);
    }

    // The dialog on Rent for the first days of March 2023.
    void Range(CEditDeleteDlg &dlg, int from, int to)
    {
        Control<QDateEdit>(&dlg, 1048)->setDate(Day(from));
        Control<QDateEdit>(&dlg, 1049)->setDate(Day(to));
    }

    static QStringList Column(CEditDeleteDlg &dlg, int column) { return ::Column(&dlg, 1062, column); }

    static void Select(CEditDeleteDlg &dlg, const QList<int> &rows)
    {
        auto *list = Control<QTreeWidget>(&dlg, 1062);
        list->clearSelection();
        for (const int row : rows)
            list->topLevelItem(row)->setSelected(true);
    }
};

} // namespace

TEST_F(EditDeleteDlgTest, ListsTheRangeInclusiveAndNothingWhenFromIsAfterTo)
{
    CEditDeleteDlg dlg(data, 2);
    EXPECT_EQ(Control<QComboBox>(&dlg, 1059)->currentText(), QStringLiteral("Children's Books"));
    Range(dlg, 1, 31);
    EXPECT_EQ(Column(dlg, 2), QStringList{QStringLiteral("a'b")}) << "a category with an apostrophe lists its rows";

    Control<QComboBox>(&dlg, 1059)->setCurrentText(QStringLiteral("Rent"));
    Range(dlg, 2, 4);
    EXPECT_EQ(Column(dlg, 2), (QStringList{QStringLiteral("r2"), QStringLiteral("r3"), QStringLiteral("r4")}));
    EXPECT_EQ(Column(dlg, 1), (QStringList{QStringLiteral("20.00"), QStringLiteral("30.00"), QStringLiteral("40.00")}));
    EXPECT_EQ(Column(dlg, 3).first(), QStringLiteral("02/03/2023")) << "shown in the user's date format";
    Range(dlg, 3, 3);
    EXPECT_EQ(Column(dlg, 2), QStringList{QStringLiteral("r3")});
    Range(dlg, 4, 2);
    EXPECT_TRUE(Column(dlg, 2).isEmpty());

    data.incomeCategories.clear();
    CEditDeleteDlg none(data, 1);
    EXPECT_EQ(Control<QComboBox>(&none, 1059)->count(), 0);
    EXPECT_TRUE(Column(none, 0).isEmpty());
}

TEST_F(EditDeleteDlgTest, ButtonsFollowTheSelectionAndNoSelectionIsToldApart)
{
    CEditDeleteDlg dlg(data, 2);
    Control<QComboBox>(&dlg, 1059)->setCurrentText(QStringLiteral("Rent"));
    Range(dlg, 1, 5);
    auto *edit = Control<QPushButton>(&dlg, 1063);
    auto *remove = Control<QPushButton>(&dlg, 1017);
    const struct {
        QList<int> rows;
        bool edit, remove;
    } cases[] = {{{1}, true, true}, {{0, 3}, false, true}, {{}, false, false}};
    for (const auto &c : cases) {
        Select(dlg, c.rows);
        EXPECT_EQ(edit->isEnabled(), c.edit) << c.rows.size();
        EXPECT_EQ(remove->isEnabled(), c.remove) << c.rows.size();
    }
    // Edit and Delete are also reached without their buttons (keys, add-ins).
    dlg.OnEdit();
    dlg.OnDelete();
    EXPECT_EQ(TestUi().Texts(), (QStringList{QStringLiteral("Please select an item from the list."),
                                             QStringLiteral("Please select a Category from the list.")}));
    EXPECT_EQ(Rows(), 7);
}

TEST_F(EditDeleteDlgTest, DeletingSeveralRowsAsksOnceAndTakesAllOrNone)
{
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_TRANSACTION_INFO_TB"), QStringLiteral("old.iTransactionNumber=4"));
    CEditDeleteDlg dlg(data, 2);
    Control<QComboBox>(&dlg, 1059)->setCurrentText(QStringLiteral("Rent"));
    Range(dlg, 1, 5);
    for (const int answer : {IDYES, IDNO}) {
        Select(dlg, {1, 2, 3});
        TestUi().QueueAnswer(answer);
        dlg.OnDelete();
        EXPECT_EQ(Rows(), 7);
        EXPECT_EQ(Column(dlg, 2).size(), 5);
    }
    EXPECT_EQ(TestUi().Texts().value(1), QStringLiteral("forced failure"));

    db.Exec(QStringLiteral("DROP TRIGGER forced_DELETE"));
    TestUi().Reset();
    TestUi().QueueAnswer(IDYES);
    dlg.OnDelete();
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Are you sure you want to delete these records?")});
    EXPECT_EQ(Column(dlg, 2), (QStringList{QStringLiteral("r1"), QStringLiteral("r5")}));
    EXPECT_EQ(Control<QTreeWidget>(&dlg, 1062)->selectedItems().value(0)->text(2), QStringLiteral("r5"))
        << "the row that moved up is selected";

    TestUi().Reset();
    Select(dlg, {1});
    TestUi().QueueAnswer(IDYES);
    QTest::keyClick(Control<QTreeWidget>(&dlg, 1062), Qt::Key_Delete);
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Are you sure you want to delete this record?")});
    EXPECT_TRUE(Control<QTreeWidget>(&dlg, 1062)->selectedItems().isEmpty());
    EXPECT_EQ(Rows(), 3);
}

TEST_F(EditDeleteDlgTest, EditGoesThroughTheEntryDialogAndSelectsTheRecordAgain)
{
    CEditDeleteDlg dlg(data, 2);
    Control<QComboBox>(&dlg, 1059)->setCurrentText(QStringLiteral("Rent"));
    Range(dlg, 1, 5);
    Select(dlg, {2});
    OnNextModal([](QDialog *entry) {
        Control<QLineEdit>(entry, 1030)->setText(QStringLiteral("31.5"));
        QTest::keyClick(Control<QWidget>(entry, 1032), Qt::Key_Return);
    });
    dlg.OnEdit();
    EXPECT_EQ(Column(dlg, 1).at(2), QStringLiteral("31.50"));
    EXPECT_EQ(Control<QTreeWidget>(&dlg, 1062)->selectedItems().value(0)->text(2), QStringLiteral("r3"));

    // Moved out of the range: no longer listed, nothing selected.
    OnNextModal([](QDialog *entry) {
        Control<QDateEdit>(entry, 1026)->setDate(Day(20));
        Control<QPushButton>(entry, 1020)->click();
    });
    dlg.OnEdit();
    EXPECT_EQ(Column(dlg, 2), (QStringList{QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r4"),
                                           QStringLiteral("r5")}));
    EXPECT_TRUE(Control<QTreeWidget>(&dlg, 1062)->selectedItems().isEmpty());
    EXPECT_EQ(Value(QStringLiteral("SELECT cTransactionDate FROM LB_TRANSACTION_INFO_TB WHERE iTransactionNumber=3")),
              QStringLiteral("03/20/2023"));
}
