#include "reports/reminderreport.h"

#include "base/amounttext.h"
#include "base/clock.h"
#include "base/colorref.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/gridctrl.h"
#include "data/dberror.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/reportformat.h"
#include "reports/tallywickview.h"

namespace {

constexpr int kColumns = 6;
constexpr int kFirstRow = 8;
const QString kUnderline = QStringLiteral("____________");
const QString kDoubleRule = QStringLiteral("=========");
constexpr COLORREF kRed = MakeColorRef(255, 0, 0);

} // namespace

QString ReminderReportPeriod(const CReminderReportRange &r)
{
    if (r.queryDate1 == r.queryDate2)
        return QStringLiteral("Date: %1").arg(r.display1.isEmpty() ? r.queryDate1 : r.display1);
    const bool useQuery = r.display1.isEmpty() || r.display2.isEmpty();
    return QStringLiteral("From %1 To %2").arg(useQuery ? r.queryDate1 : r.display1, useQuery ? r.queryDate2 : r.display2);
}

CReminderReport BuildReminderReport(const QList<CReminder> &reminders, const CReminderReportRange &range,
                                    const QString &currency, const QString &dateFormat, const QDate &today)
{
    CReminderReport report;
    ReportLayout &layout = report.layout;
    layout.rowCount = int(reminders.size()) + 14;
    layout.columnCount = kColumns;
    const auto cell = [&layout](int row, int column, const QString &text, std::optional<LOGFONT> font = std::nullopt,
                                std::uint8_t alignment = 0) {
        layout.cells.push_back(ReportCell{column, row, text, alignment, -1, font});
    };
    const LOGFONT total = MakeLogFont(QStringLiteral("Arial"), 14, FW_BOLD);

    cell(3, 3, QStringLiteral("Payment Reminder"), MakeLogFont(QStringLiteral("Arial"), 20, FW_BOLD));
    cell(4, 3, ReminderReportPeriod(range));
    cell(6, 2, QStringLiteral("Payment Date"));
    cell(6, 3, QStringLiteral("Description"));
    cell(6, 4, AmountHeading(currency));
    for (int column = 2; column <= 4; ++column)
        cell(7, column, kUnderline);

    const QString todayText = DateText(today);
    int row = kFirstRow;
    // In cents, each as it is printed: the totals add up to the lines.
    qint64 totalDue = 0;
    qint64 todayDue = 0;
    for (const CReminder &r : reminders) {
        const qint64 cents = AmountCents(r.amount);
        cell(row, 2, DisplayDate(r.storedDate, dateFormat));
        cell(row, 3, r.description);
        cell(row, 4, FormatCents(cents), std::nullopt, 1);
        totalDue += cents;
        if (r.storedDate == todayText) {
            todayDue += cents;
            for (int column = 2; column <= 4; ++column)
                report.redCells.emplace_back(row, column);
        }
        ++row;
    }
    report.totalDue = double(totalDue) / 100.0;
    report.todayDue = double(todayDue) / 100.0;
    for (int column = 2; column <= 4; ++column)
        cell(row, column, kUnderline);
    cell(row + 1, 3, QStringLiteral("Total Due"), total);
    cell(row + 1, 4, FormatCents(totalDue), total, 1);
    cell(row + 2, 4, kDoubleRule);
    cell(row + 3, 3, QStringLiteral("Today's Due"), total);
    cell(row + 3, 4, FormatCents(todayDue), total, 1);
    report.redCells.emplace_back(row + 3, 3);
    report.redCells.emplace_back(row + 3, 4);
    cell(row + 4, 4, kDoubleRule);
    return report;
}

bool ShowReminders(CTallywickView &view, CTallywickData &data, std::string_view query,
                   const CReminderReportRange &range, bool atStartup)
{
    view.OnClearScreen();
    QList<CReminder> reminders;
    if (!RunReported([&] { reminders = CReminderStore(data.connection).Select(query, range.queryDate1, range.queryDate2); }))
        return false;
    if (reminders.isEmpty()) {
        if (!atStartup)
            TwkMessageBox(LoadString(StringId::NoPaymentReminders), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION,
                          &view);
        return false;
    }
    const CReminderReport report =
        BuildReminderReport(reminders, range, data.settings.cCurrency, data.settings.dateFormat, Today());
    ShowReminderReport(view, report);
    return true;
}

void ShowReminderReport(CTallywickView &view, const CReminderReport &report)
{
    view.ShowReport(report.layout);
    CGridCtrl *grid = view.GetGrid();
    for (const auto &[row, column] : report.redCells)
        grid->SetItemFgColour(row, column, kRed);
    grid->viewport()->update();
}

void RunStartupReminders(CTallywickView &view, CTallywickData &data)
{
    const QString today = StartupDateText(Today());
    RunReported([&] { CReminderStore(data.connection).DeleteReminders(today, ReminderDeletion::Expired); });
    if (!data.loggedIn || !data.settings.autoPaymentReminderDisplay)
        return;
    const QString shown = Today().toString(data.settings.dateFormat);
    ShowReminders(view, data, kDueReminderQuery, {today, today, shown, shown}, true);
}
