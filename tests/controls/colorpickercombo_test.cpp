#include "controls/colorpickercombo.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

namespace {

class ColourPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        picker.Fill();
        picker.resize(200, picker.sizeHint().height());
    }
    int CustomIndex() const { return picker.count() - 1; }
    void ChooseCustom()
    {
        picker.setCurrentIndex(CustomIndex());
        emit picker.activated(CustomIndex());
    }
    CColorPickerCombo picker;
};

TEST_F(ColourPickerTest, SelectingAColourPicksItsNamedEntryOrCustom)
{
    EXPECT_EQ(picker.currentText(), QStringLiteral("Default"));
    picker.SelectColour(MakeColorRef(0, 0, 255));
    EXPECT_EQ(picker.currentText(), QStringLiteral("Blue"));
    picker.SelectColour(MakeColorRef(100, 100, 100));
    EXPECT_EQ(picker.currentText(), QStringLiteral("Default"));
    EXPECT_EQ(picker.SelectedColour(), MakeColorRef(100, 100, 100));

    picker.SelectColour(MakeColorRef(1, 2, 3));
    EXPECT_EQ(picker.currentText(), QStringLiteral("Custom..."));
    EXPECT_EQ(picker.SelectedColour(), MakeColorRef(1, 2, 3));
    // Choosing programmatically never opens the colour dialog.
    EXPECT_TRUE(TestUi().messages.isEmpty());

    // The swatch of the closed box shows the custom colour.
    QStyleOptionComboBox option;
    option.initFrom(&picker);
    const QRect field = picker.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &picker);
    const QImage shot = picker.grab().toImage();
    EXPECT_EQ(shot.pixelColor(field.left() + 10, field.center().y()), QColor(1, 2, 3));
}

TEST_F(ColourPickerTest, CustomAsksTheColourDialogAndKeepsItsColourOnCancel)
{
    TestUi().QueueColor(MakeColorRef(9, 8, 7));
    ChooseCustom();
    EXPECT_EQ(picker.SelectedColour(), MakeColorRef(9, 8, 7));
    ChooseCustom(); // nothing queued: cancelled
    EXPECT_EQ(picker.currentText(), QStringLiteral("Custom..."));
    EXPECT_EQ(picker.SelectedColour(), MakeColorRef(9, 8, 7));
    picker.Fill();
    EXPECT_EQ(picker.ItemColour(CustomIndex()), MakeColorRef(255, 255, 255));
}

} // namespace
