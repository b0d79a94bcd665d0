#include "employees/employeeform.h"
#include "payroll/calculation.h"
#include "payrollsupport.h"
#include "storesupport.h"
#include "testsupport.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using payrollsupport::rub;
using payrollsupport::standardRubriques;

namespace {

// The rubriques the payslips below are calculated with, by name: the standard profile's 26,
// one of each base kind, and a few made to reach particular branches.
QList<Rubrique> profile(const QString &name)
{
    if (name == u"std")
        return standardRubriques();
    if (name == u"kinds")
        return {rub(u"Totalité"_s, u"10,00"_s, u"20,00"_s, u"T"_s), rub(u"CSG"_s, u"2,00"_s, {}, u"S"_s),
                rub(u"CSG déd."_s, u"4,00"_s, {}, u"U"_s), rub(u"Tranche A"_s, u"1,00"_s, u"2,00"_s, u"A"_s),
                rub(u"Tranche B"_s, u"1,00"_s, {}, u"B"_s), rub(u"Tranche C"_s, {}, u"1,00"_s, u"C"_s),
                rub(u"Sans lettre"_s, u"0,50"_s, {}, {}), rub(u"CRDS"_s, u"0,50"_s, {}, u"S"_s),
                rub(u"Sans taux"_s, {}, {}, u"T"_s)};
    if (name == u"flat")
        return {rub(u"Cotisation"_s, u"10,00"_s, {}, u"T"_s)};
    if (name == u"halves")
        return {rub(u"Maladie"_s, u"0,75"_s, u"0,15"_s, u"T"_s)};
    if (name == u"odd")
        return {rub(u"Minuscule"_s, u"5,00"_s, u"5,00"_s, u"t"_s), rub(u"Forfait"_s, u"1,00"_s, u"2,00"_s, u"1000"_s),
                rub(u"Négatif"_s, u"-1,00"_s, {}, u"T"_s), rub(u"Taux illisible"_s, u"abc"_s, u"2,00"_s, u"T"_s), rub({}, u"1,00"_s, {}, u"T"_s),
                rub(u"Totalité"_s, u"10,00"_s, {}, u"T"_s)};
    if (name == u"csgempty")
        return {rub(u"CSG sans taux"_s, {}, u"1,00"_s, u"S"_s), rub(u"Totalité"_s, u"10,00"_s, {}, u"T"_s),
                rub(u"CRDS sans taux"_s, {}, {}, u"S"_s)};
    if (name == u"csg3")
        return {rub(u"CSG 1"_s, u"1,00"_s, {}, u"S"_s), rub(u"CSG 2"_s, u"2,00"_s, {}, u"S"_s),
                rub(u"CSG 3"_s, u"3,00"_s, {}, u"S"_s)};
    return {};
}

// The lines of a payslip whose employee has no profile: an amount base left by an earlier
// calculation, a letter, and a line after an empty one.
void linesAsTheyStand(PayslipForm &form)
{
    form.lines[0] = {u"Ancienne"_s, u"1500,00"_s, u"10,00"_s, u"999,99"_s, {}, {}};
    form.lines[1] = {u"Lettre"_s, u"T"_s, u"5,00"_s, {}, u"2,00"_s, u"77,00"_s};
    form.lines[3] = {u"Après une ligne vide"_s, u"T"_s, u"1,00"_s, {}, {}, {}};
    form.linesInUse = 4;
}

// Every text and flag of a payslip, lines included.
QStringList snapshot(const PayslipForm &f)
{
    QStringList s{f.number,     f.employeeCode, f.hours,      f.rate,     f.ot25,
                  f.ot50,       f.ot100,        f.transport,  f.advances, f.cumul,
                  f.taxableNet, f.totalDeductions, f.netToPay, f.gross,    QString::number(f.linesInUse),
                  QString::number(f.monthly + 2 * f.withPaidLeave + 4 * f.withPrecarity + 8 * f.edited)};
    for (const PayslipLine &l : f.lines)
        s << QStringList{l.label, l.base, l.employeeRate, l.employeeAmount, l.employerRate, l.employerAmount}.join(u'|');
    return s;
}

struct Payslip {
    QString profile = {}; // "none": the employee has no profile
    double ceiling = 2432;
    double t25 = 0, t50 = 0, t100 = 0;
    double paidLeavePercent = 0, precarityPercent = 0;
    QString format = u"0.00"_s;
    QString hours = u"169"_s;
    QString rate = u"10"_s;
    bool monthly = false, withPaidLeave = false, withPrecarity = false;
    QString ot25 = {}, ot50 = {}, ot100 = {}, transport = {}, advances = {};
    double storedCumul = 0;
};

struct Expected {
    QStringList overtime; // 25 %, 50 %, 100 %
    QString gross, totalDeductions, netToPay, taxableNet, cumul;
    QStringList lines; // "base|retenue|part patronale" of each line in use
};

} // namespace

