#pragma once

#include "ports/status.h"
#include "store/collection.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// One row of an employee's pay history: date ("dd/mm/yyyy"), label, amount (right-aligned).
struct HistoryRow {
    QString date;
    QString label;
    QString amount;
    bool isEmpty() const { return date.isEmpty() && label.isEmpty() && amount.isEmpty(); }
    bool operator==(const HistoryRow &) const = default;
};

// The employees page's working copy of one record. The 29 positional fields are named after
// their line in the block (distance from the opening tag, in brackets):
//
//     code [1] civility [2] birthDate [3] name [4] birthPlace [5] address1 [6] address2 [7]
//     postcode [8] town [9] telephone [10] email [11] job [12] education [13] bankName [14]
//     bankCode [15] branchCode [16] accountNumber [17] accountKey [18] paymentMethod [19]
//     socialSecurity [20] familySituation [21] hours [22] salary [23] profileCode [24]
//     profileName [25] account [26] cumul [27] entryDate [28] leavingDate [29]
//
// then one "MEMO" line per note line and one "DATA" line per history row.
struct EmployeeForm {
    static constexpr int kFieldCount = 29;
    static constexpr int kHistoryRows = 63;
    // Lines of a block looked at when it is read: the positional lines and the variable lines
    // up to distance 200 from the opening tag.
    static constexpr int kReadLimit = 200;
    static constexpr const char *kDefaultAccount = "421000";

    // The line of each field: its distance from the opening tag.
    static constexpr int kCode = 1;
    static constexpr int kCivility = 2;
    static constexpr int kBirthDate = 3;
    static constexpr int kName = 4;
    static constexpr int kBirthPlace = 5;
    static constexpr int kAddress1 = 6;
    static constexpr int kAddress2 = 7;
    static constexpr int kPostcode = 8;
    static constexpr int kTown = 9;
    static constexpr int kTelephone = 10;
    static constexpr int kEmail = 11;
    static constexpr int kJob = 12;
    static constexpr int kEducation = 13;
    static constexpr int kBankName = 14;
    static constexpr int kBankCode = 15;
    static constexpr int kBranchCode = 16;
    static constexpr int kAccountNumber = 17;
    static constexpr int kAccountKey = 18;
    static constexpr int kPaymentMethod = 19;
    static constexpr int kSocialSecurity = 20;
    static constexpr int kFamilySituation = 21;
    static constexpr int kHours = 22;
    static constexpr int kSalary = 23;
    static constexpr int kProfileCode = 24;
    static constexpr int kProfileName = 25;
    static constexpr int kAccount = 26;
    static constexpr int kCumul = 27;
    static constexpr int kEntryDate = 28;
    static constexpr int kLeavingDate = 29;

    QString code;
    QString civility;
    QDate birthDate;
    QString name;
    QString birthPlace;
    QString address1;
    QString address2;
    QString postcode;
    QString town;
    QString telephone;
    QString email;
    QString job;
    QString education;
    QString bankName;
    QString bankCode;
    QString branchCode;
    QString accountNumber;
    QString accountKey;
    QString paymentMethod;
    QString socialSecurity;
    QString familySituation;
    QString hours;
    QString salary;
    QString profileCode;
    QString profileName;
    QString account = QString::fromLatin1(kDefaultAccount);
    QString cumul;
    QDate entryDate;
    QDate leavingDate;

    // "Observations", one entry per line.
    QStringList note;
    std::array<HistoryRow, kHistoryRows> history;

    // The history input line under the table: date picker, label, amount.
    QDate historyDate;
    QString historyLabel;
    QString historyAmount;

    // The form differs from its block: EcritFiche writes it only when set.
    bool edited = false;

    // Empty fields and no date (the history input's date at today), the account at "421000",
    // no note, no history,
    // not edited.
    void reset(const QDate &today);

