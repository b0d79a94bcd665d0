#include "fakeclock.h"
#include "fakewindows.h"
#include "reportsupport.h"
#include "testsupport.h"
#include "ui/compta.h"
#include "ui/graph.h"
#include "ui/stats.h"
#include "ui/typing.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using namespace reportsupport;

namespace {

// Runs act while a timer hands the next modal window to answer, which closes it.
void whileModal(const std::function<void()> &act, const std::function<void(QWidget *)> &answer)
{
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            timer.stop();
            answer(w);
        }
    });
    timer.start(20);
    act();
}

void click(QWidget &window, const char *name)
{
    window.findChild<QAbstractButton *>(name)->click();
}

} // namespace

class TestReportsUi : public QObject
{
    Q_OBJECT
    FakeClock m_clock;
    QTemporaryDir m_dir;
    FakeWindows m_windows;
    const QStringList m_caisses = statistiques(StatsKind::Caisses, reportsupport::payslips(threeMonths()), {}, caisses(), "0.00");
    const QStringList m_entries = Journal(reportsupport::payslips(threeMonths()), Comptes(Collection()));

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    // Amounts are right-justified to their width; "Graphique" opens the chart of the chart
    // column (28,50 rounds to 28); Escape closes each window.
    void chartButtonNotShowingChartColumn()
    {
        TStatsC window(m_caisses, m_windows, &m_windows);
        typing::showActive(window);
        const QString amount = window.grid()->item(0, 3)->text();
        QVERIFY2(amount.trimmed() == u"5,00" && window.grid()->fontMetrics().horizontalAdvance(amount) > 80,
                 qPrintable(amount));
        QList<int> values;
        whileModal([&] { click(window, "graphique"); },
                   [&](QWidget *w) {
                       values = qobject_cast<TGraph *>(w)->chart().values();
                       QTest::keyClick(w, Qt::Key_Escape);
                   });
        QCOMPARE(values, (QList<int>{0, 12, 28, 1}));
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // The surface shows the frame, the axis and full-height blue bars.
    void chartSurfaceNotPainted()
    {
        Chart chart;
        QVERIFY(chart.Init({"100", "50"}));
        TGraph graph(chart);
        const QImage img = graph.surface()->grab().toImage();
        QCOMPARE(img.size(), QSize(559, 321));
        for (QPoint black : {QPoint(0, 0), QPoint(558, 320), QPoint(300, 300)})
            QCOMPARE(img.pixelColor(black), QColor(Qt::black));
        for (QPoint blue : {QPoint(25, 21), QPoint(40, 161)})
            QCOMPARE(img.pixelColor(blue), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(40, 150), QColor(Qt::white));
    }

    // "Imprimer" goes through the print dialog: cancelled, nothing; confirmed, the grid is
    // printed on the session's printer under the statistic's job title.
    void printButtonNotThroughDialog()
    {
        FakeWindows w;
        TStatsC window(m_caisses, w, &w);
        w.printRanges << std::pair(0, 0) << std::pair(1, 63);
        click(window, "imprimer");
        QVERIFY(w.printed.jobs().isEmpty());
        click(window, "imprimer");
        QCOMPARE(w.log, (QStringList{"print: 1-63", "print: 1-63"}));
        QCOMPARE(w.printed.jobs(), QStringList{"Statistiques caisses au 20/10/1998 (1)"});
    }

    // Enter in a date field shows the entries between the dates typed.
    void enterNotRefillingJournal()
    {
        TCompta window(m_entries, m_windows, &m_windows);
        typing::showActive(window);
        auto *du = window.findChild<QDateEdit *>("du");
        du->setDate(QDate(2002, 3, 1));
        QTest::keyClick(du, Qt::Key_Return);
        QVERIFY(window.isVisible());
        QCOMPARE(window.grid()->item(0, 2)->text(), QStringLiteral("31/03/2002"));
        QCOMPARE(window.grid()->item(6, 2)->text(), QString());
    }

    // A failed export is reported with the file's full name and the window stays open.
    void failedExportNotReported()
    {
        FakeWindows w;
        TCompta window(m_entries, w, &w);
        typing::showActive(window);
        QVERIFY(QDir(m_dir.path()).mkpath("dossier"));
        w.files << m_dir.filePath("dossier") << m_dir.filePath("Journal.txt");
        click(window, "exporter");
        QCOMPARE(w.messages(), QStringList{"Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(m_dir.filePath("dossier"))});
        QVERIFY(window.isVisible());
        click(window, "exporter");
        QCOMPARE(fileBytes(m_dir.filePath("Journal.txt")).count("\r\n"), 14);
    }
};

QTEST_MAIN(TestReportsUi)
#include "test_reports_ui.moc"

