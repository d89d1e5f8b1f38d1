#include "app/cli.h"
#include "app/clidatabase.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "data/profile.h"
#include "data/reminderstore.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "records/reminderdlgs.h"
#include "reports/advancedreportdlg.h"
#include "reports/customreport.h"
#include "reports/customreportdlg.h"
#include "reports/listreportdlg.h"
#include "reports/periodreport.h"
#include "reports/reminderreport.h"
#include "reports/reportexport.h"
#include "reports/reportformat.h"
#include "reports/reportinfodlg.h"
#include "reports/tallywickview.h"

#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
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
    QString err;
};

QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
        db.AddCategory(QStringLiteral("Sales"), 1);
        db.AddCategory(QStringLiteral("Rent"), 2);
        db.AddCategory(QStringLiteral("Flour, rye"), 2);
        db.AddCategory(QStringLiteral("Tips"), 3);
        db.AddTransaction(QStringLiteral("Shop"), QStringLiteral("03/15/2026"), QStringLiteral("Sales"), 12.5,
                          QStringLiteral("Ärzte Praxis"), 1);
        db.AddTransaction(QStringLiteral("O'Neil Stall"), QStringLiteral("03/16/2026"), QStringLiteral("Sales"), 40,
                          QStringLiteral("Saturday"), 1);
        db.AddTransaction(QStringLiteral("Shop"), QStringLiteral("03/16/2026"), QStringLiteral("Rent"), 15.5,
                          QStringLiteral("Cheque \"1234\""), 2);
        db.AddTransaction(QStringLiteral("Shop"), QStringLiteral("02/01/2026"), QStringLiteral("Flour, rye"), 7,
                          QStringLiteral("Sack"), 2);
        db.AddTransaction(QStringLiteral("O'Neil Stall"), QStringLiteral("01/31/2026"), QStringLiteral("Tips"), 3,
                          QStringLiteral("Jar"), 1);
        CReminderStore reminders(db.Connection());
        reminders.Add(CReminder{-1, QStringLiteral("Insurance"), 120, QStringLiteral("03/20/2026"), 5, false});
        reminders.Add(CReminder{-1, QStringLiteral("Oven service"), 80.25, QStringLiteral("04/02/2026"), 3, false});
        CReportCategory sales{1, 0, QStringLiteral("Sales")};
        CReportCategory rent{2, 0, QStringLiteral("Rent")};
        const CCustomReportList custom{{QStringLiteral("Quarter"),
                                        {{QStringLiteral("Takings"), {sales}}, {QStringLiteral("Costs"), {rent}}}}};
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

    CliRun Cli(const QStringList &arguments, const QProcessEnvironment &extra = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QLatin1String(kPasswordVariable));
        // The profile this test writes (the test run keeps it elsewhere).
        env.insert(QStringLiteral("XDG_CONFIG_HOME"),
                   QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        env.insert(extra);
        p.setProcessEnvironment(env);
        p.start(s_program, arguments);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
    }

    CliRun Report(QStringList arguments, const QProcessEnvironment &extra = {})
    {
        return Cli(QStringList{QStringLiteral("report")} + arguments + QStringList{QStringLiteral("--database"), db.Path()},
                   extra);
    }

    // What Export Report writes for the grid the view shows now.
    QByteArray Exported(const QString &extension)
    {
        const QString path = out.filePath(QStringLiteral("export.") + extension);
        EXPECT_EQ(ReportExport::WriteFile(view.GetGrid()->Model(), path), ReportExport::Outcome::Written);
        return FileBytes(path);
    }

    static void SelectAll(QWidget *dialog, int id)
    {
        dialog->findChild<QListWidget *>(QString::number(id))->selectAll();
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
    const QStringList period{QStringLiteral("--from"), QStringLiteral("2026-01-01"), QStringLiteral("--to"),
                             QStringLiteral("31/Mar/2026")};
    auto expectSame = [&](const QStringList &arguments, const char *what) {
        for (const QString &format : {QStringLiteral("txt"), QStringLiteral("csv")}) {
            const CliRun run = Report(arguments + QStringList{QStringLiteral("--format"), format});
            EXPECT_EQ(run.code, 0) << what << run.err.toStdString();
            EXPECT_EQ(run.err.toStdString(), "") << what;
            EXPECT_EQ(run.out.toStdString(), Exported(format).toStdString()) << what << " as " << format.toStdString();
        }
    };

    CReportInfoDlg daily(data, view, kDailyReport);
    daily.SetDates(QDate(2026, 3, 16), QDate(2026, 3, 16));
    daily.accept();
    expectSame({QStringLiteral("daily"), QStringLiteral("--from"), QStringLiteral("2026-03-16")}, "daily");

    CReportInfoDlg monthly(data, view, kMonthlyReport);
    monthly.SetDates(QDate(2026, 3, 1), QDate(2026, 3, 1));
    monthly.accept();
    expectSame({QStringLiteral("monthly"), QStringLiteral("--from"), QStringLiteral("2026-03-20")}, "monthly");

    CReportInfoDlg periodDlg(data, view, kPeriodReport);
    periodDlg.SetDates(from, to);
    periodDlg.accept();
    expectSame(QStringList{QStringLiteral("period")} + period, "period");

    // More Options narrowed to one unit and some categories.
    MoreReportOptions options;
    options.unit = QStringLiteral("O'Neil Stall");
    options.incomeNames = {QStringLiteral("Sales"), QStringLiteral("Tips")};
    options.expenseNames = {QStringLiteral("Tips")};
    view.ShowReport(PeriodReport(data, PeriodRequest{kPeriodReport, from, to, &options}));
    expectSame(QStringList{QStringLiteral("period"), QStringLiteral("--unit"), QStringLiteral("O'Neil Stall"),
                           QStringLiteral("--category"), QStringLiteral("Sales"), QStringLiteral("--category"),
                           QStringLiteral("Tips")}
                   + period,
               "period, more options");

    CAdvancedReportDlg advanced(data, view);
    advanced.SetDates(from, to);
    for (const int id : {1132, 1134, 1138})
        SelectAll(&advanced, id);
    advanced.accept();
    ASSERT_EQ(advanced.result(), QDialog::Accepted);
    expectSame(QStringList{QStringLiteral("advanced")} + period, "advanced");

    CListReportDlg expenses(data, view, 2);
    expenses.findChild<QDateEdit *>(QStringLiteral("1033"))->setDate(from);
    expenses.findChild<QDateEdit *>(QStringLiteral("1027"))->setDate(to);
    expenses.findChild<QCheckBox *>(QStringLiteral("1035"))->setChecked(true);
    expenses.findChild<QCheckBox *>(QStringLiteral("1037"))->setChecked(true);
    expenses.findChild<QCheckBox *>(QStringLiteral("1086"))->setChecked(true);
    expenses.accept();
    ASSERT_EQ(expenses.result(), QDialog::Accepted);
    expectSame(QStringList{QStringLiteral("expenses"), QStringLiteral("--sort"), QStringLiteral("date")} + period,
               "expenses");

    CListReportDlg incomes(data, view, 1);
    incomes.findChild<QDateEdit *>(QStringLiteral("1033"))->setDate(from);
    incomes.findChild<QDateEdit *>(QStringLiteral("1027"))->setDate(to);
    incomes.findChild<QListWidget *>(QStringLiteral("1034"))->findItems(QStringLiteral("Sales"), Qt::MatchExactly)
        .first()->setSelected(true);
    incomes.findChild<QListWidget *>(QStringLiteral("1036"))->findItems(QStringLiteral("Shop"), Qt::MatchExactly)
        .first()->setSelected(true);
    incomes.accept();
    ASSERT_EQ(incomes.result(), QDialog::Accepted);
    expectSame(QStringList{QStringLiteral("incomes"), QStringLiteral("--category"), QStringLiteral("Sales"),
                           QStringLiteral("--unit"), QStringLiteral("Shop")}
                   + period,
               "incomes");

    CCustomReportDlg custom(data, view.GetGrid());
    custom.findChild<QDateEdit *>(QStringLiteral("1033"))->setDate(from);
    custom.findChild<QDateEdit *>(QStringLiteral("1027"))->setDate(to);
    custom.OnRun();
    ASSERT_EQ(custom.result(), QDialog::Accepted);
    expectSame(QStringList{QStringLiteral("custom"), QStringLiteral("--name"), QStringLiteral("Quarter")} + period,
               "custom");

    // What the window shows after the reminder dialog's OK.
    CDisplayRemindersDlg reminders(data);
    reminders.findChild<QDateEdit *>(QStringLiteral("1033"))->setDate(from);
    reminders.findChild<QDateEdit *>(QStringLiteral("1027"))->setDate(QDate(2026, 4, 30));
    ASSERT_TRUE(ShowReminders(view, data, kReminderRangeQuery,
                              {DateText(reminders.From()), DateText(reminders.To()), reminders.FromText(),
                               reminders.ToText()},
                              false));
    expectSame({QStringLiteral("reminders"), QStringLiteral("--from"), QStringLiteral("2026-01-01"),
                QStringLiteral("--to"), QStringLiteral("2026-04-30")},
               "reminders");
    EXPECT_TRUE(TestUi().Texts().isEmpty()) << TestUi().Texts().join(u'|').toStdString();
}