Q_DECLARE_METATYPE(Payslip)
Q_DECLARE_METATYPE(Expected)

class TestPayrollCalculation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void payslipsToTheCent_data();
    void payslipsToTheCent();
    void unreadableFieldHalfWritesPayslip_data();
    void unreadableFieldHalfWritesPayslip();
    void refillLeavesStaleLinesOrAmounts();
    void wrongEmployeeProfileOrCumul_data();
    void wrongEmployeeProfileOrCumul();
};

// Every expected value below was worked out from the rules by hand, not by running this code.
void TestPayrollCalculation::payslipsToTheCent_data()
{
    QTest::addColumn<Payslip>("payslip");
    QTest::addColumn<Expected>("expected");
    auto row = [](const char *name, const Payslip &p, const Expected &e) { QTest::newRow(name) << p << e; };

    row("worked example", {.profile = u"std"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"464,58"_s, u"1225,42"_s, u"1353,86"_s, u"1353,86"_s,
         {u"1605,50|46,56|"_s, u"1605,50|81,88|"_s, u"1690,00|12,68|216,32"_s, u"1690,00|1,69|"_s,
          u"1690,00|110,70|138,58"_s, u"1690,00||27,04"_s, u"1690,00||91,26"_s, u"1690,00||33,80"_s,
          u"1690,00||6,76"_s, u"1690,00||1,69"_s, u"1690,00|13,52|20,28"_s, u"1690,00||2,54"_s,
          u"1690,00||1,69"_s, u"1690,00||6,76"_s, u"1690,00|33,80|60,84"_s, u"1690,00||"_s,
          u"1690,00||3,38"_s, u"1690,00|63,38|76,05"_s, u"1690,00||"_s, u"1690,00|11,83|11,83"_s,
          u"1690,00||"_s, u"1690,00|84,50|169,00"_s, u"1690,00|4,06|6,08"_s, u"1690,00||"_s, u"1690,00||"_s,
          u"1690,00||9,13"_s}});
    row("standard profile above the ceiling", {.profile = u"std"_s, .rate = u"20"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"3380,00"_s, u"868,02"_s, u"2511,98"_s, u"2768,86"_s, u"2768,86"_s,
         {u"3211,00|93,12|"_s, u"3211,00|163,76|"_s, u"3380,00|25,35|432,64"_s, u"3380,00|3,38|"_s,
          u"3380,00|221,39|277,16"_s, u"3380,00||54,08"_s, u"3380,00||182,52"_s, u"3380,00||67,60"_s,
          u"3380,00||13,52"_s, u"2432,00||2,43"_s, u"3380,00|27,04|40,56"_s, u"3380,00||5,07"_s,
          u"3380,00||3,38"_s, u"3380,00||13,52"_s, u"2432,00|48,64|87,55"_s, u"3380,00||"_s,
          u"3380,00||6,76"_s, u"2432,00|91,20|109,44"_s, u"3380,00||"_s, u"2432,00|17,02|17,02"_s,
          u"3380,00||"_s, u"3380,00|169,00|338,00"_s, u"3380,00|8,11|12,17"_s, u"2432,00||"_s,
          u"3380,00||"_s, u"3380,00||18,25"_s}});
    row("each base kind below the ceiling, gross on a half cent", {.profile = u"kinds"_s, .hours = u"151,67"_s, .rate = u"11,5"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1744,21"_s, u"325,73"_s, u"1418,47"_s, u"1459,89"_s, u"1459,89"_s,
         {u"1744,21|174,42|348,84"_s, u"1656,99|33,14|"_s, u"1656,99|66,28|"_s, u"1744,21|17,44|34,88"_s,
          u"1744,21|17,44|"_s, u"1744,21||17,44"_s, u"1744,21|8,72|"_s, u"1656,99|8,28|"_s, u"1744,21||"_s}});
    row("ceiling 0", {.profile = u"kinds"_s, .ceiling = 0},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"281,81"_s, u"1408,19"_s, u"1448,33"_s, u"1448,33"_s,
         {u"1690,00|169,00|338,00"_s, u"1605,50|32,11|"_s, u"1605,50|64,22|"_s, u"0,00||"_s, u"0,00||"_s,
          u"0,00||"_s, u"1690,00|8,45|"_s, u"1605,50|8,03|"_s, u"1690,00||"_s}});
    row("ceiling equal to gross", {.profile = u"kinds"_s, .ceiling = 1690},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"315,61"_s, u"1374,39"_s, u"1414,53"_s, u"1414,53"_s,
         {u"1690,00|169,00|338,00"_s, u"1605,50|32,11|"_s, u"1605,50|64,22|"_s, u"1690,00|16,90|33,80"_s,
          u"1690,00|16,90|"_s, u"1690,00||16,90"_s, u"1690,00|8,45|"_s, u"1605,50|8,03|"_s, u"1690,00||"_s}});
    row("gross between the ceiling and 4 times it", {.profile = u"kinds"_s, .ceiling = 1000, .rate = u"20"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"3380,00"_s, u"607,42"_s, u"2772,59"_s, u"2852,87"_s, u"2852,87"_s,
         {u"3380,00|338,00|676,00"_s, u"3211,00|64,22|"_s, u"3211,00|128,44|"_s, u"1000,00|10,00|20,00"_s,
          u"3380,00|33,80|"_s, u"3380,00||33,80"_s, u"3380,00|16,90|"_s, u"3211,00|16,06|"_s, u"3380,00||"_s}});
    row("gross between 4 and 8 times the ceiling", {.profile = u"kinds"_s, .ceiling = 500, .rate = u"20"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"3380,00"_s, u"588,62"_s, u"2791,39"_s, u"2871,67"_s, u"2871,67"_s,
         {u"3380,00|338,00|676,00"_s, u"3211,00|64,22|"_s, u"3211,00|128,44|"_s, u"500,00|5,00|10,00"_s,
          u"2000,00|20,00|"_s, u"3380,00||33,80"_s, u"3380,00|16,90|"_s, u"3211,00|16,06|"_s, u"3380,00||"_s}});
    row("gross above 8 times the ceiling", {.profile = u"kinds"_s, .ceiling = 400, .rate = u"20"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"3380,00"_s, u"583,62"_s, u"2796,39"_s, u"2876,67"_s, u"2876,67"_s,
         {u"3380,00|338,00|676,00"_s, u"3211,00|64,22|"_s, u"3211,00|128,44|"_s, u"400,00|4,00|8,00"_s,
          u"1600,00|16,00|"_s, u"3200,00||32,00"_s, u"3380,00|16,90|"_s, u"3211,00|16,06|"_s, u"3380,00||"_s}});
    row("25% tier only", {.profile = u"flat"_s, .t25 = 169, .hours = u"180"_s},
        {{u"11"_s, u"0"_s, u"0"_s}, u"1827,50"_s, u"182,75"_s, u"1644,75"_s, u"1644,75"_s, u"1644,75"_s,
         {u"1827,50|182,75|"_s}});
    row("25% and 50% tiers, 100% disabled", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .hours = u"180"_s},
        {{u"6"_s, u"5"_s, u"0"_s}, u"1840,00"_s, u"184,00"_s, u"1656,00"_s, u"1656,00"_s, u"1656,00"_s,
         {u"1840,00|184,00|"_s}});
    row("three tiers", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .t100 = 180, .hours = u"186"_s},
        {{u"12"_s, u"5"_s, u"6"_s}, u"1975,00"_s, u"197,50"_s, u"1777,50"_s, u"1777,50"_s, u"1777,50"_s,
         {u"1975,00|197,50|"_s}});
    row("hours at the threshold give no overtime", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .t100 = 180},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"169,00"_s, u"1521,00"_s, u"1521,00"_s, u"1521,00"_s,
         {u"1690,00|169,00|"_s}});
    row("typed 25% hours kept", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .hours = u"180"_s, .ot25 = u"3,5"_s},
        {{u"3,5"_s, u"5"_s, u"0"_s}, u"1833,75"_s, u"183,38"_s, u"1650,38"_s, u"1650,38"_s, u"1650,38"_s,
         {u"1833,75|183,38|"_s}});
    row("typed 50% hours reduce the computed 25% tier", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .hours = u"180"_s, .ot50 = u"2"_s},
        {{u"9"_s, u"2"_s, u"0"_s}, u"1832,50"_s, u"183,25"_s, u"1649,25"_s, u"1649,25"_s, u"1649,25"_s,
         {u"1832,50|183,25|"_s}});
    row("monthly gets no premium", {.profile = u"flat"_s, .t25 = 169, .hours = u"180"_s, .rate = u"1500"_s, .monthly = true},
        {{u"11"_s, u"0"_s, u"0"_s}, u"1500,00"_s, u"150,00"_s, u"1350,00"_s, u"1350,00"_s, u"1350,00"_s,
         {u"1500,00|150,00|"_s}});
    row("monthly with paid leave and precarity", {.profile = u"flat"_s, .paidLeavePercent = 10, .precarityPercent = 5, .hours = u"151,67"_s, .rate = u"1500"_s, .monthly = true, .withPaidLeave = true, .withPrecarity = true},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1725,00"_s, u"172,50"_s, u"1552,50"_s, u"1552,50"_s, u"1552,50"_s,
         {u"1725,00|172,50|"_s}});
    row("paid leave on the pay before premiums", {.profile = u"flat"_s, .paidLeavePercent = 10, .withPaidLeave = true, .ot25 = u"5"_s},
        {{u"5"_s, u"0"_s, u"0"_s}, u"1871,50"_s, u"187,15"_s, u"1684,35"_s, u"1684,35"_s, u"1684,35"_s,
         {u"1871,50|187,15|"_s}});
    row("precarity on the pay before premiums", {.profile = u"flat"_s, .t25 = 160, .precarityPercent = 10, .withPrecarity = true},
        {{u"9"_s, u"0"_s, u"0"_s}, u"1881,50"_s, u"188,15"_s, u"1693,35"_s, u"1693,35"_s, u"1693,35"_s,
         {u"1881,50|188,15|"_s}});
    row("paid leave percentage without the tick", {.profile = u"flat"_s, .paidLeavePercent = 10, .precarityPercent = 10},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"169,00"_s, u"1521,00"_s, u"1521,00"_s, u"1521,00"_s,
         {u"1690,00|169,00|"_s}});
    row("no decimals", {.profile = u"kinds"_s, .format = u"#"_s, .rate = u"10,5"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1775"_s, u"331"_s, u"1443"_s, u"1485"_s, u"1485"_s,
         {u"1775|178|355"_s, u"1686|34|"_s, u"1686|67|"_s, u"1775|18|36"_s, u"1775|18|"_s, u"1775||18"_s,
          u"1775|9|"_s, u"1686|8|"_s, u"1775||"_s}});
    row("one decimal", {.profile = u"kinds"_s, .format = u"0.0"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,0"_s, u"315,6"_s, u"1374,4"_s, u"1414,5"_s, u"1414,5"_s,
         {u"1690,0|169,0|338,0"_s, u"1605,5|32,1|"_s, u"1605,5|64,2|"_s, u"1690,0|16,9|33,8"_s,
          u"1690,0|16,9|"_s, u"1690,0||16,9"_s, u"1690,0|8,5|"_s, u"1605,5|8,0|"_s, u"1690,0||"_s}});
    row("general form", {.profile = u"kinds"_s, .format = u""_s, .rate = u"10,33"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1745,77"_s, u"326,0225475"_s, u"1419,7474525"_s, u"1461,20949"_s, u"1461,20949"_s,
         {u"1745,77|174,577|349,154"_s, u"1658,4815|33,16963|"_s, u"1658,4815|66,33926|"_s,
          u"1745,77|17,4577|34,9154"_s, u"1745,77|17,4577|"_s, u"1745,77||17,4577"_s, u"1745,77|8,72885|"_s,
          u"1658,4815|8,2924075|"_s, u"1745,77||"_s}});
    row("transport and advances", {.profile = u"flat"_s, .transport = u"45,5"_s, .advances = u"300"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"169,00"_s, u"1266,50"_s, u"1266,50"_s, u"1266,50"_s,
         {u"1690,00|169,00|"_s}});
    row("advances above the net", {.profile = u"flat"_s, .hours = u"100"_s, .advances = u"1200"_s, .storedCumul = 500},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1000,00"_s, u"100,00"_s, u"-300,00"_s, u"-300,00"_s, u"200,00"_s,
         {u"1000,00|100,00|"_s}});
    row("stored cumul", {.profile = u"std"_s, .storedCumul = 12345.67},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"464,58"_s, u"1225,42"_s, u"1353,86"_s, u"13699,53"_s,
         {u"1605,50|46,56|"_s, u"1605,50|81,88|"_s, u"1690,00|12,68|216,32"_s, u"1690,00|1,69|"_s,
          u"1690,00|110,70|138,58"_s, u"1690,00||27,04"_s, u"1690,00||91,26"_s, u"1690,00||33,80"_s,
          u"1690,00||6,76"_s, u"1690,00||1,69"_s, u"1690,00|13,52|20,28"_s, u"1690,00||2,54"_s,
          u"1690,00||1,69"_s, u"1690,00||6,76"_s, u"1690,00|33,80|60,84"_s, u"1690,00||"_s,
          u"1690,00||3,38"_s, u"1690,00|63,38|76,05"_s, u"1690,00||"_s, u"1690,00|11,83|11,83"_s,
          u"1690,00||"_s, u"1690,00|84,50|169,00"_s, u"1690,00|4,06|6,08"_s, u"1690,00||"_s, u"1690,00||"_s,
          u"1690,00||9,13"_s}});
    row("half cents round away from zero", {.profile = u"halves"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"12,68"_s, u"1677,33"_s, u"1677,33"_s, u"1677,33"_s,
         {u"1690,00|12,68|2,54"_s}});
    row("empty hours", {.profile = u"flat"_s, .hours = u""_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s,
         {u"0,00||"_s}});
    row("unknown base kinds, unreadable rates, a line without label", {.profile = u"odd"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"195,90"_s, u"1494,10"_s, u"1494,10"_s, u"1494,10"_s,
         {u"t||"_s, u"1000|10,00|20,00"_s, u"1690,00||"_s, u"1690,00||"_s, u"1690,00|16,90|"_s,
          u"1690,00|169,00|"_s}});
    row("S line without deduction counts 0", {.profile = u"csgempty"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"169,00"_s, u"1521,00"_s, u"1521,00"_s, u"1521,00"_s,
         {u"1605,50||16,06"_s, u"1690,00|169,00|"_s, u"1605,50||"_s}});
    row("middle S line not added back", {.profile = u"csg3"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"1690,00"_s, u"96,33"_s, u"1593,67"_s, u"1657,90"_s, u"1657,90"_s,
         {u"1605,50|16,06|"_s, u"1605,50|32,11|"_s, u"1605,50|48,17|"_s}});
    row("no profile: lines as they stand", {.profile = u"none"_s, .rate = u"12"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"2028,00"_s, u"271,68"_s, u"1756,32"_s, u"1756,32"_s, u"1756,32"_s,
         {u"1500,00|150,00|"_s, u"2028,00|101,40|40,56"_s, u"||"_s, u"2028,00|20,28|"_s}});
    row("no decimals, S deduction rounds to nothing", {.profile = u"csg3"_s, .format = u"#"_s, .hours = u"10"_s, .rate = u"1"_s},
        {{u"0"_s, u"0"_s, u"0"_s}, u"10"_s, u"1"_s, u"9"_s, u"9"_s, u"9"_s,
         {u"10||"_s, u"10||"_s, u"10||"_s}});
}

