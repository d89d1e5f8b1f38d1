#include "data/ofxstatementreader.h"
#include "data/qifstatementreader.h"
#include "data/statementreader.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

class StatementFileTest : public ::testing::Test
{
protected:
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        WriteBytes(path, bytes);
        return path;
    }

    static QList<CStatementLine> ReadAll(IStatementReader &reader)
    {
        QList<CStatementLine> lines;
        CStatementLine line;
        while (reader.Next(line))
            lines.append(line);
        return lines;
    }

    static QString FailureOf(IStatementReader &reader)
    {
        try {
            ReadAll(reader);
        } catch (const CStatementFileError &error) {
            return error.Message();
        }
        return QStringLiteral("<read to the end>");
    }

    QTemporaryDir m_dir;
};

TEST_F(StatementFileTest, ReadsQifBankEntriesWithTheirDateForms)
{
    const QString path = Write(QStringLiteral("export.qif"),
                               "!Type:Bank\n"
                               "D1/31'26\nT-4.50\nPCoffee\nMLatte\nLFood:Dining\nN101\n^\n"
                               "D 1/ 5'26\nU1,234.56\nPSalary\n^\n"
                               "D01/31/2026\nT-12,50\nPB\xE4" "ckerei\n^\n"
                               "!Type:Invst\nD2/1'26\nNBuy\nT100.00\n^\n"
                               "!Type:CCard\nD02/30/2026\nTabc\nPBroken\n^\n"
                               "D2/3/26\nT-9.99\n^\n"
                               "D03.02.2026\nT-1.234,50\n^\n");
    const std::unique_ptr<IStatementReader> reader = OpenStatement(path, StatementFormat::Qif);
    const QList<CStatementLine> lines = ReadAll(*reader);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0].date, QDate(2026, 1, 31));
    EXPECT_EQ(lines[0].amount, -4.5);
    EXPECT_EQ(lines[0].Description(), QStringLiteral("Coffee - Latte"));
    EXPECT_EQ(lines[0].category, QStringLiteral("Food:Dining"));
    EXPECT_EQ(lines[0].number, QStringLiteral("101"));
    EXPECT_EQ(lines[1].date, QDate(2026, 1, 5));
    EXPECT_EQ(lines[1].amount, 1234.56);
    EXPECT_EQ(lines[2].date, QDate(2026, 1, 31));
    EXPECT_EQ(lines[2].amount, -12.5);
    EXPECT_EQ(lines[2].payee, QStringLiteral("B\u00E4ckerei"));
    EXPECT_EQ(lines[3].lineNumber, 23);
    EXPECT_EQ(lines[3].error,
              QStringLiteral("line 23: the date \"02/30/2026\" is not a date; the amount \"abc\" is not an amount"));
    EXPECT_EQ(lines[4].date, QDate(2026, 2, 3));
    EXPECT_EQ(lines[4].error, QString());
    EXPECT_EQ(lines[5].date, QDate(2026, 2, 3));
    EXPECT_EQ(lines[5].amount, -1234.5);
}

TEST_F(StatementFileTest, QifWithoutABankAccountIsRefused)
{
    const QString path = Write(QStringLiteral("memorized.qif"), "!Type:Memorized\nPRent\nT-100\n^\n");
    const std::unique_ptr<IStatementReader> reader = OpenStatement(path, StatementFormat::Qif);
    EXPECT_EQ(FailureOf(*reader),
              QStringLiteral("The file \"%1\" holds no bank, cash or credit-card account.").arg(path));
    EXPECT_THROW(OpenStatement(Write(QStringLiteral("a.qif"), "Date,Amount\n"), StatementFormat::Qif),
                 CStatementFileError);
}

