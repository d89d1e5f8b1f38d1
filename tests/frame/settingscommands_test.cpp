#include "framefixture.h"

#include "base/commandids.h"
#include "controls/colorpickercombo.h"
#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "records/defaultsettingssheet.h"
#include "reports/tallywickview.h"
#include "support/nextmodal.h"
#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <QDialog>

namespace {

class SettingsCommandsTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_EQ(data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword), 0);
        data.settings.cCurrency = QStringLiteral("$");
    }
    CTestDatabase db;
};

TEST_F(SettingsCommandsTest, EntryWithoutUnitsOpensTheSetupWizardOnYes)
{
    Frame(1, true);
    QString opened;
    OnNextModal([&](QDialog *dialog) {
        opened = dialog->objectName();
        dialog->reject();
    });
    TestUi().QueueAnswer(IDYES);
    ASSERT_TRUE(frame->ExecuteCommand(CommandId::AddIncome));
    EXPECT_EQ(opened, QStringLiteral("-2"));
}

TEST_F(SettingsCommandsTest, TheKeptSheetRecolorsTheReportViewOnOk)
{
    Frame(1, true).show();
    frame->ReportView()->OnInitialUpdate();
    for (int run = 0; run < 2; ++run) {
        QDialog *shown = nullptr;
        OnNextModal([&](QDialog *dialog) {
            shown = dialog;
            auto *colour = dialog->findChild<CColorPickerCombo *>(QStringLiteral("1090"));
            colour->setCurrentIndex(run + 1);
            dialog->accept();
        });
        ASSERT_TRUE(frame->ExecuteCommand(CommandId::DefaultSettings));
        EXPECT_EQ(shown, frame->SettingsSheet());
        EXPECT_EQ(shown->objectName(), QStringLiteral("-1"));
        const auto *colour = frame->SettingsSheet()->findChild<CColorPickerCombo *>(QStringLiteral("1090"));
        EXPECT_EQ(frame->ReportView()->GetGrid()->GetGridBkColor(), colour->ItemColour(run + 1));
    }
}

} // namespace
