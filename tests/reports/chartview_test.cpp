#include "reportfixture.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/gridctrl.h"
#include "reports/chartdlg.h"
#include "reports/chartpanel.h"
#include "reports/tallywickview.h"

#include "support/testfiles.h"
#include "support/testprintseam.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

namespace {

class ChartViewTest : public ReportViewFixture
{
protected:
    QTemporaryDir dir;
};

} // namespace

TEST_F(ChartViewTest, FilesComeOutInTheAskedFormatAndSizeAndTheCsvHoldsTheSeries)
{
    const ChartRequest request{ChartKind::Monthly, QDate(2020, 12, 1), QDate(2021, 3, 31), std::nullopt, 2};
    const ChartSeries series = ComputeChartSeries(data.connection, request, data.company.units);
    const ChartTexts texts = MakeChartTexts(request, data);
    const QSize size(640, 400);

    EXPECT_EQ(WriteChartFile(series, texts, size, dir.filePath(QStringLiteral("c.png"))), QString());
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("c.png"))).size(), size);
    EXPECT_EQ(WriteChartFile(series, texts, size, dir.filePath(QStringLiteral("c.svg"))), QString());
    EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("c.svg"))).contains("viewBox=\"0 0 640 400\""));
    EXPECT_EQ(WriteChartFile(series, texts, size, dir.filePath(QStringLiteral("c.PDF"))), QString());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("c.PDF"))});
    info.waitForFinished(30000);
    const QString pdf = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(pdf.contains(QRegularExpression(QStringLiteral("Page size: +640 x 400 pts")))) << qPrintable(pdf);
    EXPECT_TRUE(pdf.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << qPrintable(pdf);
    EXPECT_EQ(WriteChartFile(series, texts, size, dir.filePath(QStringLiteral("c.csv"))), QString());
    EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("c.csv"))), ChartCsv(series));

    // The command line's way: an empty period and a bad size are refused.
    const ChartRequest empty{ChartKind::Unit, QDate(2019, 1, 1), QDate(2019, 12, 31), std::nullopt, 2};
    EXPECT_EQ(ChartToFile(data, empty, size, dir.filePath(QStringLiteral("e.png"))), LoadString(StringId::NoRecordsFound));
    EXPECT_EQ(ParseChartSize(QStringLiteral("1200x800")), QSize(1200, 800));
    EXPECT_FALSE(ParseChartSize(QStringLiteral("0x800")) || ParseChartSize(QStringLiteral("1200 x 800")));

    // A name that gives no format, or a folder that does not exist, is told.
    EXPECT_FALSE(WriteChartFile(series, texts, size, dir.filePath(QStringLiteral("c.gif"))).isEmpty());
    EXPECT_FALSE(WriteChartFile(series, texts, size, dir.filePath(QStringLiteral("none/c.png"))).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("c.gif"))));
}

TEST_F(ChartViewTest, DialogRefusesAnEmptyPeriodThenDrawsAndAClickedSliceListsItsTransactions)
{
    CChartDlg dlg(data, view);
    dlg.SetDates(QDate(2019, 1, 1), QDate(2019, 12, 31));
    Control<QRadioButton>(&dlg, 1309)->click();
    EXPECT_TRUE(Control<QRadioButton>(&dlg, 1311)->isEnabled());
    dlg.accept();
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::NoRecordsFound)});
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(view.Chart(), nullptr);

    dlg.SetDates(QDate(2026, 3, 20), QDate(2026, 3, 1));
    EXPECT_FALSE(Control<QPushButton>(&dlg, 1)->isEnabled());
    dlg.SetDates(QDate(2026, 3, 1), QDate(2026, 3, 31));
    Control<QComboBox>(&dlg, 1303)->setCurrentText(QStringLiteral("Shop"));
    dlg.accept();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    CChartPanel *chart = view.Chart();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(view.GetGrid()->isHidden());
    EXPECT_EQ(chart->Series().points.size(), 2u); // Rent 15.50, Flour 7.00 of the shop

    ListQueryInput input;
    ASSERT_TRUE(chart->DrillDownSlice(0, input));
    emit chart->TransactionsWanted(input);
    EXPECT_EQ(view.Chart(), nullptr);
    EXPECT_FALSE(view.GetGrid()->isHidden());
    EXPECT_EQ(view.GetGrid()->GetItemText(1, 2), QStringLiteral("Shop"));
    EXPECT_EQ(view.GetGrid()->GetItemText(9, 3), QStringLiteral("Rent"));
    EXPECT_EQ(view.GetGrid()->GetItemText(13, 4), QStringLiteral("15.50"));
}

