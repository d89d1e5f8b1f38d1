#include "frame/accelmappage.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/dialogcontrols.h"
#include "controls/keycaptureedit.h"
#include "data/tallywickdata.h"
#include "frame/mainframe.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int kLockedRole = Qt::UserRole + 1;

// Built-in keys are greyed and never look selected; the user's keys show
// the selection.
class CKeyItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool locked = index.data(kLockedRole).toBool();
        const bool selected = !locked && (option.state & QStyle::State_Selected);
        const QPalette &palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        QColor text = palette.color(QPalette::Text);
        if (locked)
            text = palette.color(QPalette::Disabled, QPalette::Text);
        else if (selected)
            text = palette.color(QPalette::HighlightedText);
        painter->setPen(text);
        painter->drawText(option.rect.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QPen pen(palette.color(QPalette::Text));
            pen.setStyle(Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }
};

QVariant KeyData(const CAccelItem &item)
{
    return (uint(item.fVirt) << 16) | item.key;
}

CAccelItem KeyFromData(const QVariant &data, bool locked)
{
    const uint v = data.toUInt();
    return CAccelItem{static_cast<unsigned char>(v >> 16), static_cast<unsigned short>(v & 0xFFFF), locked};
}

} // namespace

CAccelMapPage::CAccelMapPage(CAcceleratorManager *appManager, CTallywickData &data, bool inSheet, QWidget *parent)
    : CSettingsPage(false, parent)
    , m_app(appManager)
    , m_data(data)
{
    setWindowTitle(QStringLiteral("Menu Shortcut Keys"));
    SetControlId(this, IDD);
    BuildControls(inSheet);
    Refresh();
}

void CAccelMapPage::BuildControls(bool inSheet)
{
    auto *commandsLabel = new QLabel(QStringLiteral("&Commands:"), this);
    m_commands = MakeControl<QListWidget>(this, 1080);
    commandsLabel->setBuddy(m_commands);

    auto *keysLabel = new QLabel(QStringLiteral("C&urrent Keys:"), this);
    m_keyList = MakeControl<QListWidget>(this, 1081);
    keysLabel->setBuddy(m_keyList);
    m_keyList->setItemDelegate(new CKeyItemDelegate(m_keyList));
    QPalette white = m_keyList->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_keyList->setPalette(white);
    m_keyList->setMinimumWidth(180);
    m_remove = MakeControl<QPushButton>(this, 5, QStringLiteral("&Remove"));

    auto *pressLabel = new QLabel(QStringLiteral("&Press new shortcut key:"), this);
    m_keyBox = MakeControl<CKeyCaptureEdit>(this, 1084);
    pressLabel->setBuddy(m_keyBox);
    m_assign = MakeControl<QPushButton>(this, 3, QStringLiteral("&Assign"));

    auto *affected = MakeControl<QLabel>(this, 1140, QStringLiteral("Currently affected to:"));
    m_owner = MakeControl<QLabel>(this, 1083);
    QFont ownerFont(QStringLiteral("Marigold"));
    ownerFont.setPixelSize(14);
    ownerFont.setBold(true);
    m_owner->setFont(ownerFont);
    QPalette red = m_owner->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_owner->setPalette(red);
    m_owner->setMinimumHeight(QFontMetrics(ownerFont).height());

    m_reset = MakeControl<QPushButton>(this, 4, QStringLiteral("Re&set All"));
    auto *ok = MakeControl<QPushButton>(this, 1, QStringLiteral("OK"));
    auto *cancel = MakeControl<QPushButton>(this, 2, QStringLiteral("Cancel"));

    auto *instruction = new QLabel(LoadString(StringId::ShortcutKeysInstruction), this);
    instruction->setWordWrap(true);
    auto *info = MakeInfoIcon(this, 1102, LoadString(StringId::ShortcutKeysInfoTip));

    auto *right = new QGridLayout;
    right->addWidget(keysLabel, 0, 0, 1, 2);
    right->addWidget(m_keyList, 1, 0);
    auto *removeColumn = new QVBoxLayout;
    removeColumn->addWidget(m_remove);
    removeColumn->addStretch();
    right->addLayout(removeColumn, 1, 1);
    right->addWidget(pressLabel, 2, 0, 1, 2);
    right->addWidget(m_keyBox, 3, 0);
    right->addWidget(m_assign, 3, 1);
    right->addWidget(affected, 4, 0, 1, 2);
    right->addWidget(m_owner, 5, 0, 1, 2);
    right->setRowStretch(1, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(commandsLabel);
    left->addWidget(m_commands, 1);

    auto *top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(right, 2);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(info, 0, Qt::AlignTop);
    bottom->addWidget(instruction, 1);
    bottom->addWidget(m_reset, 0, Qt::AlignBottom);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    layout->addLayout(buttons);

    // The sheet has the OK and Cancel of every page.
    if (inSheet) {
        ok->hide();
        cancel->hide();
    }
    connect(ok, &QPushButton::clicked, this, [this] {
        if (Apply())
            emit closeRequested(QDialog::Accepted);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { emit closeRequested(QDialog::Rejected); });
    connect(m_assign, &QPushButton::clicked, this, &CAccelMapPage::OnAssign);
    connect(m_remove, &QPushButton::clicked, this, &CAccelMapPage::OnRemove);
    connect(m_reset, &QPushButton::clicked, this, &CAccelMapPage::OnResetAll);
    connect(m_commands, &QListWidget::currentRowChanged, this, [this] { FillKeys(); });

    setTabOrder(m_commands, m_keyList);
    setTabOrder(m_keyList, m_remove);
    setTabOrder(m_remove, m_keyBox);
    setTabOrder(m_keyBox, m_assign);
    setTabOrder(m_assign, m_reset);
}

bool CAccelMapPage::event(QEvent *event)
{
    // F1 on the page opens the page's own topic, before the help key of a
    // sheet around it can; the key box takes F1 as a key first.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (event->type() == QEvent::KeyPress && m_data.showHelp)
                m_data.showHelp(QString::fromLatin1(kHelpTopic));
            event->accept();
            return true;
        }
    }
    return CSettingsPage::event(event);
}

