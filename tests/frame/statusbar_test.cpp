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
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(bar.SetPane(i, QStringLiteral("pane %1").arg(i), 0x0000FF));
    EXPECT_FALSE(bar.SetPane(4, QStringLiteral("four"), 0x00FF00));
    EXPECT_FALSE(bar.SetPane(5, QStringLiteral("five"), 0x00FF00));
    EXPECT_FALSE(bar.SetPane(-1, QStringLiteral("minus"), 0x00FF00));
    EXPECT_EQ(bar.PaneCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar.PaneText(i), QStringLiteral("pane %1").arg(i));
        EXPECT_EQ(bar.PaneColour(i), 0x0000FFu);
    }

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

TEST_F(FrameTest, StatusBarReadsReadyThenShowsHoverPrompts)
{
    Frame(0);
    CColorStatusBar *bar = frame->ColorStatusBar();
    EXPECT_EQ(bar->PaneCount(), 4);
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Ready"));
    EXPECT_FALSE(bar->PaneText(3).isEmpty());

    // Hovering an action posts its prompt to the window, as a menu does.
    frame->CommandAction(AddIncome)->showStatusText(frame->View());
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Add Income particulars"));
    frame->CommandAction(ExportReport)->showStatusText(frame->View());
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Export Report contents to text file or CSV File"));
    bar->clearMessage();
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Ready"));
}

TEST_F(FrameTest, PromptsAndTooltipsComeFromTheCommandStrings)
{
    Frame(0);
    for (unsigned id : frame->Commands().Ids()) {
        const QAction *a = frame->CommandAction(id);
        if (!a)
            continue;
        EXPECT_FALSE(a->statusTip().isEmpty()) << id;
        EXPECT_EQ(a->statusTip(), CommandPrompt(id)) << id;
        if (!CommandTooltip(id).isEmpty()) {
            EXPECT_EQ(a->toolTip(), CommandTooltip(id)) << id;
        }
    }
    // Every button has a tooltip.
    for (QAction *a : frame->MainToolBar()->actions())
        EXPECT_TRUE(a->isSeparator() || !CommandTooltip(a->data().toUInt()).isEmpty()) << a->data().toUInt();
}

TEST_F(FrameTest, IdleTextsGoToTheirPanesInDarkBlue)
{
    Frame(0);
    frame->ShowIdleTexts();
    CColorStatusBar *bar = frame->ColorStatusBar();
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Hot Keys: Add Income (I), Add Expense (E)"));
    EXPECT_EQ(bar->PaneText(1), QString());
    EXPECT_EQ(bar->PaneText(2), QStringLiteral("Help (F1)"));
    const QDateTime shown = QLocale::c().toDateTime(bar->PaneText(3), QStringLiteral("dddd MMMM dd yyyy, HH:mm:ss"));
    EXPECT_TRUE(shown.isValid()) << bar->PaneText(3).toStdString();
    for (int i : {0, 2, 3})
        EXPECT_EQ(bar->PaneColour(i), kDarkBlue) << i;

    // The automation model writes panes through the frame, never past pane 3.
    EXPECT_TRUE(frame->SetStatusPane(1, 0x0000FF, QStringLiteral("Add-in says hello")));
    EXPECT_EQ(bar->PaneText(1), QStringLiteral("Add-in says hello"));
    EXPECT_EQ(bar->PaneColour(1), 0x0000FFu);
    EXPECT_FALSE(frame->SetStatusPane(4, 0x0000FF, QStringLiteral("nowhere")));
    EXPECT_EQ(bar->PaneCount(), 4);
}
