#include "addins/automationbus.h"
#include "addins/twkobjects.h"
#include "app/automationserver.h"
#include "app/commandline.h"
#include "app/tallywickapp.h"
#include "controls/gridctrl.h"
#include "frame/colorstatusbar.h"
#include "frame/mainframe.h"
#include "reports/chartfigure.h"
#include "reports/chartpanel.h"
#include "reports/chartseries.h"
#include "reports/tallywickview.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testprintseam.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>

namespace {

// A session bus of the test's own, ended with it.
struct PrivateBus {
    PrivateBus()
    {
        QProcess daemon;
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--fork"), QStringLiteral("--print-address=1"),
                      QStringLiteral("--print-pid=1")});
        daemon.waitForFinished(10000);
        const QStringList lines = QString::fromUtf8(daemon.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (lines.size() == 2) {
            address = lines[0].trimmed();
            pid = lines[1].trimmed().toLongLong();
        }
    }
    ~PrivateBus()
    {
        if (pid > 0)
            ::kill(pid_t(pid), SIGTERM);
    }
    QString address;
    qint64 pid = 0;
};

// A client's call, answered while this thread keeps the program running.
QDBusMessage Call(QDBusConnection &client, const char *object, const char *method, const QVariantList &args = {})
{
    const QString name = QLatin1String("Tallywick.") + QLatin1String(object);
    QDBusMessage message = QDBusMessage::createMethodCall(name, QLatin1Char('/') + QLatin1String(object), name,
                                                          QLatin1String(method));
    message.setArguments(args);
    QDBusPendingCallWatcher watcher(client.asyncCall(message, 20000));
    const QDeadlineTimer deadline(20000);
    while (!watcher.isFinished() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return watcher.reply();
}

// A reply value as plain Qt values: arrays and variants unwrapped.
QVariant Plain(const QVariant &value)
{
    if (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        return Plain(value.value<QDBusVariant>().variant());
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return value;
    QVariantList list;
    for (const QVariant &item : qdbus_cast<QVariantList>(value.value<QDBusArgument>()))
        list << Plain(item);
    return list;
}

void WaitFor(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(20000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

TEST(Automation, BusClientIsRefusedBeforeLoginThenReadsTheGridQueriesAndWritesStatus)
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed (package dbus): the object model cannot be driven over D-Bus";
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "the private bus did not start";

    QTemporaryDir dir;
    // Set up already: no wizard holds the window's start.
    InstallProgramFolder(dir.path(), QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"),
                         QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName, cTransactionDescription, iType) "
                                        "VALUES ('Bonus', 'x', 1); UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane'"));
    const QString cwd = QDir::currentPath();

    CTallywickApp app;
    ASSERT_TRUE(app.InitInstance(dir.path(), {QStringLiteral("-Automation")}));
    EXPECT_EQ(app.MainFrame(), nullptr) << "started for automation: no window until asked";
    app.Automation().Export(QDBusConnection::connectToBus(bus.address, QStringLiteral("twk-server")));
    ASSERT_TRUE(app.Automation().IsExported());
    QDBusConnection client = QDBusConnection::connectToBus(bus.address, QStringLiteral("twk-client"));

    const QString query = QStringLiteral("SELECT cTransactionName, iType FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='Bonus'");
    for (const QDBusMessage &refused : {Call(client, "TwkDatabase", "Query", {query}),
                                        Call(client, "TwkGrid", "GetItemText", {0, 0}),
                                        Call(client, "TwkReport", "ShowQuery", {query, QString()})}) {
        EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);
        EXPECT_EQ(refused.errorName(), QLatin1String(TwkClass::NotLoggedInError));
    }
    EXPECT_EQ(Call(client, "TwkLogin", "LoggedIn").arguments(), QVariantList{false});

    Call(client, "TwkApp", "ShowMainWindow");
    WaitFor([&] { return app.MainFrame() && app.Data().loggedIn; });
    ASSERT_NE(app.MainFrame(), nullptr);
    ASSERT_TRUE(app.Data().loggedIn);

    EXPECT_EQ(Call(client, "TwkReport", "ShowQuery", {query, QString()}).arguments(), QVariantList{true});
    const CGridCtrl &grid = *app.MainFrame()->ReportView()->GetGrid();
    EXPECT_EQ(Call(client, "TwkGrid", "GetItemText", {1, 1}).arguments(), QVariantList{QStringLiteral("Bonus")});
    EXPECT_EQ(Call(client, "TwkGrid", "GetRowCount").arguments(), QVariantList{grid.GetRowCount()});
    EXPECT_EQ(Call(client, "TwkGrid", "InsertRow", {QStringLiteral("added"), -1}).arguments(), QVariantList{2});
    EXPECT_EQ(grid.GetItemText(2, 0), QStringLiteral("added"));

    const QDBusMessage rows = Call(client, "TwkDatabase", "Query", {query});
    ASSERT_EQ(rows.type(), QDBusMessage::ReplyMessage) << rows.errorMessage().toStdString();
    EXPECT_EQ(rows.arguments().value(0).toStringList(), (QStringList{QStringLiteral("cTransactionName"), QStringLiteral("iType")}));
    const QVariantList data = Plain(rows.arguments().value(1)).toList();
    ASSERT_EQ(data.size(), 1);
    const QVariantList row = data[0].toList();
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("Bonus"));
    EXPECT_EQ(row.value(1).toInt(), 1);
    const QDBusMessage failed = Call(client, "TwkDatabase", "Query", {QStringLiteral("SELECT * FROM nowhere")});
    EXPECT_EQ(failed.errorName(), QLatin1String(TwkClass::FailedError));

    EXPECT_EQ(Call(client, "TwkFrame", "SetStatusPane", {1, 0x0000FFu, QStringLiteral("from the bus")}).arguments(),
              QVariantList{true});
    EXPECT_EQ(app.MainFrame()->ColorStatusBar()->PaneText(1), QStringLiteral("from the bus"));
    EXPECT_EQ(Call(client, "TwkFrame", "SetStatusPane", {9, 0u, QStringLiteral("x")}).arguments(), QVariantList{false});

    // Direct print, which has no menu item, by its command number: the
    // report goes to the printer at once, no print dialog asked.
    CTestPrintSeam printSeam;
    int printDialogs = 0;
    printSeam.onPrintDialog = [&printDialogs](QPrinter &, int, int) { return ++printDialogs > 0; };
    QPrinter &printer = app.MainFrame()->ReportView()->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("direct.pdf")));
    const qulonglong window = app.MainFrame()->winId();
    EXPECT_EQ(Call(client, "TwkCommands", "SendMessage", {window, uint(TwkCommands::WM_COMMAND), qulonglong(57608), qlonglong(0)})
                  .arguments(),
              QVariantList{qlonglong(1)});
    WaitFor([&] { return !printSeam.printers.isEmpty(); });
    EXPECT_EQ(printSeam.printers, QList<const QPrinter *>{&printer});
    EXPECT_EQ(printDialogs, 0);
    EXPECT_GT(QFileInfo(printer.outputFileName()).size(), 0);

    app.ExitInstance();
    EXPECT_FALSE(client.interface()->isServiceRegistered(QStringLiteral("Tallywick.TwkApp")).value())
        << "the bus names go with the program";
    QDir::setCurrent(cwd);
}

