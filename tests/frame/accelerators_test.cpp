#include "framefixture.h"

#include "base/commandids.h"
#include "controls/pagehostdlg.h"
#include "frame/accelmappage.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "support/testuiseam.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

using namespace CommandId;

const QString kSection = QStringLiteral("Settings");
const QString kValue = QStringLiteral("Keyboard");

// The program's commands on a real main window, as start-up leaves them.
class AcceleratorTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        RemoveProfileEntry(kSection, kValue);
        Frame(0, true);
        Start(manager);
    }

    void Start(CAcceleratorManager &m)
    {
        m.SetWindow(frame.get(), true);
        RegisterMenuCommands(m);
        loaded = m.FinishStartUp();
    }

    QStringList KeyTexts(const CAcceleratorManager &m, unsigned short id) const
    {
        QStringList texts;
        for (const CAccelItem &k : m.Command(id)->keys)
            texts << k.Text();
        return texts;
    }

    static QByteArray Bytes(std::initializer_list<int> bytes)
    {
        QByteArray a;
        for (int b : bytes)
            a.append(char(b));
        return a;
    }

    CAcceleratorManager manager;
    bool loaded = false;
};

} // namespace

TEST_F(AcceleratorTest, KeyboardValueIsStoredInItsLayoutAndReadBack)
{
    EXPECT_TRUE(loaded);
    ASSERT_TRUE(manager.Write());
    // No user keys: the header word alone, with no records.
    EXPECT_EQ(GetProfileBinary(kSection, kValue), Bytes({0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00}));

    ASSERT_TRUE(manager.AddKey(DailyReport, {FVIRTKEY | FCONTROL | FSHIFT, 0x74, false}));
    ASSERT_TRUE(manager.AddKey(AddIncome, {FVIRTKEY, 0x78, false}));
    ASSERT_TRUE(manager.AddKey(AddIncome, {FVIRTKEY | FALT, 'Q', false}));
    ASSERT_TRUE(manager.Write());
    const QByteArray expected = Bytes({
        0x06, 0x00,             // six words
        0xFF, 0xFF, 0x02, 0x00, // header: two records
        0x09, 0x80, 0x01, 0x00, // Daily Report (32777), one key
        0x74, 0x00, 0x0D, 0x02, // user key Ctrl+Shift+F5
        0x19, 0x80, 0x02, 0x00, // Add Income (32793), two keys; its locked I is not stored
        0x78, 0x00, 0x01, 0x02, // F9
        0x51, 0x00, 0x11, 0x02, // Alt+Q
    });
    EXPECT_EQ(GetProfileBinary(kSection, kValue), expected);

    CAcceleratorManager restarted;
    Start(restarted);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(KeyTexts(restarted, AddIncome), QStringList({"I", "F9", "Alt+Q"}));
    EXPECT_EQ(KeyTexts(restarted, DailyReport), QStringList{"Ctrl+Shift+F5"});
    EXPECT_EQ(restarted.UserKeyRecords().size(), 2);
}

TEST_F(AcceleratorTest, DamagedKeyboardValueKeepsOnlyItsSoundRecords)
{
    // Two records announced; the first is sound, the second claims more
    // keys than follow, and the word count runs past the data.
    WriteProfileBinary(kSection, kValue,
                       Bytes({0x09, 0x00, 0xFF, 0xFF, 0x02, 0x00, 0x09, 0x80, 0x01, 0x00, 0x74, 0x00, 0x01, 0x02,
                              0x0A, 0x80, 0x05, 0x00, 0x75, 0x00, 0x01, 0x02}));
    CAcceleratorManager m;
    Start(m);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(KeyTexts(m, DailyReport), QStringList{"F5"});
    EXPECT_TRUE(KeyTexts(m, MonthlyReport).isEmpty());

    // An unknown command is skipped without complaint; a key without a name
    // and a word that is no key are dropped.
    CKeyboardRecords records = DecodeKeyboardValue(EncodeKeyboardValue(
        {{40000, {{FVIRTKEY, 0x70, false}}}, {DailyReport, {{FVIRTKEY, 0x70, false}, {FVIRTKEY, 0xBA, false}}}}));
    EXPECT_TRUE(records.damaged);
    ASSERT_EQ(records.records.size(), 2);
    EXPECT_EQ(records.records[1].keys.size(), 1);
    records = KeyboardRecords({0x0001FFFF, 0x00018009, 0x05000070});
    EXPECT_TRUE(records.damaged);
    EXPECT_TRUE(records.records[0].keys.isEmpty());

    // A long count far beyond the data, a cut-off count, and text instead of bytes.
    bool complete = true;
    EXPECT_EQ(DeserializeWords(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00}), &complete),
              QList<quint32>{0x0001FFFF});
    EXPECT_FALSE(complete);
    EXPECT_TRUE(DecodeKeyboardValue(Bytes({0x01})).damaged);
    WriteProfileString(kSection, kValue, QStringLiteral("garbage"));
    CAcceleratorManager text;
    Start(text);
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(text.UserKeyRecords().isEmpty());
}

