#include "app/reportcli.h"

#include "app/clidatabase.h"
#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/gridcellmodel.h"
#include "controls/gridctrl.h"
#include "controls/printseam.h"
#include "controls/qtprintseam.h"
#include "data/reminderstore.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/advancedreport.h"
#include "reports/customreportdlg.h"
#include "reports/customreportwriter.h"
#include "reports/listreport.h"
#include "reports/periodreport.h"
#include "reports/reminderreport.h"
#include "reports/reportexport.h"
#include "reports/reportfailure.h"
#include "reports/reportformat.h"
#include "reports/tallywickview.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

const QString kKinds[] = {QStringLiteral("daily"),    QStringLiteral("monthly"),  QStringLiteral("period"),
                          QStringLiteral("advanced"), QStringLiteral("incomes"),  QStringLiteral("expenses"),
                          QStringLiteral("custom"),   QStringLiteral("reminders")};

enum class OutputFormat { Text, Csv, Pdf };

// What one kind of report gives: a layout for the view, or a writer that
// fills the grid itself (custom reports), and the coloured cells.
struct BuiltReport {
    ReportLayout layout;
    std::function<bool(CGridCellModel &)> write;
    std::vector<std::pair<int, int>> blueCells; // (column, row)
    CReminderReport reminders;
    bool isReminders = false;
};

CliError Usage(const QString &text)
{
    return CliError{kCliUsage, text};
}

void RefuseOptions(const CCliArgs &args, const QString &kind, const QStringList &options)
{
    for (const QString &o : options) {
        if (args.Has(o))
            throw Usage(QStringLiteral("--%1 does not apply to the %2 report").arg(o, kind));
    }
}

QStringList Names(const QList<CCategoryEntry> &entries)
{
    QStringList names;
    for (const CCategoryEntry &e : entries)
        names << e.cTransactionName;
    return names;
}

QStringList CheckedUnits(const CTallywickData &data, const CCliArgs &args)
{
    const QStringList units = args.Values(QStringLiteral("unit"));
    for (const QString &u : units) {
        if (!data.company.units.contains(u))
            throw Usage(QStringLiteral("unknown unit \"%1\"; the units are: %2").arg(u, data.company.units.join(QStringLiteral(", "))));
    }
    return units;
}

// Exactly one unit, or none for every unit.
QString SingleUnit(const CTallywickData &data, const CCliArgs &args, const QString &kind)
{
    const QStringList units = CheckedUnits(data, args);
    if (units.size() > 1)
        throw Usage(QStringLiteral("the %1 report takes one --unit (the advanced report takes several)").arg(kind));
    return units.value(0);
}

// The named categories split into income and expense names; a name of both
// kinds goes to both. Nothing named: every category of each kind.
std::pair<QStringList, QStringList> CheckedCategories(const CTallywickData &data, const CCliArgs &args)
{
    const QStringList incomes = Names(data.incomeCategories);
    const QStringList expenses = Names(data.expenseCategories);
    const QStringList named = args.Values(QStringLiteral("category"));
    if (named.isEmpty())
        return {incomes, expenses};
    std::pair<QStringList, QStringList> split;
    for (const QString &c : named) {
        if (!incomes.contains(c) && !expenses.contains(c))
            throw Usage(QStringLiteral("unknown category \"%1\"").arg(c));
        if (incomes.contains(c))
            split.first << c;
        if (expenses.contains(c))
            split.second << c;
    }
    return split;
}

// Both kinds must be named, as the dialogs ask.
void RequireBothKinds(const std::pair<QStringList, QStringList> &categories, const CCliArgs &args)
{
    // None named and none of a kind in the database: nothing to report.
    const auto refuse = [&args](unsigned text) {
        if (args.Has(QStringLiteral("category")))
            throw Usage(LoadString(text));
        throw CliError{kCliNoRecords, LoadString(text)};
    };
    if (categories.first.isEmpty())
        refuse(StringId::SelectAnyIncome);
    if (categories.second.isEmpty())
        refuse(StringId::SelectAnyExpense);
}

int KeywordOption(const CCliArgs &args)
{
    if (!args.Has(QStringLiteral("keyword")))
        return kNoDescription;
    const QString mode = args.Value(QStringLiteral("keyword-mode"));
    if (mode.isEmpty() || mode == u"contains")
        return kMatchingDescription;
    if (mode == u"exact")
        return kExactDescription;
    throw Usage(QStringLiteral("--keyword-mode is exact or contains"));
}

