#include "base/stringids.h"
#include "reportfixture.h"
#include "reports/reportbuilder.h"
#include "reports/reportfailure.h"
#include "reports/reportformat.h"

#include <QImage>
#include <QTemporaryDir>

namespace {

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

TEST_F(ReportBuilderTest, TheHeaderSaysNameOnlyWhenTheUnitIsExactlyTheBusinessWithoutMoreOptions)
{
    const struct {
        QString label;
        bool more;
        const char *caption;
    } cases[] = {{QStringLiteral("Norwend Stores"), false, "Name"},
                 {QStringLiteral("Shop"), false, "Unit"},
                 {QStringLiteral("norwend stores"), false, "Unit"},
                 {QStringLiteral("Norwend Stores"), true, "Unit"}};
    for (const auto &c : cases) {
        CReportBuilder builder(kDailyReport, company, settings);
        builder.SetUnitLabel(c.label);
        builder.SetMoreOptions(c.more);
        builder.WriteHeader();
        EXPECT_EQ(TextAt(builder.Cells(), 1, 1), QLatin1String(c.caption)) << qPrintable(c.label) << c.more;
        EXPECT_EQ(TextAt(builder.Cells(), 2, 1), c.label);
        EXPECT_EQ(builder.CurrentRow(), 2);
    }
}

TEST_F(ReportBuilderTest, TheLogoCellMovesLeftInListReportsAndIsLeftOutWhenOffOrUnreadable)
{
    company.cLogoPath = WriteLogo();
    CReportBuilder off(kPeriodReport, company, settings);
    off.WriteHeader();
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

    std::vector<ReportCell> list;
    EXPECT_EQ(AppendContactFooter(list, 5, kListContact, company, settings), 7);
    EXPECT_EQ(TextAt(list, 3, 5), QStringLiteral("Phone:"));
    EXPECT_EQ(TextAt(list, 4, 5), QStringLiteral("555-0100"));

    // An empty field leaves its label out, whatever its setting: no fax row,
    // and the e-mail's place keeps the blank of a switched-off e-mail.
    company.cFaxNo.clear();
    company.cEmail = QStringLiteral("  ");
    for (const ContactColumns &columns : {kPeriodContact, kListContact, kAdvancedContact, kCustomContact}) {
        std::vector<ReportCell> cells;
        EXPECT_EQ(AppendContactFooter(cells, 5, columns, company, settings), 6);
        QStringList texts;
        for (const ReportCell &cell : cells)
            texts << cell.text;
        EXPECT_EQ(texts, columns.blankWithoutEmail ? QStringList({" ", "Phone:", "555-0100"})
                                                   : QStringList({"Phone:", "555-0100"}));
    }
}

TEST_F(ReportBuilderTest, WithEverythingOffOnlyPeriodAndListReportsLeaveABlank)
{
    for (const ContactColumns &columns : {kPeriodContact, kListContact}) {
        std::vector<ReportCell> cells;
        EXPECT_EQ(AppendContactFooter(cells, 9, columns, company, settings), 10);
        ASSERT_EQ(cells.size(), 1u);
        EXPECT_EQ(cells[0].text, QStringLiteral(" "));
    }
    for (const ContactColumns &columns : {kAdvancedContact, kCustomContact}) {
        std::vector<ReportCell> cells;
        EXPECT_EQ(AppendContactFooter(cells, 9, columns, company, settings), 10);
        EXPECT_TRUE(cells.empty());
    }
}
