#include "records/importwizard.h"

#include "recordfixture.h"
#include "records/importmapping.h"
#include "records/importreview.h"
#include "records/recordui.h"
#include "records/transactionstore.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

CImportCandidate Line(qint64 number, double amount, const QString &payee, ImportLineState state = ImportLineState::New)
{
    CImportCandidate c;
    c.line.lineNumber = number;
    c.line.date = QDate(2026, 1, int(number));
    c.line.amount = amount;
    c.line.payee = payee;
    c.type = amount >= 0 ? kIncomeTransaction : kExpenseTransaction;
    c.state = state;
    return c;
}

CImportRule Rule(const char *pattern, const char *category)
{
    CImportRule rule;
    rule.pattern = QString::fromUtf8(pattern);
    rule.category = QString::fromUtf8(category);
    return rule;
}

} // namespace

TEST(ImportReview, FilesLinesByUserThenRuleOfTheRightTypeThenDefault)
{
    CImportReviewModel review;
    review.SetCategories({QStringLiteral("Salary"), QStringLiteral("Refunds")}, {QStringLiteral("Food"), QStringLiteral("Fuel")});
    // A shop's refund is money in: the expense rule must not file it.
    review.SetRules({Rule("grocer", "Food")});
    review.SetCandidates({Line(1, -20, QStringLiteral("Grocer")), Line(2, 5, QStringLiteral("Grocer refund")),
                          Line(3, -9, QStringLiteral("Garage")), Line(4, -20, QStringLiteral("Grocer"), ImportLineState::Duplicate)});
    QStringList categories;
    for (const CImportCandidate &c : review.Candidates())
        categories << c.category;
    EXPECT_EQ(categories, (QStringList{QStringLiteral("Food"), QString(), QString(), QString()}));
    EXPECT_FALSE(review.flags(review.index(1, CImportReviewModel::TickColumn)) & Qt::ItemIsUserCheckable)
        << "a line without a category cannot be ticked";
    EXPECT_EQ(review.Counts().added, 1);

    review.SetDefaults(QStringLiteral("Refunds"), QStringLiteral("Fuel"));
    EXPECT_EQ(review.Candidates()[1].category, QStringLiteral("Refunds"));
    EXPECT_EQ(review.Candidates()[2].category, QStringLiteral("Fuel"));
    EXPECT_FALSE(review.Candidates()[3].ticked) << "a duplicate is never written";

    // The user's choices stand when the same file is decided again, and over
    // a rule learnt later; the rule files the lines nobody chose for.
    EXPECT_FALSE(review.SetCategory(0, QStringLiteral("Salary"))) << "an income category for an expense";
    ASSERT_TRUE(review.setData(review.index(2, CImportReviewModel::CategoryColumn), QStringLiteral("Food")));
    ASSERT_TRUE(review.setData(review.index(1, CImportReviewModel::TickColumn), Qt::Unchecked, Qt::CheckStateRole));
    auto again = review.Candidates();
    again[0].line.payee = QStringLiteral("Garage");
    review.SetCandidates(again);
    review.Learn(Rule("garage", "Fuel"));
    EXPECT_EQ(review.Candidates()[0].category, QStringLiteral("Fuel"));
    EXPECT_EQ(review.Candidates()[2].category, QStringLiteral("Food"));
    EXPECT_FALSE(review.Candidates()[1].ticked);
    const CImportCounts counts = review.Counts();
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(counts.unticked, 1);
    EXPECT_EQ(counts.duplicates, 1);
}

