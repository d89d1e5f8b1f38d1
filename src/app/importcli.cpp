#include "app/importcli.h"

#include "app/clidatabase.h"
#include "data/conversion.h"
#include "data/dberror.h"
#include "data/statementreader.h"
#include "data/tallywickdata.h"
#include "records/importengine.h"

#include <QFileInfo>

#include <cstdio>

namespace {

CliError Usage(const QString &text)
{
    return CliError{kCliUsage, text};
}

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

int Number(const CCliArgs &args, const QString &option, int fallback, int highest)
{
    if (!args.Has(option))
        return fallback;
    bool ok = false;
    const int n = args.Value(option).trimmed().toInt(&ok);
    if (!ok || n < 0 || n > highest)
        throw Usage(QStringLiteral("--%1 is a whole number from 0 to %2").arg(option).arg(highest));
    return n;
}

StatementFormat FormatOf(const CCliArgs &args, const QString &path)
{
    const QString format = args.Value(QStringLiteral("format")).toLower();
    if (format == u"csv")
        return StatementFormat::Csv;
    if (format == u"ofx" || format == u"qfx")
        return StatementFormat::Ofx;
    if (format == u"qif")
        return StatementFormat::Qif;
    if (!format.isEmpty())
        throw Usage(QStringLiteral("--format is csv, ofx or qif"));
    if (const std::optional<StatementFormat> guessed = GuessStatementFormat(path))
        return *guessed;
    throw Usage(QStringLiteral("cannot tell what kind of statement %1 is; give --format csv, ofx or qif").arg(path));
}

QChar DelimiterOf(const QString &text)
{
    if (text == u"tab" || text == u"\\t" || text == u"\t")
        return u'\t';
    if (text == u"comma")
        return u',';
    if (text == u"semicolon")
        return u';';
    if (text.size() == 1 && !text[0].isLetterOrNumber() && text[0] != u'"')
        return text[0];
    throw Usage(QStringLiteral("--delimiter is one character such as \",\" or \";\", or tab"));
}

// "date=1,description=3,amount=5": the columns counted from 1.
void ReadColumns(const QString &text, CCsvLayout &layout)
{
    const std::pair<const char *, int CCsvLayout::*> names[] = {
        {"date", &CCsvLayout::dateColumn},     {"description", &CCsvLayout::descriptionColumn},
        {"memo", &CCsvLayout::memoColumn},     {"amount", &CCsvLayout::amountColumn},
        {"debit", &CCsvLayout::debitColumn},   {"credit", &CCsvLayout::creditColumn}};
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const QString name = part.section(u'=', 0, 0).trimmed().toLower();
        bool ok = false;
        const int column = part.section(u'=', 1).trimmed().toInt(&ok);
        const auto *field = std::find_if(std::begin(names), std::end(names),
                                         [&](const auto &n) { return name == QLatin1String(n.first); });
        if (field == std::end(names) || !ok || column < 1)
            throw Usage(QStringLiteral("--columns: \"%1\" is not NAME=N (date, description, memo, amount, debit, "
                                       "credit; columns from 1)")
                            .arg(part));
        layout.*(field->second) = column - 1;
    }
}

const QStringList kLayoutOptions = {QStringLiteral("delimiter"), QStringLiteral("encoding"), QStringLiteral("skip"),
                                    QStringLiteral("date-format"), QStringLiteral("columns")};

CCsvLayout LayoutOf(const CCliArgs &args, CImportStore &store)
{
    if (args.Has(QStringLiteral("mapping"))) {
        for (const QString &option : kLayoutOptions + QStringList{QStringLiteral("decimal-comma")}) {
            if (args.Has(option))
                throw Usage(QStringLiteral("--%1 does not go with --mapping, which holds the layout").arg(option));
        }
        const QString name = args.Value(QStringLiteral("mapping"));
        if (const std::optional<CCsvLayout> saved = store.Mapping(name))
            return *saved;
        const QStringList names = store.MappingNames();
        throw Usage(names.isEmpty() ? QStringLiteral("no saved mapping \"%1\"; none is saved yet").arg(name)
                                    : QStringLiteral("no saved mapping \"%1\"; the saved ones are: %2")
                                          .arg(name, names.join(QStringLiteral(", "))));
    }
    if (!args.Has(QStringLiteral("columns")))
        throw Usage(QStringLiteral("a CSV statement needs --mapping NAME or --columns date=N,description=N,amount=N"));
    CCsvLayout layout;
    if (args.Has(QStringLiteral("delimiter")))
        layout.delimiter = DelimiterOf(args.Value(QStringLiteral("delimiter")));
    if (args.Has(QStringLiteral("encoding")))
        layout.encoding = args.Value(QStringLiteral("encoding"));
    layout.skipLines = Number(args, QStringLiteral("skip"), 0, 1000000);
    if (args.Has(QStringLiteral("date-format")))
        layout.dateFormat = args.Value(QStringLiteral("date-format")).toUpper();
    layout.decimalComma = args.Has(QStringLiteral("decimal-comma"));
    ReadColumns(args.Value(QStringLiteral("columns")), layout);
    if (!CsvDateFormats().contains(layout.dateFormat))
        throw Usage(QStringLiteral("--date-format is one of %1").arg(CsvDateFormats().join(QStringLiteral(", "))));
    if (const QString problem = layout.Problem(); !problem.isEmpty())
        throw Usage(problem);
    return layout;
}

