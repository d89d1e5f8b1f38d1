#pragma once

#include "reports/reportlayout.h"
#include "reports/reportqueries.h"

#include <QDate>
#include <QString>

#include <vector>

class CDbConnection;
class CReportBuilder;
class CTallywickData;

// One grouped row of a period or advanced query: a category's sum.
struct CategorySum {
    QString name;
    int type = 0;
    double amount = 0.0;
};

// Runs a grouped query; `amountColumn` names the sum.
std::vector<CategorySum> ReadCategorySums(CDbConnection &connection, const QString &sql, const QString &amountColumn);

// The text beside "Date" or "Month": the picked day, "March 2026", or
// "From <first> To <second>", dates in the user's format, English names.
QString PeriodLabel(int mode, const QDate &first, const QDate &second, const QString &dateFormat);

// A date as a picker in the user's format shows it, the same on any desktop.
QString DisplayDate(const QDate &date, const QString &dateFormat);

// Headings, one row per category sum (incomes left, expenses right), the
// totals, the balance and the contact lines; the header must be written.
void WritePeriodReport(CReportBuilder &builder, const std::vector<CategorySum> &rows);

constexpr int kPeriodRowMargin = 10;

// What a period report dialog asks for: the mode, the picked dates (the
// second only for a period) and the narrowing of "More Options", if any.
struct PeriodRequest {
    int mode = 2;
    QDate first;
    QDate second;
    const MoreReportOptions *options = nullptr;
};

// Runs the query and lays out the whole report: 7 columns, ten rows to
// spare. Database failures throw.
ReportLayout PeriodReport(CTallywickData &data, const PeriodRequest &request);
