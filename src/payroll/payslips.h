#pragma once

#include "ports/status.h"

#include "records/employeeform.h"
#include "employees/navigation.h"
#include "store/codeindex.h"
#include "records/payslipform.h"
#include "payroll/payslipselection.h"
#include "store/collection.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The life of a payslip over the payslip collection and the shown payslip's form: creating,
// reading and writing back, picking its employee, locking it once validated, listing,
// searching and moving through payslips. Validation, deletion and the cumuls are dossier
// operations (payroll/dossierops.h).
//
// The operations that show another payslip write the shown one back first (when edited) and
// read the new one with nextNumber, the last next number computed (an empty number line
// shows it). Codes and numbers are found through the collections' own code index.

// Texts of the page.
namespace payslips {
QString statusText(bool validated);    // "Bulletin validé" / "Bulletin non validé"
QString searchCaption();               // "Chercher bulletin"
QString searchPrompt();                // "Numéro de bulletin"
QString notFoundMessage(const QString &number); // "Aucun bulletin ne porte le numéro " + number
QString selectionCaption();            // "Sélectionner bulletin"
QString selectionPrompt();             // "Code employé"
QString listCaption();                 // "Liste des bulletins"
QString cumulCaption();                // "Modifier cumul"
QString cumulLabel();                  // "Cumul de l'employé"
QString closingWarning();              // "Attention! la clôture remet à zéro les cumuls. Continuer?"
QString alreadyValidatedMessage();     // "Ce bulletin est déjà validé"
} // namespace payslips

// Shows block n: the shown payslip is written back, n becomes current and is read. False
// (nothing done) when block n does not exist.
bool ouvrirBulletin(Collection &payslips, PayslipForm &form, int n, const QString &nextNumber);

// New payslip ("Créer", "&Nouveau bulletin", and the new-record command of the page): the
// shown payslip is written back; a collection of fewer than 12 lines that holds no payslip
// counts as empty; the new block (number count) becomes current; nextNumber receives the next
// payslip number and the form shows it with the period defaults, not validated, marked edited
// so that it is written when it is left. Given the employee shown on the employees page, the
// form also takes its code, its four address lines, its job and its social security number,
// and its inputs from that employee's latest payslip (reprendreSaisies).
// Refused, with nothing changed, when the collection already holds 9999 payslips
// ("Le fichier est plein").
Status NouvBulletin(Collection &payslips, PayslipForm &form, QString &nextNumber, const EmployeeForm *employee);

// The employee's details on a payslip: code, "Coordonnées de l'employé" (name; address;
// address continued; postcode, a space, town), "Fonction", "Numéro S.S.".
void remplirEmploye(PayslipForm &form, const EmployeeForm &employee);
// The inputs a new payslip takes from its employee's latest payslip: hours, rate, the three
// ticks and the transport allowance. Without one: "Total heures", "Salaire" and "Mensuel"
// ticked. Overtime and advances stay empty.
void reprendreSaisies(PayslipForm &form, const EmployeeForm &employee, const PayslipForm *latest);
// The later of two payslips: the later period end (a period end that is not a date comes
// before any date), then the higher number (whole numbers by value, before any other text).
bool isLaterPayslip(const QString &end, const QString &number, const QString &otherEnd, const QString &otherNumber);
// The block of the latest payslip whose "N° employé" is employeeCode (trimmed, without regard
// to case), or -1. One pass over the payslips.
int dernierBulletin(const Collection &payslips, const QString &employeeCode);
// The employee picker ("..."): "N° employé" becomes code and, when an employee has that code,
// the payslip takes that employee's details. The payslip is marked edited. False (nothing
// done) for an empty code (the picker was cancelled).
bool choisirEmploye(const Collection &employees, PayslipForm &form, const QString &code);

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
                      const QString &nextNumber);
// "Modifier cumul": the text typed completed as the dialog does on OK: without a comma it
// gets ",00"; a leading comma gets a "0" before it; past two decimals it is cut. An empty text
// stays empty.
QString completerCumul(const QString &typed);
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
