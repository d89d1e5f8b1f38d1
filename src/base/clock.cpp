#include "base/clock.h"

namespace {

QDateTime g_fixed;

} // namespace

QDateTime Now()
{
    return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime();
}

QDate Today()
{
    return Now().date();
}

void SetClock(const QDateTime &moment)
{
    g_fixed = moment;
}
