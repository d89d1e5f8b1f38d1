#include "records/importrulesdlg.h"

#include "recordfixture.h"
#include "records/importrules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace {

CImportRule Rule(RuleMatch match, const char *pattern, const char *category)
{
    CImportRule rule;
    rule.match = match;
    rule.pattern = QString::fromUtf8(pattern);
    rule.category = QString::fromUtf8(category);
    return rule;
}

QStringList Texts(const QList<CImportRule> &rules)
{
    QStringList texts;
    for (const CImportRule &rule : rules)
        texts << QStringLiteral("%1 %2>%3").arg(int(rule.match)).arg(rule.pattern, rule.category);
    return texts;
}

class ImportRulesTest : public RecordTest
{
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        AddCategory(QStringLiteral("Groceries"), 2);
        AddCategory(QStringLiteral("Fuel"), 2);
        AddCategory(QStringLiteral("Salary"), 1);
        CImportStore store(data.connection);
        store.SaveRules({Rule(RuleMatch::StartsWith, "Fresh Market", "Groceries"),
                         Rule(RuleMatch::Contains, "shell", "Fuel"), Rule(RuleMatch::Contains, "payroll", "Salary")});
        store.SaveMapping(QStringLiteral("Home Bank"), CCsvLayout());
        store.SaveMapping(QStringLiteral("Old Bank"), CCsvLayout());
        TestUi().Reset();
    }

    void Edit(CImportRulesDlg &dialog, RuleMatch match, const QString &pattern, const QString &category)
    {
        auto *box = Control<QComboBox>(&dialog, CImportRulesDlg::IdMatch);
        box->setCurrentIndex(box->findData(int(match)));
        Control<QLineEdit>(&dialog, CImportRulesDlg::IdPattern)->setText(pattern);
        Control<QComboBox>(&dialog, CImportRulesDlg::IdCategory)->setCurrentText(category);
    }
    static void Select(CImportRulesDlg &dialog, int row)
    {
        Control<QTableWidget>(&dialog, CImportRulesDlg::IdRules)->selectRow(row);
    }
};

} // namespace

TEST(ImportRuleList, RefusesRulesThatCouldNeverFileALine)
{
    const QList<CImportRule> rules{Rule(RuleMatch::Contains, "Shell", "Fuel"), Rule(RuleMatch::Regex, "^ESSO", "Fuel")};
    EXPECT_TRUE(RuleListProblem(rules, Rule(RuleMatch::Contains, "  shell ", "Groceries")).contains(u"Rule 1"))
        << "the same text the same way, whatever the case and spacing";
    EXPECT_EQ(RuleListProblem(rules, Rule(RuleMatch::Contains, "SHELL", "Groceries"), 0), QString())
        << "a rule may be changed in place";
    EXPECT_EQ(RuleListProblem(rules, Rule(RuleMatch::StartsWith, "Shell", "Fuel")), QString());
    EXPECT_TRUE(RuleListProblem(rules, Rule(RuleMatch::Regex, "(unclosed", "Fuel")).contains(u"not a regular expression"));
    EXPECT_FALSE(RuleListProblem(rules, Rule(RuleMatch::Contains, " ", "Fuel")).isEmpty());
    EXPECT_FALSE(RuleListProblem(rules, Rule(RuleMatch::Contains, "Aral", "")).isEmpty());
}

TEST_F(ImportRulesTest, ReorderChangeAddAndDeleteReachTheStoreOnlyOnOk)
{
    CImportRulesDlg dialog(data);
    ASSERT_TRUE(dialog.Loaded());
    EXPECT_FALSE(Control<QPushButton>(&dialog, CImportRulesDlg::IdUp)->isEnabled()) << "the first rule is selected";

    Select(dialog, 2);
    EXPECT_EQ(Control<QLineEdit>(&dialog, CImportRulesDlg::IdPattern)->text(), QStringLiteral("payroll"));
    Control<QPushButton>(&dialog, CImportRulesDlg::IdUp)->click();
    EXPECT_EQ(Control<QTableWidget>(&dialog, CImportRulesDlg::IdRules)->currentRow(), 1) << "the moved rule stays chosen";

    Select(dialog, 0);
    Edit(dialog, RuleMatch::Contains, QStringLiteral("fresh market"), QStringLiteral("Groceries"));
    Control<QPushButton>(&dialog, CImportRulesDlg::IdChange)->click();

    // A broken expression and a second rule for the same text are refused.
    Edit(dialog, RuleMatch::Regex, QStringLiteral("^(SHELL|ESSO"), QStringLiteral("Fuel"));
    Control<QPushButton>(&dialog, CImportRulesDlg::IdAdd)->click();
    Edit(dialog, RuleMatch::Contains, QStringLiteral("SHELL"), QStringLiteral("Groceries"));
    Control<QPushButton>(&dialog, CImportRulesDlg::IdAdd)->click();
    EXPECT_EQ(TestUi().messages.size(), 2);
    Edit(dialog, RuleMatch::Regex, QStringLiteral("^(SHELL|ESSO) "), QStringLiteral("Fuel"));
    Control<QPushButton>(&dialog, CImportRulesDlg::IdAdd)->click();

    Select(dialog, 2); // shell
    Control<QPushButton>(&dialog, CImportRulesDlg::IdDelete)->click();
    auto *mappings = Control<QListWidget>(&dialog, CImportRulesDlg::IdMappings);
    mappings->setCurrentRow(1);
    Control<QPushButton>(&dialog, CImportRulesDlg::IdDeleteMapping)->click();

    const QStringList expected{QStringLiteral("0 fresh market>Groceries"), QStringLiteral("0 payroll>Salary"),
                               QStringLiteral("2 ^(SHELL|ESSO) >Fuel")};
    EXPECT_EQ(Texts(dialog.Rules()), expected);
    EXPECT_EQ(Texts(CImportStore(data.connection).Rules()).size(), 3);
    EXPECT_EQ(Texts(CImportStore(data.connection).Rules()).first(), QStringLiteral("1 Fresh Market>Groceries"))
        << "nothing is written before OK";

    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Texts(CImportStore(data.connection).Rules()), expected);
    EXPECT_EQ(CImportStore(data.connection).MappingNames(), QStringList{QStringLiteral("Home Bank")});
}

TEST_F(ImportRulesTest, OkWithoutChangesWritesNothingAndAFailedSaveKeepsTheDialogOpen)
{
    // Any write to the rules would now fail and be reported.
    FailOn(QStringLiteral("DELETE"), QStringLiteral("LB_IMPORT_RULE_TB"));
    {
        CImportRulesDlg dialog(data);
        Select(dialog, 1);
        Control<QPushButton>(&dialog, CImportRulesDlg::IdDown)->click();
        Control<QPushButton>(&dialog, CImportRulesDlg::IdUp)->click();
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(TestUi().Texts().isEmpty()) << TestUi().Texts().join(u'\n').toStdString();
    }
    CImportRulesDlg dialog(data);
    Select(dialog, 0);
    Control<QPushButton>(&dialog, CImportRulesDlg::IdDelete)->click();
    dialog.setResult(QDialog::Rejected);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "the dialog stays open";
    EXPECT_EQ(TestUi().messages.size(), 1);
    EXPECT_EQ(CImportStore(data.connection).Rules().size(), 3) << "the failed save changed nothing";
}
