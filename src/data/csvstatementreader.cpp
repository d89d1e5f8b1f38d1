#include "data/csvstatementreader.h"

#include "data/statementtext.h"

#include <csv.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kBlockSize = 64 * 1024;

int IsSpaceOnly(unsigned char c)
{
    // Tabs may be the delimiter; fields are trimmed after reading anyway.
    return c == CSV_SPACE;
}

QString FileMessage(const QString &path, const QString &what)
{
    return QStringLiteral("The file \"%1\" %2").arg(path, what);
}

const CCsvLayout &CheckedLayout(const CCsvLayout &layout)
{
    const QString problem = layout.Problem();
    if (!problem.isEmpty())
        throw CStatementFileError(problem);
    return layout;
}

QString OneLine(const QString &text)
{
    // A quoted field may hold line breaks; a description is one line.
    return text.simplified();
}

} // namespace

CCsvRecordReader::CCsvRecordReader(const QString &path, const CCsvLayout &layout)
    : m_path(path), m_file(path), m_skipLines(layout.skipLines), m_parser(std::make_unique<csv_parser>())
{
    if (!m_file.open(QIODevice::ReadOnly))
        throw CStatementFileError(FileMessage(path, QStringLiteral("cannot be opened: %1").arg(m_file.errorString())));
    csv_init(m_parser.get(), 0);
    csv_set_delim(m_parser.get(), static_cast<unsigned char>(layout.delimiter.toLatin1()));
    csv_set_space_func(m_parser.get(), IsSpaceOnly);

    // A byte order mark names the encoding whatever the layout says.
    const QByteArray head = m_file.peek(3);
    if (head.startsWith("\xEF\xBB\xBF")) {
        m_decoder = QStringDecoder(QStringDecoder::Utf8);
    } else if (head.startsWith("\xFF\xFE")) {
        m_decoder = QStringDecoder(QStringDecoder::Utf16LE);
    } else if (head.startsWith("\xFE\xFF")) {
        m_decoder = QStringDecoder(QStringDecoder::Utf16BE);
    } else if (layout.encoding == QLatin1String("UTF-16")) {
        m_decoder = QStringDecoder(QStringDecoder::Utf16);
    } else if (layout.encoding == QLatin1String("ISO-8859-1")) {
        m_decoder = QStringDecoder(QStringDecoder::Latin1);
    } else if (layout.encoding == QLatin1String("Windows-1252")) {
        m_windows1252 = true;
    } else {
        m_decoder = QStringDecoder(QStringDecoder::Utf8);
    }
}

CCsvRecordReader::~CCsvRecordReader()
{
    csv_free(m_parser.get());
}

bool CCsvRecordReader::Next(CCsvRecord &record)
{
    while (m_ready.empty() && !m_atEnd)
        ReadBlock();
    if (m_ready.empty())
        return false;
    record = std::move(m_ready.front());
    m_ready.pop_front();
    return true;
}

void CCsvRecordReader::ReadBlock()
{
    const QByteArray bytes = m_file.read(kBlockSize);
    if (bytes.isEmpty() && !m_file.atEnd())
        throw CStatementFileError(FileMessage(m_path, QStringLiteral("cannot be read: %1").arg(m_file.errorString())));
    QString text = m_windows1252 ? DecodeWindows1252(bytes) : m_decoder.decode(bytes);
    if (!m_started) {
        m_started = true;
        // A BOM the decoder kept (Latin-1 or Windows-1252 reading UTF-8).
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        // Old Mac exports end lines with a carriage return alone.
        if (!text.contains(u'\n') && text.contains(u'\r'))
            m_lineEnd = u'\r';
    }
    if (text.contains(QChar(0)))
        throw CStatementFileError(FileMessage(m_path, QStringLiteral("is not a text file.")));

    m_pendingLine += text;
    qsizetype from = 0;
    for (qsizetype end = m_pendingLine.indexOf(m_lineEnd); end >= 0; end = m_pendingLine.indexOf(m_lineEnd, from)) {
        Feed(QStringView(m_pendingLine).mid(from, end + 1 - from));
        from = end + 1;
    }
    m_pendingLine.remove(0, from);

    if (bytes.isEmpty()) {
        m_atEnd = true;
        if (!m_pendingLine.isEmpty())
            Feed(m_pendingLine);
        m_pendingLine.clear();
        csv_fini(m_parser.get(), OnField, OnRecordEnd, this);
    }
}

