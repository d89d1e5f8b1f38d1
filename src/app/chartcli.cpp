#include "app/chartcli.h"

#include "app/clidatabase.h"
#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/tallywickdata.h"
#include "reports/chartfigure.h"
#include "reports/reportfailure.h"


#include <optional>

namespace {

const QSize kDefaultSize(1000, 640);

CliError Usage(const QString &text)
{
    return CliError{kCliUsage, text};
}

ChartKind KindOf(const QString &word)
{
    if (word == u"monthly")
        return ChartKind::Monthly;
    if (word == u"category")
        return ChartKind::Category;
    if (word == u"unit")
        return ChartKind::Unit;
    throw Usage(QStringLiteral("unknown chart \"%1\": monthly, category or unit").arg(word));
}

// The categories named, split by kind, as "More Options" would hold them.
void NarrowCategories(const CTallywickData &data, const QStringList &named, MoreReportOptions &options)
{
    for (const CCategoryEntry &e : data.incomeCategories)
        options.incomeNames << e.cTransactionName;
    for (const CCategoryEntry &e : data.expenseCategories)
        options.expenseNames << e.cTransactionName;
    options.allIncomes = options.allExpenses = named.isEmpty();
    if (named.isEmpty())
        return;
    const QStringList incomes = options.incomeNames;
    const QStringList expenses = options.expenseNames;
    options.incomeNames.clear();
    options.expenseNames.clear();
    for (const QString &c : named) {
        if (!incomes.contains(c) && !expenses.contains(c))
            throw Usage(QStringLiteral("unknown category \"%1\"").arg(c));
        if (incomes.contains(c))
            options.incomeNames << c;
        if (expenses.contains(c))
            options.expenseNames << c;
    }
}

ChartRequest RequestOf(const CTallywickData &data, const CCliArgs &args)
{
    ChartRequest request;
    request.kind = KindOf(args.positional.first());
    const QString format = data.settings.dateFormat;
    // This year so far, when no period is given.
    const QDate today = Today();
    request.from = args.Date(QStringLiteral("from"), format, QDate(today.year(), 1, 1));
    request.to = args.Date(QStringLiteral("to"), format, today);
    if (request.from > request.to)
        throw Usage(QStringLiteral("--from is after --to"));
    const QString type = args.Value(QStringLiteral("type"));
    if (args.Has(QStringLiteral("type")) && request.kind != ChartKind::Category)
        throw Usage(QStringLiteral("--type applies to the category chart only"));
    if (!type.isEmpty() && type != u"income" && type != u"expense")
        throw Usage(QStringLiteral("--type is income or expense"));
    request.type = type == u"income" ? 1 : 2;

    const QStringList units = args.Values(QStringLiteral("unit"));
    if (units.size() > 1)
        throw Usage(QStringLiteral("a chart takes one --unit, or none for every unit"));
    if (!units.isEmpty() && !data.company.units.contains(units.first()))
        throw Usage(QStringLiteral("unknown unit \"%1\"; the units are: %2")
                        .arg(units.first(), data.company.units.join(QStringLiteral(", "))));
    const QStringList categories = args.Values(QStringLiteral("category"));
    if (units.isEmpty() && categories.isEmpty())
        return request;
    MoreReportOptions options;
    options.unit = units.value(0);
    options.allUnits = units.isEmpty();
    NarrowCategories(data, categories, options);
    request.options = options;
    if (const unsigned refused = ChartSelectionError(request))
        throw Usage(LoadString(refused));
    return request;
}

int RunChart(const CCliArgs &args)
{
    if (args.positional.size() != 1)
        throw Usage(args.positional.isEmpty() ? QStringLiteral("which chart: monthly, category or unit?")
                                              : QStringLiteral("one chart at a time"));
    KindOf(args.positional.first());
    if (args.Has(QStringLiteral("format")))
        throw Usage(QStringLiteral("a chart takes its format from the --output name"));
    const QString output = args.Value(QStringLiteral("output"));
    if (output.isEmpty() || ChartFormatFor(output) == ChartFileFormat::Unknown)
        throw Usage(QStringLiteral("--output names the file: .png, .svg, .pdf or .csv"));
    QSize size = kDefaultSize;
    if (args.Has(QStringLiteral("size"))) {
        const std::optional<QSize> asked = ParseChartSize(args.Value(QStringLiteral("size")));
        if (!asked)
            throw Usage(QStringLiteral("--size is WIDTHxHEIGHT in pixels, such as 1200x800"));
        size = *asked;
    }

    // Charts are widgets.
    const auto app = MakeOffscreenApplication(true);
    CTallywickData data;
    OpenCliDatabase(data, args);
    const ChartRequest request = RequestOf(data, args);
    QString failure;
    if (!RunReportStep([&] { failure = ChartToFile(data, request, size, output); }))
        return kCliFailed;
    if (failure == LoadString(StringId::NoRecordsFound))
        throw CliError{kCliNoRecords, failure};
    if (!failure.isEmpty())
        throw CliError{kCliFailed, failure};
    return kCliOk;
}

} // namespace

CCliCommand ChartCliCommand()
{
    CCliCommand c;
    c.name = QStringLiteral("chart");
    c.help = QStringLiteral(
        "  chart KIND [options]    a chart as PNG, SVG or PDF, or its figures as CSV\n"
        "\n"
        "KIND is monthly (incomes and expenses month by month, with the net balance),\n"
        "category (a donut of the largest categories) or unit (each unit side by side).\n"
        "\n"
        "Options:\n"
        "  --database PATH        the database (default: the one the settings file names)\n"
        "  --from DATE, --to DATE the period: 2026-01-31 or the date format of the program\n"
        "                         (default: this year up to today)\n"
        "  --unit NAME            one unit (default: every unit)\n"
        "  --category NAME        a category; repeatable (default: every category)\n"
        "  --type TYPE            expense (default) or income, for the category chart\n"
        "  --size WxH             the picture's size in pixels, PDF in points (default 1000x640)\n"
        "  --output FILE          FILE.png, FILE.svg, FILE.pdf or FILE.csv\n"
        "\n"
        "The login password comes from TALLYWICK_PASSWORD, else from the terminal.\n"
        "Exit status: 0 done, 1 failed, 2 bad arguments, 3 database not opened,\n"
        "4 wrong or missing password, 5 no records in the period.\n");
    c.options = {QStringLiteral("type"), QStringLiteral("size")};
    c.run = RunChart;
    return c;
}
