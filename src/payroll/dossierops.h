#pragma once

#include "payroll/calculation.h"
#include "payroll/parameters.h"
#include "ports/status.h"

#include <QString>

class Dossier;

// The operations that cross records. Each changes exactly its own fields in the records it
// touches, straight in their blocks, never through a page's form, and leaves the dossier
// consistent: what it refuses, it refuses before anything is written. The pages write their
// shown records back first, call the operation, then read what they show again; korvel-cli
// calls the same operations. None marks the dossier modified: the caller does, on success.
namespace dossierops {

// "Un bulletin validé ne peut pas être supprimé"
QString validatedDeletionMessage();

// "Valider" of the payslip in block `payslip`:
// - refused when it is already validated ("Ce bulletin est déjà validé");
// - the payslip is calculated first, as "&Calculer bulletin" does (calculatePayslip); a
//   refused calculation refuses the validation with its message;
// - refused when its employee's cumul or its "Net imposable" or "NET A PAYER" does not read
//   as a number (the conversion message);
// - then its employee's cumul becomes the stored cumul plus the payslip's "Net imposable"
//   (amountFormat, right-aligned), one history row is appended to that employee (today,
//   "Paie N°" and the payslip number, the net to pay; when the 63 rows are full the oldest
//   one goes), and the payslip is written calculated, with that cumul, validated. Nothing
//   else of either record changes.
// employee, when given, receives the employee's block. lookup, when given, finds the
// payslip's employee (a run of validations shares one dossierEmployeeLookup); by default
// findPayslipEmployee in the dossier.
Status Valider(Dossier &dossier, int payslip, const PayrollParameters &params, const QString &amountFormat,
               int *employee = nullptr, const PayslipEmployeeLookup &lookup = {});

// The part of Valider that follows the calculation, for a payslip form just calculated (the
// month's payroll validates what it has just calculated): the employee's cumul and history
// in employees as Valider changes them (refused, with nothing changed, on a number that does
// not read), then form's cumul and lock. The caller writes form (EcritBulletin). employee, when
// given, receives the employee's block (-1 when no employee has the payslip's code).
Status validerCalcule(Collection &employees, PayslipForm &form, const QString &amountFormat,
                      int *employee = nullptr);

// Deleting the payslip in block `payslip` (the blocks after it are renumbered): refused for
// a validated payslip, whose net is in its employee's cumul and history.
Status SupprimerBulletin(Dossier &dossier, int payslip);

// "Modifier cumul" on the employee in block `employee`: the typed text completed
// (completerCumul) and right-aligned becomes its cumul. Refused without a message for an
// empty text, with the conversion message for a text that is not a number.
Status Modifier(Dossier &dossier, int employee, const QString &typed);

// "Clôturer exercice": every employee's cumul becomes "0" (a block cut short before its
// cumul line is left as it is). Returns how many changed.
int Cloturer(Dossier &dossier);

} // namespace dossierops
