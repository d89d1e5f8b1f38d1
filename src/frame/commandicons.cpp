#include "frame/commandicons.h"

#include "base/commandids.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QtMath>

namespace {

// All images are drawn on a 24 x 24 grid with the same light source (top
// left), a one-unit darker outline and a vertical gradient per body.
constexpr qreal kGrid = 24.0;

QLinearGradient Vertical(qreal top, qreal bottom, const QColor &light, const QColor &dark)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    return g;
}

// A closed outline through the points, in order.
QPainterPath Closed(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPen Outline(const QColor &c, qreal width = 1.0)
{
    QPen pen(c, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void DrawDatabase(QPainter &p)
{
    const QColor edge(0x2F, 0x4A, 0x6D);
    // Cylinder body, then the top face.
    QPainterPath body;
    body.moveTo(2.5, 5);
    body.lineTo(2.5, 17);
    body.arcTo(QRectF(2.5, 14.5, 13, 5), 180, 180);
    body.lineTo(15.5, 5);
    body.closeSubpath();
    p.setPen(Outline(edge));
    QLinearGradient side(2.5, 0, 15.5, 0);
    side.setColorAt(0, QColor(0x5C, 0x8C, 0xC8));
    side.setColorAt(0.35, QColor(0xA9, 0xCB, 0xF2));
    side.setColorAt(1, QColor(0x3D, 0x6B, 0xA8));
    p.setBrush(side);
    p.drawPath(body);
    p.setBrush(QColor(0xD6, 0xE7, 0xFB));
    p.drawEllipse(QRectF(2.5, 2.5, 13, 5));
    // Bands between the platters.
    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(QColor(0x2F, 0x4A, 0x6D, 150)));
    p.drawArc(QRectF(2.5, 6.5, 13, 5), 180 * 16, 180 * 16);
    p.drawArc(QRectF(2.5, 10.5, 13, 5), 180 * 16, 180 * 16);
}

void DrawArrowDown(QPainter &p, qreal cx, qreal top, qreal bottom, const QColor &fill, const QColor &edge)
{
    const qreal shaft = 2.2, head = 5.0, headTop = bottom - 5.5;
    const QPainterPath arrow = Closed({{cx - shaft, top}, {cx + shaft, top}, {cx + shaft, headTop}, {cx + head, headTop},
                                       {cx, bottom}, {cx - head, headTop}, {cx - shaft, headTop}});
    p.setPen(Outline(edge));
    p.setBrush(Vertical(top, bottom, fill.lighter(130), fill));
    p.drawPath(arrow);
}

void DrawBackup(QPainter &p)
{
    DrawDatabase(p);
    DrawArrowDown(p, 17.5, 9.5, 22.5, QColor(0x2E, 0x9E, 0x3F), QColor(0x1B, 0x5E, 0x25));
}

void DrawPrint(QPainter &p)
{
    const QColor edge(0x3B, 0x41, 0x4A);
    p.setPen(Outline(edge));
    // Paper going in.
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    // Body.
    p.setBrush(Vertical(8.5, 17.5, QColor(0xC9, 0xCF, 0xD8), QColor(0x7D, 0x86, 0x93)));
    p.drawRoundedRect(QRectF(1.5, 8.5, 21, 9), 2, 2);
    // Slot and paper coming out.
    p.setBrush(QColor(0x39, 0x3E, 0x46));
    p.drawRect(QRectF(5.5, 13.5, 13, 1.5));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    p.setPen(Outline(QColor(0x8A, 0x9B, 0xB5)));
    p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
    p.drawLine(QPointF(8.5, 19.2), QPointF(13.5, 19.2));
    // Power light.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3C, 0xC4, 0x4E));
    p.drawEllipse(QRectF(18, 10.3, 2.4, 2.4));
}

void DrawLogin(QPainter &p)
{
    const QColor edge(0x8A, 0x5A, 0x00);
    QPainterPath key;
    key.addEllipse(QRectF(1.5, 6.5, 11, 11));
    // Shaft and two teeth.
    const QPainterPath shaft = Closed({{11.5, 10.5}, {22.5, 10.5}, {22.5, 13.5}, {21.5, 13.5}, {21.5, 17.5}, {18.5, 17.5},
                                       {18.5, 13.5}, {17.5, 13.5}, {17.5, 16.5}, {14.5, 16.5}, {14.5, 13.5}, {11.5, 13.5}});
    key = key.united(shaft);
    QPainterPath hole;
    hole.addEllipse(QRectF(3.8, 10.3, 3.4, 3.4));
    key = key.subtracted(hole);
    p.setPen(Outline(edge));
    p.setBrush(Vertical(6, 18, QColor(0xFF, 0xE0, 0x7A), QColor(0xE0, 0xA0, 0x10)));
    p.drawPath(key);
}

void DrawGear(QPainter &p)
{
    const QPointF c(12, 12);
    const int teeth = 8;
    const qreal outer = 10.5, inner = 7.8;
    QPainterPath gear;
    const qreal pitch = 2 * M_PI / teeth;
    // Per tooth: root, tip, tip, root; the roots join round the wheel.
    const qreal offsets[] = {-0.30, -0.17, 0.17, 0.30};
    const qreal radii[] = {inner, outer, outer, inner};
    for (int k = 0; k < teeth; ++k) {
        for (int j = 0; j < 4; ++j) {
            const qreal angle = (k + offsets[j]) * pitch - M_PI / 2;
            const QPointF pt(c.x() + radii[j] * qCos(angle), c.y() + radii[j] * qSin(angle));
            if (k == 0 && j == 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 3.2, 3.2);
    gear = gear.subtracted(hole);
    p.setPen(Outline(QColor(0x3E, 0x47, 0x55)));
    p.setBrush(Vertical(1.5, 22.5, QColor(0xDD, 0xE2, 0xEA), QColor(0x80, 0x8B, 0x9C)));
    p.drawPath(gear);
    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(QColor(0xFF, 0xFF, 0xFF, 140)));
    p.drawEllipse(c, 5.6, 5.6);
}

void DrawUser(QPainter &p)
{
    // Shoulders.
    QPainterPath body;
    body.moveTo(2.5, 22.5);
    body.cubicTo(2.5, 15.5, 6.5, 13.5, 12, 13.5);
    body.cubicTo(17.5, 13.5, 21.5, 15.5, 21.5, 22.5);
    body.closeSubpath();
    p.setPen(Outline(QColor(0x1F, 0x3F, 0x78)));
    p.setBrush(Vertical(13.5, 22.5, QColor(0x6A, 0x9B, 0xE8), QColor(0x2C, 0x5A, 0xB0)));
    p.drawPath(body);
    // Head.
    p.setPen(Outline(QColor(0x8C, 0x5A, 0x33)));
    p.setBrush(Vertical(2, 12, QColor(0xFC, 0xDD, 0xBE), QColor(0xE6, 0xAE, 0x80)));
    p.drawEllipse(QRectF(7, 1.5, 10, 11));
    // Hair.
    QPainterPath hair;
    hair.moveTo(7.2, 6.5);
    hair.cubicTo(7.2, 1.5, 16.8, 1.5, 16.8, 6.5);
    hair.cubicTo(14.5, 4.8, 10, 4.6, 7.2, 6.5);
    p.setPen(Outline(QColor(0x4A, 0x30, 0x1A)));
    p.setBrush(QColor(0x6B, 0x45, 0x26));
    p.drawPath(hair);
}

QPainterPath TagPath(qreal x, qreal y, qreal w, qreal h)
{
    const QPainterPath tag = Closed({{x + h / 2, y}, {x + w, y}, {x + w, y + h}, {x + h / 2, y + h}, {x, y + h / 2}});
    QPainterPath hole;
    hole.addEllipse(QPointF(x + h / 2 + 0.8, y + h / 2), 1.4, 1.4);
    return tag.subtracted(hole);
}

void DrawCategory(QPainter &p)
{
    struct Tag {
        qreal y;
        QColor light, dark, edge;
    } const tags[] = {
        {2.5, QColor(0x7F, 0xB8, 0xF5), QColor(0x3B, 0x7B, 0xD0), QColor(0x1F, 0x4C, 0x8A)},
        {9.0, QColor(0x8E, 0xDB, 0x85), QColor(0x3E, 0xA0, 0x36), QColor(0x22, 0x62, 0x1D)},
        {15.5, QColor(0xFF, 0xC0, 0x6E), QColor(0xEE, 0x83, 0x1C), QColor(0x9A, 0x4F, 0x08)},
    };
    qreal x = 1.5;
    for (const Tag &t : tags) {
        p.setPen(Outline(t.edge));
        p.setBrush(Vertical(t.y, t.y + 6, t.light, t.dark));
        p.drawPath(TagPath(x, t.y, 19, 6));
        x += 1.5;
    }
}

void DrawCoin(QPainter &p, const QColor &light, const QColor &dark, const QColor &edge, bool plus)
{
    p.setPen(Outline(edge));
    QRadialGradient g(QPointF(9, 8), 13);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(QColor(0xFF, 0xFF, 0xFF, 90)));
    p.drawEllipse(QRectF(3.5, 3.5, 17, 17));
    // The sign, white with a shadow of the coin's edge colour.
    QPen sign(Qt::white, 3.2);
    sign.setCapStyle(Qt::RoundCap);
    QPen shadow(edge, 3.2);
    shadow.setCapStyle(Qt::RoundCap);
    for (int pass = 0; pass < 2; ++pass) {
        const qreal d = pass == 0 ? 0.7 : 0.0;
        p.setPen(pass == 0 ? shadow : sign);
        p.drawLine(QPointF(7 + d, 12 + d), QPointF(17 + d, 12 + d));
        if (plus)
            p.drawLine(QPointF(12 + d, 7 + d), QPointF(12 + d, 17 + d));
    }
}

void DrawIncome(QPainter &p)
{
    DrawCoin(p, QColor(0x8B, 0xE0, 0x7A), QColor(0x2B, 0x96, 0x36), QColor(0x1A, 0x5E, 0x20), true);
}

void DrawExpense(QPainter &p)
{
    DrawCoin(p, QColor(0xFF, 0x9A, 0x8A), QColor(0xD2, 0x32, 0x2A), QColor(0x84, 0x17, 0x12), false);
}

void DrawReport(QPainter &p)
{
    // A page with a folded corner.
    const QPainterPath page = Closed({{3.5, 1.5}, {15.5, 1.5}, {20.5, 6.5}, {20.5, 22.5}, {3.5, 22.5}});
    p.setPen(Outline(QColor(0x5A, 0x63, 0x70)));
    p.setBrush(Vertical(1.5, 22.5, QColor(0xFF, 0xFF, 0xFF), QColor(0xE3, 0xE8, 0xEF)));
    p.drawPath(page);
    QPainterPath fold;
    fold.addPolygon(QPolygonF({{15.5, 1.5}, {15.5, 6.5}, {20.5, 6.5}}));
    p.setBrush(QColor(0xC9, 0xD1, 0xDC));
    p.drawPath(fold);
    // Title line and three bars.
    p.setPen(Outline(QColor(0x8A, 0x9B, 0xB5)));
    p.drawLine(QPointF(6, 5), QPointF(12.5, 5));
    const struct {
        qreal x, top;
        QColor c;
    } bars[] = {{6.5, 13.5, QColor(0x3B, 0x7B, 0xD0)}, {10.5, 9.5, QColor(0x3E, 0xA0, 0x36)}, {14.5, 15.5, QColor(0xEE, 0x83, 0x1C)}};
    for (const auto &b : bars) {
        p.setPen(Outline(b.c.darker(150)));
        p.setBrush(Vertical(b.top, 20, b.c.lighter(140), b.c));
        p.drawRect(QRectF(b.x, b.top, 3, 20 - b.top));
    }
    p.setPen(Outline(QColor(0x5A, 0x63, 0x70)));
    p.drawLine(QPointF(5.5, 20), QPointF(18.5, 20));
}

void DrawChart(QPainter &p)
{
    // A donut with one slice pulled out, before a rising bar.
    const QRectF ring(1.5, 4.5, 15, 15);
    const struct {
        int start, span;
        QColor c;
    } slices[] = {{90, 150, QColor(0x3B, 0x7B, 0xD0)}, {240, 80, QColor(0xEE, 0x83, 0x1C)}, {320, 130, QColor(0x3E, 0xA0, 0x36)}};
    for (const auto &s : slices) {
        QPainterPath slice;
        slice.moveTo(ring.center());
        slice.arcTo(ring, s.start, s.span);
        slice.closeSubpath();
        p.setPen(Outline(s.c.darker(150)));
        p.setBrush(Vertical(ring.top(), ring.bottom(), s.c.lighter(140), s.c));
        p.drawPath(slice);
    }
    p.setPen(Outline(QColor(0x5A, 0x63, 0x70)));
    p.setBrush(QColor(0xF4, 0xF6, 0xF9));
    p.drawEllipse(ring.center(), 3.2, 3.2);
    const QColor bar(0xD2, 0x32, 0x2A);
    p.setPen(Outline(bar.darker(150)));
    p.setBrush(Vertical(2.5, 21.5, bar.lighter(140), bar));
    p.drawRect(QRectF(18.5, 2.5, 4, 19));
}

void DrawImport(QPainter &p)
{
    // A bank statement with its lines, an arrow bringing it down into the
    // ledger below.
    const QPainterPath sheet = Closed({{2.5, 1.5}, {12.5, 1.5}, {15.5, 4.5}, {15.5, 15.5}, {2.5, 15.5}});
    p.setPen(Outline(QColor(0x5A, 0x63, 0x70)));
    p.setBrush(Vertical(1.5, 15.5, QColor(0xFF, 0xFF, 0xFF), QColor(0xE3, 0xE8, 0xEF)));
    p.drawPath(sheet);
    p.setPen(Outline(QColor(0x8A, 0x9B, 0xB5)));
    for (const qreal y : {5.0, 8.0, 11.0})
        p.drawLine(QPointF(5, y), QPointF(12.5, y));
    // The ledger: a green-bound book lying flat.
    const QColor cover(0x2B, 0x96, 0x36);
    p.setPen(Outline(cover.darker(160)));
    p.setBrush(Vertical(17.5, 22.5, cover.lighter(140), cover));
    p.drawRoundedRect(QRectF(1.5, 17.5, 21, 5), 1.2, 1.2);
    p.setPen(Outline(QColor(0xF4, 0xF6, 0xF9)));
    p.drawLine(QPointF(3.5, 19.5), QPointF(20.5, 19.5));
    DrawArrowDown(p, 18.5, 5.5, 18.5, QColor(0x3B, 0x7B, 0xD0), QColor(0x22, 0x4A, 0x80));
}

void DrawClear(QPainter &p)
{
    // An eraser lying on a slant, with the trace it leaves.
    p.setPen(Outline(QColor(0x9A, 0xA4, 0xB1)));
    p.drawLine(QPointF(2.5, 21.5), QPointF(21.5, 21.5));
    p.save();
    p.translate(12.5, 11.5);
    p.rotate(-40);
    const QRectF whole(-9, -4.5, 18, 9);
    const QRectF sleeve(-1, -4.5, 10, 9);
    p.setPen(Outline(QColor(0x8E, 0x2F, 0x4B)));
    p.setBrush(Vertical(-4.5, 4.5, QColor(0xFF, 0xB3, 0xC6), QColor(0xE5, 0x5C, 0x84)));
    p.drawRoundedRect(whole, 1.5, 1.5);
    p.setPen(Outline(QColor(0x24, 0x4B, 0x82)));
    p.setBrush(Vertical(-4.5, 4.5, QColor(0x8F, 0xBE, 0xF5), QColor(0x35, 0x6F, 0xC4)));
    p.drawRoundedRect(sleeve, 1.5, 1.5);
    p.restore();
}

void DrawHelp(QPainter &p)
{
    p.setPen(Outline(QColor(0x17, 0x3F, 0x86)));
    QRadialGradient g(QPointF(9, 8), 13);
    g.setColorAt(0, QColor(0x86, 0xB6, 0xF7));
    g.setColorAt(1, QColor(0x24, 0x5F, 0xC4));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    // The question mark as strokes, so it needs no font.
    QPen mark(Qt::white, 3.0);
    mark.setCapStyle(Qt::RoundCap);
    mark.setJoinStyle(Qt::RoundJoin);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    QPainterPath q;
    q.moveTo(8.3, 9.2);
    q.cubicTo(8.3, 5.4, 15.7, 5.4, 15.7, 9.2);
    q.cubicTo(15.7, 11.8, 12, 11.8, 12, 14.3);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 18.2), 1.8, 1.8);
}