TEST(ImportMapping, GuessesBankLayoutsFromTheirRows)
{
    const QList<QStringList> german = {{QStringLiteral("Kontoauszug Januar")},
                                       {QStringLiteral("Buchungstag"), QStringLiteral("Empfänger"), QStringLiteral("Verwendungszweck"),
                                        QStringLiteral("Soll"), QStringLiteral("Haben")},
                                       {QStringLiteral("31.01.2026"), QStringLiteral("Bäckerei"), QStringLiteral("Brot"),
                                        QStringLiteral("1.234,50"), QString()},
                                       {QStringLiteral("13.01.2026"), QStringLiteral("Lohn"), QString(), QString(),
                                        QStringLiteral("2.000,00")}};
    const CCsvLayout de = GuessCsvColumns(german, QLatin1Char(';'), QStringLiteral("Windows-1252"));
    EXPECT_EQ(de.skipLines, 2);
    EXPECT_EQ(de.dateFormat, QStringLiteral("DD.MM.YYYY"));
    EXPECT_TRUE(de.decimalComma);
    EXPECT_EQ(QList<int>({de.dateColumn, de.descriptionColumn, de.memoColumn, de.amountColumn, de.debitColumn, de.creditColumn}),
              QList<int>({0, 1, 2, -1, 3, 4}));

    // No heading: placed by what the columns hold.
    const QList<QStringList> us = {{QStringLiteral("1001"), QStringLiteral("01/31/2026"), QStringLiteral("COFFEE SHOP 12"),
                                    QStringLiteral("-3.50")},
                                   {QStringLiteral("1002"), QStringLiteral("01/13/2026"), QStringLiteral("PAYROLL"),
                                    QStringLiteral("1,500.00")}};
    const CCsvLayout en = GuessCsvColumns(us, QLatin1Char(','), QStringLiteral("UTF-8"));
    EXPECT_EQ(QList<int>({en.skipLines, en.dateColumn, en.descriptionColumn, en.amountColumn}), QList<int>({0, 1, 2, 3}));
    EXPECT_EQ(en.dateFormat, QStringLiteral("MM/DD/YYYY"));
    EXPECT_FALSE(en.decimalComma);

    EXPECT_EQ(GuessCsvEncoding("Datum;B\xE4""ckerei"), QStringLiteral("Windows-1252"));
    EXPECT_EQ(GuessCsvEncoding("Datum;B\xC3\xA4""ckerei\xC3"), QStringLiteral("UTF-8")) << "a character cut at the end";
    EXPECT_EQ(GuessCsvEncoding("\xFF\xFE" "D\0"), QStringLiteral("UTF-16"));
}

namespace {

class ImportWizardTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        SetUnits({QStringLiteral("Home")});
        AddCategory(QStringLiteral("Salary"), 1);
        AddCategory(QStringLiteral("Groceries"), 2);
        AddCategory(QStringLiteral("Eating Out"), 2);
        AddCategory(QStringLiteral("Sundries"), 3);
    }

    QString Write(const QByteArray &text, const QString &name = QStringLiteral("january.csv"))
    {
        const QString path = dir.filePath(name);
        WriteBytes(path, text);
        return path;
    }

    // Picks the file, takes the guessed columns or the saved ones named
    // `use`, saves them as `save`, and reaches the review.
    void Reach(CImportWizard &wizard, const QString &path, const QString &use = {}, const QString &save = {})
    {
        TestUi().QueueFile(path);
        wizard.OnBrowse();
        if (!use.isEmpty())
            Control<QComboBox>(&wizard, CImportWizard::IdMapping)->setCurrentText(use);
        ASSERT_TRUE(wizard.OnNext());
        ASSERT_EQ(wizard.CurrentPage(), CImportWizard::ColumnsPage);
        if (!save.isEmpty()) {
            Control<QLineEdit>(&wizard, CImportWizard::IdMappingName)->setText(save);
            Control<QPushButton>(&wizard, CImportWizard::IdSaveMapping)->click();
        }
        ASSERT_TRUE(wizard.OnNext());
        ASSERT_EQ(wizard.CurrentPage(), CImportWizard::ReviewPage);
    }

    QTemporaryDir dir;
};

const QByteArray kStatement = "Date,Description,Amount\n"
                              "01/02/2026,Corner Cafe,-3.50\n"
                              "01/02/2026,Corner Cafe,-3.50\n"
                              "01/05/2026,Payroll ACME,1500.00\n"
                              "01/09/2026,Fresh Market,-42.10\n"
                              "01/12/2026,Fresh Market,-18.00\n";

} // namespace

