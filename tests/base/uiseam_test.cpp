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

TEST(SaveDialogSuffix, ABareNameTakesTheChosenFiltersSuffixAndATypedOneStays)
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Text File (*.txt)|*.txt|CSV File (*.csv)|*.csv||");
    request.defaultExtension = QStringLiteral("txt");
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("/out/report"), request, 1), QStringLiteral("/out/report.csv"));
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("/out/report"), request, 0), QStringLiteral("/out/report.txt"));
    // A dialog that does not say which filter: the request's own suffix.
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("/out/report"), request, -1), QStringLiteral("/out/report.txt"));
    // The name as typed is what the person wants, whatever the filter.
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("/out/report.CSV"), request, 1), QStringLiteral("/out/report.CSV"));
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("/out/report.txt"), request, 1), QStringLiteral("/out/report.txt"));
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("/my.files/report"), request, 1), QStringLiteral("/my.files/report.csv"));
    EXPECT_EQ(WithDefaultSuffix(QString(), request, 1), QString());

    // The chart's choices; an entry for every file falls back to the default.
    request.filter = QStringLiteral("PNG Picture (*.png)|*.png|SVG Drawing (*.svg)|*.svg|PDF File (*.pdf)|*.pdf|"
                                    "All Files (*.*)|*.*||");
    request.defaultExtension = QStringLiteral("png");
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("chart"), request, 1), QStringLiteral("chart.svg"));
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("chart"), request, 3), QStringLiteral("chart.png"));
    EXPECT_EQ(WithDefaultSuffix(QStringLiteral("chart"), request, 9), QStringLiteral("chart.png"));
    EXPECT_EQ(FilterSuffix(QStringLiteral("Pictures|*.bmp;*.png||"), 0), QStringLiteral("bmp"));
}
