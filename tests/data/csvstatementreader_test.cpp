#include "data/csvstatementreader.h"
#include "data/statementreader.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QStringEncoder>
#include <QTemporaryDir>

namespace {

class CsvStatementTest : public ::testing::Test
{
protected:
    QString Write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("statement.csv"));
        WriteBytes(path, bytes);
        return path;
    }

    static QList<CStatementLine> ReadAll(const QString &path, const CCsvLayout &layout)
    {
        QList<CStatementLine> lines;
        const std::unique_ptr<IStatementReader> reader = OpenStatement(path, StatementFormat::Csv, layout);
        CStatementLine line;
        while (reader->Next(line))
            lines.append(line);
        return lines;
    }

    static CCsvLayout UsLayout()
    {
        CCsvLayout layout;
        layout.skipLines = 1;
        layout.dateColumn = 0;
        layout.descriptionColumn = 1;
        layout.amountColumn = 2;
        return layout;
    }

    QTemporaryDir m_dir;
};

TEST_F(CsvStatementTest, ReadsAnAmericanExportWithQuotedFields)
{
    const QString path = Write("Date,Description,Amount\r\n"
                               "01/05/2026,\"Coffee, Main St\",-4.50\r\n"
                               "01/15/2026,\"Payroll \"\"ACME\"\"\nJanuary\",\"2,500.00\"\r\n"
                               "\r\n"
                               "1/31/2026,Rent,-1200\r\n");
    const QList<CStatementLine> lines = ReadAll(path, UsLayout());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].date, QDate(2026, 1, 5));
    EXPECT_EQ(lines[0].payee, QStringLiteral("Coffee, Main St"));
    EXPECT_EQ(lines[0].amount, -4.5);
    // A line break inside quotes belongs to the field; the next record's
    // line number counts it.
    EXPECT_EQ(lines[1].payee, QStringLiteral("Payroll \"ACME\" January"));
    EXPECT_EQ(lines[1].amount, 2500.0);
    EXPECT_EQ(lines[1].lineNumber, 3);
    EXPECT_EQ(lines[2].lineNumber, 6);
    EXPECT_EQ(lines[2].date, QDate(2026, 1, 31));
    for (const CStatementLine &line : lines)
        EXPECT_EQ(line.error, QString()) << line.lineNumber;

    const QList<CStatementLine> oldMac = ReadAll(Write("Date,Description,Amount\r1/2/2026,Tea,-2\r1/3/2026,Cake,-3\r"), UsLayout());
    ASSERT_EQ(oldMac.size(), 2);
    EXPECT_EQ(oldMac[1].lineNumber, 3);
    EXPECT_EQ(oldMac[1].payee, QStringLiteral("Cake"));
}

TEST_F(CsvStatementTest, ReadsAGermanExportInWindows1252WithDebitAndCredit)
{
    const QString path = Write("Kontoauszug;Girokonto\n"
                               "Buchungstag;Empf\xE4nger;Verwendungszweck;Soll;Haben\n"
                               "02.01.2026;B\xE4" "ckerei M\xFCller;Br\xF6tchen \x80 3;3,20;\n"
                               "05.01.2026;Arbeitgeber GmbH;Gehalt;;2.345,67\n"
                               "06.01.2026;Stra\xDF" "enbahn;Monatskarte;-1.049,00;\n");
    CCsvLayout layout;
    layout.delimiter = u';';
    layout.encoding = QStringLiteral("Windows-1252");
    layout.skipLines = 2;
    layout.dateFormat = QStringLiteral("DD.MM.YYYY");
    layout.decimalComma = true;
    layout.dateColumn = 0;
    layout.descriptionColumn = 1;
    layout.memoColumn = 2;
    layout.debitColumn = 3;
    layout.creditColumn = 4;
    const QList<CStatementLine> lines = ReadAll(path, layout);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].Description(), QStringLiteral("B\u00E4ckerei M\u00FCller - Br\u00F6tchen \u20AC 3"));
    EXPECT_EQ(lines[0].amount, -3.2);
    EXPECT_EQ(lines[0].lineNumber, 3);
    EXPECT_EQ(lines[1].amount, 2345.67);
    EXPECT_EQ(lines[1].date, QDate(2026, 1, 5));
    EXPECT_EQ(lines[2].payee, QStringLiteral("Stra\u00DFenbahn"));
    EXPECT_EQ(lines[2].amount, -1049.0);
}

