#include "app/cli.h"
#include "app/tallywickapp.h"
#include "base/commandids.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/dbschema.h"
#include "frame/mainframe.h"

#include "support/testfiles.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>

namespace {

// A database with the program's key and tables whose rows no version of the
// program writes: the fresh schema, then `script` run on it as it stands.
void MakeHostileDatabase(const QString &path, const QString &script)
{
    ASSERT_EQ(CreateDatabase(path, kDbPassword), QString());
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    const QByteArray key = kDbPassword.toUtf8();
    sqlite3_key(db, key.constData(), int(key.size()));
    // As the README's shell lines key it.
    sqlite3_exec(db, "PRAGMA kdf_iter = 64000", nullptr, nullptr, nullptr);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close_v2(db);
}

// The same table without one of its columns (and so without its indexes).
QString WithoutColumn(const QString &table, const QString &columns)
{
    return QStringLiteral("CREATE TABLE twk_old AS SELECT * FROM %1; DROP TABLE %1; CREATE TABLE %1 (%2); "
                          "DROP TABLE twk_old;")
        .arg(table, columns);
}

// 1 MB of text.
const QString kMegabyte = QStringLiteral("replace(hex(zeroblob(524288)),'00','Ab')");

struct HostileCase {
    const char *name;
    QString script;
    // The login password the case leaves; the dialog gets it when asked.
    QString password = QStringLiteral("vorel");
};

QList<HostileCase> HostileCases()
{
    const QString bypass = QStringLiteral("UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=1;");
    const QString categories =
        QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,iType) VALUES ('Rent',1),('Rent',2);");
    QString dates = bypass + categories + QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cCompanyUnits='Home,';");
    for (const char *d : {"''", "'13/45/2026'", "'2026-03-01'", "'yesterday'", "'02/30/2026'", "12345", "45000.5",
                          "'00/00/0000'", "'12/31/9999'", "'1/2/3'", "NULL", "'03/01/2026 junk'"}) {
        dates += QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                                "cTransactionAmount,iTransactionType) VALUES ('Home',%1,'Rent',5,1),('Home',%1,'Rent',6,2);"
                                "INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
                                "iPaymentReminderDays,bAutoDelete) VALUES ('Due',1,%1,30,0);")
                     .arg(QLatin1String(d));
    }
    QString numbers = bypass + categories + QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cCompanyUnits='Home,';");
    for (const char *amount : {"1e308", "-1e308", "9e999", "-9e999", "'NaN'", "'abc'", "X'00FF'", "-0.0"}) {
        for (const char *type : {"1", "2", "0", "7", "-1", "70000", "'x'"}) {
            numbers += QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                                      "cTransactionAmount,iTransactionType) VALUES ('Home','03/01/2026','Rent',%1,%2);")
                           .arg(QLatin1String(amount), QLatin1String(type));
        }
        numbers += QStringLiteral("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,"
                                  "cPaymentDate,iPaymentReminderDays,bAutoDelete) VALUES ('Due',%1,'03/20/2026',99999,7);")
                       .arg(QLatin1String(amount));
    }
    numbers += QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,iType) VALUES ('Zero',0),"
                              "('Seven',7),('Minus',-1),('Huge',99999),('Text','x');"
                              "UPDATE LB_DEFAULT_SETTINGS_TB SET iAutoBackUpDb=70000,iPrintLogo=-1,iPrintEMail='x',"
                              "iPrintPhNo=1e308;");
    QString units = bypass + QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cCompanyUnits=(WITH RECURSIVE n(i) AS "
                                            "(SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<10000) SELECT "
                                            "group_concat('Unit ' || i, ',') || ',' FROM n);");
    for (const char *name : {"rent", "Rent", "RENT", "rENT", "ReNt"}) {
        for (int type = 1; type <= 3; ++type)
            units += QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,iType) VALUES ('%1',%2);"
                                    "INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                                    "cTransactionAmount,iTransactionType) VALUES ('Unit 7','03/01/2026','%1',%2,%3);")
                         .arg(QLatin1String(name))
                         .arg(type)
                         .arg(type == 3 ? 1 : type);
    }
    const QString huge = QStringLiteral(
        "UPDATE LB_COMPANY_INFO_TB SET cName=%1,cAddress=%1,cPhoneNo=%1,cFaxNo=%1,cEmail=%1,cLogoPath=%1,"
        "cCompanyUnits=%1||',',cReserved=%1;"
        "UPDATE LB_DEFAULT_SETTINGS_TB SET iByPassPasswordScreen=1,cCurrency=%1,cBackUpDbPath=%1,cReserved=%1;"
        "INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) VALUES (%1,%1,3);"
        "INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,cTransactionAmount,"
        "cTransactionDescription,iTransactionType) SELECT cCompanyUnits,'03/01/2026',cName,1,cName,1 FROM "
        "LB_COMPANY_INFO_TB;"
        "INSERT INTO LB_TRANSACTION_INFO_TB (cTransactionDate,cTransactionAmount,iTransactionType) VALUES (%1,1,2);"
        "INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
        "iPaymentReminderDays,bAutoDelete) VALUES (%1,1,'03/20/2026',30,0),('Odd',1,%1,30,1);")
                             .arg(kMegabyte);
    const QString nulls = QStringLiteral(
        "DELETE FROM LB_COMPANY_INFO_TB; DELETE FROM LB_DEFAULT_SETTINGS_TB;"
        "INSERT INTO LB_COMPANY_INFO_TB DEFAULT VALUES; INSERT INTO LB_DEFAULT_SETTINGS_TB DEFAULT VALUES;"
        "INSERT INTO LB_ITEM_MASTER_INFO_TB DEFAULT VALUES; INSERT INTO LB_ITEM_MASTER_INFO_TB DEFAULT VALUES;"
        "INSERT INTO LB_TRANSACTION_INFO_TB DEFAULT VALUES; INSERT INTO LB_TRANSACTION_INFO_TB DEFAULT VALUES;"
        "INSERT INTO LB_PAYMENT_REMINDER_INFO_TB DEFAULT VALUES;");
    const QString oneRowTables = QStringLiteral("LB_COMPANY_INFO_TB,LB_DEFAULT_SETTINGS_TB");
    return {
        {"null in every column", nulls, QString()},
        {"texts of 1 MB", huge},
        {"dates in odd forms", dates},
        {"huge, negative and non-numbers", numbers},
        {"10,000 units and one name in every letter case", units},
        {"no company or settings row",
         QStringLiteral("DELETE FROM LB_COMPANY_INFO_TB; DELETE FROM LB_DEFAULT_SETTINGS_TB;"), QString()},
        {"two company and settings rows",
         QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cAddress='1 Mill Lane',cCompanyUnits='A,';"
                        "INSERT INTO LB_COMPANY_INFO_TB (cName,cCompanyUnits) VALUES ('Second','B,');"
                        "INSERT INTO LB_DEFAULT_SETTINGS_TB (iByPassPasswordScreen,cPassword) VALUES (0,'two');") +
             bypass},
        {"company without units column",
         bypass + WithoutColumn(oneRowTables.section(u',', 0, 0),
                                QStringLiteral("cName,cAddress,cPhoneNo,cFaxNo,cEmail,cLogoPath,cReserved"))},
        {"settings without password column",
         WithoutColumn(oneRowTables.section(u',', 1, 1),
                       QStringLiteral("iAutoBackUpDb,iAutoCompactDb,iByPassPasswordScreen,cBackUpDbPath,"
                                      "iPromptForBackUpDb,iPrintLogo,iPrintEMail,iPrintPhNo,iPrintFaxNo,cCurrency,"
                                      "cReserved")),
         QString()},
        {"transactions without amount column",
         bypass + categories
             + WithoutColumn(QStringLiteral("LB_TRANSACTION_INFO_TB"),
                             QStringLiteral("iTransactionNumber INTEGER PRIMARY KEY,cUnitName,cTransactionDate,"
                                            "cTransactionName,cTransactionDescription,iTransactionType"))
             + QStringLiteral("INSERT INTO LB_TRANSACTION_INFO_TB (cTransactionDate,cTransactionName,"
                              "iTransactionType) VALUES ('03/01/2026','Rent',1);")},
        {"categories without type column",
         bypass + categories
             + WithoutColumn(QStringLiteral("LB_ITEM_MASTER_INFO_TB"),
                             QStringLiteral("iTransactionId INTEGER PRIMARY KEY,cTransactionName,"
                                            "cTransactionDescription"))},
        {"reminders without date column",
         bypass + QStringLiteral("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription) VALUES ('Due');")
             + WithoutColumn(QStringLiteral("LB_PAYMENT_REMINDER_INFO_TB"),
                             QStringLiteral("iPaymentReminderID INTEGER PRIMARY KEY,cPaymentDescription,"
                                            "iPaymentAmount,iPaymentReminderDays,bAutoDelete"))},
    };
}

