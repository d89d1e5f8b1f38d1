#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "frame/helpfiles.h"
#include "frame/helpviewer.h"
#include "framefixture.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

namespace {

const QString kHelpFolder = QStringLiteral(TWK_RES_DIR "/help");

void WriteFile(const QString &path, const QString &text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

QString Page(const QString &title, const QString &body)
{
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body);
}

QStringList Titles(const QList<CHelpEntry> &entries)
{
    QStringList titles;
    for (const CHelpEntry &e : entries)
        titles << e.title;
    return titles;
}

// Stands in for the desktop's browser.
class CUrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl &url) { opened << url; }
};

// The main window over the delivered help pages, shown and active so that
// its keys reach it.
class HelpTest : public FrameTest
{
protected:
    CMainFrame &ShownFrame()
    {
        data.appFolder = QStringLiteral(TWK_RES_DIR);
        data.company.units = {QStringLiteral("Home")};
        data.incomeCategories = {CCategoryEntry{1, QStringLiteral("Salary"), QString(), 1}};
        Frame(0, true).show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        return *frame;
    }

    CHelpViewer *Viewer() const { return frame->HelpViewer(); }

    // Presses F1 in the dialog that `command` puts up, notes the page the
    // help window then shows and whether the help window is usable beside
    // the dialog, and closes the dialog.
    QString F1InDialogOf(unsigned command)
    {
        QString page;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
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
                besideDialog = Viewer()->isVisible() && Viewer()->parentWidget() == dialog;
            }
            dialog->close();
        });
        frame->ExecuteCommand(command);
        return page;
    }

    bool besideDialog = false;
};

} // namespace

TEST(HelpFiles, ATopicNamesAPageOfTheHelpFolderOrNothing)
{
    QTemporaryDir dir;
    const QString help = dir.filePath(QStringLiteral("help"));
    QDir().mkpath(help);
    EXPECT_EQ(HelpPageForTopic(help, QStringLiteral("TallywickPlus.chm")), QString());
    WriteFile(help + QStringLiteral("/index.htm"), Page(QStringLiteral("Start"), QString()));
    WriteFile(help + QStringLiteral("/SetupMenu.htm"), Page(QStringLiteral("Setup"), QString()));
    WriteFile(dir.filePath(QStringLiteral("Outside.htm")), Page(QStringLiteral("Outside"), QString()));

    EXPECT_EQ(HelpPageForTopic(help, QStringLiteral("TallywickPlus.chm")), QStringLiteral("index.htm"));
    EXPECT_EQ(HelpPageForTopic(help, QStringLiteral("TallywickPlus.chm::/SetupMenu.htm")), QStringLiteral("SetupMenu.htm"));
    EXPECT_EQ(HelpPageForTopic(help, QStringLiteral("TallywickPlus.chm::/SetupMenu.htm#currency")),
              QStringLiteral("SetupMenu.htm#currency"));
    EXPECT_EQ(HelpPageForTopic(help, QStringLiteral("TallywickPlus.chm::/ReportsMenu.htm")), QString());
    EXPECT_EQ(HelpPageForTopic(help, QStringLiteral("TallywickPlus.chm::/../Outside.htm")), QString());
}

TEST(HelpFiles, ContentsNestByTabsAndSearchFindsPagesHoldingEveryWord)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath(QStringLiteral("contents.txt")),
              QStringLiteral("# contents\nBeta\tb.htm\nAlpha\ta.htm\n\tAlpha, part two\ta.htm#two\r\n\n"));
    WriteFile(dir.filePath(QStringLiteral("a.htm")), Page(QStringLiteral("Alpha"), QStringLiteral("Back up your data.")));
    WriteFile(dir.filePath(QStringLiteral("b.htm")), Page(QStringLiteral("Beta"), QStringLiteral("<b>Backup</b> and password")));
    WriteFile(dir.filePath(QStringLiteral("c.htm")), Page(QStringLiteral("Gamma"), QStringLiteral("PASSWORD then BACKUP")));
    // The word only inside a tag is no match.
    WriteFile(dir.filePath(QStringLiteral("d.htm")),
              Page(QStringLiteral("Delta"), QStringLiteral("<a href=\"backup.htm\">link</a> password")));

    const QList<CHelpEntry> contents = ReadHelpContents(dir.path());
    ASSERT_EQ(contents.size(), 3);
    EXPECT_EQ(contents[2].title, QStringLiteral("Alpha, part two"));
    EXPECT_EQ(contents[2].page, QStringLiteral("a.htm#two"));
    EXPECT_EQ(contents[2].depth, 1);
    EXPECT_EQ(contents[0].depth, 0);

    EXPECT_EQ(Titles(SearchHelpPages(dir.path(), QStringLiteral("backup  Password"))),
              (QStringList{QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    EXPECT_EQ(Titles(SearchHelpPages(dir.path(), QStringLiteral("data"))), QStringList{QStringLiteral("Alpha")});
    EXPECT_TRUE(SearchHelpPages(dir.path(), QStringLiteral("  ")).isEmpty());
}

TEST_F(HelpTest, F1AndHelpTopicsInTheMainWindowOpenTheStartPage)
{
    ShownFrame();
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_NE(Viewer(), nullptr);
    EXPECT_TRUE(Viewer()->isVisible());
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("index.htm"));
    EXPECT_EQ(Viewer()->Browser()->documentTitle(), QStringLiteral("Welcome to Tallywick +"));

    Viewer()->ShowPage(QStringLiteral("FileMenu.htm"));
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::HelpTopics));
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("index.htm"));
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(HelpTest, F1InADialogOpensThePageOfItsMenuBesideTheDialog)
{
    ShownFrame();
    EXPECT_EQ(F1InDialogOf(CommandId::AddIncome), QStringLiteral("TransactionsMenu.htm"));
    EXPECT_TRUE(besideDialog);
    // Back with the main window once the dialog is gone, still open.
    ASSERT_NE(Viewer(), nullptr);
    EXPECT_EQ(Viewer()->parentWidget(), frame.get());
    EXPECT_TRUE(Viewer()->isVisible());

    EXPECT_EQ(F1InDialogOf(CommandId::AddDeleteCategory), QStringLiteral("SetupMenu.htm"));
    EXPECT_EQ(F1InDialogOf(CommandId::UserInformation), QStringLiteral("SetupMenu.htm"));
    EXPECT_EQ(F1InDialogOf(CommandId::About), QStringLiteral("HelpMenu.htm"));
    // The report dialogs ask through the same hook.
    data.showHelp(LoadString(StringId::HelpReportsMenu));
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("ReportsMenu.htm"));
}

