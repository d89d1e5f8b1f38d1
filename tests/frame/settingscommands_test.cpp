#include "framefixture.h"

#include "base/commandids.h"
#include "controls/colorpickercombo.h"
#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "records/defaultsettingssheet.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace {

// Acts on the modal dialog that the next command puts up.
void OnModal(std::function<void(QDialog *)> act, int triesLeft = 1000)
{
    QTimer::singleShot(0, [act, triesLeft] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            act(dialog);
        else if (triesLeft > 0)
            OnModal(act, triesLeft - 1);
        else
            ADD_FAILURE() << "no modal dialog came up";
    });
}

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
    OnModal([&](QDialog *dialog) {
        opened = dialog->objectName() + u' ' + dialog->windowTitle();
        dialog->reject();
    });
    TestUi().QueueAnswer(IDYES);
    ASSERT_TRUE(frame->ExecuteCommand(CommandId::AddIncome));
    EXPECT_EQ(opened, QStringLiteral("-2 Welcome to Setup Wizard - Page 1 of 6 "));
}

TEST_F(SettingsCommandsTest, TheKeptSheetRecolorsTheReportViewOnOk)
{
    Frame(1, true).show();
    frame->ReportView()->OnInitialUpdate();
    for (int run = 0; run < 2; ++run) {
        QDialog *shown = nullptr;
        OnModal([&](QDialog *dialog) {
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