void CheckNames(const CTallywickData &data, const CCliArgs &args)
{
    const QString unit = args.Value(QStringLiteral("unit"));
    if (!data.company.units.contains(unit))
        throw Usage(data.company.units.isEmpty()
                        ? QStringLiteral("unknown unit \"%1\"; the business has no units yet").arg(unit)
                        : QStringLiteral("unknown unit \"%1\"; the units are: %2")
                              .arg(unit, data.company.units.join(QStringLiteral(", "))));
    const QString category = args.Value(QStringLiteral("category"));
    if (category.isEmpty())
        return;
    const auto named = [&](const QList<CCategoryEntry> &list) {
        return std::any_of(list.begin(), list.end(), [&](const CCategoryEntry &e) { return e.cTransactionName == category; });
    };
    if (!named(data.incomeCategories) && !named(data.expenseCategories))
        throw Usage(QStringLiteral("unknown category \"%1\"").arg(category));
}

int RunImport(const CCliArgs &args)
{
    if (args.positional.size() != 1)
        throw Usage(args.positional.isEmpty() ? QStringLiteral("which statement file?")
                                              : QStringLiteral("one statement file at a time"));
    const QString path = args.positional.first();
    if (!args.Has(QStringLiteral("unit")) || args.Values(QStringLiteral("unit")).size() > 1)
        throw Usage(QStringLiteral("name the one unit the statement goes to with --unit"));
    for (const QString &option : {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("output")}) {
        if (args.Has(option))
            throw Usage(QStringLiteral("--%1 does not apply to an import").arg(option));
    }
    const QString onError = args.Value(QStringLiteral("on-error"));
    if (!onError.isEmpty() && onError != u"skip" && onError != u"refuse")
        throw Usage(QStringLiteral("--on-error is skip or refuse"));
    const bool refuseOnError = onError == u"refuse";
    const bool dryRun = args.Has(QStringLiteral("dry-run"));
    if (!QFileInfo(path).isFile())
        throw CliError{kCliFailed, QStringLiteral("no statement file at %1").arg(path)};
    const StatementFormat format = FormatOf(args, path);
    if (format != StatementFormat::Csv) {
        for (const QString &option : kLayoutOptions + QStringList{QStringLiteral("decimal-comma"), QStringLiteral("mapping")}) {
            if (args.Has(option))
                throw Usage(QStringLiteral("--%1 applies to CSV statements only").arg(option));
        }
    }

    const auto app = MakeOffscreenApplication(false);
    CTallywickData data;
    OpenCliDatabase(data, args);
    // A dry run only reads, and reading never converts.
    if (!dryRun) {
        const ConversionResult converted =
            ConvertForChanges(data.connection, data.location.connectionString, data.settings.dbPassword);
        if (converted.outcome == ConversionOutcome::Converted)
            CliMessage(QStringLiteral("%1 was converted to the new file format").arg(data.ResolvedDatabasePath()));
        else if (converted.outcome == ConversionOutcome::Failed)
            CliMessage(QStringLiteral("%1 stays in the old file format: %2")
                           .arg(data.ResolvedDatabasePath(), converted.why));
    }
    CheckNames(data, args);
    CImportStore store(data.connection);
    const CCsvLayout layout = format == StatementFormat::Csv ? LayoutOf(args, store) : CCsvLayout();

    CImportOptions options;
    options.unit = args.Value(QStringLiteral("unit"));
    options.defaultCategory = args.Value(QStringLiteral("category"));
    // A year either side is already more than any bank's booking delay.
    options.dateWindowDays = Number(args, QStringLiteral("window"), options.dateWindowDays, 366);
    try {
        std::unique_ptr<IStatementReader> reader = OpenStatement(path, format, layout);
        CImportPlanner planner(data.connection, store.Rules(), options);
        // A dry run decides every line as the import would, without a writer:
        // the file is never opened for writing.
        std::unique_ptr<CImportWriter> writer;
        if (!dryRun)
            writer = std::make_unique<CImportWriter>(data.connection, QFileInfo(path).fileName(), options.unit);
        CImportCounts dryCounts;
        CStatementLine line;
        while (reader->Next(line)) {
            const CImportCandidate candidate = planner.Classify(line);
            if (candidate.state == ImportLineState::Error)
                CliMessage(QStringLiteral("%1: line %2: %3").arg(path).arg(line.lineNumber).arg(candidate.reason));
            if (writer)
                writer->Add(candidate);
            else
                dryCounts.Count(candidate);
        }
        const CImportCounts counts = writer ? writer->Counts() : dryCounts;
        const bool refused = refuseOnError && counts.errors > 0;
        if (writer && !refused)
            writer->Commit();
        writer.reset();

        QString report = QStringLiteral("added: %1\nduplicates: %2\nerrors: %3\n")
                             .arg(refused ? 0 : counts.added)
                             .arg(counts.duplicates)
                             .arg(counts.errors);
        if (counts.unticked > 0)
            report += QStringLiteral("without category: %1\n").arg(counts.unticked);
        Print(stdout, report);
        std::fflush(stdout);
        if (counts.unticked > 0)
            CliMessage(QStringLiteral("%1 lines matched no rule and were not imported; give --category for them")
                           .arg(counts.unticked));
        if (refused)
            throw CliError{kCliFailed, QStringLiteral("%1 malformed lines: nothing was imported").arg(counts.errors)};
        if (dryRun)
            CliMessage(QStringLiteral("dry run: nothing was written"));
    } catch (const CStatementFileError &e) {
        throw CliError{kCliFailed, e.Message()};
    } catch (const CDbError &e) {
        throw CliError{kCliFailed, QStringLiteral("the import failed and nothing was written: %1").arg(ComErrorMessage(e))};
    }
    return kCliOk;
}

} // namespace