TEST_F(ChartViewTest, AClickedBarsListLeadsBackToItsChartByButtonAndByBackspace)
{
    const ChartRequest request{ChartKind::Unit, QDate(2026, 3, 1), QDate(2026, 3, 31), std::nullopt, 2};
    view.ShowChart(request, ComputeChartSeries(data.connection, request, data.company.units),
                   MakeChartTexts(request, data));
    auto *back = view.findChild<QPushButton *>(QStringLiteral("backToChart"));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isHidden());

    const auto drillDown = [&] {
        ListQueryInput input;
        // The shop's expenses: Rent 15.50 and Flour 7.00.
        ASSERT_TRUE(view.Chart()->DrillDown(2, 0, input));
        emit view.Chart()->TransactionsWanted(input);
        ASSERT_EQ(view.Chart(), nullptr);
        EXPECT_EQ(view.GetGrid()->GetItemText(1, 2), QStringLiteral("Shop"));
        EXPECT_TRUE(view.CanGoBackToChart());
        EXPECT_FALSE(back->isHidden());
    };
    const auto isTheChart = [&] {
        ASSERT_NE(view.Chart(), nullptr);
        EXPECT_EQ(view.Chart()->Series().kind, ChartKind::Unit);
        EXPECT_EQ(view.Chart()->Request().from, request.from);
        EXPECT_TRUE(view.GetGrid()->isHidden());
        EXPECT_TRUE(back->isHidden());
        EXPECT_FALSE(view.CanGoBackToChart());
    };
    drillDown();
    back->click();
    isTheChart();
    drillDown();
    QTest::keyClick(view.GetGrid(), Qt::Key_Backspace);
    isTheChart();

    // Any other report ends the way back; Backspace then does nothing.
    drillDown();
    view.OnClearScreen();
    EXPECT_TRUE(back->isHidden());
    QTest::keyClick(view.GetGrid(), Qt::Key_Backspace);
    EXPECT_EQ(view.Chart(), nullptr);
}

TEST_F(ChartViewTest, TheAmountAxisFitsASmallNegativeBalanceBesideLargeIncomes)
{
    ChartSeries series;
    series.kind = ChartKind::Unit;
    series.points = {{QStringLiteral("Shop"), {}, 200000, 0}, {QStringLiteral("Household"), {}, 0, 1657}};
    series.records = 2;
    const ChartRequest request{ChartKind::Unit, QDate(2026, 3, 1), QDate(2026, 3, 31), std::nullopt, 2};
    const std::unique_ptr<QChart> chart = BuildChart(series, MakeChartTexts(request, data), PaletteFor(Qt::white));
    const QList<QAbstractAxis *> axes = chart->axes(Qt::Vertical);
    ASSERT_EQ(axes.size(), 1);
    const auto *y = qobject_cast<const QValueAxis *>(axes[0]);
    ASSERT_NE(y, nullptr);
    // -16.57 shows below zero without a whole step of the scale beneath it.
    EXPECT_LT(y->min(), -16.57);
    EXPECT_GT(y->min(), -100.0);
    EXPECT_GE(y->max(), 2000.0);
    EXPECT_LT(y->max(), 2200.0);
    EXPECT_EQ(y->tickType(), QValueAxis::TicksDynamic);
    EXPECT_EQ(y->tickAnchor(), 0.0);

    // The balance alone: a scale of a few units, in cents where they matter.
    const AmountAxisFit alone = FitAmountAxis(-16.57, 0.0);
    EXPECT_LT(alone.min, -16.57);
    EXPECT_GT(alone.min, -20.0);
    EXPECT_GT(alone.max, 0.0);
    EXPECT_LE(alone.interval, 5.0);
    const AmountAxisFit cents = FitAmountAxis(0.0, 0.4);
    EXPECT_EQ(cents.decimals, 1);
    EXPECT_EQ(FitAmountAxis(0.0, 0.0).max, 1.0);
}

TEST_F(ChartViewTest, AShowingChartPrintsOnOnePageAndExportsAsAPicture)
{
    const ChartRequest request{ChartKind::Unit, QDate(2026, 1, 1), QDate(2026, 12, 31), std::nullopt, 2};
    view.ShowChart(request, ComputeChartSeries(data.connection, request, data.company.units),
                   MakeChartTexts(request, data));
    CTestPrintSeam seam;
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    int maxPage = 0;
    seam.onPrintDialog = [&](QPrinter &printer, int, int max) {
        maxPage = max;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    view.OnFilePrint();
    EXPECT_EQ(maxPage, 1);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(30000);
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_EQ(printed.count(u'\f'), 1);
    EXPECT_TRUE(printed.contains(QStringLiteral("Incomes and Expenses by Unit"))) << qPrintable(printed);
    EXPECT_TRUE(printed.contains(QStringLiteral("O'Neil Stall"))) << qPrintable(printed);

    const QString png = dir.filePath(QStringLiteral("TWK-Chart.png"));
    TestUi().QueueFile(png);
    view.OnFileExport();
    EXPECT_FALSE(QImage(png).isNull());

    view.OnClearScreen();
    EXPECT_EQ(view.Chart(), nullptr);
    EXPECT_FALSE(view.GetGrid()->isHidden());
}
