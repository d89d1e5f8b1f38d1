#include "reports/reportexport.h"

#include "controls/gridcellmodel.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/customreportwriter.h"
#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <clocale>

namespace {

class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // A small report: the corner blanks, a heading, a rule and amounts.
        grid.SetRowCount(3);
        grid.SetColumnCount(3);
        grid.SetItemText(0, 0, QStringLiteral("        "));
        grid.SetItemText(0, 1, QStringLiteral("Category"));
        grid.SetItemText(0, 2, QStringLiteral("Amount ($)"));
        grid.SetItemText(1, 1, QStringLiteral("Bäckerei, Süd"));
        grid.SetItemText(1, 2, QStringLiteral("12.50"));
        grid.SetItemText(2, 1, QStringLiteral("Say \"hi\""));
        grid.SetItemText(2, 2, QStringLiteral("============="));
    }
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    CGridCellModel grid;
};

} // namespace

TEST_F(ExportTest, TextAlignsColumnsAndCsvQuotesOnlyWhatWouldBreakTheRow)
{
    const QString expectedText = QStringLiteral(
        "          Category      Amount ($)    \r\n"
        "          Bäckerei, Süd 12.50         \r\n"
        "          Say \"hi\"      ============= \r\n");
    EXPECT_EQ(ReportExport::TextBytes(grid), expectedText.toUtf8());
    EXPECT_EQ(ReportExport::CsvBytes(grid), QStringLiteral("        ,Category,Amount ($)\r\n"
                                                           ",\"Bäckerei, Süd\",12.50\r\n"
                                                           ",\"Say \"\"hi\"\"\",=============\r\n")
                                                .toUtf8());
    EXPECT_EQ(ReportExport::CsvField(QStringLiteral("two\nlines")), QStringLiteral("\"two\nlines\""));
    EXPECT_EQ(ReportExport::CsvField(QStringLiteral("-12.50")), QStringLiteral("-12.50"));
}

TEST_F(ExportTest, TheChosenNameDecidesTheFormatAndAnEmptyGridGivesEmptyFiles)
{
    TestUi().QueueFile(Path("report.csv"));
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Written);
    EXPECT_EQ(ReadBytes(Path("report.csv")), ReportExport::CsvBytes(grid));

    TestUi().QueueFile(Path("report.CSV"));
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Written);
    EXPECT_EQ(ReadBytes(Path("report.CSV")), ReportExport::TextBytes(grid));

    const CGridCellModel empty;
    for (const char *name : {"empty.txt", "empty.csv"}) {
        TestUi().QueueFile(Path(name));
        EXPECT_EQ(ReportExport::Run(empty), ReportExport::Outcome::Written);
        EXPECT_EQ(ReadBytes(Path(name)), QByteArray());
    }
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Cancelled);
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(ExportTest, TheSaveDialogStartsInTheDocumentsThenInTheFolderLastSavedTo)
{
    const QString documents = FirstRunDocumentsFolder();
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Cancelled);
    TestUi().QueueFile(Path("march.csv"));
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Written);
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Cancelled);
    ASSERT_EQ(TestUi().fileRequests.size(), 3);
    EXPECT_EQ(TestUi().fileRequests[0].directory, documents);
    EXPECT_EQ(TestUi().fileRequests[1].directory, documents);
    EXPECT_EQ(TestUi().fileRequests[2].directory, QDir::cleanPath(dir.path()));
    EXPECT_EQ(TestUi().fileRequests[2].fileName, ReportExport::kDefaultName);
}

TEST_F(ExportTest, ReplacingAFileIsAskedAndNoKeepsIt)
{
    WriteBytes(Path("old.txt"), "keep me");
    TestUi().QueueFile(Path("old.txt"));
    TestUi().QueueAnswer(IDNO);
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Cancelled);
    EXPECT_EQ(ReadBytes(Path("old.txt")), QByteArray("keep me"));
    ASSERT_EQ(TestUi().messages.size(), 1);
    EXPECT_EQ(TestUi().messages[0].text, Path("old.txt") + QStringLiteral(" already exists.\nDo you want to replace it?"));
    // No brings the dialog back on the same name.
    ASSERT_EQ(TestUi().fileRequests.size(), 2);
    EXPECT_EQ(TestUi().fileRequests[1].fileName, QStringLiteral("old.txt"));

    TestUi().QueueFile(Path("old.txt"));
    TestUi().QueueAnswer(IDYES);
    EXPECT_EQ(ReportExport::Run(grid), ReportExport::Outcome::Written);
    EXPECT_EQ(ReadBytes(Path("old.txt")), ReportExport::TextBytes(grid));
}

TEST_F(ExportTest, AnUnwritableTargetIsReportedAndNothingIsWritten)
{
    // A folder that is really a file: no user, root included, can write there.
    WriteBytes(Path("blocker"), {});
    EXPECT_EQ(ReportExport::WriteFile(grid, Path("blocker/report.txt")), ReportExport::Outcome::Failed);
    EXPECT_TRUE(TestUi().LastText().startsWith(QStringLiteral("Cannot export or save to this storage media.")));
    EXPECT_EQ(ReportExport::WriteFile(grid, Path("blocker/report.csv")), ReportExport::Outcome::Failed);
    EXPECT_FALSE(TestUi().LastText().isEmpty());
    EXPECT_FALSE(TestUi().LastText().startsWith(QStringLiteral("Cannot export")));
    EXPECT_EQ(TestUi().messages.size(), 2);
}

TEST(ExportLocale, AReportExportsTheSameBytesUnderAGermanDesktop)
{
    CTestDatabase db;
    CTallywickData data;
    data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
    data.settings.cCurrency = QStringLiteral("€");
    db.AddTransaction("Shop", "03/02/2026", "Sales", 1234.5, {}, 1);
    const CCustomReport report{QStringLiteral("R"), {{QStringLiteral("In"), {{1, 1, QStringLiteral("Sales")}}}}};
    const CustomReportPeriod period{QDate(2026, 3, 1), QDate(2026, 3, 31), QStringLiteral("a"), QStringLiteral("b")};
    const auto exported = [&] {
        CGridCellModel grid;
        CCustomReportWriter(data.connection, data.company, data.settings).Write(grid, report, period, {QStringLiteral("Shop")});
        return ReportExport::TextBytes(grid) + ReportExport::CsvBytes(grid);
    };
    const QByteArray plain = exported();
    ASSERT_TRUE(plain.contains("1234.50"));

    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const QLocale previousLocale;
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray german = exported();
    std::setlocale(LC_ALL, previous.c_str());
    QLocale::setDefault(previousLocale);
    EXPECT_EQ(german, plain);
}
