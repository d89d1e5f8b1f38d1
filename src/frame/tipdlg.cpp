#include "frame/tipdlg.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/profile.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Tip");
const QString kStartUp = QStringLiteral("StartUp");
const QString kFilePos = QStringLiteral("FilePos");
const QString kTimeStamp = QStringLiteral("TimeStamp");

// Bitmap 106: a lit bulb on white.
QPixmap TipBitmap()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(230, 170, 0), 2, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF &ray : {QLineF(24, 3, 24, 7), QLineF(8, 10, 11, 13), QLineF(40, 10, 37, 13),
                              QLineF(3, 22, 7, 22), QLineF(45, 22, 41, 22)})
        p.drawLine(ray);
    QRadialGradient glow(QPointF(21, 18), 14);
    glow.setColorAt(0, QColor(255, 255, 210));
    glow.setColorAt(1, QColor(255, 215, 40));
    p.setBrush(glow);
    p.setPen(QPen(QColor(150, 110, 0), 1.5));
    QPainterPath bulb;
    bulb.moveTo(19, 33);
    bulb.cubicTo(19, 28, 12, 26, 12, 20);
    bulb.arcTo(QRectF(12, 9, 24, 24), 180, -180);
    bulb.cubicTo(36, 26, 29, 28, 29, 33);
    bulb.closeSubpath();
    p.drawPath(bulb);
    p.setBrush(QColor(140, 140, 150));
    p.setPen(QPen(QColor(80, 80, 90), 1));
    p.drawRoundedRect(QRectF(19, 33, 10, 8), 2, 2);
    p.drawLine(QLineF(19, 36, 29, 36));
    p.drawLine(QLineF(19, 39, 29, 39));
    p.end();
    return pixmap;
}

// Frame 1000: white, the bulb at its top-left and "Did you know..." beside
// it; the tip text sits below on the same white.
class CTipFrame : public QWidget
{
public:
    explicit CTipFrame(QWidget *parent)
        : QWidget(parent)
        , m_bitmap(TipBitmap())
        , m_heading(LoadString(StringId::DidYouKnow))
    {
        setObjectName(QStringLiteral("1000"));
    }

    int BandHeight() const { return m_bitmap.height(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawPixmap(1, 1, m_bitmap);
        QFont heading = font();
        heading.setBold(true);
        heading.setPointSizeF(heading.pointSizeF() * 1.4);
        p.setFont(heading);
        p.setPen(Qt::black);
        const QRect band(m_bitmap.width() + 8, 1, width() - m_bitmap.width() - 10, m_bitmap.height());
        p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_heading);
    }

private:
    QPixmap m_bitmap;
    QString m_heading;
};

} // namespace

CTipDlg::CTipDlg(QWidget *parent, const QString &tipsFile)
    : QDialog(parent)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setModal(true);

    auto *frame = new CTipFrame(this);
    m_text = new QLabel(frame);
    m_text->setObjectName(QStringLiteral("1004"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAutoFillBackground(true);
    QPalette white = m_text->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_text->setPalette(white);
    auto *inFrame = new QVBoxLayout(frame);
    inFrame->setContentsMargins(frame->BandHeight() + 8, frame->BandHeight() + 6, 14, 12);
    inFrame->addWidget(m_text);

    m_startUpBox = new QCheckBox(QStringLiteral("&Show Tips on StartUp"), this);
    m_startUpBox->setObjectName(QStringLiteral("1001"));
    m_next = new QPushButton(QStringLiteral("&Next Tip"), this);
    m_next->setObjectName(QStringLiteral("1002"));
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("1"));
    close->setDefault(true);
    connect(m_next, &QPushButton::clicked, this, &CTipDlg::NextTip);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_startUpBox);
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(460, 250);

    m_startUp = GetProfileInt(kSection, kStartUp, 0) == 0;
    m_startUpBox->setChecked(m_startUp);
    qint64 pos = GetProfileInt(kSection, kFilePos, 0);

    if (!m_file.Open(tipsFile)) {
        m_tip = LoadString(StringId::TipsFileMissing);
        m_text->setText(m_tip);
        return;
    }
    const QString stamp = m_file.TimeStamp();
    if (stamp != GetProfileString(kSection, kTimeStamp)) {
        pos = 0;
        WriteProfileString(kSection, kTimeStamp, stamp);
    }
    if (!m_file.Seek(pos))
        TwkMessageBox(LoadString(StringId::TipsFileTrouble), QStringLiteral("Tallywick + "), MB_OK, this);
    else
        NextTip();
}

CTipDlg::~CTipDlg()
{
    // The next tip shown is the one after the last one shown here.
    if (m_file.IsOpen()) {
        WriteProfileInt(kSection, kFilePos, int(m_file.Pos()));
        m_file.Close();
    }
}

void CTipDlg::NextTip()
{
    if (m_file.Next(m_tip) == CTipFile::Read::Trouble)
        TwkMessageBox(LoadString(StringId::TipsFileTrouble), QStringLiteral("Tallywick + "), MB_OK, this);
    // The line end belongs to the tip as read, not to what the label shows.
    m_text->setText(QString(m_tip).remove(u'\r').remove(u'\n'));
}

void CTipDlg::showEvent(QShowEvent *event)
{
    if (!m_file.IsOpen())
        m_next->setEnabled(false);
    QDialog::showEvent(event);
}

void CTipDlg::done(int result)
{
    // Closing by Escape or the close box keeps the choice as well.
    m_startUp = m_startUpBox->isChecked();
    WriteProfileInt(kSection, kStartUp, m_startUp ? 0 : 1);
    QDialog::done(result);
}

bool CTipDlg::RunAtStartUp(QWidget *parent, const QString &tipsFile)
{
    if (GetProfileInt(kSection, kStartUp, 0) != 0)
        return false;
    CTipDlg dlg(parent, tipsFile);
    dlg.exec();
    return true;
}