    // The text of positional field 1 to 29 as it is written in the block (dates as
    // "dd/mm/yyyy"); empty for another distance.
    QString fieldText(int distance) const;
    // Sets a text field (not the dates); false for a date or another distance.
    bool setFieldText(int distance, const QString &text);
    static bool isDateField(int distance)
    {
        return distance == kBirthDate || distance == kEntryDate || distance == kLeavingDate;
    }
    // "Total heures", "Salaire" and the cumul: digits and "," only (text::filterNumericKey).
    static bool isNumericField(int distance) { return distance == kHours || distance == kSalary || distance == kCumul; }
    // The proposed choices of civility, "Mode règl." and "Sit. familiale" (free text allowed).
    static QStringList civilites();
    static QStringList modesReglement();
    static QStringList situationsFamiliales();
    // The block's content lines (between its tags) for this form.
    QStringList blockLines() const;
    // Number of filled history rows as EcritFiche writes them: rows 1, 2, 3... for as long as
    // the row's cells joined by TAB make at least 10 characters.
    int writtenHistoryRows() const;
};

// Right alignment of amounts in the history table and of the cumul. The text is trimmed,
// then spaces are put in front while its width, measured by measure, is not greater than
// width minus 10. The windows measure in pixels with the form's font; an empty text stays
// empty.
using TextWidth = std::function<int(const QString &)>;
QString Rset(const QString &text, int width, const TextWidth &measure);
// The same with one unit per character, which is what the core stores in files so that a
// record reads back and writes back unchanged whatever the screen font: history amounts are
// padded to kHistoryAmountChars characters, the cumul to kCumulChars.
QString Rset(const QString &text, int characters);
constexpr int kHistoryAmountChars = 12;
constexpr int kCumulChars = 11;

// Reads block number of the employee collection into form (LitFiche): the form is reset to
// its defaults and filled from the block, if there is one. A block cut short ends the
// positional fields there; a date line that does not read as a date, like an empty one, leaves
// its field empty (no date) and an empty account line leaves "421000". No message.
// Unless batch is set, an empty code receives the next employee code (Numerom).
void LitFiche(const Collection &employees, int number, EmployeeForm &form, bool batch = false);

// Writes form into block number (EcritFiche), in place, when the form is edited; the
// edited flag is then cleared. Writing the record just past the last one (the form of a new,
// empty dossier) makes it a record: the count grows by one. Returns true when the block was
// written.
bool EcritFiche(Collection &employees, int number, EmployeeForm &form);

// The next employee code: the largest whole number among the code lines of all employee
// blocks (the first line of each block, Collection::blocks()), 10000 at least, plus one. Empty
// code lines and codes that are not whole numbers are skipped.
int Numerom(const Collection &employees);

// Adding an employee ("&Nouvelle fiche"): the current record is written back, a record is
// added at the end and becomes current, the form shows its defaults with the next employee
// code. False, with nothing added, when the collection is full: the caller shows
// "Le fichier est plein".
bool Ajout(Collection &employees, EmployeeForm &form);

// The history input's "OK": when both the label and the amount are non-blank, the amount is
// read as a number with "," as separator, formatted with the dossier's amount format,
// right-aligned, and put with the date and label into the first row whose date is empty; the
// label and amount inputs are emptied and the form is marked edited. A blank input or a full
// table adds nothing (refused without a message); an amount that is not a number adds
// nothing and is refused with the conversion message.
Status ajouterHistorique(EmployeeForm &form, const QString &amountFormat);

// An amount as a history row holds it: in the amount format, right-aligned on
// kHistoryAmountChars characters. The history input and the validation of a payslip both
// write their rows with it, so that a net reads the same in the table as on the payslip.
QString historyAmount(double value, const QString &amountFormat);

// The message shown for a text that does not read as a number.
QString conversionMessage(const QString &text);

// Leaving the profile choice: "10001 Standard" becomes the code 10001 and the profile name
// "Standard" (at most 255 characters); a text whose first space is before position 5 is left
// as it is. True when the form changed (the caller then marks it edited).
bool separerProfil(EmployeeForm &form);

// Leaving the accounting account: the text followed by "0000", cut to six characters.
QString normaliserCompte(const QString &text);

// What leaving the two fields does, done again before a record is written whatever wrote
// it (the window, a keyboard shortcut that skipped the focus change, a test): the profile
// choice split (separerProfil) and the account completed (normaliserCompte) when it differs
// from storedAccount, the account as the record held it (an account the user did not
// change is left as it was). True when the form changed.
bool completerFiche(EmployeeForm &form, const QString &storedAccount);
