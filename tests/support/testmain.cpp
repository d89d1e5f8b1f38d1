// Every test program starts here: a headless application in a throw-away
// home, config and data folder, with the test seam answering every question.
#include "base/clock.h"
#include "testuiseam.h"
#include "throwawayprofile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

class CResetSeam : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo &) override
    {
        TestUi().Reset();
        SetUiSeam(&TestUi());
        // A fixed, ordinary "today": no test depends on the real date.
        SetClock(QDateTime(QDate(2026, 3, 17), QTime(10, 30, 15)));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/twk-test-XXXXXX"));
    if (!home.isValid())
        return 2;
    UseThrowAwayProfile(home.path());

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CResetSeam);
    SetUiSeam(&TestUi());
    return RUN_ALL_TESTS();
}
