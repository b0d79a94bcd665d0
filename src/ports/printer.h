#pragma once

#include "ports/canvas.h"

// The session's printer as the print commands reach it: the printer chosen with "&Configurer
// imprimante" (a CUPS queue or a PDF file), which every printout of the session then uses, and
// the platform's print dialog on it. The windows implement it with QtCanvas and Qt's print
// dialog on the frame's printer; tests with a recording canvas and a scripted dialog.
class Printer
{
public:
    virtual ~Printer() = default;

    // What the printouts draw on. Without any printer its jobs fail with
    // Canvas::noPrinterMessage().
    virtual Canvas &canvas() = 0;
    // The print dialog shown before the employee list, the envelopes of a range of employees and
    // the report grids. from and to come in as the range of pages (the employee positions 1 to
    // their number for a list); the dialog may narrow it. False when the user cancelled: nothing
    // is to be printed.
    virtual bool printDialog(int &from, int &to) = 0;
};
