#include "reports/customreport.h"

#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/customreportdlg.h"
#include "reports/customreportwriter.h"
#include "reports/reportexport.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

CReportSubsection Section(const QString &name, QList<CReportCategory> categories)
{
    return CReportSubsection{name, std::move(categories)};
}

// A small bakery: two units, one of them with an apostrophe, and sales and
// costs either side of a year end.
class CustomReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.SetAppFolder(folder.path());
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("MM/dd/yyyy");
        data.company.cName = QStringLiteral("Ann's Bakery");
        data.company.cEmail = QStringLiteral("ann@bakery.example");
        data.settings.iPrintEMail = 1;
        data.company.units = {QStringLiteral("Shop"), QStringLiteral("Ann's Stall")};
        db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cEmail='ann@bakery.example'"));
        for (const auto &[name, type] : {std::pair{"Sales", 1}, {"Catering", 1}, {"Flour", 2}, {"Rent", 2},
                                         {"Bank Charges", 3}})
            db.AddCategory(name, type);
        Add("Shop", "11/30/2025", "Sales", 1000);   // before the period
        Add("Shop", "12/20/2025", "Sales", 120.5);  // inside, December
        Add("Shop", "01/10/2026", "Sales", 30.25);  // inside, January
        Add("Shop", "01/31/2026", "Flour", 45, 2);  // last day
        Add("Shop", "02/01/2026", "Flour", 999, 2); // after the period
        Add("Shop", "02/15/2025", "Sales", 777);    // a year earlier
        Add("Ann's Stall", "01/05/2026", "Sales", 12);
        Add("Ann's Stall", "01/06/2026", "Rent", 20, 2);
    }
    void Add(const char *unit, const char *date, const char *category, double amount, int type = 1)
    {
        db.AddTransaction(unit, date, category, amount, {}, type);
    }
    static CCustomReport Bakery()
    {
        return CCustomReport{QStringLiteral("Year end"),
                             {Section(QStringLiteral("Takings"), {{1, 1, QStringLiteral("Sales")}}),
                              Section(QStringLiteral("Costs"), {{2, 3, QStringLiteral("Flour")},
                                                                {2, 4, QStringLiteral("Rent")}})}};
    }
    static CustomReportPeriod YearEnd()
    {
        return {QDate(2025, 12, 1), QDate(2026, 1, 31), QStringLiteral("12/01/2025"), QStringLiteral("01/31/2026")};
    }
    // The texts of a row from column 2 on, empty cells dropped.
    static QStringList Row(const CGridCellModel &grid, int row)
    {
        QStringList texts;
        for (int c = 2; c < grid.GetColumnCount(); ++c) {
            if (!grid.GetItemText(row, c).isEmpty())
                texts << grid.GetItemText(row, c);
        }
        return texts;
    }
    // Row index of the first row from `from` whose column 2 holds text.
    static int Find(const CGridCellModel &grid, const QString &text, int from = 0)
    {
        for (int r = from; r < grid.GetRowCount(); ++r) {
            if (grid.GetItemText(r, 2) == text)
                return r;
        }
        return -1;
    }

    CTestDatabase db;
    QTemporaryDir folder;
    CTallywickData data;
};

} // namespace

