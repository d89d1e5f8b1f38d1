#pragma once

#include "controls/logfont.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QSize>
#include <QString>

#include <memory>
#include <unordered_map>

// Text sizes per font. Measuring is what auto-sizing a large report spends
// its time on: a plain line of Latin text is summed from per-character
// advances, each character measured once per font (grid fonts draw without
// kerning, so the sum is exact); anything else goes through the full text
// layout and is remembered. The remembered sizes are bounded: a long session
// of reports would otherwise keep every text it ever measured.
class CGridTextMetrics
{
public:
    // Sizes remembered per font and kind (one line or several) before the
    // older half is let go.
    static constexpr qsizetype kDefaultCapacity = 4096;

    explicit CGridTextMetrics(qsizetype capacity = kDefaultCapacity);
    ~CGridTextMetrics();
    CGridTextMetrics(const CGridTextMetrics &) = delete;
    CGridTextMetrics &operator=(const CGridTextMetrics &) = delete;

    // Fonts are the grid's interned descriptions, so the pointer is the key.
    const QFont &Font(const LOGFONT *font);
    const QFontMetrics &Metrics(const LOGFONT *font);
    // The unwrapped size of text: one line, or one line per '\n' unless
    // singleLine. An empty text is one line high and 0 wide.
    QSize TextExtent(const LOGFONT *font, const QString &text, bool singleLine);

    // How many texts went through the full layout (not the cache, not the
    // advance sums).
    long long MeasureCount() const { return m_measured; }
    // Text sizes remembered now, over all fonts.
    qsizetype CachedCount() const;
    void Clear();

private:
    struct Entry;
    Entry &EntryFor(const LOGFONT *font);

    std::unordered_map<const LOGFONT *, std::unique_ptr<Entry>> m_entries;
    const LOGFONT *m_lastFont = nullptr;
    Entry *m_last = nullptr;
    long long m_measured = 0;
    qsizetype m_capacity;
};
