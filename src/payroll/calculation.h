#pragma once

#include "store/codeindex.h"
#include "payroll/parameters.h"
#include "ports/status.h"
#include "records/payslipform.h"
#include "records/profileform.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

struct EmployeeForm;

// The payslip calculation (Calculeb): from the hours, the rate, the ticks and the overtime of a
// payslip, its employee's profile and the payroll parameters, every line's base and amounts,
// "Total retenues", "NET A PAYER", "Net imposable", "Cumul" and the gross pay.
//
// How the callers use it:
//
//   - The payslips page, on "Calculer bulletin" / the tool button "Calculer" (Recalcule) and on
//     Enter in any of its fields: write nothing back first; if isCalculable(form) is false do
//     nothing (the command is unavailable on a validated payslip, Enter is skipped); else call
//     calculatePayslip; when it is refused show its message in a message box; either way
//     refresh the page from the form (the dossier is marked modified only when it is done).
//   - korvel-cli calc: LitBulletin, the same guard (exit 1 on a validated payslip), the same
//     call (exit 1 with its message when refused), then print form.blockLines() and, with
//     --save, EcritBulletin.
//
// Both find the payslip's employee and its profile with findPayslipEmployee, through the
// collections' indexes by employeeKey, so that they give the same lines and the calculation
// costs the same on any size of dossier. A refused calculation leaves the payslip exactly as
// it was.

// A payslip is recalculated (by Enter or by the command) only while it is not validated.
inline bool isCalculable(const PayslipForm &form)
{
    return !form.validated;
}

// The key that matches a payslip's "N° employé" with an employee's code: trimmed, without
// regard to case. Index the employees by it.
QString employeeKey(const QString &code);

// The base of a rubrique from its base kind (the letter, trimmed, compared case-sensitively):
// "T" or empty the gross, "S" and "U" 95 % of it, "A", "B", "C" the gross capped at 1, 4 and 8
// times the ceiling. False for any other text, which is not a base kind.
bool baseOfKind(const QString &kind, double gross, double ceiling, double *base);

// The refill (Remplit): the profile's rubriques, in order, become lines 1 onward (label, base
// letter, employee rate, employer rate, amounts empty); every later line is emptied; the lines
// in use are the rubriques (at most the payslip's 63 lines).
void Remplit(PayslipForm &form, const QList<Rubrique> &rubriques);

// Calculates form with rubriques, the profile of the payslip's own employee, and
// storedCumul, that employee's "Cumul" read as a number (0 when it is empty). amountFormat:
// "#", "0.0", "0.00", or empty for the general form.
//
// Refused, with form left exactly as it was:
//   - a period whose start or end is not a date, or that ends before it starts: "La période
//     du 01/03/2002 au 31/02/2002 n'est pas valide" (the texts as the payslip holds them);
//   - a numeric input (hours, rate, the three overtime fields, transport, advances; empty or
//     blank is 0) that does not read as a number: the conversion message of the first one;
//   - a rubrique of base A, B or C while the ceiling is 0: ceilingMessage();
//   - a result that is not a number, or whose size is kAmountLimit or more:
//     outOfRangeMessage().
// Otherwise form is refilled and calculated, its computed overtime fields are written in the
// general number form (and marked computed), and it is marked edited. Every line in use is
// calculated (an entirely empty one is passed over); an amount of 0 or less leaves its cell
// empty. The results add up as they are written: the total of deductions is the sum of the
// "Retenue" cells, the net to pay is the gross as written less that total plus transport less
// advances, the taxable net adds the "S" deductions as written to the net, the cumul adds it
// to storedCumul.
Status Calculeb(PayslipForm &form, const PayrollParameters &params, const QString &amountFormat,
                const QList<Rubrique> &rubriques, double storedCumul);

// Amounts are held to their last decimal below a thousand billion (15 significant digits
// with 3 decimals); past it the cents are noise and the texts outgrow a payslip line.
inline constexpr double kAmountLimit = 1e12;

// The refusals' messages.
QString ceilingMessage();      // "Le plafond S.S. est à 0 : renseignez-le dans Paramètres de la paie"
QString outOfRangeMessage();   // "Montant hors limites"
QString periodMessage(const PayslipForm &form);

// Hours or rate changed on the page: the overtime fields the calculation filled in are
// emptied, so that the next calculation works them out again from the new hours; typed ones
// stay. True when a field was emptied.
bool forgetComputedOvertime(PayslipForm &form);

// The payslip's own employee as the calculation needs it.
struct PayslipEmployee {
    // The employee's profile code, and the rubriques of that profile; none when the profile
    // is not found.
    QString profileCode;
    std::optional<QList<Rubrique>> rubriques;
    double storedCumul = 0;
    // Not empty when the employee's record cannot be used: the calculation is refused with
    // this message and the payslip left as it was.
    QString refusal;
};
// Finds the employee whose employeeKey is key; nullopt when there is none.
using PayslipEmployeeLookup = std::function<std::optional<PayslipEmployee>(const QString &key)>;

// The payslip's own employee in a dossier, as "Calculer bulletin" and korvel-cli calc both
// find it: the employee block whose code is key, the rubriques of the profile block whose
// code is that employee's profile code (both through the collections' code index), and its
// cumul (empty: 0). shown is the employees page's form of the current employee block, when
// there is one: while it is edited it stands for that block, so that what is being typed
// counts. A cumul that does not read as a number refuses the calculation with the
// conversion message ("'12a' n'est pas une valeur numérique correcte"): a payslip's cumul is
// never built on a value the user did not see. nullopt when no employee has that code.
std::optional<PayslipEmployee> findPayslipEmployee(const Collection &employees, const Collection &profiles,
                                                  const QString &key, const EmployeeForm *shown = nullptr);
// findPayslipEmployee for many calculations in one operation (the month's payroll, a
// validation): each profile is read once, the employees at every call, since a validation
// changes their cumul. The collections outlive the lookup, and its profiles do not change
// while it is used.
PayslipEmployeeLookup dossierEmployeeLookup(const Collection &employees, const Collection &profiles);

// Calculeb with the payslip's own employee found through lookup: what "Calculer bulletin",
// Enter on the payslips page, "Valider" and korvel-cli calc all run. Refused, with the
// payslip left as it was, when no employee has the payslip's code ("Employé 10001
// introuvable"), when that employee's profile does not exist ("Profil 10002 introuvable
// (employé 10001)"), or for the employee's refusal; then as Calculeb.
Status calculatePayslip(PayslipForm &form, const PayrollParameters &params, const QString &amountFormat,
                        const PayslipEmployeeLookup &lookup);
