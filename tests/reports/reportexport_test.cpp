#include "reports/reportexport.h"

#include "controls/gridcellmodel.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/customreportwriter.h"
#include "reports/listreport.h"
#include "reports/reportformat.h"
#include "reports/reportqueries.h"
#include "reportfixture.h"
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

TEST(CsvField, TextASpreadsheetWouldRunIsWrittenAsTextAmountsAndRulesAsTheyAre)
{
    const auto field = [](const char16_t *text) { return ReportExport::CsvField(QString::fromUtf16(text)); };
    EXPECT_EQ(field(u"=1+2"), QStringLiteral("\"'=1+2\""));
    EXPECT_EQ(field(u"+49 30 1234"), QStringLiteral("\"'+49 30 1234\""));
    EXPECT_EQ(field(u"-2+3"), QStringLiteral("\"'-2+3\""));
    EXPECT_EQ(field(u"@SUM(A1:A9)"), QStringLiteral("\"'@SUM(A1:A9)\""));
    EXPECT_EQ(field(u"\t=1"), QStringLiteral("\"'\t=1\""));
    EXPECT_EQ(field(u"\r=1"), QStringLiteral("\"'\r=1\""));
    EXPECT_EQ(field(u"=HYPERLINK(\"x\",\"y\")"), QStringLiteral("\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""));
    EXPECT_EQ(field(u"-"), QStringLiteral("\"'-\""));
    // Figures stay figures, the program's rules stay as they are.
    for (const char16_t *kept : {u"-16.57", u"-16", u"0.00", u"=============", u"===========", u"==========",
                                 u"__________________", u"Rent = 500", u" =1"})
        EXPECT_EQ(field(kept), QString::fromUtf16(kept));
}

TEST(TextExport, AmountsStandRightAlignedAndWidthsAreTheDisplayedOnes)
{
    // Accents as combining marks, as some bank statements deliver them.
    const QString baeckerei = QStringLiteral("Ba\u0308ckerei Gro\u0308\u00DFe");
    ReportLayout layout;
    layout.rowCount = 4;
    layout.columnCount = 3;
    const auto add = [&layout](int column, int row, const QString &text, std::uint8_t alignment) {
        ReportCell cell;
        cell.column = column;
        cell.row = row;
        cell.text = text;
        cell.alignment = alignment;
        layout.cells.push_back(cell);
    };
    add(1, 0, QStringLiteral("Description"), kAlignLeft);
    add(2, 0, QStringLiteral("Amount ($)"), kAlignRight);
    add(1, 1, baeckerei, kAlignLeft);
    add(2, 1, QStringLiteral("1200.50"), kAlignRight);
    add(1, 2, QStringLiteral("東京 Ginza"), kAlignLeft);
    add(2, 2, QStringLiteral("75.00"), kAlignRight);
    add(1, 3, QStringLiteral("Total"), kAlignLeft);
    add(2, 3, QStringLiteral("-16.57"), kAlignRight);
    CGridCellModel grid;
    FillReportGrid(grid, layout);
    // In a fixed-width font each column starts, and each amount ends, on one
    // column in every line.
    const QString expected = QStringLiteral("          Description    Amount ($) \r\n"
                                            "          ") + baeckerei + QStringLiteral("    1200.50 \r\n"
                                            "          東京 Ginza          75.00 \r\n"
                                            "          Total              -16.57 \r\n");
    EXPECT_EQ(QString::fromUtf8(ReportExport::TextBytes(grid)), expected);
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

TEST_F(ExportTest, TheFilterChosenGivesABareNameItsSuffixAndTheFinalNameTheFormat)
{
    const auto exported = [this](const char *typed, int filter) {
        TestUi().QueueFile(Path(typed), filter);
        return ReportExport::Run(grid);
    };
    EXPECT_EQ(exported("report", 1), ReportExport::Outcome::Written);
    EXPECT_EQ(ReadBytes(Path("report.csv")), ReportExport::CsvBytes(grid));
    EXPECT_FALSE(QFile::exists(Path("report")));
    EXPECT_EQ(exported("plain", 0), ReportExport::Outcome::Written);
    EXPECT_EQ(ReadBytes(Path("plain.txt")), ReportExport::TextBytes(grid));
    // The name typed decides, whatever the filter.
    EXPECT_EQ(exported("typed.csv", 0), ReportExport::Outcome::Written);
    EXPECT_EQ(ReadBytes(Path("typed.csv")), ReportExport::CsvBytes(grid));
    EXPECT_EQ(exported("upper.CSV", 1), ReportExport::Outcome::Written);
    EXPECT_EQ(ReadBytes(Path("upper.CSV")), ReportExport::TextBytes(grid));
    ASSERT_EQ(TestUi().fileRequests.size(), 4);
    EXPECT_EQ(TestUi().fileRequests[0].fileName, QStringLiteral("TWK-Report"));

    // Replacing is asked of the file that would be written.
    WriteBytes(Path("old.csv"), "keep me");
    TestUi().QueueAnswer(IDNO);
    EXPECT_EQ(exported("old", 1), ReportExport::Outcome::Cancelled);
    EXPECT_EQ(TestUi().LastText(), Path("old.csv") + QStringLiteral(" already exists.\nDo you want to replace it?"));
    EXPECT_EQ(TestUi().fileRequests.last().fileName, QStringLiteral("old.csv"));
    EXPECT_EQ(ReadBytes(Path("old.csv")), QByteArray("keep me"));
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

namespace {

class ListExportTest : public ReportFixture
{
protected:
    // The expenses of a March whose bank statement brought texts a
    // spreadsheet would run.
    QByteArray ListCsv()
    {
        ListQueryInput input;
        input.type = 2;
        input.from = QDate(2026, 3, 18);
        input.to = QDate(2026, 3, 31);
        input.allCategories = true;
        input.allUnits = true;
        const ListQuery query = BuildListQuery(input);
        EXPECT_EQ(query.code, kListReady);
        CGridCellModel grid;
        FillReportGrid(grid, ListReport(data, input, query.sql));
        return ReportExport::CsvBytes(grid);
    }
};

} // namespace

TEST_F(ListExportTest, AFormulaLikeDescriptionOrNameInAListsCsvReadsAsText)
{
    Add("Shop", "03/18/2026", "Flour", 16.57, "=HYPERLINK(\"http://refund.example\",\"Refund\")", 2);
    Add("Shop", "03/19/2026", "Flour", 3.25, "@SUM(A1:A9)", 2);
    Add("Shop", "03/20/2026", "Flour", 4.5, "-2+3 card fee", 2);
    Add("Online", "03/21/2026", "+Extras", 5.75, "Tools", 2);
    const QString csv = QString::fromUtf8(ListCsv());
    for (const char *asText : {"\"'=HYPERLINK(\"\"http://refund.example\"\",\"\"Refund\"\")\"", "\"'@SUM(A1:A9)\"",
                               "\"'-2+3 card fee\"", "\"'+Extras\""})
        EXPECT_TRUE(csv.contains(QString::fromUtf8(asText))) << asText << "\n" << qPrintable(csv);
    // No field of the file begins as a formula but the rules; the amounts
    // stay numbers.
    for (const QString &line : csv.split(QStringLiteral("\r\n"))) {
        for (const QString &field : line.split(u',')) {
            if (!field.isEmpty() && QStringLiteral("=+-@").contains(field.front())) {
                EXPECT_TRUE(field.count(u'=') == field.size()) << qPrintable(line);
            }
        }
    }
    EXPECT_TRUE(csv.contains(QStringLiteral(",16.57"))) << qPrintable(csv);
}
