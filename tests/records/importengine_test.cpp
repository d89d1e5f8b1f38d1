#include "records/importengine.h"
#include "records/transactionstore.h"
#include "support/testdatabase.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>


namespace {

const QString kUnit = QStringLiteral("Main");

CStatementLine Line(int day, double amount, const QString &payee, const QString &fitId = {})
{
    static qint64 number = 0;
    CStatementLine line;
    line.lineNumber = ++number;
    line.date = QDate(2026, 3, day);
    line.amount = amount;
    line.payee = payee;
    line.fitId = fitId;
    return line;
}

class ImportEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.AddCategory(QStringLiteral("Sales"), kIncomeTransaction);
        db.AddCategory(QStringLiteral("Food"), kExpenseTransaction);
        db.AddCategory(QStringLiteral("Other"), 3);
    }

    CImportCounts Import(const QList<CStatementLine> &lines, const QString &file = QStringLiteral("march.csv"))
    {
        CImportOptions options;
        options.unit = kUnit;
        options.defaultCategory = QStringLiteral("Other");
        CImportPlanner planner(db.Connection(), CImportStore(db.Connection()).Rules(), options);
        CImportWriter writer(db.Connection(), file, kUnit);
        for (const CStatementLine &line : lines)
            writer.Add(planner.Classify(line));
        writer.Commit();
        return writer.Counts();
    }

    int Rows() { return db.Count(QStringLiteral("LB_TRANSACTION_INFO_TB")); }

    CTestDatabase db;
};

TEST_F(ImportEngineTest, RepeatedAndOverlappingStatementsAddOnlyNewLines)
{
    const QList<CStatementLine> february = {Line(1, 1200, QStringLiteral("ACME PAYROLL")),
                                            Line(2, -4.5, QStringLiteral("Bakery")),
                                            Line(3, -60, QStringLiteral("Grocer"))};
    EXPECT_EQ(Import(february).added, 3);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT cTransactionDate||'|'||cTransactionAmount||'|'||iTransactionType||'|'||"
                                       "cTransactionName FROM LB_TRANSACTION_INFO_TB WHERE cTransactionDescription='Bakery'")),
              QStringLiteral("03/02/2026|4.5|2|Other"));

    const CImportCounts again = Import(february);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.duplicates, 3);

    // The bank wrote the overlap in other letter case and spacing.
    const CImportCounts overlap = Import({Line(3, -60, QStringLiteral(" grocer ")), Line(9, -60, QStringLiteral("Grocer")),
                                          Line(5, 99.99, QStringLiteral("Refund"))});
    EXPECT_EQ(overlap.added, 2);
    EXPECT_EQ(overlap.duplicates, 1);
    EXPECT_DOUBLE_EQ(overlap.moneyIn, 99.99);
    EXPECT_DOUBLE_EQ(overlap.moneyOut, 60);
    EXPECT_EQ(Rows(), 5);
}

TEST_F(ImportEngineTest, EachStoredTransactionAnswersForOneLine)
{
    // Two coffees on one day are two transactions; one was typed by hand
    // the day before, with the description cut as the column holds it.
    const QString longName = QStringLiteral("Coffee Corner ") + QString(200, u'x');
    db.AddTransaction(kUnit, QStringLiteral("03/09/2026"), QStringLiteral("Food"), 3.2,
                      StoredDescription(longName).toUpper(), kExpenseTransaction);
    // Other units, types and days beyond the window are not twins.
    db.AddTransaction(QStringLiteral("Branch"), QStringLiteral("03/10/2026"), QStringLiteral("Food"), 3.2, longName,
                      kExpenseTransaction);
    db.AddTransaction(kUnit, QStringLiteral("03/10/2026"), QStringLiteral("Sales"), 3.2, longName, kIncomeTransaction);
    db.AddTransaction(kUnit, QStringLiteral("03/06/2026"), QStringLiteral("Food"), 3.2, longName, kExpenseTransaction);

    const CImportCounts counts = Import({Line(10, -3.2, longName), Line(10, -3.2, longName)});
    EXPECT_EQ(counts.added, 1);
    EXPECT_EQ(counts.duplicates, 1);
    // On the 13th only the row imported for the 10th lies inside the window.
    const CImportCounts later = Import({Line(13, -3.2, longName), Line(13, -3.2, longName)});
    EXPECT_EQ(later.added, 1);
    EXPECT_EQ(later.duplicates, 1);
}

