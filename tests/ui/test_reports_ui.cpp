#include "fakeclock.h"
#include "fakewindows.h"
#include "reportsupport.h"
#include "testsupport.h"
#include "ui/compta.h"
#include "ui/graph.h"
#include "ui/stats.h"
#include "ui/typing.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

using namespace reportsupport;

class TestReportsUi : public QObject
{
    Q_OBJECT
    FakeClock m_clock;
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

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

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
        QList<int> values;
        QTimer::singleShot(50, [&] {
            auto *graph = qobject_cast<TGraph *>(QApplication::activeModalWidget());
            values = graph ? graph->chart().values() : QList<int>();
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        click(window, "graphique");
        QCOMPARE(values, (QList<int>{1, 0, 12, 28}));
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
        QStringList texts{window.windowTitle()};
        for (QLabel *label : window.findChildren<QLabel *>())
            texts << (label->isVisible() ? label->text() : QString());
        QCOMPARE(texts, (QStringList{"Journal de paie", "&Du", "&Au", "2 bulletins non calculés ne sont pas repris"}));
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