void DrawVideo(QPainter &p)
{
    // A film frame with a play sign.
    p.setPen(Outline(QColor(0x1E, 0x24, 0x2E)));
    p.setBrush(Vertical(3.5, 20.5, QColor(0x56, 0x61, 0x73), QColor(0x24, 0x2B, 0x36)));
    p.drawRoundedRect(QRectF(1.5, 3.5, 21, 17), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE8, 0xEC, 0xF2));
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(3.5 + i * 3.8, 5, 2, 1.6));
        p.drawRect(QRectF(3.5 + i * 3.8, 17.4, 2, 1.6));
    }
    const QPainterPath play = Closed({{9.5, 8.3}, {16.5, 12}, {9.5, 15.7}});
    p.setPen(Outline(QColor(0x9E, 0x1B, 0x13)));
    p.setBrush(Vertical(8, 16, QColor(0xFF, 0x7A, 0x5C), QColor(0xE0, 0x2E, 0x1E)));
    p.drawPath(play);
}

using Painter = void (*)(QPainter &);

Painter PainterFor(unsigned id)
{
    using namespace CommandId;
    switch (id) {
    case BackupData: return DrawBackup;
    case Print: return DrawPrint;
    case Login: return DrawLogin;
    case DefaultSettings: return DrawGear;
    case UserInformation: return DrawUser;
    case AddDeleteCategory: return DrawCategory;
    case AddIncome: return DrawIncome;
    case AddExpense: return DrawExpense;
    case SpecifiedPeriodReport: return DrawReport;
    case Charts: return DrawChart;
    case ImportStatement: return DrawImport;
    case ClearScreen: return DrawClear;
    case HelpTopics: return DrawHelp;
    case VideoTutorials: return DrawVideo;
    default: return nullptr;
    }
}