TEST(CustomReportXml, DefinitionsSurviveTheRoundTripExceptSubsectionsWithoutCategories)
{
    EXPECT_EQ(CustomReportsXml({}), QStringLiteral("<twkcustomreport>\n</twkcustomreport>"));
    const CCustomReportList one{{QStringLiteral("R"), {Section(QStringLiteral("S"), {{1, 7, QStringLiteral("Sales")}})}}};
    EXPECT_EQ(CustomReportsXml(one),
              QStringLiteral("<twkcustomreport>\r\n<report>\r\n<name>R</name>\r\n<subsection>\r\n<name>S</name>\n"
                             "<category>\n<ID>7</ID>\r\n<Name>Sales</Name>\r\n<Type>1</Type>\r\n</category>\n"
                             "</subsection>\n</report>\n</twkcustomreport>"));

    const CCustomReportList reports{
        {QStringLiteral("Fees <& Rates>"),
         {Section(QStringLiteral("Empty"), {}),
          Section(QStringLiteral("Bank & Card"), {{3, 5, QStringLiteral("Charges <net>")}, {2, 6, QStringLiteral("Rent")}})}},
        {QStringLiteral("Only empty"), {Section(QStringLiteral("Nothing"), {})}},
    };
    CCustomReportList loaded;
    ASSERT_EQ(ParseCustomReports(CustomReportsXml(reports), loaded), CustomXmlResult::Loaded);
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].name, QStringLiteral("Fees <& Rates>"));
    ASSERT_EQ(loaded[0].subsections.size(), 1);
    EXPECT_EQ(loaded[0].subsections[0].name, QStringLiteral("Bank & Card"));
    ASSERT_EQ(loaded[0].subsections[0].categories.size(), 2);
    const CReportCategory &first = loaded[0].subsections[0].categories[0];
    EXPECT_EQ(first.name, QStringLiteral("Charges <net>"));
    EXPECT_EQ(first.id, 5);
    EXPECT_EQ(first.type, 3);

    EXPECT_EQ(ParseCustomReports(QString(), loaded), CustomXmlResult::Empty);
    EXPECT_EQ(ParseCustomReports(QStringLiteral("<twkcustomreport><report>"), loaded), CustomXmlResult::Unreadable);
    EXPECT_TRUE(loaded.isEmpty());
}

TEST(CustomReportEditing, NamesMustBeUniqueAndSubsectionsNeedCategories)
{
    using namespace CustomReportEdit;
    const QList<CCategoryRow> rows{{QStringLiteral("Sales"), 1, 1}, {QStringLiteral("Flour"), 2, 2},
                                   {QStringLiteral("Bank"), 3, 3}};
    CCustomReportList reports;
    EXPECT_EQ(AddReport(reports, {}, QStringLiteral("A")), kReportAdded);
    EXPECT_EQ(AddReport(reports, {}, QStringLiteral("A")), kReportExists);
    EXPECT_EQ(AddReport(reports, {}, QStringLiteral("B")), kReportAdded);
    EXPECT_EQ(RenameReport(reports, 1, QStringLiteral("A")), kReportExists);
    EXPECT_EQ(RenameReport(reports, 1, QStringLiteral("C")), kReportUpdated);

    CCustomReport &report = reports[0];
    EXPECT_EQ(AddSubsection(report, QString(), {QStringLiteral("Sales")}, {}, rows), kEnterSubsection);
    EXPECT_EQ(AddSubsection(report, QStringLiteral("In"), {}, {}, rows), kSelectCategories);
    // Income entries first; a name without a row of that kind is skipped.
    EXPECT_EQ(AddSubsection(report, QStringLiteral("In"), {QStringLiteral("Bank"), QStringLiteral("Flour")},
                            {QStringLiteral("Sales")}, rows),
              kSubsectionAdded);
    ASSERT_EQ(report.subsections[0].categories.size(), 1);
    EXPECT_EQ(report.subsections[0].categories[0].name, QStringLiteral("Bank"));
    EXPECT_EQ(AddSubsection(report, QStringLiteral("In"), {QStringLiteral("Sales")}, {}, rows), kSubsectionExists);
    // A placed category is no longer offered as the kind it was placed as;
    // one of both kinds placed as an income can still be placed as an expense.
    EXPECT_EQ(report.subsections[0].categories[0].type, 1);
    EXPECT_EQ(AvailableCategories(rows, true, &report), QStringList{QStringLiteral("Sales")});
    EXPECT_EQ(AvailableCategories(rows, false, &report), (QStringList{QStringLiteral("Flour"), QStringLiteral("Bank")}));
    EXPECT_EQ(UpdateSubsection(report, QStringLiteral("In"), QStringLiteral("All"), {}, {QStringLiteral("Flour")}, rows),
              kSubsectionUpdated);
    EXPECT_EQ(report.subsections[0].name, QStringLiteral("All"));
    EXPECT_EQ(report.subsections[0].categories.size(), 2);
}

