#pragma once

#include "store/collection.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// One rubrique of a salary profile: the five fields of a "DATA" line of a profile block,
// joined by one TAB each, no trailing TAB:
//
//     code  label  employee rate  employer rate  base kind
//
// Rates are percentages written with two decimals and "," ("2,90"), possibly right-aligned
// with leading spaces, or empty. The base kind is one of "A", "B", "C", "T", "S", "U", or
// empty (read as "T").
struct Rubrique {
    QString code;
    QString label;
    QString employeeRate;
    QString employerRate;
    QString base;

    bool operator==(const Rubrique &) const = default;
    // Code and label both empty: the row holds no rubrique.
    bool isBlank() const { return code.isEmpty() && label.isEmpty(); }
    // The five fields joined by TAB (without the "DATA" prefix).
    QString joined() const;
    // The fields of a "DATA" line's text (after the prefix); missing fields are empty, rates
    // are trimmed.
    static Rubrique fromJoined(const QString &text);
};

// The profiles page's working copy of one profile block:
//
//     line 1   profile code ("10001" for the first one)
//     line 2   profile name
//     then     one "DATA" line per rubrique, then one "MEMO" line per observation line
//
// A reader takes "DATA" and "MEMO" lines in any order, ignores any other line and reads at
// most kReadLimit lines after the code line.
struct ProfileForm {
    // The table shows at least this many rubrique rows and grows to hold every rubrique.
    static constexpr int kMinRows = 31;
    // A payslip holds 63 lines, so a profile holds at most 63 rubriques.
    static constexpr int kMaxRubriques = 63;
    static constexpr int kReadLimit = 199;
    static constexpr int kFirstCode = 10001;
    // The fixed lines: their distance from the opening tag.
    static constexpr int kCode = 1;
    static constexpr int kName = 2;

    QString code;
    QString name;
    // The rubriques in table order (row 1 first); only rows in use.
    QList<Rubrique> rubriques;
    // "Observations", one entry per line.
    QStringList observations;
    // The form differs from its block: EcritProfil writes it only when set.
    bool edited = false;

    // The block's content lines (between its tags). Rows whose code and label are both empty
    // are skipped; every other row is written, however short.
    QStringList blockLines() const;
    // Rows the table shows: kMinRows, or more to hold every rubrique.
    int tableRows() const { return std::max<int>(kMinRows, int(rubriques.size())); }
};

// The default rubrique table of a new profile ("Standard"): 26 rows.
const QList<Rubrique> &defaultRubriques();

// Reads block number of the profile collection into form (LitProfil). A block that does not
// exist leaves the form empty. Unless batch is set, an empty code receives Numerop().
// The edited flag is cleared.
void LitProfil(const Collection &profiles, int number, ProfileForm &form, bool batch = false);
// Writes form into block number when it is edited (EcritProfil): the old block is removed
// and the new one appended at the end. Returns true when written; clears the edited flag.
bool EcritProfil(Collection &profiles, int number, ProfileForm &form);
// The next profile code: the largest of 10000 and every whole-number code line, plus one;
// code lines that are not whole numbers are skipped.
int Numerop(const Collection &profiles);
