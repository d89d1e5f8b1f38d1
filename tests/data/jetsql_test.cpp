#include "data/jetsql.h"

#include "data/dbrecordset.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

TEST(ParseJetDate, ReadsMonthFirstTextsInTheirStoredAndShortForms)
{
    EXPECT_EQ(ParseJetDate(u"12/05/2026"), QDate(2026, 12, 5));
    EXPECT_EQ(ParseJetDate(u"12/ 05/ 26"), QDate(2026, 12, 5));
    EXPECT_EQ(ParseJetDate(u"1/5/2020"), QDate(2020, 1, 5));
    EXPECT_EQ(ParseJetDate(u" 01-05-2020 "), QDate(2020, 1, 5));
    EXPECT_EQ(ParseJetDate(u"2020-01-05"), QDate(2020, 1, 5));
    EXPECT_EQ(ParseJetDate(u"12/31/99"), QDate(1999, 12, 31));
    EXPECT_EQ(ParseJetDate(u"01/01/29"), QDate(2029, 1, 1));
    EXPECT_EQ(ParseJetDate(u"01/01/30"), QDate(1930, 1, 1));
    EXPECT_EQ(ParseJetDate(u"12/05/2026 10:30:00"), QDate(2026, 12, 5));
    EXPECT_EQ(ParseJetDate(u"02/29/2024"), QDate(2024, 2, 29));
    EXPECT_EQ(ParseJetDate(u"02/29/2000"), QDate(2000, 2, 29));
}

