#include "reports/customreportwriter.h"

#include "base/amounttext.h"
#include "base/stringids.h"
#include "controls/gridcellmodel.h"
#include "data/dberror.h"
#include "data/dbrecordset.h"
#include "data/tallywickdata.h"
#include "reports/contactfooter.h"
#include "reports/reportfailure.h"
#include "reports/reportformat.h"
#include "reports/reportlayout.h"

#include <algorithm>

bool IsValidReportPeriod(const CustomReportPeriod &period)
{
    return period.from <= period.to;
}

CCustomReportWriter::CCustomReportWriter(CDbConnection &connection, const CCompanyRecord &company,
                                         const CSettingsRecord &settings)
    : m_connection(connection)
    , m_company(company)
    , m_settings(settings)
{
}

int CCustomReportWriter::RowsNeeded(const CCustomReport &report, qsizetype unitCount)
{
    qsizetype perUnit = 10;
    for (const CReportSubsection &s : report.subsections)
        perUnit += 6 + 2 * s.categories.size();
    // Header and name rows, the units, then the footer's gap and lines.
    return int(5 + unitCount * perUnit + 2 + 3);
}

QString CCustomReportWriter::BlockQuery(const CustomReportPeriod &period, const QString &unit)
{
    // Per type: a name used for an income and an expense sums each apart.
    return FormatSql("SELECT cTransactionName,iTransactionType,sum(AmountCents(cTransactionAmount))/100.0 As Amount "
                     "FROM LB_TRANSACTION_INFO_TB WHERE datevalue(cTransactionDate) >= datevalue('%s') AND "
                     "datevalue(cTransactionDate) <= datevalue('%s') AND cUnitName='%s' AND iTransactionType IN (1,2) "
                     "GROUP BY cTransactionName,iTransactionType",
                     DateText(period.from), DateText(period.to), SqlQuote(unit));
}

int CCustomReportWriter::CountedType(const CReportSubsection &subsection, const CReportCategory &category)
{
    if (category.type == 1 || category.type == 2)
        return category.type;
    // A category of both kinds placed before its kind was kept: it counts as
    // the subsection's other categories do; in a mixed subsection both.
    int kind = 0;
    for (const CReportCategory &c : subsection.categories) {
        if (c.type != 1 && c.type != 2)
            continue;
        if (kind != 0 && c.type != kind)
            return 0;
        kind = c.type;
    }
    return kind;
}

void CCustomReportWriter::Cell(int row, int column, const QString &text, bool unitFont)
{
    ReportCell cell;
    cell.row = row;
    cell.column = column;
    cell.text = text;
    if (unitFont)
        cell.font = ReportUnitFont();
    ApplyReportCell(*m_grid, cell);
}

bool CCustomReportWriter::Write(CGridCellModel &grid, const CCustomReport &report, const CustomReportPeriod &period,
                                const QStringList &units)
{
    m_grid = &grid;
    grid.DeleteAllItems();
    grid.SetFixedRowCount(0);
    grid.SetFixedColumnCount(0);
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(RowsNeeded(report, units.size()));

    if (!RunReportPart(StringId::ReportHeaderFailed, [&] { return WriteHeader(report, period); }))
        return false;
    for (const QString &unit : units) {
        Cell(m_row, kColumnBase, QStringLiteral("Unit :-"), true);
        Cell(m_row, kColumnBase + 1, unit, true);
        m_row += 2;
        for (const CReportSubsection &subsection : report.subsections) {
            if (!WriteBlock(subsection, period, unit))
                return false;
        }
        m_row += 8;
    }
    return RunReportPart(StringId::ReportFooterFailed, [&] {
        m_row += 2;
        std::vector<ReportCell> cells;
        AppendContactFooter(cells, m_row, kCustomContact, m_company, m_settings);
        for (const ReportCell &cell : cells)
            ApplyReportCell(grid, cell);
        return true;
    });
}

bool CCustomReportWriter::WriteHeader(const CCustomReport &report, const CustomReportPeriod &period)
{
    Cell(2, 2, QStringLiteral("Name"), true);
    Cell(2, 3, m_company.cName, true);
    Cell(3, 2, QStringLiteral("Date"), true);
    Cell(3, 3, QStringLiteral("From ") + period.fromText + QStringLiteral(" To ") + period.toText, true);
    Cell(4, 2, QStringLiteral("Report Name"), true);
    Cell(4, 3, report.name, true);
    m_row = 5;
    return true;
}

bool CCustomReportWriter::WriteBlock(const CReportSubsection &subsection, const CustomReportPeriod &period,
                                     const QString &unit)
{
    const int amountColumn = kColumnBase + 2;
    Cell(m_row, kColumnBase, subsection.name, true);
    Cell(++m_row, kColumnBase, kRuleCustom);
    Cell(++m_row, kColumnBase, QStringLiteral("Category"));
    Cell(m_row, amountColumn, AmountHeading(m_settings.cCurrency));
    Cell(++m_row, kColumnBase, kRuleAdvancedSection);
    Cell(m_row, amountColumn, kRuleAdvancedSection);

    qint64 total = 0;
    try {
        CDbRecordset rs(m_connection);
        rs.OpenBuilt(BlockQuery(period, unit));
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const QString name = rs.GetString(QStringLiteral("cTransactionName"));
            const int type = rs.GetShort(QStringLiteral("iTransactionType"));
            // Incomes count for income categories, expenses for expense ones.
            const bool listed = std::any_of(subsection.categories.begin(), subsection.categories.end(),
                                            [&](const CReportCategory &c) {
                                                const int counted = CountedType(subsection, c);
                                                return c.name == name && (counted == 0 || counted == type);
                                            });
            if (!listed)
                continue;
            const qint64 cents = AmountCents(rs.GetDouble(QStringLiteral("Amount")));
            Cell(++m_row, kColumnBase, name);
            Cell(m_row, amountColumn, FormatCents(cents));
            total += cents;
            ++m_row;
        }
    } catch (const CDbError &) {
        TwkMessageBox(QStringLiteral("Database error"));
        return false;
    }
    Cell(m_row, kColumnBase, kRuleAdvancedSection);
    Cell(m_row, amountColumn, kRuleAdvancedSection);
    Cell(++m_row, kColumnBase, QStringLiteral("Total"));
    Cell(m_row, amountColumn, FormatCents(total));
    m_grid->SetItemFgColour(m_row, kColumnBase, kReportBlue);
    m_grid->SetItemFgColour(m_row, amountColumn, kReportBlue);
    Cell(++m_row, amountColumn, kRuleCustom);
    ++m_row;
    return true;
}