TEST(Automation, WhileTheLoginIsUpABusClientChangesNothingAndAfterItIsHeldToTheGridBound)
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed (package dbus): the object model cannot be driven over D-Bus";
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "the private bus did not start";
    QTemporaryDir dir;
    InstallProgramFolder(dir.path(), QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"),
                         QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane'; "
                                        "UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=0"));
    const QString cwd = QDir::currentPath();
    CTallywickApp app;
    ASSERT_TRUE(app.InitInstance(dir.path(), {QStringLiteral("-Automation")}));
    app.Automation().Export(QDBusConnection::connectToBus(bus.address, QStringLiteral("twk-server-login")));
    QDBusConnection client = QDBusConnection::connectToBus(bus.address, QStringLiteral("twk-client-login"));

    // The calls come while the password dialog waits for the user.
    const QList<std::tuple<const char *, const char *, QVariantList>> changes{
        {"TwkApp", "Quit", {}},
        {"TwkView", "Clear", {}},
        {"TwkGrid", "DeleteAllItems", {}},
        {"TwkGrid", "SetRowCount", {5}},
        {"TwkGrid", "SetItemText", {0, 0, QStringLiteral("x")}},
        {"TwkFrame", "SetStatusPane", {1, 0xFFu, QStringLiteral("from the bus")}},
        {"TwkGenericReport", "AddCell", {0, 0, QStringLiteral("x"), 0u, 0u}},
        {"TwkGenericReport", "Show", {}}};
    QStringList answers;
    QString paneDuringLogin;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal || modal->objectName() != QStringLiteral("146"))
            return;
        answer.stop();
        for (const auto &[object, method, args] : changes)
            answers << QLatin1String(method) + u' ' + Call(client, object, method, args).errorName();
        paneDuringLogin = app.MainFrame()->ColorStatusBar()->PaneText(1);
        modal->findChild<QLineEdit *>(QStringLiteral("1067"))->setText(QStringLiteral("vorel"));
        modal->accept();
    });
    answer.start(5);
    Call(client, "TwkApp", "ShowMainWindow");
    WaitFor([&] { return app.Data().loggedIn; });
    ASSERT_TRUE(app.Data().loggedIn);
    QStringList expected;
    for (const auto &change : changes)
        expected << QLatin1String(std::get<1>(change)) + u' ' + QLatin1String(TwkClass::NotLoggedInError);
    EXPECT_EQ(answers, expected);
    EXPECT_NE(paneDuringLogin, QStringLiteral("from the bus"));
    ASSERT_NE(app.MainFrame(), nullptr) << "Quit was refused";
    CTallywickView &view = *app.MainFrame()->ReportView();
    CGridCtrl &grid = *view.GetGrid();

    // Logged in: the grid grows only within its bound, and the refusal says why.
    EXPECT_EQ(Call(client, "TwkGrid", "SetColumnCount", {3}).arguments(), QVariantList{true});
    const auto tooLarge = [&](const char *object, const char *method, const QVariantList &args) {
        const QDBusMessage reply = Call(client, object, method, args);
        EXPECT_EQ(reply.errorName(), QLatin1String(TwkClass::TooLargeError)) << method;
        return reply.errorMessage();
    };
    EXPECT_EQ(tooLarge("TwkGrid", "SetRowCount", {1'000'000}),
              QStringLiteral("A grid of 1000000 rows by 3 columns is too large: the report grid holds at most 1,000,000 "
                             "rows, 1,000 columns and 2,000,000 cells."));
    tooLarge("TwkGrid", "SetColumnCount", {1'000'000});
    tooLarge("TwkGrid", "SetRowHeight", {0, 1'000'000});
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_LT(grid.GetRowCount(), 1'000'000);
    tooLarge("TwkGenericReport", "AddCell", {1'000'000, 1'000'000, QStringLiteral("far"), 0u, 0u});
    tooLarge("TwkGenericReport", "AddCell", {0, 1'000, QStringLiteral("wide"), 0u, 0u});

    // A report or a grid write over a chart shows the grid, which Export then writes.
    const auto showChart = [&] {
        const ChartRequest request{ChartKind::Unit, QDate(2026, 1, 1), QDate(2026, 12, 31), std::nullopt, 2};
        view.ShowChart(request, ComputeChartSeries(app.Data().connection, request, app.Data().company.units),
                       MakeChartTexts(request, app.Data()));
        ASSERT_NE(view.Chart(), nullptr);
        ASSERT_TRUE(grid.isHidden());
    };
    showChart();
    EXPECT_EQ(Call(client, "TwkGenericReport", "AddCell", {0, 1, QStringLiteral("near"), 0u, 0xFF000000u}).arguments(),
              QVariantList{true});
    EXPECT_EQ(Call(client, "TwkGenericReport", "Show").arguments(), QVariantList{true});
    EXPECT_EQ(view.Chart(), nullptr);
    EXPECT_FALSE(grid.isHidden());
    EXPECT_EQ(grid.GetItemText(0, 1), QStringLiteral("near"));
    showChart();
    EXPECT_EQ(Call(client, "TwkGrid", "SetItemText", {0, 1, QStringLiteral("written")}).arguments(), QVariantList{true});
    EXPECT_EQ(view.Chart(), nullptr);
    EXPECT_FALSE(grid.isHidden());
    const QString exported = dir.filePath(QStringLiteral("exported.csv"));
    TestUi().QueueFile(exported);
    view.OnFileExport();
    EXPECT_TRUE(ReadText(exported).contains(QStringLiteral("written"))) << ReadText(exported).toStdString();

    // A statement without rows runs once; the user hears "No Matches Found" after the caller.
    TestUi().Reset();
    const QString insert = QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName, cTransactionDescription, "
                                          "iType) VALUES ('Once', 'x', 2)");
    EXPECT_EQ(Call(client, "TwkReport", "ShowQuery", {insert, QString()}).arguments(), QVariantList{false});
    WaitFor([] { return !TestUi().Texts().isEmpty(); });
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("No Matches Found")});
    const QDBusMessage count = Call(client, "TwkDatabase", "Query",
                                    {QStringLiteral("SELECT COUNT(*) AS n FROM LB_ITEM_MASTER_INFO_TB WHERE cTransactionName='Once'")});
    EXPECT_EQ(Plain(count.arguments().value(1)).toList().value(0).toList().value(0).toInt(), 1);

    app.MainFrame()->close();
    app.ExitInstance();
    QDir::setCurrent(cwd);
}

