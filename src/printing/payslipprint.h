#pragma once

#include "payroll/parameters.h"
#include "records/payslipform.h"
#include "printing/canvas.h"

#include <QStringList>

// Printing a payslip: the frame with its rules and captions (Dessin), the company letterhead
// (EnTete) and the payslip's own data, lines and totals (ImpPaie), placed in layout
// millimetres. Everything printed is the text of the payslip page as it stands: printing
// neither recalculates nor saves the payslip.

// What the payslip needs besides its form.
struct PayslipPrintOptions {
    // The seven lines of the company letterhead (Korvel.soc); missing lines print nothing.
    QStringList letterhead;
    // The page set-up's paper type: 0 white paper (frame and letterhead), 1 letterhead paper
    // (frame only), any other value (only through the settings file) the data alone.
    int paperType = 0;
    // "C.P. inclus" and "Précarité" of the payroll parameters, and the amount format they are
    // written with ("#", "0.0", "0.00"; empty for the general form).
    double paidLeaveIncludedPercent = 0;
    double precarityPercent = 0;
    QString amountFormat;

    // From the dossier window's state: the letterhead (Korvel.soc), the paper type (line 4 of
    // Korvel.ini), the payroll parameters and the amount format in force.
    static PayslipPrintOptions from(const QStringList &letterhead, int paperType, const PayrollParameters &params,
                                    const QString &amountFormat)
    {
        return {letterhead, paperType, params.paidLeaveIncludedPercent, params.precarityPercent, amountFormat};
    }
};

// The frame holds this many lines, the most a profile has: up to kPayslipRoomyLines they are
// printed 5 apart from y 115 in "Arial" 10; more share the room between the caption rule and
// the totals rule, closer together and in a smaller type (never under kPayslipSmallestPoints).
// A payslip with more continues on further pages, each repeating the frame, the letterhead,
// the particulars, "Paie N°" and the column captions. The totals, the net band, "Net
// imposable", the transport allowance, the advances and the cumul are printed on the last
// page only, so nothing is ever printed over the totals.
inline constexpr int kPayslipLinesPerPage = 31;
inline constexpr int kPayslipRoomyLines = 20;
inline constexpr int kPayslipSmallestPoints = 7;

// The sums of the employee and employer amounts of the lines as printed (trimmed texts read
// with ","; empty texts add nothing).
struct PayslipTotals {
    double employee = 0;
    double employer = 0;
};

// Reads every amount of the payslip's lines in use. False when one is not a number: error
// then holds "'" + its trimmed text + "' n'est pas une valeur flottante correcte".
bool payslipTotals(const PayslipForm &payslip, PayslipTotals &totals, QString *error = nullptr);
// 1 for 0 to 31 lines, then one more page per 31 lines.
int payslipPageCount(const PayslipForm &payslip);
// The message for an amount that is not a number.
QString floatConversionMessage(const QString &text);

// The command "Imprimer" of the payslip page, "&Imprimer bulletin" and the frame's print
// command on the payslips page: prints the payslip in portrait, one copy, as one job named
// "Bulletin de paie " + its number. Every amount is read before the job begins: an amount
// that is not a number fails with its message and no job is started. A job the printer
// layer refuses fails with its message (Canvas::error()).
PrintResult Imprime(Canvas &canvas, const PayslipForm &payslip, const PayslipPrintOptions &options);
// The month's payslips, one after the other in one job named title; nothing is printed when
// one of them has an amount that is not a number.
PrintResult Imprime(Canvas &canvas, const QList<PayslipForm> &payslips, const PayslipPrintOptions &options,
                    const QString &title);

// The parts of a page, for a page being printed: the frame (pen of 2 pixels, white-filled
// rectangles, then the rules, then the captions; ends with "Arial" 10 regular), the seven
// letterhead lines, and page `page` (0-based) of the payslip's data.
void Dessin(Canvas &canvas);
void EnTete(Canvas &canvas, const QStringList &letterhead);
void ImpPaie(Canvas &canvas, const PayslipForm &payslip, const PayslipPrintOptions &options,
             const PayslipTotals &totals, int page);
