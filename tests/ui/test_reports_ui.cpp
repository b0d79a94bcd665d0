#include "fakeclock.h"
#include "fakewindows.h"
#include "reportsupport.h"
#include "testsupport.h"
#include "ui/compta.h"
#include "ui/graph.h"
#include "ui/stats.h"
#include "ui/typing.h"

#include <QAbstractButton>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

using namespace reportsupport;
using namespace Qt::StringLiterals;

class TestReportsUi : public QObject
{
    Q_OBJECT
    PinnedClock m_clock;
    QTemporaryDir m_dir;
    const QStringList m_caisses = [] {
        QStringList lines;
        statistiques(StatsKind::Caisses, reportsupport::payslips(threeMonths()), staff(), staffProfiles(), caisses(), "0.00", lines);
        return lines;
    }();
    const JournalEntries m_entries = [] {
        JournalEntries entries;
        Journal(reportsupport::payslips(threeMonths()), Comptes(Collection()), entries);
        return entries;
    }();

    static void click(QWidget &window, const char *name) { window.findChild<QAbstractButton *>(name)->click(); }
    static QBarSet *barsOf(const TGraph &graph)
    {
        auto *series = qobject_cast<QBarSeries *>(graph.view()->chart()->series().value(0));
        return series ? series->barSets().value(0) : nullptr;
    }

private Q_SLOTS:
    // Amounts are right-justified to their width; "Graphique" opens the chart of the chart
    // column (28,50 rounds to 28); "Imprimer" goes through the print dialog: cancelled,
    // nothing; confirmed, the grid under the statistic's job title; Escape closes.
    void statisticsWindowWrong()
    {
        FakeWindows w;
        TStatsC window(m_caisses, w, &w);
        typing::showActive(window);
        const QString amount = window.grid()->item(1, 3)->text();
        QVERIFY2(amount.trimmed() == u"5,00" && window.grid()->fontMetrics().horizontalAdvance(amount) > 80, qPrintable(amount));
        QStringList keys;
        QTimer::singleShot(50, [&] {
            if (auto *graph = qobject_cast<TGraph *>(QApplication::activeModalWidget()))
                for (const Chart::Bar &bar : graph->chart().bars())
                    keys << bar.key + u'=' + bar.text;
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        click(window, "graphique");
        QCOMPARE(keys, (QStringList{"?=1,00", "A=0", "R=12,00", "U=28,50"}));
        w.printRanges << std::pair(0, 0) << std::pair(1, 63);
        click(window, "imprimer");
        QVERIFY(w.printed.jobs().isEmpty());
        click(window, "imprimer");
        QCOMPARE(w.log, (QStringList{"print: 1-63", "print: 1-63"}));
        QCOMPARE(w.printed.jobs(), QStringList{"Statistiques caisses au 20/10/1998 (1)"});
        QCOMPARE(w.printed.textsEqual("Statistiques caisses").size(), 1);
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // The chart window: the bar under the mouse says its key and amount; "Imprimer" prints the
    // chart under the statistic's name once the dialog is confirmed; "Enregistrer l'image..."
    // writes a PNG, and a file that cannot be written says so with the warning icon.
    void chartWindowWrong()
    {
        FakeWindows w;
        StatsModel model(StatsKind::Caisses);
        model.Init(m_caisses);
        Chart chart;
        QVERIFY(chart.Init(model));
        TGraph graph(chart, w, w);
        typing::showActive(graph);
        QVERIFY(graph.view()->width() >= 700 && graph.view()->height() >= 400);
        QBarSet *set = barsOf(graph);
        QVERIFY(set && set->count() == 4);
        Q_EMIT set->hovered(true, 3);
        QCOMPARE(graph.hoverText(), u"U : 28,50"_s);
        Q_EMIT set->hovered(false, 3);
        QCOMPARE(graph.hoverText(), QString());

        w.printRanges << std::pair(0, 0) << std::pair(1, 1);
        click(graph, "imprimer");
        click(graph, "imprimer");
        QCOMPARE(w.printed.jobs(), QStringList{"Statistiques caisses (1)"});

        const QString png = m_dir.filePath("chart.png");
        w.files << png << m_dir.path();
        click(graph, "enregistrerImage");
        QImage saved(png);
        QVERIFY(!saved.isNull() && saved.width() >= 700);
        click(graph, "enregistrerImage");
        QCOMPARE(w.warnings().size(), 1);
        QVERIFY(w.warnings().constFirst().contains(QDir::toNativeSeparators(m_dir.path())));
    }

    // "Journal de paie": its status says how many payslips were left out uncalculated; Enter
    // in a date field shows the entries between the dates typed; a failed export says so with
    // the file's full name and the window stays open; it prints under its own name.
    void journalWindowWrong()
    {
        FakeWindows w;
        JournalEntries entries = m_entries;
        entries.uncalculated = 2;
        TCompta window(entries, w, &w);
        typing::showActive(window);
        QStringList shown;
        for (QLabel *label : window.findChildren<QLabel *>())
            shown << (label->isVisible() ? label->text() : QString());
        QVERIFY(shown.contains(u"2 bulletins non calculés ne sont pas repris"_s));
        auto *du = window.findChild<QDateEdit *>("du");
        du->setDate(QDate(2002, 3, 1));
        QTest::keyClick(du, Qt::Key_Return);
        QVERIFY(window.isVisible());
        QCOMPARE((QStringList{window.grid()->item(0, 2)->text(), window.grid()->item(6, 2)->text()}),
                 (QStringList{"31/03/2002", ""}));
        QVERIFY(QDir(m_dir.path()).mkpath("dossier"));
        w.files << m_dir.filePath("dossier") << m_dir.filePath("Journal.txt");
        click(window, "exporter");
        QCOMPARE(w.messages(), QStringList{"Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(m_dir.filePath("dossier"))});
        QVERIFY(window.isVisible());
        click(window, "exporter");
        QCOMPARE(fileBytes(m_dir.filePath("Journal.txt")).count("\r\n"), 6);
        // Printed under its own name, not under a statistic's.
        w.printRanges << std::pair(1, 63);
        click(window, "imprimer");
        QCOMPARE(w.printed.jobs(), QStringList{"Journal de paie au 20/10/1998 (1)"});
        QCOMPARE(w.printed.textsEqual("Journal de paie").size(), 1);
    }
};

QTEST_MAIN(TestReportsUi)
#include "test_reports_ui.moc"
