#include "framefixture.h"

#include "base/commandids.h"
#include "frame/acceltable.h"
#include "support/testuiseam.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

namespace {

using namespace CommandId;

// A shown, active main window with counting handlers for the entry commands.
class ShortcutTest : public FrameTest
{
protected:
    void Open(bool loggedIn = true)
    {
        Frame(0, loggedIn);
        frame->SetCommandHandler(AddIncome, [this] { ++incomes; });
        frame->SetCommandHandler(AddExpense, [this] { ++expenses; });
        frame->SetCommandHandler(SpecifiedPeriodReport, [this] { ++reports; });
        frame->show();
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        frame->View()->setFocus();
    }

    int incomes = 0;
    int expenses = 0;
    int reports = 0;
};

} // namespace

TEST_F(ShortcutTest, PlainIAndEOpenTheEntryCommandsFromTheMainWindow)
{
    Open();
    QTest::keyClick(frame->View(), Qt::Key_I);
    QTest::keyClick(frame->View(), Qt::Key_E);
    QTest::keyClick(frame->MainToolBar(), Qt::Key_E);
    EXPECT_EQ(incomes, 1);
    EXPECT_EQ(expenses, 2);
    QTest::keyClick(frame->View(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(reports, 1);

    // Replacing the table drops the old keys.
    frame->SetAccelTable({CAccelEntry{FVIRTKEY | FALT, 'X', AddIncome}});
    QTest::keyClick(frame->View(), Qt::Key_I);
    EXPECT_EQ(incomes, 1);
    QTest::keyClick(frame->View(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(incomes, 2);
}

TEST_F(ShortcutTest, KeysOfDisabledCommandsDoNothing)
{
    Open(false);
    QTest::keyClick(frame->View(), Qt::Key_I);
    QTest::keyClick(frame->View(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(incomes + reports, 0);
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(ShortcutTest, PlainKeysTypeIntoAFocusedLineEditInstead)
{
    Open();
    auto *edit = new QLineEdit(frame->View());
    edit->show();
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_I);
    QTest::keyClick(edit, Qt::Key_E);
    EXPECT_EQ(incomes, 0);
    EXPECT_EQ(expenses, 0);
    EXPECT_EQ(edit->text(), QStringLiteral("ie"));
    // Keys with Ctrl still reach their commands.
    QTest::keyClick(edit, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(reports, 1);
    // A read-only field keeps the plain keys too.
    edit->setReadOnly(true);
    QTest::keyClick(edit, Qt::Key_I);
    EXPECT_EQ(incomes, 0);
}

TEST_F(ShortcutTest, KeysTheWindowAnswersItselfStayWithHelpAndTheMenus)
{
    Open();
    int help = 0;
    frame->SetCommandHandler(HelpTopics, [&help] { ++help; });
    // Stored or add-in keys may name F1 or a menu's Alt+letter; they never
    // take those keys from help and the menus.
    frame->SetAccelTable({CAccelEntry{FVIRTKEY, 0x70, AddIncome}, CAccelEntry{FVIRTKEY | FALT, 'F', AddIncome},
                          CAccelEntry{FVIRTKEY | FALT, 'Q', AddExpense}});
    QTest::keyClick(frame->View(), Qt::Key_F1);
    EXPECT_EQ(help, 1);
    QTest::keyClick(frame->View(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(expenses, 1);
    QTest::keyClick(frame->View(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(incomes, 0);
    EXPECT_TRUE(TopMenu(QStringLiteral("&File"))->isVisible());
    TopMenu(QStringLiteral("&File"))->close();
    EXPECT_EQ(frame->AccelTable().size(), 3);
}

TEST_F(ShortcutTest, AddinKeysAreAppendedAndRouted)
{
    Open();
    QList<unsigned> invoked;
    frame->SetAddinCommandRouting([&invoked](unsigned id) { invoked << id; }, [](unsigned) { return true; });
    const CAccelTable before = frame->AccelTable();
    frame->RebuildAccelTable();
    EXPECT_EQ(frame->AccelTable(), before);

    // Ctrl+Shift+A for an add-in command, and a clash on I that must lose.
    frame->AddinAccelList() << CAccelEntry{FVIRTKEY | FCONTROL | FSHIFT, 'A', 2025} << CAccelEntry{FVIRTKEY, 'I', 2026};
    frame->RebuildAccelTable();
    EXPECT_EQ(frame->AccelTable().size(), before.size() + 2);
    EXPECT_EQ(frame->AccelTable().mid(0, before.size()), before);

    QTest::keyClick(frame->View(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(frame->View(), Qt::Key_I);
    EXPECT_EQ(invoked, QList<unsigned>{2025});
    EXPECT_EQ(incomes, 1);
}

TEST(KeyTable, EveryVirtualKeyWithAQtKeyMapsBackToItself)
{
    int mapped = 0;
    for (unsigned vk = 1; vk < 256; ++vk) {
        for (int mods : {0, int(FSHIFT), FCONTROL | FALT}) {
            const auto key = QtKeyFromAccel(FVIRTKEY | mods, static_cast<unsigned short>(vk));
            if (!key)
                continue;
            ++mapped;
            const auto back = AccelFromQtKey(*key);
            ASSERT_TRUE(back.has_value()) << vk;
            EXPECT_EQ(back->key, vk) << vk;
            EXPECT_EQ(back->fVirt, FVIRTKEY | mods) << vk;
        }
    }
    // Letters, digits, the pad, F1-F24 and the named keys.
    EXPECT_GT(mapped, 3 * 100);
}

TEST(KeyTable, NumberPadAndTopRowStayApart)
{
    EXPECT_EQ(QtKeyFromAccel(FVIRTKEY, 0x60), QKeyCombination(Qt::KeypadModifier, Qt::Key_0));
    EXPECT_EQ(QtKeyFromAccel(FVIRTKEY, 0x30), QKeyCombination(Qt::Key_0));
    EXPECT_EQ(AccelFromQtKey(QKeyCombination(Qt::KeypadModifier, Qt::Key_Minus))->key, 0x6D);
    EXPECT_EQ(AccelFromQtKey(QKeyCombination(Qt::Key_Minus))->key, 0xBD);
    // The pad's Enter is the one Return key.
    EXPECT_EQ(AccelFromQtKey(QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter))->key, 0x0D);
    EXPECT_FALSE(QtKeyFromAccel(FVIRTKEY, 0x07).has_value());
}

TEST(KeyTable, OnlyTypingKeysGiveWayToTextFields)
{
    QLineEdit edit;
    QWidget plain;
    EXPECT_TRUE(AccelBlockedByFocus({FVIRTKEY, 'I', AddIncome}, &edit));
    EXPECT_TRUE(AccelBlockedByFocus({FVIRTKEY | FSHIFT, '7', AddIncome}, &edit));
    EXPECT_TRUE(AccelBlockedByFocus({FVIRTKEY, 0x20, AddIncome}, &edit));
    EXPECT_FALSE(AccelBlockedByFocus({FVIRTKEY | FCONTROL, 'I', AddIncome}, &edit));
    EXPECT_FALSE(AccelBlockedByFocus({FVIRTKEY | FALT, 'I', AddIncome}, &edit));
    EXPECT_FALSE(AccelBlockedByFocus({FVIRTKEY, 0x75, NextPane}, &edit));
    EXPECT_FALSE(AccelBlockedByFocus({FVIRTKEY, 'I', AddIncome}, &plain));
    EXPECT_FALSE(AccelBlockedByFocus({FVIRTKEY, 'I', AddIncome}, nullptr));
}
