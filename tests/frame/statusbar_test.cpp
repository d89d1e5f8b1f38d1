#include "framefixture.h"

#include "base/commandids.h"
#include "base/stringtable.h"
#include "frame/colorstatusbar.h"

#include <QDateTime>
#include <QLayout>
#include <QToolBar>

namespace {

using namespace CommandId;

constexpr unsigned kDarkBlue = 0x00960000;

} // namespace

TEST(ColorStatusBar, SetPaneRefusesIndexesOutsideThePanes)
{
    CColorStatusBar bar;
    bar.SetPaneCount(4);
    for (int i : {-1, 0, 3, 4})
        EXPECT_EQ(bar.SetPane(i, QStringLiteral("pane %1").arg(i), 0x0000FF), i == 0 || i == 3) << i;
    EXPECT_EQ(bar.PaneText(3), QStringLiteral("pane 3"));
    EXPECT_EQ(bar.PaneColour(3), 0x0000FFu);
    bar.SetPaneCount(2);
    EXPECT_EQ(bar.PaneText(0), QString());
    EXPECT_FALSE(bar.SetPane(2, QStringLiteral("gone"), 0));
}

TEST(ColorStatusBar, StretchingPanesShareWhatTheFixedOnesLeave)
{
    CColorStatusBar bar;
    bar.setSizeGripEnabled(false);
    bar.resize(1000, bar.sizeHint().height());
    bar.SetPaneCount(3);
    bar.SetPaneWidth(0, 120);
    bar.SetPaneWidth(2, 200, false);
    const QRect a = bar.PaneRect(0), b = bar.PaneRect(1), c = bar.PaneRect(2);
    EXPECT_EQ(c.width(), 200);
    EXPECT_GE(a.width(), 120);
    EXPECT_LE(qAbs((a.width() - 120) - b.width()), 1);
    EXPECT_GT(b.left(), a.right());
    EXPECT_GT(c.left(), b.right());
    EXPECT_TRUE(bar.rect().contains(c));
}

TEST_F(FrameTest, StatusPanesHoldTheirTextsWholeAndStayPutAsTheyChange)
{
    Frame(0).resize(1024, 700);
    frame->show();
    frame->layout()->activate();
    frame->ShowIdleTexts();
    CColorStatusBar *bar = frame->ColorStatusBar();
    bar->SetPane(3, QStringLiteral("Wednesday September 30 2026, 23:59:59"), kDarkBlue);
    QList<QRect> before;
    for (int i = 0; i < 4; ++i) {
        before << bar->PaneRect(i);
        EXPECT_GE(before[i].width() - 2, bar->TextWidth(bar->PaneText(i))) << i;
        EXPECT_TRUE(bar->rect().contains(before[i])) << i;
    }
    bar->SetPane(3, QStringLiteral("Friday May 01 2026, 11:11:11"), kDarkBlue);
    frame->CommandAction(AdvancedReport)->showStatusText(frame->View());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar->PaneRect(i), before[i]) << i;
}

TEST(ColorStatusBar, ClockUsesFullEnglishNamesAndTwoDigitFields)
{
    EXPECT_EQ(ClockText(QDateTime(QDate(2026, 12, 5), QTime(9, 28, 52))),
              QStringLiteral("Saturday December 05 2026, 09:28:52"));
    EXPECT_EQ(ClockText(QDateTime(QDate(2027, 1, 31), QTime(23, 0, 7))),
              QStringLiteral("Sunday January 31 2027, 23:00:07"));
}

TEST_F(FrameTest, StatusBarShowsIdleTextsHoverPromptsAndAddinPanes)
{
    Frame(0);
    CColorStatusBar *bar = frame->ColorStatusBar();
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Ready"));
    // Hovering an action posts its prompt to the window, as a menu does.
    frame->CommandAction(AddIncome)->showStatusText(frame->View());
    EXPECT_EQ(bar->PaneText(0), CommandPrompt(AddIncome));
    bar->clearMessage();
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Ready"));

    frame->ShowIdleTexts();
    const QDateTime shown = QLocale::c().toDateTime(bar->PaneText(3), QStringLiteral("dddd MMMM dd yyyy, HH:mm:ss"));
    EXPECT_TRUE(shown.isValid()) << bar->PaneText(3).toStdString();
    EXPECT_EQ(bar->PaneColour(3), kDarkBlue);
    // The automation model writes panes through the frame, never past pane 3.
    EXPECT_TRUE(frame->SetStatusPane(1, 0x0000FF, QStringLiteral("Add-in says hello")));
    EXPECT_EQ(bar->PaneText(1), QStringLiteral("Add-in says hello"));
    EXPECT_EQ(bar->PaneColour(1), 0x0000FFu);
    EXPECT_FALSE(frame->SetStatusPane(4, 0x0000FF, QStringLiteral("nowhere")));
    EXPECT_EQ(bar->PaneCount(), 4);
}

TEST_F(FrameTest, EveryCommandHasAPromptAndEveryButtonATooltip)
{
    Frame(0);
    for (unsigned id : frame->Commands().Ids()) {
        if (const QAction *a = frame->CommandAction(id)) {
            EXPECT_FALSE(a->statusTip().isEmpty()) << id;
        }
    }
    for (QAction *a : frame->MainToolBar()->actions())
        EXPECT_TRUE(a->isSeparator() || !a->toolTip().isEmpty()) << a->data().toUInt();
}
