#include "ports/clock.h"

#include <ctime>
#include <sys/time.h>

bool Clock::setSystemTime(const QDateTime &local)
{
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
