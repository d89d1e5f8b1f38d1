#include "records/importmapping.h"

#include "data/statementtext.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace {

// An amount under either decimal mark, and not a date (12.03.2026 would
// read as one under the comma).
bool LooksLikeAmount(const QString &text)
{
    const QString t = text.trimmed();
    return (ParseStatementAmount(t, false) || ParseStatementAmount(t, true)) && CandidateDateFormats({t}).isEmpty();
}

bool IsDate(const QString &text)
{
    return !CandidateDateFormats({text.trimmed()}).isEmpty();
}

bool NameHas(const QString &name, std::initializer_list<const char *> words)
{
    const QString n = name.trimmed().toLower();
    for (const char *w : words) {
        if (n.contains(QString::fromUtf8(w)))
            return true;
    }
    return false;
}

} // namespace

QString GuessCsvEncoding(const QByteArray &head)
{
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return QStringLiteral("UTF-16");
    if (head.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("UTF-8");
    QStringDecoder utf8(QStringDecoder::Utf8);
    // A cut in the middle of a character at the end is not an error.
    QByteArray whole = head;
    while (!whole.isEmpty() && (uchar(whole.back()) & 0xC0) == 0x80)
        whole.chop(1);
    if (!whole.isEmpty() && uchar(whole.back()) >= 0xC0)
        whole.chop(1);
    // The decoder works when its result is taken, not before.
    const QString text = utf8.decode(whole);
    return utf8.hasError() ? QStringLiteral("Windows-1252") : QStringLiteral("UTF-8");
}

QString BestDateFormat(const QStringList &dates)
{
    if (const QStringList all = CandidateDateFormats(dates); !all.isEmpty())
        return all.first();
    // A misprinted day (31.04.) must not hide the form all the others take.
    QString best = CsvDateFormats().first();
    qsizetype bestRead = 0;
    for (const QString &format : CsvDateFormats()) {
        const auto read = std::count_if(dates.begin(), dates.end(),
                                        [&format](const QString &d) { return CandidateDateFormats({d}).contains(format); });
        if (read > bestRead) {
            bestRead = read;
            best = format;
        }
    }
    return best;
}

CCsvLayout GuessCsvColumns(const QList<QStringList> &rows, QChar delimiter, const QString &encoding)
{
    CCsvLayout layout;
    layout.delimiter = delimiter;
    layout.encoding = encoding;
    if (rows.isEmpty())
        return layout;

    // Heading lines: everything before the first row that holds a date.
    int first = 0;
    while (first < rows.size() && std::none_of(rows[first].begin(), rows[first].end(), IsDate))
        ++first;
    if (first == rows.size())
        first = 0;
    layout.skipLines = first;
    const QList<QStringList> records = rows.mid(first);
    const QStringList heading = first > 0 ? rows[first - 1] : QStringList();

    for (int i = 0; i < heading.size(); ++i) {
        const QString &name = heading[i];
        auto take = [i](int &column) {
            if (column < 0)
                column = i;
        };
        if (NameHas(name, {"date", "datum", "buchungstag"}))
            take(layout.dateColumn);
        else if (NameHas(name, {"debit", "soll", "withdrawal", "paid out", "ausgang"}))
            take(layout.debitColumn);
        else if (NameHas(name, {"credit", "haben", "deposit", "paid in", "eingang"}))
            take(layout.creditColumn);
        else if (NameHas(name, {"amount", "betrag", "umsatz", "value"}))
            take(layout.amountColumn);
        else if (NameHas(name, {"memo", "reference", "verwendungszweck", "notes"}))
            take(layout.memoColumn);
        else if (NameHas(name, {"description", "payee", "name", "empf", "beschreibung", "details", "text"}))
            take(layout.descriptionColumn);
    }
    if (layout.amountColumn >= 0)
        layout.debitColumn = layout.creditColumn = -1;

    // Columns no heading placed: the first date, the last amount, the
    // longest text.
    const QStringList &sample = records.first();
    const int width = int(sample.size());
    if (layout.dateColumn < 0) {
        for (int i = 0; i < width && layout.dateColumn < 0; ++i) {
            if (IsDate(sample[i]))
                layout.dateColumn = i;
        }
    }
    if (layout.amountColumn < 0 && layout.debitColumn < 0 && layout.creditColumn < 0) {
        for (int i = width - 1; i >= 0 && layout.amountColumn < 0; --i) {
            if (i != layout.dateColumn && LooksLikeAmount(sample[i]))
                layout.amountColumn = i;
        }
    }
    if (layout.descriptionColumn < 0) {
        qsizetype longest = 0;
        for (int i = 0; i < width; ++i) {
            if (i == layout.dateColumn || i == layout.amountColumn || i == layout.memoColumn || LooksLikeAmount(sample[i]))
                continue;
            if (sample[i].trimmed().size() > longest) {
                longest = sample[i].trimmed().size();
                layout.descriptionColumn = i;
            }
        }
    }

    QStringList dates;
    QStringList amounts;
    for (const QStringList &r : records) {
        if (layout.dateColumn >= 0 && layout.dateColumn < r.size() && !r[layout.dateColumn].trimmed().isEmpty())
            dates << r[layout.dateColumn].trimmed();
        for (int c : {layout.amountColumn, layout.debitColumn, layout.creditColumn}) {
            if (c >= 0 && c < r.size() && !r[c].trimmed().isEmpty())
                amounts << r[c].trimmed();
        }
    }
    layout.dateFormat = BestDateFormat(dates);
    // "1.234,56" and "12,50" end in a comma and two digits; "1,234.56" does not.
    static const QRegularExpression commaDecimals(QStringLiteral(R"(,\d{1,2}\D*$)"));
    static const QRegularExpression pointDecimals(QStringLiteral(R"(\.\d{1,2}\D*$)"));
    int comma = 0;
    int point = 0;
    for (const QString &a : amounts) {
        comma += commaDecimals.match(a).hasMatch();
        point += pointDecimals.match(a).hasMatch();
    }
    layout.decimalComma = comma > point;
    return layout;
}

CCsvLayout GuessCsvLayout(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CStatementFileError(QStringLiteral("The file %1 cannot be read.").arg(path));
    const QString encoding = GuessCsvEncoding(file.read(64 * 1024));
    file.close();

    QChar best = QLatin1Char(',');
    QList<QStringList> bestRows;
    int bestScore = -1;
    for (const QChar delimiter : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        CCsvLayout probe;
        probe.delimiter = delimiter;
        probe.encoding = encoding;
        const QList<QStringList> rows = PreviewCsvRows(path, probe, 12);
        if (rows.isEmpty())
            continue;
        // Records after a heading agree on their width; score that width
        // by how many rows share it.
        const qsizetype width = rows.last().size();
        int agreeing = 0;
        for (const QStringList &r : rows)
            agreeing += r.size() == width;
        const int score = width > 1 ? agreeing * int(width) : 0;
        if (score > bestScore) {
            bestScore = score;
            best = delimiter;
            bestRows = rows;
        }
    }
    return GuessCsvColumns(bestRows, best, encoding);
}

QStringList CsvColumnChoices(const QList<QStringList> &rows, int skipLines)
{
    const bool heading = skipLines > 0 && skipLines <= rows.size();
    const QStringList names = heading ? rows[skipLines - 1] : rows.value(skipLines);
    int width = 0;
    for (const QStringList &r : rows)
        width = std::max(width, int(r.size()));
    QStringList choices;
    for (int i = 0; i < width; ++i) {
        QString name = names.value(i).simplified();
        if (name.size() > 24)
            name = name.left(23) + QChar(0x2026);
        choices << (name.isEmpty() ? QString::number(i + 1) : QStringLiteral("%1: %2").arg(i + 1).arg(name));
    }
    return choices;
}
