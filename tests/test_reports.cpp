#include "fakeclock.h"
#include "recordingcanvas.h"
#include "reports/chart.h"
#include "reports/statsmodel.h"
#include "reportsupport.h"
#include "testsupport.h"

using namespace reportsupport;

Q_DECLARE_METATYPE(StatsKind)

class TestReports : public QObject
{
    Q_OBJECT
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    // The three months of reportsupport worked out by hand (format "0.00"), in order of first
    // appearance, and the window's order as indexes into it. Employee 12 keeps a line of its
    // own beside 123 and has no record (so no profile); an empty net is not counted; an empty
    // deductions total is not counted by month; a caisse amount "abc" leaves that caisse's
    // totals; CRICA's address "Usine 3" does not make it the caisse of the letter U.
    void statisticTotalsWrong_data()
    {
        QTest::addColumn<StatsKind>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<int>>("windowOrder");
        QTest::newRow("employees") << StatsKind::Employes
                                   << QStringList{"10001\tDUPONT Jean-Pierre\t1500,50", "10002\tMARTIN Paul\t2001,50",
                                                  "123\tLEGRAND Marc\t100,00", "12\tPETIT Léa\t300,00"}
                                   << QList<int>{0, 1, 3, 2};
        QTest::newRow("months") << StatsKind::Paies
                                << QStringList{"Janvier 2002\t3000,50\t600,25", "Février 2002\t600,50\t120,10",
                                               "Mars 2002\t300,00\t50,00"}
                                << QList<int>{0, 1, 2};
        QTest::newRow("profiles") << StatsKind::Profils
                                  << QStringList{"10001 Standard\t1600,50", "10002 Cadre\t2001,50"} << QList<int>{0, 1};
        QTest::newRow("caisses") << StatsKind::Caisses
                                 << QStringList{"U\tURSSAF\t17,50\t28,50", "A\tASSEDIC\t5,00\t0",
                                                "R\tCRICA\t0\t12,00", "Z\t???\t1,00\t1,00"}
                                 << QList<int>{1, 2, 0, 3};
    }
    void statisticTotalsWrong()
    {
        QFETCH(StatsKind, kind);
        QFETCH(QStringList, expected);
        QFETCH(QList<int>, windowOrder);
        const Collection pay = payslips(threeMonths());
        const Collection emp = staff();
        QList<int> progress;
        const Progress record = [&](int i) { progress.append(i); };
        QStringList got;
        switch (kind) {
        case StatsKind::Employes: got = StatsEmp(pay, "0.00", record); break;
        case StatsKind::Paies: got = StatsPaie(pay, "0.00", record); break;
        case StatsKind::Profils: got = StatsProfils(pay, emp, "0.00", record); break;
        case StatsKind::Caisses: got = StatsCaisses(pay, caisses(), "0.00", record); break;
        }
        QCOMPARE(got, expected);
        QCOMPARE(progress, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
        QStringList ordered;
        for (int i : windowOrder)
            ordered.append(expected[i]);
        QCOMPARE(statistiques(kind, pay, emp, caisses(), "0.00"), ordered);
    }

    // Totals are texts rounded to the format at every addition.
    void totalNotRoundedAtEveryAddition_data()
    {
        QTest::addColumn<StatsKind>("kind");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("expected");
        // "#": 0,4 then 0,8 -> 1, then 1,4 -> 1 twice; the unrounded sum would give 2.
        QTest::newRow("partial sums rounded") << StatsKind::Employes << "#" << QStringList{"0,4", "0,4", "0,4", "0,4"}
                                              << "k\tnom\t1";
        QTest::newRow("first amount kept as read") << StatsKind::Employes << "0.00" << QStringList{" 1,5 "}
                                                   << "k\tnom\t1,5";
        QTest::newRow("zero total written empty counts as 0") << StatsKind::Employes << "#"
                                                             << QStringList{"5", "-5", "3"} << "k\tnom\t3";
        QTest::newRow("amount not a number") << StatsKind::Employes << "0.00" << QStringList{"10,00", "1.5"}
                                             << "k\tnom\t10,00";
        // Months: net and deductions are the same amount here. Caisses: the employer amount
        // is 1 at each step.
        QTest::newRow("months amount not a number") << StatsKind::Paies << "0.00" << QStringList{"2,00", "x"}
                                                    << "k\t2,00\t2,00";
        QTest::newRow("caisse empty amount is 0") << StatsKind::Caisses << "0.00" << QStringList{"", "2"}
                                                  << "k\t2,00\t2,00";
        QTest::newRow("caisse amount not a number") << StatsKind::Caisses << "0.00" << QStringList{"3,00", "y"}
                                                    << "k\t3,00\t1";
    }
    void totalNotRoundedAtEveryAddition()
    {
        QFETCH(StatsKind, kind);
        QFETCH(QString, format);
        QFETCH(QStringList, amounts);
        QFETCH(QString, expected);
        StatsList list;
        for (const QString &a : amounts) {
            if (kind == StatsKind::Employes)
                CumulEmp(list, "k", "nom", a, format);
            else if (kind == StatsKind::Paies)
                CumulMois(list, "k", a, a, format);
            else
                CumulCaisse(list, "k", a, "1", format);
        }
        QCOMPARE(list.lines(), QStringList{expected});
    }

    // The grid holds every line, numbered, and hands them all to the chart and the printer.
    void gridNotHoldingEveryLine_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("no payslip: header only") << 0;
        QTest::newRow("past the 63 first rows") << 70;
    }
    void gridNotHoldingEveryLine()
    {
        QFETCH(int, lines);
        QStringList list;
        for (int i = 1; i <= lines; ++i)
            list.append(QStringLiteral("%1\tNom\t%2,00").arg(10000 + i).arg(i));
        StatsModel model(StatsKind::Employes);
        model.Init(list);
        QCOMPARE(model.rowCount(), std::max(63, lines));
        QCOMPARE(model.cell(lines, 0), lines ? QString::number(lines) : QString());
        QCOMPARE(model.chartTexts().size(), lines);
        QCOMPARE(model.printedGrid().rows.size(), lines);
    }

