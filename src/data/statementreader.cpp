#include "data/statementreader.h"

#include "data/csvstatementreader.h"
#include "data/ofxstatementreader.h"
#include "data/qifstatementreader.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QStringList &CsvEncodings()
{
    static const QStringList encodings = {QStringLiteral("UTF-8"), QStringLiteral("Windows-1252"),
                                          QStringLiteral("ISO-8859-1"), QStringLiteral("UTF-16")};
    return encodings;
}

// The layout's columns by the names a saved mapping uses.
struct ColumnField {
    const char *name;
    int CCsvLayout::*column;
};
constexpr ColumnField kColumns[] = {
    {"date", &CCsvLayout::dateColumn},     {"description", &CCsvLayout::descriptionColumn},
    {"memo", &CCsvLayout::memoColumn},     {"amount", &CCsvLayout::amountColumn},
    {"debit", &CCsvLayout::debitColumn},   {"credit", &CCsvLayout::creditColumn},
};

} // namespace

QString CStatementLine::Description() const
{
    const QString name = payee.trimmed();
    const QString note = memo.trimmed();
    if (note.isEmpty() || note == name)
        return name;
    // Banks often repeat the payee at the start of the memo.
    if (name.isEmpty() || note.startsWith(name, Qt::CaseInsensitive))
        return note;
    return name + QStringLiteral(" - ") + note;
}

QString CCsvLayout::Problem() const
{
    const ushort delimiterCode = delimiter.unicode();
    if (delimiterCode == 0 || delimiterCode > 0x7E || delimiter == u'"' || delimiter == u'\n' || delimiter == u'\r')
        return QStringLiteral("The delimiter must be a plain character other than a quote.");
    if (!CsvEncodings().contains(encoding))
        return QStringLiteral("The encoding \"%1\" is not one of %2.").arg(encoding, CsvEncodings().join(QStringLiteral(", ")));
    if (skipLines < 0)
        return QStringLiteral("The lines to skip cannot be fewer than none.");
    if (!CsvDateFormats().contains(dateFormat))
        return QStringLiteral("The date format \"%1\" is not one of %2.")
            .arg(dateFormat, CsvDateFormats().join(QStringLiteral(", ")));
    if (dateColumn < 0)
        return QStringLiteral("Choose the column that holds the date.");
    const bool split = debitColumn >= 0 || creditColumn >= 0;
    if (amountColumn >= 0 && split)
        return QStringLiteral("Choose either one amount column or debit and credit columns, not both.");
    if (amountColumn < 0 && !split)
        return QStringLiteral("Choose the column that holds the amount, or the debit and credit columns.");
    QList<int> used;
    for (const ColumnField &field : kColumns) {
        const int column = this->*field.column;
        if (column < -1)
            return QStringLiteral("The %1 column is not a column of the file.").arg(QLatin1String(field.name));
        if (column >= 0 && used.contains(column))
            return QStringLiteral("Column %1 is chosen twice.").arg(column + 1);
        used.append(column);
    }
    return {};
}

QString CCsvLayout::ToText() const
{
    QJsonObject object{{QStringLiteral("delimiter"), QString(delimiter)},
                       {QStringLiteral("encoding"), encoding},
                       {QStringLiteral("skip"), skipLines},
                       {QStringLiteral("dateFormat"), dateFormat},
                       {QStringLiteral("decimalComma"), decimalComma}};
    for (const ColumnField &field : kColumns)
        object.insert(QLatin1String(field.name), this->*field.column);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<CCsvLayout> CCsvLayout::FromText(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue delimiterValue = object.value(QStringLiteral("delimiter"));
    const QJsonValue encodingValue = object.value(QStringLiteral("encoding"));
    const QJsonValue skipValue = object.value(QStringLiteral("skip"));
    const QJsonValue formatValue = object.value(QStringLiteral("dateFormat"));
    const QJsonValue commaValue = object.value(QStringLiteral("decimalComma"));
    if (!delimiterValue.isString() || delimiterValue.toString().size() != 1 || !encodingValue.isString()
        || !skipValue.isDouble() || !formatValue.isString() || !commaValue.isBool())
        return std::nullopt;
    CCsvLayout layout;
    layout.delimiter = delimiterValue.toString().front();
    layout.encoding = encodingValue.toString();
    layout.skipLines = skipValue.toInt();
    layout.dateFormat = formatValue.toString();
    layout.decimalComma = commaValue.toBool();
    for (const ColumnField &field : kColumns) {
        const QJsonValue value = object.value(QLatin1String(field.name));
        if (!value.isDouble())
            return std::nullopt;
        layout.*field.column = value.toInt();
    }
    return layout;
}

std::unique_ptr<IStatementReader> OpenStatement(const QString &path, StatementFormat format, const CCsvLayout &layout)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw CStatementFileError(QStringLiteral("The file \"%1\" does not exist.").arg(path));
    if (!info.isFile())
        throw CStatementFileError(QStringLiteral("\"%1\" is not a file.").arg(path));
    switch (format) {
    case StatementFormat::Csv:
        return std::make_unique<CCsvStatementReader>(path, layout);
    case StatementFormat::Qif:
        return std::make_unique<CQifStatementReader>(path);
    case StatementFormat::Ofx:
        return std::make_unique<COfxStatementReader>(path);
    }
    throw CStatementFileError(QStringLiteral("The file \"%1\" is of no known format.").arg(path));
}

std::optional<StatementFormat> GuessStatementFormat(const QString &path)
{
    // What the file holds wins over its name.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray head = file.read(4096);
        if (head.startsWith("\xEF\xBB\xBF"))
            head.remove(0, 3);
        const QByteArray start = head.trimmed().left(64).toUpper();
        if (start.startsWith("OFXHEADER") || head.toUpper().contains("<OFX>"))
            return StatementFormat::Ofx;
        if (start.startsWith("!TYPE:") || start.startsWith("!ACCOUNT") || start.startsWith("!OPTION"))
            return StatementFormat::Qif;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("ofx") || suffix == QLatin1String("qfx"))
        return StatementFormat::Ofx;
    if (suffix == QLatin1String("qif"))
        return StatementFormat::Qif;
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt") || suffix == QLatin1String("tsv"))
        return StatementFormat::Csv;
    return std::nullopt;
}

QList<QStringList> PreviewCsvRows(const QString &path, const CCsvLayout &layout, int rows)
{
    if (!QFileInfo(path).isFile())
        throw CStatementFileError(QStringLiteral("The file \"%1\" does not exist.").arg(path));
    // The preview serves while the mapping is still being chosen: only what
    // the records need must be sound.
    CCsvLayout readable = layout;
    if (readable.delimiter.unicode() == 0 || readable.delimiter.unicode() > 0x7E || readable.delimiter == u'"')
        readable.delimiter = u',';
    readable.skipLines = std::max(0, readable.skipLines);
    CCsvRecordReader reader(path, readable);
    QList<QStringList> preview;
    CCsvRecord record;
    while (preview.size() < rows && reader.Next(record))
        preview.append(record.fields);
    return preview;
}
