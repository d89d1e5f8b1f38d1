#pragma once

#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

// Every control of a dialog carries its resource id as its object name, so
// that tests and add-ins find it by id.
void SetControlId(QWidget *control, int id);
QString ControlName(int id);

template<typename W>
W *MakeControl(QWidget *parent, int id)
{
    auto *control = new W(parent);
    SetControlId(control, id);
    return control;
}

template<typename W>
W *MakeControl(QWidget *parent, int id, const QString &text)
{
    W *control = MakeControl<W>(parent, id);
    control->setText(text);
    return control;
}

// The small information icon that carries a tooltip.
QLabel *MakeInfoIcon(QWidget *parent, int id, const QString &tip);

// The amount an amount box holds, read by the desktop's marks. A refused
// amount is told with the forms that are read, and left as typed, selected
// and in the focus, for the user to mend.
std::optional<double> TakeAmount(QLineEdit *box, QWidget *owner);
