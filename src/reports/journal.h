#pragma once

#include "printing/printgrid.h"
#include "reports/statistics.h"
#include "store/collection.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The payroll journal: two accounting entries per payslip, its gross pay debited to the
// salaries account and credited to the employees account. An entry is one line of
// TAB-separated fields:
//
//     date key (yyyymmdd) TAB "S1" TAB date (dd/mm/yyyy) TAB account TAB "Paie " + number
//     TAB debit [TAB credit]
//
// the debit entry ending after the gross pay, the credit entry holding an empty debit and the
// gross pay as credit. Dates are the payslip's period end.

struct Accounts {
    QString debit;      // salaries: "641000"
    QString credit;     // employees
};
// The two accounts: the credit account is the first non-empty "Compte empl." of the employee
// records, in the order of the file, followed by "0000" and cut to six characters ("421"
// gives "421000"); "421000" when no record has one. The debit account is "641000".
Accounts Comptes(const Collection &employees);

// The journal's entries, and the payslips it leaves out because they were never calculated.
struct JournalEntries {
    QStringList lines;
    int uncalculated = 0;
};

// The entries of payslips 0 to count − 1, debit entry first (a payslip index without a block
// gives none). A payslip without gross pay was never calculated: it has no entry and is
// counted in uncalculated. Refused, with no entry, when a payslip to post has a period end that
// is not a date (checkPeriodEnd): it would be posted under some other month. The caller writes
// the shown payslip back first, and afterwards makes the last payslip current and shows it.
Status Journal(const Collection &payslips, const Accounts &accounts, JournalEntries &entries,
               const Progress &progress = {});

// The window "Journal de paie" (TCompta) as data: the entries, the dates "Du" and "Au", and
// the grid of the entries whose date lies between them (both included): 7 columns ("Jn",
// "Date", "Compte", "Libellé", "Débit", "Crédit" after the column of row numbers), at least
// 63 data rows and more when more entries are shown.
class JournalModel
{
public:
    static constexpr int kInitialRows = 63;
    static constexpr int kColumns = 7;
    // Debit and credit are right-justified (Rset) to this width on screen.
    static constexpr int kAmountRset = 105;

    static QList<int> columnWidths();
    // "Journal de paie": the window's caption and the printed title.
    static QString caption();
    static QStringList headers();
    // The export dialog: title, filter (the program's "Description (*.ext)|*.ext" notation),
    // default extension and proposed name.
    static QString exportTitle();
    static QString exportFilter();
    static QString exportExtension();
    static QString exportProposedName();

    // Keeps the entries, sets "Du" from the first entry and "Au" from the last (the stored
    // order of the payslips, not their date order; both today when there is no entry) and
    // fills the grid (Remplit).
    void Init(const JournalEntries &entries);
    // What the window's status says of the payslips left out: "N bulletins non calculés ne
    // sont pas repris", empty when there is none.
    QString statusText() const { return uncalculatedText(m_uncalculated); }
    static QString uncalculatedText(int count);
    QDate du() const { return m_du; }
    QDate au() const { return m_au; }
    // Changing a date has no effect on the grid until Remplit ("OK").
    void setDu(const QDate &date) { m_du = date; }
    void setAu(const QDate &date) { m_au = date; }
    // Refills the grid with the entries whose date key lies between "Du" and "Au".
    void Remplit();

    // Entries shown, and rows of the grid (kInitialRows at least).
    int count() const { return int(m_shown.size()); }
    int rowCount() const { return std::max(kInitialRows, count()); }
    // Row 0 is the header row; data rows from 1, column 0 their number; empty outside the
    // entries shown.
    QString cell(int row, int column) const;

    // The export file's lines, one per entry shown: date, account, label, journal code, an
    // empty field, debit, credit.
    QStringList exportLines() const;
    // Writes them to path (Windows-1252, CR LF), replacing the file. Refused, with the file
    // untouched, by "Impossible d'enregistrer le fichier " + its full name when it cannot be
    // written.
    Status exporter(const QString &path) const;

    // The grid as PrintGrid prints it, as the statistics print theirs: the caption as title,
    // the entries shown, debit and credit right-aligned.
    PrintedGrid printedGrid(const QList<int> &screenWidths = {}) const;
    // The print job's title: "Journal de paie au " + today.
    static QString printTitle();

private:
    QStringList m_entries;
    int m_uncalculated = 0;
    QDate m_du;
    QDate m_au;
    // The fields 2 to 7 of each entry shown.
    QList<QStringList> m_shown;
};

// What the command line's journal does, with the window's code: the entries of the dossier
// whose date lies between the dates given (a date not given leaves that side open: without
// dates, every entry) written to path. Refused as Journal is, or when the file cannot be
// written; uncalculated receives the number of payslips left out.
Status exporterJournal(const Collection &payslips, const Collection &employees, const std::optional<QDate> &du,
                       const std::optional<QDate> &au, const QString &path, int *uncalculated = nullptr);
