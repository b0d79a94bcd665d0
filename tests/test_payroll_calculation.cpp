#include "records/employeeform.h"
#include "payroll/calculation.h"
#include "payroll/reversepayroll.h"
#include "payrollsupport.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/numbers.h"

#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;
using payrollsupport::rub;

namespace {

// The rubriques the payslips below are calculated with, by name: the standard profile's 26,
// one of each base kind, and a few made to reach particular branches.
QList<Rubrique> profile(const QString &name)
{
    if (name == u"std")
        return defaultRubriques();
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
                rub(u"Négatif"_s, u"-1,00"_s, {}, u"T"_s), rub(u"Taux illisible"_s, u"abc"_s, u"2,00"_s, u"T"_s),
                rub({}, u"1,00"_s, {}, u"T"_s), rub(u"Totalité"_s, u"10,00"_s, {}, u"T"_s)};
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

// A payslip for March 2002: hours at the rate.
PayslipForm march(const QString &hours = u"169"_s, const QString &rate = u"10"_s)
{
    PayslipForm f;
    f.periodStart = QDate(2002, 3, 1);
    f.periodEnd = QDate(2002, 3, 31);
    f.hours = hours;
    f.rate = rate;
    return f;
}

// Every text and flag of a payslip, lines included.
QStringList snapshot(const PayslipForm &f)
{
    QStringList s{f.number, f.periodStartText(), f.periodEndText(), f.employeeCode, f.hours, f.rate, f.ot25, f.ot50, f.ot100, f.transport, f.advances, f.cumul,
                  f.taxableNet, f.totalDeductions, f.netToPay, f.gross, QString::number(f.linesInUse),
                  QString::number(f.monthly + 2 * f.withPaidLeave + 4 * f.withPrecarity + 8 * f.edited),
                  QString::number(f.overtimeComputed[0] + 2 * f.overtimeComputed[1] + 4 * f.overtimeComputed[2])};
    for (const PayslipLine &l : f.lines)
        s << QStringList{l.label, l.base, l.employeeRate, l.employeeAmount, l.employerRate, l.employerAmount}.join(u'|');
    return s;
}

struct Payslip {
    QString profile = {};
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

// A model whose only profile, "10001 Essai", holds rubriques written "kind:employee rate".
ReversePayroll reverseWith(const QStringList &rubriques, double ceiling)
{
    QList<Rubrique> list;
    for (const QString &r : rubriques)
        list << rub(u"Rubrique"_s, r.section(u':', 1), {}, r.section(u':', 0, 0));
    ReversePayroll model;
    model.Init({u"10001 Essai"_s}, ceiling, [list](const QString &code) -> std::optional<QList<Rubrique>> {
        return code == u"10001" ? std::optional(list) : std::nullopt;
    });
    return model;
}

} // namespace

Q_DECLARE_METATYPE(Payslip)

class TestPayrollCalculation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every expected value below was worked out from the rules by hand, not by running this
    // code. totals: overtime 25 %, 50 %, 100 %, gross, deductions, net to pay, taxable net,
    // cumul; lines: "base|retenue|part patronale" of each line in use.
    void payslipsToTheCent_data()
    {
        QTest::addColumn<Payslip>("payslip");
        QTest::addColumn<QString>("totals");
        QTest::addColumn<QString>("lines");
        auto row = [](const char *name, const Payslip &p, const QString &totals, const QString &lines) {
            QTest::newRow(name) << p << totals << lines;
        };
        const QString kStd = u"1605,50|46,56| 1605,50|81,88| 1690,00|12,68|216,32 1690,00|1,69|"
            u" 1690,00|110,70|138,58 1690,00||27,04 1690,00||91,26 1690,00||33,80 1690,00||6,76 1690,00||1,69"
            u" 1690,00|13,52|20,28 1690,00||2,54 1690,00||1,69 1690,00||6,76 1690,00|33,80|60,84 1690,00|| 1690,00||3,38"
            u" 1690,00|63,38|76,05 1690,00|| 1690,00|11,83|11,83 1690,00|| 1690,00|84,50|169,00 1690,00|4,06|6,08"
            u" 1690,00|| 1690,00|| 1690,00||9,13"_s;
        // The deductions are the sum of the "Retenue" cells as written, so the worked example
        // totals 464,60, not the 464,58 of the unrounded amounts.
        row("worked example", {.profile = u"std"_s},
            u"0 0 0 1690,00 464,60 1225,40 1353,84 1353,84"_s, kStd);
        row("each base kind below the ceiling, gross on a half cent",
            {.profile = u"kinds"_s, .hours = u"151,67"_s, .rate = u"11,5"_s},
            u"0 0 0 1744,21 325,72 1418,49 1459,91 1459,91"_s, u"1744,21|174,42|348,84 1656,99|33,14| 1656,99|66,28|"
                u" 1744,21|17,44|34,88 1744,21|17,44| 1744,21||17,44 1744,21|8,72| 1656,99|8,28| 1744,21||"_s);
        row("ceiling 0 and no capped base", {.profile = u"flat"_s, .ceiling = 0},
            u"0 0 0 1690,00 169,00 1521,00 1521,00 1521,00"_s, u"1690,00|169,00|"_s);
        row("ceiling equal to gross", {.profile = u"kinds"_s, .ceiling = 1690},
            u"0 0 0 1690,00 315,61 1374,39 1414,53 1414,53"_s, u"1690,00|169,00|338,00 1605,50|32,11| 1605,50|64,22|"
                u" 1690,00|16,90|33,80 1690,00|16,90| 1690,00||16,90 1690,00|8,45| 1605,50|8,03| 1690,00||"_s);
        row("gross between the ceiling and 4 times it", {.profile = u"kinds"_s, .ceiling = 1000, .rate = u"20"_s},
            u"0 0 0 3380,00 607,42 2772,58 2852,86 2852,86"_s, u"3380,00|338,00|676,00 3211,00|64,22| 3211,00|128,44|"
                u" 1000,00|10,00|20,00 3380,00|33,80| 3380,00||33,80 3380,00|16,90| 3211,00|16,06| 3380,00||"_s);
        row("gross between 4 and 8 times the ceiling", {.profile = u"kinds"_s, .ceiling = 500, .rate = u"20"_s},
            u"0 0 0 3380,00 588,62 2791,38 2871,66 2871,66"_s, u"3380,00|338,00|676,00 3211,00|64,22| 3211,00|128,44|"
                u" 500,00|5,00|10,00 2000,00|20,00| 3380,00||33,80 3380,00|16,90| 3211,00|16,06| 3380,00||"_s);
        row("gross above 8 times the ceiling", {.profile = u"kinds"_s, .ceiling = 400, .rate = u"20"_s},
            u"0 0 0 3380,00 583,62 2796,38 2876,66 2876,66"_s, u"3380,00|338,00|676,00 3211,00|64,22| 3211,00|128,44|"
                u" 400,00|4,00|8,00 1600,00|16,00| 3200,00||32,00 3380,00|16,90| 3211,00|16,06| 3380,00||"_s);
        row("25% tier only", {.profile = u"flat"_s, .t25 = 169, .hours = u"180"_s},
            u"11 0 0 1827,50 182,75 1644,75 1644,75 1644,75"_s, u"1827,50|182,75|"_s);
        row("25% and 50% tiers, 100% disabled", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .hours = u"180"_s},
            u"6 5 0 1840,00 184,00 1656,00 1656,00 1656,00"_s, u"1840,00|184,00|"_s);
        row("three tiers", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .t100 = 180, .hours = u"186"_s},
            u"12 5 6 1975,00 197,50 1777,50 1777,50 1777,50"_s, u"1975,00|197,50|"_s);
        row("hours at the threshold give no overtime", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .t100 = 180},
            u"0 0 0 1690,00 169,00 1521,00 1521,00 1521,00"_s, u"1690,00|169,00|"_s);
        row("typed 25% hours kept", {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .hours = u"180"_s, .ot25 = u"3,5"_s},
            u"3,5 5 0 1833,75 183,38 1650,37 1650,37 1650,37"_s, u"1833,75|183,38|"_s);
        // 151,67 as the settings file holds it (1.51669999999925E+0002) is taken as typed.
        row("threshold read from the settings file", {.profile = u"flat"_s, .t25 = text::parseIniReal(u" 1.51669999999925E+0002"_s)},
            u"17,33 0 0 1733,33 173,33 1560,00 1560,00 1560,00"_s, u"1733,33|173,33|"_s);
        row("typed 50% hours reduce the computed 25% tier",
            {.profile = u"flat"_s, .t25 = 169, .t50 = 175, .hours = u"180"_s, .ot50 = u"2"_s},
            u"9 2 0 1832,50 183,25 1649,25 1649,25 1649,25"_s, u"1832,50|183,25|"_s);
        row("monthly gets no premium",
            {.profile = u"flat"_s, .t25 = 169, .hours = u"180"_s, .rate = u"1500"_s, .monthly = true},
            u"11 0 0 1500,00 150,00 1350,00 1350,00 1350,00"_s, u"1500,00|150,00|"_s);
        row("monthly with paid leave and precarity",
            {.profile = u"flat"_s, .paidLeavePercent = 10, .precarityPercent = 5, .hours = u"151,67"_s, .rate = u"1500"_s,
             .monthly = true, .withPaidLeave = true, .withPrecarity = true},
            u"0 0 0 1725,00 172,50 1552,50 1552,50 1552,50"_s, u"1725,00|172,50|"_s);
        row("paid leave on the pay before premiums",
            {.profile = u"flat"_s, .paidLeavePercent = 10, .withPaidLeave = true, .ot25 = u"5"_s},
            u"5 0 0 1871,50 187,15 1684,35 1684,35 1684,35"_s, u"1871,50|187,15|"_s);
        row("precarity on the pay before premiums",
            {.profile = u"flat"_s, .t25 = 160, .precarityPercent = 10, .withPrecarity = true},
            u"9 0 0 1881,50 188,15 1693,35 1693,35 1693,35"_s, u"1881,50|188,15|"_s);
        row("paid leave percentage without the tick",
            {.profile = u"flat"_s, .paidLeavePercent = 10, .precarityPercent = 10},
            u"0 0 0 1690,00 169,00 1521,00 1521,00 1521,00"_s, u"1690,00|169,00|"_s);
        row("one decimal", {.profile = u"kinds"_s, .format = u"0.0"_s},
            u"0 0 0 1690,0 315,6 1374,4 1414,5 1414,5"_s, u"1690,0|169,0|338,0 1605,5|32,1| 1605,5|64,2|"
                u" 1690,0|16,9|33,8 1690,0|16,9| 1690,0||16,9 1690,0|8,5| 1605,5|8,0| 1690,0||"_s);
        row("general form", {.profile = u"kinds"_s, .format = u""_s, .rate = u"10,33"_s},
            u"0 0 0 1745,77 326,0225475 1419,7474525 1461,20949 1461,20949"_s, u"1745,77|174,577|349,154"
                u" 1658,4815|33,16963| 1658,4815|66,33926| 1745,77|17,4577|34,9154 1745,77|17,4577| 1745,77||17,4577"
                u" 1745,77|8,72885| 1658,4815|8,2924075| 1745,77||"_s);
        row("transport and advances", {.profile = u"flat"_s, .transport = u"45,5"_s, .advances = u"300"_s},
            u"0 0 0 1690,00 169,00 1266,50 1266,50 1266,50"_s, u"1690,00|169,00|"_s);
        row("advances above the net",
            {.profile = u"flat"_s, .hours = u"100"_s, .advances = u"1200"_s, .storedCumul = 500},
            u"0 0 0 1000,00 100,00 -300,00 -300,00 200,00"_s, u"1000,00|100,00|"_s);
        row("half cents round away from zero", {.profile = u"halves"_s},
            u"0 0 0 1690,00 12,68 1677,32 1677,32 1677,32"_s, u"1690,00|12,68|2,54"_s);
        row("empty hours", {.profile = u"flat"_s, .hours = u""_s},
            u"0 0 0 0,00 0,00 0,00 0,00 0,00"_s, u"0,00||"_s);
        row("unknown base kinds, unreadable rates, a line without label", {.profile = u"odd"_s},
            u"0 0 0 1690,00 195,90 1494,10 1494,10 1494,10"_s, u"t|| 1000|10,00|20,00 1690,00|| 1690,00||"
                u" 1690,00|16,90| 1690,00|169,00|"_s);
        row("S line without deduction counts 0", {.profile = u"csgempty"_s},
            u"0 0 0 1690,00 169,00 1521,00 1521,00 1521,00"_s, u"1605,50||16,06 1690,00|169,00| 1605,50||"_s);
        row("middle S line not added back", {.profile = u"csg3"_s},
            u"0 0 0 1690,00 96,34 1593,66 1657,89 1657,89"_s, u"1605,50|16,06| 1605,50|32,11| 1605,50|48,17|"_s);
        row("no decimals, S deduction rounds to nothing",
            {.profile = u"csg3"_s, .format = u"#"_s, .hours = u"10"_s, .rate = u"1"_s},
            u"0 0 0 10  10 10 10"_s, u"10|| 10|| 10||"_s);
    }
    void payslipsToTheCent()
    {
        QFETCH(Payslip, payslip);
        QFETCH(QString, totals);
        QFETCH(QString, lines);
        PayrollParameters params;
        params.socialSecurityCeiling = payslip.ceiling;
        params.overtime25Threshold = payslip.t25;
        params.overtime50Threshold = payslip.t50;
        params.overtime100Threshold = payslip.t100;
        params.paidLeaveIncludedPercent = payslip.paidLeavePercent;
        params.precarityPercent = payslip.precarityPercent;
        PayslipForm f = march(payslip.hours, payslip.rate);
        f.monthly = payslip.monthly;
        f.withPaidLeave = payslip.withPaidLeave;
        f.withPrecarity = payslip.withPrecarity;
        f.ot25 = payslip.ot25;
        f.ot50 = payslip.ot50;
        f.ot100 = payslip.ot100;
        f.transport = payslip.transport;
        f.advances = payslip.advances;
        QVERIFY(Calculeb(f, params, payslip.format, profile(payslip.profile), payslip.storedCumul).ok());
        QVERIFY(f.edited);
        QCOMPARE((QStringList{f.ot25, f.ot50, f.ot100, f.gross, f.totalDeductions, f.netToPay, f.taxableNet, f.cumul}),
                 totals.split(u' '));
        QStringList got;
        for (int i = 0; i < f.linesInUse; ++i)
            got << f.lines[i].base + u'|' + f.lines[i].employeeAmount + u'|' + f.lines[i].employerAmount;
        QCOMPARE(got, lines.split(u' ', Qt::SkipEmptyParts));
    }

    // Each refusal of the calculation: its message, and the payslip left exactly as it was
    // (an unreadable input read first, one read after the overtime is written, the last).
    void refusedCalculationChangesPayslip_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("hours") << "hours 12h" << "'12h' n'est pas une valeur numérique correcte";
        QTest::newRow("50%") << "ot50 5,5,5" << "'5,5,5' n'est pas une valeur numérique correcte";
        QTest::newRow("advances") << "advances 100 €" << "'100 €' n'est pas une valeur numérique correcte";
        QTest::newRow("period end not a date") << "end 31/02/2002" << "La période du 01/03/2002 au 31/02/2002 n'est pas valide";
        QTest::newRow("period start an empty line") << "start " << "La période du  au 31/03/2002 n'est pas valide";
        QTest::newRow("period ending before it starts") << "before" << "La période du 01/03/2002 au 28/02/2002 n'est pas valide";
        QTest::newRow("ceiling 0 and a tranche C") << "ceiling" << "Le plafond S.S. est à 0 : renseignez-le dans Paramètres de la paie";
        QTest::newRow("infinite gross") << "pay 1E300" << "Montant hors limites";
        QTest::newRow("deduction of a thousand billion") << "deduction" << "Montant hors limites";
    }
    void refusedCalculationChangesPayslip()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        PayrollParameters params = payrollsupport::parameters();
        params.overtime25Threshold = 160;
        PayslipForm form = march();
        form.cumul = u"500,00"_s;
        linesAsTheyStand(form);
        const QString value = fault.section(u' ', 1);
        QList<Rubrique> rubriques = defaultRubriques();
        if (fault.startsWith(u"hours"))
            form.hours = value;
        else if (fault.startsWith(u"pay"))
            form.hours = form.rate = value;
        else if (fault.startsWith(u"ot50"))
            form.ot50 = value;
        else if (fault.startsWith(u"advances"))
            form.advances = value;
        else if (fault.startsWith(u"end"))
            form.periodEndLine = value;
        else if (fault.startsWith(u"start"))
            form.periodStartLine = value;
        else if (fault == u"before")
            form.periodEnd = QDate(2002, 2, 28);
        else if (fault == u"ceiling")
            params.socialSecurityCeiling = 0, rubriques = {rub(u"Totalité"_s, u"1,00"_s, {}, u"T"_s), rub(u"Tranche C"_s, {}, u"1,00"_s, u"C"_s)};
        else if (fault == u"deduction")
            rubriques = {rub(u"Forfait"_s, u"10000,00"_s, {}, u"1E10"_s)};
        const QStringList before = snapshot(form);
        const Status status = Calculeb(form, params, u"0.00"_s, rubriques, 0);
        QVERIFY(!status.ok());
        QCOMPARE(status.message(), message);
        QCOMPARE(snapshot(form), before);
    }

    // Overtime the calculation worked out follows new hours; overtime typed (or read with the
    // payslip) stays.
    void overtimeKeptAfterHoursChange()
    {
        struct Row { QString ot25, after; };
        for (const Row &r : {Row{{}, u"0"_s}, Row{u"17,33"_s, u"17,33"_s}}) {
            PayrollParameters params;
            params.overtime25Threshold = 151.67;
            PayslipForm form = march();
            form.ot25 = r.ot25;
            QVERIFY(Calculeb(form, params, u"0.00"_s, profile(u"flat"_s), 0).ok());
            QCOMPARE(form.ot25, r.ot25.isEmpty() ? u"17,33"_s : r.ot25);
            QCOMPARE(form.overtimeComputed[0], r.ot25.isEmpty());
            form.hours = u"151"_s;
            QVERIFY(forgetComputedOvertime(form));
            QVERIFY(Calculeb(form, params, u"0.00"_s, profile(u"flat"_s), 0).ok());
            QCOMPARE(form.ot25, r.after);
        }
    }

    // A shorter profile after a longer one: no line of the old profile stays, no stale amount.
    void refillLeavesStaleLinesOrAmounts()
    {
        PayslipForm form = march();
        const PayrollParameters params = payrollsupport::parameters();
        QVERIFY(Calculeb(form, params, u"0.00"_s, defaultRubriques(), 0).ok());
        const QList<Rubrique> shorter{Rubrique{u"U1"_s, u"Cotisation"_s, u"   10,00"_s, {}, u"T"_s},
                                      Rubrique{u"U2"_s, u"Sans taux"_s, {}, {}, u"T"_s}};
        QVERIFY(Calculeb(form, params, u"0.00"_s, shorter, 0).ok());
        QCOMPARE(form.linesInUse, 2);
        QCOMPARE(form.lines[0], (PayslipLine{u"Cotisation"_s, u"1690,00"_s, u"10,00"_s, u"169,00"_s, {}, {}}));
        QCOMPARE(form.lines[1], (PayslipLine{u"Sans taux"_s, u"1690,00"_s, {}, {}, {}, {}}));
        for (int i = 2; i < PayslipForm::kLineCount; ++i)
            QVERIFY2(form.lines[i].isEmpty(), qPrintable(QString::number(i)));
        QCOMPARE(form.totalDeductions, u"169,00"_s);
    }

    // The payslip's employee is E12 (cumul 100) whatever the case and blanks typed, its own
    // profile, the cumul being typed on the employees page; no such employee, no such profile
    // or a cumul that is not a number is refused and changes nothing.
    void wrongEmployeeProfileOrCumul()
    {
        struct Row { QString code, profile, stored, typed, firstLine, cumul; };
        for (const Row &r : {Row{u" e12 "_s, u"P1"_s, u"100"_s, {}, u"1690,00|169,00|"_s, u"1621,00"_s},
                             Row{u"E12"_s, u" P9"_s, u"100"_s, {}, {}, u"Profil P9 introuvable (employé E12)"_s},
                             Row{u" E13"_s, u"P1"_s, u"100"_s, {}, {}, u"Employé E13 introuvable"_s},
                             Row{u"E12"_s, u"P1"_s, u"100"_s, u"200"_s, u"1690,00|169,00|"_s, u"1721,00"_s},
                             Row{u"E12"_s, u"P1"_s, u" 12a"_s, {}, {}, u"'12a' n'est pas une valeur numérique correcte"_s}}) {
            auto employee = [&](const QString &code) {
                QStringList f(EmployeeForm::kFieldCount);
                f[0] = code;
                f[23] = r.profile;
                f[26] = r.stored;
                return f;
            };
            Collection employees = make(blk(0, employee(u"E11"_s)) + blk(1, employee(u"E12"_s)));
            employees.setCurrent(1);
            const Collection profiles = make(blk(0, {u"P1"_s, u"Plat"_s, u"DATAX1\tCotisation\t10,00\t\tT"_s}));
            EmployeeForm shown;
            LitFiche(employees, 1, shown);
            if (!r.typed.isEmpty())
                shown.cumul = r.typed, shown.edited = true;
            PayslipForm form = march();
            form.employeeCode = r.code;
            linesAsTheyStand(form);
            const QStringList before = snapshot(form);
            const Status c = calculatePayslip(form, PayrollParameters{}, u"0.00"_s, [&](const QString &key) {
                return findPayslipEmployee(employees, profiles, key, &shown);
            });
            QCOMPARE(c.ok(), r.firstLine.size() > 0);
            QCOMPARE(c.message(), c.ok() ? QString() : r.cumul);
            const PayslipLine &l = form.lines[0];
            if (c.ok())
                QCOMPARE((QStringList{l.base + u'|' + l.employeeAmount + u'|' + l.employerAmount, form.cumul}),
                         (QStringList{r.firstLine, r.cumul}));
            else
                QCOMPARE(snapshot(form), before);
        }
    }

    // The gross found for a net gives that net back, within the search's tolerance, on each
    // kind of base and odd rubrique; each step is shown, the last one stays. A net it cannot
    // reach stops after the most steps, with its message.
    void reverseFindsWrongGross()
    {
        struct Row { QStringList rubriques; double ceiling; QString profileText; double net, gross; };
        for (const Row &r : {Row{{u"T:20,00"_s}, 0, u"10001"_s, 1500, 1875}, Row{{u"A:10,00"_s}, 1000, u"10001"_s, 2000, 2100},
                             // The base is the gross capped at 4 ceilings, not the part above one.
                             Row{{u"B:10,00"_s}, 500, u"10001"_s, 3000, 3200}, Row{{u"500:10,00"_s}, 0, u"10001"_s, 1000, 1050},
                             Row{{u"T:abc"_s, u"t:10,00"_s, u"T:"_s, u"T:10,00"_s}, 0, u"10001"_s, 900, 1000},
                             Row{{u"T:20,00"_s}, 0, u"10001 Essai"_s, 1500, 1875}, Row{{u"T:20,00"_s}, 0, u"10002"_s, 1234, 1234},
                             Row{{u"T:20,00"_s}, 0, u"10001"_s, 0, 0}, Row{{u"T:60,00"_s}, 0, u"10001"_s, 1000, -1}}) {
            ReversePayroll model = reverseWith(r.rubriques, r.ceiling);
            model.setProfileText(r.profileText);
            model.setNet(text::formatGeneral(r.net));
            QList<ReversePayroll::Step> steps;
            const auto outcome = model.Calculer([&](const ReversePayroll::Step &s) { steps << s; });
            QCOMPARE(steps.size(), model.iterations());
            QCOMPARE(model.grossDisplay(), r.net ? text::formatHashDot00(steps.last().gross) : u",00"_s);
            QCOMPARE(model.netDisplay(), text::formatHashDot00(steps.last().net));
            if (r.gross < 0) {
                QCOMPARE(outcome, ReversePayroll::Outcome::NotReached);
                QCOMPARE(model.iterations(), ReversePayroll::kMaxIterations);
                QCOMPARE(model.message(), u"Ce net ne peut pas être atteint avec ce profil"_s);
                QCOMPARE(model.grossDisplay(), u"2000,00"_s);
                continue;
            }
            QCOMPARE(outcome, ReversePayroll::Outcome::Found);
            QVERIFY(model.message().isEmpty());
            QVERIFY(std::fabs(steps.last().net - r.net) < ReversePayroll::kTolerance);
            // Deductions of at most 20 % turn the 0,1 on the net into at most 0,125 on the gross.
            QVERIFY2(std::fabs(steps.last().gross - r.gross) <= 0.13, qPrintable(model.grossDisplay()));
        }
    }

    // On the standard profile, a million is found in few steps, and the gross found, typed
    // as the monthly salary of a payslip, gives the net wanted within 0,15.
    void reverseGrossDisagreesWithPayslip()
    {
        for (double net : {1500.0, 1e6}) {
            ReversePayroll model;
            model.Init({u"10001 Standard"_s}, 2432, [](const QString &) { return defaultRubriques(); });
            model.setNet(text::formatGeneral(net));
            QCOMPARE(model.Calculer(), ReversePayroll::Outcome::Found);
            QVERIFY2(model.iterations() < 50, qPrintable(QString::number(model.iterations())));
            PayslipForm form = march({}, model.grossDisplay());
            form.monthly = true;
            QVERIFY(Calculeb(form, payrollsupport::parameters(), u"0.00"_s, defaultRubriques(), 0).ok());
            QVERIFY2(std::fabs(text::parseNumber(form.netToPay) - net) <= 0.15, qPrintable(form.netToPay));
        }
    }

    // The name beside the profile list kept the first profile's after another was picked.
    void reverseNameStaysOnFirstProfile()
    {
        struct Row { int picked; QString code, name; };
        for (const Row &r : {Row{1, u"10002"_s, u"Cadre"_s}, Row{2, u"12 Court"_s, u"Court"_s}, Row{5, u"10001"_s, u"Standard"_s}}) {
            ReversePayroll model;
            model.Init({u"10001 Standard"_s, u"10002 Cadre"_s, u"12 Court"_s}, 0, {});
            model.choose(r.picked);
            QCOMPARE((QStringList{model.profileText(), model.profileName()}), (QStringList{r.code, r.name}));
        }
    }
};

QTEST_GUILESS_MAIN(TestPayrollCalculation)
#include "test_payroll_calculation.moc"