TEST(ParseJetDate, GivesNothingForTextThatIsNotADate)
{
    for (const char16_t *bad : {u"", u"  ", u"hello", u"13/01/2020", u"00/10/2020", u"10/00/2020", u"12/05",
                                u"12/05/2026x", u"12/05-2026", u"12//2026", u"1/1/123", u"999999/1/2020",
                                u"31/12/2020", u"x'); DROP TABLE t;--", u"02/29/2023", u"02/29/1900", u"04/31/2020"}) {
        EXPECT_FALSE(ParseJetDate(bad)) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(JetDateDiff, CountsTheIntervalsTheQueriesUse)
{
    const QDate jan31(2020, 1, 31), mar1(2020, 3, 1), dec31(2019, 12, 31), jan1(2020, 1, 1);
    EXPECT_EQ(JetDateDiff(u"y", jan31, mar1), 30); // through the leap day
    EXPECT_EQ(JetDateDiff(u"d", mar1, jan31), -30);
    EXPECT_EQ(JetDateDiff(u"y", dec31, jan1), 1);
    EXPECT_EQ(JetDateDiff(u"yyyy", dec31, jan1), 1);
    EXPECT_EQ(JetDateDiff(u"m", jan31, mar1), 2);
    EXPECT_FALSE(JetDateDiff(u"fortnight", jan1, jan1));
    EXPECT_EQ(JetDatePart(u"yyyy", mar1), 2020);
    EXPECT_EQ(JetDatePart(u"m", mar1), 3);
    EXPECT_FALSE(JetDatePart(u"zz", mar1));
}

TEST(RewriteDateComparisons, TurnsLiteralsIntoIsoTextAndLeavesStringsAndOtherCallsAlone)
{
    const QString inLiteral = QStringLiteral("INSERT INTO t VALUES ('datevalue(cTransactionDate) datevalue(''01/01/2020'')')");
    EXPECT_EQ(RewriteDateComparisons(inLiteral), inLiteral);
    const QString other = QStringLiteral("SELECT datevalue(cDescription), xdatevalue('01/01/2020'), t.datevalue('1/1/2020')");
    EXPECT_EQ(RewriteDateComparisons(other), other);
    EXPECT_EQ(RewriteDateComparisons(QStringLiteral("x < DATEVALUE( '12/ 05/ 26' ) or y=datevalue('nonsense')")),
              QStringLiteral("x < '2026-12-05' or y=NULL"));
    EXPECT_EQ(RewriteDateComparisons(QStringLiteral("datevalue(cPaymentDate)")),
              IndexedDateExpression(QStringLiteral("cPaymentDate")));
}

class DateSql : public ::testing::Test
{
protected:
    void Insert(const QString &date, double amount) { db.AddTransaction("U", date, "Rent", amount, {}, 2); }
    double Sum(const char *where)
    {
        CDbRecordset rs(db.Connection());
        rs.Open("SELECT SUM(cTransactionAmount) AS s, COUNT(*) AS n FROM LB_TRANSACTION_INFO_TB WHERE %s",
                QString::fromLatin1(where));
        return rs.GetDouble(QStringLiteral("s"));
    }
    CTestDatabase db;
};

TEST_F(DateSql, RangeQueriesMatchAcrossYearEndsLeapDaysAndMonthEnds)
{
    Insert(QStringLiteral("12/31/2019"), 1);
    Insert(QStringLiteral("01/01/2020"), 2);
    Insert(QStringLiteral("02/29/2020"), 4);
    Insert(QStringLiteral("03/01/2020"), 8);
    Insert(QStringLiteral("12/31/2020"), 16);
    Insert(QStringLiteral("01/01/2021"), 32);
    EXPECT_EQ(Sum("datevalue(cTransactionDate) between datevalue('01/01/2020') AND datevalue('12/31/2020')"), 30);
    EXPECT_EQ(Sum("datevalue(cTransactionDate)>=datevalue('02/29/2020') and datevalue(cTransactionDate)<=datevalue('03/01/2020')"), 12);
    EXPECT_EQ(Sum("DateValue(cTransactionDate) <= DateValue('12/31/2019')"), 1);
    EXPECT_EQ(Sum("datepart('m',datevalue(cTransactionDate))=2 AND datepart('yyyy',datevalue(cTransactionDate))=2020"), 4);
    // Text order of the stored form would put 12/31/2019 after 01/01/2021.
    EXPECT_EQ(Sum("datevalue(cTransactionDate) > datevalue('06/01/2020')"), 48);
}

TEST_F(DateSql, IndexedFormAgreesWithTheFunctionOnEveryStoredText)
{
    // Impossible days of the stored form, a year the function refuses, and
    // texts of other forms that the function still reads.
    const QStringList dates = {"01/01/2020", "02/29/2020", "12/31/2020", "02/31/2020", "13/01/2020", "00/10/2020",
                               "02/29/2021", "04/31/2020", "06/00/2020", "01/01/0099", "x", "1/2/2020", "3-4-2020",
                               "05/06/2020 10:30", ""};
    auto agree = [&](double expectedYear) {
        for (const QString &range : {QStringLiteral("'01/01/2020') AND datevalue('12/31/2020')"),
                                     QStringLiteral("'01/01/1900') AND datevalue('12/31/2999')")}) {
            // The concatenation stops the rewrite, so the registered function runs.
            const QString rewritten = QStringLiteral("datevalue(cTransactionDate) between datevalue(") + range;
            const QString plain = QStringLiteral("datevalue(cTransactionDate||'') between datevalue(") + range;
            EXPECT_EQ(Sum(rewritten.toLatin1().constData()), Sum(plain.toLatin1().constData())) << range.toStdString();
        }
        EXPECT_EQ(Sum("datevalue(cTransactionDate) between datevalue('01/01/2020') AND datevalue('12/31/2020')"),
                  expectedYear);
    };
    for (int i = 0; i < 10; ++i)
        Insert(dates[i], 1 << i);
    agree(1 + 2 + 4);
    for (int i = 10; i < dates.size(); ++i)
        Insert(dates[i], 1 << i);
    agree(1 + 2 + 4 + (1 << 11) + (1 << 12) + (1 << 13));
    // A date text with a NUL in it, as only a hand-edited file holds.
    Insert(QStringLiteral("06/15/2020"), 1 << 15);
    db.Exec(QStringLiteral("UPDATE LB_TRANSACTION_INFO_TB SET cTransactionDate = cTransactionDate || char(0) || 'x' "
                           "WHERE cTransactionAmount = 32768"));
    agree(1 + 2 + 4 + (1 << 11) + (1 << 12) + (1 << 13) + (1 << 15));
}

TEST_F(DateSql, PeriodQueriesReadTheDateIndexWhileEveryDateHasTheStoredForm)
{
    Insert(QStringLiteral("06/15/2020"), 1);
    auto plan = [&] {
        CDbRecordset rs(db.Connection());
        rs.Open("EXPLAIN QUERY PLAN SELECT cTransactionName,sum(cTransactionAmount) FROM LB_TRANSACTION_INFO_TB "
                "WHERE datevalue(cTransactionDate) between datevalue('01/01/2020') AND datevalue('12/31/2020') "
                "GROUP BY cTransactionName");
        QStringList details;
        for (; !rs.IsEOF(); rs.MoveNext())
            details << rs.GetString(QStringLiteral("detail"));
        return details.join(u'|');
    };
    const QString search = QStringLiteral("USING COVERING INDEX IX_TRANSACTION_REPORT (<expr>>? AND <expr><?)");
    EXPECT_TRUE(plan().contains(search)) << plan().toStdString();
    // A date of another form is found only by the function, row by row.
    Insert(QStringLiteral("6/16/2020"), 2);
    EXPECT_FALSE(plan().contains(search)) << plan().toStdString();
}

TEST_F(DateSql, ReminderWindowUsesDayDifferences)
{
    db.Exec(QStringLiteral("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                           "iPaymentReminderDays,bAutoDelete) VALUES ('Rent',10,'12/10/2026',5,1)"));
    const auto due = [this](const QString &today) {
        CDbRecordset rs(db.Connection());
        rs.Open("SELECT * FROM LB_PAYMENT_REMINDER_INFO_TB WHERE DateDiff('y',datevalue('%s'),DateValue(cPaymentDate))>=0 "
                "AND DateDiff('y',datevalue('%s'),DateValue(cPaymentDate))<=iPaymentReminderDays",
                today, today);
        return rs.GetRecordCount();
    };
    EXPECT_EQ(due(QStringLiteral("12/05/2026")), 1);
    EXPECT_EQ(due(QStringLiteral("12/ 04/ 26")), 0);
}

TEST_F(DateSql, LCaseLowersEveryLanguageButEqualityKeepsCase)
{
    CDbRecordset ins(db.Connection());
    ins.Open("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) VALUES ('%s','%s',%d)",
             QStringLiteral("Rent"), QStringLiteral("ÄRGER Über Straße ΣΟΦΙΑ"), 2);
    CDbRecordset ins2(db.Connection());
    ins2.Open("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) VALUES ('%s','%s',%d)",
              QStringLiteral("rent"), QString(), 2);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT LCASE(cTransactionDescription) FROM LB_ITEM_MASTER_INFO_TB WHERE iTransactionId=1")),
              QStringLiteral("ärger über straße σοφια"));
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB"),
                       QStringLiteral("(LCASE(cTransactionDescription)) LIKE '%über%'")),
              1);
    EXPECT_EQ(db.Count(QStringLiteral("LB_ITEM_MASTER_INFO_TB"), QStringLiteral("cTransactionName='Rent'")), 1);
}

