#include "frame/aboutdlg.h"
#include "frame/creditstatic.h"

#include <gtest/gtest.h>

#include <QLabel>

TEST(AboutBox, TheCreditsReadAsLinesWithTheBuildNumberAndTheBanner)
{
    const QString text = AboutCreditsText(QStringLiteral("4.0.0.0"), QStringLiteral("Dec 5 2026"), QStringLiteral("09:28:52"));
    const QStringList lines = CreditLines(text);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[1], QStringLiteral("Build No: 4.0.0.0"));
    EXPECT_EQ(lines.last(), QStringLiteral("Last compiled on Dec 5 2026 at 09:28:52"));
    // The program's own number, in four parts.
    EXPECT_EQ(ProgramBuildNumber().split(u'.').size(), 4);

    CAboutDlg dlg;
    bool banner = false;
    for (const QLabel *label : dlg.findChildren<QLabel *>())
        banner = banner || !label->pixmap().isNull();
    EXPECT_TRUE(banner);
}
