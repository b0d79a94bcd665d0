#include "ports/clock.h"

#include <QElapsedTimer>

#include <ctime>
#include <sys/time.h>

namespace {
thread_local QElapsedTimer t_todayRead;
thread_local QDate t_today;
} // namespace

QDate Clock::today() const
{
    if (!t_todayRead.isValid() || t_todayRead.elapsed() >= 1000) {
        t_today = QDate::currentDate();
        t_todayRead.start();
    }
    return t_today;
}

bool Clock::setSystemTime(const QDateTime &local)
{
    t_todayRead.invalidate();
    if (!local.isValid())
        return false;
    // toSecsSinceEpoch applies the system's time zone rules for that date.
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(local.toSecsSinceEpoch());
    tv.tv_usec = 0;
    return settimeofday(&tv, nullptr) == 0;
}

namespace {
Clock g_systemClock;
Clock *g_clock = &g_systemClock;
} // namespace

Clock &Clock::instance()
{
    return *g_clock;
}

void Clock::setInstance(Clock *clock)
{
    g_clock = clock ? clock : &g_systemClock;
}
