#pragma once

#include "payroll/parameters.h"
#include "ports/status.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Dossier;

// The month's payroll: one payslip per employee with a profile for a month, filled from that
// employee's latest payslip, then the month calculated, validated, printed. These are dossier
// operations like validation (dossierops.h): all or nothing, and none marks the dossier
// modified: the caller does, on success.
namespace dossierops {

// A month typed "MM/AAAA" (a one-digit month is taken too): its first day; nullopt for any
// other text.
std::optional<QDate> parseMonth(const QString &text);
// "MM/AAAA" of the month of date.
QString monthText(const QDate &date);
// "« 13/2024 » n'est pas un mois : tapez MM/AAAA"
QString monthMessage(const QString &typed);

// An employee the month's payroll is for: one whose "Profil" is not empty.
struct MonthEmployee {
    QString code;
    QString name;
};
// Those employees in the order of the file; of several records with one code (trimmed,
// without regard to case), the first.
QList<MonthEmployee> employesDuMois(const Dossier &dossier);

// One payslip of a month, as the window's table and korvel-cli show it.
struct MonthPayslip {
    int block = -1;
    QString number;
    QString employeeCode;
    QString name;
    QString gross;
    QString netToPay;
    bool validated = false;
    // Why it was refused, with what the calculation or the validation said.
    QString message;
};

// The payslips of the month whose period ends in it, in the order of their blocks; only those
// of the employees whose codes are given, when codes are given.
QList<MonthPayslip> bulletinsDuMois(const Dossier &dossier, const QDate &month,
                                    const std::optional<QStringList> &codes = std::nullopt);

struct MonthOutcome {
    // Refused: the messages, one line per refused payslip.
    Status status;
    // Done: the month's payslips (bulletinsDuMois). Refused: the payslips that were refused
    // (those that would have been added have no block).
    QList<MonthPayslip> payslips;
    // How many payslips were added, or validated.
    int count = 0;
    QStringList messages() const;
};

// Prepares month for the employees whose codes are given (all the employees of
// employesDuMois when none are):
// - each of them that has no payslip whose period ends in month gets one, numbered AAAAMM and
//   the next free sequence of that month (AAAAMM001 for the first; past 999 the sequence
//   goes on with four digits), its period the whole month, the employee's particulars as
//   "Nouveau bulletin" fills them and its inputs taken as it takes them
//   (reprendreSaisies);
// - then every payslip of the month of those employees that is not validated is calculated
//   (calculatePayslip).
// When one of them cannot be calculated, nothing at all is added or changed and the outcome
// carries every refusal, one per payslip, naming the payslip and its employee. Refused with
// "Le fichier est plein" when the payslips would pass 9999. Run again, it adds nothing.
MonthOutcome preparerMois(Dossier &dossier, const QDate &month, const PayrollParameters &params,
                          const QString &amountFormat, const std::optional<QStringList> &codes = std::nullopt);

// preparerMois and validerMois as one operation (korvel-cli mois --valider): each payslip of the
// month is validated with the amounts its preparation has just calculated, so that it is
// calculated once. All or nothing over both steps; count is how many were validated.
MonthOutcome preparerEtValiderMois(Dossier &dossier, const QDate &month, const PayrollParameters &params,
                                   const QString &amountFormat,
                                   const std::optional<QStringList> &codes = std::nullopt);

// "Valider tout": every payslip of the month (of those employees) that is not validated is
// validated as "Valider" does it (Valider). All or nothing: when one is refused, every
// payslip and employee is left as it was and the outcome carries the refusals.
MonthOutcome validerMois(Dossier &dossier, const QDate &month, const PayrollParameters &params,
                         const QString &amountFormat, const std::optional<QStringList> &codes = std::nullopt);

// The name of a payslip's PDF file: "bulletin-" + its number + ".pdf", a character of the
// number that has no place in a file name written "_".
QString pdfFileName(const QString &number);

} // namespace dossierops
