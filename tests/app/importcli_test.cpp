#include "app/cli.h"
#include "app/clidatabase.h"
#include "data/conversion.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "records/importengine.h"

#include "support/testdatabase.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifdef TWK_PROGRAM
namespace {

struct ImportRun {
    int code = -1;
    QString out;
    QString err;
};

class ImportCli : public ::testing::Test
{
protected:
    ImportCli()
    {
        program = folder.filePath(QStringLiteral("tallywick"));
        QFile::copy(QStringLiteral(TWK_PROGRAM), program);
        QFile::setPermissions(program, QFile::permissions(QStringLiteral(TWK_PROGRAM)));
        db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cName='Ann', cCompanyUnits='Shop,Stall,'"));
        db.AddCategory(QStringLiteral("Sales"), 1);
        db.AddCategory(QStringLiteral("Sundry"), 2);
        db.AddCategory(QStringLiteral("Fuel"), 2);
    }

    QString Write(const QString &name, const QByteArray &text)
    {
        const QString path = folder.filePath(name);
        WriteBytes(path, text);
        return path;
    }

    ImportRun Import(const QStringList &arguments, const QByteArray &locale = "C.UTF-8")
    {
        return Run(QStringLiteral("import"), arguments, locale);
    }

    ImportRun Run(const QString &command, const QStringList &arguments, const QByteArray &locale = "C.UTF-8")
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QLatin1String(kPasswordVariable));
        env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"),
                   QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        p.setProcessEnvironment(env);
        p.start(program, QStringList{command} + arguments
                             + QStringList{QStringLiteral("--database"), db.Path()});
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QTemporaryDir folder;
    QString program;
    CTestDatabase db;
};

const QStringList kUsLayout = {QStringLiteral("--skip"), QStringLiteral("1"), QStringLiteral("--columns"),
                               QStringLiteral("date=1,description=2,amount=3")};
const QStringList kShop = {QStringLiteral("--unit"), QStringLiteral("Shop")};

TEST_F(ImportCli, ImportsOnceUnderAnyLocaleAndTheDryRunWritesNothing)
{
    const QString march = Write(QStringLiteral("march.csv"), "Date,Payee,Amount\n"
                                                             "03/01/2026,Client Invoice 17,1250.50\n"
                                                             "03/02/2026,\"Shell, Main St\",-45.10\n"
                                                             "03/02/2026,Coffee,-3.20\n"
                                                             "03/02/2026,Coffee,-3.20\n");
    CImportStore(db.Connection()).SaveRules({{0, RuleMatch::Contains, QStringLiteral("shell"), QStringLiteral("Fuel")}});
    const QByteArray before = ReadBytes(db.Path());
    ImportRun run = Import(QStringList{march, QStringLiteral("--category"), QStringLiteral("Sundry"),
                                       QStringLiteral("--dry-run")} + kShop + kUsLayout);
    EXPECT_EQ(run.code, kCliOk) << qPrintable(run.err);
    EXPECT_EQ(run.out, QStringLiteral("added: 3\nduplicates: 0\nerrors: 0\nwithout category: 1\n"));
    EXPECT_EQ(ReadBytes(db.Path()), before);

    run = Import(QStringList{march, QStringLiteral("--category"), QStringLiteral("Sundry")} + kShop + kUsLayout, "de_DE.UTF-8");
    EXPECT_EQ(run.code, kCliOk) << qPrintable(run.err);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("added: 3\n"))) << qPrintable(run.out);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT group_concat(cTransactionDate||' '||cTransactionName||' '||"
                                       "cTransactionAmount||' '||cTransactionDescription, '|') FROM LB_TRANSACTION_INFO_TB")),
              QStringLiteral("03/02/2026 Fuel 45.1 Shell, Main St|03/02/2026 Sundry 3.2 Coffee|"
                             "03/02/2026 Sundry 3.2 Coffee"));

    // The income now has a category; the rest are there already.
    run = Import(QStringList{march, QStringLiteral("--category"), QStringLiteral("Sales")} + kShop + kUsLayout);
    EXPECT_EQ(run.out, QStringLiteral("added: 1\nduplicates: 3\nerrors: 0\n"));
    run = Import(QStringList{march, QStringLiteral("--category"), QStringLiteral("Sales")} + kShop + kUsLayout);
    EXPECT_EQ(run.out, QStringLiteral("added: 0\nduplicates: 4\nerrors: 0\n"));
}

TEST_F(ImportCli, AFileOfTheOlderFormatIsConvertedByAnImportNeverByReadingOrADryRun)
{
    const QString april = Write(QStringLiteral("april.csv"), "Date,Payee,Amount\n04/01/2026,Client,100.25\n");
    db.Connection().Close();
    RewriteInVersion3Format(db.Path());
    const QByteArray original = ReadBytes(db.Path());
    const QStringList kinds[] = {{QStringLiteral("report"), QStringLiteral("period")},
                                 QStringList{QStringLiteral("import"), april, QStringLiteral("--dry-run")} + kShop
                                     + kUsLayout};
    for (const QStringList &kind : kinds) {
        const ImportRun read = Run(kind[0], kind.mid(1));
        EXPECT_EQ(read.code, 0) << read.err.toStdString();
        EXPECT_EQ(ReadBytes(db.Path()), original);
        EXPECT_FALSE(QFile::exists(KeptOriginalFor(db.Path())));
    }
    ImportRun run = Import(QStringList{april, QStringLiteral("--category"), QStringLiteral("Sales")} + kShop + kUsLayout);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("was converted to the new file format"))) << run.err.toStdString();
    EXPECT_EQ(ReadBytes(KeptOriginalFor(db.Path())), original);
    CDbConnection c;
    c.Open(db.ConnectionString(), kDbUser, kDbPassword);
    EXPECT_EQ(c.Format(), CipherFormat::Current);
    CDbRecordset rs(c);
    rs.OpenText(QStringLiteral("SELECT count(*) FROM LB_TRANSACTION_INFO_TB WHERE cTransactionAmount=100.25"));
    EXPECT_EQ(rs.GetDouble(0), 1);
}