BuiltReport BuildPeriod(CTallywickData &data, const CCliArgs &args, int mode, const QDate &from, const QDate &to)
{
    RefuseOptions(args, QStringLiteral("daily, monthly and period"),
                  {QStringLiteral("keyword"), QStringLiteral("keyword-mode"), QStringLiteral("sort"), QStringLiteral("name")});
    if (mode == kPeriodReport && from > to)
        throw Usage(QStringLiteral("--from is after --to"));
    MoreReportOptions options;
    const bool narrowed = args.Has(QStringLiteral("unit")) || args.Has(QStringLiteral("category"));
    if (narrowed) {
        options.unit = SingleUnit(data, args, QStringLiteral("period"));
        options.allUnits = options.unit.isEmpty();
        const auto categories = CheckedCategories(data, args);
        RequireBothKinds(categories, args);
        options.allIncomes = options.allExpenses = !args.Has(QStringLiteral("category"));
        options.incomeNames = categories.first;
        options.expenseNames = categories.second;
    }
    BuiltReport built;
    built.layout = PeriodReport(data, PeriodRequest{mode, from, to, narrowed ? &options : nullptr});
    return built;
}

BuiltReport BuildAdvanced(CTallywickData &data, const CCliArgs &args, const QDate &from, const QDate &to)
{
    RefuseOptions(args, QStringLiteral("advanced"), {QStringLiteral("sort"), QStringLiteral("name")});
    AdvancedQueryInput input;
    input.from = from;
    input.to = to;
    input.units = CheckedUnits(data, args);
    if (input.units.isEmpty())
        input.units = data.company.units;
    // A database without units: nothing to report, not a wrong argument.
    if (input.units.isEmpty())
        throw CliError{kCliNoRecords, LoadString(StringId::SelectUnit)};
    const auto categories = CheckedCategories(data, args);
    RequireBothKinds(categories, args);
    input.incomeNames = categories.first;
    input.expenseNames = categories.second;
    input.option = KeywordOption(args);
    input.incomeText = input.expenseText = args.Value(QStringLiteral("keyword"));
    const std::optional<AdvancedLayout> report = AdvancedReport(data, input);
    if (!report)
        throw CliError{kCliNoRecords, LoadString(StringId::NoRecordsFound)};
    BuiltReport built;
    built.layout = report->layout;
    built.blueCells = report->blueCells;
    return built;
}

BuiltReport BuildList(CTallywickData &data, const CCliArgs &args, int type, const QDate &from, const QDate &to)
{
    const QString kind = type == 1 ? QStringLiteral("incomes") : QStringLiteral("expenses");
    RefuseOptions(args, kind, {QStringLiteral("name")});
    ListQueryInput input;
    input.type = type;
    input.from = from;
    input.to = to;
    const QStringList offered = Names(type == 1 ? data.incomeCategories : data.expenseCategories);
    input.categories = args.Values(QStringLiteral("category"));
    for (const QString &c : input.categories) {
        if (!offered.contains(c))
            throw Usage(QStringLiteral("\"%1\" is no %2 category").arg(c, type == 1 ? QStringLiteral("income")
                                                                                      : QStringLiteral("expense")));
    }
    input.allCategories = input.categories.isEmpty();
    input.unit = SingleUnit(data, args, kind);
    input.allUnits = input.unit.isEmpty();
    input.keywordOption = KeywordOption(args);
    input.exactKeyword = input.matchingKeyword = args.Value(QStringLiteral("keyword"));
    const QString sort = args.Value(QStringLiteral("sort"));
    if (!sort.isEmpty() && sort != u"date" && sort != u"entry")
        throw Usage(QStringLiteral("--sort is date or entry"));
    input.sortByDate = sort == u"date";
    const ListQuery query = BuildListQuery(input);
    if (query.code == kListBadDates)
        throw Usage(QStringLiteral("--from is after --to"));
    BuiltReport built;
    built.layout = ListReport(data, input, query.sql);
    return built;
}

