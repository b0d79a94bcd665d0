#pragma once

#include "records/employeeform.h"
#include "records/payslipform.h"
#include "records/profileform.h"
#include "store/collection.h"
#include "text/dates.h"

// Small dossiers of the report tests, written as the payslips and employees pages write them.
namespace reportsupport {

struct Slip {
    QString number, periodEnd, code, name, net, deductions, gross;
    QList<PayslipLine> lines = {};
};

inline Collection payslips(const QList<Slip> &slips)
{
    QList<QStringList> blocks;
    for (const Slip &s : slips) {
        PayslipForm f;
        f.number = s.number;
        f.periodEnd = text::parseDate(s.periodEnd);
        f.employeeCode = s.code;
        f.address[0] = s.name;
        f.netToPay = s.net;
        f.totalDeductions = s.deductions;
        f.gross = s.gross;
        for (const PayslipLine &l : s.lines)
            f.lines[f.linesInUse++] = l;
        blocks.append(f.blockLines());
    }
    Collection c;
    c.setBlocks(blocks);
    return c;
}

// Employees: code, profile code, profile name, account.
inline Collection employees(const QList<QStringList> &people)
{
    QList<QStringList> blocks;
    for (const QStringList &p : people) {
        EmployeeForm f;
        f.code = p[0];
        f.profileCode = p[1];
        f.profileName = p[2];
        f.account = p[3];
        blocks.append(f.blockLines());
    }
    Collection c;
    c.setBlocks(blocks);
    return c;
}

// A rubrique with its code and label only.
inline Rubrique rubrique(const QString &code, const QString &label)
{
    Rubrique r;
    r.code = code;
    r.label = label;
    return r;
}

// Profiles: code and rubriques, named "Profil " + code.
inline Collection profiles(const QList<std::pair<QString, QList<Rubrique>>> &list)
{
    QList<QStringList> blocks;
    for (const auto &[code, rubriques] : list) {
        ProfileForm f;
        f.code = code;
        f.name = "Profil " + code;
        f.rubriques = rubriques;
        blocks.append(f.blockLines());
    }
    Collection c;
    c.setBlocks(blocks);
    return c;
}

// Three months of payslips, worked out by hand in the tests; a line is its label and its two
// amounts. Employee 12 was typed by hand and has no record; its payslip comes after the one
// of employee 123.
inline QList<Slip> threeMonths()
{
    auto l = [](const QString &label, const QString &employee, const QString &employer) {
        return PayslipLine{label, "1000,00", {}, employee, {}, employer};
    };
    return {{"200201001", "31/01/2002", "10001", "DUPONT Jean", "1000,00", "200,00", "1200,00",
             {l("URSSAF maladie", "10,00", "20,00"), l("Assedic", "5,00", "")}},
            {"200201002", "31/01/2002", "10002", "MARTIN Paul", "2000,50", "400,25", "2400,75",
             {l("Retraite", "", "12,00"), l("URSSAF vieillesse", "7,50", "8,50")}},
            {"200202001", "28/02/2002", "10001", "DUPONT Jean-Pierre", "500,50", "100,10", "600,60",
             {l("Zèle", "1,00", "1,00"), l("Assedic", "abc", "1,00")}},
            {"200202002", "28/02/2002", "123", "LEGRAND Marc", "100,00", "20,00", "120,00"},
            {"200203001", "31/03/2002", "12", "PETIT Léa", "300,00", "50,00", "350,00"},
            {"200203002", "31/03/2002", "10003", "DURAND Luc", "", "10,00", "10,00"},
            {"200203003", "31/03/2002", "10002", "MARTIN Paul", "1,00", "", "1,00"}};
}

// The profiles of staff(): the labels of threeMonths() but "Zèle", their codes beginning with
// the letter of their caisse.
inline Collection staffProfiles()
{
    return profiles({{"10001", {rubrique("U100", "URSSAF maladie"), rubrique("A200", "Assedic")}},
                     {"10002", {rubrique("R300", "Retraite"), rubrique("U104", "URSSAF vieillesse")}}});
}

inline Collection staff()
{
    return employees({{"10001", "10001", "Standard", ""}, {"10002", "10002", "Cadre", ""},
                      {"10003", "", "", ""}, {"123", "10001", "Standard", ""}});
}

// The caisses: CRICA's address begins with the letter of URSSAF.
inline QStringList caisses()
{
    return {"CRICA\t\tUsine 3\t\t\t\t\t\tR", "URSSAF\t\t\t\t\t\t\t\tU", "ASSEDIC\t\t\t\t\t\t\t\tA"};
}

} // namespace reportsupport
