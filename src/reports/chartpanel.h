#pragma once

#include "reports/chartfigure.h"
#include "reports/chartseries.h"

#include <QChartView>

// A chart in the report view: tooltips with the exact figures, and a click
// on a bar or a slice asks for the transactions behind it.
class CChartPanel : public QChartView
{
    Q_OBJECT

public:
    CChartPanel(ChartRequest request, ChartSeries series, ChartTexts texts, const QColor &background,
                QWidget *parent = nullptr);

    const ChartRequest &Request() const { return m_request; }
    const ChartSeries &Series() const { return m_series; }
    const ChartTexts &Texts() const { return m_texts; }

    // What a click on bar `index` of the income (1), expense (2) or balance
    // (0) set, or on slice `index`, lists; false where nothing stands behind.
    bool DrillDown(int type, int index, ListQueryInput &input) const;
    bool DrillDownSlice(int index, ListQueryInput &input) const;

signals:
    void TransactionsWanted(const ListQueryInput &input);

private:
    void Wire();
    void ShowTip(const QString &text);

    ChartRequest m_request;
    ChartSeries m_series;
    ChartTexts m_texts;
    std::vector<ChartSlice> m_slices;
};