TEST_F(ImportWizardTest, MonthByMonthNothingIsDoubledAndUndoTakesOnlyItsRows)
{
    AddRow(QStringLiteral("Home"), QDate(2026, 1, 3), QStringLiteral("Eating Out"), 3.5, QStringLiteral("corner  cafe"), 2);
    const QString path = Write(kStatement);
    int coffee = 0;
    {
        CImportWizard wizard(data);
        Reach(wizard, path, {}, QStringLiteral("Home Bank"));
        EXPECT_EQ(wizard.Layout().amountColumn, 2);
        CImportReviewModel *review = wizard.Review();
        ASSERT_EQ(review->rowCount(), 5);
        // Two coffees in the file, one typed in already: one is new.
        EXPECT_EQ(review->Counts().duplicates, 1);
        Control<QComboBox>(&wizard, CImportWizard::IdDefaultExpense)->setCurrentText(QStringLiteral("Sundries"));
        Control<QComboBox>(&wizard, CImportWizard::IdDefaultIncome)->setCurrentText(QStringLiteral("Salary"));

        // File one Fresh Market line under Groceries and remember it.
        TestUi().QueueAnswer(IDYES);
        ASSERT_TRUE(review->setData(review->index(3, CImportReviewModel::CategoryColumn), QStringLiteral("Groceries")));
        QCoreApplication::processEvents();
        EXPECT_TRUE(TestUi().LastText().contains(QStringLiteral("Fresh Market"))) << TestUi().LastText().toStdString();
        EXPECT_EQ(review->Candidates()[4].category, QStringLiteral("Groceries")) << "the learnt rule files the other";
        coffee = review->Candidates()[0].state == ImportLineState::New ? 0 : 1;
        review->setData(review->index(coffee, CImportReviewModel::TickColumn), Qt::Unchecked, Qt::CheckStateRole);

        ASSERT_TRUE(wizard.OnFinish());
        EXPECT_EQ(wizard.Added(), 3);
    }
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Groceries'")), 2);
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Salary' AND iTransactionType=1")), 1);

    // The same file again: everything is there, nothing is written.
    AddRow(QStringLiteral("Home"), QDate(2026, 1, 20), QStringLiteral("Eating Out"), 7, QStringLiteral("typed later"), 2);
    {
        CImportWizard wizard(data);
        Reach(wizard, path);
        EXPECT_EQ(wizard.Review()->Candidates()[4].category, QStringLiteral("Groceries")) << "the rule was stored";
        // The coffee left out is new still, but no rule or default files it.
        EXPECT_EQ(wizard.Review()->Candidates()[coffee].state, ImportLineState::New);
        EXPECT_EQ(wizard.Review()->Counts().added, 0);
        TestUi().Reset();
        EXPECT_FALSE(wizard.OnFinish());
        EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("There is nothing to import: no new line is ticked.")});
    }
    EXPECT_EQ(Rows(), 5);

    // Next month's statement overlaps this one, read with the saved columns.
    const QString february = Write("Date,Description,Amount\n"
                                   "01/09/2026,Fresh Market,-42.10\n"
                                   "01/12/2026,Fresh Market,-18.00\n"
                                   "02/03/2026,FRESH MARKET 0231,-25.00\n"
                                   "02/05/2026,Payroll ACME,1500.00\n",
                                   QStringLiteral("february.csv"));
    {
        CImportWizard wizard(data);
        Reach(wizard, february, QStringLiteral("Home Bank"));
        const auto saved = CImportStore(data.connection).Mapping(QStringLiteral("Home Bank"));
        EXPECT_EQ(wizard.Layout().ToText(), saved.value_or(CCsvLayout()).ToText());
        Control<QComboBox>(&wizard, CImportWizard::IdDefaultIncome)->setCurrentText(QStringLiteral("Salary"));
        EXPECT_EQ(wizard.Review()->Counts().duplicates, 2);
        ASSERT_TRUE(wizard.OnFinish());
        EXPECT_EQ(wizard.Added(), 2);
    }
    EXPECT_EQ(Rows(QStringLiteral("cTransactionName='Groceries'")), 3);
    EXPECT_EQ(Rows(), 7);
    // Stored as typed-in rows are, so the period reports count it.
    EXPECT_TRUE(Table().contains(QStringLiteral("Home|02/03/2026|Groceries|25.000000|FRESH MARKET 0231|2")))
        << Table().join(u'\n').toStdString();

    TestUi().Reset();
    TestUi().QueueAnswer(IDYES);
    EXPECT_TRUE(RunUndoLastImport(data, nullptr));
    EXPECT_TRUE(TestUi().messages.first().text.contains(QStringLiteral("february.csv")));
    EXPECT_EQ(Rows(), 5) << "January's import and the typed-in rows stay";
    TestUi().QueueAnswer(IDYES);
    EXPECT_TRUE(RunUndoLastImport(data, nullptr));
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Rows(QStringLiteral("cTransactionDescription='typed later'")), 1);
    EXPECT_FALSE(HasImportToUndo(data));
}

