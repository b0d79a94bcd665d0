#pragma once

#include <QDateTime>
#include <QString>

// The clock accessory: the time and date displays, the spin on one of their parts, and the set
// mode in which the user edits the displays and then sets the computer's clock from them.
// Time comes from Clock::instance(), so tests run on a fake clock.
class ClockModel
{
public:
    // The parts of the displays the spin button changes, in the order of the choice list.
    enum class Part { None = -1, Hour, Minute, Day, Month, Year };

    const QString &timeText() const { return m_time; }
    const QString &dateText() const { return m_date; }
    bool setMode() const { return m_setMode; }

    // The window became active: displays refreshed from the clock, set mode off.
    void activate();
    // A timer tick: both displays show the current time and date.
    void tick();

    // The spin button: the chosen part, read as a number, moves by one and stays within its
    // bounds (hour 0..23, minute 0..59, day 0..31, month 0..12, year 1900..2099). The values
    // do not wrap and no carry passes to the next part.
    void spinUp(Part part) { spin(part, +1); }
    void spinDown(Part part) { spin(part, -1); }

    enum class SetOutcome { EnteredSetMode, ClockSet, ClockRefused };
    // "Set": entering set mode stops the clock's ticking; leaving it sets the computer's clock
    // from the displays, read as local time. ClockRefused when the displays do not make a date
    // and time or when the system refuses.
    SetOutcome toggleSetMode();

    // The displays read as a local date and time (invalid when they do not make one).
    QDateTime displayedDateTime() const;

    // The texts of the displays: "hh:mm:ss" and "dd/mm/yyyy".
    static QString formatTime(const QTime &time);

private:
    void spin(Part part, int step);

    QString m_time;
    QString m_date;
    bool m_setMode = false;
};
