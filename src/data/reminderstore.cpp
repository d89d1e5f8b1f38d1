#include "data/reminderstore.h"

#include "data/dbrecordset.h"
#include "data/jetsql.h"

#include <algorithm>

#include <sqlite3.h>

ReminderDaysCheck CheckReminderDays(const QString &text, int *days)
{
    if (text.isEmpty())
        return ReminderDaysCheck::NotANumber;
    int points = 0;
    for (const QChar c : text) {
        if (c == u'.')
            ++points;
        else if (c < u'0' || c > u'9')
            return ReminderDaysCheck::NotANumber;
    }
    if (points > 1 || text == QLatin1String("."))
        return ReminderDaysCheck::NotANumber;
    // The leading digits; a long run stays out of range instead of wrapping.
    long long value = 0;
    for (const QChar c : text) {
        if (c == u'.')
            break;
        value = std::min<long long>(value * 10 + (c.unicode() - u'0'), kMaxReminderDays + 1LL);
    }
    if (value > kMaxReminderDays)
        return ReminderDaysCheck::OutOfRange;
    if (days)
        *days = int(value);
    return ReminderDaysCheck::Valid;
}

QString ReminderDaysText(int days)
{
    if (days == 0)
        return QStringLiteral("Remind on the day");
    return days == 1 ? QStringLiteral("Remind before 1 day") : QStringLiteral("Remind before %1 days").arg(days);
}

QString StartupDateText(const QDate &day)
{
    const QString shortYear = QString::asprintf("%02d/ %02d/ %02d", day.month(), day.day(), day.year() % 100);
    if (ParseJetDate(shortYear) == day)
        return shortYear;
    return QString::asprintf("%02d/ %02d/ %04d", day.month(), day.day(), day.year());
}

CReminderStore::CReminderStore(CDbConnection &connection)
    : m_connection(connection)
{
}

namespace {

QList<CReminder> ReadRows(CDbRecordset &rs)
{
    QList<CReminder> rows;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        CReminder r;
        r.id = rs.GetLong(QStringLiteral("iPaymentReminderID"));
        r.description = rs.GetString(QStringLiteral("cPaymentDescription"));
        r.amount = rs.GetDouble(QStringLiteral("iPaymentAmount"));
        r.storedDate = rs.GetString(QStringLiteral("cPaymentDate"));
        // 32-bit: the entry accepts up to 36500 days.
        r.days = int(rs.GetLong(QStringLiteral("iPaymentReminderDays")));
        r.autoDelete = rs.GetLong(QStringLiteral("bAutoDelete")) == 1;
        rows << r;
    }
    rs.Close();
    return rows;
}

} // namespace

QList<CReminder> CReminderStore::Select(std::string_view query, const QString &date1, const QString &date2)
{
    CDbRecordset rs(m_connection);
    rs.Open(query, date1, date2);
    return ReadRows(rs);
}

QList<CReminder> CReminderStore::List(const QDate &from, const QDate &to)
{
    return Select(kReminderRangeQuery, DateText(from), DateText(to));
}

std::optional<CReminder> CReminderStore::Read(long id)
{
    CDbRecordset rs(m_connection);
    rs.Open("SELECT * FROM LB_PAYMENT_REMINDER_INFO_TB WHERE iPaymentReminderID=%ld", id);
    const QList<CReminder> rows = ReadRows(rs);
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

long CReminderStore::Add(const CReminder &r)
{
    CDbRecordset rs(m_connection);
    rs.Open("INSERT INTO LB_PAYMENT_REMINDER_INFO_TB (cPaymentDescription,iPaymentAmount,cPaymentDate,"
            "iPaymentReminderDays,bAutoDelete) VALUES ('%s',%f,'%s',%d,%d)",
            SqlQuote(r.description), r.amount, r.storedDate, r.days, r.autoDelete ? 1 : 0);
    rs.Close();
    return long(sqlite3_last_insert_rowid(m_connection.Handle()));
}

void CReminderStore::Update(const CReminder &r)
{
    CDbRecordset rs(m_connection);
    rs.Open("UPDATE LB_PAYMENT_REMINDER_INFO_TB SET cPaymentDescription='%s',iPaymentAmount=%f,cPaymentDate='%s',"
            "iPaymentReminderDays=%d,bAutoDelete=%d WHERE iPaymentReminderID=%ld",
            SqlQuote(r.description), r.amount, r.storedDate, r.days, r.autoDelete ? 1 : 0, r.id);
    rs.Close();
}

void CReminderStore::Delete(const QList<long> &ids)
{
    CDbTransaction transaction(m_connection);
    for (const long id : ids) {
        CDbRecordset rs(m_connection);
        rs.Open("DELETE FROM LB_PAYMENT_REMINDER_INFO_TB WHERE iPaymentReminderID=%ld", id);
        rs.Close();
    }
    transaction.Commit();
}

void CReminderStore::DeleteReminders(const QString &dateText, ReminderDeletion mode)
{
    CDbRecordset rs(m_connection);
    if (mode == ReminderDeletion::Expired)
        rs.Open("DELETE FROM LB_PAYMENT_REMINDER_INFO_TB WHERE (datevalue(cPaymentDate)< datevalue('%s')) AND "
                "(bAutoDelete=1)",
                dateText);
    else
        rs.Open("DELETE FROM LB_PAYMENT_REMINDER_INFO_TB WHERE datevalue(cPaymentDate)<= datevalue('%s')", dateText);
    rs.Close();
}

QString DisplayDate(const QString &storedDate, const QString &format)
{
    const std::optional<QDate> date = ParseJetDate(storedDate);
    return date ? date->toString(format) : storedDate;
}