void TestPayrollCalculation::payslipsToTheCent()
{
    QFETCH(Payslip, payslip);
    QFETCH(Expected, expected);
    PayrollParameters params;
    params.socialSecurityCeiling = payslip.ceiling;
    params.overtime25Threshold = payslip.t25;
    params.overtime50Threshold = payslip.t50;
    params.overtime100Threshold = payslip.t100;
    params.paidLeaveIncludedPercent = payslip.paidLeavePercent;
    params.precarityPercent = payslip.precarityPercent;
    PayslipForm form;
    form.hours = payslip.hours;
    form.rate = payslip.rate;
    form.monthly = payslip.monthly;
    form.withPaidLeave = payslip.withPaidLeave;
    form.withPrecarity = payslip.withPrecarity;
    form.ot25 = payslip.ot25;
    form.ot50 = payslip.ot50;
    form.ot100 = payslip.ot100;
    form.transport = payslip.transport;
    form.advances = payslip.advances;
    const QList<Rubrique> rubriques = profile(payslip.profile);
    if (payslip.profile == u"none")
        linesAsTheyStand(form);

    const CalculationResult result = Calculeb(form, params, payslip.format,
                                              payslip.profile == u"none" ? nullptr : &rubriques, payslip.storedCumul);

    QVERIFY(result.computed);
    QVERIFY(form.edited);
    QCOMPARE((QStringList{form.ot25, form.ot50, form.ot100}), expected.overtime);
    QCOMPARE(form.gross, expected.gross);
    QCOMPARE(form.totalDeductions, expected.totalDeductions);
    QCOMPARE(form.netToPay, expected.netToPay);
    QCOMPARE(form.taxableNet, expected.taxableNet);
    QCOMPARE(form.cumul, expected.cumul);
    QStringList lines;
    for (int i = 0; i < form.linesInUse; ++i)
        lines << form.lines[i].base + u'|' + form.lines[i].employeeAmount + u'|' + form.lines[i].employerAmount;
    QCOMPARE(lines, expected.lines);
}

