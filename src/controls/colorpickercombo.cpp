#include "controls/colorpickercombo.h"

#include "base/uiseam.h"

#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

constexpr CNamedColour kPalette[] = {
    {MakeColorRef(100, 100, 100), "Default"},  {MakeColorRef(207, 175, 183), "Classic 1"},
    {MakeColorRef(160, 140, 105), "Classic 2"}, {MakeColorRef(173, 189, 133), "Classic 3"},
    {MakeColorRef(39, 87, 92), "Classic 4"},    {MakeColorRef(133, 133, 24), "Classic 5"},
    {MakeColorRef(174, 168, 217), "Classic 6"}, {MakeColorRef(200, 125, 125), "Reddish 1"},
    {MakeColorRef(200, 65, 35), "Reddish 2"},   {MakeColorRef(66, 5, 5), "Reddish 3"},
    {MakeColorRef(100, 150, 100), "Greenish 1"}, {MakeColorRef(0, 100, 65), "Greenish 2"},
    {MakeColorRef(50, 75, 50), "Greenish 3"},   {MakeColorRef(120, 150, 200), "Bluish 1"},
    {MakeColorRef(0, 91, 136), "Bluish 2"},     {MakeColorRef(0, 36, 72), "Bluish 3"},
    {MakeColorRef(255, 0, 255), "Fuchsia"},     {MakeColorRef(0, 255, 255), "Cyan"},
    {MakeColorRef(127, 127, 127), "Grey"},      {MakeColorRef(255, 0, 0), "Red"},
    {MakeColorRef(255, 127, 0), "Orange"},      {MakeColorRef(255, 255, 0), "Yellow"},
    {MakeColorRef(0, 255, 0), "Green"},         {MakeColorRef(0, 0, 255), "Blue"},
    {MakeColorRef(255, 255, 255), "White"},     {MakeColorRef(0, 0, 0), "Black"},
};

constexpr int kSwatchWidth = 24;
constexpr int kMargin = 3;

// Swatch, then the name, on the window or highlight colour.
void PaintEntry(QPainter *painter, const QRect &rect, const QPalette &palette, bool selected, bool focused,
                const QColor &colour, const QString &name)
{
    painter->save();
    painter->fillRect(rect, selected ? palette.highlight() : palette.base());
    const QRect swatch(rect.left() + kMargin, rect.top() + kMargin, kSwatchWidth, rect.height() - 2 * kMargin);
    painter->fillRect(swatch, colour);
    painter->setPen(palette.color(QPalette::WindowText));
    painter->drawRect(swatch.adjusted(0, 0, -1, -1));
    painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    const QRect text = rect.adjusted(kSwatchWidth + 3 * kMargin, 0, 0, 0);
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, name);
    if (focused) {
        painter->setPen(Qt::DotLine);
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

class CColourDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        PaintEntry(painter, option.rect, option.palette, option.state & QStyle::State_Selected,
                   option.state & QStyle::State_HasFocus, QColorFromColorRef(COLORREF(index.data(Qt::UserRole).toUInt())),
                   index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize hint = QStyledItemDelegate::sizeHint(option, index);
        return {hint.width() + kSwatchWidth + 3 * kMargin, std::max(hint.height(), option.fontMetrics.height() + 2 * kMargin)};
    }
};

} // namespace

std::span<const CNamedColour> ColourPalette()
{
    return kPalette;
}

CColorPickerCombo::CColorPickerCombo(QWidget *parent)
    : QComboBox(parent)
{
    setItemDelegate(new CColourDelegate(this));
    connect(this, &QComboBox::activated, this, &CColorPickerCombo::OnActivated);
}

void CColorPickerCombo::Fill()
{
    clear();
    for (const CNamedColour &entry : kPalette)
        addItem(QString::fromLatin1(entry.name), uint(entry.colour));
    addItem(CustomText(), uint(MakeColorRef(255, 255, 255)));
    setCurrentIndex(0);
}

void CColorPickerCombo::SelectColour(COLORREF colour)
{
    for (int i = 0; i < count(); ++i) {
        if (ItemColour(i) == colour) {
            setCurrentIndex(i);
            return;
        }
    }
    if (count() == 0)
        return;
    setItemData(count() - 1, uint(colour));
    setCurrentIndex(count() - 1);
}

COLORREF CColorPickerCombo::ItemColour(int index) const
{
    return COLORREF(itemData(index).toUInt());
}

COLORREF CColorPickerCombo::SelectedColour() const
{
    return ItemColour(currentIndex());
}

void CColorPickerCombo::OnActivated(int index)
{
    if (itemText(index) != CustomText())
        return;
    if (const std::optional<unsigned> chosen = UiSeam().ChooseColor(this, ItemColour(index)))
        setItemData(index, uint(*chosen));
    update();
}

void CColorPickerCombo::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        PaintEntry(&painter, field, palette(), false, hasFocus(), QColorFromColorRef(SelectedColour()), currentText());
}
