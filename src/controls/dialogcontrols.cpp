#include "controls/dialogcontrols.h"

#include <QLabel>
#include <QStyle>

void SetControlId(QWidget *control, int id)
{
    control->setObjectName(ControlName(id));
}

QString ControlName(int id)
{
    return QString::number(id);
}

QLabel *MakeInfoIcon(QWidget *parent, int id, const QString &tip)
{
    auto *icon = MakeControl<QLabel>(parent, id);
    const int size = parent->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, parent);
    icon->setPixmap(parent->style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, parent).pixmap(size, size));
    icon->setToolTip(tip);
    icon->setFixedSize(size, size);
    return icon;
}
