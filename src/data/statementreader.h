#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <stdexcept>

// One money movement read from a bank statement file.
struct CStatementLine {
    // Where the entry starts in the file, counted from 1 (a CSV record, a QIF
    // entry's first line, an OFX transaction's position in the file).
    qint64 lineNumber = 0;
    QDate date;
    // Money in is positive, money out negative. The text is parsed without
    // the desktop locale.
    double amount = 0.0;
    QString payee;
    QString memo;
    // The bank's id of the transaction (OFX FITID); empty elsewhere.
    QString fitId;
    // The category the file names (QIF "L"); empty elsewhere. A hint only.
    QString category;
    // The cheque or reference number (QIF "N", OFX CHECKNUM); may be empty.
    QString number;
    // Not empty when the entry is malformed: why, for the user. The other
    // fields then hold what could be read.
    QString error;

    // The payee and memo as one text, the way the description is stored
    // before it is cut to the column's width.
    QString Description() const;
};

enum class StatementFormat { Csv, Ofx, Qif };

// How a CSV statement is laid out. Columns count from 0; -1 is "not there".
// Either `amountColumn` (one signed column) or `debitColumn` and/or
// `creditColumn` is set.
struct CCsvLayout {
    QChar delimiter = QLatin1Char(',');
    // "UTF-8", "Windows-1252", "ISO-8859-1" or "UTF-16"; a byte order mark in
    // the file wins.
    QString encoding = QStringLiteral("UTF-8");
    // Lines skipped before the first record (the header line among them).
    int skipLines = 0;
    // One of CsvDateFormats(): "MM/DD/YYYY", "DD/MM/YYYY", "YYYY-MM-DD",
    // "DD.MM.YYYY", and the same with a two-digit year ("MM/DD/YY", ...).
    QString dateFormat = QStringLiteral("MM/DD/YYYY");
    bool decimalComma = false;
    int dateColumn = -1;
    int descriptionColumn = -1;
    int memoColumn = -1;
    int amountColumn = -1;
    int debitColumn = -1;
    int creditColumn = -1;

    // Empty when the layout can be read, else why not (for the user).
    QString Problem() const;
    // A one-line text of every field, for a saved mapping; FromText reads it
    // back and gives nothing for a text that is no layout.
    QString ToText() const;
    static std::optional<CCsvLayout> FromText(const QString &text);
};

// The date formats a CSV layout may name.
QStringList CsvDateFormats();
// Of CsvDateFormats(), those that read every one of the texts as a date.
QStringList CandidateDateFormats(const QStringList &dateTexts);

// A file that cannot be read at all: missing, unreadable, not of its format,
// or a reader that died on it. The text is for the user.
class CStatementFileError : public std::runtime_error
{
public:
    explicit CStatementFileError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString Message() const { return m_message; }

private:
    QString m_message;
};

// Reads a statement one line at a time, so a file of any length passes
// through in flat memory.
class IStatementReader
{
public:
    virtual ~IStatementReader() = default;
    // The next line; false at the end. A malformed entry still comes back,
    // with its error set. Throws CStatementFileError when the file cannot be
    // read on.
    virtual bool Next(CStatementLine &line) = 0;
};

// Opens `path` as `format` (the layout only matters for CSV). Throws
// CStatementFileError for a missing or unreadable file. OFX is read in a
// child process, so a crash in the OFX library becomes that error.
std::unique_ptr<IStatementReader> OpenStatement(const QString &path, StatementFormat format,
                                                const CCsvLayout &layout = {});

// The format the file's name and first bytes suggest; nothing when neither
// does.
std::optional<StatementFormat> GuessStatementFormat(const QString &path);

// The first `rows` CSV records after the skipped lines, split into fields,
// for the column mapping's preview. Throws CStatementFileError.
QList<QStringList> PreviewCsvRows(const QString &path, const CCsvLayout &layout, int rows);
