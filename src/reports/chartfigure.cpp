#include "reports/chartfigure.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/tallywickdata.h"
#include "reports/periodreport.h"
#include "reports/reportformat.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPieSeries>
#include <QPieSlice>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Beyond two years a label per month would overlap: the axis names the years.
constexpr int kMonthLabelsUpTo = 24;

// Names from the file can be of any length; the chart's layout shortens a
// label a character at a time and would never finish with a huge one.
QString Clipped(const QString &text)
{
    constexpr qsizetype kLongest = 80;
    return text.size() <= kLongest ? text : text.left(kLongest - 1) + QChar(0x2026);
}

QFont ChartFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QBarSet *MakeSet(const QString &name, const QColor &colour, const std::vector<qint64> &cents)
{
    auto *set = new QBarSet(name);
    set->setColor(colour);
    set->setBorderColor(colour.darker(130));
    for (const qint64 c : cents)
        set->append(double(c) / 100.0);
    return set;
}

QValueAxis *AmountAxis(const ChartTexts &texts, const ChartPalette &palette, double low, double high)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(AmountHeading(Clipped(texts.currency)));
    const AmountAxisFit fit = FitAmountAxis(low, high);
    axis->setRange(fit.min, fit.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(fit.interval);
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(fit.decimals) + u'f');
    axis->setLabelsColor(palette.text);
    axis->setTitleBrush(palette.text);
    axis->setLabelsFont(ChartFont(12));
    axis->setTitleFont(ChartFont(13, true));
    axis->setGridLineColor(palette.grid);
    axis->setLinePenColor(palette.grid);
    return axis;
}

void StyleCategoryAxis(QAbstractAxis *axis, const ChartPalette &palette)
{
    axis->setLabelsColor(palette.text);
    axis->setLabelsFont(ChartFont(12));
    axis->setGridLineVisible(false);
    axis->setLinePenColor(palette.grid);
}

QAbstractAxis *MonthAxis(const ChartSeries &series, const ChartPalette &palette)
{
    const int count = int(series.points.size());
    if (count <= kMonthLabelsUpTo) {
        auto *axis = new QBarCategoryAxis;
        for (const ChartPoint &p : series.points)
            axis->append(MonthLabel(p.month));
        if (count > 12)
            axis->setLabelsAngle(-60);
        StyleCategoryAxis(axis, palette);
        return axis;
    }
    auto *axis = new QCategoryAxis;
    axis->setStartValue(-0.5);
    axis->setRange(-0.5, count - 0.5);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    // One band per year, ending after its last month shown.
    for (int i = 0; i < count; ++i) {
        const QDate month = series.points[std::size_t(i)].month;
        if (month.month() == 12 || i == count - 1)
            axis->append(QString::number(month.year()), i + 0.5);
    }
    StyleCategoryAxis(axis, palette);
    axis->setGridLineVisible(true);
    axis->setGridLineColor(palette.grid);
    return axis;
}

void AddBars(QChart &chart, const ChartSeries &series, const ChartTexts &texts, const ChartPalette &palette)
{
    std::vector<qint64> income, expense, balance;
    double low = 0.0, high = 0.0;
    for (const ChartPoint &p : series.points) {
        income.push_back(p.income);
        expense.push_back(p.expense);
        balance.push_back(p.Balance());
        for (const qint64 c : {p.income, p.expense, p.Balance()}) {
            low = std::min(low, double(c) / 100.0);
            high = std::max(high, double(c) / 100.0);
        }
    }
    auto *bars = new QBarSeries;
    bars->append(MakeSet(QStringLiteral("Income"), palette.income, income));
    bars->append(MakeSet(QStringLiteral("Expense"), palette.expense, expense));
    QAbstractAxis *x = nullptr;
    if (series.kind == ChartKind::Unit) {
        // Side by side: the balance as a third bar of each unit.
        bars->append(MakeSet(QStringLiteral("Balance"), palette.balance, balance));
        auto *axis = new QBarCategoryAxis;
        for (const ChartPoint &p : series.points)
            axis->append(Clipped(p.key));
        StyleCategoryAxis(axis, palette);
        x = axis;
    } else {
        x = MonthAxis(series, palette);
    }
    bars->setBarWidth(0.8);
    chart.addSeries(bars);
    chart.addAxis(x, Qt::AlignBottom);
    QValueAxis *y = AmountAxis(texts, palette, low, high);
    chart.addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    if (series.kind != ChartKind::Monthly)
        return;
    auto *line = new QLineSeries;
    line->setName(QStringLiteral("Net balance"));
    QPen pen(palette.balance, 3);
    pen.setCapStyle(Qt::RoundCap);
    line->setPen(pen);
    line->setPointsVisible(series.points.size() <= std::size_t(kMonthLabelsUpTo));
    for (std::size_t i = 0; i < balance.size(); ++i)
        line->append(double(i), double(balance[i]) / 100.0);
    chart.addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
}