QImage Render(unsigned id, const QSize &pixels, QIcon::Mode mode)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        PaintCommandImage(painter, id, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    if (mode == QIcon::Disabled) {
        // Grey and faded, keeping the shape readable.
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = line[x];
                const int a = qAlpha(c);
                if (a == 0)
                    continue;
                const int grey = qGray(c);
                const int faded = 128 + grey / 2; // lighter, low contrast
                const int na = a * 45 / 100;
                const int v = faded * na / 255;
                line[x] = qRgba(v, v, v, na);
            }
        }
    }
    return image;
}

class CCommandIconEngine final : public QIconEngine
{
public:
    explicit CCommandIconEngine(unsigned id)
        : m_id(id)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, dpr));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QPixmap pm = QPixmap::fromImage(Render(m_id, size * scale, mode));
        pm.setDevicePixelRatio(scale);
        return pm;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new CCommandIconEngine(m_id); }
    QString key() const override { return QStringLiteral("twk-command"); }
    bool isNull() override { return false; }

private:
    unsigned m_id;
};

} // namespace

bool HasCommandImage(unsigned id)
{
    return PainterFor(id) != nullptr;
}

QIcon CommandIcon(unsigned id)
{
    return HasCommandImage(id) ? QIcon(new CCommandIconEngine(id)) : QIcon();
}

void PaintCommandImage(QPainter &painter, unsigned id, const QRectF &target)
{
    const Painter draw = PainterFor(id);
    if (!draw)
        return;
    const qreal side = qMin(target.width(), target.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.center().x() - side / 2, target.center().y() - side / 2);
    painter.scale(side / kGrid, side / kGrid);
    draw(painter);
    painter.restore();
}
