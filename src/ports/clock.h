#pragma once

#include <QDate>
#include <QDateTime>

// The program's view of time: today's date, the current time, and setting the computer's
// clock. The program uses the system clock; tests pin it with a fake.
class Clock
{
public:
    virtual ~Clock() = default;
    // The system's date. Reading it asks the system for its time zone each time (a file read
    // when none is set), which a month of payslips would do thousands of times: a date read
    // less than a second ago stands.
    virtual QDate today() const;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    // Sets the computer's clock to the given local date and time; false when the system refuses.
    virtual bool setSystemTime(const QDateTime &local);

    // The clock in use by the program; tests replace it with setInstance.
    static Clock &instance();
    static void setInstance(Clock *clock);
};