TEST_F(CliReports, PdfIsWhatPrintingTheReportToAFileGives)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    CAdvancedReportDlg advanced(data, view);
    advanced.SetDates(QDate(2026, 1, 1), QDate(2026, 3, 31));
    for (const int id : {1132, 1134, 1138})
        SelectAll(&advanced, id);
    advanced.accept();
    const QString printed = out.filePath(QStringLiteral("printed.pdf"));
    QPrinter &printer = view.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    ASSERT_EQ(view.PrintTo(printer).outcome, CPrintRun::Printed);

    const QString written = out.filePath(QStringLiteral("cli.pdf"));
    const CliRun run = Report({QStringLiteral("advanced"), QStringLiteral("--from"), QStringLiteral("2026-01-01"),
                               QStringLiteral("--to"), QStringLiteral("2026-03-31"), QStringLiteral("--output"), written});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    auto text = [](const QString &pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        // The page foot tells when it was printed.
        return QString::fromUtf8(p.readAllStandardOutput())
            .remove(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d:\\d\\d")))
            .toStdString();
    };
    const std::string expected = text(printed);
    EXPECT_NE(expected.find("Net Balance"), std::string::npos) << expected;
    EXPECT_EQ(text(written), expected);
}

TEST_F(CliReports, RefusalsExitWithTheirCodeWriteNothingAndLeaveTheDatabaseAlone)
{
    const QByteArray before = FileBytes(db.Path());
    const QString missing = out.filePath(QStringLiteral("unmounted/TallywickPlus.mdb"));
    QFile plain(out.filePath(QStringLiteral("plain.mdb")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write(QByteArray(4096, 'x'));
    plain.close();
    const struct {
        QStringList arguments;
        int code;
        const char *message;
    } cases[] = {
        {{QStringLiteral("period"), QStringLiteral("--from"), QStringLiteral("2026-02-30")}, kCliUsage, "not a date"},
        {{QStringLiteral("period"), QStringLiteral("--from"), QStringLiteral("2026-03-02"), QStringLiteral("--to"),
          QStringLiteral("2026-03-01")},
         kCliUsage, "after"},
        {{QStringLiteral("incomes"), QStringLiteral("--unit"), QStringLiteral("Attic")}, kCliUsage, "unknown unit"},
        {{QStringLiteral("advanced"), QStringLiteral("--category"), QStringLiteral("Bakery")}, kCliUsage,
         "unknown category"},
        {{QStringLiteral("expenses"), QStringLiteral("--category"), QStringLiteral("Sales")}, kCliUsage,
         "no expense category"},
        {{QStringLiteral("custom"), QStringLiteral("--name"), QStringLiteral("Year")}, kCliUsage, "Quarter"},
        {{QStringLiteral("weekly")}, kCliUsage, "unknown report"},
        {{QStringLiteral("daily"), QStringLiteral("--colour"), QStringLiteral("red")}, kCliUsage, "unknown option"},
        {{QStringLiteral("daily"), QStringLiteral("--sort"), QStringLiteral("date")}, kCliUsage, "does not apply"},
        {{QStringLiteral("advanced"), QStringLiteral("--from"), QStringLiteral("2020-01-01")}, kCliNoRecords,
         "No records found"},
        {{QStringLiteral("reminders"), QStringLiteral("--from"), QStringLiteral("2020-01-01")}, kCliNoRecords,
         "No payment reminder"},
    };
    for (const auto &c : cases) {
        const CliRun run = Report(c.arguments);
        const std::string what = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(run.code, c.code) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << what << ": " << run.err.toStdString();
    }

    for (const QString &path : {missing, plain.fileName()}) {
        const CliRun run = Cli({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--database"), path});
        EXPECT_EQ(run.code, kCliNoDatabase) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(FileBytes(db.Path()), before);

    // The login password: asked in mode 0, never given by a pipe.
    db.Exec(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=0, cPassword='Kn\u00e4ckebr\u00f6d'"));
    const QByteArray locked = FileBytes(db.Path());
    QProcessEnvironment wrong, right;
    wrong.insert(QLatin1String(kPasswordVariable), QStringLiteral("kn\u00e4ckebr\u00f6d"));
    right.insert(QLatin1String(kPasswordVariable), QStringLiteral("Kn\u00e4ckebr\u00f6d"));
    CliRun run = Report({QStringLiteral("daily")});
    EXPECT_EQ(run.code, kCliWrongPassword);
    EXPECT_TRUE(run.err.contains(QLatin1String(kPasswordVariable))) << run.err.toStdString();
    run = Report({QStringLiteral("daily")}, wrong);
    EXPECT_EQ(run.code, kCliWrongPassword);
    EXPECT_TRUE(run.out.isEmpty());
    run = Report({QStringLiteral("daily")}, right);
    EXPECT_EQ(run.code, kCliOk) << run.err.toStdString();
    EXPECT_FALSE(run.out.isEmpty());
    EXPECT_EQ(FileBytes(db.Path()), locked);
    EXPECT_NE(before, locked);

    run = Cli({QStringLiteral("report")});
    EXPECT_EQ(run.code, kCliUsage);
    EXPECT_TRUE(run.err.contains(QLatin1String("report KIND")));
    run = Cli({QStringLiteral("--version")});
    EXPECT_EQ(run.code, kCliOk);
    EXPECT_TRUE(run.out.startsWith("Tallywick + ")) << run.out.toStdString();
    run = Cli({QStringLiteral("--help")});
    EXPECT_EQ(run.code, kCliOk);
    EXPECT_TRUE(run.out.contains("report KIND"));
}

namespace {

class CScriptedTerminal final : public ICliTerminal
{
public:
    bool interactive = true;
    QString answer;
    QStringList prompts;
    bool Interactive() override { return interactive; }
    QString ReadSecret(const QString &prompt) override
    {
        prompts << prompt;
        return answer;
    }
};

} // namespace

TEST_F(CliReports, TheTerminalIsAskedOnlyWhenTheEnvironmentGivesNoPassword)
{
    db.Exec(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=2, cPassword='vorel'"));
    CScriptedTerminal terminal;
    SetCliTerminal(&terminal);
    const QByteArray saved = qgetenv(kPasswordVariable);
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
    EXPECT_EQ(terminal.prompts.size(), 2);
    terminal.interactive = false;
    EXPECT_EQ(open(), kCliWrongPassword);
    qputenv(kPasswordVariable, "vorel");
    EXPECT_EQ(open(), kCliOk);
    EXPECT_EQ(terminal.prompts.size(), 2);
    // A mode without a login screen asks nobody.
    qunsetenv(kPasswordVariable);
    db.Exec(QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=1"));
    EXPECT_EQ(open(), kCliOk);
    EXPECT_EQ(terminal.prompts.size(), 2);
    if (!saved.isNull())
        qputenv(kPasswordVariable, saved);
    SetCliTerminal(nullptr);
}
#endif
