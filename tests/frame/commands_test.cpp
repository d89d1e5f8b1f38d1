#include "framefixture.h"

#include "base/commandids.h"
#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <QApplication>
#include <QDialog>
#include <QSet>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace {

using namespace CommandId;

// Commands usable before anyone has logged in.
const QSet<unsigned> kAlwaysOn = {RestoreData, Exit, ViewToolbar, ViewStatusBar, ClearScreen, TipOfTheDay,
                                  HelpTopics, VideoTutorials, About};

QList<QAction *> MenuCommands(const QMenuBar *bar)
{
    QList<QAction *> out;
    for (QAction *top : bar->actions()) {
        for (QAction *a : top->menu()->actions()) {
            if (!a->isSeparator())
                out << a;
        }
    }
    return out;
}

QList<unsigned> ToolbarIds(const QToolBar *bar)
{
    QList<unsigned> ids;
    for (const QAction *a : bar->actions())
        ids << (a->isSeparator() ? 0u : a->data().toUInt());
    return ids;
}

} // namespace

TEST_F(FrameTest, BeforeLoginOnlyTheFreeCommandsAndLoginAreEnabled)
{
    Frame(0, false).InitMenuBar();
    const QList<QAction *> items = MenuCommands(frame->menuBar());
    ASSERT_EQ(items.size(), 35);
    for (QAction *a : items) {
        const bool expected = kAlwaysOn.contains(Id(a)) || Id(a) == Login || Id(a) == ChangePassword;
        EXPECT_EQ(a->isEnabled(), expected) << a->text().toStdString();
    }
}

TEST_F(FrameTest, AfterLoginEverythingButLoginIsEnabled)
{
    Frame(0, true).InitMenuBar();
    for (QAction *a : MenuCommands(frame->menuBar()))
        EXPECT_EQ(a->isEnabled(), Id(a) != Login) << a->text().toStdString();
}

TEST_F(FrameTest, LoggingInThroughTheCommandUpdatesMenusAndToolbar)
{
    Frame(0, false);
    frame->SetCommandHandler(Login, [this] { data.loggedIn = true; });
    QWidget *incomeButton = frame->MainToolBar()->widgetForAction(frame->CommandAction(AddIncome));
    ASSERT_NE(incomeButton, nullptr);
    EXPECT_FALSE(incomeButton->isEnabled());

    EXPECT_TRUE(frame->ExecuteCommand(Login));
    EXPECT_TRUE(incomeButton->isEnabled());
    EXPECT_FALSE(frame->CommandAction(Login)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(BackupData)->isEnabled());
}

TEST_F(FrameTest, LoginStateChangedElsewhereReachesTheToolbarOnUpdate)
{
    Frame(0, false);
    data.loggedIn = true;
    frame->UpdateCommandStates();
    EXPECT_TRUE(frame->MainToolBar()->widgetForAction(frame->CommandAction(AddExpense))->isEnabled());
    EXPECT_FALSE(frame->MainToolBar()->widgetForAction(frame->CommandAction(Login))->isEnabled());
}

TEST_F(FrameTest, PasswordModeDecidesChangePasswordAndTheLoginButton)
{
    struct Case {
        int mode;
        bool changePassword;
        bool loginButton;
    } const cases[] = {{0, true, true}, {1, false, false}, {2, false, true}};
    for (const Case &c : cases) {
        Frame(c.mode, true);
        EXPECT_EQ(frame->CommandAction(ChangePassword)->isEnabled(), c.changePassword) << "mode " << c.mode;
        EXPECT_EQ(frame->MainToolBar()->actions().contains(frame->CommandAction(Login)), c.loginButton)
            << "mode " << c.mode;
    }
}

