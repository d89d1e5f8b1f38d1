#include "records/wizarddecoration.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kGold(0xe0, 0xb0, 0x50);

const QImage &BannerPicture()
{
    static const QImage picture(QStringLiteral(":/twk/bitmap155.bmp"));
    return picture;
}

// The picture's own blues at its right edge, so that band and strip go on
// from it without a seam.
QColor BannerBlue(bool top)
{
    const QImage &picture = BannerPicture();
    if (picture.isNull())
        return top ? QColor(0x3a, 0x5a, 0x8a) : QColor(0x1f, 0x33, 0x58);
    return picture.pixelColor(picture.width() - 1, top ? 0 : picture.height() - 1);
}

constexpr int kBannerHeight = 72;
constexpr int kStripWidth = 176;

void FillBlue(QPainter &p, const QRect &r, Qt::Orientation along)
{
    QLinearGradient g(r.topLeft(), along == Qt::Vertical ? r.bottomLeft() : r.topRight());
    g.setColorAt(0, BannerBlue(true));
    g.setColorAt(1, BannerBlue(false));
    p.fillRect(r, g);
}

} // namespace

CWizardBanner::CWizardBanner(QWidget *parent)
    : QWidget(parent)
    , m_picture(BannerPicture())
{
    setFixedHeight(kBannerHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CWizardBanner::SetText(const QString &text)
{
    m_text = text;
    update();
}

QSize CWizardBanner::sizeHint() const
{
    return {480, kBannerHeight};
}

void CWizardBanner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    FillBlue(p, rect(), Qt::Vertical);
    int textLeft = 16;
    if (!m_picture.isNull()) {
        const QImage scaled = m_picture.scaledToHeight(height(), Qt::SmoothTransformation);
        p.drawImage(0, 0, scaled);
        textLeft = scaled.width() + 16;
    }
    QFont font = this->font();
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(textLeft, 0, width() - textLeft - 16, height()), Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
               m_text);
    p.fillRect(QRect(0, height() - 3, width(), 3), kGold);
}

CWizardStrip::CWizardStrip(QWidget *parent)
    : QWidget(parent)
{
    setFixedWidth(kStripWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void CWizardStrip::SetSteps(const QStringList &steps)
{
    m_steps = steps;
    update();
}

void CWizardStrip::SetCurrent(int index)
{
    m_current = index;
    update();
}

QSize CWizardStrip::sizeHint() const
{
    return {kStripWidth, 300};
}

void CWizardStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    FillBlue(p, rect(), Qt::Vertical);
    p.fillRect(QRect(width() - 2, 0, 2, height()), kGold);

    QFont font = this->font();
    font.setPixelSize(12);
    const int rowHeight = 36;
    int y = 20;
    for (int i = 0; i < m_steps.size(); ++i, y += rowHeight) {
        const bool active = i == m_current;
        const QRect circle(14, y, 22, 22);
        p.setPen(Qt::NoPen);
        p.setBrush(active ? kGold : (i < m_current ? QColor(0x8a, 0xa4, 0xc8) : QColor(0x4a, 0x64, 0x90)));
        p.drawEllipse(circle);
        font.setBold(true);
        p.setFont(font);
        p.setPen(active ? BannerBlue(false) : Qt::white);
        p.drawText(circle, Qt::AlignCenter, QString::number(i + 1));
        font.setBold(active);
        p.setFont(font);
        p.setPen(active ? Qt::white : QColor(0xc8, 0xd4, 0xe8));
        p.drawText(QRect(44, y - 6, width() - 52, 34), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, m_steps.at(i));
    }
}

QVBoxLayout *LayOutWizard(QWidget *wizard, QWidget *banner, CWizardStrip *strip, QWidget *pages, const QMargins &pageMargins,
                          QPushButton *help, const QList<QPushButton *> &steps, QPushButton *close)
{
    auto *line = new QFrame(wizard);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 0, 12, 12);
    if (help)
        buttons->addWidget(help);
    buttons->addStretch();
    for (QPushButton *step : steps)
        buttons->addWidget(step);
    buttons->addSpacing(12);
    buttons->addWidget(close);

    auto *pageArea = new QVBoxLayout;
    pageArea->setContentsMargins(pageMargins);
    pageArea->addWidget(pages);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(strip);
    middle->addLayout(pageArea, 1);

    auto *layout = new QVBoxLayout(wizard);
    layout->setContentsMargins(0, 0, 0, 0);
    if (banner)
        layout->addWidget(banner);
    layout->addLayout(middle, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);
    return layout;
}
