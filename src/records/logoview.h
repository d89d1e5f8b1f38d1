#pragma once

#include <QImage>
#include <QWidget>

// The user's logo bitmap, drawn stretched to the whole inner rectangle. A
// file that cannot be loaded leaves it empty.
class CLogoView : public QWidget
{
    Q_OBJECT
public:
    explicit CLogoView(QWidget *parent);
    void SetPicture(const QString &path);
    bool HasPicture() const { return !m_image.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
