#include "app/tallywickapp.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "frame/mainframe.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifdef TWK_BUILD_DIR
TEST(Installation, LaysOutTheDesktopProgramAndAFirstStartSeedsTheUsersDataFolder)
{
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
    {
        CTallywickApp app;
        app.SetFolderWritable(readOnly);
        ASSERT_TRUE(app.InitInstance(root.filePath(QStringLiteral("bin")), {}));
        EXPECT_EQ(app.Data().appFolder, data);
        EXPECT_EQ(QDir::currentPath(), data);
        EXPECT_EQ(app.Data().ProgramFile(QStringLiteral("TWKTips.txt")), root.filePath(QStringLiteral("share/tallywick/TWKTips.txt")));
        EXPECT_EQ(app.Data().ResolvedDatabasePath(), data + QStringLiteral("/TallywickPlus.mdb"));
        EXPECT_TRUE(app.Data().connection.IsOpen());
        EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/TallywickPlus.ini")));
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
