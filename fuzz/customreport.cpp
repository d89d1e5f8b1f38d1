// The custom-report definitions, as the file and the company row's cReserved
// hold them: what is read is written back and reads the same, and what the
// program writes is never unreadable.
#include "fuzzcheck.h"

#include "base/uiseam.h"
#include "data/dbconnection.h"
#include "data/dbschema.h"
#include "reports/customreport.h"

#include <sqlite3.h>

#include <QTemporaryDir>

namespace {

bool Same(const CCustomReportList &a, const CCustomReportList &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype r = 0; r < a.size(); ++r) {
        if (a[r].name != b[r].name || a[r].subsections.size() != b[r].subsections.size())
            return false;
        for (qsizetype s = 0; s < a[r].subsections.size(); ++s) {
            const CReportSubsection &x = a[r].subsections[s];
            const CReportSubsection &y = b[r].subsections[s];
            if (x.name != y.name || x.categories.size() != y.categories.size())
                return false;
            for (qsizetype c = 0; c < x.categories.size(); ++c) {
                if (x.categories[c].name != y.categories[c].name || x.categories[c].id != y.categories[c].id
                    || x.categories[c].type != y.categories[c].type)
                    return false;
            }
        }
    }
    return true;
}

// Counts the messages instead of showing them.
class CountingSeam : public IUiSeam
{
public:
    int messages = 0;
    int MessageBox(QObject *, const QString &, const QString &, unsigned) override
    {
        ++messages;
        return IDOK;
    }
    QString OpenFileName(QObject *, const FileDialogRequest &) override { return {}; }
    QString SaveFileName(QObject *, const FileDialogRequest &) override { return {}; }
    QString BrowseFolder(QObject *, const QString &, const QString &) override { return {}; }
    std::optional<unsigned> ChooseColor(QObject *, unsigned) override { return std::nullopt; }
};

struct Database {
    QTemporaryDir folder;
    CDbConnection connection;
    CountingSeam seam;
    Database()
    {
        const QString path = folder.filePath(kDbFileName);
        FUZZ_CHECK(CreateDatabase(path, kDbPassword).isEmpty());
        connection.Open(kProviderSetting + DataSourcePart(path), kDbUser, kDbPassword);
        // Thousands of writes a second: no waiting for the disk.
        connection.Execute(QStringLiteral("PRAGMA synchronous = OFF"));
        connection.Execute(QStringLiteral("INSERT INTO LB_COMPANY_INFO_TB (cEmail) VALUES ('a@b.c')"));
        SetUiSeam(&seam);
    }
};

Database &Db()
{
    static Database db;
    return db;
}

// The stored text's bytes as they are, valid UTF-8 or not.
void Store(const QByteArray &bytes)
{
    sqlite3_stmt *stmt = nullptr;
    FUZZ_CHECK(sqlite3_prepare_v2(Db().connection.Handle(), "UPDATE LB_COMPANY_INFO_TB SET cReserved = ?1", -1, &stmt,
                                  nullptr)
               == SQLITE_OK);
    sqlite3_bind_text(stmt, 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    FUZZ_CHECK(sqlite3_step(stmt) == SQLITE_DONE);
    sqlite3_finalize(stmt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // The file's form.
    CCustomReportList reports;
    const CustomXmlResult result = ParseCustomReports(QString::fromUtf8(bytes), reports);
    if (result != CustomXmlResult::Loaded)
        FUZZ_CHECK(reports.isEmpty());
    const QString written = CustomReportsXml(reports);
    CCustomReportList again;
    FUZZ_CHECK(ParseCustomReports(written, again) != CustomXmlResult::Unreadable);
    FUZZ_CHECK(Same(again, reports));
    FUZZ_CHECK(ParseCustomReports(QString::fromUtf8(TextModeBytes(written)), again) != CustomXmlResult::Unreadable);
    FUZZ_CHECK(Same(again, reports));

    // The database's form: a text that cannot be read is told once and
    // loads as nothing.
    Store(bytes);
    Db().seam.messages = 0;
    const CCustomReportList loaded = LoadCustomReports(Db().connection);
    FUZZ_CHECK(Db().seam.messages <= 1);
    if (Db().seam.messages == 1)
        FUZZ_CHECK(loaded.isEmpty());
    return 0;
}