BuiltReport BuildReminders(CTallywickData &data, const CCliArgs &args, const QDate &from, const QDate &to)
{
    RefuseOptions(args, QStringLiteral("reminders"),
                  {QStringLiteral("unit"), QStringLiteral("category"), QStringLiteral("keyword"),
                   QStringLiteral("keyword-mode"), QStringLiteral("sort"), QStringLiteral("name")});
    const QList<CReminder> reminders =
        CReminderStore(data.connection).Select(kReminderRangeQuery, DateText(from), DateText(to));
    if (reminders.isEmpty())
        throw CliError{kCliNoRecords, LoadString(StringId::NoPaymentReminders)};
    const QString format = data.settings.dateFormat;
    BuiltReport built;
    built.reminders = BuildReminderReport(reminders,
                                          {DateText(from), DateText(to), DisplayDate(from, format), DisplayDate(to, format)},
                                          data.settings.cCurrency, format, Today());
    built.layout = built.reminders.layout;
    built.isReminders = true;
    return built;
}

BuiltReport BuildCustom(CTallywickData &data, const CCliArgs &args, const QDate &from, const QDate &to)
{
    RefuseOptions(args, QStringLiteral("custom"),
                  {QStringLiteral("category"), QStringLiteral("keyword"), QStringLiteral("keyword-mode"), QStringLiteral("sort")});
    auto reports = std::make_shared<CCustomReportList>(LoadCustomReports(data.connection));
    QStringList names;
    for (const CCustomReport &r : *reports)
        names << r.name;
    const QString name = args.Value(QStringLiteral("name"));
    const CCustomReport *report = FindReport(*reports, name);
    if (!report)
        throw Usage((name.isEmpty() ? QStringLiteral("--name is missing") : QStringLiteral("no custom report \"%1\"").arg(name))
                    + QStringLiteral("; the custom reports are: ") + names.join(QStringLiteral(", ")));
    const QString format = data.settings.dateFormat;
    const CustomReportPeriod period{from, to, DisplayDate(from, format), DisplayDate(to, format)};
    if (!IsValidReportPeriod(period))
        throw Usage(kInvalidDatePeriod);
    QStringList units = CheckedUnits(data, args);
    if (units.isEmpty())
        units = data.company.units;
    BuiltReport built;
    built.write = [&data, reports, report, period, units](CGridCellModel &grid) {
        CCustomReportWriter writer(data.connection, data.company, data.settings);
        return writer.Write(grid, *report, period, units);
    };
    return built;
}

BuiltReport Build(CTallywickData &data, const QString &kind, const CCliArgs &args)
{
    const QString format = data.settings.dateFormat;
    const QDate from = args.Date(QStringLiteral("from"), format, Today());
    const QDate to = args.Date(QStringLiteral("to"), format, from);
    if (kind == u"daily")
        return BuildPeriod(data, args, kDailyReport, from, to);
    if (kind == u"monthly")
        return BuildPeriod(data, args, kMonthlyReport, from, to);
    if (kind == u"period")
        return BuildPeriod(data, args, kPeriodReport, from, to);
    if (kind == u"advanced")
        return BuildAdvanced(data, args, from, to);
    if (kind == u"incomes" || kind == u"expenses")
        return BuildList(data, args, kind == u"incomes" ? 1 : 2, from, to);
    if (kind == u"reminders")
        return BuildReminders(data, args, from, to);
    return BuildCustom(data, args, from, to);
}

OutputFormat FormatOf(const CCliArgs &args)
{
    QString format = args.Value(QStringLiteral("format"));
    if (format.isEmpty()) {
        // A file name ending in exactly ".csv" or ".pdf" chooses, as the
        // export dialog does for CSV.
        const QString suffix = QFileInfo(args.Value(QStringLiteral("output"))).suffix();
        format = suffix == u"csv" || suffix == u"pdf" ? suffix : QStringLiteral("txt");
    }
    if (format == u"txt")
        return OutputFormat::Text;
    if (format == u"csv")
        return OutputFormat::Csv;
    if (format == u"pdf")
        return OutputFormat::Pdf;
    throw Usage(QStringLiteral("--format is txt, csv or pdf"));
}

void WriteOutput(const QByteArray &bytes, const QString &output)
{
    if (output.isEmpty() || output == u"-") {
        if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) != std::size_t(bytes.size())
            || std::fflush(stdout) != 0)
            throw CliError{kCliFailed, QStringLiteral("cannot write to standard output")};
        return;
    }
    // Put in place only when whole, as Export Report does.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw CliError{kCliFailed, QStringLiteral("cannot write %1: %2").arg(output, file.errorString())};
}