void CCsvRecordReader::Feed(QStringView line)
{
    // Lines go to the parser one at a time so that each record knows the
    // line it starts on.
    ++m_lineNumber;
    if (m_lineNumber <= m_skipLines)
        return;
    if (!m_inRecord && !line.trimmed().isEmpty()) {
        m_inRecord = true;
        m_current.lineNumber = m_lineNumber;
    }
    const QByteArray bytes = line.toUtf8();
    if (csv_parse(m_parser.get(), bytes.constData(), static_cast<size_t>(bytes.size()), OnField, OnRecordEnd, this)
        != static_cast<size_t>(bytes.size())) {
        throw CStatementFileError(FileMessage(
            m_path, QStringLiteral("cannot be read at line %1: %2")
                        .arg(m_lineNumber)
                        .arg(QString::fromLatin1(csv_strerror(csv_error(m_parser.get()))))));
    }
}

void CCsvRecordReader::OnField(void *data, size_t length, void *self)
{
    auto *reader = static_cast<CCsvRecordReader *>(self);
    if (!reader->m_inRecord) {
        reader->m_inRecord = true;
        reader->m_current.lineNumber = reader->m_lineNumber;
    }
    reader->m_current.fields.append(QString::fromUtf8(static_cast<const char *>(data), static_cast<qsizetype>(length)));
}

void CCsvRecordReader::OnRecordEnd(int, void *self)
{
    auto *reader = static_cast<CCsvRecordReader *>(self);
    if (!reader->m_inRecord)
        reader->m_current.lineNumber = reader->m_lineNumber;
    reader->m_ready.push_back(std::move(reader->m_current));
    reader->m_current = CCsvRecord();
    reader->m_inRecord = false;
}

CCsvStatementReader::CCsvStatementReader(const QString &path, const CCsvLayout &layout)
    : m_layout(CheckedLayout(layout)), m_records(path, m_layout)
{
}

bool CCsvStatementReader::Next(CStatementLine &line)
{
    CCsvRecord record;
    while (m_records.Next(record)) {
        // Blank records (a trailing ";;;" line) carry nothing to import.
        const bool blank = std::all_of(record.fields.cbegin(), record.fields.cend(),
                                       [](const QString &field) { return field.trimmed().isEmpty(); });
        if (blank)
            continue;
        line = CsvStatementLine(record, m_layout);
        return true;
    }
    return false;
}

CStatementLine CsvStatementLine(const CCsvRecord &record, const CCsvLayout &layout)
{
    CStatementLine line;
    line.lineNumber = record.lineNumber;
    QStringList problems;
    auto field = [&](int column) -> QString {
        if (column < 0)
            return {};
        if (column >= record.fields.size()) {
            problems.append(QStringLiteral("there is no column %1 (the line has %2)")
                                .arg(column + 1)
                                .arg(record.fields.size()));
            return {};
        }
        return record.fields.at(column).trimmed();
    };
    auto amount = [&](const QString &text, const QString &what) -> std::optional<double> {
        const std::optional<double> value = ParseStatementAmount(text, layout.decimalComma);
        if (!value) {
            problems.append(QStringLiteral("the %1 \"%2\" is not an amount with a decimal %3")
                                .arg(what, text, layout.decimalComma ? QStringLiteral("comma") : QStringLiteral("point")));
        }
        return value;
    };

    line.payee = OneLine(field(layout.descriptionColumn));
    line.memo = OneLine(field(layout.memoColumn));
    const QString dateText = field(layout.dateColumn);
    if (problems.isEmpty() && dateText.isEmpty()) {
        problems.append(QStringLiteral("the date is missing"));
    } else if (!dateText.isEmpty()) {
        line.date = ParseStatementDate(dateText, layout.dateFormat);
        if (!line.date.isValid())
            problems.append(QStringLiteral("the date \"%1\" is not a date in %2").arg(dateText, layout.dateFormat));
    }

    if (layout.amountColumn >= 0) {
        const QString text = field(layout.amountColumn);
        if (text.isEmpty() && layout.amountColumn < record.fields.size())
            problems.append(QStringLiteral("the amount is missing"));
        else if (!text.isEmpty())
            line.amount = amount(text, QStringLiteral("amount")).value_or(0.0);
    } else {
        // Debit columns hold money out with or without a minus; credit
        // columns money in.
        const QString debit = field(layout.debitColumn);
        const QString credit = field(layout.creditColumn);
        double total = 0.0;
        if (!debit.isEmpty())
            total -= std::abs(amount(debit, QStringLiteral("debit")).value_or(0.0));
        if (!credit.isEmpty())
            total += std::abs(amount(credit, QStringLiteral("credit")).value_or(0.0));
        if (debit.isEmpty() && credit.isEmpty() && problems.isEmpty())
            problems.append(QStringLiteral("neither the debit nor the credit column holds an amount"));
        line.amount = total;
    }
    if (!problems.isEmpty())
        line.error = QStringLiteral("line %1: %2").arg(line.lineNumber).arg(problems.join(QStringLiteral("; ")));
    return line;
}
