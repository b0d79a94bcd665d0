#include "printcheck.h"
#include "printing/payslipprint.h"
#include "ui/qtcanvas.h"
#include "ui/qtprinter.h"

#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace printcheck;

// Printing to a PDF file through QtCanvas, read back with pdftotext and pdftoppm.
class TestPrintingPdf : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void payslipTextMissingFromPdf();
    void frameNotAtLayoutPositions_data();
    void frameNotAtLayoutPositions();
    void unwritablePdfReportedAsPrinted_data();
    void unwritablePdfReportedAsPrinted();
    void abandonedJobLeavesHalfDrawnFile();
    void printDialogForgetsPdfFile();
};

void TestPrintingPdf::payslipTextMissingFromPdf()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path(QStringLiteral("bulletin.pdf")));
    QtCanvas canvas(printer);
    const PayslipForm p = standardPayslip();
    const PrintResult r = Imprime(canvas, p, standardOptions());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(pdfPages(printer.outputFileName()), 2);
    const QString text = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), printer.outputFileName(), QStringLiteral("-")}));
    QStringList wanted{QStringLiteral("BULLETIN DE PAIE"), QStringLiteral("DUPONT Jérôme"),
                       QStringLiteral("1187,45 Euros"), QStringLiteral("Page 2/2")};
    for (int i = 0; i < p.linesInUse; ++i)
        wanted << p.lines[i].label;
    for (const QString &w : wanted)
        QVERIFY2(text.contains(w), qPrintable(QStringLiteral("missing from the PDF: ") + w));
}

void TestPrintingPdf::frameNotAtLayoutPositions_data()
{
    QTest::addColumn<int>("resolution");
    QTest::newRow("1200 dpi") << 1200;
    QTest::newRow("300 dpi") << 300;
}

void TestPrintingPdf::frameNotAtLayoutPositions()
{
    QFETCH(int, resolution);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(resolution);
    printer.setOutputFileName(path(QStringLiteral("cadre%1.pdf").arg(resolution)));
    QtCanvas canvas(printer);
    QVERIFY(Imprime(canvas, standardPayslip(), standardOptions()).ok());
    const PagePlacement at = PagePlacement::of(printer, canvas, 150);
    for (int page : {1, 2})
        checkFrame(render(printer.outputFileName(), page, 150, m_dir.path()), at);
}

void TestPrintingPdf::unwritablePdfReportedAsPrinted_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    // What a QPrinter is when the system has no printer at all: PDF output without a file.
    QTest::newRow("no file name: no printer") << "" << "Aucune imprimante par défaut sélectionnée";
    QTest::newRow("a folder") << "dossier" << "Impossible d'imprimer : « %1 » est un dossier";
    QTest::newRow("under a regular file") << "fichier/bulletin.pdf"
                                          << "Impossible d'imprimer : le fichier « %1 » ne peut pas être écrit";
}

void TestPrintingPdf::unwritablePdfReportedAsPrinted()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("dossier")));
    QFile regular(path(QStringLiteral("fichier")));
    QVERIFY(regular.open(QIODevice::WriteOnly));
    regular.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString target = file.isEmpty() ? QString() : path(file);
    printer.setOutputFileName(target);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QtCanvas canvas(printer);
    if (!target.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    const PrintResult r = Imprime(canvas, standardPayslip(), standardOptions());
    QCOMPARE(r.status, PrintResult::Status::Failed);
    QCOMPARE(r.message, message.contains(u'%') ? message.arg(target) : message);
    // Nothing printed means the next print works.
    printer.setOutputFileName(path(QStringLiteral("ensuite.pdf")));
    QVERIFY(Imprime(canvas, standardPayslip(), standardOptions()).ok());
}

void TestPrintingPdf::abandonedJobLeavesHalfDrawnFile()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path(QStringLiteral("abandon.pdf")));
    QtCanvas canvas(printer);
    QVERIFY(canvas.beginJob(QStringLiteral("essai")));
    canvas.text(100, 100, QStringLiteral("moitié"));
    canvas.abortJob();
    QVERIFY(!QFile::exists(printer.outputFileName()));
}

// The session's print dialog opens on the PDF file chosen last, and cancelling it keeps that
// choice for the printouts without a dialog (Qt's own dialog goes back to a queue).
void TestPrintingPdf::printDialogForgetsPdfFile()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path(QStringLiteral("choisi.pdf")));
    QtPrinter session(printer);
    bool fileShown = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        auto *printers = dialog ? dialog->findChild<QComboBox *>(QStringLiteral("printers")) : nullptr;
        if (!printers)
            return;
        timer.stop();
        fileShown = printers->currentIndex() == printers->count() - 1;
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    timer.start(50);
    int from = 1, to = 1;
    QVERIFY(!session.printDialog(from, to));
    QVERIFY(fileShown);
    QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(printer.outputFileName(), path(QStringLiteral("choisi.pdf")));
}

QTEST_MAIN(TestPrintingPdf)
#include "test_printing_pdf.moc"
