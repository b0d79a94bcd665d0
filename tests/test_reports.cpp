#include "fakeclock.h"
#include "recordingcanvas.h"
#include "reports/chart.h"
#include "reports/statistics.h"
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

    // The three months of reportsupport, worked out by hand (format "0.00"), in order of
    // first appearance. Employee 12 keeps a line of its own beside 123 and has no record (so
    // no profile); an empty net is not counted; an empty deductions total is not counted by
    // month; a caisse amount "abc" leaves the caisse's totals; CRICA's address "Usine 3"
    // does not make it the caisse of the letter U.
    void statisticTotalsWrong_data()
    {
        QTest::addColumn<StatsKind>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("employees") << StatsKind::Employes
                                   << QStringList{"10001\tDUPONT Jean-Pierre\t1500,50", "10002\tMARTIN Paul\t2001,50",
                                                  "123\tLEGRAND Marc\t100,00", "12\tPETIT Léa\t300,00"};
        QTest::newRow("months") << StatsKind::Paies
                                << QStringList{"Janvier 2002\t3000,50\t600,25", "Février 2002\t600,50\t120,10",
                                               "Mars 2002\t300,00\t50,00"};
        QTest::newRow("profiles") << StatsKind::Profils
                                  << QStringList{"10001 Standard\t1600,50", "10002 Cadre\t2001,50"};
        QTest::newRow("caisses") << StatsKind::Caisses
                                 << QStringList{"U\tURSSAF\t17,50\t28,50", "A\tASSEDIC\t5,00\t0",
                                                "R\tCRICA\t0\t12,00", "Z\t???\t1,00\t1,00"};
    }
    void statisticTotalsWrong()
    {
        QFETCH(StatsKind, kind);
        QFETCH(QStringList, expected);
        const Collection pay = payslips(threeMonths());
        const Collection emp = employees(staff());
        const QString format = QStringLiteral("0.00");
        QList<int> progress;
        const Progress record = [&](int i) { progress.append(i); };
        QStringList got;
        switch (kind) {
        case StatsKind::Employes: got = StatsEmp(pay, format, record); break;
        case StatsKind::Paies: got = StatsPaie(pay, format, record); break;
        case StatsKind::Profils: got = StatsProfils(pay, emp, format, record); break;
        case StatsKind::Caisses: got = StatsCaisses(pay, caisses(), format, record); break;
        }
        QCOMPARE(got, expected);
        QCOMPARE(progress, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    }

    // The window's order: the sorted statistics by key, the months as they came.
    void windowOrderWrong()
    {
        const Collection pay = payslips(threeMonths());
        const Collection emp = employees(staff());
        auto keys = [&](StatsKind kind) {
            QStringList out;
            for (const QString &l : statistiques(kind, pay, emp, caisses(), QStringLiteral("0.00")))
                out.append(l.section(u'\t', 0, 0));
            return out;
        };
        QCOMPARE(keys(StatsKind::Caisses), (QStringList{"A", "R", "U", "Z"}));
        QCOMPARE(keys(StatsKind::Paies), (QStringList{"Janvier 2002", "Février 2002", "Mars 2002"}));
        QCOMPARE(keys(StatsKind::Profils), (QStringList{"10001 Standard", "10002 Cadre"}));
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
        QTest::newRow("stored total not a number") << StatsKind::Employes << "0.00" << QStringList{"abc", "1,00"}
                                                   << "k\tnom\tabc";
        // Months: net and deductions are the same amount here; both or neither change.
        QTest::newRow("months both sums") << StatsKind::Paies << "0.00" << QStringList{"1,004", "0,001"}
                                          << "k\t1,01\t1,01";
        QTest::newRow("months amount not a number") << StatsKind::Paies << "0.00" << QStringList{"2,00", "x"}
                                                    << "k\t2,00\t2,00";
        // Caisses: the employee amount of each step is given, the employer amount is 1.
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
        for (int i = 0; i < lines; ++i)
            list.append(QStringLiteral("%1\tNom\t%2,00").arg(10001 + i).arg(i + 1));
        StatsModel model(StatsKind::Employes);
        model.Init(list);
        QCOMPARE(model.count(), lines);
        QCOMPARE(model.rowCount(), std::max(63, lines));
        QCOMPARE(model.cell(0, 3), QStringLiteral("C.A. HT"));
        QCOMPARE(model.cell(lines, 0), lines ? QString::number(lines) : QStringLiteral(""));
        QCOMPARE(model.cell(lines + 1, 0), QString());
        QCOMPARE(model.chartTexts().size(), lines);

        RecordingCanvas canvas;
        QVERIFY(PrintGrid(canvas, model.printedGrid(), model.printTitle(), {}).ok());
        QCOMPARE(canvas.all(RecordingCanvas::Op::Begin).first().text, QStringLiteral("Statistiques employés au 20/10/1998"));
        QCOMPARE(canvas.textsEqual(QStringLiteral("%1,00").arg(lines)).size(), lines ? 1 : 0);
        QCOMPARE(canvas.textsEqual(QStringLiteral("C.A. HT")).size(), canvas.pageCount());
    }

    void chartValuesWrong_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("halves to even") << QStringList{" 2,5", "3,5 ", "-2,5", "1,49", "1234,51"}
                                        << QList<int>{2, 4, -2, 1, 1235};
        QStringList forty;
        QList<int> last32;
        for (int i = 1; i <= 40; ++i) {
            forty.append(QString::number(i));
            if (i > 8)
                last32.append(i);
        }
        QTest::newRow("last 32 of 40") << forty << last32;
        QTest::newRow("beyond 32 bits") << QStringList{"3000000000", "-3000000000"} << QList<int>{INT_MAX, INT_MIN};
    }
    void chartValuesWrong()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, values);
        Chart chart;
        QVERIFY(chart.Init(texts));
        QCOMPARE(chart.values(), values);
        QCOMPARE(chart.last(), values.size() - 1);
    }

    void chartTakingTextNotANumber()
    {
        Chart chart;
        QVERIFY(chart.Init({"5"}));
        QString message;
        QVERIFY(!chart.Init({"1", " 12.5 "}, &message));
        QCOMPARE(message, QStringLiteral("'12.5' n'est pas une valeur numérique correcte"));
        QCOMPARE(chart.values(), QList<int>{5});
    }

    // Bars as (x1, y1, x2, y2) after the white frame; the axes always.
    void chartNotDrawnAsLaidOut_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<QList<int>>>("bars");
        QTest::newRow("heights against the largest") << QStringList{"100", "50", "-25", "33"}
                                                     << QList<QList<int>>{{20, 300, 30, 20}, {35, 300, 45, 160},
                                                                          {50, 300, 60, 370}, {65, 300, 75, 208}};
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
        const QList<RecordingCanvas::Op> rects = canvas.all(RecordingCanvas::Op::Rectangle);
        QVERIFY(!rects.isEmpty());
        QCOMPARE((QList<int>{rects[0].x, rects[0].y, rects[0].x2, rects[0].y2}), (QList<int>{0, 0, 559, 321}));
        QCOMPARE(rects[0].fill, Canvas::kWhite);
        const QList<RecordingCanvas::Op> axes = canvas.all(RecordingCanvas::Op::Line);
        QCOMPARE(axes.size(), 2);
        QCOMPARE((QList<int>{axes[0].x, axes[0].y, axes[0].x2, axes[0].y2}), (QList<int>{20, 300, 550, 300}));
        QCOMPARE((QList<int>{axes[1].x, axes[1].y, axes[1].x2, axes[1].y2}), (QList<int>{20, 300, 20, 20}));
        QList<QList<int>> drawn;
        for (qsizetype i = 1; i < rects.size(); ++i) {
            QCOMPARE(rects[i].fill, Chart::kBarColour);
            drawn.append({rects[i].x, rects[i].y, rects[i].x2, rects[i].y2});
        }
        QCOMPARE(drawn, bars);
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "test_reports.moc"
