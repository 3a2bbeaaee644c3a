#include "base/Clock.h"

namespace {
QDateTime g_fixed;
}

QDateTime Clock::now()
{
    return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime();
}

QDate Clock::today()
{
    if (g_fixed.isValid())
        return g_fixed.date();
    // The local date goes through the time-zone rules, which look at the zone file on every call; a
    // batch asks for it twice per record. Within one second of the system clock it cannot change.
    thread_local qint64 second = -1;
    thread_local QDate date;
    if (const qint64 current = QDateTime::currentSecsSinceEpoch(); current != second) {
        date = QDateTime::fromSecsSinceEpoch(current).date();
        second = current;
    }
    return date;
}

void Clock::setFixed(const QDateTime &moment)
{
    g_fixed = moment;
}
