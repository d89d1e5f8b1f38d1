#include "app/cli.h"
#include "app/clidatabase.h"
#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "data/profile.h"
#include "data/reminderstore.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "records/reminderdlgs.h"
#include "reports/advancedreportdlg.h"
#include "reports/customreportdlg.h"
#include "reports/listreportdlg.h"
#include "reports/periodreport.h"
#include "reports/reminderreport.h"
#include "reports/reportexport.h"
#include "reports/reportformat.h"
#include "reports/reportinfodlg.h"
#include "reports/tallywickview.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifdef TWK_PROGRAM
namespace {

struct CliRun {
    int code = -1;
    QByteArray out;
    std::string err;
};

// "period|--from|2026-01-01" -> {"period", "--from", "2026-01-01"}
QStringList Args(const char *text)
{
    return QString::fromUtf8(text).split(u'|');
}

// A bakery with two units, a custom report and reminders, stored in a fresh
// database that the command line and the dialogs both read.
class CliReports : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // A copy of the program: never the build's program folder.
        s_folder = new QTemporaryDir;
        s_program = QDir(s_folder->path()).filePath(QStringLiteral("tallywick"));
        QFile::copy(QStringLiteral(TWK_PROGRAM), s_program);
        QFile::setPermissions(s_program, QFile::permissions(QStringLiteral(TWK_PROGRAM)));
    }
    static void TearDownTestSuite() { delete s_folder; }

    CliReports()
    {
        db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Ann''s Bakery', cEmail='ann@bakery.example', "
                               "cCompanyUnits='Shop,O''Neil Stall,'"));
        for (const auto &[name, type] : {std::pair{"Sales", 1}, {"Rent", 2}, {"Flour, rye", 2}, {"Tips", 3}})
            db.AddCategory(QString::fromUtf8(name), type);
        const struct {
            const char *unit, *date, *category;
            double amount;
            const char *description;
            int type;
        } records[] = {{"Shop", "03/15/2026", "Sales", 12.5, "Ärzte Praxis", 1},
                       {"O'Neil Stall", "03/16/2026", "Sales", 40, "Saturday", 1},
                       {"Shop", "03/16/2026", "Rent", 15.5, "Cheque \"1234\"", 2},
                       {"Shop", "02/01/2026", "Flour, rye", 7, "Sack", 2},
                       {"O'Neil Stall", "01/31/2026", "Tips", 3, "Jar", 1}};
        for (const auto &r : records)
            db.AddTransaction(QString::fromUtf8(r.unit), QString::fromUtf8(r.date), QString::fromUtf8(r.category),
                              r.amount, QString::fromUtf8(r.description), r.type);
        CReminderStore reminders(db.Connection());
        reminders.Add(CReminder{-1, QStringLiteral("Insurance"), 120, QStringLiteral("03/20/2026"), 5, false});
        reminders.Add(CReminder{-1, QStringLiteral("Oven service"), 80.25, QStringLiteral("04/02/2026"), 3, false});
        const CCustomReportList custom{{QStringLiteral("Quarter"),
                                        {{QStringLiteral("Takings"), {{1, 0, QStringLiteral("Sales")}}},
                                         {QStringLiteral("Costs"), {{2, 0, QStringLiteral("Rent")}}}}}};
        SaveCustomReports(db.Connection(), db.Folder(), custom);
        WriteProfileString(QStringLiteral("Settings"), QStringLiteral("DateFormat"), QStringLiteral("dd/MMM/yyyy"));

        // What the window loads at start-up.
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.LoadProfileSettings();
        data.LoadCompanyInfo();
        data.LoadCategories();
        data.LoadDefaultSettings();
        view.resize(900, 600);
        view.OnInitialUpdate();
    }

    CliRun Cli(const QStringList &arguments, const QString &password = QString())
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QLatin1String(kPasswordVariable));
        if (!password.isNull())
            env.insert(QLatin1String(kPasswordVariable), password);
        // The profile this test writes (the test run keeps it elsewhere).
        env.insert(QStringLiteral("XDG_CONFIG_HOME"),
                   QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        p.setProcessEnvironment(env);
        p.start(s_program, arguments);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError().toStdString()};
    }

    CliRun Report(const QStringList &arguments, const QString &password = QString())
    {
        return Cli(QStringList{QStringLiteral("report")} + arguments + QStringList{QStringLiteral("--database"), db.Path()},
                   password);
    }

    // What Export Report writes for the grid the view shows now.
    QByteArray Exported(const QString &extension)
    {
        const QString path = out.filePath(QStringLiteral("export.") + extension);
        EXPECT_EQ(ReportExport::WriteFile(view.GetGrid()->Model(), path), ReportExport::Outcome::Written);
        return ReadBytes(path);
    }

    template<typename W>
    static W *Control(QWidget *dialog, int id)
    {
        return dialog->findChild<W *>(QString::number(id));
    }
    static void Pick(QWidget *dialog, int list, const QString &name)
    {
        Control<QListWidget>(dialog, list)->findItems(name, Qt::MatchExactly).first()->setSelected(true);
    }
    static void SetDates(QWidget *dialog, const QDate &from, const QDate &to)
    {
        Control<QDateEdit>(dialog, 1033)->setDate(from);
        Control<QDateEdit>(dialog, 1027)->setDate(to);
    }
    void ShowAdvanced()
    {
        CAdvancedReportDlg advanced(data, view);
        advanced.SetDates(QDate(2026, 1, 1), QDate(2026, 3, 31));
        for (const int id : {1132, 1134, 1138})
            Control<QListWidget>(&advanced, id)->selectAll();
        advanced.accept();
        ASSERT_EQ(advanced.result(), QDialog::Accepted);
    }

    inline static QTemporaryDir *s_folder = nullptr;
    inline static QString s_program;
    CTestDatabase db;
    CTallywickData data;
    CTallywickView view{data};
    QTemporaryDir out;
};

} // namespace