void CAccelMapPage::showEvent(QShowEvent *event)
{
    CSettingsPage::showEvent(event);
    if (!m_app) {
        emit closeRequested(QDialog::Rejected);
        return;
    }
    // Keys changed elsewhere (loaded at start-up, an earlier OK) show here
    // unless the user is in the middle of editing.
    if (!m_edited)
        Refresh();
}

void CAccelMapPage::Refresh()
{
    if (m_app)
        m_keys = *m_app;
    m_edited = false;
    const bool any = !m_keys.Commands().isEmpty();
    m_assign->setEnabled(any);
    m_remove->setEnabled(any);
    m_keyBox->setEnabled(any);
    m_reset->setEnabled(any && m_helper.CanReset());
    FillCommands();
}

bool CAccelMapPage::Apply()
{
    if (!m_app)
        return true;
    *m_app = m_keys;
    m_app->CreateTable();
    m_edited = false;
    return true;
}

void CAccelMapPage::Cancel()
{
    Refresh();
}

void CAccelMapPage::FillCommands()
{
    const QSignalBlocker block(m_commands);
    m_commands->clear();
    m_owner->clear();
    int widest = 0;
    for (const CAccelDlgHelper::CommandRow &row : m_helper.CommandRows()) {
        auto *item = new QListWidgetItem(row.name, m_commands);
        item->setData(Qt::UserRole, row.id);
        widest = qMax(widest, m_commands->fontMetrics().horizontalAdvance(row.name));
    }
    // Every name shows whole, beside the scroll bar.
    m_commands->setMinimumWidth(widest + m_commands->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16);
    m_commands->setCurrentRow(m_commands->count() > 0 ? 0 : -1);
    FillKeys();
}

