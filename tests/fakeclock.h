#pragma once

#include "ports/clock.h"

#include <QList>

// A pinned clock for tests: today and now come from moment; setting the system time is
// recorded, and refused when refuse is set. The machine's real clock is never touched.
class FakeClock : public Clock
{
public:
    QDateTime moment{QDate(1998, 10, 20), QTime(18, 23, 0)};
    bool refuse = false;
    QList<QDateTime> setTimes;

    QDate today() const override { return moment.date(); }
    QDateTime now() const override { return moment; }
    bool setSystemTime(const QDateTime &local) override
    {
        setTimes.append(local);
        return !refuse;
    }
};

// A FakeClock in force for as long as it lives: as a test class's member, every test of the
// class sees the same moment (FakeClock's, unless given).
class PinnedClock : public FakeClock
{
public:
    explicit PinnedClock(const QDateTime &at = FakeClock().moment)
    {
        moment = at;
        Clock::setInstance(this);
    }
    ~PinnedClock() override { Clock::setInstance(nullptr); }
    PinnedClock(const PinnedClock &) = delete;
    PinnedClock &operator=(const PinnedClock &) = delete;
};
