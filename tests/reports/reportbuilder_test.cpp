#include "base/stringids.h"
#include "reports/reportbuilder.h"
#include "reports/reportfailure.h"
#include "reports/reportformat.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

namespace {

const ReportCell *CellAt(const std::vector<ReportCell> &cells, int column, int row)
{
    const ReportCell *found = nullptr;
    for (const ReportCell &cell : cells) {
        if (cell.column == column && cell.row == row)
            found = &cell;
    }
    return found;
}

QString TextAt(const std::vector<ReportCell> &cells, int column, int row)
{
    const ReportCell *cell = CellAt(cells, column, row);
    return cell ? cell->text : QStringLiteral("<none>");
}

class ReportBuilderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        company.cName = QStringLiteral("Norwend Stores");
        company.cEmail = QStringLiteral("shop@norwend.example");
        company.cPhoneNo = QStringLiteral("555-0100");
        company.cFaxNo = QStringLiteral("555-0199");
        company.cAddress = QStringLiteral("1 High Street");
        settings.cCurrency = QStringLiteral("$");
    }
    QString WriteLogo()
    {
        const QString path = dir.filePath(QStringLiteral("logo.bmp"));
        QImage logo(30, 20, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        logo.save(path, "BMP");
        return path;
    }
    QTemporaryDir dir;
    CCompanyRecord company;
    CSettingsRecord settings;
};

} // namespace

TEST(ReportFormat, TheAmountHeadingShowsTheCurrencyAsWritten)
{
    EXPECT_EQ(AmountHeading(QStringLiteral("$")), QStringLiteral("Amount ($)"));
    EXPECT_EQ(AmountHeading(QStringLiteral("%s%d%%")), QStringLiteral("Amount (%s%d%%)"));
    EXPECT_EQ(AmountHeading(QString()), QStringLiteral("Amount ()"));
}

TEST(ReportFailures, EachKindOfFailureShowsItsOwnMessage)
{
    EXPECT_TRUE(RunReportStep([] {}));
    EXPECT_TRUE(TestUi().messages.isEmpty());

    EXPECT_FALSE(RunReportStep([] { throw CDbError(DB_E_ERRORSINCOMMAND, QStringLiteral("no such column: x")); }));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("no such column: x"));

    const QString longText(300, u'e');
    EXPECT_FALSE(RunReportStep([&] { throw CFrameworkException(longText); }));
    EXPECT_EQ(TestUi().LastText(), longText.left(256));

    EXPECT_FALSE(RunReportStep([] { throw std::bad_alloc(); }));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Out of memory."));

    EXPECT_FALSE(RunReportStep([] { throw 42; }));
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("Some Error Occured !"));
    EXPECT_EQ(TestUi().messages.size(), 4);
}

TEST(ReportFailures, AFailedReportPartIsNamedAfterItsOwnMessage)
{
    EXPECT_TRUE(RunReportPart(StringId::ReportHeaderFailed, [] { return true; }));
    EXPECT_TRUE(TestUi().messages.isEmpty());

    EXPECT_FALSE(RunReportPart(StringId::ReportBodyFailed, [] { return false; }));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Failed to show Report Body.")});

    TestUi().Reset();
    EXPECT_FALSE(RunReportPart(StringId::ReportFooterFailed, []() -> bool { throw CDbError(TWK_E_FAIL, QStringLiteral("disk I/O error")); }));
    EXPECT_EQ(TestUi().Texts(),
              (QStringList{QStringLiteral("disk I/O error"), QStringLiteral("Failed to show Report Footer.")}));
}

TEST_F(ReportBuilderTest, TheHeaderNamesTheBusinessWhenTheUnitIsTheBusiness)
{
    CReportBuilder builder(kDailyReport, company, settings);
    builder.SetUnitLabel(QStringLiteral("Norwend Stores"));
    builder.SetPeriodLabel(QStringLiteral("Mar/05/2024"));
    builder.WriteHeader();
    const auto &cells = builder.Cells();
    EXPECT_EQ(TextAt(cells, 1, 1), QStringLiteral("Name"));
    EXPECT_EQ(TextAt(cells, 2, 1), QStringLiteral("Norwend Stores"));
    EXPECT_EQ(CellAt(cells, 1, 1)->font, ReportTitleFont());
    EXPECT_EQ(CellAt(cells, 2, 1)->font, ReportTitleFont());
    EXPECT_EQ(TextAt(cells, 1, 2), QStringLiteral("Date"));
    EXPECT_EQ(TextAt(cells, 2, 2), QStringLiteral("Mar/05/2024"));
    EXPECT_FALSE(CellAt(cells, 1, 2)->font.has_value());
    EXPECT_EQ(builder.CurrentRow(), 2);
}

TEST_F(ReportBuilderTest, TheHeaderSaysUnitForOtherUnitsCaseOrMoreOptions)
{
    for (const auto &[label, more] : {std::pair{QStringLiteral("Shop"), false},
                                      std::pair{QStringLiteral("norwend stores"), false},
                                      std::pair{QStringLiteral("Norwend Stores"), true}}) {
        CReportBuilder builder(kMonthlyReport, company, settings);
        builder.SetUnitLabel(label);
        builder.SetMoreOptions(more);
        builder.WriteHeader();
        EXPECT_EQ(TextAt(builder.Cells(), 1, 1), QStringLiteral("Unit")) << qPrintable(label);
        EXPECT_EQ(TextAt(builder.Cells(), 1, 2), QStringLiteral("Month"));
    }
}