TEST_F(ImportWizardTest, MalformedLinesAreSkippedOrRefuseTheWholeImport)
{
    const QString path = Write("Date,Description,Amount\n"
                               "01/02/2026,Corner Cafe,-3.50\n"
                               "13/45/2026,Nonsense,-1.00\n"
                               "01/05/2026,Payroll ACME,1500.00\n");
    CImportWizard wizard(data);
    Reach(wizard, path);
    Control<QComboBox>(&wizard, CImportWizard::IdDefaultExpense)->setCurrentText(QStringLiteral("Sundries"));
    Control<QComboBox>(&wizard, CImportWizard::IdDefaultIncome)->setCurrentText(QStringLiteral("Sundries"));
    EXPECT_EQ(wizard.Review()->ErrorLines().size(), 1);
    EXPECT_TRUE(wizard.Review()->ErrorLines().first().startsWith(QStringLiteral("line 3: ")));

    Control<QRadioButton>(&wizard, CImportWizard::IdRefuseMalformed)->setChecked(true);
    TestUi().Reset();
    EXPECT_FALSE(wizard.OnFinish());
    EXPECT_TRUE(TestUi().LastText().contains(QStringLiteral("line 3: "))) << TestUi().LastText().toStdString();
    EXPECT_EQ(Rows(), 0);

    Control<QRadioButton>(&wizard, CImportWizard::IdSkipMalformed)->setChecked(true);
    EXPECT_TRUE(wizard.OnFinish());
    EXPECT_EQ(Rows(), 2);
}

TEST_F(ImportWizardTest, ColumnsPageReadsAGermanExportAndPreviewsItLive)
{
    const QString path = Write("Buchungstag;Empf\xE4nger;Verwendungszweck;Soll;Haben\r\n"
                               "05.01.2026;B\xE4""ckerei M\xFCller;Brot;3,40;\r\n"
                               "12.01.2026;Arbeitgeber GmbH;Lohn Januar;;2.150,00\r\n",
                               QStringLiteral("konto.csv"));
    CImportWizard wizard(data);
    TestUi().QueueFile(path);
    wizard.OnBrowse();
    ASSERT_TRUE(wizard.OnNext());
    const CCsvLayout layout = wizard.Layout();
    EXPECT_EQ(layout.encoding, QStringLiteral("Windows-1252"));
    EXPECT_EQ(layout.delimiter, QLatin1Char(';'));
    EXPECT_EQ(ComboItems(Control<QComboBox>(&wizard, CImportWizard::IdDateFormat)), QStringList{QStringLiteral("DD.MM.YYYY")})
        << "only the formats that read every date";
    auto *preview = Control<QTableWidget>(&wizard, CImportWizard::IdPreview);
    ASSERT_EQ(preview->rowCount(), 2);
    EXPECT_EQ(preview->item(0, 1)->text(), QStringLiteral("Bäckerei Müller - Brot"));
    EXPECT_EQ(preview->item(0, 2)->text(), QStringLiteral("-3.40"));
    EXPECT_EQ(preview->item(1, 2)->text(), QStringLiteral("2150.00"));

    // Amounts read under the wrong decimal mark show as malformed at once.
    Control<QCheckBox>(&wizard, CImportWizard::IdDecimalComma)->setChecked(false);
    EXPECT_TRUE(preview->item(1, 3)->text().startsWith(QStringLiteral("line 3: "))) << preview->item(1, 3)->text().toStdString();
}

TEST_F(ImportWizardTest, OtherFormatsGoStraightToTheReviewAndAnUnreadableFileIsRefused)
{
    const QString qif = Write("!Type:Bank\nD01/31'26\nT-12.50\nPCorner Cafe\n^\n", QStringLiteral("card.qif"));
    CImportWizard wizard(data);
    TestUi().QueueFile(qif);
    wizard.OnBrowse();
    ASSERT_TRUE(wizard.OnNext());
    EXPECT_EQ(wizard.CurrentPage(), CImportWizard::ReviewPage);
    ASSERT_EQ(wizard.Review()->rowCount(), 1);
    EXPECT_EQ(wizard.Review()->Candidates()[0].line.date, QDate(2026, 1, 31));
    wizard.OnBack();
    EXPECT_EQ(wizard.CurrentPage(), CImportWizard::FilePage);

    const QString notQif = Write("Date,Amount\n01/31/2026,-12.50\n", QStringLiteral("renamed.qif"));
    Control<QLineEdit>(&wizard, CImportWizard::IdFile)->setText(notQif);
    auto *format = Control<QComboBox>(&wizard, CImportWizard::IdFormat);
    format->setCurrentIndex(format->findData(int(StatementFormat::Qif)));
    TestUi().Reset();
    EXPECT_FALSE(wizard.OnNext());
    EXPECT_EQ(wizard.CurrentPage(), CImportWizard::FilePage);
    EXPECT_TRUE(TestUi().LastText().contains(QStringLiteral("renamed.qif"))) << TestUi().LastText().toStdString();
    EXPECT_EQ(Rows(), 0);
}
