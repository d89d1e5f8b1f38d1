#pragma once

#include "base/amounttext.h"
#include "data/tallywickdata.h"
#include "reports/contactfooter.h"
#include "reports/reportformat.h"
#include "reports/reportlayout.h"

#include <QString>

#include <vector>

class CDbConnection;

// Collects the cells of a period or list report; the view renders them in
// one go, so the grid is sized and measured once per report.
class CReportBuilder
{
public:
    CReportBuilder(int reportMode, const CCompanyRecord &company, const CSettingsRecord &settings,
                   CDbConnection *connection = nullptr);
    explicit CReportBuilder(int reportMode, CTallywickData &data);

    int ReportMode() const { return m_mode; }
    // A more-options selection always labels the header "Unit".
    void SetMoreOptions(bool moreOptions) { m_moreOptions = moreOptions; }
    bool MoreOptions() const { return m_moreOptions; }
    CDbConnection *Connection() const { return m_connection; }
    const CCompanyRecord &Company() const { return m_company; }
    const CSettingsRecord &Settings() const { return m_settings; }

    void SetPeriodLabel(const QString &label) { m_periodLabel = label; }
    const QString &PeriodLabel() const { return m_periodLabel; }
    void SetUnitLabel(const QString &label) { m_unitLabel = label; }
    const QString &UnitLabel() const { return m_unitLabel; }
    void SetSql(const QString &sql) { m_sql = sql; }
    const QString &Sql() const { return m_sql; }

    int CurrentRow() const { return m_currentRow; }
    void SetCurrentRow(int row) { m_currentRow = row; }
    void AdvanceRow(int rows = 1) { m_currentRow += rows; }
    int ColumnCount() const { return m_columnCount; }
    void SetColumnCount(int columns) { m_columnCount = columns; }

    // Running totals; list reports keep theirs as the income total. Each
    // amount counts at its cent, as it is printed, so a total is the sum of
    // the lines above it.
    double IncomeTotal() const { return double(m_incomeCents) / 100.0; }
    double ExpenseTotal() const { return double(m_expenseCents) / 100.0; }
    qint64 IncomeCents() const { return m_incomeCents; }
    qint64 ExpenseCents() const { return m_expenseCents; }
    void AddIncome(double amount) { m_incomeCents += AmountCents(amount); }
    void AddExpense(double amount) { m_expenseCents += AmountCents(amount); }

    // A plain cell: no image, the default font.
    void AddCell(int column, int row, QString text, std::uint8_t alignment = kAlignLeft);
    void AddCell(const ReportCell &cell);
    const std::vector<ReportCell> &Cells() const { return m_cells; }
    // Room for this many more cells, for reports that know their length.
    void ReserveCells(std::size_t more) { m_cells.reserve(m_cells.size() + more); }
    // Hands the cells over; the builder is left without any.
    std::vector<ReportCell> TakeCells() { return std::move(m_cells); }

    // The block every builder-based report starts with: the unit (or name)
    // in the title font, the logo when it is printed, the period. Leaves the
    // current row at 2.
    void WriteHeader();
    // The contact lines at row; moves the current row past them.
    void WriteContactFooter(int row, const ContactColumns &columns);

    // The grid size is the current row plus rowMargin by the column count.
    // A builder that is done with hands its cells over instead of copying.
    ReportLayout Layout(int rowMargin) const &;
    ReportLayout Layout(int rowMargin) &&;

    // Whether the logo cell goes into the header: printing it is on and the
    // logo file can be read as a picture.
    bool PrintsLogo() const;

private:
    int m_mode;
    bool m_moreOptions = false;
    CDbConnection *m_connection;
    QString m_periodLabel;
    CCompanyRecord m_company;
    CSettingsRecord m_settings;
    QString m_sql;
    QString m_unitLabel;
    int m_currentRow = 0;
    int m_columnCount = 7;
    qint64 m_incomeCents = 0;
    qint64 m_expenseCents = 0;
    std::vector<ReportCell> m_cells;
};