TEST_F(CliReports, EveryKindWritesWhatTheDialogsExportWrites)
{
    const QDate from(2026, 1, 1), to(2026, 3, 31);
    // The period in ISO and in the user's date format.
    const QStringList period = Args("--from|2026-01-01|--to|31/Mar/2026");
    auto expectSame = [&](const QStringList &arguments) {
        for (const QString &format : {QStringLiteral("txt"), QStringLiteral("csv")}) {
            const CliRun run = Report(arguments + QStringList{QStringLiteral("--format"), format});
            const std::string what = arguments.join(u' ').toStdString() + " as " + format.toStdString();
            EXPECT_EQ(run.code, 0) << what << run.err;
            EXPECT_EQ(run.err, "") << what;
            EXPECT_EQ(run.out.toStdString(), Exported(format).toStdString()) << what;
        }
    };

    CReportInfoDlg daily(data, view, kDailyReport);
    daily.SetDates(QDate(2026, 3, 16), QDate(2026, 3, 16));
    daily.accept();
    expectSame(Args("daily|--from|2026-03-16"));

    CReportInfoDlg monthly(data, view, kMonthlyReport);
    monthly.SetDates(QDate(2026, 3, 1), QDate(2026, 3, 1));
    monthly.accept();
    expectSame(Args("monthly|--from|2026-03-20"));

    CReportInfoDlg periodDlg(data, view, kPeriodReport);
    periodDlg.SetDates(from, to);
    periodDlg.accept();
    expectSame(Args("period") + period);

    // More Options narrowed to one unit and some categories.
    MoreReportOptions options;
    options.unit = QStringLiteral("O'Neil Stall");
    options.incomeNames = {QStringLiteral("Sales"), QStringLiteral("Tips")};
    options.expenseNames = {QStringLiteral("Tips")};
    view.ShowReport(PeriodReport(data, PeriodRequest{kPeriodReport, from, to, &options}));
    expectSame(Args("period|--unit|O'Neil Stall|--category|Sales|--category|Tips") + period);

    ShowAdvanced();
    expectSame(Args("advanced") + period);

    CListReportDlg expenses(data, view, 2);
    SetDates(&expenses, from, to);
    for (const int id : {1035, 1037, 1086})
        Control<QCheckBox>(&expenses, id)->setChecked(true);
    expenses.accept();
    expectSame(Args("expenses|--sort|date") + period);

    CListReportDlg incomes(data, view, 1);
    SetDates(&incomes, from, to);
    Pick(&incomes, 1034, QStringLiteral("Sales"));
    Pick(&incomes, 1036, QStringLiteral("Shop"));
    incomes.accept();
    expectSame(Args("incomes|--category|Sales|--unit|Shop") + period);

    CCustomReportDlg custom(data, view.GetGrid());
    SetDates(&custom, from, to);
    custom.OnRun();
    expectSame(Args("custom|--name|Quarter") + period);

    // What the window shows after the reminder dialog's OK.
    CDisplayRemindersDlg reminders(data);
    SetDates(&reminders, from, QDate(2026, 4, 30));
    ASSERT_TRUE(ShowReminders(view, data, kReminderRangeQuery,
                              {DateText(reminders.From()), DateText(reminders.To()), reminders.FromText(),
                               reminders.ToText()},
                              false));
    expectSame(Args("reminders|--from|2026-01-01|--to|2026-04-30"));
    EXPECT_TRUE(TestUi().Texts().isEmpty()) << TestUi().Texts().join(u'|').toStdString();
}

