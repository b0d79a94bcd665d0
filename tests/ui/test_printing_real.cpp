#include "fakewindows.h"
#include "printcheck.h"
#include "printing/pagesetup.h"
#include "testsupport.h"
#include "typing.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/mpage.h"
#include "ui/pagebulletins.h"
#include "ui/pageemployes.h"
#include "ui/qtcanvas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QPrinterInfo>
#include <QThread>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

using namespace printcheck;

// Printing for real: to a CUPS queue whose device writes PDF files (scripts/print-queue sets it
// up), and to a PDF file, both read back with poppler's tools; and the window "Mise en page".
// As root (in CI) the print server can always be started: failing to is a fault there, never a
// skip.
class TestPrintingReal : public QObject
{
    Q_OBJECT
    QString m_noQueue;  // why no queue could be set up
    QString m_queue;
    QString m_folder;   // where the queue writes this user's jobs
    QString m_refusing; // the queue the tests stop and make refuse jobs
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QProcess setup;
        setup.start(u"bash"_s, {testsupport::dataPath(u"../../scripts/print-queue"_s)});
        const bool ran = setup.waitForFinished(60000) && setup.exitStatus() == QProcess::NormalExit && setup.exitCode() == 0;
        const QString error = QString::fromUtf8(setup.readAllStandardError()).trimmed();
        if (!ran && geteuid() == 0)
            QFAIL(qPrintable(u"scripts/print-queue failed: "_s + error));
        m_noQueue = u"no print server can be started here (scripts/print-queue: "_s + error + u"); run it as root once"_s;
        if (!ran)
            return;
        m_noQueue.clear();
        const QStringList words = QString::fromUtf8(setup.readAllStandardOutput()).trimmed().split(u'\n').last().split(u' ');
        QCOMPARE(words.size(), 3);
        m_queue = words[0];
        m_folder = words[1] + u'/' + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
        m_refusing = words[2];
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(m_queue), "Qt does not list the queue");
    }

    // A payslip of the standard profile calculated in the real windows, printed by the
    // payslips page's "Imprimer" to the queue chosen for the session: what comes out of the
    // print system is one page, with the frame's rules where they belong.
    void payslipFromPageLacksFrame()
    {
        if (!m_noQueue.isEmpty())
            QSKIP(qPrintable(m_noQueue));
        FakeWindows w;
        TMainForm form(&w, &w, &w, &w);
        form.start(m_dir.path());
        form.fiche().settings().payroll.socialSecurityCeiling = 2432;
        form.fiche().settings().amountFormat = u"0.00"_s;
        typing::showActive(form);
        form.run(Cmd::Nouveau);
        TFiche *fiche = form.ficheWindow();
        typing::typeInto(typing::child(fiche->employeePage(), "name"), u"DUPONT Jérôme"_s);
        typing::typeInto(typing::child<QComboBox>(fiche->employeePage(), "profile")->lineEdit(), u"10001"_s);
        form.run(Cmd::NouveauBulletin);
        typing::typeInto(typing::child(fiche->payslipsPage(), "hours"), u"151,67"_s);
        typing::typeInto(typing::child(fiche->payslipsPage(), "rate"), u"10,5\n"_s);
        const PayslipForm &payslip = form.fiche().payslips().form();
        QCOMPARE(payslip.linesInUse, 26);
        QPrinter &printer = TMainForm::currentPrinter();
        printer.setPrinterName(m_queue);
        QCOMPARE(printer.printerName(), m_queue);
        // The queue names its files after the job's title ("Bulletin de paie " and the number).
        auto jobsOfPayslip = [&] { return QDir(m_folder).entryList({u"*%1*.pdf"_s.arg(payslip.number)}, QDir::Files); };
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
        QVERIFY2(!pdf.isEmpty(), qPrintable(u"no PDF of payslip %1 in %2 after 90 s"_s.arg(payslip.number, m_folder)));
        QCOMPARE(pdfPages(pdf), 1);
        const QtCanvas probe(printer);
        checkFrame(render(pdf, 1, 150, m_dir.path()), PagePlacement::of(printer, probe, 150));
        QFile::remove(pdf);
    }


    // A queue that refuses jobs, or is stopped: the print fails with the system's reason and
    // no job is left.
    void refusingQueueReportedAsPrinted()
    {
        if (!m_noQueue.isEmpty())
            QSKIP(qPrintable(m_noQueue));
        for (auto [stop, restart, reason] :
             {std::tuple(u"cupsreject"_s, u"cupsaccept"_s, u"la file d'impression « %1 » n'accepte pas de travaux"_s),
              std::tuple(u"cupsdisable"_s, u"cupsenable"_s, u"l'imprimante « %1 » est arrêtée"_s)}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setPrinterName(m_refusing);
            if (QProcess::execute(stop, {m_refusing}) != 0) {
                if (geteuid() == 0)
                    QFAIL(qPrintable(stop + u" failed as root"_s));
                QSKIP("stopping a queue needs the rights of a print administrator (root or the lpadmin group)");
            }
            QtCanvas canvas(printer);
            const PrintResult r = Imprime(canvas, standardPayslip(), standardOptions());
            QVERIFY(QProcess::execute(restart, {m_refusing}) == 0);
            QCOMPARE(r.message, Canvas::refusedMessage(reason.arg(m_refusing)));
            QCOMPARE(canvas.lastJobId(), 0);
        }
    }

    // The standard payslip's one page holds its 26 lines above the totals, and its frame where
    // the layout puts it, at both printer resolutions.
    void payslipMissingOrMisplacedInPdf()
    {
        for (int resolution : {1200, 300}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setResolution(resolution);
            printer.setOutputFileName(path(u"bulletin%1.pdf"_s.arg(resolution)));
            QtCanvas canvas(printer);
            const PrintResult r = Imprime(canvas, standardPayslip(), standardOptions());
            QVERIFY2(r.ok(), qPrintable(r.message));
            QCOMPARE(pdfPages(printer.outputFileName()), 1);
            const QString text = QString::fromUtf8(run(u"pdftotext"_s, {u"-layout"_s, printer.outputFileName(), u"-"_s}));
            // Read in order: the last line comes before the totals' caption (that every text is
            // printed is korvel-cli's print test).
            const qsizetype last = text.indexOf(u"Cotisation n°26 à taux réduit"_s);
            QVERIFY(last >= 0 && last < text.indexOf(u"Total des Retenues"_s));
            checkFrame(render(printer.outputFileName(), 1, 150, m_dir.path()), PagePlacement::of(printer, canvas, 150));
        }
    }

    // A PDF output without a file is what a QPrinter is when the system has no printer at
    // all. Nothing printed means the next print works.
    void unwritablePdfReportedAsPrinted()
    {
        writeBytes(path(u"fichier"_s), {});
        // A folder in the file's place is korvel-cli's print test (tests/cli/print.sh).
        for (auto [file, message] : {std::pair(u""_s, u"Aucune imprimante par défaut sélectionnée"_s),
                                     std::pair(u"fichier/bulletin.pdf"_s,
                                               u"Impossible d'imprimer : le fichier « %1 » ne peut pas être écrit"_s)}) {
            QPrinter printer(QPrinter::HighResolution);
            const QString target = file.isEmpty() ? QString() : path(file);
            printer.setOutputFileName(target);
            printer.setOutputFormat(QPrinter::PdfFormat); // after the name, which an empty one would undo
            QtCanvas canvas(printer);
            if (!target.isEmpty())
                QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
            const PrintResult r = Imprime(canvas, standardPayslip(), standardOptions());
            QCOMPARE(r.status, PrintResult::Status::Failed);
            QCOMPARE(r.message, message.contains(u'%') ? message.arg(target) : message);
            printer.setOutputFileName(path(u"ensuite.pdf"_s));
            QVERIFY(Imprime(canvas, standardPayslip(), standardOptions()).ok());
        }
        // An abandoned job leaves no half-drawn file.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(u"abandon.pdf"_s));
        QtCanvas canvas(printer);
        QVERIFY(canvas.beginJob(u"essai"_s));
        canvas.text(100, 100, u"moitié"_s);
        canvas.abortJob();
        QVERIFY(!QFile::exists(printer.outputFileName()));
    }

    // "Mise en page" shows the stored choices; Enter keeps the choices clicked, Escape keeps
    // nothing.
    void pageSetupWindowShowsOrKeepsWrongChoices()
    {
        TMPage shown;
        shown.Init(2, 1, true);
        QVERIFY(shown.paperChoice(1)->isChecked() && shown.orientationChoice(1)->isChecked() && shown.guideBox()->isChecked());
        for (auto [key, kept] : {std::pair(Qt::Key_Return, QList<int>{0, 1, 0}), std::pair(Qt::Key_Escape, QList<int>{1, 0, 100})}) {
            int paper = 1, orientation = 0, guide = 100;
            const bool changed = ParM(paper, orientation, guide, [key](PageSetupModel &m) {
                QTimer::singleShot(0, [key] {
                    auto *w = qobject_cast<TMPage *>(QApplication::activeModalWidget());
                    QVERIFY(w);
                    w->paperChoice(0)->click();
                    w->orientationChoice(1)->click();
                    w->guideBox()->click();
                    QTest::keyClick(w, key);
                });
                return TMPage::edit(m);
            });
            QCOMPARE(changed, key == Qt::Key_Return);
            QCOMPARE((QList<int>{paper, orientation, guide}), kept);
        }
    }
};

QTEST_MAIN(TestPrintingReal)
#include "test_printing_real.moc"