void TestPayrollCalculation::unreadableFieldHalfWritesPayslip_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    // The first input read, one read after the overtime is computed, and the last one.
    QTest::newRow("hours") << u"hours"_s << u"12h"_s;
    QTest::newRow("50% overtime") << u"ot50"_s << u"5,5,5"_s;
    QTest::newRow("advances") << u"advances"_s << u"100 €"_s;
}

void TestPayrollCalculation::unreadableFieldHalfWritesPayslip()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    PayrollParameters params;
    params.overtime25Threshold = 160;
    PayslipForm form;
    form.hours = u"169"_s;
    form.rate = u"10"_s;
    form.cumul = u"500,00"_s;
    linesAsTheyStand(form);
    (field == u"hours" ? form.hours : field == u"ot50" ? form.ot50 : form.advances) = text;
    const QStringList before = snapshot(form);
    const QList<Rubrique> rubriques = profile(u"std"_s);

    const CalculationResult result = Calculeb(form, params, u"0.00"_s, &rubriques, 0);

    QVERIFY(!result.computed);
    QCOMPARE(result.message, u"'"_s + text + u"' n'est pas une valeur numérique correcte"_s);
    QCOMPARE(snapshot(form), before);
}

void TestPayrollCalculation::refillLeavesStaleLinesOrAmounts()
{
    PayrollParameters params;
    PayslipForm form;
    form.hours = u"169"_s;
    form.rate = u"10"_s;
    const QList<Rubrique> standard = profile(u"std"_s);
    QVERIFY(Calculeb(form, params, u"0.00"_s, &standard, 0).computed);
    QCOMPARE(form.lines[1].employeeAmount, u"81,88"_s);

    // The employee's profile is now shorter, and its second line has no rate.
    const QList<Rubrique> shorter{Rubrique{u"U1"_s, u"Cotisation"_s, u"   10,00"_s, {}, u"T"_s},
                                  Rubrique{u"U2"_s, u"Sans taux"_s, {}, {}, u"T"_s}};
    QVERIFY(Calculeb(form, params, u"0.00"_s, &shorter, 0).computed);

    QCOMPARE(form.linesInUse, 2);
    QCOMPARE(form.lines[0], (PayslipLine{u"Cotisation"_s, u"1690,00"_s, u"10,00"_s, u"169,00"_s, {}, {}}));
    QCOMPARE(form.lines[1], (PayslipLine{u"Sans taux"_s, u"1690,00"_s, {}, {}, {}, {}}));
    for (int i = 2; i < PayslipForm::kLineCount; ++i)
        QVERIFY2(form.lines[i].isEmpty(), qPrintable(QString::number(i)));
    QCOMPARE(form.totalDeductions, u"169,00"_s);
}

