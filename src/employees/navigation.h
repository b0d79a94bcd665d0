#pragma once

#include "ports/status.h"

#include "records/employeeform.h"
#include "records/recordpage.h"
#include "store/collection.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// Moving through the employees, finding them, listing and sorting them.

// The employee selection of "&Sélection": no selection (the state at start-up) and all
// employees behave the same; by postcode keeps the employees whose postcode line is exactly
// postcode, by town those whose town line is exactly town.
struct Selection {
    enum Mode { NoSelection = 0, AllEmployees = 1, ByPostcode = 2, ByTown = 3 };
    Mode mode = NoSelection;
    QString postcode;
    QString town;
};

// The record a move leads to, or -1 when the move does nothing at all ("next" and "last"
// with fewer than two records). In modes 2 and 3 a move without candidate stays on the
// current record. Costs one step in modes 0 and 1; in modes 2 and 3 the records between
// the current one and the one found.
int moveTarget(const Collection &employees, Move move, const Selection &selection);

// A move on the employees page: the form is written back, the current number changes and
// the new current record is read. False when the move did nothing at all.
bool Deplacer(Collection &employees, EmployeeForm &form, Move move, const Selection &selection);

// Searches.
enum class SearchKind {
    Nom,       // "Recherche par nom", "Début nom": the name, a to z without regard to case
    Numero,    // "Recherche par code employé", "Code employé": the code
    Telephone, // "Recherche par téléphone", "Téléphone": the telephone
};
// Caption and field label of the search dialog.
QString searchCaption(SearchKind kind);
QString searchLabel(SearchKind kind);
// Key filter of the search field: true when the key is accepted. Backspace and Tab always
// pass; the code accepts digits, the telephone "0123456789 .".
bool acceptsSearchKey(SearchKind kind, QChar key);
// Key filter of the "Code postal" dialog: digits, Backspace and Tab.
bool acceptsPostcodeKey(QChar key);

// Upper-cases the letters a to z only ("Désiré" gives "DéSIRé").
QString upperAZ(const QString &text);
// The text as it is compared: upper-cased (a to z) for the name search, as typed otherwise.
QString searchText(SearchKind kind, const QString &typed);
// The number of the first block, in collection order, whose compared line, upper-cased (a to
// z) and cut to the length of the search text, equals the search text; -1 when none does
// or the text is empty.
int rechercher(const Collection &employees, SearchKind kind, const QString &typed);
inline int RechNom(const Collection &e, const QString &t) { return rechercher(e, SearchKind::Nom, t); }
inline int RechNum(const Collection &e, const QString &t) { return rechercher(e, SearchKind::Numero, t); }
inline int RechTel(const Collection &e, const QString &t) { return rechercher(e, SearchKind::Telephone, t); }
// "Fiche " + search text as compared + " non trouvée".
QString notFoundMessage(SearchKind kind, const QString &typed);

// A search on the employees page: the form's pending edits are written back first, then the
// record found becomes current and is read. An empty text does nothing (done); a text that
// finds nothing leaves everything as it was and is refused with notFoundMessage.
Status Rechercher(Collection &employees, EmployeeForm &form, SearchKind kind, const QString &typed);

// The list window "Liste des employés": one row per block in collection order.
struct EmployeeListRow {
    int number = -1; // the hidden column: the block number
    int sequence = 0; // 1, 2, 3...
    QString name, address1, address2, postcode, town, telephone, email;
};
// The list window opens only when the collection holds at least 21 lines.
bool listeDisponible(const Collection &employees);
QList<EmployeeListRow> listeEmployes(const Collection &employees);
// Captions of the columns after the hidden one.
QStringList listeColonnes();
// Choosing a row of the list window: the form is written back, number becomes current and
// is read. False (nothing done) when no such record exists.
bool Choisir(Collection &employees, EmployeeForm &form, int number);

// The employee picker of the payslips page: "code name" per block in collection order, and
// the code of a chosen item (its text up to the first space).
QStringList listeEmp(const Collection &employees);
QString codeChoisi(const QString &item);
// The choices of the employee page's "Profil" field: "code name" per profile block (code on
// the block's first line, name on its second), in block order.
QStringList InitProfils(const Collection &profiles);

// Sorting the employee collection ("Trier"): key 0 name, 1 postcode, 2 town. Each block is
// taken with its content lines; lines outside blocks are dropped; the blocks are ordered by
// the key in French without regard to case, equal keys by their content lines the same way,
// and renumbered 0, 1, 2... The current number is kept (within the records).
enum class SortKey { Nom = 0, CodePostal = 1, Ville = 2 };
void trierCollection(Collection &employees, SortKey key);
// The command: the form is written back, the collection sorted, the current record read.
// The caller marks the dossier modified.
void Trier(Collection &employees, EmployeeForm &form, SortKey key);
