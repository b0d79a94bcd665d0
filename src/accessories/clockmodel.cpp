#include "accessories/clockmodel.h"

#include "ports/clock.h"
#include "text/dates.h"

#include <algorithm>

QString ClockModel::formatTime(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

void ClockModel::tick()
{
    const QDateTime now = Clock::instance().now();
    m_time = formatTime(now.time());
    m_date = text::formatDate(now.date());
}

void ClockModel::activate()
{
    tick();
    m_setMode = false;
}

void ClockModel::spin(Part part, int step)
{
    QString *target = nullptr;
    int start = 0;
    int length = 2;
    int low = 0;
    int high = 0;
    switch (part) {
    // Hour 24 would only make the setting of the computer's clock fail.
    case Part::Hour: target = &m_time; start = 0; high = 23; break;
    case Part::Minute: target = &m_time; start = 3; high = 59; break;
    case Part::Day: target = &m_date; start = 0; high = 31; break;
    case Part::Month: target = &m_date; start = 3; high = 12; break;
    case Part::Year: target = &m_date; start = 6; length = 4; low = 1900; high = 2099; break;
    case Part::None: return;
    }
    if (target->size() < start + length)
        return;
    bool ok = false;
    int value = target->mid(start, length).toInt(&ok);
    if (!ok)
        return;
    if (part == Part::Year && value < 100)
        value += 1900;
    value = std::clamp(value + step, low, high);
    target->replace(start, length, QStringLiteral("%1").arg(value, length, 10, QChar(u'0')));
}

QDateTime ClockModel::displayedDateTime() const
{
    const QDate date = text::parseDate(m_date);
    const QTime time = QTime::fromString(m_time, QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

ClockModel::SetOutcome ClockModel::toggleSetMode()
{
    if (!m_setMode) {
        m_setMode = true;
        return SetOutcome::EnteredSetMode;
    }
    m_setMode = false;
    const QDateTime local = displayedDateTime();
    const bool done = local.isValid() && Clock::instance().setSystemTime(local);
    tick();
    return done ? SetOutcome::ClockSet : SetOutcome::ClockRefused;
}