void TestPayrollCalculation::wrongEmployeeProfileOrCumul_data()
{
    QTest::addColumn<QString>("employeeCode");
    QTest::addColumn<QString>("profileCode"); // E12's
    QTest::addColumn<QString>("storedCumul"); // E12's, as stored
    QTest::addColumn<QString>("typedCumul");  // E12 shown on the employees page and being typed; null: not
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("cumul"); // or the refusal
    // The payslip's employee is E12 (cumul 100), whatever the case and blanks typed.
    QTest::newRow("own employee") << u" e12 "_s << u"P1"_s << u"100"_s << QString() << u"1690,00|169,00|"_s << u"1621,00"_s;
    QTest::newRow("employee without profile") << u"E12"_s << QString() << u"100"_s << QString() << u"1500,00|150,00|"_s
                                              << u"1538,60"_s;
    QTest::newRow("no such employee") << u"E13"_s << u"P1"_s << u"100"_s << QString() << u"1500,00|150,00|"_s
                                      << u"1438,60"_s;
    QTest::newRow("employee being typed") << u"E12"_s << u"P1"_s << u"100"_s << u"200"_s << u"1690,00|169,00|"_s
                                          << u"1721,00"_s;
    QTest::newRow("cumul not a number") << u"E12"_s << u"P1"_s << u" 12a"_s << QString() << QString()
                                        << u"'12a' n'est pas une valeur numérique correcte"_s;
}

