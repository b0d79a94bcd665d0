#include "ui/qtprinter.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

QtPrinter::QtPrinter(QPrinter &printer, QWidget *parent) : m_printer(printer), m_parent(parent), m_canvas(printer)
{
}

bool QtPrinter::choose(QPrinter &printer, QWidget *parent, const QString &title, const QString &okText)
{
    // Taken before the dialog exists: making it puts the printer back on a queue.
    const QString file = printer.outputFileName();
    const QString queue = printer.printerName();
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty();
    QPrintDialog dialog(&printer, parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    // Qt opens its dialog on the system's default queue even when a PDF file was chosen last
    // (the file name alone is kept): the file choice, which Qt adds last to the list when the
    // dialog shows, is chosen again once it is shown.
    if (toFile) {
        QMetaObject::invokeMethod(
            &dialog,
            [&dialog] {
                if (auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers")))
                    printers->setCurrentIndex(printers->count() - 1);
            },
            Qt::QueuedConnection);
    }
    if (!okText.isEmpty()) {
        if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
            if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(okText);
    }
    if (dialog.exec() == QDialog::Accepted)
        return true;
    // Cancelled: the printer stays the one chosen before.
    if (toFile) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    } else {
        printer.setPrinterName(queue);
    }
    return false;
}

bool QtPrinter::printDialog(int &, int &)
{
    // Over the window that asked for it, which may be a report window above the frame.
    QWidget *over = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_parent;
    return choose(m_printer, over);
}