TEST_F(ReportBuilderTest, TheLogoCellMovesLeftInListReports)
{
    company.cLogoPath = WriteLogo();
    settings.iPrintLogo = 1;
    CReportBuilder period(kPeriodReport, company, settings);
    period.WriteHeader();
    const ReportCell *logo = CellAt(period.Cells(), 5, 2);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->image, 0);
    EXPECT_TRUE(logo->text.isEmpty());

    for (int mode : {kIncomeList, kExpenseList}) {
        CReportBuilder list(mode, company, settings);
        list.WriteHeader();
        ASSERT_NE(CellAt(list.Cells(), 4, 2), nullptr);
        EXPECT_EQ(CellAt(list.Cells(), 4, 2)->image, 0);
        EXPECT_EQ(CellAt(list.Cells(), 5, 2), nullptr);
    }
}

TEST_F(ReportBuilderTest, NoLogoCellWhenItIsNotPrintedOrCannotBeRead)
{
    company.cLogoPath = WriteLogo();
    CReportBuilder off(kPeriodReport, company, settings);
    off.WriteHeader();
    settings.iPrintLogo = 1;
    company.cLogoPath = dir.filePath(QStringLiteral("missing.bmp"));
    CReportBuilder missing(kPeriodReport, company, settings);
    missing.WriteHeader();
    for (const CReportBuilder *builder : {&off, &missing}) {
        EXPECT_EQ(builder->Cells().size(), 4u);
        for (const ReportCell &cell : builder->Cells())
            EXPECT_EQ(cell.image, -1);
    }
}

TEST_F(ReportBuilderTest, ContactLinesFollowThePrintSettingsAndColumns)
{
    settings.iPrintEMail = settings.iPrintPhNo = settings.iPrintFaxNo = 1;
    CReportBuilder builder(kPeriodReport, company, settings);
    builder.WriteContactFooter(20, kPeriodContact);
    const auto &cells = builder.Cells();
    EXPECT_EQ(TextAt(cells, 1, 20), QStringLiteral("E-mail:"));
    EXPECT_EQ(TextAt(cells, 2, 20), QStringLiteral("shop@norwend.example"));
    EXPECT_EQ(TextAt(cells, 4, 20), QStringLiteral("Phone:"));
    EXPECT_EQ(TextAt(cells, 5, 20), QStringLiteral("555-0100"));
    EXPECT_EQ(TextAt(cells, 1, 21), QStringLiteral("Fax:"));
    EXPECT_EQ(TextAt(cells, 2, 21), QStringLiteral("555-0199"));
    EXPECT_EQ(builder.CurrentRow(), 22);
    for (const ReportCell &cell : cells) {
        EXPECT_FALSE(cell.font.has_value());
        EXPECT_NE(cell.text, company.cAddress);
    }

    std::vector<ReportCell> list;
    EXPECT_EQ(AppendContactFooter(list, 5, kListContact, company, settings), 7);
    EXPECT_EQ(TextAt(list, 3, 5), QStringLiteral("Phone:"));
    EXPECT_EQ(TextAt(list, 4, 5), QStringLiteral("555-0100"));
    std::vector<ReportCell> advanced;
    AppendContactFooter(advanced, 5, kAdvancedContact, company, settings);
    EXPECT_EQ(TextAt(advanced, 2, 5), QStringLiteral("E-mail:"));
    EXPECT_EQ(TextAt(advanced, 3, 6), QStringLiteral("555-0199"));
}

TEST_F(ReportBuilderTest, WithEverythingOffOnlyPeriodAndListReportsLeaveABlank)
{
    for (const ContactColumns &columns : {kPeriodContact, kListContact}) {
        std::vector<ReportCell> cells;
        EXPECT_EQ(AppendContactFooter(cells, 9, columns, company, settings), 10);
        ASSERT_EQ(cells.size(), 1u);
        EXPECT_EQ(cells[0].text, QStringLiteral(" "));
        EXPECT_EQ(cells[0].column, 1);
        EXPECT_EQ(cells[0].row, 9);
    }
    for (const ContactColumns &columns : {kAdvancedContact, kCustomContact}) {
        std::vector<ReportCell> cells;
        EXPECT_EQ(AppendContactFooter(cells, 9, columns, company, settings), 10);
        EXPECT_TRUE(cells.empty());
    }
}

TEST_F(ReportBuilderTest, TheLayoutIsTheCurrentRowPlusTheMarginBySevenColumns)
{
    CReportBuilder builder(kIncomeList, company, settings);
    builder.SetUnitLabel(QStringLiteral("Shop"));
    builder.WriteHeader();
    builder.SetCurrentRow(8);
    builder.AddCell(4, 8, QStringLiteral("10.00"), kAlignRight);
    const ReportLayout layout = builder.Layout(6);
    EXPECT_EQ(layout.rowCount, 14);
    EXPECT_EQ(layout.columnCount, 7);
    ASSERT_EQ(layout.cells.size(), builder.Cells().size());
    EXPECT_EQ(layout.cells.back().text, QStringLiteral("10.00"));
}
