#include "controls/gridcellbase.h"

#include "controls/drawtextflags.h"
#include "controls/gridcellmodel.h"
#include "controls/griddefaultcell.h"

#include <QPainter>

COLORREF CGridCellBase::EffectiveTextClr() const
{
    const COLORREF own = GetTextClr();
    return own != CLR_DEFAULT ? own : GetDefaultCell()->GetTextClr();
}

COLORREF CGridCellBase::EffectiveBackClr() const
{
    const COLORREF own = GetBackClr();
    return own != CLR_DEFAULT ? own : GetDefaultCell()->GetBackClr();
}

QRect CGridCellBase::GetTextRect(const QRect &cellRect) const
{
    const int margin = int(GetMargin());
    QRect inner = cellRect.adjusted(margin, margin, -margin, -margin);
    if (const QImage *image = m_model->GetImage(GetImage()))
        inner.setLeft(inner.left() + image->width() + margin);
    return inner;
}

QSize CGridCellBase::GetTextExtent(const QString &text) const
{
    return m_model->Metrics().TextExtent(GetFont(), text, GetFormat() & DT_SINGLELINE);
}

QSize CGridCellBase::GetCellExtent() const
{
    const int margin = int(GetMargin());
    const QString text = GetText();
    QSize size = GetTextExtent(text);
    if (const QImage *image = m_model->GetImage(GetImage())) {
        size.setWidth(size.width() + image->width() + (text.isEmpty() ? 0 : margin));
        size.setHeight(qMax(size.height(), image->height()));
    }
    return size + QSize(2 * margin, 2 * margin);
}

bool CGridCellBase::Draw(QPainter &painter, int, int, const QRect &rect, bool eraseBkgnd) const
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return true;
    if (eraseBkgnd)
        painter.fillRect(rect, QColorFromColorRef(EffectiveBackClr()));

    const unsigned format = GetFormat();
    const int margin = int(GetMargin());
    QRect inner = rect.adjusted(margin, margin, -margin, -margin);
    const bool singleLine = format & DT_SINGLELINE;
    const bool vcentre = singleLine && (format & DT_VCENTER);
    const bool bottom = singleLine && !vcentre && (format & DT_BOTTOM);

    if (const QImage *image = m_model->GetImage(GetImage())) {
        int y = inner.top();
        if (vcentre)
            y += (inner.height() - image->height()) / 2;
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.drawImage(QPoint(inner.left(), y), *image);
        painter.restore();
        inner.setLeft(inner.left() + image->width() + margin);
    }

    const QString text = GetText();
    if (text.isEmpty() || inner.width() <= 0 || inner.height() <= 0)
        return true;

    CGridTextMetrics &metrics = m_model->Metrics();
    const LOGFONT *font = GetFont();
    const QFont &qfont = metrics.Font(font);
    if (painter.font() != qfont)
        painter.setFont(qfont);
    painter.setPen(QColorFromColorRef(EffectiveTextClr()));

    const QSize extent = metrics.TextExtent(font, text, singleLine);
    const bool plain = !text.contains(u'\n') && !text.contains(u'\r');
    QString shown;
    if (plain && extent.width() <= inner.width() && extent.height() <= inner.height())
        shown = text;
    else if (plain && singleLine && (format & DT_END_ELLIPSIS))
        shown = metrics.Metrics(font).elidedText(text, Qt::ElideRight, inner.width());

    if (shown.isNull()) {
        // Wrapping, several lines, or text larger than the cell: the full
        // layout, clipped to the cell.
        painter.drawText(inner, QtTextFlagsFromDrawText(format), text);
        return true;
    }
    // One line that fits: place it directly, which is far cheaper than a
    // layout and draws the same.
    const QFontMetrics &fm = metrics.Metrics(font);
    const int width = shown.size() == text.size() ? extent.width() : fm.horizontalAdvance(shown);
    int x = inner.left();
    if (format & DT_CENTER)
        x += (inner.width() - width) / 2;
    else if (format & DT_RIGHT)
        x = inner.right() + 1 - width;
    int y = inner.top();
    if (vcentre)
        y += (inner.height() - extent.height()) / 2;
    else if (bottom)
        y = inner.bottom() + 1 - extent.height();
    const bool overflows = extent.height() > inner.height();
    if (overflows) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    painter.drawText(QPoint(x, y + fm.ascent()), shown);
    if (overflows)
        painter.restore();
    return true;
}

bool CGridCellBase::PrintCell(QPainter &painter, int row, int col, const QRect &rect) const
{
    return Draw(painter, row, col, rect, true);
}
