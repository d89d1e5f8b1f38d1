#include "base/displaywidth.h"

#include <gtest/gtest.h>

#include <QString>

TEST(DisplayWidth, CountsCellsNotUtf16Units)
{
    EXPECT_EQ(DisplayWidth(u"Bäckerei Größe"), 14);
    // The same name with its accents written as combining marks.
    EXPECT_EQ(DisplayWidth(u"Ba\u0308ckerei Gro\u0308\u00DFe"), 14);
    EXPECT_EQ(DisplayWidth(u"東京"), 4);
    EXPECT_EQ(DisplayWidth(u"ＡＢ"), 4) << "fullwidth letters";
    EXPECT_EQ(DisplayWidth(u"한국"), 4);
    // Outside the basic plane: one character, whatever its UTF-16 length.
    EXPECT_EQ(DisplayWidth(QStringView(u"\U0001D504x")), 2) << "a narrow letter of two units";
    EXPECT_EQ(DisplayWidth(QStringView(u"\U00020BB7")), 2) << "a wide ideograph of two units";
    EXPECT_EQ(DisplayWidth(u"a\u200Db"), 2) << "a zero-width joiner";
    EXPECT_EQ(DisplayWidth(u"-16.57"), 6);
    EXPECT_EQ(DisplayWidth(u""), 0);
}