    // Rounded halves to even, the last 32 kept; a text that is not a number refused.
    void chartValuesWrong_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("halves to even") << QStringList{" 2,5", "3,5 ", "-2,5", "1,49"} << QList<int>{2, 4, -2, 1};
        QStringList forty;
        QList<int> last32;
        for (int i = 1; i <= 40; ++i) {
            forty.append(QString::number(i));
            if (i > 8)
                last32.append(i);
        }
        QTest::newRow("last 32 of 40") << forty << last32;
        QTest::newRow("beyond 32 bits") << QStringList{"3000000000", "-3000000000"} << QList<int>{INT_MAX, INT_MIN};
        QTest::newRow("not a number") << QStringList{"1", " 12.5 "} << QList<int>{7};
    }
    void chartValuesWrong()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, values);
        Chart chart;
        QVERIFY(chart.Init({"7"}));
        QString message;
        const bool ok = chart.Init(texts, &message);
        QCOMPARE(ok, message.isEmpty());
        QCOMPARE(chart.values(), values);
        if (!message.isEmpty())
            QCOMPARE(message, QStringLiteral("'12.5' n'est pas une valeur numérique correcte"));
    }

    // The white frame, the two axes, then the bars as (x1, y1, x2, y2) in blue.
    void chartNotDrawnAsLaidOut_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<QList<int>>>("bars");
        QTest::newRow("heights against the largest")
            << QStringList{"100", "50", "-25", "33"}
            << QList<QList<int>>{{20, 300, 30, 20}, {35, 300, 45, 160}, {50, 300, 60, 370}, {65, 300, 75, 208}};
        QTest::newRow("no value above 0") << QStringList{"0", "-5"} << QList<QList<int>>{};
        QTest::newRow("no value") << QStringList{} << QList<QList<int>>{};
    }
    void chartNotDrawnAsLaidOut()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<QList<int>>, bars);
        Chart chart;
        QVERIFY(chart.Init(texts));
        RecordingCanvas canvas;
        chart.DrawChart(canvas);
        using Op = RecordingCanvas::Op;
        auto corners = [](const Op &op) { return QList<int>{op.x, op.y, op.x2, op.y2}; };
        QList<QList<int>> shapes;
        for (const Op &op : canvas.ops)
            if (op.kind == Op::Line || op.kind == Op::Rectangle) {
                shapes.append(corners(op));
                QCOMPARE(op.fill, shapes.size() > 3 ? Chart::kBarColour : Canvas::kWhite);
            }
        QCOMPARE(shapes, (QList<QList<int>>{{0, 0, 559, 321}, {20, 300, 550, 300}, {20, 300, 20, 20}} + bars));
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "test_reports.moc"
