#include "fakeclock.h"
#include "reportsupport.h"
#include "testsupport.h"
#include "ui/compta.h"
#include "ui/graph.h"
#include "ui/stats.h"
#include "ui/typing.h"

#include <QDateEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
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

// The print dialog answered by printing to the PDF file pdf, or cancelled when it is empty;
// the journal's export dialog by path.
template <class Window>
class Scripted : public Window
{
public:
    using Window::Window;
    QString pdf;

protected:
    bool choosePrinter(QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return !pdf.isEmpty();
    }
};

class ScriptedCompta : public Scripted<TCompta>
{
public:
    using Scripted<TCompta>::Scripted;
    QString path;

protected:
    QString exportFileName() override { return path; }
};

void click(QWidget &window, const char *name)
{
    window.findChild<QAbstractButton *>(name)->click();
}

QString pdfTitle(const QString &pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).section("Title:", 1).section(u'\n', 0, 0).trimmed();
}

} // namespace

class TestReportsUi : public QObject
{
    Q_OBJECT
    FakeClock m_clock;
    QTemporaryDir m_dir;
    QPrinter m_printer{QPrinter::HighResolution};
    const QStringList m_caisses = statistiques(StatsKind::Caisses, payslips(threeMonths()), {}, caisses(), "0.00");
    const QStringList m_entries = Journal(payslips(threeMonths()), Comptes(Collection()));

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    // Amounts are right-justified to their width; "Graphique" opens the chart of the chart
    // column (28,50 rounds to 28); Escape closes each window.
    void chartButtonNotShowingChartColumn()
    {
        TStatsC window(m_caisses, m_printer);
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
    // printed under the statistic's job title.
    void printButtonNotThroughDialog()
    {
        Scripted<TStatsC> window(m_caisses, m_printer);
        click(window, "imprimer");
        window.pdf = m_dir.filePath("stats.pdf");
        QVERIFY(!QFile::exists(window.pdf));
        click(window, "imprimer");
        QCOMPARE(pdfTitle(window.pdf), QStringLiteral("Statistiques caisses au 20/10/1998"));
    }

    // Enter in a date field shows the entries between the dates typed.
    void enterNotRefillingJournal()
    {
        TCompta window(m_entries, m_printer);
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
        ScriptedCompta window(m_entries, m_printer);
        typing::showActive(window);
        QVERIFY(QDir(m_dir.path()).mkpath("dossier"));
        window.path = m_dir.filePath("dossier");
        QString shown;
        whileModal([&] { click(window, "exporter"); },
                   [&](QWidget *w) {
                       shown = qobject_cast<QMessageBox *>(w)->text();
                       qobject_cast<QMessageBox *>(w)->button(QMessageBox::Ok)->click();
                   });
        QCOMPARE(shown, "Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(window.path));
        QVERIFY(window.isVisible());
        window.path = m_dir.filePath("Journal.txt");
        click(window, "exporter");
        QCOMPARE(fileBytes(window.path).count("\r\n"), 14);
    }
};

QTEST_MAIN(TestReportsUi)
#include "test_reports_ui.moc"

