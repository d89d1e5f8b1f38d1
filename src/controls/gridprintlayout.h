#pragma once

#include <QDateTime>
#include <QLocale>
#include <QRect>
#include <QSize>

#include <vector>

class CGridCellModel;

// The time stamp of a printed page's footer: the date and time in the
// desktop locale's short form ("09.12.26 16:19" in German, "12/9/26 4:19 PM"
// in American English), as the C library's "%c" would give in that locale.
QString PrintStamp(const QDateTime &moment, const QLocale &locale = QLocale());

// Print margins, in characters of the printer font.
struct GridPrintMargins {
    int header = 2;
    int footer = 2;
    int left = 4;
    int right = 4;
    int top = 1;
    int bottom = 1;
    int gap = 1;
};

// How a grid falls onto printed pages. The logical page is as wide as the
// grid plus the side margins and as tall as the paper's proportions make it,
// so the whole width always fits and rows keep their shape; rows are then
// dealt onto pages, the fixed rows heading each one.
class CGridPrintLayout
{
public:
    // charSize: width and height of one printer-font character; paper: the
    // printable area in device pixels. An empty paper leaves no layout.
    void Compute(const CGridCellModel &model, QSize charSize, QSize paper, GridPrintMargins margins = {});

    bool IsValid() const { return m_logical.width() > 0 && m_logical.height() > 0; }
    QSize CharSize() const { return m_char; }
    QSize Paper() const { return m_paper; }
    QSize LogicalPage() const { return m_logical; }
    // Paper pixels per logical unit.
    double Scale() const;
    int UsableHeight() const { return m_usable; }
    int PageCount() const { return int(m_pageStarts.size()); }
    // The non-fixed rows of a page (1-based) as [first, last); empty outside.
    std::pair<int, int> PageRows(int page) const;

    // Bands of the logical page.
    QRect HeaderRect() const;
    QRect FooterRect() const;
    // Where the fixed rows start; the page's rows follow them.
    QPoint FixedRowsOrigin() const;
    QPoint RowsOrigin() const;
    // The area rows may use on a page; a row too tall for it is cut here.
    QRect RowsClip() const;

private:
    GridPrintMargins m_margins;
    QSize m_char;
    QSize m_paper;
    QSize m_logical;
    int m_gridWidth = 0;
    int m_fixedHeight = 0;
    int m_usable = 0;
    int m_rowCount = 0;
    std::vector<int> m_pageStarts;
};