TEST_F(CsvStatementTest, AByteOrderMarkNamesTheEncoding)
{
    const QString text = QStringLiteral("Date\tPayee\tAmount\n03/01/2026\tCaf\u00E9 \u65E5\u672C\t-2.00\n");
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    CCsvLayout layout = UsLayout();
    layout.delimiter = u'\t';
    layout.encoding = QStringLiteral("ISO-8859-1");
    for (const QByteArray &bytes : {QByteArray("\xFF\xFE") + QByteArray(utf16.encode(text)),
                                    QByteArray("\xEF\xBB\xBF") + text.toUtf8()}) {
        const QList<CStatementLine> lines = ReadAll(Write(bytes), layout);
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines[0].payee, QStringLiteral("Caf\u00E9 \u65E5\u672C"));
        EXPECT_EQ(lines[0].amount, -2.0);
    }
}

TEST_F(CsvStatementTest, MalformedLinesSayWhereAndWhyAndReadingGoesOn)
{
    CCsvLayout layout = UsLayout();
    layout.dateFormat = QStringLiteral("DD/MM/YYYY");
    const QString path = Write("Date,Description,Amount\n"
                               "31/01/2026,Good,1.00\n"
                               "31/02/2026,Bad day,2.00\n"
                               "01/02/2026,Bad amount,2,5\n"
                               "01/02/2026,Short\n"
                               ",No date,3.00\n"
                               "02/02/2026,Good again,4.00\n");
    const QList<CStatementLine> lines = ReadAll(path, layout);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1].error, QStringLiteral("line 3: the date \"31/02/2026\" is not a date in DD/MM/YYYY"));
    // The surplus field shifts nothing: the amount column holds "2".
    EXPECT_EQ(lines[2].error, QString());
    EXPECT_EQ(lines[3].error, QStringLiteral("line 5: there is no column 3 (the line has 2)"));
    EXPECT_EQ(lines[4].error, QStringLiteral("line 6: the date is missing"));
    EXPECT_EQ(lines[5].error, QString());
    EXPECT_EQ(lines[5].amount, 4.0);

    layout.decimalComma = true;
    const QList<CStatementLine> commaLines = ReadAll(path, layout);
    EXPECT_EQ(commaLines[0].error, QStringLiteral("line 2: the amount \"1.00\" is not an amount with a decimal comma"));
}

TEST_F(CsvStatementTest, PreviewShowsTheFirstRecordsEvenBeforeTheLayoutIsComplete)
{
    const QString path = Write("Date;Text;Value\n1.1.2026;\"A;B\";1\n2.1.2026;C;2\n3.1.2026;D;3\n");
    CCsvLayout layout;
    layout.delimiter = u';';
    const QList<QStringList> rows = PreviewCsvRows(path, layout, 2);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("1.1.2026"), QStringLiteral("A;B"), QStringLiteral("1")}));
    EXPECT_THROW(OpenStatement(path, StatementFormat::Csv, layout), CStatementFileError);
}

TEST_F(CsvStatementTest, AFileThatIsNoTextIsRefused)
{
    const QString path = Write(QByteArray("Date,Amount\n\0\0\x01\x02", 16));
    CCsvLayout layout = UsLayout();
    layout.descriptionColumn = -1;
    layout.amountColumn = 1;
    CStatementLine line;
    try {
        OpenStatement(path, StatementFormat::Csv, layout)->Next(line);
        FAIL() << "read as text";
    } catch (const CStatementFileError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("The file \"%1\" is not a text file.").arg(path));
    }
}

} // namespace
