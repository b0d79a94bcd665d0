#include "accessories/calendarmodel.h"
#include "accessories/clockmodel.h"
#include "text/clock.h"
#include "fakeclock.h"
#include "testsupport.h"

namespace {

// A clock pinned to a chosen moment that records the times it is asked to set.

} // namespace

class TestClock : public QObject
{
    Q_OBJECT

    FakeClock m_clock;

private Q_SLOTS:
    void init()
    {
        m_clock = FakeClock();
        m_clock.moment = QDateTime(QDate(1998, 10, 20), QTime(18, 23, 0));
        Clock::setInstance(&m_clock);
    }

    void cleanup() { Clock::setInstance(nullptr); }

    void displaysFollowTheClock()
    {
        ClockModel model;
        model.activate();
        QCOMPARE(model.timeText(), QStringLiteral("18:23:00"));
        QCOMPARE(model.dateText(), QStringLiteral("20/10/1998"));
        m_clock.moment = QDateTime(QDate(2024, 2, 29), QTime(7, 5, 9));
        model.tick();
        QCOMPARE(model.timeText(), QStringLiteral("07:05:09"));
        QCOMPARE(model.dateText(), QStringLiteral("29/02/2024"));
    }

    void spin_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("steps"); // positive: up, negative: down
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("date");
        const QDate d(1998, 10, 20);
        using P = ClockModel::Part;
        QTest::newRow("hour up") << QDateTime(d, QTime(18, 23, 5)) << int(P::Hour) << 1 << "19:23:05" << "20/10/1998";
        QTest::newRow("hour 24 cannot be chosen") << QDateTime(d, QTime(22, 0)) << int(P::Hour) << 3 << "23:00:00" << "20/10/1998";
        QTest::newRow("hour down at 0") << QDateTime(d, QTime(0, 30)) << int(P::Hour) << -1 << "00:30:00" << "20/10/1998";
        QTest::newRow("minute down at 00") << QDateTime(d, QTime(18, 0)) << int(P::Minute) << -1 << "18:00:00" << "20/10/1998";
        QTest::newRow("minute up at 59, no carry") << QDateTime(d, QTime(18, 59)) << int(P::Minute) << 1 << "18:59:00" << "20/10/1998";
        QTest::newRow("day up at 31") << QDateTime(QDate(1998, 1, 31), QTime(1, 0)) << int(P::Day) << 1 << "01:00:00" << "31/01/1998";
        QTest::newRow("day up, no month check") << QDateTime(QDate(1998, 2, 28), QTime(1, 0)) << int(P::Day) << 2 << "01:00:00" << "30/02/1998";
        QTest::newRow("day down to 00") << QDateTime(QDate(1998, 2, 1), QTime(1, 0)) << int(P::Day) << -2 << "01:00:00" << "00/02/1998";
        QTest::newRow("month up at 12") << QDateTime(QDate(1998, 12, 5), QTime(1, 0)) << int(P::Month) << 1 << "01:00:00" << "05/12/1998";
        QTest::newRow("month down") << QDateTime(QDate(1998, 10, 5), QTime(1, 0)) << int(P::Month) << -1 << "01:00:00" << "05/09/1998";
        QTest::newRow("year up at 2099") << QDateTime(QDate(2099, 3, 1), QTime(1, 0)) << int(P::Year) << 1 << "01:00:00" << "01/03/2099";
        QTest::newRow("year down at 1900") << QDateTime(QDate(1900, 3, 1), QTime(1, 0)) << int(P::Year) << -1 << "01:00:00" << "01/03/1900";
        QTest::newRow("year down") << QDateTime(d, QTime(1, 0)) << int(P::Year) << -2 << "01:00:00" << "20/10/1996";
        QTest::newRow("nothing chosen") << QDateTime(d, QTime(1, 0)) << int(P::None) << 1 << "01:00:00" << "20/10/1998";
    }

    void spin()
    {
        QFETCH(QDateTime, start);
        QFETCH(int, part);
        QFETCH(int, steps);
        QFETCH(QString, time);
        QFETCH(QString, date);
        m_clock.moment = start;
        ClockModel model;
        model.activate();
        for (int i = 0; i < qAbs(steps); ++i) {
            if (steps > 0)
                model.spinUp(ClockModel::Part(part));
            else
                model.spinDown(ClockModel::Part(part));
        }
        QCOMPARE(model.timeText(), time);
        QCOMPARE(model.dateText(), date);
    }

    void setModeSetsTheClockFromTheDisplays()
    {
        ClockModel model;
        model.activate();
        QCOMPARE(model.toggleSetMode(), ClockModel::SetOutcome::EnteredSetMode);
        QVERIFY(model.setMode());
        model.spinUp(ClockModel::Part::Hour);
        model.spinDown(ClockModel::Part::Minute);
        model.spinUp(ClockModel::Part::Year);
        QCOMPARE(model.toggleSetMode(), ClockModel::SetOutcome::ClockSet);
        QVERIFY(!model.setMode());
        QCOMPARE(m_clock.setTimes.size(), 1);
        // The displayed local time is handed over as local time; the clock converts it.
        const QDateTime set = m_clock.setTimes.first();
        QCOMPARE(set.date(), QDate(1999, 10, 20));
        QCOMPARE(set.time(), QTime(19, 22, 0));
        QCOMPARE(set.timeSpec(), Qt::LocalTime);
        // Leaving set mode shows the clock again.
        QCOMPARE(model.timeText(), QStringLiteral("18:23:00"));
    }

    void invalidDisplaysAreNotSet_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("steps");
        QTest::newRow("day 0") << QDateTime(QDate(1998, 10, 1), QTime(10, 10)) << int(ClockModel::Part::Day) << -1;
        QTest::newRow("30 February") << QDateTime(QDate(1998, 2, 28), QTime(10, 10)) << int(ClockModel::Part::Day) << 2;
        QTest::newRow("month 0") << QDateTime(QDate(1998, 1, 5), QTime(10, 10)) << int(ClockModel::Part::Month) << -1;
    }

    void invalidDisplaysAreNotSet()
    {
        QFETCH(QDateTime, start);
        QFETCH(int, part);
        QFETCH(int, steps);
        m_clock.moment = start;
        ClockModel model;
        model.activate();
        model.toggleSetMode();
        for (int i = 0; i < qAbs(steps); ++i)
            steps > 0 ? model.spinUp(ClockModel::Part(part)) : model.spinDown(ClockModel::Part(part));
        QVERIFY(!model.displayedDateTime().isValid());
        QCOMPARE(model.toggleSetMode(), ClockModel::SetOutcome::ClockRefused);
        QVERIFY(m_clock.setTimes.isEmpty());
        QVERIFY(!model.setMode());
    }

    void systemRefusalIsReported()
    {
        m_clock.refuse = true;
        ClockModel model;
        model.activate();
        model.toggleSetMode();
        QCOMPARE(model.toggleSetMode(), ClockModel::SetOutcome::ClockRefused);
        QCOMPARE(m_clock.setTimes.size(), 1);
    }

    void activationLeavesSetMode()
    {
        ClockModel model;
        model.activate();
        model.toggleSetMode();
        model.spinUp(ClockModel::Part::Hour);
        model.activate();
        QVERIFY(!model.setMode());
        QCOMPARE(model.timeText(), QStringLiteral("18:23:00"));
    }

    void calendarMonths_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("months");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("31/01 next") << QDate(2023, 1, 31) << 1 << QDate(2023, 2, 28);
        QTest::newRow("31/01 next, leap year") << QDate(2024, 1, 31) << 1 << QDate(2024, 2, 29);
        QTest::newRow("31/03 previous") << QDate(2024, 3, 31) << -1 << QDate(2024, 2, 29);
        QTest::newRow("31/05 next") << QDate(2023, 5, 31) << 1 << QDate(2023, 6, 30);
        QTest::newRow("december next") << QDate(2023, 12, 31) << 1 << QDate(2024, 1, 31);
        QTest::newRow("january previous") << QDate(2024, 1, 15) << -1 << QDate(2023, 12, 15);
        QTest::newRow("day kept after a short month") << QDate(2023, 1, 31) << 2 << QDate(2023, 3, 28);
    }

    void calendarMonths()
    {
        QFETCH(QDate, start);
        QFETCH(int, months);
        QFETCH(QDate, expected);
        CalendarModel model;
        model.select(start);
        for (int i = 0; i < qAbs(months); ++i)
            months > 0 ? model.nextMonth() : model.previousMonth();
        QCOMPARE(model.selected(), expected);
    }

    void calendarStartsToday()
    {
        QCOMPARE(CalendarModel().selected(), QDate(1998, 10, 20));
        QCOMPARE(CalendarModel().title(), QStringLiteral("octobre  1998"));
    }

    void calendarTitle_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("title");
        QTest::newRow("february") << QDate(2024, 2, 29) << QStringLiteral("février  2024");
        QTest::newRow("august") << QDate(2023, 8, 1) << QStringLiteral("août  2023");
        QTest::newRow("december") << QDate(1999, 12, 31) << QStringLiteral("décembre  1999");
    }

    void calendarTitle()
    {
        QFETCH(QDate, date);
        QFETCH(QString, title);
        CalendarModel model;
        model.select(date);
        QCOMPARE(model.title(), title);
    }

    void calendarGrid_data()
    {
        QTest::addColumn<QDate>("month");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<int>("lastColumn");
        QTest::newRow("february 2015 starts on Sunday") << QDate(2015, 2, 10) << 0 << 3 << 6;
        QTest::newRow("january 2024 starts on Monday") << QDate(2024, 1, 10) << 1 << 4 << 3;
        QTest::newRow("december 2018 needs six weeks") << QDate(2018, 12, 10) << 6 << 5 << 1;
        QTest::newRow("june 2024 starts on Saturday") << QDate(2024, 6, 10) << 6 << 5 << 0;
    }

    void calendarGrid()
    {
        QFETCH(QDate, month);
        QFETCH(int, firstColumn);
        QFETCH(int, lastRow);
        QFETCH(int, lastColumn);
        CalendarModel model;
        model.select(month);
        const QList<QList<int>> grid = model.grid();
        QCOMPARE(grid.size(), CalendarModel::kWeeks);
        QCOMPARE(grid[0][firstColumn], 1);
        for (int c = 0; c < firstColumn; ++c)
            QCOMPARE(grid[0][c], 0);
        QCOMPARE(grid[lastRow][lastColumn], month.daysInMonth());
        int days = 0;
        for (const QList<int> &week : grid) {
            QCOMPARE(week.size(), CalendarModel::kColumns);
            for (int day : week)
                days += day ? 1 : 0;
        }
        QCOMPARE(days, month.daysInMonth());
        const QDate last(month.year(), month.month(), month.daysInMonth());
        QCOMPARE(model.row(last), lastRow);
        QCOMPARE(CalendarModel::column(last), lastColumn);
    }

    void calendarHeadings()
    {
        const QStringList expected{"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
        for (int c = 0; c < CalendarModel::kColumns; ++c)
            QCOMPARE(CalendarModel::columnHeading(c), expected[c]);
    }

    void calendarArrowsStayInTheMonth()
    {
        CalendarModel model;
        model.select(QDate(2024, 2, 27));
        QVERIFY(model.moveDays(1));
        QCOMPARE(model.selected(), QDate(2024, 2, 28));
        QVERIFY(!model.moveDays(7));
        QVERIFY(model.moveDays(-7));
        QCOMPARE(model.selected(), QDate(2024, 2, 21));
        model.select(QDate(2024, 2, 1));
        QVERIFY(!model.moveDays(-1));
        QCOMPARE(model.selected(), QDate(2024, 2, 1));
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "test_accessories_clock.moc"
