#include "fakewindows.h"
#include "printcheck.h"
#include "printing/payslipprint.h"
#include "testsupport.h"
#include "typing.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/pagebulletins.h"
#include "ui/pageemployes.h"
#include "ui/qtcanvas.h"

#include <QDir>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
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
    void payslipFromPageLacksFrame();
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

// A payslip of the standard profile calculated in the real windows, printed by the payslips
// page's "Imprimer" to the queue chosen for the session: what comes out of the print system
// has two pages, each with the frame's rules where they belong.
void TestPrintingCups::payslipFromPageLacksFrame()
{
    FakeWindows w;
    TMainForm form(&w, &w, &w, &w);
    form.start(m_dir.path());
    form.fiche().settings().payroll.socialSecurityCeiling = 2432;
    form.fiche().settings().amountFormat = QStringLiteral("0.00");
    typing::showActive(form);
    form.run(Cmd::Nouveau);
    TFiche *fiche = form.ficheWindow();
    auto type = [](QWidget *field, const QString &text) {
        field->setFocus();
        typing::keys(field, text);
    };
    type(fiche->employeePage()->findChild<QLineEdit *>("name"), QStringLiteral("DUPONT Jérôme"));
    type(fiche->employeePage()->findChild<QComboBox *>("profile")->lineEdit(), QStringLiteral("10001"));
    form.run(Cmd::NouveauBulletin);
    type(fiche->payslipsPage()->findChild<QLineEdit *>("hours"), QStringLiteral("151,67"));
    type(fiche->payslipsPage()->findChild<QLineEdit *>("rate"), QStringLiteral("10,5\n"));
    const PayslipForm &payslip = form.fiche().payslips().form();
    QCOMPARE(payslip.linesInUse, 26);

    QPrinter &printer = TMainForm::currentPrinter();
    printer.setPrinterName(m_queue);
    QCOMPARE(printer.printerName(), m_queue);
    // The queue names its files after the job's title ("Bulletin de paie " and the number).
    auto jobsOfPayslip = [&] {
        return QDir(m_folder).entryList({QStringLiteral("*%1*.pdf").arg(payslip.number)}, QDir::Files);
    };
    for (const QString &earlier : jobsOfPayslip())
        QFile::remove(m_folder + u'/' + earlier);
    fiche->payslipsPage()->printButton()->click();
    QCOMPARE(w.messages(), QStringList());

    QString pdf;
    QElapsedTimer waited;
    waited.start();
    while (pdf.isEmpty() && waited.elapsed() < 90000) {
        if (const QStringList found = jobsOfPayslip(); !found.isEmpty() && pdfPages(m_folder + u'/' + found.first()) > 0)
            pdf = m_folder + u'/' + found.first();
        else
            QThread::msleep(200);
    }
    QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no PDF of payslip %1 in %2 after 90 s").arg(payslip.number, m_folder)));
    QCOMPARE(pdfPages(pdf), 2);
    const QtCanvas probe(printer);
    const PagePlacement at = PagePlacement::of(printer, probe, 150);
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
