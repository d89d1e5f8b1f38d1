#include "addins/addinmanager.h"
#include "app/tallywickapp.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/profile.h"
#include "frame/mainframe.h"

#include "support/nextmodal.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>

#ifdef TWK_BUILD_DIR
TEST(Installation, LaysOutTheDesktopProgramAndAFirstStartSeedsTheUsersDataFolder)
{
    // An earlier test may have switched every add-in off in the shared profile.
    RemoveProfileEntry(QStringLiteral("Settings"), QStringLiteral("Addin Manager"));
    const QString cwd = QDir::currentPath();
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(TWK_CMAKE), {QStringLiteral("--install"), QStringLiteral(TWK_BUILD_DIR),
                                              QStringLiteral("--prefix"), prefix.path()});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QDir root(prefix.path());
    for (const char *file : {"bin/tallywick", "share/tallywick/TallywickPlus.ini", "share/tallywick/TallywickPlus.mdb",
                             "share/tallywick/TWKBanner.bmp", "share/tallywick/TWKTips.txt",
                             "share/tallywick/help/contents.txt", "share/applications/net.norwend.Tallywick.desktop",
                             "share/icons/hicolor/scalable/apps/net.norwend.Tallywick.svg",
                             "share/metainfo/net.norwend.Tallywick.metainfo.xml"})
        EXPECT_TRUE(root.exists(QString::fromLatin1(file))) << file;
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (!appstream.isEmpty()) {
        QProcess validate;
        validate.start(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                   root.filePath(QStringLiteral("share/metainfo/net.norwend.Tallywick.metainfo.xml"))});
        ASSERT_TRUE(validate.waitForFinished(60000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    }

    // Installed for all users: the program's folders are not the user's to
    // write, so the first start works from a seeded copy in the data folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tallywick");
    QDir(data).removeRecursively();
    const auto readOnly = [](const QString &) { return false; };
    // An add-in beside the installed program and one of the user's own.
    const auto lay = [](const QString &library, const QString &folder) {
        return QDir().mkpath(folder) && QFile::copy(library, folder + u'/' + QFileInfo(library).fileName());
    };
    ASSERT_TRUE(lay(QStringLiteral(TWK_FIXTURE_ADDIN_DIR "/login/libtwkfixture_login.so"), root.filePath(QStringLiteral("bin/addins"))));
    ASSERT_TRUE(lay(QStringLiteral(TWK_SAMPLE_ADDIN_DIR "/libtwksampleaddin.so"), data + QStringLiteral("/addins")));
    {
        CTallywickApp app;
        app.SetFolderWritable(readOnly);
        // A first start: the setup wizard comes up and is closed.
        const auto wizard = std::make_shared<QString>();
        CloseSetupWizardWhenShown(wizard);
        ASSERT_TRUE(app.InitInstance(root.filePath(QStringLiteral("bin")), {}));
        EXPECT_EQ(app.Data().appFolder, data);
        EXPECT_EQ(QDir::currentPath(), data);
        EXPECT_EQ(app.Data().ProgramFile(QStringLiteral("TWKTips.txt")), root.filePath(QStringLiteral("share/tallywick/TWKTips.txt")));
        EXPECT_EQ(app.Data().ResolvedDatabasePath(), data + QStringLiteral("/TallywickPlus.mdb"));
        EXPECT_TRUE(app.Data().connection.IsOpen());
        EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/TallywickPlus.ini")));
        EXPECT_FALSE(wizard->isEmpty());
        // Each add-in once: one record, one toolbar, its commands once in the menu.
        QStringList names;
        for (const CAddinRecord &record : app.Addins()->Addins())
            names << record.name;
        EXPECT_EQ(names, (QStringList{QStringLiteral("Fixture"), QStringLiteral("Sample Addin")}));
        QStringList items;
        for (const QAction *menu : app.MainFrame()->menuBar()->actions()) {
            if (menu->text() == QStringLiteral("&Tools"))
                for (const QAction *item : menu->menu()->actions())
                    items << item->text().section(u'\t', 0, 0);
        }
        items.removeAll(QString());
        EXPECT_EQ(items, (QStringList{QStringLiteral("Boom"), QStringLiteral("Gone"), QStringLiteral("&Sample Report"),
                                      QStringLiteral("&Window Events")}));
        QStringList toolbars;
        for (const QToolBar *toolbar : app.MainFrame()->findChildren<QToolBar *>())
            toolbars << toolbar->windowTitle();
        EXPECT_EQ(toolbars.count(QStringLiteral("Sample Addin")), 1) << toolbars.join(u',').toStdString();
        app.MainFrame()->close();
        app.ExitInstance();
    }

    // A database gone missing later is asked for, never replaced by a new one.
    TestUi().Reset();
    ASSERT_TRUE(QFile::remove(data + QStringLiteral("/TallywickPlus.mdb")));
    {
        CTallywickApp app;
        app.SetFolderWritable(readOnly);
        EXPECT_FALSE(app.InitInstance(root.filePath(QStringLiteral("bin")), {}));
        EXPECT_EQ(TestUi().Texts().value(0), LoadString(StringId::DatabaseNotFound));
        EXPECT_EQ(TestUi().fileRequests.size(), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/TallywickPlus.mdb")));
    QDir::setCurrent(cwd);

    // The installed command line finds the database its settings file names.
    QProcess report;
    report.start(root.filePath(QStringLiteral("bin/tallywick")), {QStringLiteral("report"), QStringLiteral("period"),
                                                                  QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_TRUE(report.waitForFinished(60000));
    EXPECT_EQ(report.exitCode(), 0) << report.readAllStandardError().toStdString();
    EXPECT_TRUE(report.readAllStandardOutput().contains("Balance: "));
}
#endif