TEST_F(DateSql, AmountCentsRoundsAsTheProgramDoesAndItsSumsAreExact)
{
    for (double amount : {0.125, 1.005, 2.675})
        Insert(QStringLiteral("01/01/2020"), amount);
    for (int i = 0; i < 20; ++i)
        Insert(QStringLiteral("01/02/2020"), 1.005);
    CDbRecordset rs(db.Connection());
    ASSERT_TRUE(rs.Open("SELECT AmountCents(1.005) AS a, AmountCents(2.675) AS b, AmountCents(-0.125) AS c, "
                        "AmountCents(3) AS d, AmountCents('2.675') AS e, AmountCents(NULL) IS NULL AS f, "
                        "AmountCents('x') AS g"));
    EXPECT_EQ(rs.GetLong(QStringLiteral("a")), 101);
    EXPECT_EQ(rs.GetLong(QStringLiteral("b")), 268);
    EXPECT_EQ(rs.GetLong(QStringLiteral("c")), -13);
    EXPECT_EQ(rs.GetLong(QStringLiteral("d")), 300);
    EXPECT_EQ(rs.GetLong(QStringLiteral("e")), 268);
    EXPECT_EQ(rs.GetLong(QStringLiteral("f")), 1);
    EXPECT_EQ(rs.GetLong(QStringLiteral("g")), 0);
    rs.Close();
    // Each amount at its cent before the sum: 0.13 + 1.01 + 2.68, and twenty
    // times 1.01, where the plain sum gives 20.10.
    ASSERT_TRUE(rs.Open("SELECT cTransactionDate, sum(AmountCents(cTransactionAmount)) AS c FROM LB_TRANSACTION_INFO_TB "
                        "GROUP BY cTransactionDate ORDER BY cTransactionDate"));
    EXPECT_EQ(rs.GetLong(QStringLiteral("c")), 382);
    rs.MoveNext();
    EXPECT_EQ(rs.GetLong(QStringLiteral("c")), 2020);
}