void AddDonut(QChart &chart, const ChartSeries &series, const ChartPalette &palette)
{
    const std::vector<ChartSlice> slices = DonutSlices(series);
    qint64 total = 0;
    for (const ChartSlice &s : slices)
        total += s.amount;
    auto *donut = new QPieSeries;
    donut->setHoleSize(0.45);
    donut->setPieSize(0.7);
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const ChartSlice &s = slices[i];
        const QString share = QString::number(100.0 * double(s.amount) / double(total), 'f', 1);
        auto *slice = donut->append(QStringLiteral("%1: %2 (%3%)").arg(Clipped(s.name), FormatCents(s.amount), share),
                                    double(s.amount) / 100.0);
        const QColor colour = palette.slices[qsizetype(i % std::size_t(palette.slices.size()))];
        slice->setColor(colour);
        slice->setBorderColor(palette.background);
        slice->setLabelColor(palette.text);
        slice->setLabelFont(ChartFont(12));
        slice->setLabelVisible(true);
        slice->setLabelArmLengthFactor(0.12);
    }
    chart.addSeries(donut);
}

} // namespace

AmountAxisFit FitAmountAxis(double low, double high)
{
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    AmountAxisFit fit;
    const double span = high - low;
    // A flat or empty period still gets a scale above zero.
    if (!(span > 0.0))
        return fit;
    // About five steps of 1, 2 or 5 times a power of ten across the figures.
    const double rough = span / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    fit.interval = power * 10.0;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (power * factor >= rough) {
            fit.interval = power * factor;
            break;
        }
    }
    fit.decimals = fit.interval >= 1.0 ? 0 : fit.interval >= 0.1 ? 1 : 2;
    // Room for the highest bar and the balance line's points to stay clear
    // of the frame, measured on each side's own figure so that a small
    // negative balance beside large incomes does not claim a whole step.
    const double room = span * 0.02;
    fit.min = low < 0.0 ? low - std::max(-low * 0.06, room) : 0.0;
    fit.max = high + std::max(high * 0.06, room);
    return fit;
}

ChartTexts MakeChartTexts(const ChartRequest &request, const CTallywickData &data)
{
    ChartTexts texts;
    switch (request.kind) {
    case ChartKind::Monthly:
        texts.title = QStringLiteral("Incomes and Expenses by Month");
        break;
    case ChartKind::Category:
        texts.title = request.type == 1 ? QStringLiteral("Incomes by Category") : QStringLiteral("Expenses by Category");
        break;
    case ChartKind::Unit:
        texts.title = QStringLiteral("Incomes and Expenses by Unit");
        break;
    }
    const QString units = !request.options || request.options->allUnits ? kAllUnitsLabel : request.options->unit;
    texts.subtitle = PeriodLabel(kPeriodReport, request.from, request.to, data.settings.dateFormat)
                     + QStringLiteral(", ") + Clipped(units);
    texts.currency = data.settings.cCurrency;
    return texts;
}

ChartPalette PaletteFor(const QColor &background)
{
    ChartPalette p;
    p.background = background;
    const bool dark = background.lightness() < 140;
    p.text = dark ? QColor(0xF4, 0xF6, 0xF9) : QColor(0x1C, 0x22, 0x2B);
    p.grid = dark ? background.lighter(175) : background.darker(125);
    if (p.grid == background)
        p.grid = dark ? QColor(0x70, 0x78, 0x84) : QColor(0xB8, 0xBE, 0xC7);
    p.income = dark ? QColor(0x6C, 0xD4, 0x86) : QColor(0x2A, 0x8A, 0x45);
    p.expense = dark ? QColor(0xFF, 0x8C, 0x7A) : QColor(0xC6, 0x3B, 0x2C);
    p.balance = dark ? QColor(0x8F, 0xC4, 0xFF) : QColor(0x1F, 0x4E, 0xA0);
    const QList<QColor> strong = {QColor(0x1F, 0x77, 0xB4), QColor(0xFF, 0x7F, 0x0E), QColor(0x2C, 0xA0, 0x2C),
                                  QColor(0xD6, 0x27, 0x28), QColor(0x94, 0x67, 0xBD), QColor(0x8C, 0x56, 0x4B),
                                  QColor(0xE3, 0x77, 0xC2), QColor(0x7F, 0x7F, 0x7F)};
    for (const QColor &c : strong)
        p.slices << (dark ? c.lighter(135) : c);
    return p;
}

QString MonthLabel(const QDate &month)
{
    return QLocale::c().toString(month, QStringLiteral("MMM yyyy"));
}

QString AmountWithCurrency(qint64 cents, const QString &currency)
{
    return currency.isEmpty() ? FormatCents(cents) : FormatCents(cents) + u' ' + currency;
}

