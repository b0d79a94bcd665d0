#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The month calendar: a selected date, the month grid around it (weeks starting on Sunday)
// and the title "mmmmm  yyyy" in French.
class CalendarModel
{
public:
    // Selects today's date from Clock::instance().
    CalendarModel();

    QDate selected() const { return m_selected; }
    void select(const QDate &date);

    // The month moves by one; the day stays, reduced to the end of a shorter month.
    void previousMonth();
    void nextMonth();
    // Moves the selection by a number of days within the shown month (the arrow keys of the
    // grid); a move that would leave the month is ignored. True when the selection moved.
    bool moveDays(int days);

    // The full month name, two spaces and the year: "février  2024".
    QString title() const;

    static constexpr int kColumns = 7;
    static constexpr int kWeeks = 6;
    // The heading of a column, column 0 being Sunday: "dim.", "lun." ...
    static QString columnHeading(int column);
    // The grid of the shown month: kWeeks rows of kColumns days, 0 where a cell is empty.
    QList<QList<int>> grid() const;
    // Row and column of a day of the shown month.
    static int column(const QDate &date);
    int row(const QDate &date) const;

private:
    QDate m_selected;
};
