#pragma once

#include "employees/employeeform.h"
#include "employees/navigation.h"
#include "payroll/codeindex.h"
#include "payroll/payslipform.h"
#include "payroll/payslipselection.h"
#include "store/collection.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The life of a payslip over the payslip collection and the shown payslip's form: creating,
// reading and writing back, picking its employee, validating and locking it, listing,
// searching and moving through payslips, and the employee's cumul (editing it, closing the
// year).
//
// The operations that show another payslip write the shown one back first (when edited) and
// read the new one with nextNumber, the last next number computed (an empty number line
// shows it). Those given a CodeIndex of payslip numbers or of employee codes use it instead
// of reading the whole collection, and keep it in step with what they write.

// Texts of the page.
namespace payslips {
QString statusText(bool validated);    // "Bulletin validé" / "Bulletin non validé"
QString searchCaption();               // "Chercher bulletin"
QString searchPrompt();                // "Numéro de bulletin"
QString selectionCaption();            // "Sélectionner bulletin"
QString selectionPrompt();             // "Code employé"
QString listCaption();                 // "Liste des bulletins"
QString cumulCaption();                // "Modifier cumul"
QString cumulLabel();                  // "Cumul de l'employé"
QString closingWarning();              // "Attention! la clôture remet à zéro les cumuls. Continuer?"
QString alreadyValidatedMessage();     // "Ce bulletin est déjà validé"
} // namespace payslips

// Writes the shown payslip back (EcritBulletin of the current block), keeping numbers in step.
bool ecrireBulletin(Collection &payslips, PayslipForm &form, CodeIndex *numbers = nullptr);
// Shows block n: the shown payslip is written back, n becomes current and is read. False
// (nothing done) when block n does not exist.
bool ouvrirBulletin(Collection &payslips, PayslipForm &form, int n, const QString &nextNumber,
                    CodeIndex *numbers = nullptr);

// New payslip ("Créer", "&Nouveau bulletin", and the new-record command of the page): the
// shown payslip is written back; a collection of fewer than 12 lines that holds no payslip
// counts as empty; the new block (number count) becomes current; nextNumber receives the next
// payslip number and the form shows it with the period defaults, not validated, marked edited
// so that it is written when it is left. Given the employee shown on the employees page, the
// form also takes its code, its four address lines, its job and its social security number.
// False, with nothing changed, when the collection already holds 9999 payslips (message:
// "Le fichier est plein").
bool NouvBulletin(Collection &payslips, PayslipForm &form, QString &nextNumber, const EmployeeForm *employee,
                  CodeIndex *numbers = nullptr, QString *message = nullptr);

// The employee's details on a payslip: code, "Coordonnées de l'employé" (name; address;
// address continued; postcode, a space, town), "Fonction", "Numéro S.S.".
void remplirEmploye(PayslipForm &form, const EmployeeForm &employee);
// The employee picker ("..."): "N° employé" becomes code and, when an employee has that code,
// the payslip takes that employee's details. The payslip is marked edited. False (nothing
// done) for an empty code (the picker was cancelled).
bool choisirEmploye(const Collection &employees, PayslipForm &form, const QString &code,
                    const CodeIndex *codes = nullptr);

// Validation ("Valider").
struct Validation {
    bool done = false;        // the payslip is now validated
    int employee = -1;        // block number of its employee, -1 when none has its code
    QString message;          // why it was refused
};
// Validates the shown payslip (the current block of payslips):
// - refused when it is already validated, or when the employee's cumul or the payslip's
//   "Net imposable" or "NET A PAYER" does not read as a number (nothing changes then);
// - its employee is the one whose code equals "N° employé" (trimmed, without regard to case;
//   an empty code matches nobody). The employees page's pending edits are written back, that
//   employee becomes current and is read into employee; its cumul becomes its stored cumul
//   plus the payslip's "Net imposable", formatted with amountFormat and right-aligned, and
//   the same text goes into the payslip's "Cumul"; a history row is added (today, "Paie N°"
//   and the payslip number, the net to pay) and the employee is written;
// - the payslip is marked validated and written.
// The caller marks the dossier modified when done.
Validation Valider(Collection &payslips, PayslipForm &form, Collection &employees, EmployeeForm &employee,
                   const QString &amountFormat, CodeIndex *employeeCodes = nullptr, CodeIndex *numbers = nullptr);

