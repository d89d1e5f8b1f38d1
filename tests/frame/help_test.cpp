#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "frame/helpfiles.h"
#include "frame/helpviewer.h"
#include "framefixture.h"

#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QWindow>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString kHelpFolder = QStringLiteral(TWK_RES_DIR "/help");

void WritePage(const QString &path, const QString &title, const QString &body = QString())
{
    WriteText(path, QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body));
}

// The main window over the delivered help pages, shown and active so that
// its keys reach it.
class HelpTest : public FrameTest
{
protected:
    void ShownFrame()
    {
        data.appFolder = QStringLiteral(TWK_RES_DIR);
        data.company.units = {QStringLiteral("Home")};
        data.incomeCategories = {CCategoryEntry{1, QStringLiteral("Salary"), QString(), 1}};
        Frame(0, true).show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    CHelpViewer *Viewer() const { return frame->HelpViewer(); }

    // Presses F1 in the dialog that `command` puts up and closes it; the
    // page the help window then shows. `whileUp` looks at the windows
    // before the dialog goes.
    QString F1InDialogOf(unsigned command, const std::function<void(QWidget *dialog)> &whileUp = {})
    {
        QString page;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            // The offscreen platform may hand the activation back to the
            // main window that was activated just before.
            for (int i = 0; i < 100 && QApplication::activeWindow() != dialog; ++i) {
                dialog->activateWindow();
                QTest::qWait(10);
            }
            if (!dialog->isAncestorOf(QApplication::focusWidget()))
                dialog->setFocus();
            QTest::keyClick(dialog, Qt::Key_F1);
            if (Viewer()) {
                page = Viewer()->CurrentPage();
                if (whileUp)
                    whileUp(dialog);
            }
            dialog->close();
        });
        frame->ExecuteCommand(command);
        return page;
    }
};

} // namespace

TEST(HelpFiles, TopicsNamePagesInsideTheFolderAndSearchNeedsEveryWord)
{
    QTemporaryDir dir;
    const QDir help(dir.filePath(QStringLiteral("help")));
    ASSERT_TRUE(help.mkpath(QStringLiteral(".")));
    EXPECT_EQ(HelpPageForTopic(help.path(), QStringLiteral("TallywickPlus.chm")), QString());
    WriteBytes(help.filePath(QStringLiteral("contents.txt")),
               "# contents\nBeta\tb.htm\nAlpha\tindex.htm\n\tAlpha, part two\tindex.htm#two\r\n\n");
    WritePage(help.filePath(QStringLiteral("index.htm")), QStringLiteral("Alpha"), QStringLiteral("Back up your data."));
    WritePage(help.filePath(QStringLiteral("b.htm")), QStringLiteral("Beta"), QStringLiteral("<b>Backup</b> and password"));
    WritePage(help.filePath(QStringLiteral("c.htm")), QStringLiteral("Gamma"), QStringLiteral("PASSWORD then BACKUP"));
    WritePage(help.filePath(QStringLiteral("d.htm")), QStringLiteral("Delta"), QStringLiteral("<a href=\"backup.htm\">x</a> password"));
    WritePage(dir.filePath(QStringLiteral("outside.htm")), QStringLiteral("Outside"));

    EXPECT_EQ(HelpPageForTopic(help.path(), QStringLiteral("TallywickPlus.chm")), QStringLiteral("index.htm"));
    EXPECT_EQ(HelpPageForTopic(help.path(), QStringLiteral("TallywickPlus.chm::/b.htm#x")), QStringLiteral("b.htm#x"));
    EXPECT_EQ(HelpPageForTopic(help.path(), QStringLiteral("TallywickPlus.chm::/ReportsMenu.htm")), QString());
    EXPECT_EQ(HelpPageForTopic(help.path(), QStringLiteral("TallywickPlus.chm::/../outside.htm")), QString());

    const QList<CHelpEntry> entries = ReadHelpContents(help.path());
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[2].title + u'|' + entries[2].page + u'|' + QString::number(entries[2].depth),
              QStringLiteral("Alpha, part two|index.htm#two|1"));
    // Listed pages first in contents order, then the others; words in tags do not count.
    QStringList found;
    for (const CHelpEntry &e : SearchHelpPages(help.path(), QStringLiteral("backup  Password")))
        found << e.title;
    EXPECT_EQ(found, (QStringList{QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    EXPECT_TRUE(SearchHelpPages(help.path(), QStringLiteral("  ")).isEmpty());
}

TEST_F(HelpTest, TheMainWindowOpensTheStartPageAndAMissingPageIsReported)
{
    ShownFrame();
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_NE(Viewer(), nullptr);
    EXPECT_TRUE(Viewer()->isVisible());
    EXPECT_EQ(Viewer()->Browser()->documentTitle(), QStringLiteral("Welcome to Tallywick +"));
    Viewer()->ShowPage(QStringLiteral("FileMenu.htm"));
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::HelpTopics));
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("index.htm"));

    QTemporaryDir empty;
    data.appFolder = empty.path();
    Frame(0, true);
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::HelpTopics));
    data.showHelp(LoadString(StringId::HelpSetupMenu));
    EXPECT_EQ(Viewer(), nullptr);
    const QString folder = QDir::toNativeSeparators(QDir(empty.path()).filePath(QStringLiteral("help")));
    EXPECT_EQ(TestUi().Texts(), (QStringList{LoadString(StringId::OpenHelpPageFailed).arg(QStringLiteral("index.htm"), folder),
                                             LoadString(StringId::OpenHelpPageFailed).arg(QStringLiteral("SetupMenu.htm"), folder)}));
}