TEST_F(CustomReportTest, SavedDefinitionsLoadBackFromTheDatabaseAndTheFileIsWrittenInTheDataFolder)
{
    CCustomReportList reports{Bakery()};
    reports[0].name = QStringLiteral("Ann's <Year> & more");
    EXPECT_EQ(SaveCustomReports(data.connection, data.appFolder, reports), QStringLiteral("Save Completed"));
    const QByteArray bytes = ReadBytes(folder.filePath(kCustomReportFile));
    EXPECT_TRUE(bytes.startsWith("<twkcustomreport>\r\r\n<report>\r\r\n<name>Ann's &lt;Year&gt; &amp; more</name>"));
    EXPECT_TRUE(bytes.endsWith("\r\n</twkcustomreport>"));

    const CCustomReportList loaded = LoadCustomReports(data.connection);
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].name, reports[0].name);
    ASSERT_EQ(loaded[0].subsections.size(), 2);
    EXPECT_EQ(loaded[0].subsections[1].categories[1].name, QStringLiteral("Rent"));
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(CustomReportTest, UnreadableStoredTextLeavesNoDefinitionsAndSaysSo)
{
    db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cReserved='<twkcustomreport><name>'"));
    EXPECT_TRUE(LoadCustomReports(data.connection).isEmpty());
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Unable to load XML document into the parser."));
}

TEST_F(CustomReportTest, APeriodAcrossTheYearEndSumsByDateForEveryUnit)
{
    EXPECT_TRUE(IsValidReportPeriod(YearEnd()));
    EXPECT_FALSE(IsValidReportPeriod({QDate(2026, 1, 2), QDate(2026, 1, 1), {}, {}}));

    CGridCellModel grid;
    CCustomReportWriter writer(data.connection, data.company, data.settings);
    ASSERT_TRUE(writer.Write(grid, Bakery(), YearEnd(), data.company.units));
    EXPECT_EQ(Row(grid, 3), (QStringList{"Date", "From 12/01/2025 To 01/31/2026"}));
    EXPECT_EQ(Row(grid, 5), (QStringList{"Unit :-", "Shop"}));
    // Takings: December and January together.
    EXPECT_EQ(Row(grid, 11), (QStringList{"Sales", "150.75"}));
    EXPECT_EQ(Row(grid, 13), (QStringList{"Total", "150.75"}));
    const int costs = Find(grid, QStringLiteral("Costs"));
    ASSERT_EQ(costs, 15);
    EXPECT_EQ(Row(grid, costs + 4), (QStringList{"Flour", "45.00"}));
    EXPECT_EQ(Row(grid, costs + 6), (QStringList{"Total", "45.00"}));

    const int stall = Find(grid, QStringLiteral("Unit :-"), costs);
    ASSERT_GT(stall, 0);
    EXPECT_EQ(Row(grid, stall), (QStringList{"Unit :-", "Ann's Stall"}));
    const int stallCosts = Find(grid, QStringLiteral("Costs"), stall);
    EXPECT_EQ(Row(grid, stallCosts + 4), (QStringList{"Rent", "20.00"}));
    // The footer: two rows after the last unit's gap of eight, e-mail only.
    const int footer = Find(grid, QStringLiteral("E-mail:"), stall);
    EXPECT_EQ(footer, stall + 2 + 8 + 8 + 8 + 2);
    EXPECT_EQ(Row(grid, footer), (QStringList{"E-mail:", "ann@bakery.example"}));
    EXPECT_LT(footer, grid.GetRowCount());
}