std::unique_ptr<QChart> BuildChart(const ChartSeries &series, const ChartTexts &texts, const ChartPalette &palette)
{
    auto chart = std::make_unique<QChart>();
    chart->setTitle(QStringLiteral("<b>%1</b><br>%2").arg(texts.title.toHtmlEscaped(), texts.subtitle.toHtmlEscaped()));
    chart->setTitleFont(ChartFont(16));
    chart->setTitleBrush(palette.text);
    chart->setBackgroundBrush(palette.background);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(12, 8, 12, 8));
    // No frame of another colour around the background.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setAlignment(series.kind == ChartKind::Category ? Qt::AlignRight : Qt::AlignBottom);
    chart->legend()->setLabelColor(palette.text);
    chart->legend()->setFont(ChartFont(12));
    if (series.kind == ChartKind::Category)
        AddDonut(*chart, series, palette);
    else
        AddBars(*chart, series, texts, palette);
    return chart;
}

void RenderChart(QChart &chart, QPainter &painter, const QRectF &target)
{
    // Laid out about a screen wide and scaled into the target, so print and
    // files read like the window. The scene draws straight onto the painter:
    // text stays text in SVG and PDF.
    const qreal width = std::max<qreal>(target.width(), 1.0);
    const qreal scale = std::clamp<qreal>(width, 900.0, 1100.0) / width;
    const QSizeF logical = QSizeF(target.size() * scale).expandedTo(QSizeF(1, 1));
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.resize(logical);
    if (chart.layout())
        chart.layout()->activate();
    const QRectF source(QPointF(0, 0), logical);
    scene.setSceneRect(source);
    scene.render(&painter, target, source, Qt::IgnoreAspectRatio);
    // The chart stays its owner's.
    scene.removeItem(&chart);
}

ChartFileFormat ChartFormatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png")
        return ChartFileFormat::Png;
    if (suffix == u"svg")
        return ChartFileFormat::Svg;
    if (suffix == u"pdf")
        return ChartFileFormat::Pdf;
    if (suffix == u"csv")
        return ChartFileFormat::Csv;
    return ChartFileFormat::Unknown;
}

QString WriteChartFile(const ChartSeries &series, const ChartTexts &texts, const QSize &size, const QString &path)
{
    const ChartFileFormat format = ChartFormatFor(path);
    const QString cannot = QStringLiteral("Cannot write the chart to \"%1\"").arg(path);
    if (format == ChartFileFormat::Unknown)
        return QStringLiteral("\"%1\" names no chart format: use .png, .svg, .pdf or .csv.").arg(path);
    if (format == ChartFileFormat::Csv) {
        QSaveFile file(path);
        const QByteArray bytes = ChartCsv(series);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return cannot + QStringLiteral(": ") + file.errorString();
        return {};
    }
    if (size.width() < 1 || size.height() < 1)
        return QStringLiteral("A chart needs a size of at least one pixel each way.");
    // Files are printed or shared: they take the print colours.
    const std::unique_ptr<QChart> chart = BuildChart(series, texts, PaletteFor(Qt::white));
    const QRectF whole(QPointF(0, 0), QSizeF(size));
    if (format == ChartFileFormat::Png) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            RenderChart(*chart, painter, whole);
        }
        return image.save(path, "PNG") ? QString() : cannot + u'.';
    }
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    QPainter painter;
    std::unique_ptr<QPaintDevice> device;
    if (format == ChartFileFormat::Svg) {
        auto svg = std::make_unique<QSvgGenerator>();
        svg->setFileName(partial);
        svg->setSize(size);
        svg->setViewBox(whole);
        svg->setTitle(texts.title);
        device = std::move(svg);
    } else {
        auto pdf = std::make_unique<QPdfWriter>(partial);
        pdf->setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
        // One device unit a point, so the page is the asked size.
        pdf->setResolution(72);
        pdf->setTitle(texts.title);
        device = std::move(pdf);
    }
    if (!painter.begin(device.get()))
        return cannot + u'.';
    RenderChart(*chart, painter, whole);
    painter.end();
    device.reset();
    QFile::remove(path);
    if (QFileInfo(partial).size() == 0 || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return cannot + u'.';
    }
    return {};
}

void PaintChartPage(const ChartSeries &series, const ChartTexts &texts, QPainter &painter, const QRectF &page)
{
    const std::unique_ptr<QChart> chart = BuildChart(series, texts, PaletteFor(Qt::white));
    // Across the page, no taller than a landscape sheet would be.
    RenderChart(*chart, painter, QRectF(page.topLeft(), QSizeF(page.width(), std::min(page.height(), page.width() * 0.72))));
}

QString ChartToFile(CTallywickData &data, const ChartRequest &request, const QSize &size, const QString &path)
{
    if (const unsigned error = ChartSelectionError(request))
        return LoadString(error);
    const ChartSeries series = ComputeChartSeries(data.connection, request, data.company.units);
    if (series.records == 0)
        return LoadString(StringId::NoRecordsFound);
    return WriteChartFile(series, MakeChartTexts(request, data), size, path);
}

std::optional<QSize> ParseChartSize(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^([1-9][0-9]{0,4})x([1-9][0-9]{0,4})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return QSize(m.captured(1).toInt(), m.captured(2).toInt());
}
