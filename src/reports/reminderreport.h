#pragma once

#include "data/reminderstore.h"
#include "reports/reportlayout.h"

#include <QDate>
#include <QList>
#include <QString>

#include <string_view>
#include <utility>
#include <vector>

class CTallywickData;
class CTallywickView;

// The payment reminder report: header, one row per reminder, the total due
// and today's due. Today's reminders and today's total are red.
struct CReminderReport {
    ReportLayout layout;
    std::vector<std::pair<int, int>> redCells; // (row, column)
    double totalDue = 0.0;
    double todayDue = 0.0;
};

struct CReminderReportRange {
    QString queryDate1;
    QString queryDate2;
    QString display1;
    QString display2;
};

// "Date: %s" for one day, else "From %s To %s"; the query dates stand in
// for display texts that are empty.
QString ReminderReportPeriod(const CReminderReportRange &range);

CReminderReport BuildReminderReport(const QList<CReminder> &reminders, const CReminderReportRange &range,
                                    const QString &currency, const QString &dateFormat, const QDate &today);

// Shows the layout and colours its red cells.
void ShowReminderReport(CTallywickView &view, const CReminderReport &report);

// Runs the query with the two query dates and lays the result out in the
// view's grid. Without rows: "No payment reminder records found." when asked
// from the menu, silence at start-up. True when rows were shown.
bool ShowReminders(CTallywickView &view, CTallywickData &data, std::string_view query,
                   const CReminderReportRange &range, bool atStartup);

// The start-up check: expired reminders marked for automatic deletion go;
// then, when logged in with the automatic display on, the due ones show.
void RunStartupReminders(CTallywickView &view, CTallywickData &data);
