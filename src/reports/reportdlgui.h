#pragma once

#include "controls/dialogcontrols.h"

#include <QString>
#include <QStringList>

#include <functional>

class CTallywickData;
class QCheckBox;
class QDateEdit;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QWidget;
struct CCategoryEntry;
template<typename T>
class QList;

// A date picker in the user's date format, showing today; English month
// names on any desktop, as the reports print them.
QDateEdit *MakeReportPicker(QWidget *parent, int id, const QString &dateFormat);

// The monthly report's month picker format for a date format: month and
// year only, in the date format's order.
QString MonthPickerFormat(const QString &dateFormat);

// The information icon with its tooltip string.
QLabel *MakeReportInfoIcon(QWidget *parent, int id, unsigned tipId);

// F1 opens the reports help topic, or the one given; the standard id of the
// dialog is set.
void PrepareReportDialog(QWidget *dialog, int dialogId, CTallywickData &data, unsigned helpTopic = 0);

// A multiple-selection list of names.
QListWidget *MakeNameList(QWidget *parent, int id, const QStringList &names);
QStringList EntryNames(const QList<CCategoryEntry> &entries);
QStringList SelectedNames(const QListWidget *list);
QStringList AllNames(const QListWidget *list);

// A "Select all" box that selects or clears every entry of its list; with
// `follow` it also shows whether every entry is selected.
void BindSelectAll(QCheckBox *box, QListWidget *list, bool follow);

// The three description options as radio buttons with the given ids and
// texts, "None" (the first) checked; `chosen` hears each click with the
// option.
struct DescriptionRadios {
    QRadioButton *none;
    QRadioButton *exact;
    QRadioButton *matching;
};
DescriptionRadios MakeDescriptionRadios(QWidget *parent, const int (&ids)[3], const QString (&texts)[3],
                                        const std::function<void(int)> &chosen);

// OK and Cancel, OK the default button.
QDialogButtonBox *MakeOkCancel(QWidget *parent);
