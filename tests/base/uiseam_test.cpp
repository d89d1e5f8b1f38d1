#include "base/uiseam.h"

#include <gtest/gtest.h>

TEST(QtFilterFromWindows, TurnsPairsIntoQtFiltersAndStopsAtTheEmptyPair)
{
    EXPECT_EQ(QtFilterFromWindows(QStringLiteral("Text File (*.txt)|*.txt|CSV File (*.csv)|*.csv||")),
              QStringLiteral("Text File (*.txt);;CSV File (*.csv)"));
    // A description that does not show its patterns gets them, so Qt can read them.
    EXPECT_EQ(QtFilterFromWindows(QStringLiteral("Access Database (TallywickPlus.mdb)|TallywickPlus.mdb||")),
              QStringLiteral("Access Database (TallywickPlus.mdb)"));
    EXPECT_EQ(QtFilterFromWindows(QStringLiteral("Pictures|*.bmp;*.png||ignored|*.x|")),
              QStringLiteral("Pictures (*.bmp *.png)"));
    EXPECT_EQ(QtFilterFromWindows(QString()), QString());
}

TEST(DefaultAnswer, IsTheFirstButtonUnlessTheSecondIsTheDefault)
{
    EXPECT_EQ(DefaultAnswer(MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(DefaultAnswer(MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(DefaultAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
}
