#include "framefixture.h"

#include "base/commandids.h"
#include "frame/acceltable.h"

#include <QStatusBar>
#include <QToolBar>

namespace {

using namespace CommandId;

struct Item {
    unsigned id; // 0: separator
    const char *text;
};

QList<Item> Actual(const QMenu *menu)
{
    QList<Item> items;
    for (const QAction *a : menu->actions())
        items.append({a->isSeparator() ? 0u : a->data().toUInt(), ""});
    return items;
}

int CountId(const QMenu *menu, unsigned id)
{
    int n = 0;
    for (const QAction *a : menu->actions())
        n += (!a->isSeparator() && a->data().toUInt() == id) ? 1 : 0;
    return n;
}

} // namespace

TEST_F(FrameTest, ShortcutTextsInTheMenusMatchTheShortcutTable)
{
    Frame(0);
    const CAccelTable table = frame->AccelTable();
    int checked = 0;
    for (QAction *top : frame->menuBar()->actions()) {
        for (QAction *a : top->menu()->actions()) {
            const qsizetype tab = a->text().indexOf(u'\t');
            if (tab < 0)
                continue;
            const QString shown = a->text().mid(tab + 1).trimmed();
            QStringList keys;
            for (const CAccelEntry &e : table) {
                if (e.cmd == a->data().toUInt())
                    keys << QKeySequence(*QtKeyFromAccel(e.fVirt, e.key)).toString(QKeySequence::PortableText);
            }
            EXPECT_TRUE(keys.contains(shown)) << a->text().toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 7);
}

TEST_F(FrameTest, TipOfTheDayIsInsertedOnceHoweverOftenTheMenusOpen)
{
    Frame(0);
    QMenu *help = TopMenu(QStringLiteral("&Help"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(CountId(help, TipOfTheDay), 0);
    for (int i = 0; i < 3; ++i) {
        frame->InitMenuBar();
        emit help->aboutToShow();
        emit TopMenu(QStringLiteral("&File"))->aboutToShow();
    }
    EXPECT_EQ(CountId(help, TipOfTheDay), 1);
    EXPECT_EQ(frame->HelpMenu(), help);
    const QList<Item> items = Actual(help);
    ASSERT_EQ(items.size(), 7);
    EXPECT_EQ(items[0].id, TipOfTheDay);
    EXPECT_EQ(items[1].id, 0u);
    EXPECT_EQ(items[2].id, HelpTopics);
}

TEST_F(FrameTest, AMissingHelpMenuIsCreatedHoldingOnlyTheTip)
{
    Frame(0);
    QMenu *help = TopMenu(QStringLiteral("&Help"));
    frame->menuBar()->removeAction(help->menuAction());
    delete help;
    frame->InitMenuBar();
    frame->InitMenuBar();
    QMenu *created = TopMenu(QStringLiteral("&Help"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(Actual(created).size(), 1);
    EXPECT_EQ(CountId(created, TipOfTheDay), 1);
    EXPECT_EQ(frame->menuBar()->actions().size(), 6);
}

TEST_F(FrameTest, ViewTogglesFollowTheBarsTheyShow)
{
    Frame(0);
    frame->show();
    for (const auto &[toggle, bar] : {std::pair<QAction *, QWidget *>{frame->CommandAction(ViewToolbar), frame->MainToolBar()},
                                      {frame->CommandAction(ViewStatusBar), frame->statusBar()}}) {
        toggle->trigger();
        EXPECT_TRUE(bar->isHidden());
        EXPECT_FALSE(toggle->isChecked());
        toggle->trigger();
        EXPECT_FALSE(bar->isHidden());
        EXPECT_TRUE(toggle->isChecked());
    }
}

TEST_F(FrameTest, WithoutAddinToolbarsTheViewMenuKeepsItsLayout)
{
    Frame(0);
    frame->RebuildViewMenu([] { return 10025u; });
    EXPECT_EQ(TopMenu(QStringLiteral("&View"))->actions().first(), frame->CommandAction(ViewToolbar));
}

TEST_F(FrameTest, AddinToolbarsGetAToolbarsPopupAndToggles)
{
    Frame(0);
    frame->show();
    auto *extra = new QToolBar(QStringLiteral("Sample Tools"));
    frame->AddAddinToolbar(extra);
    unsigned next = 10025;
    frame->RebuildViewMenu([&next] { return next++; });

    QMenu *view = TopMenu(QStringLiteral("&View"));
    EXPECT_EQ(CountId(view, ViewToolbar), 0);
    QAction *first = view->actions().first();
    ASSERT_NE(first->menu(), nullptr);
    const QList<QAction *> entries = first->menu()->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->data().toUInt(), ViewToolbar);
    EXPECT_TRUE(entries[1]->isSeparator());
    EXPECT_EQ(entries[2]->data().toUInt(), 10025u);
    EXPECT_TRUE(entries[2]->isChecked());

    EXPECT_TRUE(frame->ExecuteCommand(10025));
    EXPECT_TRUE(extra->isHidden());
    EXPECT_FALSE(entries[2]->isChecked());
    // An id no toolbar carries does nothing.
    EXPECT_FALSE(frame->ExecuteCommand(10030));
    EXPECT_TRUE(extra->isHidden());

    frame->SaveToolbarState();
    EXPECT_EQ(GetProfileInt(QStringLiteral("ToolbarSettings"), QStringLiteral("Sample Tools"), -1), 0);
}

