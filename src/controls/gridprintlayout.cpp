#include "controls/gridprintlayout.h"

#include "controls/gridcellmodel.h"

QString PrintStamp(const QDateTime &moment, const QLocale &locale)
{
    return locale.toString(moment, QLocale::ShortFormat);
}

void CGridPrintLayout::Compute(const CGridCellModel &model, QSize charSize, QSize paper, GridPrintMargins margins)
{
    m_margins = margins;
    m_char = charSize;
    m_paper = paper;
    m_gridWidth = model.GetVirtualWidth();
    m_fixedHeight = model.GetFixedRowHeight();
    m_rowCount = model.GetRowCount();
    m_pageStarts.assign(1, model.GetFixedRowCount());
    m_logical = QSize();
    m_usable = 0;
    if (paper.width() <= 0 || paper.height() <= 0)
        return;

    const long long width = m_gridWidth + (margins.left + margins.right) * charSize.width();
    const long long height = width * paper.height() / paper.width();
    m_logical = QSize(int(width), int(height));
    m_usable = m_logical.height() - (margins.header + margins.footer + 2 * margins.gap) * charSize.height() -
               m_fixedHeight;

    // A page breaks before the row that would overflow it; a page never
    // starts empty, so a row taller than a page gets one to itself.
    long long used = 0;
    for (int r = model.GetFixedRowCount(); r < m_rowCount; ++r) {
        const int h = model.GetRowHeight(r);
        if (used > 0 && used + h > m_usable) {
            m_pageStarts.push_back(r);
            used = 0;
        }
        used += h;
    }
}

double CGridPrintLayout::Scale() const
{
    return IsValid() ? double(m_paper.width()) / double(m_logical.width()) : 0.0;
}

std::pair<int, int> CGridPrintLayout::PageRows(int page) const
{
    if (page < 1 || page > PageCount())
        return {0, 0};
    const int first = m_pageStarts[size_t(page - 1)];
    const int last = page < PageCount() ? m_pageStarts[size_t(page)] : m_rowCount;
    return {first, last};
}

QRect CGridPrintLayout::HeaderRect() const
{
    return QRect(m_margins.left * m_char.width(), 0, m_gridWidth, m_margins.header * m_char.height());
}

QRect CGridPrintLayout::FooterRect() const
{
    const int height = m_margins.footer * m_char.height();
    return QRect(m_margins.left * m_char.width(), m_logical.height() - height, m_gridWidth, height);
}

QPoint CGridPrintLayout::FixedRowsOrigin() const
{
    return QPoint(m_margins.left * m_char.width(), (m_margins.header + m_margins.gap) * m_char.height());
}

QPoint CGridPrintLayout::RowsOrigin() const
{
    return FixedRowsOrigin() + QPoint(0, m_fixedHeight);
}

QRect CGridPrintLayout::RowsClip() const
{
    const QPoint origin = RowsOrigin();
    return QRect(origin.x(), origin.y(), m_gridWidth, qMax(0, m_usable));
}