TEST_F(CliReports, PdfIsWhatPrintingTheReportToAFileGives)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    ShowAdvanced();
    const QString printed = out.filePath(QStringLiteral("printed.pdf"));
    QPrinter &printer = view.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    ASSERT_EQ(view.PrintTo(printer).outcome, CPrintRun::Printed);

    const QString written = out.filePath(QStringLiteral("cli.pdf"));
    const CliRun run = Report(Args("advanced|--from|2026-01-01|--to|2026-03-31|--output") + QStringList{written});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.isEmpty());
    auto text = [](const QString &pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        // The page foot tells when it was printed: here by the test's clock,
        // in the command line's run by the real one. A stamp of another length
        // moves what the text tool lays out beside it.
        return QString::fromUtf8(p.readAllStandardOutput())
            .replace(QRegularExpression(QStringLiteral("(Page \\d+ of \\d+) [^\n]*")), QStringLiteral("\\1"))
            .replace(QRegularExpression(QStringLiteral("(?m)^(\f?) +")), QStringLiteral("\\1"))
            .toStdString();
    };
    const std::string expected = text(printed);
    EXPECT_NE(expected.find("Net Balance"), std::string::npos) << expected;
    EXPECT_EQ(text(written), expected);
}

TEST_F(CliReports, ChartsWriteTheirSeriesOrAPictureOfTheAskedSizeAndRefuseWhatCannotBeDrawn)
{
    auto chart = [&](const QString &arguments, const QString &file) {
        return Cli(QStringList{QStringLiteral("chart")} + QString(arguments).split(u'|')
                   + QStringList{QStringLiteral("--output"), out.filePath(file), QStringLiteral("--database"), db.Path()});
    };
    CliRun run = chart(QStringLiteral("monthly|--from|2026-01-01|--to|31/Mar/2026"), QStringLiteral("m.csv"));
    EXPECT_EQ(run.code, kCliOk) << run.err;
    // January's tips are an income of a category of both kinds.
    EXPECT_EQ(ReadBytes(out.filePath(QStringLiteral("m.csv"))),
              QByteArray("Month,Income,Expense,Balance\r\n2026-01,3.00,0.00,3.00\r\n2026-02,0.00,7.00,-7.00\r\n"
                         "2026-03,52.50,15.50,37.00\r\n"));
    run = chart(QStringLiteral("category|--from|2026-01-01|--to|2026-03-31|--unit|Shop|--size|640x400"),
                QStringLiteral("c.png"));
    EXPECT_EQ(run.code, kCliOk) << run.err;
    EXPECT_EQ(QImage(out.filePath(QStringLiteral("c.png"))).size(), QSize(640, 400));

    const struct {
        const char *arguments;
        int code;
        const char *message;
    } cases[] = {
        {"weekly", kCliUsage, "unknown chart"},
        {"monthly|--type|income", kCliUsage, "category chart only"},
        {"unit|--size|big", kCliUsage, "WIDTHxHEIGHT"},
        {"category|--type|income|--category|Rent", kCliUsage, "Select Income Category."},
        {"monthly|--from|2020-01-01|--to|2020-12-31", kCliNoRecords, "No records found."},
    };
    for (const auto &c : cases) {
        run = chart(QString::fromUtf8(c.arguments), QStringLiteral("refused.png"));
        EXPECT_EQ(run.code, c.code) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("refused.png")))) << c.arguments;
    }
}