TEST_F(StatementFileTest, ReadsOfxInBothFormsAndKeepsTheBanksIds)
{
    const QString sgml = Write(
        QStringLiteral("sgml.ofx"),
        "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\nCHARSET:1252\r\n"
        "COMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n<OFX>\r\n"
        "<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS><DTSERVER>20260131<LANGUAGE>ENG</SONRS>"
        "</SIGNONMSGSRSV1>\r\n<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\r\n"
        "<STMTRS><CURDEF>USD<BANKACCTFROM><BANKID>1<ACCTID>2<ACCTTYPE>CHECKING</BANKACCTFROM>\r\n"
        "<BANKTRANLIST><DTSTART>20260101<DTEND>20260131\r\n"
        "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260105<TRNAMT>-4.50<FITID>A1<NAME>Coffee Shop<MEMO>Latte</STMTTRN>\r\n"
        "<STMTTRN><TRNTYPE>CHECK<DTPOSTED>20260120230000[-5:EST]<TRNAMT>-100<FITID>A3<CHECKNUM>1001"
        "<NAME>Rent &amp; co</STMTTRN>\r\n"
        "</BANKTRANLIST><LEDGERBAL><BALAMT>1<DTASOF>20260131</LEDGERBAL></STMTRS></STMTTRNRS></BANKMSGSRSV1>"
        "</OFX>\r\n");
    const QString xml = Write(
        QStringLiteral("xml.qfx"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<?OFX OFXHEADER=\"200\" VERSION=\"211\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\n"
        "<OFX><SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>"
        "<DTSERVER>20260131</DTSERVER><LANGUAGE>ENG</LANGUAGE></SONRS></SIGNONMSGSRSV1>\n"
        "<CREDITCARDMSGSRSV1><CCSTMTTRNRS><TRNUID>1</TRNUID><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY>"
        "</STATUS>\n<CCSTMTRS><CURDEF>EUR</CURDEF><CCACCTFROM><ACCTID>9</ACCTID></CCACCTFROM>\n"
        "<BANKTRANLIST><DTSTART>20260101</DTSTART><DTEND>20260228</DTEND>\n"
        "<STMTTRN><TRNTYPE>DEBIT</TRNTYPE><DTPOSTED>20260203</DTPOSTED><TRNAMT>-12.34</TRNAMT>"
        "<FITID>X-1</FITID><NAME>B\xC3\xA4" "ckerei</NAME><MEMO>Br\xC3\xB6tchen</MEMO></STMTTRN>\n"
        "<STMTTRN><TRNTYPE>CREDIT</TRNTYPE><DTPOSTED>20260210000000.000[+1:CET]</DTPOSTED>"
        "<TRNAMT>50.00</TRNAMT><FITID>X-2</FITID><NAME>Refund</NAME></STMTTRN>\n"
        "</BANKTRANLIST><LEDGERBAL><BALAMT>0</BALAMT><DTASOF>20260228</DTASOF></LEDGERBAL></CCSTMTRS>"
        "</CCSTMTTRNRS></CREDITCARDMSGSRSV1></OFX>\n");
    ASSERT_EQ(GuessStatementFormat(sgml), StatementFormat::Ofx);
    ASSERT_EQ(GuessStatementFormat(xml), StatementFormat::Ofx);

    const QList<CStatementLine> first = ReadAll(*OpenStatement(sgml, StatementFormat::Ofx));
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0].fitId, QStringLiteral("A1"));
    EXPECT_EQ(first[0].date, QDate(2026, 1, 5));
    EXPECT_EQ(first[0].amount, -4.5);
    EXPECT_EQ(first[0].Description(), QStringLiteral("Coffee Shop - Latte"));
    EXPECT_EQ(first[0].lineNumber, 16);
    // The day the bank posted it, whatever the reader's time zone.
    EXPECT_EQ(first[1].date, QDate(2026, 1, 20));
    EXPECT_EQ(first[1].payee, QStringLiteral("Rent & co"));
    EXPECT_EQ(first[1].number, QStringLiteral("1001"));

    const QList<CStatementLine> second = ReadAll(*OpenStatement(xml, StatementFormat::Ofx));
    ASSERT_EQ(second.size(), 2);
    EXPECT_EQ(second[0].fitId, QStringLiteral("X-1"));
    EXPECT_EQ(second[0].Description(), QStringLiteral("B\u00E4ckerei - Br\u00F6tchen"));
    EXPECT_EQ(second[1].fitId, QStringLiteral("X-2"));
    EXPECT_EQ(second[1].date, QDate(2026, 2, 10));
    EXPECT_EQ(second[1].amount, 50.0);
    for (const CStatementLine &line : first + second)
        EXPECT_EQ(line.error, QString());
}

TEST_F(StatementFileTest, AFailingOfxReaderBecomesAMessage)
{
    const QString helper = QStringLiteral(TWK_BROKEN_OFXREAD);
    const QString crash = Write(QStringLiteral("crash.ofx"), "crash");
    COfxStatementReader crashing(crash, helper);
    CStatementLine line;
    ASSERT_TRUE(crashing.Next(line));
    EXPECT_EQ(line.fitId, QStringLiteral("F1"));
    EXPECT_EQ(FailureOf(crashing),
              QStringLiteral("The OFX file \"%1\" could not be read: its reader crashed on it. The file may be "
                             "damaged.").arg(crash));

    COfxStatementReader stopping(Write(QStringLiteral("stop.ofx"), "stop"), helper);
    EXPECT_TRUE(FailureOf(stopping).endsWith(QStringLiteral("its reader stopped before the end (exit code 5).")));

    COfxStatementReader hanging(Write(QStringLiteral("hang.ofx"), "hang"), helper, 300);
    EXPECT_TRUE(FailureOf(hanging).endsWith(QStringLiteral("gave no answer for 0.3 seconds and was stopped.")));

    const QString missing = m_dir.filePath(QStringLiteral("no-such-helper"));
    EXPECT_THROW(COfxStatementReader(crash, missing), CStatementFileError);

    const QString notOfx = Write(QStringLiteral("notes.ofx"), "just some notes\n");
    EXPECT_EQ(FailureOf(*OpenStatement(notOfx, StatementFormat::Ofx)),
              QStringLiteral("The OFX file \"%1\" is not an OFX or QFX file: it holds no statement.").arg(notOfx));
}

TEST_F(StatementFileTest, MissingFilesAndUnknownKindsAreToldApart)
{
    const QString missing = m_dir.filePath(QStringLiteral("gone.csv"));
    try {
        OpenStatement(missing, StatementFormat::Csv);
        FAIL() << "opened a missing file";
    } catch (const CStatementFileError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("The file \"%1\" does not exist.").arg(missing));
    }
    EXPECT_THROW(OpenStatement(m_dir.path(), StatementFormat::Qif), CStatementFileError);
    // What the file holds wins over its name.
    EXPECT_EQ(GuessStatementFormat(Write(QStringLiteral("bank.csv"), "!Type:Bank\n")), StatementFormat::Qif);
    EXPECT_EQ(GuessStatementFormat(Write(QStringLiteral("bank.txt"), "a,b\n")), StatementFormat::Csv);
    EXPECT_EQ(GuessStatementFormat(Write(QStringLiteral("bank.pdf"), "%PDF-1.4\n")), std::nullopt);
}

} // namespace
