#pragma once

#include "controls/dialogcontrols.h"

#include <QString>
#include <QStringList>

class CTallywickData;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QPushButton;
class QLabel;
class QWidget;

// OK (id 1) and Cancel (id 2) wired to the dialog's accept and reject.
QDialogButtonBox *MakeOkCancel(QDialog *dialog);

// Lays `content` out beside a column of OK (the default button, 1) and
// Cancel (2, rejects), the dialog at its content's size; returns OK.
QPushButton *LayOutBesideOkCancel(QDialog *dialog, QWidget *content);

// Shows string `id` with OK and the information icon, titled "Tallywick + ".
void TellUser(QWidget *owner, unsigned id);

// F1 opens the help topic held in string `topicId`.
void AddHelpKey(QWidget *dialog, CTallywickData &data, unsigned topicId);

// A drop-down list kept sorted ignoring case by our code.
void FillSortedCombo(QComboBox *box, const QStringList &items);
int InsertSortedCombo(QComboBox *box, const QString &item);
QStringList ComboItems(const QComboBox *box);

// Before a deletion that takes transactions with it: asks `questionId` with
// Yes (back up first), No (go on without) and Cancel, and runs the backup on
// Yes. True when the deletion may go on: No, or Yes with a backup that
// succeeded.
bool BackupBeforeDelete(CTallywickData &data, unsigned questionId, QWidget *owner);
