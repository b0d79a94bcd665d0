#pragma once

#include "records/employeeform.h"
#include "records/payslipform.h"
#include "records/profileform.h"
#include "printing/canvas.h"
#include "printing/payslipprint.h"
#include "store/collection.h"

#include <QList>

// The employee sheet, the employee list and the print command's dispatch by page. Positions
// are layout millimetres (Mh, Mv); texts are the record's texts as they stand.

// The employee shown on the employees page, on one portrait page, as one job: the record's
// fields in two columns, the history input line, the history rows down to the first row
// without a date and the note's lines beside them. The history amounts end at x = 90
// (trimmed): begun at x = 60 they would overprint the labels "Paie N°" + number. There is no
// page break: a long history or note runs off the page. Leaves the printer in portrait.
PrintResult ImpEmp(Canvas &canvas, const EmployeeForm &employee);

// The first and last employee positions (0-based) of a print dialog's page range, where page
// numbers stand for employee positions 1 to count: first = from − 1 (not below 0), last =
// to − 1 (not above count − 1). Empty (last < first) when there is nothing to print.
struct EmployeeRange {
    int first = 0;
    int last = -1;
    bool isEmpty() const { return last < first; }
};
EmployeeRange employeeRange(int from, int to, int count);

// "&Liste employés...": the caller shows its print dialog with the range 1 to
// employees.count() (Annuler: nothing is printed) and passes the dialog's from and to. Prints
// in landscape, one line per employee block of the range in the order of the blocks (a
// position without a block is skipped), each cell cut where the next column begins, the
// heading (Entete1) on every page; a page ends when the next line would go below the
// printable height minus Mv(20). Leaves the printer in portrait. An empty range prints
// nothing (NothingPrinted).
PrintResult ImpListe(Canvas &canvas, const Collection &employees, int from, int to);
// The list's heading on page (from 1) of pages: "Liste des employés" at y = 0, with
// "Imprimé le " + today and "Page n/N" at the right; the column captions at y = 6 and a rule
// at y = 11 that ends 5 millimetres inside the printable area.
void Entete1(Canvas &canvas, int page, int pages);

// The print command of the frame ("Imprimer", "&Imprimer fiche", "&Imprimer bulletin"):
// what each page prints. Only the active page's entry is read.
enum class PrintedPage { Employes, Profils, Bulletins };
struct FicheToPrint {
    const EmployeeForm *employee = nullptr;         // the employees page's form
    const ProfileForm *profile = nullptr;           // the profiles page's form
    QList<int> profileColumnWidths;                 // its table's column widths on screen
    const PayslipForm *payslip = nullptr;           // the payslips page's form
    PayslipPrintOptions payslipOptions;
};
// ImpFiche: employees page, the employee sheet (ImpEmp); profiles page, the profile table
// through PrintGrid (heading: code, three blanks, name; no job title); payslips page, the
// payslip (Imprime). No print dialog. A page whose form is missing prints nothing.
PrintResult ImpFiche(Canvas &canvas, PrintedPage page, const FicheToPrint &what);