// Answers every window a session puts up: the password dialog with the
// password, the setup wizard with Cancel, any other dialog with OK once
// (a report runs) or, for record dialogs and a dialog that stays up, Cancel.
class ModalAnswerer : public QObject
{
public:
    ModalAnswerer(QString password)
        : m_password(std::move(password))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Answer);
        m_timer.start(5);
    }
    bool acceptOnce = true;
    int dialogs = 0;

private:
    void Answer()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (dialog->objectName() == QLatin1String("146")) {
            // A password that is not taken once is not taken again.
            if (++m_logins > 1) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit *>(QStringLiteral("1067"))->setText(m_password);
            dialog->accept();
        } else if (dialog->objectName() == QLatin1String("-2") || dialog->property("twkAnswered").toBool()
                   || !acceptOnce) {
            dialog->reject();
        } else {
            ++dialogs;
            dialog->setProperty("twkAnswered", true);
            dialog->accept();
        }
    }
    QString m_password;
    int m_logins = 0;
    QTimer m_timer;
};

class HostileDatabase : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { m_cwd = QDir::currentPath(); }
    void TearDown() override { QDir::setCurrent(m_cwd); }

private:
    QString m_cwd;
};

std::string Quoted(const QStringList &texts)
{
    QStringList lines;
    for (const QString &t : texts)
        lines << QStringLiteral("  \"%1\"").arg(t.left(160).replace(u'\n', QStringLiteral("\\n")));
    return lines.join(u'\n').toStdString();
}

