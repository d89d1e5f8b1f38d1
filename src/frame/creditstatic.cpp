#include "frame/creditstatic.h"

#include <QPainter>

namespace {

constexpr int kPadding = 10;
constexpr int kGap = 6;

QFont HeadingFont(const QFont &base)
{
    QFont f = base;
    f.setPixelSize(16);
    f.setWeight(QFont::Bold);
    return f;
}

} // namespace

CCreditStatic::CCreditStatic(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFB, 0xFC, 0xFE));
    pal.setColor(QPalette::WindowText, QColor(0x22, 0x2B, 0x3A));
    setPalette(pal);
    m_timer.setInterval(45);
    connect(&m_timer, &QTimer::timeout, this, &CCreditStatic::Step);
}

void CCreditStatic::SetCredits(const QStringList &lines)
{
    m_lines = lines;
    m_offset = 0;
    update();
}

QSize CCreditStatic::sizeHint() const
{
    return QSize(380, 130);
}

int CCreditStatic::ContentHeight() const
{
    int h = 0;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QFontMetrics fm(i == 0 ? HeadingFont(font()) : font());
        h += m_lines[i].isEmpty() ? kGap : fm.height() + 2;
    }
    return h;
}

void CCreditStatic::Step()
{
    // Up one pixel; once the last line has left the top, come in again
    // from the bottom.
    ++m_offset;
    if (m_offset > ContentHeight() + kPadding)
        m_offset = -(contentsRect().height() - kPadding);
    update();
}

void CCreditStatic::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    m_timer.start();
}

void CCreditStatic::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QFrame::hideEvent(event);
}

void CCreditStatic::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect area = contentsRect();
    p.setClipRect(area);
    int y = area.top() + kPadding - m_offset;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QFont f = i == 0 ? HeadingFont(font()) : font();
        const QFontMetrics fm(f);
        if (m_lines[i].isEmpty()) {
            y += kGap;
            continue;
        }
        p.setFont(f);
        p.setPen(i == 0 ? QColor(0x1B, 0x4F, 0x9C) : palette().color(QPalette::WindowText));
        p.drawText(QRect(area.left() + 4, y, area.width() - 8, fm.height()), Qt::AlignHCenter | Qt::AlignVCenter, m_lines[i]);
        y += fm.height() + 2;
    }
    // Soft edges, so lines fade in and out rather than being cut.
    const QColor bg = palette().color(QPalette::Window);
    QColor clear = bg;
    clear.setAlpha(0);
    QLinearGradient top(0, area.top(), 0, area.top() + kPadding);
    top.setColorAt(0, bg);
    top.setColorAt(1, clear);
    p.fillRect(QRect(area.left(), area.top(), area.width(), kPadding), top);
    QLinearGradient bottom(0, area.bottom() - kPadding, 0, area.bottom());
    bottom.setColorAt(0, clear);
    bottom.setColorAt(1, bg);
    p.fillRect(QRect(area.left(), area.bottom() - kPadding + 1, area.width(), kPadding), bottom);
}