TEST_F(HelpTest, WithoutItsPagesAHelpRequestIsQuietlyIgnored)
{
    QTemporaryDir empty;
    data.appFolder = empty.path();
    Frame(0, true);
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::HelpTopics));
    data.showHelp(LoadString(StringId::HelpSetupMenu));
    EXPECT_EQ(frame->HelpViewer(), nullptr);
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(HelpTest, BackAndForwardRetraceThePagesOpened)
{
    ShownFrame();
    frame->ShowHelp(LoadString(StringId::HelpFile));
    QTextBrowser *browser = Viewer()->Browser();
    emit browser->anchorClicked(QUrl(QStringLiteral("SetupMenu.htm#currency")));
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("SetupMenu.htm"));
    // The contents follow the page, down to the section.
    auto *contents = Viewer()->findChild<QTreeWidget *>(QStringLiteral("helpContents"));
    ASSERT_NE(contents->currentItem(), nullptr);
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Currency Settings"));
    browser->backward();
    EXPECT_EQ(Viewer()->CurrentPage(), QStringLiteral("index.htm"));
    browser->forward();
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("currency"));
}

TEST_F(HelpTest, VideoTutorialsHandsTheAddressToTheDesktop)
{
    Frame(0, false);
    CUrlCatcher desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop, "Open");
    EXPECT_TRUE(frame->ExecuteCommand(CommandId::VideoTutorials));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl(CMainFrame::VideoTutorialsUrl())});
}

TEST(HelpPages, EveryLinkAndPictureOfThePagesExists)
{
    const QDir help(kHelpFolder);
    const QStringList pages = help.entryList({QStringLiteral("*.htm")}, QDir::Files);
    ASSERT_GE(pages.size(), 8);
    // Every page and anchor that links may name.
    QHash<QString, QSet<QString>> anchors;
    QHash<QString, QString> html;
    static const QRegularExpression anchor(QStringLiteral("<a\\s+name=\"([^\"]+)\""));
    for (const QString &page : pages) {
        QFile f(help.filePath(page));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        html[page] = QString::fromUtf8(f.readAll());
        for (const QRegularExpressionMatch &m : anchor.globalMatch(html[page]))
            anchors[page] << m.captured(1);
        EXPECT_FALSE(HelpPageTitle(html[page]).isEmpty()) << page.toStdString();
    }
    auto resolves = [&](const QString &from, const QString &target) {
        if (target.startsWith(QStringLiteral("http")) || target.startsWith(QStringLiteral("mailto:")))
            return true;
        const QString file = target.section(u'#', 0, 0).isEmpty() ? from : target.section(u'#', 0, 0);
        if (!QFileInfo::exists(help.filePath(file)))
            return false;
        const QString fragment = target.section(u'#', 1);
        return fragment.isEmpty() || anchors.value(file).contains(fragment);
    };
    static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    int links = 0;
    for (const QString &page : pages) {
        for (const QRegularExpressionMatch &m : link.globalMatch(html[page])) {
            ++links;
            EXPECT_TRUE(resolves(page, m.captured(1))) << page.toStdString() << " -> " << m.captured(1).toStdString();
        }
    }
    EXPECT_GT(links, 100);
    for (const CHelpEntry &entry : ReadHelpContents(kHelpFolder))
        EXPECT_TRUE(resolves(HelpStartPage(), entry.page)) << entry.page.toStdString();
    // The topics the program asks for.
    for (const unsigned id : {StringId::HelpFile, StringId::HelpTransactionsMenu, StringId::HelpSetupMenu,
                              StringId::HelpReportsMenu, StringId::HelpHelpMenu})
        EXPECT_FALSE(HelpPageForTopic(kHelpFolder, LoadString(id)).isEmpty()) << LoadString(id).toStdString();
}

#include "help_test.moc"
