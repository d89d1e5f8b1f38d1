#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/profile.h"
#include "frame/tipdlg.h"
#include "frame/tipfile.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kSection = QStringLiteral("Tip");

// A tips file in a throw-away folder and a profile without tip values.
class TipsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *entry : {"StartUp", "FilePos", "TimeStamp"})
            RemoveProfileEntry(kSection, QString::fromLatin1(entry));
    }

    QString Write(const QByteArray &text, const QDateTime &modified = QDateTime(QDate(2026, 3, 1), QTime(8, 0)))
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.flush();
        // A fixed time: two writes within a second still differ.
        EXPECT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
        return path;
    }

    static QString Shown(const CTipDlg &dlg) { return dlg.findChild<QLabel *>(QStringLiteral("1004"))->text(); }
    static void Next(CTipDlg &dlg) { dlg.findChild<QPushButton *>(QStringLiteral("1002"))->click(); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("TWKTips.txt"));
};

const QByteArray kTips = "; Tallywick + tips\n"
                         "\n"
                         " indented lines are comments too\n"
                         "\tand so are tabbed ones\n"
                         "Press I to add an income.\n"
                         ";between\n"
                         "Press E to add an expense.\n"
                         "Ctrl+R runs the specified period report.\n";

} // namespace

TEST_F(TipsTest, CommentsAndBlankLinesAreSkippedAndTheEndWrapsToTheFirstTip)
{
    Write(kTips);
    CTipDlg dlg(nullptr, path);
    EXPECT_EQ(dlg.TipText(), QStringLiteral("Press I to add an income.\n"));
    EXPECT_EQ(Shown(dlg), QStringLiteral("Press I to add an income."));
    Next(dlg);
    EXPECT_EQ(dlg.TipText(), QStringLiteral("Press E to add an expense.\n"));
    Next(dlg);
    EXPECT_EQ(Shown(dlg), QStringLiteral("Ctrl+R runs the specified period report."));
    Next(dlg);
    EXPECT_EQ(Shown(dlg), QStringLiteral("Press I to add an income."));
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(TipsTest, LongLinesAreShownInPiecesOf999CharactersWithoutSplittingACharacter)
{
    const QByteArray longLine = QByteArray(2100, 'a') + '\n';
    // 998 letters and a two-byte letter: the piece stops before it.
    const QByteArray accented = QByteArray(998, 'b') + "\xC3\xA9" + "nd\n";
    Write(longLine + accented);
    CTipFile file;
    ASSERT_TRUE(file.Open(path));
    QString tip;
    const QString expected[] = {QString(999, u'a'), QString(999, u'a'), QString(102, u'a') + u'\n', QString(998, u'b'),
                                QStringLiteral("\u00E9nd\n")};
    for (const QString &piece : expected) {
        ASSERT_EQ(file.Next(tip), CTipFile::Read::Tip);
        EXPECT_EQ(tip, piece);
    }
}

TEST_F(TipsTest, CrLfLinesReadAsInTextMode)
{
    Write("First\r\n\r\n;note\r\nSecond\r\n");
    CTipFile file;
    ASSERT_TRUE(file.Open(path));
    QString tip;
    file.Next(tip);
    EXPECT_EQ(tip, QStringLiteral("First\n"));
    file.Next(tip);
    EXPECT_EQ(tip, QStringLiteral("Second\n"));
}

TEST_F(TipsTest, TheNextDialogCarriesOnAfterTheLastTipShown)
{
    Write(kTips);
    {
        CTipDlg dlg(nullptr, path);
        Next(dlg);
        EXPECT_EQ(Shown(dlg), QStringLiteral("Press E to add an expense."));
    }
    EXPECT_EQ(GetProfileInt(kSection, QStringLiteral("FilePos"), -1), kTips.indexOf("Ctrl+R"));
    CTipDlg again(nullptr, path);
    EXPECT_EQ(Shown(again), QStringLiteral("Ctrl+R runs the specified period report."));
}

TEST_F(TipsTest, AStoredPositionAtTheEndShowsTheFirstTip)
{
    Write(kTips);
    {
        CTipDlg first(nullptr, path); // records the file's time stamp
    }
    WriteProfileInt(kSection, QStringLiteral("FilePos"), int(kTips.size()));
    CTipDlg dlg(nullptr, path);
    EXPECT_EQ(Shown(dlg), QStringLiteral("Press I to add an income."));
}

TEST_F(TipsTest, AnEditedFileStartsAgainAtItsFirstTipAndItsTimeIsRecorded)
{
    Write(kTips);
    {
        CTipDlg dlg(nullptr, path);
        Next(dlg);
    }
    EXPECT_EQ(GetProfileString(kSection, QStringLiteral("TimeStamp")), QStringLiteral("Sun Mar 01 08:00:00 2026"));
    const QDateTime edited(QDate(2026, 12, 5), QTime(9, 28, 52));
    Write(kTips + "A new tip at the end.\n", edited);
    CTipDlg dlg(nullptr, path);
    EXPECT_EQ(Shown(dlg), QStringLiteral("Press I to add an income."));
    EXPECT_EQ(GetProfileString(kSection, QStringLiteral("TimeStamp")), QStringLiteral("Sat Dec 05 09:28:52 2026"));
}

TEST_F(TipsTest, ATimeStampIsInEnglishWhateverTheDesktopLanguage)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(CalendarTimeText(QDateTime(QDate(2026, 7, 9), QTime(17, 5, 0))), QStringLiteral("Thu Jul 09 17:05:00 2026"));
    QLocale::setDefault(before);
}

