#pragma once

#include "data/profile.h"
#include "data/tallywickdata.h"
#include "frame/mainframe.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <memory>

// A main window over an in-memory settings record, in a throw-away profile.
class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override { RemoveProfileEntry(QStringLiteral("ToolbarSettings"), QStringLiteral("Main Toolbar")); }

    CMainFrame &Frame(int passwordMode = 0, bool loggedIn = false)
    {
        data.settings.iByPassPasswordScreen = passwordMode;
        data.loggedIn = loggedIn;
        frame = std::make_unique<CMainFrame>(data);
        return *frame;
    }

    QMenu *TopMenu(const QString &title) const
    {
        for (QAction *a : frame->menuBar()->actions()) {
            if (a->menu() && a->text() == title)
                return a->menu();
        }
        return nullptr;
    }

    static unsigned Id(const QAction *a) { return a->data().toUInt(); }

    CTallywickData data;
    std::unique_ptr<CMainFrame> frame;
};
