#include "reports/chartpanel.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QPieSeries>
#include <QPieSlice>
#include <QToolTip>

namespace {

// The bar sets in the order the chart adds them.
constexpr int kSetTypes[] = {1, 2, 0};

} // namespace

CChartPanel::CChartPanel(ChartRequest request, ChartSeries series, ChartTexts texts, const QColor &background,
                         QWidget *parent)
    : QChartView(parent)
    , m_request(std::move(request))
    , m_series(std::move(series))
    , m_texts(std::move(texts))
    , m_slices(DonutSlices(m_series))
{
    setObjectName(QStringLiteral("chart"));
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(background);
    setChart(BuildChart(m_series, m_texts, PaletteFor(background)).release());
    Wire();
}

bool CChartPanel::DrillDown(int type, int index, ListQueryInput &input) const
{
    if (type == 0 || m_series.kind == ChartKind::Category || index < 0 || std::size_t(index) >= m_series.points.size())
        return false;
    input = DrillDownInput(m_request, type, &m_series.points[std::size_t(index)]);
    return true;
}

bool CChartPanel::DrillDownSlice(int index, ListQueryInput &input) const
{
    if (m_series.kind != ChartKind::Category || index < 0 || std::size_t(index) >= m_slices.size())
        return false;
    input = DrillDownInput(m_request, m_series.type, nullptr, m_slices[std::size_t(index)].categories);
    return true;
}

void CChartPanel::ShowTip(const QString &text)
{
    QToolTip::showText(QCursor::pos(), text, this);
}

void CChartPanel::Wire()
{
    for (QAbstractSeries *series : chart()->series()) {
        if (auto *bars = qobject_cast<QBarSeries *>(series)) {
            const QList<QBarSet *> sets = bars->barSets();
            for (qsizetype s = 0; s < sets.size() && s < qsizetype(std::size(kSetTypes)); ++s) {
                const int type = kSetTypes[s];
                QBarSet *set = sets[s];
                connect(set, &QBarSet::clicked, this, [this, type](int index) {
                    ListQueryInput input;
                    if (DrillDown(type, index, input))
                        emit TransactionsWanted(input);
                });
                connect(set, &QBarSet::hovered, this, [this, set](bool on, int index) {
                    if (!on || index < 0 || std::size_t(index) >= m_series.points.size()) {
                        QToolTip::hideText();
                        return;
                    }
                    const ChartPoint &p = m_series.points[std::size_t(index)];
                    const qint64 cents = set->label() == u"Income" ? p.income
                                         : set->label() == u"Expense" ? p.expense
                                                                       : p.Balance();
                    const QString where = p.month.isValid() ? MonthLabel(p.month) : p.key;
                    ShowTip(where + u'\n' + set->label() + QStringLiteral(": ") + AmountWithCurrency(cents, m_texts.currency));
                });
            }
        } else if (auto *donut = qobject_cast<QPieSeries *>(series)) {
            connect(donut, &QPieSeries::clicked, this, [this, donut](QPieSlice *slice) {
                ListQueryInput input;
                if (DrillDownSlice(int(donut->slices().indexOf(slice)), input))
                    emit TransactionsWanted(input);
            });
            connect(donut, &QPieSeries::hovered, this, [this, donut](QPieSlice *slice, bool on) {
                slice->setExploded(on);
                const qsizetype index = donut->slices().indexOf(slice);
                if (!on || index < 0 || std::size_t(index) >= m_slices.size()) {
                    QToolTip::hideText();
                    return;
                }
                const ChartSlice &s = m_slices[std::size_t(index)];
                QString tip = s.name + QStringLiteral(": ") + AmountWithCurrency(s.amount, m_texts.currency);
                if (s.categories.size() > 1)
                    tip += u'\n' + s.categories.join(QStringLiteral(", "));
                ShowTip(tip);
            });
        }
    }
}