TEST_F(FrameTest, ToolbarHoldsTheTwelveButtonsInOrder)
{
    Frame(0);
    EXPECT_EQ(ToolbarIds(frame->MainToolBar()),
              (QList<unsigned>{BackupData, 0, Print, Login, 0, DefaultSettings, UserInformation, AddDeleteCategory, 0,
                               AddIncome, AddExpense, 0, SpecifiedPeriodReport, 0, ClearScreen, 0, HelpTopics,
                               VideoTutorials}));
    QStringList texts;
    for (const QAction *a : frame->MainToolBar()->actions()) {
        if (!a->isSeparator())
            texts << a->iconText();
    }
    EXPECT_EQ(texts, (QStringList{"Backup", "Print", "Login", "Settings", "User", "Category", "Income", "Expense",
                                  "Report", "Clear", "Help", "Video"}));

    Frame(1);
    EXPECT_EQ(ToolbarIds(frame->MainToolBar()),
              (QList<unsigned>{BackupData, 0, Print, 0, DefaultSettings, UserInformation, AddDeleteCategory, 0,
                               AddIncome, AddExpense, 0, SpecifiedPeriodReport, 0, ClearScreen, 0, HelpTopics,
                               VideoTutorials}));
}

TEST_F(FrameTest, ToolbarButtonsShareOneSizeAndShowTheirImageInTheMenusToo)
{
    Frame(0);
    QSize size;
    for (QAction *a : frame->MainToolBar()->actions()) {
        if (a->isSeparator())
            continue;
        QWidget *button = frame->MainToolBar()->widgetForAction(a);
        if (size.isEmpty())
            size = button->size();
        EXPECT_EQ(button->size(), size) << a->iconText().toStdString();
        EXPECT_GE(button->width(), button->sizeHint().width()) << a->iconText().toStdString();
        EXPECT_FALSE(a->icon().pixmap(16, 16).isNull()) << a->iconText().toStdString();
    }
    // Menu items without a button carry no image.
    EXPECT_TRUE(frame->CommandAction(PrintPreview)->icon().isNull());
    EXPECT_TRUE(frame->CommandAction(Exit)->icon().isNull());
}

