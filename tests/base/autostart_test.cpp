#include "base/autostart.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

namespace {

// What a desktop launcher does with an Exec value: undo the string escapes,
// then split into arguments and undo the quoting. Field codes ("%%") first.
QStringList LaunchArguments(const QString &value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar n = value[++i];
            unescaped += n == u'n' ? QChar(u'\n') : n == u't' ? QChar(u'\t') : n == u'r' ? QChar(u'\r') : n;
        } else {
            unescaped += value[i];
        }
    }
    QStringList args;
    QString current;
    bool inQuotes = false, any = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (c == u'%') {
            if (i + 1 < unescaped.size() && unescaped[i + 1] == u'%') {
                current += u'%';
                ++i;
                continue;
            }
            return {QStringLiteral("<field code>")};
        }
        if (inQuotes) {
            if (c == u'\\' && i + 1 < unescaped.size()) {
                const QChar n = unescaped[++i];
                if (QStringLiteral("\"`$\\").contains(n))
                    current += n;
                else
                    return {QStringLiteral("<bad escape>")};
            } else if (c == u'"') {
                inQuotes = false;
            } else if (QStringLiteral("`$").contains(c)) {
                return {QStringLiteral("<unescaped reserved>")};
            } else {
                current += c;
            }
        } else if (c == u'"') {
            inQuotes = any = true;
        } else if (c == u' ') {
            if (any || !current.isEmpty())
                args << current;
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (inQuotes)
        return {QStringLiteral("<unterminated>")};
    if (any || !current.isEmpty())
        args << current;
    return args;
}

} // namespace

TEST(RunAtStartup, EntryIsWrittenReadAndRemoved)
{
    for (const bool allUsers : {false, true}) {
        EXPECT_FALSE(IsRunAtStartup(QStringLiteral("NRWLBApp"), allUsers));
        ASSERT_TRUE(SetRunAtStartup(QStringLiteral("NRWLBApp"), allUsers, QStringLiteral("/opt/my apps/tallywick")));
        EXPECT_TRUE(IsRunAtStartup(QStringLiteral("NRWLBApp"), allUsers));
        const QString text = ReadText(AutostartFolder(allUsers) + QStringLiteral("/NRWLBApp.desktop"));
        EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/my apps/tallywick\"\n")));
        EXPECT_TRUE(RemoveRunAtStartup(QStringLiteral("NRWLBApp"), allUsers));
        EXPECT_FALSE(IsRunAtStartup(QStringLiteral("NRWLBApp"), allUsers));
    }
    EXPECT_TRUE(AutostartFolder(true).startsWith(qEnvironmentVariable("HOME")));
}

TEST(RunAtStartup, ExecLineStartsExactlyTheProgramWhateverItsPathHolds)
{
    const QStringList paths = {
        QStringLiteral("/opt/Tallywick +/tallywick"),
        QStringLiteral("/home/o'brien/\"quoted\"/tallywick"),
        QStringLiteral("/home/a/$HOME/`id`/tallywick"),
        QStringLiteral("/home/a/100% sure/%f %u/tallywick"),
        QStringLiteral("/home/a/back\\slash\\\\two/tallywick"),
        QStringLiteral("/home/a/Grüße ünd 家/tallywick"),
        QStringLiteral("/home/a/line\nbreak\ttab/tallywick"),
    };
    for (const QString &path : paths)
        EXPECT_EQ(LaunchArguments(DesktopExecValue(path)), QStringList{path}) << qPrintable(path);
}
