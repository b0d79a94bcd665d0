#pragma once

#include "ports/status.h"
#include "records/profileform.h"
#include "store/collection.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The four statistics over the payslips of a dossier: net pay per employee, net pay and
// deductions per month, net pay per salary profile, employee and employer contributions per
// caisse. Each builds a statistics list, one TAB-separated text line per key:
//
//     employees   code TAB name TAB net total
//     months      month label TAB net total TAB deductions total
//     profiles    profile code SPACE profile name TAB net total
//     caisses     letter TAB caisse name TAB employee total TAB employer total
//
// Totals are texts: every addition reads the stored total and the new amount ("," as
// separator), adds them and writes the sum with the dossier's amount format, so a running
// total is rounded after every payslip. The first amount of a key is stored as read
// (trimmed). An empty stored total counts as 0 (the format "#" writes 0 as an empty text).
// When the amount or the stored total does not read as a number, the line's totals stay as
// they were and the scan goes on.
//
// A line belongs to a key when its key is exactly that key: a hand-typed code 12 has a line
// of its own beside the line of 123.

// Called with the index of the payslip being read, from 0, for the status bar's
// "Bulletin " + index.
using Progress = std::function<void(int)>;
// The status bar's text for payslip index: "Bulletin " + index.
QString progressText(int index);

// A statistics list being built: its lines in order of first appearance, found by key
// through a hash (a statistic on 9999 employees does not search its list for every payslip).
class StatsList
{
public:
    // The line index of key, or -1.
    int find(const QString &key) const { return m_index.value(key, -1); }
    void append(const QString &key, const QStringList &fields);
    QStringList &fields(int index) { return m_rows[index]; }
    const QStringList &fields(int index) const { return m_rows[index]; }
    qsizetype size() const { return m_rows.size(); }
    // The lines, fields joined by TAB.
    QStringList lines() const;

private:
    QList<QStringList> m_rows;
    QHash<QString, int> m_index;
};

// The accumulation steps: each changes at most one line of list.
//
// CumulEmp: an empty net does nothing; a new key appends key, name, net; an existing one
// takes the name given now (the name on the employee's last payslip) and adds net.
void CumulEmp(StatsList &list, const QString &key, const QString &name, const QString &net,
              const QString &amountFormat);
// CumulMois: nothing when the net is empty; an empty deductions total counts as 0 (a payslip
// without deductions, or whose deductions the format "#" writes as nothing, still counts in
// its month). Both sums are formed before either is written.
void CumulMois(StatsList &list, const QString &key, const QString &net, const QString &deductions,
               const QString &amountFormat);
// CumulProfil: the employee whose code is employee gives the profile code
// (the key) and name of its record; nothing when the net is empty, no employee has that code
// or its profile code is empty. An existing line takes the profile name found now.
void CumulProfil(StatsList &list, const Collection &employees, const QString &employee, const QString &net,
                 const QString &amountFormat);
// CumulCaisse: nothing when both amounts are empty; an empty one counts as "0".
void CumulCaisse(StatsList &list, const QString &letter, const QString &employeeAmount,
                 const QString &employerAmount, const QString &amountFormat);
// Completes a caisse line "letter TAB employee TAB employer" into "letter TAB name TAB
// employee TAB employer": the name ("Nom", the first field) of the first caisse line whose
// letter (its ninth field) is the line's letter, "???" when none, and always for the letter of
// the lines without a rubrique (kNoCaisse).
void LitEnrCai(QString &line, const QStringList &caisses);

// The key of the payslip lines whose rubrique is not found in the profile of the payslip's
// employee (or has no code).
inline constexpr QChar kNoCaisse = u'?';

// The code of the rubrique each payslip line came from. Payslip lines carry only their label:
// the rubrique is looked for in the profile of the payslip's employee as the calculation
// copied it, at the line's position when its label is the line's label, otherwise the first
// rubrique of the profile with that label. Profiles are read once each.
class RubriqueCodes
{
public:
    RubriqueCodes(const Collection &employees, const Collection &profiles);
    // The code for line position (from 0) of a payslip of employee, labelled label; empty when
    // the employee, its profile or the rubrique is not found.
    QString code(const QString &employee, int position, const QString &label);

private:
    struct Profile {
        QList<Rubrique> rubriques;
        // Label -> the first rubrique that carries it.
        QHash<QString, int> firstOfLabel;
    };
    const Profile *profileOf(const QString &employee);

    const Collection &m_employees;
    const Collection &m_profiles;
    // By profile block.
    QHash<int, Profile> m_read;
};

// The refusal of the statistics by month and of the journal when a payslip's period end is not
// a date, which would post it under some other month: "Le bulletin N a une date de fin de
// période illisible".
QString unreadablePeriodEnd(const QString &number);
// Done when block of the payslips holds a period end that reads as a date; that refusal
// otherwise, naming the payslip by its number (by its place from 1 when it has none).
Status checkPeriodEnd(const Collection &payslips, int block, const QString &number);

// A month's key: the French name of the month of periodEnd, capitalised, a space, the year:
// "Janvier 2002".
QString moisLabel(const QDate &periodEnd);

// The scans. The payslip statistics read payslips 0 to count − 1 as the payslips page reads
// them (a payslip index without a block adds nothing); the caller writes the shown payslip
// back first, and afterwards makes the last payslip current and shows it. The caisse
// statistic reads the "PAIE" lines of every payslip block: the caisse of a line is the first
// letter of the code of its rubrique (RubriqueCodes), kNoCaisse when there is none; its
// amounts are the "Retenue" and "Part patronale" cells.
QStringList StatsEmp(const Collection &payslips, const QString &amountFormat, const Progress &progress = {});
// Refused (checkPeriodEnd), list left empty, when a payslip it counts has a period end that is
// not a date.
Status StatsPaie(const Collection &payslips, const QString &amountFormat, QStringList &list,
                 const Progress &progress = {});
QStringList StatsProfils(const Collection &payslips, const Collection &employees, const QString &amountFormat,
                         const Progress &progress = {});
QStringList StatsCaisses(const Collection &payslips, const Collection &employees, const Collection &profiles,
                         const QStringList &caisses, const QString &amountFormat, const Progress &progress = {});

enum class StatsKind { Employes, Paies, Profils, Caisses };

// Whether a statistic is shown sorted (employees, profiles, caisses) or in order of first
// appearance (months).
bool isSorted(StatsKind kind);
// The window's order: sorted by whole line without regard to case in French collation, for
// the sorted statistics; unchanged otherwise.
void sortStats(StatsKind kind, QStringList &lines);
// One statistic's list in the window's order: what the command line prints. Refused as
// StatsPaie is.
Status statistiques(StatsKind kind, const Collection &payslips, const Collection &employees,
                    const Collection &profiles, const QStringList &caisses, const QString &amountFormat,
                    QStringList &lines, const Progress &progress = {});
// The command line's names of the statistics: "employes", "mois", "profils", "caisses".
std::optional<StatsKind> statsKindNamed(const QString &name);