TEST_F(FrameTest, DisabledCommandsDoNotRunFromAnyPath)
{
    Frame(0, false);
    int runs = 0;
    frame->SetCommandHandler(AddIncome, [&runs] { ++runs; });
    EXPECT_FALSE(frame->ExecuteCommand(AddIncome));
    frame->CommandAction(AddIncome)->trigger();
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(FrameTest, UnboundCommandsSayTheyAreNotAvailableYet)
{
    Frame(0, true);
    // Any command still waiting for its handler.
    const QList<unsigned> ids = frame->Commands().Ids();
    const auto unbound = std::find_if(ids.begin(), ids.end(), [this](unsigned id) {
        return !frame->Commands().IsBound(id) && frame->IsCommandEnabled(id);
    });
    if (unbound == ids.end())
        GTEST_SKIP() << "every command is bound";
    const unsigned id = *unbound;
    EXPECT_FALSE(frame->ExecuteCommand(id));
    ASSERT_EQ(TestUi().messages.size(), 1);
    EXPECT_EQ(TestUi().LastText(), QStringLiteral("%1 is not available yet.").arg(frame->Commands().Find(id)->name));

    int runs = 0;
    EXPECT_TRUE(frame->SetCommandHandler(id, [&runs] { ++runs; }));
    EXPECT_TRUE(frame->ExecuteCommand(id));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(TestUi().messages.size(), 1);
}

TEST_F(FrameTest, UnknownIdsAreNeitherBoundNorRun)
{
    Frame(0, true);
    EXPECT_FALSE(frame->SetCommandHandler(40000, [] {}));
    EXPECT_FALSE(frame->ExecuteCommand(40000));
    EXPECT_FALSE(frame->IsCommandEnabled(40000));
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(FrameTest, PrintPreviewCannotBeStartedTwice)
{
    Frame(0, true);
    EXPECT_TRUE(frame->IsCommandEnabled(PrintPreview));
    frame->EnterPrintPreview({});
    EXPECT_FALSE(frame->IsCommandEnabled(PrintPreview));
    EXPECT_FALSE(frame->CommandAction(PrintPreview)->isEnabled());
    EXPECT_TRUE(frame->IsCommandEnabled(Print));
    frame->LeavePrintPreview();
    EXPECT_TRUE(frame->CommandAction(PrintPreview)->isEnabled());
}

TEST_F(FrameTest, HandlersMayRebindTheirOwnCommandWhileRunning)
{
    Frame(0, true);
    int first = 0, second = 0;
    frame->SetCommandHandler(ClearScreen, [&] {
        ++first;
        frame->SetCommandHandler(ClearScreen, [&second] { ++second; });
    });
    frame->ExecuteCommand(ClearScreen);
    frame->ExecuteCommand(ClearScreen);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

TEST(CommandTable, AddinRangesStayOutOfTheTable)
{
    CCommandTable table;
    for (unsigned id : table.Ids()) {
        EXPECT_FALSE(IsAddinCommand(id)) << id;
        EXPECT_FALSE(IsAddinToolbarToggle(id)) << id;
    }
    EXPECT_TRUE(IsAddinCommand(2025));
    EXPECT_TRUE(IsAddinToolbarToggle(10025));
    EXPECT_FALSE(IsAddinCommand(9025));
}

TEST_F(FrameTest, RecordCommandsOpenTheirDialogsModallyOnTheMainWindow)
{
    data.company.units = {QStringLiteral("Home")};
    data.incomeCategories = {CCategoryEntry{1, QStringLiteral("Salary"), QString(), 1}};
    data.expenseCategories = {CCategoryEntry{2, QStringLiteral("Rent"), QString(), 2}};
    Frame(0, true);
    const QList<QPair<unsigned, QString>> expected = {{AddIncome, "132"}, {AddExpense, "132"}, {AddDeleteCategory, "131"},
                                                      {UserInformation, "130"}};
    for (const auto &[id, dialog] : expected) {
        QString seen;
        QWidget *parent = nullptr;
        QTimer::singleShot(0, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                seen = w->objectName();
                parent = w->parentWidget();
                w->close();
            }
        });
        EXPECT_TRUE(frame->ExecuteCommand(id));
        EXPECT_EQ(seen, dialog) << id;
        EXPECT_EQ(parent ? parent->window() : nullptr, frame.get()) << id;
    }
}

TEST_F(FrameTest, ABackupAskedForBeforeADeletionSaysItIsNotAvailableAndStopsIt)
{
    Frame(0, true);
    ASSERT_TRUE(data.backupData);
    EXPECT_FALSE(data.backupData(frame.get()));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Backup Data is not available yet.")});
}

TEST_F(FrameTest, ReminderCommandsOpenTheirDialogsAndTheReportLandsInTheView)
{
    CTestDatabase db;
    ASSERT_EQ(data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword), 0);
    data.settings.dateFormat = QStringLiteral("dd/MM/yyyy");
    db.Exec(QStringLiteral("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                           "iPaymentReminderDays,bAutoDelete) VALUES ('Rent',450,'03/17/2026',0,1)"));
    Frame(0, true);
    QStringList opened;
    const auto answer = [&opened](bool accept) {
        QTimer::singleShot(0, [&opened, accept] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opened << dialog->objectName();
            accept ? dialog->accept() : dialog->reject();
        });
    };
    answer(false);
    EXPECT_TRUE(frame->ExecuteCommand(PaymentReminder));
    answer(true);
    EXPECT_TRUE(frame->ExecuteCommand(DisplayPaymentReminders));
    EXPECT_EQ(opened, (QStringList{QStringLiteral("166"), QStringLiteral("168")}));
    const CGridCellModel &grid = frame->ReportView()->GetGrid()->Model();
    EXPECT_EQ(grid.GetItemText(4, 3), QStringLiteral("Date: 17/03/2026"));
    EXPECT_EQ(grid.GetItemText(8, 3), QStringLiteral("Rent"));
}
