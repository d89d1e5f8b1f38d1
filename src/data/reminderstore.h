#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <string_view>

class CDbConnection;

// One row of LB_PAYMENT_REMINDER_INFO_TB; the date is the stored text.
struct CReminder {
    long id = -1;
    QString description;
    double amount = 0.0;
    QString storedDate;
    int days = 0;
    bool autoDelete = true;
};

constexpr int kMaxReminderDays = 36500;

// The reminders of a range, From and To as "%m/%d/%Y".
constexpr std::string_view kReminderRangeQuery =
    "SELECT * FROM LB_PAYMENT_REMINDER_INFO_TB WHERE datevalue(cPaymentDate)>=datevalue('%s') and "
    "datevalue(cPaymentDate)<=datevalue('%s')";
// The reminders due today: dated today or later and within their days.
constexpr std::string_view kDueReminderQuery =
    "SELECT * FROM LB_PAYMENT_REMINDER_INFO_TB WHERE DateDiff('y',datevalue('%s'),DateValue(cPaymentDate))>=0 AND "
    "DateDiff('y',datevalue('%s'),DateValue(cPaymentDate))<=iPaymentReminderDays";

enum class ReminderDeletion {
    Expired = 0, // dated before the day and marked for automatic deletion
    UpTo = 1,    // dated up to the day, inclusive
};

enum class ReminderDaysCheck { Valid, NotANumber, OutOfRange };
// The days box: digits with at most one point; the whole part counts.
ReminderDaysCheck CheckReminderDays(const QString &text, int *days = nullptr);

// "Remind on the day", "Remind before 1 day", "Remind before 2 days".
QString ReminderDaysText(int days);

// Today as the start-up statements write it, "%m/ %d/ %y". The two-digit year
// is read back in a fixed century window, so outside it the year is written
// in full: the engine must read the same day, or the wrong reminders go.
QString StartupDateText(const QDate &day);

// The reminder statements. Failures throw CDbError.
class CReminderStore
{
public:
    explicit CReminderStore(CDbConnection &connection);

    // A query template with two date texts put in, rows in the order returned.
    QList<CReminder> Select(std::string_view query, const QString &date1, const QString &date2);
    QList<CReminder> List(const QDate &from, const QDate &to);
    std::optional<CReminder> Read(long id);
    // The new reminder's identity.
    long Add(const CReminder &reminder);
    void Update(const CReminder &reminder);
    // All or none.
    void Delete(const QList<long> &ids);
    // Runs inside the caller's transaction when there is one.
    void DeleteReminders(const QString &dateText, ReminderDeletion mode);

private:
    CDbConnection &m_connection;
};

// A stored date in the user's display format; the text itself when unreadable.
QString DisplayDate(const QString &storedDate, const QString &format);
