#include "framefixture.h"

#include "base/commandids.h"
#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "records/importengine.h"
#include "reports/reportlayout.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"
#include "support/testprintseam.h"
#include "support/testuiseam.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPrinter>
#include <QSet>
#include <QTemporaryDir>
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

} // namespace

TEST_F(FrameTest, BeforeLoginOnlyTheFreeCommandsAndLoginAreEnabledAfterItAllButLogin)
{
    Frame(0, false).InitMenuBar();
    const QList<QAction *> items = MenuCommands(frame->menuBar());
    ASSERT_FALSE(items.isEmpty());
    for (QAction *a : items) {
        const bool expected = kAlwaysOn.contains(Id(a)) || Id(a) == Login || Id(a) == ChangePassword;
        EXPECT_EQ(a->isEnabled(), expected) << a->text().toStdString();
    }
    // Without a database there is no import to undo either.
    Frame(0, true).InitMenuBar();
    for (QAction *a : MenuCommands(frame->menuBar()))
        EXPECT_EQ(a->isEnabled(), Id(a) != Login && Id(a) != UndoLastImport) << a->text().toStdString();
}

TEST_F(FrameTest, UndoLastImportIsOfferedWhileThereIsAnImportAndTakesItBack)
{
    CTestDatabase db;
    ASSERT_EQ(data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword), 0);
    db.AddCategory(QStringLiteral("Food"), 2);
    db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cCompanyUnits='Home'"));
    data.company.units = {QStringLiteral("Home")};
    Frame(0, true);
    QAction *undo = frame->CommandAction(UndoLastImport);
    EXPECT_FALSE(undo->isEnabled());

    {
        CImportWriter writer(data.connection, QStringLiteral("march.csv"), QStringLiteral("Home"));
        CImportCandidate line;
        line.line.date = QDate(2026, 3, 2);
        line.line.amount = -3.5;
        line.line.payee = QStringLiteral("Corner Cafe");
        line.type = 2;
        line.category = QStringLiteral("Food");
        line.ticked = true;
        writer.Add(line);
        writer.Commit();
    }
    db.AddTransaction(QStringLiteral("Home"), QStringLiteral("03/05/2026"), QStringLiteral("Food"), 9, QStringLiteral("typed"), 2);
    // Any command may have changed the database: the state is asked again.
    EXPECT_TRUE(frame->ExecuteCommand(ClearScreen));
    EXPECT_TRUE(undo->isEnabled());

    TestUi().QueueAnswer(IDYES);
    EXPECT_TRUE(frame->ExecuteCommand(UndoLastImport));
    EXPECT_TRUE(TestUi().messages.first().text.contains(QStringLiteral("march.csv")));
    EXPECT_EQ(db.Count(QStringLiteral("LB_TRANSACTION_INFO_TB")), 1);
    EXPECT_FALSE(undo->isEnabled());
}

TEST_F(FrameTest, LoginStateReachesMenusAndToolbarThroughCommandsAndUpdates)
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

    // A change made outside any command shows on the next update.
    data.loggedIn = false;
    frame->UpdateCommandStates();
    EXPECT_FALSE(incomeButton->isEnabled());
    EXPECT_TRUE(frame->MainToolBar()->widgetForAction(frame->CommandAction(Login))->isEnabled());
}

TEST_F(FrameTest, PasswordModeDecidesChangePasswordAndTheLoginButton)
{
    struct Case {
        int mode;
        bool changePassword;
        bool loginButton;
    } const cases[] = {{0, true, true}, {1, false, false}, {2, false, true}, {3, false, false}, {-1, false, false}};
    for (const Case &c : cases) {
        Frame(c.mode, true);
        EXPECT_EQ(frame->CommandAction(ChangePassword)->isEnabled(), c.changePassword) << "mode " << c.mode;
        EXPECT_EQ(frame->MainToolBar()->actions().contains(frame->CommandAction(Login)), c.loginButton)
            << "mode " << c.mode;
    }

    // The toolbar follows a new mode (the settings page, a restored file)
    // without a restart; the button comes back in its place, after Print.
    Frame(1, true);
    QToolBar *bar = frame->MainToolBar();
    const QSize buttonSize = bar->widgetForAction(frame->CommandAction(Print))->size();
    data.settings.iByPassPasswordScreen = 0;
    frame->UpdateCommandStates();
    const QList<QAction *> actions = bar->actions();
    ASSERT_TRUE(actions.contains(frame->CommandAction(Login)));
    EXPECT_EQ(actions.value(actions.indexOf(frame->CommandAction(Login)) - 1), frame->CommandAction(Print));
    EXPECT_EQ(bar->widgetForAction(frame->CommandAction(Login))->size(), buttonSize);
    frame->SetCommandHandler(ClearScreen, [this] { data.settings.iByPassPasswordScreen = 5; });
    EXPECT_TRUE(frame->ExecuteCommand(ClearScreen));
    EXPECT_FALSE(bar->actions().contains(frame->CommandAction(Login)));
    // The File menu keeps Login whatever the mode.
    EXPECT_TRUE(TopMenu(QStringLiteral("&File"))->actions().contains(frame->CommandAction(Login)));
}

