#include "frame/colorstatusbar.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "frame/menulayout.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr int kTextLeft = 2;
constexpr int kPaneGap = 2;
// Room either side of a pane's text so neighbouring texts never touch.
constexpr int kTextMargin = 6;

QFont PaneFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    font.setStyleHint(QFont::Serif);
    return font;
}

QColor FromColorRef(unsigned c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace

QString ClockText(const QDateTime &time)
{
    return QLocale::c().toString(time, QStringLiteral("dddd MMMM dd yyyy, HH:mm:ss"));
}

CColorStatusBar::CColorStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setFont(PaneFont());
    // Hover prompts arrive as the bar's temporary message.
    connect(this, &QStatusBar::messageChanged, this, &CColorStatusBar::SetPrompt);
}

void CColorStatusBar::SetPaneCount(int count)
{
    m_panes = QList<Pane>(qMax(0, count));
    updateGeometry();
    update();
}

bool CColorStatusBar::SetPane(int index, const QString &text, unsigned colour)
{
    if (index < 0 || index >= PaneCount())
        return false;
    m_panes[index].text = text;
    m_panes[index].colour = colour;
    update();
    return true;
}

bool CColorStatusBar::SetPaneWidth(int index, int width, bool stretch)
{
    if (index < 0 || index >= PaneCount())
        return false;
    m_panes[index].width = qMax(0, width);
    m_panes[index].stretch = stretch;
    update();
    return true;
}

QString CColorStatusBar::PaneText(int index) const
{
    return index >= 0 && index < PaneCount() ? m_panes[index].text : QString();
}

unsigned CColorStatusBar::PaneColour(int index) const
{
    return index >= 0 && index < PaneCount() ? m_panes[index].colour : 0;
}

QRect CColorStatusBar::PaneRect(int index) const
{
    return PaneRects().value(index);
}

void CColorStatusBar::SetPrompt(const QString &prompt)
{
    SetPane(0, prompt.isEmpty() ? LoadString(StringId::Ready) : prompt, 0x000000);
}

QSize CColorStatusBar::sizeHint() const
{
    return QSize(QStatusBar::sizeHint().width(), minimumSizeHint().height());
}

QSize CColorStatusBar::minimumSizeHint() const
{
    return QSize(0, fontMetrics().height() + 10);
}

// Pane widths never follow the texts, so nothing shifts as the prompt or
// the clock changes: fixed panes keep their width and the stretching ones
// share what is left.
QList<QRect> CColorStatusBar::PaneRects() const
{
    QList<QRect> rects;
    const int count = PaneCount();
    if (count == 0)
        return rects;
    QRect area = rect().adjusted(2, 3, -2, -2);
    // The grip sits at the right end; its place may not be laid out yet.
    if (const QSizeGrip *grip = findChild<QSizeGrip *>(); grip && !grip->isHidden())
        area.setRight(rect().right() - grip->sizeHint().width() - kPaneGap);

    int used = kPaneGap * (count - 1);
    int stretching = 0;
    for (const Pane &p : m_panes) {
        used += p.width;
        stretching += p.stretch ? 1 : 0;
    }
    const int spare = qMax(0, area.width() - used);
    int x = area.left();
    int share = 0;
    for (int i = 0; i < count; ++i) {
        int w = m_panes[i].width;
        if (m_panes[i].stretch) {
            w += spare / stretching + (share < spare % stretching ? 1 : 0);
            ++share;
        }
        rects << QRect(x, area.top(), w, area.height());
        x += w + kPaneGap;
    }
    return rects;
}

int CColorStatusBar::TextWidth(const QString &text) const
{
    return QFontMetrics(font()).horizontalAdvance(text) + kTextLeft + kTextMargin;
}

void CColorStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    const QList<QRect> rects = PaneRects();
    for (int i = 0; i < rects.size(); ++i) {
        const QRect r = rects[i];
        if (r.width() <= 0)
            continue;
        // A sunken frame as the platform's panes have.
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());

        const Pane &p = m_panes[i];
        if (p.text.isEmpty())
            continue;
        const QRect inner = r.adjusted(1 + kTextLeft, 1, -1, -1);
        painter.save();
        painter.setClipRect(r.adjusted(1, 1, -1, -1));
        painter.setPen(FromColorRef(p.colour));
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, p.text);
        painter.restore();
    }
}
