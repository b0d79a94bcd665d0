#include "fakeclock.h"
#include "reports/journal.h"
#include "reportsupport.h"
#include "testsupport.h"
#include "ui/compta.h"
#include "ui/graph.h"
#include "ui/stats.h"
#include "ui/typing.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using namespace reportsupport;

namespace {

// Runs act while a timer answers the next modal window with answer(window), which closes it.
template <class Answer>
void whileModal(const std::function<void()> &act, Answer answer)
{
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            timer.stop();
            answer(w);
        }
    });
    timer.start();
    act();
}

// The print dialog answered by printing to a PDF file, or cancelled.
template <class Window>
class PrintsToPdf : public Window
{
public:
    using Window::Window;
    QString pdf;

protected:
    bool choosePrinter(QPrinter &printer) override
    {
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
};

class ExportsTo : public TCompta
{
public:
    using TCompta::TCompta;
    QString path;

protected:
    QString exportFileName() override { return path; }
};

QString pdfInfo(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReportsUi : public QObject
{
    Q_OBJECT
    FakeClock m_clock;
    QTemporaryDir m_dir;
    QPrinter m_printer{QPrinter::HighResolution};

    static QStringList caisseList()
    {
        return statistiques(StatsKind::Caisses, payslips(threeMonths()), Collection(), caisses(), "0.00");
    }

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    // Amounts stand right-justified in their column; the header too.
    void amountsNotRightJustified()
    {
        TStatsC window(caisseList(), m_printer);
        QTableWidget *grid = window.grid();
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("A"));
        const QString amount = grid->item(0, 3)->text();
        QVERIFY2(amount.startsWith(u' ') && amount.trimmed() == u"5,00", qPrintable(amount));
        const int width = grid->fontMetrics().horizontalAdvance(amount);
        QVERIFY2(width > 80 && width <= 80 + grid->fontMetrics().horizontalAdvance(u' '), qPrintable(amount));
        QVERIFY(grid->horizontalHeaderItem(3)->text().startsWith(u' '));
        QCOMPARE(grid->rowCount(), 63);
    }

    // "Graphique" opens the chart of the chart column; Escape closes each window.
    void chartButtonNotShowingChartColumn()
    {
        TStatsC window(caisseList(), m_printer);
        typing::showActive(window);
        QList<int> values;
        whileModal([&] { window.findChild<QToolButton *>("graphique")->click(); },
                   [&](QWidget *w) {
                       auto *graph = qobject_cast<TGraph *>(w);
                       QVERIFY(graph);
                       values = graph->chart().values();
                       QTest::keyClick(graph, Qt::Key_Escape);
                   });
        QCOMPARE(values, (QList<int>{0, 12, 28, 1}));
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // The surface shows the frame, the axes and full-height bars in blue.
    void chartSurfaceNotPainted()
    {
        Chart chart;
        QVERIFY(chart.Init({"100", "50"}));
        TGraph graph(chart);
        QCOMPARE(graph.surface()->size(), QSize(559, 321));
        const QImage img = graph.surface()->grab().toImage();
        QCOMPARE(img.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(img.pixelColor(558, 320), QColor(Qt::black));
        QCOMPARE(img.pixelColor(300, 100), QColor(Qt::white));
        QCOMPARE(img.pixelColor(25, 30), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(40, 170), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(40, 150), QColor(Qt::white));
        QCOMPARE(img.pixelColor(300, 300), QColor(Qt::black));
    }

    // "Imprimer" goes through the print dialog: cancelled, nothing; confirmed, the grid is
    // printed under the statistic's job title.
    void printButtonNotThroughDialog()
    {
        PrintsToPdf<TStatsC> window(caisseList(), m_printer);
        window.findChild<QToolButton *>("imprimer")->click();
        window.pdf = m_dir.filePath("stats.pdf");
        QVERIFY(!QFile::exists(window.pdf));
        window.findChild<QToolButton *>("imprimer")->click();
        QVERIFY(pdfInfo(window.pdf).contains(QStringLiteral("Statistiques caisses au 20/10/1998")));

        PrintsToPdf<TCompta> journal(Journal(payslips(threeMonths()), Comptes(Collection())), m_printer);
        journal.pdf = m_dir.filePath("journal.pdf");
        journal.findChild<QToolButton *>("imprimer")->click();
        QVERIFY(pdfInfo(journal.pdf).contains(QStringLiteral("Statistiques ventes au 20/10/1998")));
    }

    // Enter in a date field shows the entries between the dates typed.
    void enterNotRefillingJournal()
    {
        TCompta window(Journal(payslips(threeMonths()), Comptes(Collection())), m_printer);
        typing::showActive(window);
        QCOMPARE(window.grid()->item(0, 2)->text(), QStringLiteral("31/01/2002"));
        auto *du = window.findChild<QDateEdit *>("du");
        du->setFocus();
        du->setDate(QDate(2002, 3, 1));
        QTest::keyClick(du, Qt::Key_Return);
        QVERIFY(window.isVisible());
        QCOMPARE(window.model().count(), 6);
        QCOMPARE(window.grid()->item(0, 2)->text(), QStringLiteral("31/03/2002"));
        QCOMPARE(window.grid()->item(6, 2)->text(), QString());
    }

    // A failed export is reported with the file's full name and the window stays open.
    void failedExportNotReported()
    {
        ExportsTo window(Journal(payslips(threeMonths()), Comptes(Collection())), m_printer);
        typing::showActive(window);
        QVERIFY(QDir(m_dir.path()).mkpath("dossier"));
        window.path = m_dir.filePath("dossier");
        QString shown;
        whileModal([&] { window.findChild<QToolButton *>("exporter")->click(); },
                   [&](QWidget *w) {
                       auto *box = qobject_cast<QMessageBox *>(w);
                       QVERIFY(box);
                       shown = box->text();
                       box->button(QMessageBox::Ok)->click();
                   });
        QCOMPARE(shown, QStringLiteral("Impossible d'enregistrer le fichier ") + QDir::toNativeSeparators(window.path));
        QVERIFY(window.isVisible());
        window.path = m_dir.filePath("Journal.txt");
        window.findChild<QToolButton *>("exporter")->click();
        QCOMPARE(fileBytes(window.path).count("\r\n"), 14);
    }
};

QTEST_MAIN(TestReportsUi)
#include "test_reports_ui.moc"
