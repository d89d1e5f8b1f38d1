#include "records/logoview.h"

#include <QPainter>

CLogoView::CLogoView(QWidget *parent)
    : QWidget(parent)
{
}

void CLogoView::SetPicture(const QString &path)
{
    m_image = path.isEmpty() ? QImage() : QImage(path);
    update();
}

void CLogoView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_image);
}
