#include "data/qifstatementreader.h"

#include "data/statementtext.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

QString FileMessage(const QString &path, const QString &what)
{
    return QStringLiteral("The file \"%1\" %2").arg(path, what);
}

bool IsStatementType(const QString &header)
{
    const QString type = header.section(u':', 1).trimmed().toLower();
    return type == QLatin1String("bank") || type == QLatin1String("cash") || type == QLatin1String("ccard");
}

} // namespace

QDate ParseQifDate(const QString &text)
{
    const QString compact = QString(text).remove(u' ');
    const QDate iso = ParseStatementDate(compact, QStringLiteral("YYYY-MM-DD"));
    if (iso.isValid())
        return iso;
    // Quicken writes years from 2000 after an apostrophe, some exports with
    // dashes between the parts; European ones put the day first, with dots.
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})([/.-])(\\d{1,2})(['/.-])(\\d{1,4})$"));
    const QRegularExpressionMatch match = pattern.match(compact);
    if (!match.hasMatch())
        return {};
    const QString yearText = match.captured(5);
    int year = yearText.toInt();
    if (yearText.size() == 3)
        return {};
    if (match.captured(4) == QLatin1String("'"))
        year += yearText.size() <= 2 ? 2000 : 0;
    else if (yearText.size() == 2)
        year = ExpandTwoDigitYear(year);
    else if (yearText.size() != 4)
        return {};
    const bool dayFirst = match.captured(2) == QLatin1String(".");
    const int first = match.captured(1).toInt();
    const int second = match.captured(3).toInt();
    return dayFirst ? QDate(year, second, first) : QDate(year, first, second);
}

std::optional<double> ParseQifAmount(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype comma = trimmed.lastIndexOf(u',');
    const bool decimalComma = comma >= 0 && trimmed.lastIndexOf(u'.') < comma
                              && (trimmed.size() - comma - 1 == 1 || trimmed.size() - comma - 1 == 2);
    return ParseStatementAmount(trimmed, decimalComma);
}

CQifStatementReader::CQifStatementReader(const QString &path) : m_path(path), m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        throw CStatementFileError(FileMessage(path, QStringLiteral("cannot be opened: %1").arg(m_file.errorString())));
    QByteArray head = m_file.peek(256);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    if (!head.trimmed().startsWith('!'))
        throw CStatementFileError(FileMessage(path, QStringLiteral("is not a QIF file: it does not start with a \"!Type\" line.")));
}

bool CQifStatementReader::ReadLine(QString &text)
{
    if (m_file.atEnd())
        return false;
    QByteArray bytes = m_file.readLine();
    if (bytes.isEmpty() && !m_file.atEnd())
        throw CStatementFileError(FileMessage(m_path, QStringLiteral("cannot be read: %1").arg(m_file.errorString())));
    ++m_lineNumber;
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    if (m_lineNumber == 1 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    text = utf8.decode(bytes);
    if (utf8.hasError())
        text = DecodeWindows1252(bytes);
    return true;
}

bool CQifStatementReader::Next(CStatementLine &line)
{
    line = CStatementLine();
    QString text;
    QString dateText;
    QString amountText;
    bool open = false;
    while (ReadLine(text)) {
        if (text.trimmed().isEmpty())
            continue;
        if (text.startsWith(u'!')) {
            // "!Option:..." and "!Clear:..." only set switches.
            if (text.startsWith(QLatin1String("!Type:"), Qt::CaseInsensitive)) {
                m_inAccount = IsStatementType(text);
                m_sawAccount = m_sawAccount || m_inAccount;
            } else if (text.startsWith(QLatin1String("!Account"), Qt::CaseInsensitive)) {
                m_inAccount = false;
            }
            // A header ends an entry that lacks its "^".
            if (open)
                break;
            continue;
        }
        if (!m_inAccount)
            continue;
        if (!open) {
            open = true;
            line.lineNumber = m_lineNumber;
        }
        const QChar code = text.front().toUpper();
        const QString value = text.mid(1).trimmed();
        if (code == u'^')
            break;
        if (code == u'D')
            dateText = value;
        else if (code == u'T' || (code == u'U' && amountText.isEmpty()))
            amountText = value;
        else if (code == u'P')
            line.payee = value;
        else if (code == u'M')
            line.memo = value;
        else if (code == u'L')
            line.category = value;
        else if (code == u'N')
            line.number = value;
    }
    if (!open) {
        if (!m_sawAccount)
            throw CStatementFileError(FileMessage(m_path, QStringLiteral("holds no bank, cash or credit-card account.")));
        return false;
    }

    QStringList problems;
    line.date = ParseQifDate(dateText);
    if (dateText.isEmpty())
        problems.append(QStringLiteral("the date is missing"));
    else if (!line.date.isValid())
        problems.append(QStringLiteral("the date \"%1\" is not a date").arg(dateText));
    if (amountText.isEmpty()) {
        problems.append(QStringLiteral("the amount is missing"));
    } else if (const std::optional<double> amount = ParseQifAmount(amountText)) {
        line.amount = *amount;
    } else {
        problems.append(QStringLiteral("the amount \"%1\" is not an amount").arg(amountText));
    }
    if (!problems.isEmpty())
        line.error = QStringLiteral("line %1: %2").arg(line.lineNumber).arg(problems.join(QStringLiteral("; ")));
    return true;
}
