#pragma once

#include "reports/customreport.h"

#include <QDate>
#include <QString>
#include <QStringList>

class CDbConnection;
class CGridCellModel;
struct CCompanyRecord;
struct CSettingsRecord;

// The period a custom report covers, with the texts the pickers show.
struct CustomReportPeriod {
    QDate from;
    QDate to;
    QString fromText;
    QString toText;
};

// Compared as dates: the stored month-first text orders wrongly across
// years. Only a From date after the To date is refused.
bool IsValidReportPeriod(const CustomReportPeriod &period);
inline const QString kInvalidDatePeriod = QStringLiteral("Invalid Date Period");

// Writes a custom report straight into a grid: header, one block per unit
// and subsection, contact footer. The grid is emptied and sized (9 columns,
// enough rows) before the first cell is written.
class CCustomReportWriter
{
public:
    static constexpr int kColumns = 9;
    static constexpr int kColumnBase = 2;

    CCustomReportWriter(CDbConnection &connection, const CCompanyRecord &company, const CSettingsRecord &settings);

    // False when a part failed; its message has been shown and the grid
    // keeps what was written so far.
    bool Write(CGridCellModel &grid, const CCustomReport &report, const CustomReportPeriod &period,
               const QStringList &units);

    // Rows the report can take at most: every category printed.
    static int RowsNeeded(const CCustomReport &report, qsizetype unitCount);
    // The query of one subsection block for a unit: sums per name and type.
    static QString BlockQuery(const CustomReportPeriod &period, const QString &unit);
    // The transaction type a category of the subsection counts: its own (1 or
    // 2); for a category of both kinds (3) the kind of the subsection's other
    // categories; 0, both types, when they are mixed or there are none.
    static int CountedType(const CReportSubsection &subsection, const CReportCategory &category);

private:
    void Cell(int row, int column, const QString &text, bool unitFont = false);
    bool WriteHeader(const CCustomReport &report, const CustomReportPeriod &period);
    bool WriteBlock(const CReportSubsection &subsection, const CustomReportPeriod &period, const QString &unit);

    CDbConnection &m_connection;
    const CCompanyRecord &m_company;
    const CSettingsRecord &m_settings;
    CGridCellModel *m_grid = nullptr;
    int m_row = 0;
};
