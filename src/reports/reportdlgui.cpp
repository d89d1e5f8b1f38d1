#include "reports/reportdlgui.h"

#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/datefield.h"
#include "data/tallywickdata.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>

QDateEdit *MakeReportPicker(QWidget *parent, int id, const QString &dateFormat)
{
    return MakeDateField(parent, id, dateFormat);
}

QString MonthPickerFormat(const QString &dateFormat)
{
    if (dateFormat.contains(QLatin1String("MMM")))
        return QStringLiteral("MMM-yyyy");
    // The month where the format puts it, with the format's own separator.
    if (dateFormat == QLatin1String("yyyy-MM-dd"))
        return QStringLiteral("yyyy-MM");
    if (dateFormat == QLatin1String("dd.MM.yyyy"))
        return QStringLiteral("MM.yyyy");
    return QStringLiteral("MM-yyyy");
}

QLabel *MakeReportInfoIcon(QWidget *parent, int id, unsigned tipId)
{
    return MakeInfoIcon(parent, id, LoadString(tipId));
}

void PrepareReportDialog(QWidget *dialog, int dialogId, CTallywickData &data, unsigned helpTopic)
{
    dialog->setObjectName(QString::number(dialogId));
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    const unsigned topic = helpTopic ? helpTopic : StringId::HelpReportsMenu;
    QObject::connect(help, &QShortcut::activated, dialog, [&data, topic] {
        if (data.showHelp)
            data.showHelp(LoadString(topic));
    });
}

QListWidget *MakeNameList(QWidget *parent, int id, const QStringList &names)
{
    auto *list = MakeControl<QListWidget>(parent, id);
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->addItems(names);
    return list;
}

QStringList EntryNames(const QList<CCategoryEntry> &entries)
{
    QStringList names;
    for (const CCategoryEntry &entry : entries)
        names << entry.cTransactionName;
    return names;
}

QStringList SelectedNames(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            names << list->item(i)->text();
    }
    return names;
}

QStringList AllNames(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void BindSelectAll(QCheckBox *box, QListWidget *list, bool follow)
{
    QObject::connect(box, &QCheckBox::clicked, list, [box, list](bool checked) {
        const QSignalBlocker block(box);
        if (checked)
            list->selectAll();
        else
            list->clearSelection();
    });
    if (!follow)
        return;
    QObject::connect(list, &QListWidget::itemSelectionChanged, box, [box, list] {
        const bool every = list->count() > 0 && list->selectedItems().size() == list->count();
        const QSignalBlocker block(box);
        box->setChecked(every);
    });
}

DescriptionRadios MakeDescriptionRadios(QWidget *parent, const int (&ids)[3], const QString (&texts)[3],
                                        const std::function<void(int)> &chosen)
{
    auto *group = new QButtonGroup(parent);
    QRadioButton *buttons[3];
    for (int option = 0; option < 3; ++option) {
        buttons[option] = MakeControl<QRadioButton>(parent, ids[option], texts[option]);
        group->addButton(buttons[option], option);
    }
    QObject::connect(group, &QButtonGroup::idClicked, parent, chosen);
    buttons[0]->setChecked(true);
    chosen(0);
    return {buttons[0], buttons[1], buttons[2]};
}

QDialogButtonBox *MakeOkCancel(QWidget *parent)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, parent);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    return buttons;
}