void CAccelMapPage::FillKeys()
{
    m_keyList->clear();
    for (const CAccelItem &key : m_helper.KeysOf(SelectedCommand())) {
        auto *item = new QListWidgetItem(key.Text(), m_keyList);
        item->setData(Qt::UserRole, KeyData(key));
        item->setData(kLockedRole, key.locked);
    }
    m_keyBox->ClearCombination();
}

unsigned short CAccelMapPage::SelectedCommand() const
{
    const QListWidgetItem *item = m_commands->currentItem();
    return item ? static_cast<unsigned short>(item->data(Qt::UserRole).toUInt()) : 0;
}

void CAccelMapPage::OnAssign()
{
    m_owner->clear();
    // A complete key whose name is empty shows nothing in the box, but is
    // still a key the user pressed: it is answered below.
    if (!m_keyBox->IsComplete()) {
        if (m_keyBox->text().isEmpty())
            TwkMessageBox(LoadString(StringId::ShortcutKeysInstruction), QStringLiteral("Tallywick + "), MB_OK, this);
        return;
    }
    m_helper.SetReservedKeys(m_app && m_app->Window() ? m_app->Window()->ReservedKeys() : QList<CReservedKey>());
    const CAccelDlgHelper::AssignResult result = m_helper.Assign(SelectedCommand(), m_keyBox->Combination());
    switch (result.outcome) {
    case CAccelDlgHelper::Assigned::Taken:
        m_owner->setText(result.owner);
        m_keyBox->setFocus();
        m_keyBox->selectAll();
        return;
    case CAccelDlgHelper::Assigned::Reserved:
        m_owner->setText(result.owner);
        TwkMessageBox(LoadString(StringId::ShortcutKeyReserved).arg(result.key.Text(), result.owner),
                      QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, this);
        m_keyBox->setFocus();
        m_keyBox->selectAll();
        return;
    case CAccelDlgHelper::Assigned::NoCommand:
        return;
    case CAccelDlgHelper::Assigned::Done:
        m_edited = true;
        FillKeys();
        break;
    case CAccelDlgHelper::Assigned::Unnamed:
        TwkMessageBox(LoadString(StringId::ShortcutKeyUnnamed), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION,
                      this);
        break;
    }
    m_keyBox->ClearCombination();
}

void CAccelMapPage::OnRemove()
{
    const QListWidgetItem *item = m_keyList->currentItem();
    const unsigned short command = SelectedCommand();
    if (!item || !item->isSelected() || !command)
        return;
    const CAccelItem key = KeyFromData(item->data(Qt::UserRole), item->data(kLockedRole).toBool());
    switch (m_helper.Remove(command, key)) {
    case CAccelDlgHelper::Removed::LookupFailed:
        TwkMessageBox(QStringLiteral("internal error (CAccelDlgHelper::Remove : Lookup failed)"),
                      QStringLiteral("Tallywick + "), MB_OK, this);
        return;
    case CAccelDlgHelper::Removed::KeyUnavailable:
        TwkMessageBox(QStringLiteral("internal error (CAccelDlgHelper::Remove : pAccel unavailable)"),
                      QStringLiteral("Tallywick + "), MB_OK, this);
        return;
    case CAccelDlgHelper::Removed::Locked:
        TwkMessageBox(QStringLiteral("This is default key included in the program.\nYou cannot change this key. But\n"
                                     "you may assign another Key additionally"),
                      QStringLiteral("Tallywick + "), MB_OK, this);
        return;
    case CAccelDlgHelper::Removed::Done:
        break;
    }
    m_edited = true;
    delete m_keyList->takeItem(m_keyList->row(item));
    m_keyBox->ClearCombination();
    m_owner->clear();
}

void CAccelMapPage::OnResetAll()
{
    if (TwkMessageBox(LoadString(StringId::ResetShortcutKeysQuestion), QStringLiteral("Tallywick + "),
                      MB_YESNO | MB_ICONQUESTION, this)
        != IDYES)
        return;
    m_helper.ResetAll();
    m_edited = true;
    FillCommands();
}