TEST(Automation, ServerSwitchesWriteAndRemoveTheActivationFiles)
{
    EXPECT_TRUE(IsAutomationStart({QStringLiteral("/Embedding")}));
    EXPECT_TRUE(IsAutomationStart({QStringLiteral("-automation")}));
    EXPECT_FALSE(IsAutomationStart({QStringLiteral("Automation")}));

    QTemporaryDir dir;
    WriteText(dir.filePath(QStringLiteral("TallywickPlus.ini")), QStringLiteral("[TallywickPlus]\n"));
    const QString cwd = QDir::currentPath();
    const QString service = DBusServicesFolder() + QStringLiteral("/Tallywick.TwkGrid.service");
    {
        CTallywickApp app;
        EXPECT_FALSE(app.InitInstance(dir.path(), {QStringLiteral("/RegServer")}));
        EXPECT_EQ(app.StartUpExitCode(), 0) << "a server switch is not a failure";
        EXPECT_EQ(app.MainFrame(), nullptr);
        EXPECT_TRUE(app.ProgressLog().isEmpty());
    }
    const QString text = ReadText(service);
    EXPECT_TRUE(text.startsWith(QStringLiteral("[D-BUS Service]\nName=Tallywick.TwkGrid\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=") + QCoreApplication::applicationFilePath() + QStringLiteral(" -Automation\n")))
        << text.toStdString();
    {
        CTallywickApp app;
        EXPECT_FALSE(app.InitInstance(dir.path(), {QStringLiteral("-unregserver")}));
        EXPECT_EQ(app.StartUpExitCode(), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(service));
    EXPECT_TRUE(QDir(DBusServicesFolder()).isEmpty());
    QDir::setCurrent(cwd);
}
