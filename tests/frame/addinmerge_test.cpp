#include "framefixture.h"

#include "addins/addinmanager.h"
#include "addins/addinmanagerpage.h"
#include "addins/testaddinhost.h"
#include "addins/addinwindowevents.h"
#include "base/commandids.h"
#include "controls/pagehostdlg.h"
#include "frame/addinmerge.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {

QStringList SampleEvents(const CAddinManager &manager)
{
    QStringList events;
    QMetaObject::invokeMethod(manager.Addins().last().object, "Events", Q_RETURN_ARG(QStringList, events));
    return events;
}

class AddinFrameTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        RemoveProfileEntry(QStringLiteral("Settings"), QStringLiteral("Addin Manager"));
        // The fixture add-in shares "&Tools" with the sample.
        manager.Load({QStringLiteral(TWK_FIXTURE_ADDIN_DIR "/login"), QStringLiteral(TWK_SAMPLE_ADDIN_DIR)}, host.App());
        MergeAddins(manager, Frame(0, true));
        frame->RebuildAccelTable();
    }

    CAddinManager manager;
    CTestAddinHost host{manager};
};

QStringList Texts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *a : actions)
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

TEST(AddinKeys, ShortcutTextsGiveVirtualKeysWithTheirModifier)
{
    const auto key = [](const char *text) {
        const auto entry = AddinAccelFromText(QString::fromLatin1(text), 2025);
        return entry ? std::pair<int, int>(entry->fVirt, entry->key) : std::pair<int, int>(-1, -1);
    };
    EXPECT_EQ(key("Ctrl+K"), std::make_pair(FVIRTKEY | FCONTROL, int('K')));
    EXPECT_EQ(key("Alt+x"), std::make_pair(FVIRTKEY | FALT, int('X')));
    EXPECT_EQ(key("Ctrl+Shift+F5"), std::make_pair(FVIRTKEY | FSHIFT, 0x74));
    EXPECT_EQ(key("Win+Q"), std::make_pair(int(FVIRTKEY), int('Q')));
    EXPECT_EQ(key(""), std::make_pair(-1, -1));
}

TEST_F(AddinFrameTest, CommandsShareToolsBeforeHelpWithToolbarAndShortcut)
{
    QStringList tops = Texts(frame->menuBar()->actions());
    ASSERT_GE(tops.size(), 2);
    EXPECT_EQ(tops.mid(tops.size() - 2), (QStringList{QStringLiteral("&Tools"), QStringLiteral("&Help")}));
    EXPECT_EQ(tops.count(QStringLiteral("&Tools")), 1);
    EXPECT_EQ(Texts(TopMenu(QStringLiteral("&Tools"))->actions()),
              (QStringList{QStringLiteral("Boom"), QStringLiteral("-"), QStringLiteral("Gone"),
                           QStringLiteral("&Sample Report\tCtrl+K"), QStringLiteral("-"), QStringLiteral("&Window Events")}));

    // Only the sample has pictures; the fixture's slot 5 lies beyond its one button.
    ASSERT_EQ(frame->AddinToolbars().size(), 2);
    QToolBar *fixtureBar = frame->AddinToolbars()[0].toolbar;
    EXPECT_TRUE(fixtureBar->actions().isEmpty());
    QToolBar *sampleBar = frame->AddinToolbars()[1].toolbar;
    EXPECT_EQ(sampleBar->windowTitle(), QStringLiteral("Sample Addin"));
    QStringList buttons;
    for (QAction *a : sampleBar->actions())
        buttons << a->iconText();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Units"), QStringLiteral("Events")}));
    EXPECT_EQ(frame->AddinToolbars()[1].toggleId, 10026u);
    EXPECT_EQ(Texts(TopMenu(QStringLiteral("&View"))->actions()).first(), QStringLiteral("&Toolbars"));

    frame->show();
    QApplication::setActiveWindow(frame.get());
    QTest::keyClick(frame.get(), Qt::Key_K, Qt::ControlModifier);
    QStringList calls;
    QMetaObject::invokeMethod(manager.Addins().last().object, "Calls", Q_RETURN_ARG(QStringList, calls));
    EXPECT_EQ(calls.last(), QStringLiteral("ShowSampleReport"));

    // Unchecked on the page: the sample's menu items and buttons grey out at once.
    CAddinManagerPage page(manager);
    page.List()->item(1)->setCheckState(Qt::Unchecked);
    page.Apply();
    frame->UpdateCommandStates();
    EXPECT_FALSE(sampleBar->actions().first()->isEnabled());
    EXPECT_TRUE(TopMenu(QStringLiteral("&Tools"))->actions().first()->isEnabled());
    EXPECT_FALSE(frame->ExecuteCommand(2027));
}

TEST_F(AddinFrameTest, WindowEventsCarryTheDialogIds)
{
    CAddinWindowEvents filter(manager);
    filter.SetFrame(frame.get());
    filter.SetView(frame->View());
    qApp->installEventFilter(&filter);
    QObject::connect(frame.get(), &CMainFrame::commandExecuted, &filter, &CAddinWindowEvents::FrameCommand);
    const qsizetype before = SampleEvents(manager).size();

    frame->show();
    frame->ExecuteCommand(CommandId::ClearScreen);
    {
        // The Addin Manager page in its own dialog, then on a sheet.
        CPageHostDlg host(new CAddinManagerPage(manager), frame.get());
        host.show();
        QDialog sheet(frame.get());
        sheet.setObjectName(QStringLiteral("-1"));
        auto *page = new CAddinManagerPage(manager, &sheet);
        auto *ok = new QPushButton(&sheet);
        ok->setObjectName(QStringLiteral("1"));
        sheet.show();
        page->show();
        ok->click();
    }
    const QStringList events = SampleEvents(manager).mid(before);
    for (const char *expected : {"frame 0x0001 0", "view 0x0001 0", "frame 0x0111 32809", "150 0x0001 0", "-1 0x0001 0",
                                 "-1 0x0111 1", "-1 0x0002 0", "150 0x0002 0"})
        EXPECT_TRUE(events.contains(QString::fromLatin1(expected))) << expected << "\n" << events.join(u'\n').toStdString();
    // A page heard through its own dialog is not heard twice.
    EXPECT_EQ(events.count(QStringLiteral("150 0x0001 0")), 2);
}
