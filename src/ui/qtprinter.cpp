#include "ui/qtprinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

QtPrinter::QtPrinter(QPrinter &printer, QWidget *parent) : m_printer(printer), m_parent(parent), m_canvas(printer)
{
}

bool QtPrinter::printDialog(int &from, int &to)
{
    // Over the window that asked for it, which may be a report window above the frame.
    QWidget *over = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_parent;
    QPrintDialog dialog(&m_printer, over);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (from <= to)
        dialog.setMinMax(from, to);
    return dialog.exec() == QDialog::Accepted;
}
