#pragma once

#include "store/collection.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>

// One rubrique line of a payslip: the six fields of a "PAIE" line, each followed by a TAB:
// label, base, employee rate, employee amount, employer rate, employer amount. The numeric
// fields may carry leading spaces (right alignment); readers trim them. The cells are read and
// written trimmed, so that a block reads back as it was written: the table aligns them.
struct PayslipLine {
    QString label;
    QString base;
    QString employeeRate;
    QString employeeAmount;
    QString employerRate;
    QString employerAmount;

    bool operator==(const PayslipLine &) const = default;
    bool isEmpty() const
    {
        return label.isEmpty() && base.isEmpty() && employeeRate.isEmpty() && employeeAmount.isEmpty()
               && employerRate.isEmpty() && employerAmount.isEmpty();
    }
};

// The payslips page's working copy of one payslip block: 26 positional lines, then one
// "PAIE" line per rubrique line in use.
//
//     number [1] periodStart [2] periodEnd [3] employeeCode [4] socialSecurity [5] hours [6]
//     rate [7] monthly [8] withPaidLeave [9] withPrecarity [10] address [11-14] job [15]
//     validated [16] ot25 [17] ot50 [18] ot100 [19] transport [20] advances [21] cumul [22]
//     taxableNet [23] totalDeductions [24] netToPay [25] gross [26]
//
// Flags are "Y"/"N" in the block; a validated line other than "Y" reads as not validated.
struct PayslipForm {
    static constexpr int kFieldCount = 26;
    static constexpr int kLineCount = 63;
    // Readers look at most this many lines after the opening tag.
    static constexpr int kReadLimit = 100;

    // The line of each field: its distance from the opening tag.
    static constexpr int kNumber = 1;
    static constexpr int kPeriodStart = 2;
    static constexpr int kPeriodEnd = 3;
    static constexpr int kEmployeeCode = 4;
    static constexpr int kSocialSecurity = 5;
    static constexpr int kHours = 6;
    static constexpr int kRate = 7;
    static constexpr int kMonthly = 8;
    static constexpr int kWithPaidLeave = 9;
    static constexpr int kWithPrecarity = 10;
    static constexpr int kAddress = 11; // four lines
    static constexpr int kJob = 15;
    static constexpr int kValidated = 16;
    static constexpr int kOt25 = 17;
    static constexpr int kOt50 = 18;
    static constexpr int kOt100 = 19;
    static constexpr int kTransport = 20;
    static constexpr int kAdvances = 21;
    static constexpr int kCumul = 22;
    static constexpr int kTaxableNet = 23;
    static constexpr int kTotalDeductions = 24;
    static constexpr int kNetToPay = 25;
    static constexpr int kGross = 26;
    static_assert(kGross == kFieldCount);

    QString number;
    QDate periodStart;
    QDate periodEnd;
    QString employeeCode;
    QString socialSecurity;
    QString hours;
    QString rate;           // hourly wage, or the monthly salary when monthly
    bool monthly = false;
    bool withPaidLeave = false;
    bool withPrecarity = false;
    std::array<QString, 4> address; // name; address; address continued; postcode and town
    QString job;
    bool validated = false;
    QString ot25;
    QString ot50;
    QString ot100;
    QString transport;
    QString advances;
    QString cumul;
    QString taxableNet;
    QString totalDeductions;
    QString netToPay;
    QString gross;

    std::array<PayslipLine, kLineCount> lines;
    // Lines in use: lines[0 .. linesInUse - 1].
    int linesInUse = 0;

    // A date line of the block that does not read as a date ("31/02/2002", empty): its text,
    // kept and written back as it stands until a date is chosen. The date meanwhile holds the
    // period default. The calculation refuses such a period.
    std::optional<QString> periodStartLine;
    std::optional<QString> periodEndLine;
    // The period's ends as the payslip holds them: "dd/mm/yyyy", or the text of a line that is
    // not a date.
    QString periodStartText() const;
    QString periodEndText() const;

    // Which of ot25, ot50 and ot100 hold hours the calculation worked out during this session
    // (not typed, not read with the block): those follow the hours and the rate when these are
    // changed on the page.
    std::array<bool, 3> overtimeComputed{};

    // The form differs from its block: EcritBulletin writes it only when set.
    bool edited = false;

    // The block's content lines (between its tags). A table line is written when it is longer
    // than 12 characters (an empty line is "PAIE" and six TABs), and read back when it is.
    QStringList blockLines() const;
};

// Reads block number of the payslip collection into form (LitBulletin). The form is reset
// first: number = nextNumber, the period defaults of today's month, empty texts, no line.
// An empty number line is replaced by nextNumber; a date line that does not read as a date
// keeps its text (periodStartLine, periodEndLine) beside the period default. The edited flag
// is cleared.
void LitBulletin(const Collection &payslips, int number, PayslipForm &form, const QString &nextNumber);
// Writes form into block number when it is edited (EcritBulletin): the old block is removed
// and the new one appended at the end. Returns true when written; clears the edited flag.
bool EcritBulletin(Collection &payslips, int number, PayslipForm &form);
// The next payslip number: year, two-digit month of today and "000" as a number, or the
// largest whole-number payslip number of the collection when larger, plus one. Number lines
// that are not whole numbers are skipped. Through the collection's code index: the
// collection is read once, not at every payslip.
qint64 Numerob(const Collection &payslips);
// How many payslips carry employeeCode as "N° employé" (trimmed, without regard to case); 0
// for a blank code.
int payslipCount(const Collection &payslips, const QString &employeeCode);
// The first and last day of the month of date (February has 29 days in every year divisible
// by 4 that has a 29 February: 2100 has none).
QDate periodStartFor(const QDate &date);
QDate periodEndFor(const QDate &date);
