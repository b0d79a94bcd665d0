#pragma once

#include "ports/canvas.h"

#include <QString>

// Layout millimetres. A printout placed in whole millimetres goes through these: a whole
// number of device pixels per millimetre (the quotient is truncated, so a layout millimetre
// is a little shorter than a real one: 23 pixels at 600 dpi instead of 23.62), and every
// vertical position shifted down by 3 units. The scale is that of the current orientation.
int Mh(const Canvas &canvas, int x);
int Mv(const Canvas &canvas, int y);
// The pixels per layout millimetre across and down.
int scaleH(const Canvas &canvas);
int scaleV(const Canvas &canvas);

// The outcome of a printout, for the command that started it.
struct PrintResult {
    enum class Status {
        Printed,
        // Nothing to print (an empty range of employees, the print dialog cancelled): no job.
        NothingPrinted,
        // Not printed: message says why (no printer, a refused job, an amount that is not a
        // number). The caller shows it.
        Failed,
    };
    Status status = Status::Printed;
    QString message;

    bool ok() const { return status == Status::Printed; }
    static PrintResult printed() { return {}; }
    static PrintResult nothing() { return {Status::NothingPrinted, {}}; }
    static PrintResult failed(const QString &message) { return {Status::Failed, message}; }
};
