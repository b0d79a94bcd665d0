#include "printcheck.h"
#include "printing/payslipprint.h"
#include "testsupport.h"
#include "ui/qtcanvas.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

using namespace printcheck;

// Printing to a real CUPS queue whose device writes PDF files (scripts/print-queue sets it
// up), and reading back what came out of the print system.
class TestPrintingCups : public QObject
{
    Q_OBJECT
    QString m_queue;
    QString m_folder;   // where the queue writes this user's jobs
    QString m_refusing; // the queue the tests stop and make refuse jobs
    QTemporaryDir m_dir;

    // Runs a CUPS administration command; false when this user may not.
    static bool admin(const QString &command, const QString &queue)
    {
        return QProcess::execute(command, {queue}) == 0;
    }
    static bool isRoot() { return geteuid() == 0; }

private Q_SLOTS:
    void initTestCase();
    void payslipFromQueueLacksFrame();
    void refusingQueueReportedAsPrinted_data();
    void refusingQueueReportedAsPrinted();
};

void TestPrintingCups::initTestCase()
{
    // The set-up script starts the server and creates the queues when they are missing.
    QProcess setup;
    setup.start(QStringLiteral("bash"), {testsupport::dataPath(QStringLiteral("../../scripts/print-queue"))});
    const bool ran = setup.waitForFinished(60000) && setup.exitStatus() == QProcess::NormalExit && setup.exitCode() == 0;
    const QString error = QString::fromUtf8(setup.readAllStandardError()).trimmed();
    if (!ran) {
        // As root the print server can always be started: failing to is a fault, never a skip.
        if (isRoot())
            QFAIL(qPrintable(QStringLiteral("scripts/print-queue failed: ") + error));
        QSKIP(qPrintable(QStringLiteral("no print server can be started here (scripts/print-queue: ") + error +
                         QStringLiteral("); run scripts/print-queue as root once")));
    }
    const QStringList words = QString::fromUtf8(setup.readAllStandardOutput()).trimmed().split(u'\n').last().split(u' ');
    QCOMPARE(words.size(), 3);
    m_queue = words[0];
    m_folder = words[1] + u'/' + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
    m_refusing = words[2];
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(m_queue), "Qt does not list the queue");
}

void TestPrintingCups::payslipFromQueueLacksFrame()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(m_queue);
    QCOMPARE(printer.printerName(), m_queue);
    QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
    QtCanvas canvas(printer);
    // A number of its own, so that the file can be told from earlier jobs by its name too.
    const QString number = QStringLiteral("2002%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000, 5, 10, QLatin1Char('0'));
    const PrintResult r = Imprime(canvas, standardPayslip(number), standardOptions());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QVERIFY(canvas.lastJobId() > 0);

    // The queue names its files after the job's title, then "-job_" and the job number.
    const QString jobMark = QStringLiteral("job_%1.pdf").arg(canvas.lastJobId());
    QString pdf;
    QElapsedTimer waited;
    waited.start();
    while (pdf.isEmpty() && waited.elapsed() < 90000) {
        for (const QFileInfo &f : QDir(m_folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
            if (f.fileName().endsWith(jobMark) || f.fileName().contains(number))
                pdf = f.filePath();
        if (pdf.isEmpty() || pdfPages(pdf) < 0) {
            pdf.clear();
            QThread::msleep(200);
        }
    }
    QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no PDF of job %1 in %2 after 90 s")
                                            .arg(canvas.lastJobId()).arg(m_folder)));
    QCOMPARE(pdfPages(pdf), 2);
    const PagePlacement at = PagePlacement::of(printer, canvas, 150);
    for (int page : {1, 2})
        checkFrame(render(pdf, page, 150, m_dir.path()), at);
    QFile::remove(pdf);
}

void TestPrintingCups::refusingQueueReportedAsPrinted_data()
{
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("restart");
    QTest::addColumn<QString>("reason");
    QTest::newRow("refusing jobs") << "cupsreject" << "cupsaccept" << "la file d'impression « %1 » n'accepte pas de travaux";
    QTest::newRow("stopped") << "cupsdisable" << "cupsenable" << "l'imprimante « %1 » est arrêtée";
}

void TestPrintingCups::refusingQueueReportedAsPrinted()
{
    QFETCH(QString, stop);
    QFETCH(QString, restart);
    QFETCH(QString, reason);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(m_refusing);
    QCOMPARE(printer.printerName(), m_refusing);
    if (!admin(stop, m_refusing)) {
        if (isRoot())
            QFAIL(qPrintable(stop + QStringLiteral(" failed as root")));
        QSKIP("stopping a queue needs the rights of a print administrator (root or the lpadmin group)");
    }
    QtCanvas canvas(printer);
    const PrintResult r = Imprime(canvas, standardPayslip(), standardOptions());
    QVERIFY(admin(restart, m_refusing));
    QCOMPARE(r.status, PrintResult::Status::Failed);
    QCOMPARE(r.message, Canvas::refusedMessage(reason.arg(m_refusing)));
    QCOMPARE(canvas.lastJobId(), 0);
}

QTEST_MAIN(TestPrintingCups)
#include "test_printing_cups.moc"
