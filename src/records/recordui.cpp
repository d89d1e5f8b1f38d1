#include "records/recordui.h"

#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/tallywickdata.h"
#include "records/listorder.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

QDialogButtonBox *MakeOkCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    SetControlId(buttons->button(QDialogButtonBox::Ok), 1);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPushButton *LayOutBesideOkCancel(QDialog *dialog, QWidget *content)
{
    auto *ok = MakeControl<QPushButton>(dialog, 1, QStringLiteral("OK"));
    ok->setDefault(true);
    auto *cancel = MakeControl<QPushButton>(dialog, 2, QStringLiteral("Cancel"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(dialog);
    layout->addWidget(content, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return ok;
}

void TellUser(QWidget *owner, unsigned id)
{
    TwkMessageBox(LoadString(id), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, owner);
}

void AddHelpKey(QWidget *dialog, CTallywickData &data, unsigned topicId)
{
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    QObject::connect(help, &QShortcut::activated, dialog, [&data, topicId] {
        if (data.showHelp)
            data.showHelp(LoadString(topicId));
    });
}

void FillSortedCombo(QComboBox *box, const QStringList &items)
{
    box->clear();
    box->addItems(SortedIgnoringCase(items));
}

int InsertSortedCombo(QComboBox *box, const QString &item)
{
    const int index = SortedInsertIndex(ComboItems(box), item);
    box->insertItem(index, item);
    return index;
}

QStringList ComboItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

bool BackupBeforeDelete(CTallywickData &data, unsigned questionId, QWidget *owner)
{
    switch (TwkMessageBox(LoadString(questionId), QStringLiteral("Tallywick + "), MB_YESNOCANCEL | MB_ICONQUESTION, owner)) {
    case IDNO:
        return true;
    case IDYES:
        return data.backupData && data.backupData(owner);
    default:
        return false;
    }
}