TEST_F(CustomReportTest, ACategoryOfBothKindsSumsItsIncomesAndItsExpensesApart)
{
    db.AddCategory("Misc", 3);
    db.AddTransaction("Shop", "01/12/2026", "Misc", 100, {}, 1);
    db.AddTransaction("Shop", "01/13/2026", "Misc", 40, {}, 2);
    // Placed through the dialog's rules: once from each list.
    using namespace CustomReportEdit;
    const QList<CCategoryRow> rows = ReadCategoryRows(data.connection);
    CCustomReport report{QStringLiteral("Shared"), {}};
    ASSERT_EQ(AddSubsection(report, QStringLiteral("Incomes"), {QStringLiteral("Misc")}, {}, rows), kSubsectionAdded);
    EXPECT_TRUE(AvailableCategories(rows, false, &report).contains(QStringLiteral("Misc")));
    ASSERT_EQ(AddSubsection(report, QStringLiteral("Expenses"), {}, {QStringLiteral("Misc")}, rows), kSubsectionAdded);
    EXPECT_FALSE(AvailableCategories(rows, true, &report).contains(QStringLiteral("Misc")));
    EXPECT_FALSE(AvailableCategories(rows, false, &report).contains(QStringLiteral("Misc")));
    // A definition kept before the kind was recorded holds Misc as both
    // kinds: beside Flour it counts as an expense.
    report.subsections.append(Section(QStringLiteral("Costs"), {{2, 3, QStringLiteral("Flour")}, {3, 9, QStringLiteral("Misc")}}));

    CGridCellModel grid;
    CCustomReportWriter writer(data.connection, data.company, data.settings);
    ASSERT_TRUE(writer.Write(grid, report, YearEnd(), {QStringLiteral("Shop")}));
    const int incomes = Find(grid, QStringLiteral("Incomes"));
    ASSERT_GT(incomes, 0);
    EXPECT_EQ(Row(grid, incomes + 4), (QStringList{"Misc", "100.00"}));
    EXPECT_EQ(Row(grid, incomes + 6), (QStringList{"Total", "100.00"}));
    const int expenses = Find(grid, QStringLiteral("Expenses"), incomes);
    EXPECT_EQ(Row(grid, expenses + 4), (QStringList{"Misc", "40.00"}));
    EXPECT_EQ(Row(grid, expenses + 6), (QStringList{"Total", "40.00"}));
    const int costs = Find(grid, QStringLiteral("Costs"), expenses);
    EXPECT_EQ(Row(grid, costs + 4), (QStringList{"Flour", "45.00"}));
    EXPECT_EQ(Row(grid, costs + 6), (QStringList{"Misc", "40.00"}));
    EXPECT_EQ(Row(grid, costs + 8), (QStringList{"Total", "85.00"}));
}

TEST_F(CustomReportTest, ASubsectionWithoutTransactionsShowsAZeroTotal)
{
    CGridCellModel grid;
    CCustomReportWriter writer(data.connection, data.company, data.settings);
    const CCustomReport report{QStringLiteral("Quiet"), {Section(QStringLiteral("Bank"), {{3, 5, QStringLiteral("Bank Charges")}})}};
    ASSERT_TRUE(writer.Write(grid, report, YearEnd(), {QStringLiteral("Shop")}));
    EXPECT_EQ(Row(grid, 10), (QStringList{"_______________", "_______________"}));
    EXPECT_EQ(Row(grid, 11), (QStringList{"Total", "0.00"}));
    EXPECT_EQ(Row(grid, 12), QStringList{"=========="});
}

