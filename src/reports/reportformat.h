#pragma once

#include "base/colorref.h"
#include "controls/logfont.h"

#include <QString>

// Report modes, shared by the report dialogs and the builder.
enum ReportMode : int {
    kDailyReport = 0,
    kMonthlyReport = 1,
    kPeriodReport = 2,
    kIncomeList = 3,
    kExpenseList = 4,
};

// Cell formats reports use: word break left/top, word break right, and the
// centred single line with ellipsis of query results.
constexpr unsigned kReportLeft = 0x10;
constexpr unsigned kReportRight = 0x12;
constexpr unsigned kQueryValue = 0x8825;
constexpr std::uint8_t kAlignLeft = 0;
constexpr std::uint8_t kAlignRight = 1;

// Net balance of the advanced report and subsection totals of custom reports.
constexpr COLORREF kReportBlue = 0x00FF0000;

// Rule strings, each placed in a single cell.
inline const QString kRuleAdvanced = QStringLiteral("===========");
inline const QString kRuleAdvancedSection = QStringLiteral("_______________");
inline const QString kRulePeriod = QStringLiteral("=============");
inline const QString kRulePeriodSection = QStringLiteral("__________________");
inline const QString kRuleCustom = QStringLiteral("==========");

// The text in cell (0, 0) of every report and query result.
inline const QString kCornerText = QStringLiteral("        ");

LOGFONT ReportTitleFont();
LOGFONT ReportUnitFont();
LOGFONT ReportBalanceFont();

// "Amount (<currency>)", with the currency text as it stands.
QString AmountHeading(const QString &currency);
