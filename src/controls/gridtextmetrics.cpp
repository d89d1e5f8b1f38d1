#include "controls/gridtextmetrics.h"

#include <QFontMetricsF>

#include <array>
#include <cmath>
#include <optional>

namespace {

QFont WithoutKerning(QFont font)
{
    font.setKerning(false);
    return font;
}

// Text -> size, holding at most twice its capacity: when the recent
// generation is full it becomes the old one and the old one is dropped. A
// text found in the old generation moves back to the recent one, so the
// texts a report keeps showing stay while one-off texts age out.
class CTextSizeCache
{
public:
    explicit CTextSizeCache(qsizetype capacity)
        : m_capacity(qMax<qsizetype>(1, capacity))
    {
    }

    std::optional<QSize> Find(const QString &text)
    {
        if (const auto it = m_recent.constFind(text); it != m_recent.constEnd())
            return *it;
        const auto old = m_old.constFind(text);
        if (old == m_old.constEnd())
            return std::nullopt;
        const QSize size = *old;
        Insert(text, size);
        return size;
    }

    void Insert(const QString &text, QSize size)
    {
        if (m_recent.size() >= m_capacity) {
            m_old = std::move(m_recent);
            m_recent = {};
        }
        m_recent.insert(text, size);
    }

    qsizetype Size() const { return m_recent.size() + m_old.size(); }

private:
    qsizetype m_capacity;
    QHash<QString, QSize> m_recent;
    QHash<QString, QSize> m_old;
};

} // namespace

struct CGridTextMetrics::Entry {
    Entry(const QFont &f, qsizetype capacity)
        : font(WithoutKerning(f))
        , metrics(font)
        , exact(font)
        , lineHeight(metrics.height())
        , lines(capacity)
        , single(capacity)
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
    CTextSizeCache lines;
    CTextSizeCache single;
};

CGridTextMetrics::CGridTextMetrics(qsizetype capacity)
    : m_capacity(capacity)
{
}

CGridTextMetrics::~CGridTextMetrics() = default;

CGridTextMetrics::Entry &CGridTextMetrics::EntryFor(const LOGFONT *font)
{
    if (font == m_lastFont && m_last)
        return *m_last;
    auto it = m_entries.find(font);
    if (it == m_entries.end())
        it = m_entries.emplace(font, std::make_unique<Entry>(QFontFromLogFont(*font), m_capacity)).first;
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
    CTextSizeCache &cache = severalLines ? entry.lines : entry.single;
    if (const std::optional<QSize> found = cache.Find(text))
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
    cache.Insert(text, size);
    return size;
}

qsizetype CGridTextMetrics::CachedCount() const
{
    qsizetype count = 0;
    for (const auto &[font, entry] : m_entries)
        count += entry->lines.Size() + entry->single.Size();
    return count;
}

void CGridTextMetrics::Clear()
{
    m_entries.clear();
    m_lastFont = nullptr;
    m_last = nullptr;
}