TEST_F(TipsTest, TheCheckBoxDecidesWhetherTipsShowAtStartUp)
{
    Write(kTips);
    {
        CTipDlg dlg(nullptr, path);
        auto *box = dlg.findChild<QCheckBox *>(QStringLiteral("1001"));
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        dlg.findChild<QPushButton *>(QStringLiteral("1"))->click();
    }
    EXPECT_EQ(GetProfileInt(kSection, QStringLiteral("StartUp"), -1), 1);
    EXPECT_FALSE(CTipDlg::RunAtStartUp(nullptr, path));

    CTipDlg later(nullptr, path);
    auto *box = later.findChild<QCheckBox *>(QStringLiteral("1001"));
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    later.reject();
    EXPECT_EQ(GetProfileInt(kSection, QStringLiteral("StartUp"), -1), 0);

    // Switched on again: start-up shows it, modally.
    QString shownAtStartUp;
    QTimer::singleShot(0, [&] {
        if (auto *dlg = qobject_cast<CTipDlg *>(QApplication::activeModalWidget())) {
            shownAtStartUp = dlg->TipText();
            dlg->accept();
        }
    });
    EXPECT_TRUE(CTipDlg::RunAtStartUp(nullptr, path));
    EXPECT_FALSE(shownAtStartUp.isEmpty());
}

TEST_F(TipsTest, AFileWithoutTipLinesGivesAnEmptyTip)
{
    for (const QByteArray &text : {QByteArray("; only comments\n\n  \n"), QByteArray()}) {
        Write(text);
        CTipDlg dlg(nullptr, path);
        EXPECT_EQ(dlg.TipText(), QString());
        Next(dlg);
        EXPECT_EQ(dlg.TipText(), QString());
    }
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(TipsTest, AMissingFileSaysSoDisablesNextTipAndKeepsThePosition)
{
    WriteProfileInt(kSection, QStringLiteral("FilePos"), 42);
    {
        CTipDlg dlg(nullptr, dir.filePath(QStringLiteral("none.txt")));
        dlg.show();
        EXPECT_EQ(Shown(dlg), QStringLiteral("Tips file does not exist in the prescribed directory."));
        EXPECT_FALSE(dlg.findChild<QPushButton *>(QStringLiteral("1002"))->isEnabled());
    }
    EXPECT_EQ(GetProfileInt(kSection, QStringLiteral("FilePos"), -1), 42);
}

TEST_F(TipsTest, AnUnusablePositionIsReported)
{
    Write(kTips);
    {
        CTipDlg first(nullptr, path);
    }
    WriteProfileInt(kSection, QStringLiteral("FilePos"), -5);
    CTipDlg dlg(nullptr, path);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Trouble reading the tips file."));
}
