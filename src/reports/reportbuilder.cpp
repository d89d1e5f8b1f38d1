#include "reports/reportbuilder.h"

#include <QImageReader>

CReportBuilder::CReportBuilder(int reportMode, const CCompanyRecord &company, const CSettingsRecord &settings,
                               CDbConnection *connection)
    : m_mode(reportMode)
    , m_connection(connection)
    , m_company(company)
    , m_settings(settings)
{
}

CReportBuilder::CReportBuilder(int reportMode, CTallywickData &data)
    : CReportBuilder(reportMode, data.company, data.settings, &data.connection)
{
}

void CReportBuilder::AddCell(int column, int row, QString text, std::uint8_t alignment)
{
    ReportCell cell;
    cell.column = column;
    cell.row = row;
    cell.text = std::move(text);
    cell.alignment = alignment;
    m_cells.push_back(std::move(cell));
}

void CReportBuilder::AddCell(const ReportCell &cell)
{
    m_cells.push_back(cell);
}

bool CReportBuilder::PrintsLogo() const
{
    if (!m_settings.iPrintLogo || m_company.cLogoPath.isEmpty())
        return false;
    // A logo that cannot be loaded shows nothing, so no cell is set for it.
    return QImageReader(m_company.cLogoPath).canRead();
}

void CReportBuilder::WriteHeader()
{
    const bool byName = !m_moreOptions && m_unitLabel == m_company.cName;
    ReportCell label;
    label.column = 1;
    label.row = 1;
    label.text = byName ? QStringLiteral("Name") : QStringLiteral("Unit");
    label.font = ReportTitleFont();
    AddCell(label);
    ReportCell unit = label;
    unit.column = 2;
    unit.text = m_unitLabel;
    AddCell(unit);

    if (PrintsLogo()) {
        ReportCell logo;
        logo.column = (m_mode == kIncomeList || m_mode == kExpenseList) ? 4 : 5;
        logo.row = 2;
        logo.image = 0;
        AddCell(logo);
    }
    AddCell(1, 2, m_mode == kMonthlyReport ? QStringLiteral("Month") : QStringLiteral("Date"));
    AddCell(2, 2, m_periodLabel);
    m_currentRow = 2;
}

void CReportBuilder::WriteContactFooter(int row, const ContactColumns &columns)
{
    m_currentRow = AppendContactFooter(m_cells, row, columns, m_company, m_settings);
}

ReportLayout CReportBuilder::Layout(int rowMargin) const &
{
    return ReportLayout{m_currentRow + rowMargin, m_columnCount, m_cells};
}

ReportLayout CReportBuilder::Layout(int rowMargin) &&
{
    return ReportLayout{m_currentRow + rowMargin, m_columnCount, std::move(m_cells)};
}