TEST_F(HelpTest, F1InADialogOpensThePageOfItsMenuBesideTheDialogNotAboveIt)
{
    ShownFrame();
    bool usable = false;
    const QString page = F1InDialogOf(CommandId::AddIncome, [&usable, this](QWidget *dialog) {
        QWindow *help = Viewer()->windowHandle();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(Viewer()->isVisible());
        // No owner, so the desktop does not keep it above the dialog ...
        EXPECT_EQ(help->transientParent(), nullptr);
        EXPECT_NE(Viewer()->window(), dialog->window());
        // ... and the dialog does not block it: a key from the desktop reaches it.
        QTest::keyClick(help, Qt::Key_Escape);
        usable = !Viewer()->isVisible();

        // The dialog still blocks the main window.
        EXPECT_EQ(QApplication::activeModalWidget(), dialog);
    });
    EXPECT_EQ(page, QStringLiteral("TransactionsMenu.htm"));
    EXPECT_TRUE(usable);
    ASSERT_NE(Viewer(), nullptr);
    // Ctrl+W closes it too, from any of its fields.
    frame->ShowHelp(LoadString(StringId::HelpFile));
    ASSERT_TRUE(Viewer()->isVisible());
    Viewer()->Browser()->setFocus();
    QTest::keyClick(Viewer()->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(Viewer()->isVisible());

    EXPECT_EQ(F1InDialogOf(CommandId::About), QStringLiteral("HelpMenu.htm"));
    // The settings sheet opens the part for its page on show; the wizard its own.
    EXPECT_EQ(F1InDialogOf(CommandId::DefaultSettings), QStringLiteral("SetupMenu.htm"));
    EXPECT_EQ(Viewer()->Browser()->source().fragment(), QStringLiteral("general"));
    EXPECT_EQ(F1InDialogOf(CommandId::SetupWizard), QStringLiteral("SetupMenu.htm"));
    EXPECT_EQ(Viewer()->Browser()->source().fragment(), QStringLiteral("wizard"));
    // The report dialogs ask through the same hook.
    data.showHelp(LoadString(StringId::HelpReportsMenu));
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("ReportsMenu.htm"));
}

