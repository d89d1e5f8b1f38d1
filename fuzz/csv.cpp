// A bank statement in CSV, read through a layout the input's last bytes
// choose (delimiter, encoding, skipped lines, date format, decimal mark,
// columns): a layout with a problem is refused before the file is read, the
// lines come in file order from lines that exist, a line without an error
// holds a date and a finite amount, and the preview agrees with the reader.
//
// Input: the file; the layout's choices are read from its end.
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "data/csvstatementreader.h"
#include "data/statementtext.h"

#include <cmath>

namespace {

CCsvLayout Layout(FuzzedDataProvider &input)
{
    static const QStringList encodings{QStringLiteral("UTF-8"), QStringLiteral("Windows-1252"),
                                       QStringLiteral("ISO-8859-1"), QStringLiteral("UTF-16"),
                                       QStringLiteral("EBCDIC")};
    static const char delimiters[] = {',', ';', '\t', '|', ' ', '"'};
    CCsvLayout layout;
    const int delimiter = input.ConsumeIntegralInRange<int>(0, sizeof delimiters);
    layout.delimiter = delimiter < int(sizeof delimiters) ? QLatin1Char(delimiters[delimiter])
                                                          : QChar(input.ConsumeIntegral<char16_t>());
    layout.encoding = encodings.at(input.ConsumeIntegralInRange<qsizetype>(0, encodings.size() - 1));
    layout.skipLines = input.ConsumeIntegralInRange(-1, 3);
    const QStringList formats = CsvDateFormats();
    const qsizetype format = input.ConsumeIntegralInRange<qsizetype>(0, formats.size());
    layout.dateFormat = format < formats.size() ? formats.at(format) : QStringLiteral("DD/MM");
    layout.decimalComma = input.ConsumeBool();
    for (int *column : {&layout.dateColumn, &layout.descriptionColumn, &layout.memoColumn, &layout.amountColumn,
                        &layout.debitColumn, &layout.creditColumn})
        *column = input.ConsumeIntegralInRange(-2, 4);
    return layout;
}

bool SameLayout(const CCsvLayout &a, const CCsvLayout &b)
{
    return a.delimiter == b.delimiter && a.encoding == b.encoding && a.skipLines == b.skipLines
        && a.dateFormat == b.dateFormat && a.decimalComma == b.decimalComma && a.dateColumn == b.dateColumn
        && a.descriptionColumn == b.descriptionColumn && a.memoColumn == b.memoColumn
        && a.amountColumn == b.amountColumn && a.debitColumn == b.debitColumn && a.creditColumn == b.creditColumn;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const CCsvLayout layout = Layout(input);
    const double written = input.ConsumeFloatingPointInRange(-1e12, 1e12);
    const QByteArray bytes = FuzzRest(input);

    // An amount as a program writes it reads back under either decimal mark.
    const QString point = QString::number(written, 'f', 2);
    FUZZ_CHECK(ParseStatementAmount(point, false) == point.toDouble());
    FUZZ_CHECK(ParseStatementAmount(QString(point).replace(u'.', u','), true) == point.toDouble());

    // A saved mapping reads back as the same layout; any text is a layout or nothing.
    if (layout.Problem().isEmpty()) {
        const auto back = CCsvLayout::FromText(layout.ToText());
        FUZZ_CHECK(back && SameLayout(*back, layout));
    }
    if (const auto parsed = CCsvLayout::FromText(QString::fromUtf8(bytes)))
        FUZZ_CHECK(CCsvLayout::FromText(parsed->ToText()).has_value());

    const QString path = ScratchFile(bytes, QStringLiteral("statement.csv"));
    std::unique_ptr<IStatementReader> reader;
    try {
        reader = OpenStatement(path, StatementFormat::Csv, layout);
    } catch (const CStatementFileError &e) {
        FUZZ_CHECK(!e.Message().isEmpty());
        return 0;
    }
    FUZZ_CHECK(layout.Problem().isEmpty());

    // Every line break of any kind counts at most one line, so no line can
    // start past this.
    const qint64 lines = bytes.size() + 1;
    qsizetype count = 0;
    bool whole = true;
    try {
        qint64 previous = 0;
        CStatementLine line;
        while (reader->Next(line)) {
            ++count;
            FUZZ_CHECK(line.lineNumber >= previous && line.lineNumber > layout.skipLines && line.lineNumber <= lines);
            previous = line.lineNumber;
            if (line.error.isEmpty())
                FUZZ_CHECK(line.date.isValid() && std::isfinite(line.amount));
        }
    } catch (const CStatementFileError &e) {
        FUZZ_CHECK(!e.Message().isEmpty());
        whole = false;
    }

    // The preview shows the records the reader went through, blank ones too.
    try {
        const QList<QStringList> rows = PreviewCsvRows(path, layout, 4);
        FUZZ_CHECK(rows.size() <= 4);
        if (whole)
            FUZZ_CHECK(rows.size() >= std::min<qsizetype>(count, 4));
    } catch (const CStatementFileError &) {
        FUZZ_CHECK(!whole || count == 0);
    }
    return 0;
}
