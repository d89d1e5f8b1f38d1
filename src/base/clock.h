#pragma once

#include <QDate>
#include <QDateTime>

// The clock every window asks for today's date and the time, so that tests
// can fix "today" and never depend on the real date.
QDateTime Now();
QDate Today();

// Fixes the clock at `moment`; an invalid moment gives the real clock back.
void SetClock(const QDateTime &moment);
