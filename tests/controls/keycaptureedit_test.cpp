#include "controls/keycaptureedit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

TEST(KeyCaptureEdit, ShowsTheCombinationAndStartsOverAfterACompleteOne)
{
    CKeyCaptureEdit box;
    box.show();
    QApplication::setActiveWindow(&box);
    box.setFocus();

    QTest::keyClick(&box, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.text(), QStringLiteral("Ctrl+Shift+F5"));
    ASSERT_TRUE(box.IsComplete());
    EXPECT_EQ(box.Combination(), (CVirtualKey{FVIRTKEY | FCONTROL | FSHIFT, 0x74}));

    // An auto-repeat of the completing key keeps the combination.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&box, &repeat);
    EXPECT_EQ(box.text(), QStringLiteral("Ctrl+Shift+F5"));

    // Alt held, then Q; modifiers released after the key change nothing.
    QTest::keyPress(&box, Qt::Key_Alt);
    EXPECT_EQ(box.text(), QStringLiteral("Alt"));
    EXPECT_FALSE(box.IsComplete());
    QTest::keyClick(&box, Qt::Key_Q, Qt::AltModifier);
    QTest::keyRelease(&box, Qt::Key_Alt);
    EXPECT_EQ(box.text(), QStringLiteral("Alt+Q"));
    EXPECT_EQ(box.Combination(), (CVirtualKey{FVIRTKEY | FALT, 'Q'}));

    // The next key press starts over; a modifier let go before any key
    // leaves nothing behind.
    QTest::keyPress(&box, Qt::Key_Shift);
    QTest::keyRelease(&box, Qt::Key_Shift);
    EXPECT_EQ(box.text(), QString());
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.text(), QStringLiteral("RETURN"));
    EXPECT_EQ(box.Combination(), (CVirtualKey{FVIRTKEY, 0x0D}));
}