QByteArray ExportBytes(const BuiltReport &report, OutputFormat format)
{
    CGridCellModel grid;
    if (report.write) {
        if (!report.write(grid))
            throw CliError{kCliFailed, QStringLiteral("the report failed")};
    } else {
        FillReportGrid(grid, report.layout);
    }
    return format == OutputFormat::Csv ? ReportExport::CsvBytes(grid) : ReportExport::TextBytes(grid);
}

// Printed by the report view into a PDF file, as Print does with a PDF
// printer.
QByteArray PdfBytes(CTallywickData &data, const BuiltReport &report)
{
    CQtPrintSeam printSeam;
    IPrintSeam *previous = SetPrintSeam(&printSeam);
    CTallywickView view(data);
    view.OnInitialUpdate();
    if (report.write) {
        CGridCtrl *grid = view.GetGrid();
        grid->SetRedraw(false);
        const bool written = report.write(grid->Model());
        FinishDirectReport(*grid);
        if (!written)
            throw CliError{kCliFailed, QStringLiteral("the report failed")};
    } else if (report.isReminders) {
        ShowReminderReport(view, report.reminders);
    } else {
        ShowAdvancedReport(view, AdvancedLayout{report.layout, report.blueCells, 0.0});
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter &printer = view.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const CPrintRun run = view.PrintTo(printer);
    SetPrintSeam(previous);
    QFile file(path);
    if (run.outcome != CPrintRun::Printed || !file.open(QIODevice::ReadOnly))
        throw CliError{kCliFailed, QStringLiteral("the report could not be printed")};
    return file.readAll();
}

int RunReport(const CCliArgs &args)
{
    if (args.positional.size() != 1)
        throw Usage(args.positional.isEmpty() ? QStringLiteral("which report?")
                                              : QStringLiteral("one report at a time"));
    const QString kind = args.positional.first();
    if (std::find(std::begin(kKinds), std::end(kKinds), kind) == std::end(kKinds))
        throw Usage(QStringLiteral("unknown report \"%1\"").arg(kind));
    const OutputFormat format = FormatOf(args);

    // Only PDF draws the report view, a widget.
    const auto app = MakeOffscreenApplication(format == OutputFormat::Pdf);
    CTallywickData data;
    OpenCliDatabase(data, args);
    BuiltReport report;
    // A failure while the report reads the database is told as the window
    // tells it, on standard error here.
    std::optional<CliError> refused;
    const bool ran = RunReportStep([&] {
        try {
            report = Build(data, kind, args);
        } catch (const CliError &e) {
            refused = e;
        }
    });
    if (refused)
        throw *refused;
    if (!ran)
        return kCliFailed;
    WriteOutput(format == OutputFormat::Pdf ? PdfBytes(data, report) : ExportBytes(report, format),
                args.Value(QStringLiteral("output")));
    return kCliOk;
}

} // namespace

CCliCommand ReportCliCommand()
{
    CCliCommand c;
    c.name = QStringLiteral("report");
    c.help = QStringLiteral(
        "  report KIND [options]   a report as text, CSV or PDF\n"
        "\n"
        "KIND is daily, monthly, period, advanced, incomes, expenses, custom or reminders.\n"
        "\n"
        "Options:\n"
        "  --database PATH        the database (default: the one the settings file names)\n"
        "  --from DATE, --to DATE the period: 2026-01-31 or the date format of the program\n"
        "                         (default: today; --to defaults to --from)\n"
        "  --unit NAME            a unit; repeatable for advanced and custom reports\n"
        "  --category NAME        a category; repeatable\n"
        "  --keyword TEXT         description filter (advanced, incomes, expenses)\n"
        "  --keyword-mode MODE    exact or contains (default)\n"
        "  --sort ORDER           date or entry (default), for incomes and expenses\n"
        "  --name NAME            the custom report to run\n"
        "  --format FORMAT        txt (default), csv or pdf\n"
        "  --output FILE          write to FILE instead of standard output\n"
        "\n"
        "The login password comes from TALLYWICK_PASSWORD, else from the terminal.\n"
        "Exit status: 0 done, 1 failed, 2 bad arguments, 3 database not opened,\n"
        "4 wrong or missing password, 5 no records for the report.\n");
    c.options = {QStringLiteral("keyword"), QStringLiteral("keyword-mode"), QStringLiteral("sort"),
                 QStringLiteral("name")};
    c.run = RunReport;
    return c;
}