TEST_F(HelpTest, LinksBackForwardAndTheContentsFollowTheReader)
{
    ShownFrame();
    frame->ShowHelp(LoadString(StringId::HelpFile));
    QTextBrowser *browser = Viewer()->Browser();
    emit browser->anchorClicked(QUrl(QStringLiteral("SetupMenu.htm#currency")));
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("SetupMenu.htm"));
    auto *contents = Viewer()->findChild<QTreeWidget *>(QStringLiteral("helpContents"));
    ASSERT_NE(contents->currentItem(), nullptr);
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Currency Settings"));
    browser->backward();
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("index.htm"));
    browser->forward();
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("currency"));

    // The web goes to the desktop's browser; when none takes it, the user hears.
    emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    EXPECT_EQ(TestUi().openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://example.org/"))});
    EXPECT_TRUE(TestUi().messages.isEmpty());
    TestUi().urlsOpen = false;
    emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/b")));
    EXPECT_EQ(TestUi().LastText(), LoadString(StringId::OpenWebPageFailed).arg(QStringLiteral("https://example.org/b")));
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("SetupMenu.htm"));
}

TEST_F(HelpTest, VideoTutorialsAndTheAboutLinkOpenGettingStarted)
{
    ShownFrame();
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::VideoTutorials));
    ASSERT_NE(Viewer(), nullptr);
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("GettingStarted.htm"));
    EXPECT_TRUE(TestUi().openedUrls.isEmpty());
    Viewer()->ShowPage(QStringLiteral("FileMenu.htm"));

    QString shown;
    QTimer::singleShot(0, [&shown, this] {
        auto *about = QApplication::activeModalWidget();
        auto *link = about->findChild<QLabel *>(QStringLiteral("aboutLink"));
        emit link->linkActivated(link->text().section(u'"', 1, 1));
        shown = Viewer()->CurrentPage();
        about->close();
    });
    frame->ExecuteCommand(CommandId::About);
    EXPECT_EQ(shown, QStringLiteral("GettingStarted.htm"));
    EXPECT_TRUE(TestUi().openedUrls.isEmpty());
}

TEST(HelpPages, EveryLinkAndPictureOfThePagesExists)
{
    const QDir help(kHelpFolder);
    QHash<QString, QString> html;
    QHash<QString, QStringList> anchors;
    static const QRegularExpression anchor(QStringLiteral("<a\\s+name=\"([^\"]+)\""));
    for (const QString &page : help.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
        html[page] = ReadText(help.filePath(page));
        for (const QRegularExpressionMatch &m : anchor.globalMatch(html[page]))
            anchors[page] << m.captured(1);
        EXPECT_FALSE(HelpPageTitle(html[page]).isEmpty()) << page.toStdString();
    }
    ASSERT_GE(html.size(), 8);
    auto resolves = [&](const QString &from, const QString &target) {
        const QString file = target.section(u'#', 0, 0).isEmpty() ? from : target.section(u'#', 0, 0);
        const QString fragment = target.section(u'#', 1);
        return QFileInfo::exists(help.filePath(file)) && (fragment.isEmpty() || anchors.value(file).contains(fragment));
    };
    static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    int links = 0;
    for (auto it = html.cbegin(); it != html.cend(); ++it) {
        for (const QRegularExpressionMatch &m : link.globalMatch(it.value())) {
            ++links;
            EXPECT_TRUE(resolves(it.key(), m.captured(1))) << it.key().toStdString() << " -> " << m.captured(1).toStdString();
        }
    }
    EXPECT_GT(links, 100);
    for (const CHelpEntry &entry : ReadHelpContents(kHelpFolder))
        EXPECT_TRUE(resolves(HelpStartPage(), entry.page)) << entry.page.toStdString();
    for (const unsigned id : {StringId::HelpFile, StringId::HelpTransactionsMenu, StringId::HelpSetupMenu,
                              StringId::HelpReportsMenu, StringId::HelpHelpMenu})
        EXPECT_FALSE(HelpPageForTopic(kHelpFolder, LoadString(id)).isEmpty()) << LoadString(id).toStdString();
}

