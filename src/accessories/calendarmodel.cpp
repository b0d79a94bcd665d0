#include "accessories/calendarmodel.h"

#include "ports/clock.h"
#include "text/dates.h"

CalendarModel::CalendarModel()
    : m_selected(Clock::instance().today())
{
}

void CalendarModel::select(const QDate &date)
{
    if (date.isValid())
        m_selected = date;
}

void CalendarModel::previousMonth()
{
    // QDate::addMonths keeps the day, reduced to the last day of a shorter month.
    select(m_selected.addMonths(-1));
}

void CalendarModel::nextMonth()
{
    select(m_selected.addMonths(1));
}

bool CalendarModel::moveDays(int days)
{
    const QDate target = m_selected.addDays(days);
    if (!target.isValid() || target.month() != m_selected.month() || target.year() != m_selected.year())
        return false;
    m_selected = target;
    return true;
}

QString CalendarModel::title() const
{
    return text::frenchMonthName(m_selected.month()) + QStringLiteral("  ")
        + QStringLiteral("%1").arg(m_selected.year(), 4, 10, QChar(u'0'));
}

QString CalendarModel::columnHeading(int column)
{
    // Qt numbers the days from Monday (1) to Sunday (7); the grid starts on Sunday.
    return text::frenchDayName(column == 0 ? 7 : column).left(3) + u'.';
}

int CalendarModel::column(const QDate &date)
{
    return date.dayOfWeek() % 7;
}

int CalendarModel::row(const QDate &date) const
{
    const QDate first(date.year(), date.month(), 1);
    return (column(first) + date.day() - 1) / kColumns;
}

QList<QList<int>> CalendarModel::grid() const
{
    QList<QList<int>> cells(kWeeks, QList<int>(kColumns, 0));
    const QDate first(m_selected.year(), m_selected.month(), 1);
    const int offset = column(first);
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        const int index = offset + day - 1;
        cells[index / kColumns][index % kColumns] = day;
    }
    return cells;
}
