// A new user's first session: the business, its units and categories, a
// series of entries typed with the keyboard alone, one edit, two deletions.
#include "records/categorypage.h"
#include "records/editdeletedlg.h"
#include "records/pagehostdlg.h"
#include "records/transactiondlg.h"
#include "records/userinfopage.h"

#include "recordfixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace {

void Type(QWidget *control, const QString &text)
{
    QTest::keyClicks(control, text);
    QTest::keyClick(control, Qt::Key_Return);
}

// One entry from the category box on: the unit and date stay from before.
void Enter(CTransactionDlg &dlg, Qt::Key category, const QString &amount, const QString &description)
{
    QWidget *box = Control<QWidget>(&dlg, 1028);
    EXPECT_EQ(dlg.focusWidget(), box);
    if (category != Qt::Key_unknown)
        QTest::keyClick(box, category);
    QTest::keyClick(box, Qt::Key_Return);
    Type(Control<QWidget>(&dlg, 1030), amount);
    QWidget *box1032 = Control<QWidget>(&dlg, 1032);
    QTest::keyClicks(box1032, description);
    QTest::keyClick(box1032, Qt::Key_Return, Qt::ControlModifier); // not a save
    QTest::keyClick(box1032, Qt::Key_Return);
}

} // namespace

class RecordFlowTest : public RecordTest
{
};

TEST_F(RecordFlowTest, ANewUserSetsUpEntersEditsAndDeletes)
{
    {
        CPageHostDlg host(new CUserInfoPage(data), nullptr);
        host.show();
        QWidget *page = host.Page();
        Type(Control<QWidget>(page, 1000), QStringLiteral("Ann's Bakery"));
        auto *address = Control<QPlainTextEdit>(page, 1001);
        address->clear();
        QTest::keyClicks(address, QStringLiteral("1 Mill Lane"));
        QTest::keyClick(address, Qt::Key_Return, Qt::ControlModifier);
        Type(address, QStringLiteral("Leeds"));
        Type(Control<QWidget>(page, 1005), QStringLiteral("0113 555"));
        Type(Control<QWidget>(page, 1007), QString());
        Type(Control<QWidget>(page, 1009), QStringLiteral("ann@bakery"));
        Type(Control<QWidget>(page, 1018), QStringLiteral("Shop"));
        Type(Control<QWidget>(page, 1018), QStringLiteral("Market Stall"));
        Type(Control<QWidget>(page, 1018), QStringLiteral("Barn"));
        TestUi().QueueAnswer(IDYES);
        QTest::keyClick(Control<QWidget>(page, 1017), Qt::Key_Delete);
        Control<QPushButton>(page, 1)->click();
        EXPECT_EQ(host.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Value(QStringLiteral("SELECT cName || '|' || cAddress || '|' || cPhoneNo || '|' || cEmail || '|' || "
                                   "cCompanyUnits FROM LB_COMPANY_INFO_TB")),
              QStringLiteral("Ann's Bakery|1 Mill Lane\nLeeds|0113 555|ann@bakery|Market Stall,Shop,"));
    {
        CPageHostDlg host(new CCategoryPage(data), nullptr);
        host.show();
        QWidget *page = host.Page();
        Control<QRadioButton>(page, 1036)->click();
        Type(Control<QWidget>(page, 1012), QStringLiteral("Sales"));
        Control<QRadioButton>(page, 1037)->click();
        Type(Control<QWidget>(page, 1012), QStringLiteral("Rent"));
        QTest::keyClicks(Control<QWidget>(page, 1012), QStringLiteral("Flour"));
        Type(Control<QWidget>(page, 1013), QStringLiteral("by the sack"));
        Control<QPushButton>(page, 2)->click();
    }
    {
        CTransactionDlg income(data, 1);
        income.show();
        // Unit box first: Market Stall sorts before Shop; then the date.
        Type(Control<QWidget>(&income, 1022), QStringLiteral("S"));
        auto *date = Control<QDateEdit>(&income, 1026);
        date->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(date, QStringLiteral("06032023"));
        EXPECT_EQ(date->date(), Day(6));
        QTest::keyClick(date, Qt::Key_Return);
        Enter(income, Qt::Key_S, QStringLiteral("120"), QStringLiteral("Saturday"));
        Enter(income, Qt::Key_unknown, QStringLiteral("80.5"), QStringLiteral("Sunday"));
    }
    {
        CTransactionDlg expense(data, 2);
        expense.show();
        Type(Control<QWidget>(&expense, 1022), QStringLiteral("M"));
        auto *date = Control<QDateEdit>(&expense, 1026);
        date->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(date, QStringLiteral("07032023"));
        QTest::keyClick(date, Qt::Key_Return);
        Enter(expense, Qt::Key_R, QStringLiteral("300"), QStringLiteral("March"));
        Enter(expense, Qt::Key_Up, QStringLiteral("45"), QStringLiteral("two sacks"));
        Enter(expense, Qt::Key_unknown, QStringLiteral("22.5"), QStringLiteral("one sack"));
    }
    {
        CEditDeleteDlg dlg(data, 2);
        Control<QDateEdit>(&dlg, 1048)->setDate(Day(1));
        Control<QDateEdit>(&dlg, 1049)->setDate(Day(31));
        auto *list = Control<QTreeWidget>(&dlg, 1062);
        ASSERT_EQ(list->topLevelItemCount(), 2) << "Flour is listed first";
        list->setCurrentItem(list->topLevelItem(1));
        OnNextModal([](QDialog *entry) {
            auto *amount = Control<QLineEdit>(entry, 1030);
            amount->selectAll();
            Type(amount, QStringLiteral("25"));
            QTest::keyClick(Control<QWidget>(entry, 1032), Qt::Key_Return);
        });
        dlg.OnEdit();
        list->selectAll();
        TestUi().QueueAnswer(IDYES);
        QTest::keyClick(list, Qt::Key_Delete);
    }
    EXPECT_EQ(TestUi().Texts(), (QStringList{QStringLiteral("Are you sure you want to delete this Unit or Division?"),
                                             QStringLiteral("Are you sure you want to delete these records?")}));
    EXPECT_EQ(Table(), (QStringList{QStringLiteral("Shop|03/06/2023|Sales|120.000000|Saturday|1"),
                                    QStringLiteral("Shop|03/06/2023|Sales|80.500000|Sunday|1"),
                                    QStringLiteral("Market Stall|03/07/2023|Rent|300.000000|March|2")}));
}