TEST_F(AcceleratorTest, HelperAssignsRemovesAndResets)
{
    CAccelDlgHelper helper(manager);
    EXPECT_EQ(helper.CommandRows().first().name, QStringLiteral("About Tallywick +"));

    // Ctrl+O belongs to Restore Data: nothing is assigned.
    const auto taken = helper.Assign(AddIncome, {FVIRTKEY | FCONTROL, 'O'});
    EXPECT_EQ(taken.outcome, CAccelDlgHelper::Assigned::Taken);
    EXPECT_EQ(taken.owner, QStringLiteral("Restore Data"));
    EXPECT_EQ(KeyTexts(manager, AddIncome), QStringList{"I"});

    EXPECT_EQ(helper.Assign(AddIncome, {FVIRTKEY | FCONTROL, 0xBA}).outcome, CAccelDlgHelper::Assigned::Unnamed);
    EXPECT_EQ(helper.Assign(AddIncome, {FVIRTKEY | FSHIFT, 'J'}).outcome, CAccelDlgHelper::Assigned::Done);
    EXPECT_EQ(helper.KeysOf(AddIncome).size(), 2);
    EXPECT_EQ(helper.Remove(AddIncome, {FVIRTKEY, 'I', true}), CAccelDlgHelper::Removed::Locked);
    EXPECT_EQ(helper.Remove(AddIncome, {FVIRTKEY | FSHIFT, 'J', false}), CAccelDlgHelper::Removed::Done);
    EXPECT_EQ(KeyTexts(manager, AddIncome), QStringList{"I"});

    // Reset All after a restart drops the stored keys, keeps the built-in ones.
    manager.AddKey(AddExpense, {FVIRTKEY, 0x79, false});
    manager.Write();
    CAcceleratorManager restarted;
    Start(restarted);
    ASSERT_EQ(KeyTexts(restarted, AddExpense), QStringList({"E", "F10"}));
    CAccelDlgHelper(restarted).ResetAll();
    EXPECT_EQ(KeyTexts(restarted, AddExpense), QStringList{"E"});
    EXPECT_EQ(KeyTexts(restarted, BackupData), QStringList{"Ctrl+S"});
}