TEST_F(CustomReportTest, TheDialogAddsSavesReloadsAndRunsAReport)
{
    CTallywickView view(data);
    view.OnInitialUpdate();
    {
        CCustomReportDlg dialog(data, view.GetGrid());
        dialog.OnSave();
        EXPECT_EQ(TestUi().LastText(), QStringLiteral("Please add current report"));
        dialog.OnNewReport();
        dialog.findChild<QLineEdit *>(QStringLiteral("1146"))->setText(QStringLiteral("Ann's report"));
        dialog.findChild<QLineEdit *>(QStringLiteral("1148"))->setText(QStringLiteral("Takings"));
        auto *incomes = dialog.findChild<QListWidget *>(QStringLiteral("1150"));
        incomes->findItems(QStringLiteral("Sales"), Qt::MatchExactly).first()->setSelected(true);
        dialog.OnAddSubsection();
        EXPECT_EQ(TestUi().LastText(), QStringLiteral("Subsection Added Successfully"));
        EXPECT_TRUE(incomes->findItems(QStringLiteral("Sales"), Qt::MatchExactly).isEmpty());
        dialog.OnNewReport();
        EXPECT_EQ(TestUi().LastText(), QStringLiteral("New Report Added Successfully"));
        dialog.OnSave();
        EXPECT_EQ(TestUi().LastText(), QStringLiteral("Save Completed"));
    }
    CCustomReportDlg dialog(data, view.GetGrid());
    ASSERT_EQ(dialog.Reports().size(), 1);
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("1145"))->currentText(), QStringLiteral("Ann's report"));
    auto *from = dialog.findChild<QDateEdit *>(QStringLiteral("1033"));
    auto *to = dialog.findChild<QDateEdit *>(QStringLiteral("1027"));
    from->setDate(QDate(2026, 2, 1));
    to->setDate(QDate(2026, 1, 31));
    dialog.OnRun();
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Invalid Date Period"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    from->setDate(QDate(2025, 12, 1));
    dialog.findChild<QCheckBox *>(QStringLiteral("1165"))->setChecked(true);
    dialog.findChild<QComboBox *>(QStringLiteral("1155"))->setCurrentText(QStringLiteral("Ann's Stall"));
    dialog.OnRun();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const CGridCellModel &grid = view.GetGrid()->Model();
    EXPECT_EQ(Row(grid, 4), (QStringList{"Report Name", "Ann's report"}));
    EXPECT_EQ(Row(grid, 5), (QStringList{"Unit :-", "Ann's Stall"}));
    EXPECT_EQ(Row(grid, 11), (QStringList{"Sales", "12.00"}));
    EXPECT_EQ(Find(grid, QStringLiteral("Unit :-"), 6), -1);
    EXPECT_FALSE(view.GetGrid()->IsSelectable());
}

TEST_F(CustomReportTest, ALongReportPrintsToPdfOnEveryPageItNeeds)
{
    QTemporaryDir out;
    for (int i = 0; i < 14; ++i)
        data.company.units << QStringLiteral("Branch %1").arg(i);
    CTallywickView view(data);
    view.resize(800, 600);
    view.OnInitialUpdate();
    CCustomReportWriter writer(data.connection, data.company, data.settings);
    ASSERT_TRUE(writer.Write(view.GetGrid()->Model(), Bakery(), YearEnd(), data.company.units));
    FinishDirectReport(*view.GetGrid());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(out.filePath(QStringLiteral("report.pdf")));
    const CPrintRun run = view.PrintTo(printer);
    const int expected = view.GetGrid()->PrintLayout().PageCount();
    EXPECT_GT(expected, 1);
    EXPECT_EQ(run.outcome, CPrintRun::Printed);
    EXPECT_EQ(run.pages, expected);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), printer.outputFileName(), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    ASSERT_EQ(pages.size(), expected + 1);
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Year end")));
    EXPECT_TRUE(pages[expected - 1].contains(QStringLiteral("Page %1 of %1").arg(expected)));
    // Every unit reaches the paper, the last one too.
    EXPECT_EQ(pages.join(QString()).count(QStringLiteral("Unit :-")), data.company.units.size());
    EXPECT_TRUE(pages.join(QString()).contains(QStringLiteral("Branch 13")));
}
