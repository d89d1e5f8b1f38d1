#pragma once

#include <QString>
#include <QStringList>

class CTallywickData;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

// Every control carries its resource id as its object name, so that tests
// and add-ins find it by id.
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

// OK (id 1) and Cancel (id 2) wired to the dialog's accept and reject.
QDialogButtonBox *MakeOkCancel(QDialog *dialog);

// The small information icon that carries a tooltip.
QLabel *MakeInfoIcon(QWidget *parent, int id, const QString &tip);

// F1 opens the help topic held in string `topicId`.
void AddHelpKey(QWidget *dialog, CTallywickData &data, unsigned topicId);

// A drop-down list kept sorted ignoring case by our code.
void FillSortedCombo(QComboBox *box, const QStringList &items);
int InsertSortedCombo(QComboBox *box, const QString &item);
QStringList ComboItems(const QComboBox *box);

// The wait cursor while a statement series runs.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};