TEST_F(AcceleratorTest, PageEditsReachTheMainWindowOnlyOnOk)
{
    int incomes = 0;
    frame->SetCommandHandler(AddIncome, [&incomes] { ++incomes; });
    frame->show();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    // The pane keys of the built-in table are gone once the manager builds it.
    EXPECT_EQ(frame->AccelTable().size(), 7);

    auto *page = new CAccelMapPage(&manager, data, false);
    CPageHostDlg host(page, frame.get());
    const auto showPage = [&host] {
        host.show();
        QApplication::setActiveWindow(&host);
    };
    showPage();
    auto *commands = page->findChild<QListWidget *>("1080");
    auto *keys = page->findChild<QListWidget *>("1081");
    auto *box = page->findChild<QLineEdit *>("1084");
    auto *owner = page->findChild<QLabel *>("1083");
    auto *assign = page->findChild<QPushButton *>("3");
    auto *remove = page->findChild<QPushButton *>("5");
    const auto select = [commands](const QString &name) {
        commands->setCurrentItem(commands->findItems(name, Qt::MatchExactly).value(0));
    };

    select(QStringLiteral("Add Income"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_O, Qt::ControlModifier);
    QTest::mouseClick(assign, Qt::LeftButton);
    EXPECT_EQ(owner->text(), QStringLiteral("Restore Data"));
    EXPECT_EQ(keys->count(), 1);

    QTest::keyClick(box, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::mouseClick(assign, Qt::LeftButton);
    EXPECT_TRUE(owner->text().isEmpty());
    ASSERT_EQ(keys->count(), 2);

    // The built-in I is refused with the default-key message.
    keys->setCurrentItem(keys->findItems(QStringLiteral("I"), Qt::MatchExactly).value(0));
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_TRUE(TestUi().LastText().startsWith(QStringLiteral("This is default key included in the program.")));
    EXPECT_EQ(keys->count(), 2);

    // Cancel: the edits neither reach the window nor come back with a later OK.
    host.reject();
    QTest::keyClick(frame->View(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(incomes, 0);
    showPage();
    select(QStringLiteral("Add Income"));
    EXPECT_EQ(keys->count(), 1);
    EXPECT_TRUE(page->Apply());
    EXPECT_EQ(KeyTexts(manager, AddIncome), QStringList{"I"});

    box->setFocus();
    QTest::keyClick(box, Qt::Key_F8);
    QTest::mouseClick(assign, Qt::LeftButton);
    QTest::mouseClick(page->findChild<QPushButton *>("1"), Qt::LeftButton);
    EXPECT_EQ(host.result(), QDialog::Accepted);
    QApplication::setActiveWindow(frame.get());
    QTest::keyClick(frame->View(), Qt::Key_F8);
    QTest::keyClick(frame->View(), Qt::Key_I);
    EXPECT_EQ(incomes, 2);
}

TEST_F(AcceleratorTest, KeysTheWindowAnswersItselfAndKeysWithoutANameAreRefusedWithAReason)
{
    frame->show();
    auto *page = new CAccelMapPage(&manager, data, false);
    CPageHostDlg host(page, frame.get());
    host.show();
    auto *commands = page->findChild<QListWidget *>("1080");
    auto *keys = page->findChild<QListWidget *>("1081");
    auto *box = page->findChild<QLineEdit *>("1084");
    auto *owner = page->findChild<QLabel *>("1083");
    auto *assign = page->findChild<QPushButton *>("3");
    commands->setCurrentItem(commands->findItems(QStringLiteral("Add Income"), Qt::MatchExactly).value(0));
    box->setFocus();

    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        TestUi().Reset();
        QTest::keyClick(box, key, modifiers);
        QTest::mouseClick(assign, Qt::LeftButton);
        return TestUi().LastText();
    };
    EXPECT_EQ(press(Qt::Key_F1, Qt::NoModifier),
              QStringLiteral("F1 is the key of Help Topics in the main window, so it cannot be given to a command.\n"
                             "Please choose another key."));
    EXPECT_EQ(owner->text(), QStringLiteral("Help Topics"));
    EXPECT_TRUE(press(Qt::Key_F, Qt::AltModifier).startsWith(QStringLiteral("Alt+F is the key of the File menu in the main window")));
    EXPECT_TRUE(press(Qt::Key_H, Qt::AltModifier).contains(QStringLiteral("the Help menu")));
    // A menu an add-in adds counts as soon as it is there.
    frame->menuBar()->insertMenu(frame->menuBar()->actions().last(), new QMenu(QStringLiteral("T&ools"), frame.get()));
    EXPECT_TRUE(press(Qt::Key_O, Qt::AltModifier).contains(QStringLiteral("the Tools menu")));
    // Ctrl+; has no name: the box shows only "Ctrl", and Assign says why.
    EXPECT_EQ(press(Qt::Key_Semicolon, Qt::ControlModifier), LoadString(StringId::ShortcutKeyUnnamed));
    EXPECT_TRUE(owner->text().isEmpty());
    EXPECT_EQ(keys->count(), 1);
    EXPECT_EQ(KeyTexts(manager, AddIncome), QStringList{"I"});
    // Alt with a letter no menu uses, and Shift+F1, are free.
    EXPECT_TRUE(press(Qt::Key_Q, Qt::AltModifier).isEmpty());
    EXPECT_TRUE(press(Qt::Key_F1, Qt::ShiftModifier).isEmpty());
    EXPECT_EQ(keys->count(), 3);
}

// The shortcut-keys page promises a key of one's own for any command of the menus.
TEST_F(AcceleratorTest, EveryCommandOfTheMenusCanHaveAKeyOfItsOwn)
{
    int commands = 0;
    std::function<void(const QMenu *)> walk = [&](const QMenu *menu) {
        for (const QAction *action : menu->actions()) {
            if (action->menu()) {
                walk(action->menu());
            } else if (const unsigned id = Id(action)) {
                ++commands;
                EXPECT_TRUE(manager.Commands().contains(static_cast<unsigned short>(id)))
                    << action->text().toStdString();
            }
        }
    };
    for (const QAction *top : frame->menuBar()->actions()) {
        if (top->menu())
            walk(top->menu());
    }
    EXPECT_GT(commands, 30);
}