#ifdef TWK_PROGRAM
struct CliRun {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString err;
};

// `tallywick report <kind> --database <path>` from a copy of the program in
// `folder`, never from the build's program folder.
CliRun RunReport(const QString &folder, const QString &kind, const QString &database, const QString &password)
{
    const QString program = QDir(folder).filePath(QStringLiteral("tallywick"));
    if (!QFile::exists(program)) {
        QFile::copy(QStringLiteral(TWK_PROGRAM), program);
        QFile::setPermissions(program, QFile::permissions(QStringLiteral(TWK_PROGRAM)));
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TALLYWICK_PASSWORD"), password);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(program, {QStringLiteral("report"), kind, QStringLiteral("--database"), database});
    p.closeWriteChannel();
    if (!p.waitForFinished(120000))
        p.kill();
    p.readAllStandardOutput();
    return {p.exitStatus(), p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}
#endif

} // namespace

TEST_P(HostileDatabase, TheProgramShowsWhatItCanWithoutCrashOrWritingUnasked)
{
    const HostileCase c = HostileCases().value(GetParam());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TallywickPlus.mdb"));
    WriteText(dir.filePath(QStringLiteral("TallywickPlus.ini")),
              QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\nConStrg=Provider=Microsoft.Jet.OLEDB.4.0;\n"));
    MakeHostileDatabase(path, c.script);
    const QByteArray before = ReadBytes(path);
    const QDateTime modified = QFileInfo(path).lastModified();

    QStringList seen;
    {
        CTallywickApp app;
        ModalAnswerer answerer(c.password);
        ASSERT_TRUE(app.InitInstance(dir.path(), {})) << Quoted(TestUi().Texts());
        seen << QStringLiteral("start-up:") << TestUi().Texts();
        CMainFrame &frame = *app.MainFrame();
        EXPECT_TRUE(app.Data().loggedIn);
        using namespace CommandId;
        for (const unsigned command : {DailyReport, MonthlyReport, SpecifiedPeriodReport, AdvancedReport,
                                       ListAllIncomes, ListAllExpenses, CustomReport, DisplayPaymentReminders, Charts,
                                       AddIncome, AddExpense, EditIncome, EditExpense, PaymentReminder,
                                       UserInformation, AddDeleteCategory, CurrencySettings}) {
            TestUi().Reset();
            answerer.acceptOnce = command < AddIncome || command == Charts || command == DisplayPaymentReminders
                || command == AdvancedReport || command == CustomReport;
            answerer.acceptOnce = answerer.acceptOnce && command != PaymentReminder;
            if (frame.IsCommandEnabled(command))
                frame.ExecuteCommand(command);
            QApplication::processEvents();
            if (!TestUi().messages.isEmpty())
                seen << QStringLiteral("command %1:").arg(command) << TestUi().Texts();
        }
        app.ExitInstance();
    }
#ifdef TWK_PROGRAM
    // The command line's reports read the same rows.
    for (const char *kind : {"daily", "monthly", "period", "advanced", "incomes", "expenses", "reminders"}) {
        const CliRun run = RunReport(dir.path(), QString::fromLatin1(kind), path, c.password);
        EXPECT_EQ(run.status, QProcess::NormalExit) << kind;
        EXPECT_TRUE(run.code == kCliOk || run.code == kCliFailed || run.code == kCliNoDatabase
                    || run.code == kCliNoRecords)
            << kind << " exit " << run.code;
        if (run.code != 0) {
            EXPECT_FALSE(run.err.trimmed().isEmpty()) << kind << ": a failure without a message";
            seen << QStringLiteral("report %1: exit %2").arg(QLatin1String(kind)).arg(run.code) << run.err.trimmed();
        }
    }
#endif
    for (const QString &text : seen)
        EXPECT_FALSE(text.trimmed().isEmpty()) << "an empty message box";
    EXPECT_FALSE(seen.contains(LoadString(StringId::SomeErrorOccured))) << Quoted(seen);
    EXPECT_TRUE(ReadBytes(path) == before) << "a session that only read wrote the file";
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    std::printf("[ what the user sees ] %s\n%s\n", c.name, Quoted(seen).c_str());
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileDatabase, ::testing::Range(0, int(HostileCases().size())),
                         [](const ::testing::TestParamInfo<int> &info) { return std::to_string(info.param); });

TEST(HostileDatabaseTables, AFileMissingATableIsRefusedWithItsMessageAndLeftAlone)
{
    for (const char *table : {"LB_TRANSACTION_INFO_TB", "LB_ITEM_MASTER_INFO_TB", "LB_COMPANY_INFO_TB",
                              "LB_DEFAULT_SETTINGS_TB", "LB_PAYMENT_REMINDER_INFO_TB"}) {
        SCOPED_TRACE(table);
        TestUi().Reset();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TallywickPlus.mdb"));
        WriteText(dir.filePath(QStringLiteral("TallywickPlus.ini")), QStringLiteral("[TallywickPlus]\nDBPath=TallywickPlus.mdb\n"));
        MakeHostileDatabase(path, QStringLiteral("DROP TABLE %1;").arg(QLatin1String(table)));
        const QByteArray before = ReadBytes(path);
        const QString cwd = QDir::currentPath();
        {
            CTallywickApp app;
            EXPECT_FALSE(app.InitInstance(dir.path(), {}));
            EXPECT_EQ(app.StartUpExitCode(), 1);
        }
        QDir::setCurrent(cwd);
        EXPECT_EQ(TestUi().Texts(), (QStringList{LoadString(StringId::DatabaseInvalid),
                                                 LoadString(StringId::OpenApplicationFailed)}));
        EXPECT_TRUE(ReadBytes(path) == before);
    }
}
