#include "data/statementtext.h"

#include "data/statementreader.h"

#include <QStringList>

namespace {

bool IsBlank(QChar c)
{
    // Banks group thousands with no-break and thin spaces as well.
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

QString TrimBlanks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && IsBlank(text.at(from)))
        ++from;
    while (to > from && IsBlank(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

bool IsMinus(QChar c)
{
    return c == u'-' || c == QChar(0x2212);
}

bool IsCurrencyCode(QStringView code)
{
    for (QChar c : code) {
        if (c < u'A' || c > u'Z')
            return false;
    }
    return true;
}

// Strips one sign, currency sign or three-letter currency code from either
// end; false when nothing was there.
bool StripDecoration(QString &text, int &signs, bool &negative)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    const QChar last = text.back();
    if (IsMinus(first) || first == u'+') {
        negative = negative || IsMinus(first);
        ++signs;
        text.remove(0, 1);
    } else if (IsMinus(last) || last == u'+') {
        negative = negative || IsMinus(last);
        ++signs;
        text.chop(1);
    } else if (first.category() == QChar::Symbol_Currency) {
        text.remove(0, 1);
    } else if (last.category() == QChar::Symbol_Currency) {
        text.chop(1);
    } else if (text.size() > 3 && IsCurrencyCode(QStringView(text).left(3))) {
        text.remove(0, 3);
    } else if (text.size() > 3 && IsCurrencyCode(QStringView(text).right(3))) {
        text.chop(3);
    } else {
        return false;
    }
    text = TrimBlanks(text);
    return true;
}

bool AllDigits(QStringView text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The integer part with its thousands separators checked and removed: the
// first group has one to three digits, every later one exactly three.
std::optional<QString> IntegerDigits(const QString &text, QChar thousands)
{
    QString grouped = text;
    for (qsizetype i = 0; i < grouped.size(); ++i) {
        if (IsBlank(grouped.at(i)) || grouped.at(i) == u'\'' || grouped.at(i) == thousands)
            grouped[i] = u' ';
    }
    const QStringList groups = grouped.split(u' ');
    if (groups.size() == 1)
        return AllDigits(text) ? std::optional<QString>(text) : std::nullopt;
    QString digits;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString &group = groups.at(i);
        const bool sized = i == 0 ? group.size() >= 1 && group.size() <= 3 : group.size() == 3;
        if (!sized || !AllDigits(group))
            return std::nullopt;
        digits += group;
    }
    return digits;
}

} // namespace

std::optional<double> ParseStatementAmount(const QString &text, bool decimalComma)
{
    QString body = TrimBlanks(text);
    bool negative = false;
    if (body.size() >= 2 && body.front() == u'(' && body.back() == u')') {
        negative = true;
        body = TrimBlanks(body.mid(1, body.size() - 2));
    }
    int signs = 0;
    while (StripDecoration(body, signs, negative)) {
    }
    if (signs > 1 || body.isEmpty())
        return std::nullopt;

    const QChar decimal = decimalComma ? u',' : u'.';
    const QChar thousands = decimalComma ? u'.' : u',';
    const qsizetype point = body.indexOf(decimal);
    if (point >= 0 && body.indexOf(decimal, point + 1) >= 0)
        return std::nullopt;
    const QString whole = point >= 0 ? body.left(point) : body;
    const QString fraction = point >= 0 ? body.mid(point + 1) : QString();
    if (!AllDigits(fraction) || (whole.isEmpty() && fraction.isEmpty()))
        return std::nullopt;
    std::optional<QString> digits = whole.isEmpty() ? QString(u'0') : IntegerDigits(whole, thousands);
    if (!digits)
        return std::nullopt;
    // QString::toDouble reads the C locale's point whatever the desktop uses.
    bool ok = false;
    const double value = (*digits + u'.' + (fraction.isEmpty() ? QStringLiteral("0") : fraction)).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return negative ? -value : value;
}

int ExpandTwoDigitYear(int year)
{
    return year < 70 ? 2000 + year : 1900 + year;
}

QDate ParseStatementDate(const QString &text, const QString &format)
{
    // The format names its separator and the order of its parts; each part
    // of the text is read in place, since a statement has a date per line.
    const QStringView want(format);
    qsizetype separatorAt = 0;
    while (separatorAt < want.size() && (want[separatorAt] == u'D' || want[separatorAt] == u'M' || want[separatorAt] == u'Y'))
        ++separatorAt;
    if (separatorAt == want.size())
        return {};
    const QChar separator = want[separatorAt];
    const QStringView have = QStringView(text).trimmed();
    qsizetype wantFrom = 0;
    qsizetype haveFrom = 0;
    int day = 0;
    int month = 0;
    int year = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype wantTo = i < 2 ? want.indexOf(separator, wantFrom) : want.size();
        const qsizetype haveTo = i < 2 ? have.indexOf(separator, haveFrom) : have.size();
        if (wantTo < 0 || haveTo < 0)
            return {};
        const QStringView wantPart = want.mid(wantFrom, wantTo - wantFrom);
        // Banks pad one-digit days and months with spaces as well.
        const QStringView part = have.mid(haveFrom, haveTo - haveFrom).trimmed();
        wantFrom = wantTo + 1;
        haveFrom = haveTo + 1;
        if (part.isEmpty() || part.size() > 4 || !AllDigits(part))
            return {};
        const int value = part.toInt();
        if (wantPart.startsWith(u'Y')) {
            if (part.size() != wantPart.size())
                return {};
            year = wantPart.size() == 2 ? ExpandTwoDigitYear(value) : value;
        } else if (part.size() > 2) {
            return {};
        } else if (wantPart.startsWith(u'M')) {
            month = value;
        } else {
            day = value;
        }
    }
    return QDate(year, month, day);
}

QStringList CsvDateFormats()
{
    return {QStringLiteral("MM/DD/YYYY"), QStringLiteral("DD/MM/YYYY"), QStringLiteral("YYYY-MM-DD"),
            QStringLiteral("DD.MM.YYYY"), QStringLiteral("MM/DD/YY"),   QStringLiteral("DD/MM/YY"),
            QStringLiteral("DD.MM.YY")};
}

QStringList CandidateDateFormats(const QStringList &dateTexts)
{
    QStringList candidates;
    for (const QString &format : CsvDateFormats()) {
        bool readsAll = true;
        for (const QString &text : dateTexts) {
            // A blank date is a malformed line, not evidence against a format.
            if (!TrimBlanks(text).isEmpty() && !ParseStatementDate(text, format).isValid()) {
                readsAll = false;
                break;
            }
        }
        if (readsAll)
            candidates.append(format);
    }
    return candidates;
}

QString DecodeWindows1252(QByteArrayView bytes)
{
    // 0x80-0x9F; the five unused codes stay as Latin-1 reads them.
    static const char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = code >= 0x80 && code <= 0x9F ? QChar(kHigh[code - 0x80]) : QChar(code);
    }
    return text;
}
