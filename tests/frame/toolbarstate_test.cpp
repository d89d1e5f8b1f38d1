#include "framefixture.h"

#include "base/commandids.h"

#include <QToolBar>

namespace {

const QString kSection = QStringLiteral("ToolbarSettings");
const QString kEntry = QStringLiteral("Main Toolbar");

} // namespace

TEST_F(FrameTest, ToolbarVisibilityRoundTripsThroughTheProfile)
{
    // A missing value shows the toolbar.
    ASSERT_FALSE(HasProfileEntry(kSection, kEntry));
    Frame(0).RestoreToolbarState();
    frame->show();
    EXPECT_FALSE(frame->MainToolBar()->isHidden());
    frame->MainToolBar()->hide();
    frame->close();
    EXPECT_EQ(GetProfileInt(kSection, kEntry, -1), 0);

    Frame(0).RestoreToolbarState();
    frame->show();
    EXPECT_TRUE(frame->MainToolBar()->isHidden());
    EXPECT_FALSE(frame->CommandAction(CommandId::ViewToolbar)->isChecked());
    frame->MainToolBar()->show();
    frame->close();
    EXPECT_EQ(GetProfileInt(kSection, kEntry, -1), 268435456);

    Frame(0).RestoreToolbarState();
    frame->show();
    EXPECT_FALSE(frame->MainToolBar()->isHidden());
}

TEST_F(FrameTest, ClosingSavesTheToolbarThenRunsTheDataTasksThenUnloadsAddins)
{
    Frame(0).show();
    frame->MainToolBar()->hide();
    QStringList steps;
    frame->SetClosingDataTasks([&] { steps << QStringLiteral("data:%1").arg(GetProfileInt(kSection, kEntry, -1)); });
    frame->SetUnloadAddins([&] { steps << QStringLiteral("unload"); });
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::Exit));
    EXPECT_EQ(steps, (QStringList{"data:0", "unload"}));
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(FrameTest, ClosingDuringPrintPreviewOnlyEndsThePreview)
{
    Frame(0, true).show();
    QStringList steps;
    frame->SetClosingDataTasks([&] { steps << QStringLiteral("data"); });
    frame->SetUnloadAddins([&] { steps << QStringLiteral("unload"); });
    frame->EnterPrintPreview([&] { steps << QStringLiteral("end preview"); });
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(steps, (QStringList{"data", "end preview"}));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->InPrintPreview());

    steps.clear();
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(steps, (QStringList{"data", "unload"}));
}