void TestPayrollCalculation::wrongEmployeeProfileOrCumul()
{
    QFETCH(QString, employeeCode);
    QFETCH(QString, profileCode);
    QFETCH(QString, storedCumul);
    QFETCH(QString, typedCumul);
    QFETCH(QString, firstLine);
    QFETCH(QString, cumul);
    auto employee = [&](const QString &code) {
        QStringList f(EmployeeForm::kFieldCount);
        f[0] = code;
        f[23] = profileCode;
        f[26] = storedCumul;
        return f;
    };
    Collection employees = make(blk(0, employee(u"E11"_s)) + blk(1, employee(u"E12"_s)));
    employees.setCurrent(1);
    const Collection profiles = make(blk(0, {u"P1"_s, u"Plat"_s, u"DATAX1\tCotisation\t10,00\t\tT"_s}));
    EmployeeForm shown;
    LitFiche(employees, 1, shown);
    if (!typedCumul.isNull()) {
        shown.cumul = typedCumul;
        shown.edited = true;
    }
    PayslipForm form;
    form.employeeCode = employeeCode;
    form.hours = u"169"_s;
    form.rate = u"10"_s;
    linesAsTheyStand(form);
    const QStringList before = snapshot(form);
    CodeIndex employeeCodes, profileCodes;

    const CalculationResult r = calculatePayslip(form, PayrollParameters{}, u"0.00"_s, [&](const QString &key) {
        return findPayslipEmployee(employees, profiles, key, employeeCodes, profileCodes, &shown);
    });

    QCOMPARE(r.computed, r.message.isEmpty());
    if (!r.computed) {
        QCOMPARE(r.message, cumul);
        QCOMPARE(snapshot(form), before);
        return;
    }
    const PayslipLine &l = form.lines[0];
    QCOMPARE(l.base + u'|' + l.employeeAmount + u'|' + l.employerAmount, firstLine);
    QCOMPARE(form.cumul, cumul);
}

QTEST_GUILESS_MAIN(TestPayrollCalculation)
#include "test_payroll_calculation.moc"
