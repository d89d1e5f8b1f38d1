#include "app/splashdlg.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

CSplashDlg::CSplashDlg(const QString &appFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("Please wait..."));
    setModal(false);

    QPixmap banner(appFolder + QStringLiteral("/TWKBanner.bmp"));
    if (banner.isNull())
        banner.load(QStringLiteral(":/twk/bitmap136.bmp"));
    m_banner = new QLabel(this);
    m_banner->setPixmap(banner);
    m_banner->setAlignment(Qt::AlignCenter);

    QFont font(QStringLiteral("Marigold"));
    font.setPointSize(11);
    m_status = new QLabel(this);
    m_status->setFont(font);
    m_status->setAlignment(Qt::AlignCenter);
    m_second = new QLabel(QStringLiteral("Ver 4.0"), this);
    m_second->setFont(font);
    m_second->setAlignment(Qt::AlignCenter);
    m_second->setStyleSheet(QStringLiteral("color: palette(mid)"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(m_banner);
    layout->addSpacing(8);
    layout->addWidget(m_status);
    layout->addWidget(m_second);
    setFixedSize(sizeHint());
}

void CSplashDlg::SetText(const QString &text)
{
    m_status->setText(text);
    m_status->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString CSplashDlg::Text() const
{
    return m_status->text();
}
