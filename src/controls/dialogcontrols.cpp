#include "controls/dialogcontrols.h"

#include "base/amounttext.h"
#include "base/uiseam.h"

#include <QLabel>
#include <QLineEdit>
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

std::optional<double> TakeAmount(QLineEdit *box, QWidget *owner)
{
    const QString typed = box->text();
    const AmountMarks marks = DesktopAmountMarks();
    const AmountReading reading = ReadAmount(typed, marks);
    if (reading.value)
        return reading.value;
    TwkMessageBox(AmountRefusalMessage(typed, reading, marks), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION,
                  owner);
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}
