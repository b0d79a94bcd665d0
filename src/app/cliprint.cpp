// korvel-cli print: the payslip drawn by the program's own printing code (Imprime) on a
// QPrinter, into a PDF file or onto a CUPS queue.

#include "app/clicommands.h"
#include "app/clisupport.h"
#include "printing/payslipprint.h"
#include "ui/qtcanvas.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace cli {

int print(const QStringList &args)
{
    const QString pdfOption = QStringLiteral("--pdf");
    const QString queueOption = QStringLiteral("--printer");
    Arguments a;
    if (!parseArguments(args, {}, {pdfOption, queueOption}, a) || a.words.size() != 2
        || a.has(pdfOption) == a.has(queueOption))
        return badArguments(QStringLiteral("print"));
    Dossier dossier;
    Settings settings;
    PayslipForm form;
    if (const int status = openPayslip(a.words[0], a.words[1], dossier, settings, form))
        return status;
    Letterhead letterhead;
    if (const int status = readLetterhead(letterhead))
        return status;
    const PayslipPrintOptions options = PayslipPrintOptions::from(letterhead.lines(), settings.pageSetup.paperType,
                                                                  settings.payroll, settings.amountFormat);
    QPrinter printer(QPrinter::HighResolution);
    const bool toFile = a.has(pdfOption);
    if (toFile) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        // The payslip is laid out for the paper of French offices, whatever the locale.
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(QFileInfo(a.value(pdfOption)).absoluteFilePath());
    } else {
        const QString queue = a.value(queueOption);
        printer.setPrinterName(queue);
        // Qt keeps the default queue for a name it does not know: the job would go elsewhere.
        if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != queue) {
            const QString reason = QPrinterInfo::availablePrinterNames().isEmpty()
                ? QStringLiteral("le serveur d'impression ne répond pas ou n'a aucune file d'impression")
                : QStringLiteral("la file d'impression « %1 » n'existe pas").arg(queue);
            return fail(Canvas::refusedMessage(reason), Refused);
        }
    }
    QtCanvas canvas(printer);
    const PrintResult printed = Imprime(canvas, form, options);
    if (!printed.ok())
        return fail(printed.message, Refused);
    if (toFile)
        out() << "Bulletin " << form.number << " imprimé dans " << a.value(pdfOption) << "\n";
    else
        out() << "Bulletin " << form.number << " envoyé à la file " << a.value(queueOption) << " (travail "
              << canvas.lastJobId() << ")\n";
    out().flush();
    return Done;
}

} // namespace cli