TEST_F(CliReports, RefusalsExitWithTheirCodeWriteNothingAndLeaveTheDatabaseAlone)
{
    const QByteArray before = ReadBytes(db.Path());
    const QString missing = out.filePath(QStringLiteral("unmounted/TallywickPlus.mdb"));
    const QString plain = out.filePath(QStringLiteral("plain.mdb"));
    WriteBytes(plain, QByteArray(4096, 'x'));
    const struct {
        const char *arguments;
        int code;
        const char *message;
    } cases[] = {
        {"period|--from|2026-02-30", kCliUsage, "not a date"},
        {"period|--from|2026-03-02|--to|2026-03-01", kCliUsage, "after"},
        {"incomes|--unit|Attic", kCliUsage, "unknown unit"},
        {"advanced|--category|Bakery", kCliUsage, "unknown category"},
        {"expenses|--category|Sales", kCliUsage, "no expense category"},
        {"custom|--name|Year", kCliUsage, "Quarter"},
        {"weekly", kCliUsage, "unknown report"},
        {"daily|--colour|red", kCliUsage, "unknown option"},
        {"daily|--sort|date", kCliUsage, "does not apply"},
        {"advanced|--from|2020-01-01", kCliNoRecords, "No records found"},
        {"reminders|--from|2020-01-01", kCliNoRecords, "No payment reminder"},
    };
    for (const auto &c : cases) {
        const CliRun run = Report(Args(c.arguments));
        EXPECT_EQ(run.code, c.code) << c.arguments << ": " << run.err;
        EXPECT_TRUE(run.out.isEmpty()) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
    }
    for (const QString &path : {missing, plain}) {
        const CliRun run = Cli(Args("report|daily|--database") + QStringList{path});
        EXPECT_EQ(run.code, kCliNoDatabase) << run.err;
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(ReadBytes(db.Path()), before);

    // The login password: asked in mode 0, never given by a pipe.
    db.Exec(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=0, cPassword='Kn\u00e4ckebr\u00f6d'"));
    const QByteArray locked = ReadBytes(db.Path());
    CliRun run = Report(Args("daily"));
    EXPECT_EQ(run.code, kCliWrongPassword);
    EXPECT_NE(run.err.find(kPasswordVariable), std::string::npos) << run.err;
    run = Report(Args("daily"), QStringLiteral("kn\u00e4ckebr\u00f6d"));
    EXPECT_EQ(run.code, kCliWrongPassword);
    EXPECT_TRUE(run.out.isEmpty());
    run = Report(Args("daily"), QStringLiteral("Kn\u00e4ckebr\u00f6d"));
    EXPECT_EQ(run.code, kCliOk) << run.err;
    EXPECT_FALSE(run.out.isEmpty());
    EXPECT_EQ(ReadBytes(db.Path()), locked);

    run = Cli(Args("report"));
    EXPECT_EQ(run.code, kCliUsage);
    EXPECT_NE(run.err.find("report KIND"), std::string::npos);
    run = Cli(Args("--version"));
    EXPECT_EQ(run.code, kCliOk);
    EXPECT_TRUE(run.out.startsWith("Tallywick + ")) << run.out.toStdString();
    run = Cli(Args("--help"));
    EXPECT_EQ(run.code, kCliOk);
    EXPECT_TRUE(run.out.contains("report KIND"));
}

namespace {

class CScriptedTerminal final : public ICliTerminal
{
public:
    bool interactive = true;
    QString answer;
    int asked = 0;
    bool Interactive() override { return interactive; }
    QString ReadSecret(const QString &) override
    {
        ++asked;
        return answer;
    }
};

} // namespace

TEST_F(CliReports, TheTerminalIsAskedOnlyWhenTheEnvironmentGivesNoPassword)
{
    db.Exec(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=2, cPassword='vorel'"));
    CScriptedTerminal terminal;
    SetCliTerminal(&terminal);
    qunsetenv(kPasswordVariable);
    CCliArgs args;
    args.Add(QStringLiteral("database"), db.Path());
    auto open = [&] {
        CTallywickData opened;
        try {
            OpenCliDatabase(opened, args, out.path());
        } catch (const CliError &e) {
            return e.code;
        }
        return opened.loggedIn && opened.company.cName == QStringLiteral("Ann's Bakery") ? int(kCliOk) : -1;
    };
    terminal.answer = QStringLiteral("vorel");
    EXPECT_EQ(open(), kCliOk);
    terminal.answer = QStringLiteral("Vorel");
    EXPECT_EQ(open(), kCliWrongPassword);
    terminal.interactive = false;
    EXPECT_EQ(open(), kCliWrongPassword);
    qputenv(kPasswordVariable, "vorel");
    EXPECT_EQ(open(), kCliOk);
    qunsetenv(kPasswordVariable);
    // A mode without a login screen asks nobody.
    db.Exec(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=1"));
    EXPECT_EQ(open(), kCliOk);
    EXPECT_EQ(terminal.asked, 2);
    SetCliTerminal(nullptr);
}
#endif