TEST_F(ImportEngineTest, RulesFileInOrderIgnoringCaseAndNeverUnderTheWrongType)
{
    CImportStore store(db.Connection());
    store.SaveRules({{0, RuleMatch::Regex, QStringLiteral("^shell\\s+\\d+"), QStringLiteral("Food")},
                     {0, RuleMatch::Contains, QStringLiteral("SHELL"), QStringLiteral("Sales")},
                     {0, RuleMatch::StartsWith, QStringLiteral("card  rewe"), QStringLiteral("Food")}});
    CImportOptions options;
    options.unit = kUnit;
    options.defaultCategory = QStringLiteral("Food");
    CImportPlanner planner(db.Connection(), store.Rules(), options);
    EXPECT_EQ(planner.CategoryFor(QStringLiteral("Shell 0815 Berlin"), kExpenseTransaction), QStringLiteral("Food"));
    EXPECT_EQ(planner.CategoryFor(QStringLiteral("Refund shell"), kIncomeTransaction), QStringLiteral("Sales"));
    // The contains rule names an income category: an expense falls through.
    EXPECT_EQ(planner.CategoryFor(QStringLiteral("Refund shell"), kExpenseTransaction), QStringLiteral("Food"));
    EXPECT_EQ(planner.CategoryFor(QStringLiteral("CARD REWE 12"), kExpenseTransaction), QStringLiteral("Food"));
    // No rule and a default of the other type: no category, left unticked.
    const CImportCandidate unfiled = planner.Classify(Line(1, 10, QStringLiteral("Gift")));
    EXPECT_EQ(unfiled.category, QString());
    EXPECT_FALSE(unfiled.ticked);

    EXPECT_FALSE(CImportRule({0, RuleMatch::Regex, QStringLiteral("(unclosed"), QStringLiteral("Food")}).Problem().isEmpty());
    EXPECT_FALSE(CImportRule({0, RuleMatch::Regex, QStringLiteral("(unclosed"), QStringLiteral("Food")}).Matches(QStringLiteral("(unclosed")));
}

TEST_F(ImportEngineTest, LearntRuleComesFirstAndMatchesNextMonthsText)
{
    CImportStore store(db.Connection());
    store.SaveRules({{0, RuleMatch::Contains, QStringLiteral("market"), QStringLiteral("Other")}});
    CImportOptions options;
    options.unit = kUnit;
    CImportPlanner planner(db.Connection(), store.Rules(), options);
    const CImportRule learnt = store.LearnRule(QStringLiteral("CITY MARKET  4711 03/02"), QStringLiteral("Food"));
    EXPECT_EQ(store.Rules().size(), 2);
    EXPECT_EQ(store.Rules().first().id, learnt.id);

    planner.SetRules(store.Rules());
    EXPECT_EQ(planner.CategoryFor(QStringLiteral("City Market 5521 04/01"), kExpenseTransaction), QStringLiteral("Food"));
    EXPECT_EQ(planner.CategoryFor(QStringLiteral("Farmers market"), kExpenseTransaction), QStringLiteral("Other"));

    // Learnt again for another category: replaced, not added.
    store.LearnRule(QStringLiteral("City  market 1"), QStringLiteral("Other"));
    EXPECT_EQ(store.Rules().size(), 2);
    EXPECT_EQ(store.Rules().first().category, QStringLiteral("Other"));
}

TEST_F(ImportEngineTest, UndoRemovesOnlyTheLastImportsRowsAndForgetsItsIds)
{
    db.AddTransaction(kUnit, QStringLiteral("03/01/2026"), QStringLiteral("Food"), 8, QStringLiteral("Before"), 2);
    Import({Line(1, -5, QStringLiteral("Early"), QStringLiteral("F1"))}, QStringLiteral("feb.ofx"));
    const QList<CStatementLine> march = {Line(2, -7, QStringLiteral("Kiosk"), QStringLiteral("F2")),
                                         Line(3, 50, QStringLiteral("Client"), QStringLiteral("F3"))};
    Import(march, QStringLiteral("mar.ofx"));
    // Entries and edits made after the import.
    CTransactionStore transactions(db.Connection());
    transactions.Add({kUnit, QStringLiteral("03/04/2026"), QStringLiteral("Food"), 7, QStringLiteral("Kiosk"), 2});
    transactions.Update(1, {kUnit, QStringLiteral("03/01/2026"), QStringLiteral("Food"), 9, QStringLiteral("Edited"), 2});

    CImportStore store(db.Connection());
    EXPECT_EQ(store.LastImport()->fileName, QStringLiteral("mar.ofx"));
    EXPECT_EQ(store.UndoLastImport(), 2);
    EXPECT_EQ(db.Count(QStringLiteral("LB_TRANSACTION_INFO_TB"), QStringLiteral("cTransactionDescription IN "
                                                                             "('Edited','Early','Kiosk')")), 3);
    EXPECT_EQ(Rows(), 3);

    // Its ids are forgotten; the hand-typed kiosk answers for its twin.
    const CImportCounts again = Import(march, QStringLiteral("mar.ofx"));
    EXPECT_EQ(again.added, 1);
    EXPECT_EQ(again.duplicates, 1);
    store.UndoLastImport();
    EXPECT_EQ(store.LastImport()->fileName, QStringLiteral("feb.ofx"));
    EXPECT_EQ(Import({Line(1, -5, QStringLiteral("Other text"), QStringLiteral("F1"))}).duplicates, 1);
}

TEST_F(ImportEngineTest, ReadingAndUncommittedImportsLeaveTheFileAlone)
{
    const QByteArray before = ReadBytes(db.Path());
    CImportStore store(db.Connection());
    EXPECT_TRUE(store.Rules().isEmpty());
    EXPECT_FALSE(store.LastImport());
    EXPECT_EQ(store.UndoLastImport(), 0);
    {
        CImportOptions options;
        options.unit = kUnit;
        options.defaultCategory = QStringLiteral("Other");
        CImportPlanner planner(db.Connection(), {}, options);
        CImportWriter writer(db.Connection(), QStringLiteral("refused.csv"), kUnit);
        writer.Add(planner.Classify(Line(1, 5, QStringLiteral("Any"), QStringLiteral("X"))));
        EXPECT_EQ(writer.Counts().added, 1);
    }
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(ReadBytes(db.Path()), before);
}

} // namespace