// Locking of a validated payslip (Desactive / Active).
enum class PayslipField {
    Number, PeriodStart, PeriodEnd, EmployeeCode, Picker, SocialSecurity, Hours, Rate, Monthly,
    WithPaidLeave, WithPrecarity, Address, Job, Ot25, Ot50, Ot100, Transport, Advances, Cumul,
    Table, Valider, Calculer,
};
// False for the fields a validated payslip locks: the number, both dates, "N° employé" and its
// picker, "Nbr. heures", "Salaire hor.", the three boxes, the overtime fields (they change the
// amounts), "Ind. Transport", "Acomptes", "Cumul", the table, "Valider" and the calculation.
// The address lines, "Fonction" and "Numéro S.S." stay available.
bool fieldAvailable(const PayslipForm &form, PayslipField field);
// The fields filtered as numbers ("." typed as ",", only digits and ","): hours, rate, the
// overtime fields, transport, advances, cumul.
bool isNumericField(PayslipField field);

// "Liste des bulletins": blocks 0, 1, 2... up to the first number without a block; each item
// is lines 1, 2, 3, 4, 11 and 12 joined by two spaces, and carries its block.
struct PayslipListItem {
    int block = -1;
    QString text;
};
QList<PayslipListItem> listeBulletins(const Collection &payslips);
// The list's two buttons move the selected item up (-1) or down (+1) in the list shown;
// returns the item's new index (the collection is not changed).
int deplacerElement(QList<PayslipListItem> &items, int index, int delta);

// "Chercher bulletin": the first block whose number line equals text without regard to case,
// or -1 (also for an empty text).
int ChercheBulletin(const Collection &payslips, const QString &text);

// The block a move leads to: mode 0 as the profiles (first 0, previous and next one step
// within the payslips, last count - 1); mode 1 the nearest candidate in the move's direction,
// the current one when there is none. Costs the payslips between the current one and the one
// found.
int payslipMoveTarget(const Collection &payslips, Move move, const PayslipSelection &selection);
// A move on the payslips page: write back, move, read.
void DeplacerBulletin(Collection &payslips, PayslipForm &form, Move move, const PayslipSelection &selection,
                      const QString &nextNumber, CodeIndex *numbers = nullptr);
// The delete command: the current payslip is removed and the blocks after it renumbered;
// the new current one is read. False when there is none.
bool SupprimerBulletin(Collection &payslips, PayslipForm &form, const QString &nextNumber);

// "Modifier cumul": the text typed completed as the dialog does on OK: without a comma it
// gets ",00"; a leading comma gets a "0" before it; past two decimals it is cut. An empty text
// stays empty.
QString completerCumul(const QString &typed);
// OK of the dialog: the completed text, right-aligned, becomes the employee's cumul and the
// employee is marked edited. False when the text is empty (nothing changes) or does not read
// as a number (message: the conversion message).
bool Modifier(EmployeeForm &employee, const QString &typed, QString *message = nullptr);
// "Clôturer exercice": the shown employee is written back, every employee's cumul becomes
// "0", the shown employee is read again. Returns the number of employees changed; the caller
// marks the dossier modified.
int Cloturer(Collection &employees, EmployeeForm &shown);

// The payslip part of the copy buffer: "N° employé", "Numéro S.S.", "Nbr. heures",
// "Salaire hor.", the four address lines, "Fonction", and the flags of "Mensuel",
// "Inclure C.P." and "Précarité" as three "Y"/"N" characters.
struct PayslipCopy {
    std::array<QString, 9> fields;
    QString flags;

    void Copier(const PayslipForm &form);
    // The form gets nextNumber and the copied fields and boxes; it is marked edited.
    void Coller(PayslipForm &form, const QString &nextNumber) const;
};
