#pragma once

#include "ports/printer.h"
#include "ui/qtcanvas.h"

class QPrinter;
class QWidget;

// The session's printer on Qt: the printouts drawn by QtCanvas on a QPrinter (the frame's,
// TMainForm::currentPrinter()), and Qt's print dialog on it, which lists the CUPS queues and
// offers printing to a PDF file. What is chosen in the dialog stays on the printer for the
// printouts that follow.
class QtPrinter : public Printer
{
public:
    explicit QtPrinter(QPrinter &printer, QWidget *parent = nullptr);

    Canvas &canvas() override { return m_canvas; }
    // The dialog does not offer the range: the whole range is printed.
    bool printDialog(int &from, int &to) override;

    // Qt's print dialog on printer, over parent, offering the CUPS queues and a PDF file and
    // opened on the choice made last; its button says okText when given ("Imprimer"
    // otherwise). True when confirmed: printer then holds the choice.
    static bool choose(QPrinter &printer, QWidget *parent, const QString &title = {}, const QString &okText = {});

private:
    QPrinter &m_printer;
    QWidget *m_parent;
    QtCanvas m_canvas;
};