CCliCommand ImportCliCommand()
{
    CCliCommand c;
    c.name = QStringLiteral("import");
    c.help = QStringLiteral(
        "  import FILE [options]   a bank statement (CSV, OFX/QFX, QIF) into one unit\n"
        "\n"
        "  tallywick import FILE --unit NAME [options]\n"
        "\n"
        "Each line becomes an income (money in) or an expense (money out) of the unit,\n"
        "filed under the category of the first rule that matches its description.\n"
        "Lines already stored (the same bank id, or the same amount, type and\n"
        "description within the date window) are not added again. One import is\n"
        "written whole or not at all.\n"
        "\n"
        "Options:\n"
        "  --database PATH        the database (default: the one the settings file names)\n"
        "  --unit NAME            the unit the statement belongs to (required)\n"
        "  --category NAME        the category of lines no rule matches (default: such\n"
        "                         lines are not imported)\n"
        "  --format FORMAT        csv, ofx or qif (default: from the file)\n"
        "  --window DAYS          days either side a stored twin may lie (default 3)\n"
        "  --on-error MODE        skip (default: malformed lines are left out) or refuse\n"
        "                         (any malformed line imports nothing)\n"
        "  --dry-run              count what would be added; write nothing\n"
        "\n"
        "CSV statements: --mapping NAME (a layout saved in the import dialog), or\n"
        "  --columns date=N,description=N,amount=N   columns counted from 1; instead of\n"
        "                         amount: debit=N,credit=N; also memo=N\n"
        "  --delimiter CHAR       , (default), ; or tab\n"
        "  --encoding NAME        UTF-8 (default), Windows-1252, ISO-8859-1 or UTF-16\n"
        "  --skip N               lines before the first record, the header among them\n"
        "  --date-format FORMAT   MM/DD/YYYY (default), DD/MM/YYYY, YYYY-MM-DD, DD.MM.YYYY,\n"
        "                         or the same with YY\n"
        "  --decimal-comma        amounts are written 1.234,56\n"
        "\n"
        "Prints the lines added, the duplicates and the malformed lines (each named\n"
        "on standard error with its line number).\n"
        "The login password comes from TALLYWICK_PASSWORD, else from the terminal.\n"
        "Exit status: 0 done, 1 failed or refused, 2 bad arguments, 3 database not\n"
        "opened, 4 wrong or missing password.\n");
    c.options = QStringList{QStringLiteral("mapping"), QStringLiteral("window"), QStringLiteral("on-error")}
                + kLayoutOptions;
    c.flags = {QStringLiteral("dry-run"), QStringLiteral("decimal-comma")};
    c.run = RunImport;
    return c;
}