TEST_F(ImportCli, MalformedLinesAreNamedAndRefusalOrBadArgumentsChangeNothing)
{
    const QString bad = Write(QStringLiteral("bad.csv"), "Date,Payee,Amount\n"
                                                         "03/01/2026,Client,100\n"
                                                         "31/02/2026,Broken,5\n");
    const QByteArray before = ReadBytes(db.Path());
    ImportRun run = Import(QStringList{bad, QStringLiteral("--category"), QStringLiteral("Sales"),
                                       QStringLiteral("--on-error"), QStringLiteral("refuse")} + kShop + kUsLayout);
    EXPECT_EQ(run.code, kCliFailed);
    EXPECT_TRUE(run.err.contains(QStringLiteral("line 3: "))) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QStringLiteral("nothing was imported"))) << qPrintable(run.err);
    EXPECT_EQ(ReadBytes(db.Path()), before);

    const struct {
        QStringList extra;
        const char *message;
    } refusals[] = {
        {{QStringLiteral("--unit"), QStringLiteral("Attic")}, "unknown unit \"Attic\"; the units are: Shop, Stall"},
        {{QStringLiteral("--category"), QStringLiteral("Rent")}, "unknown category \"Rent\""},
        {{QStringLiteral("--columns"), QStringLiteral("date=1,amount=0")}, "--columns"},
        {{QStringLiteral("--mapping"), QStringLiteral("Bank")}, "does not go with --mapping"},
    };
    for (const auto &r : refusals) {
        const bool unitGiven = r.extra.contains(QStringLiteral("--unit"));
        run = Import(QStringList{bad} + kUsLayout + (unitGiven ? r.extra : kShop + r.extra));
        EXPECT_EQ(run.code, kCliUsage) << r.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.message))) << qPrintable(run.err);
    }
    EXPECT_EQ(ReadBytes(db.Path()), before);

    run = Import(QStringList{bad, QStringLiteral("--category"), QStringLiteral("Sales")} + kShop + kUsLayout);
    EXPECT_EQ(run.code, kCliOk);
    EXPECT_EQ(run.out, QStringLiteral("added: 1\nduplicates: 0\nerrors: 1\n"));
}

TEST_F(ImportCli, GermanLayoutFromOptionsAndFromASavedMapping)
{
    const QString umsatz = Write(QStringLiteral("umsatz.csv"), "Buchungstag;Verwendungszweck;Soll;Haben\r\n"
                                                               "01.03.2026;B\xe4""ckerei M\xfc""ller;1.004,50;\r\n"
                                                               "02.03.2026;Gehalt M\xe4rz;;2.250,00\r\n");
    CImportStore store(db.Connection());
    store.SaveRules({{0, RuleMatch::StartsWith, QStringLiteral("GEHALT"), QStringLiteral("Sales")}});
    const QStringList layout = {QStringLiteral("--delimiter"), QStringLiteral(";"), QStringLiteral("--encoding"),
                                QStringLiteral("Windows-1252"), QStringLiteral("--skip"), QStringLiteral("1"),
                                QStringLiteral("--date-format"), QStringLiteral("dd.mm.yyyy"),
                                QStringLiteral("--decimal-comma"), QStringLiteral("--columns"),
                                QStringLiteral("date=1,description=2,debit=3,credit=4")};
    ImportRun run = Import(QStringList{umsatz, QStringLiteral("--category=Sundry")} + kShop + layout, "de_DE.UTF-8");
    EXPECT_EQ(run.code, kCliOk) << qPrintable(run.err);
    EXPECT_EQ(run.out, QStringLiteral("added: 2\nduplicates: 0\nerrors: 0\n"));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT group_concat(cTransactionDate||' '||iTransactionType||' '||cTransactionName||' '||"
                                       "cTransactionAmount||' '||cTransactionDescription, '|') FROM LB_TRANSACTION_INFO_TB")),
              QStringLiteral("03/01/2026 2 Sundry 1004.5 B\u00e4ckerei M\u00fcller|03/02/2026 1 Sales 2250.0 Gehalt M\u00e4rz"));

    CCsvLayout saved;
    saved.delimiter = u';';
    saved.encoding = QStringLiteral("Windows-1252");
    saved.skipLines = 1;
    saved.dateFormat = QStringLiteral("DD.MM.YYYY");
    saved.decimalComma = true;
    saved.dateColumn = 0;
    saved.descriptionColumn = 1;
    saved.debitColumn = 2;
    saved.creditColumn = 3;
    store.SaveMapping(QStringLiteral("Sparkasse"), saved);
    run = Import(QStringList{umsatz, QStringLiteral("--mapping"), QStringLiteral("Sparkasse")} + kShop);
    EXPECT_EQ(run.out, QStringLiteral("added: 0\nduplicates: 2\nerrors: 0\n")) << qPrintable(run.err);
}

} // namespace
#endif
