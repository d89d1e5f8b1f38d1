#include "controls/gridtextmetrics.h"

#include <QFontMetricsF>

#include <array>
#include <cmath>

namespace {

QFont WithoutKerning(QFont font)
{
    font.setKerning(false);
    return font;
}

} // namespace

struct CGridTextMetrics::Entry {
    explicit Entry(const QFont &f)
        : font(WithoutKerning(f))
        , metrics(font)
        , exact(font)
        , lineHeight(metrics.height())
    {
        advances.fill(-1.0);
    }

    // The width of a line of printable Latin-1 characters from their
    // advances; false when the text needs the layout.
    bool SumAdvances(const QString &text, int &width)
    {
        qreal sum = 0;
        for (const QChar ch : text) {
            const char16_t u = ch.unicode();
            if (u < 0x20 || u >= 0x100 || (u >= 0x7F && u < 0xA0))
                return false;
            qreal &advance = advances[u];
            if (advance < 0)
                advance = exact.horizontalAdvance(ch);
            sum += advance;
        }
        width = qRound(sum);
        return true;
    }

    QFont font;
    QFontMetrics metrics;
    QFontMetricsF exact;
    int lineHeight;
    std::array<qreal, 256> advances;
    QHash<QString, QSize> lines;
    QHash<QString, QSize> single;
};

CGridTextMetrics::CGridTextMetrics() = default;
CGridTextMetrics::~CGridTextMetrics() = default;

CGridTextMetrics::Entry &CGridTextMetrics::EntryFor(const LOGFONT *font)
{
    if (font == m_lastFont && m_last)
        return *m_last;
    auto it = m_entries.find(font);
    if (it == m_entries.end())
        it = m_entries.emplace(font, std::make_unique<Entry>(QFontFromLogFont(*font))).first;
    m_lastFont = font;
    m_last = it->second.get();
    return *m_last;
}

const QFont &CGridTextMetrics::Font(const LOGFONT *font)
{
    return EntryFor(font).font;
}

const QFontMetrics &CGridTextMetrics::Metrics(const LOGFONT *font)
{
    return EntryFor(font).metrics;
}

QSize CGridTextMetrics::TextExtent(const LOGFONT *font, const QString &text, bool singleLine)
{
    Entry &entry = EntryFor(font);
    if (text.isEmpty())
        return QSize(0, entry.lineHeight);
    int width = 0;
    if (entry.SumAdvances(text, width))
        return QSize(width, entry.lineHeight);
    const bool severalLines = !singleLine && text.contains(u'\n');
    QHash<QString, QSize> &cache = severalLines ? entry.lines : entry.single;
    const auto found = cache.constFind(text);
    if (found != cache.constEnd())
        return *found;
    ++m_measured;
    QSize size;
    if (severalLines) {
        size = entry.metrics.boundingRect(QRect(0, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text).size();
    } else if (text.contains(u'\n') || text.contains(u'\r')) {
        // One line as drawn: the breaks show as blanks.
        QString line = text;
        line.replace(u'\r', u' ').replace(u'\n', u' ');
        size = QSize(entry.metrics.horizontalAdvance(line), entry.lineHeight);
    } else {
        size = QSize(entry.metrics.horizontalAdvance(text), entry.lineHeight);
    }
    cache.insert(text, size);
    return size;
}

void CGridTextMetrics::Clear()
{
    m_entries.clear();
    m_lastFont = nullptr;
    m_last = nullptr;
}
