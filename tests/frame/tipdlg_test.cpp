#include "data/profile.h"
#include "frame/tipdlg.h"
#include "frame/tipfile.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

const QString kSection = QStringLiteral("Tip");
const QByteArray kTips = "; Tallywick + tips\n\n indented lines are comments too\n\tand tabbed ones\n"
                         "Press I to add an income.\n;between\nPress E to add an expense.\n"
                         "Ctrl+R runs the specified period report.\n";

// A tips file in a throw-away folder and a profile without tip values.
class TipsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *entry : {"StartUp", "FilePos", "TimeStamp"})
            RemoveProfileEntry(kSection, QString::fromLatin1(entry));
    }

    void Write(const QByteArray &text, const QDateTime &modified = QDateTime(QDate(2026, 3, 1), QTime(8, 0)))
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.flush();
        // A fixed time: two writes within a second still differ.
        ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
    }

    static QString Shown(const CTipDlg &dlg) { return dlg.findChild<QLabel *>(QStringLiteral("1004"))->text(); }
    static void Next(CTipDlg &dlg) { dlg.findChild<QPushButton *>(QStringLiteral("1002"))->click(); }
    static int Profile(const char *entry) { return GetProfileInt(kSection, QString::fromLatin1(entry), -1); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("TWKTips.txt"));
};

} // namespace

TEST_F(TipsTest, CommentsAreSkippedTheEndWrapsAndTheNextDialogCarriesOn)
{
    Write(kTips);
    {
        CTipDlg dlg(nullptr, path);
        EXPECT_EQ(dlg.TipText(), QStringLiteral("Press I to add an income.\n"));
        EXPECT_EQ(Shown(dlg), QStringLiteral("Press I to add an income."));
        Next(dlg);
        EXPECT_EQ(Shown(dlg), QStringLiteral("Press E to add an expense."));
    }
    EXPECT_EQ(Profile("FilePos"), kTips.indexOf("Ctrl+R"));
    {
        CTipDlg dlg(nullptr, path);
        EXPECT_EQ(Shown(dlg), QStringLiteral("Ctrl+R runs the specified period report."));
        Next(dlg);
        EXPECT_EQ(Shown(dlg), QStringLiteral("Press I to add an income."));
    }
    // A position at the very end starts again at the first tip.
    WriteProfileInt(kSection, QStringLiteral("FilePos"), int(kTips.size()));
    EXPECT_EQ(CTipDlg(nullptr, path).TipText(), QStringLiteral("Press I to add an income.\n"));
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(TipsTest, LongLinesGoInPiecesOf999WholeCharactersAndCrLfReadsAsInTextMode)
{
    // 998 letters and a two-byte letter: the second piece starts with it.
    Write(QByteArray(2100, 'a') + '\n' + QByteArray(998, 'b') + "\xC3\xA9nd\r\n\r\n;note\r\nLast\r\n");
    CTipFile file;
    ASSERT_TRUE(file.Open(path));
    QString tip;
    for (const QString &piece : {QString(999, u'a'), QString(999, u'a'), QString(102, u'a') + u'\n', QString(998, u'b'),
                                 QStringLiteral("\u00E9nd\n"), QStringLiteral("Last\n")}) {
        ASSERT_EQ(file.Next(tip), CTipFile::Read::Tip);
        EXPECT_EQ(tip, piece);
    }
}

TEST_F(TipsTest, AnEditedFileStartsAgainAtItsFirstTipAndItsTimeIsRecordedInEnglish)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Write(kTips);
    Next(*std::make_unique<CTipDlg>(nullptr, path));
    EXPECT_EQ(GetProfileString(kSection, QStringLiteral("TimeStamp")), QStringLiteral("Sun Mar 01 08:00:00 2026"));
    Write(kTips + "A new tip at the end.\n", QDateTime(QDate(2026, 12, 5), QTime(9, 28, 52)));
    EXPECT_EQ(Shown(CTipDlg(nullptr, path)), QStringLiteral("Press I to add an income."));
    EXPECT_EQ(GetProfileString(kSection, QStringLiteral("TimeStamp")), QStringLiteral("Sat Dec 05 09:28:52 2026"));
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
    EXPECT_EQ(Profile("StartUp"), 1);
    EXPECT_FALSE(CTipDlg::RunAtStartUp(nullptr, path));

    CTipDlg later(nullptr, path);
    later.findChild<QCheckBox *>(QStringLiteral("1001"))->setChecked(true);
    later.reject();
    EXPECT_EQ(Profile("StartUp"), 0);
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

TEST_F(TipsTest, NoTipLinesAMissingFileAndABadPosition)
{
    for (const QByteArray &text : {QByteArray("; only comments\n\n  \n"), QByteArray()}) {
        Write(text);
        CTipDlg dlg(nullptr, path);
        Next(dlg);
        EXPECT_EQ(dlg.TipText(), QString());
    }
    EXPECT_TRUE(TestUi().messages.isEmpty());

    WriteProfileInt(kSection, QStringLiteral("FilePos"), 42);
    {
        CTipDlg dlg(nullptr, dir.filePath(QStringLiteral("none.txt")));
        dlg.show();
        EXPECT_EQ(Shown(dlg), QStringLiteral("Tips file does not exist in the prescribed directory."));
        EXPECT_FALSE(dlg.findChild<QPushButton *>(QStringLiteral("1002"))->isEnabled());
    }
    EXPECT_EQ(Profile("FilePos"), 42);

    WriteProfileInt(kSection, QStringLiteral("FilePos"), -5);
    CTipDlg dlg(nullptr, path);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Trouble reading the tips file."));
}