TEST_F(FrameTest, CommandsRunOnlyWhenKnownEnabledAndBoundAndSaySoWhenUnbound)
{
    Frame(0, false);
    int runs = 0;
    frame->SetCommandHandler(AddIncome, [&runs] { ++runs; });
    EXPECT_FALSE(frame->ExecuteCommand(AddIncome));
    frame->CommandAction(AddIncome)->trigger();
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(frame->SetCommandHandler(40000, [] {}));
    EXPECT_FALSE(frame->ExecuteCommand(40000));
    EXPECT_FALSE(frame->IsCommandEnabled(40000));
    EXPECT_TRUE(TestUi().messages.isEmpty());

    data.loggedIn = true;
    // Any command still waiting for its handler says so, until it gets one.
    const QList<unsigned> ids = frame->Commands().Ids();
    const auto unbound = std::find_if(ids.begin(), ids.end(), [this](unsigned id) {
        return !frame->Commands().IsBound(id) && frame->IsCommandEnabled(id);
    });
    if (unbound == ids.end())
        return;
    const unsigned id = *unbound;
    EXPECT_FALSE(frame->ExecuteCommand(id));
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("%1 is not available yet.").arg(frame->Commands().Find(id)->name)});
    EXPECT_TRUE(frame->SetCommandHandler(id, [&runs] { ++runs; }));
    EXPECT_TRUE(frame->ExecuteCommand(id));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(TestUi().messages.size(), 1);
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

TEST_F(FrameTest, RecordCommandsOpenTheirDialogsModallyOnTheMainWindow)
{
    data.company.units = {QStringLiteral("Home")};
    data.incomeCategories = {CCategoryEntry{1, QStringLiteral("Salary"), QString(), 1}};
    data.expenseCategories = {CCategoryEntry{2, QStringLiteral("Rent"), QString(), 2}};
    Frame(0, true);
    const QList<QPair<unsigned, QString>> expected = {{AddIncome, "132"}, {AddExpense, "132"}, {AddDeleteCategory, "131"},
                                                      {UserInformation, "130"}, {DeleteOldData, "143"}};
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

TEST_F(FrameTest, PrintSetupChoosesForThePrinterThatPrintAndPreviewUse)
{
    Frame(0, true).show();
    CTestPrintSeam seam;
    QTemporaryDir dir;
    seam.onPrintSetup = [&dir](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    EXPECT_TRUE(frame->ExecuteCommand(PrintSetup));
    EXPECT_TRUE(frame->ExecuteCommand(Print));
    EXPECT_TRUE(frame->ExecuteCommand(PrintPreview));
    QPrinter &printer = frame->ReportView()->Printer();
    // Setup, the print dialog, the preview and the job the preview printed.
    EXPECT_EQ(seam.printers, (QList<const QPrinter *>{&printer, &printer, &printer, &printer}));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(FrameTest, DirectPrintPrintsEveryPageAtOnceWithoutTheDialogAndIsEnabledLikePrint)
{
    CTestPrintSeam seam;
    int dialogs = 0;
    seam.onPrintDialog = [&dialogs](QPrinter &, int, int) { return ++dialogs > 0; };
    Frame(0, false);
    EXPECT_FALSE(frame->IsCommandEnabled(PrintDirect));
    EXPECT_FALSE(frame->ExecuteCommand(PrintDirect));
    EXPECT_TRUE(seam.printers.isEmpty());

    Frame(0, true).show();
    EXPECT_TRUE(frame->IsCommandEnabled(PrintDirect));
    frame->EnterPrintPreview({});
    EXPECT_EQ(frame->IsCommandEnabled(PrintDirect), frame->IsCommandEnabled(Print));
    frame->LeavePrintPreview();
    ReportLayout report;
    report.rowCount = 300;
    report.columnCount = 3;
    for (int row = 1; row < report.rowCount; ++row)
        report.cells.push_back(ReportCell{1, row, QStringLiteral("line %1").arg(row), 0, -1, {}});
    frame->ReportView()->ShowReport(report);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("direct.pdf"));
    QPrinter &printer = frame->ReportView()->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    // A range chosen for an earlier job does not hold for this one.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);

    EXPECT_TRUE(frame->ExecuteCommand(PrintDirect));
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(seam.printers, QList<const QPrinter *>{&printer}) << "the job alone";
    EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
    const int pages = frame->ReportView()->GetGrid()->PrintPageCount(&printer);
    ASSERT_GT(pages, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), pages) << "every page";
    EXPECT_TRUE(TestUi().messages.isEmpty());
}

TEST_F(FrameTest, TheLogoHookOutlivesTheWindowThatSetIt)
{
    // The second window is made while the first still stands, then the
    // windows go; the hook left on the shared data must reach neither.
    Frame(0, true);
    Frame(0, true);
    frame.reset();
    ASSERT_TRUE(data.logoChanged);
    data.logoChanged();
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
