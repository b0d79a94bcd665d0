#include "payroll/calculation.h"
#include "payroll/reversepayroll.h"
#include "payrollsupport.h"
#include "testsupport.h"
#include "text/numbers.h"

#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;
using payrollsupport::rub;

namespace {

// A model whose only profile, "10001 Essai", holds rubriques written "kind:employee rate".
ReversePayroll modelWith(const QStringList &rubriques, double ceiling)
{
    QList<Rubrique> list;
    for (const QString &r : rubriques)
        list << rub(u"Rubrique"_s, r.section(u':', 1), {}, r.section(u':', 0, 0));
    ReversePayroll model;
    model.Init({u"10001 Essai"_s}, ceiling, [list](const QString &code) -> std::optional<QList<Rubrique>> {
        if (code == u"10001")
            return list;
        return std::nullopt;
    });
    return model;
}

} // namespace

class TestPayrollReverse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wrongGrossForTheNet_data();
    void wrongGrossForTheNet();
    void netThatCannotStartTheSearch_data();
    void netThatCannotStartTheSearch();
    void unreachableNetNeverEnds();
    void largeNetTakesTooManyIterations();
    void grossDisagreesWithThePayslip();
    void profileChoiceSplitWrongly_data();
    void profileChoiceSplitWrongly();
};

void TestPayrollReverse::wrongGrossForTheNet_data()
{
    QTest::addColumn<QStringList>("rubriques");
    QTest::addColumn<double>("ceiling");
    QTest::addColumn<QString>("profileText");
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("gross"); // the gross that gives the net exactly

    QTest::newRow("T at 20 %") << QStringList{u"T:20,00"_s} << 0.0 << u"10001"_s << 1500.0 << 1875.0;
    QTest::newRow("A stays at the ceiling") << QStringList{u"A:10,00"_s} << 1000.0 << u"10001"_s << 2000.0 << 2100.0;
    // The base is the gross capped at 4 times the ceiling, not the part above the ceiling.
    QTest::newRow("B capped at 4 ceilings") << QStringList{u"B:10,00"_s} << 500.0 << u"10001"_s << 3000.0 << 3200.0;
    QTest::newRow("base written as a number") << QStringList{u"500:10,00"_s} << 0.0 << u"10001"_s << 1000.0 << 1050.0;
    QTest::newRow("unreadable rate, unknown kind, no rate")
        << QStringList{u"T:abc"_s, u"t:10,00"_s, u"T:"_s, u"T:10,00"_s} << 0.0 << u"10001"_s << 900.0 << 1000.0;
    QTest::newRow("choice not yet split") << QStringList{u"T:20,00"_s} << 0.0 << u"10001 Essai"_s << 1500.0 << 1875.0;
    QTest::newRow("no such profile") << QStringList{u"T:20,00"_s} << 0.0 << u"10002"_s << 1234.0 << 1234.0;
    QTest::newRow("net 0") << QStringList{u"T:20,00"_s} << 0.0 << u"10001"_s << 0.0 << 0.0;
}

void TestPayrollReverse::wrongGrossForTheNet()
{
    QFETCH(QStringList, rubriques);
    QFETCH(double, ceiling);
    QFETCH(QString, profileText);
    QFETCH(double, net);
    QFETCH(double, gross);
    ReversePayroll model = modelWith(rubriques, ceiling);
    model.setProfileText(profileText);
    model.setNet(text::formatGeneral(net));

    QCOMPARE(model.Calculer(), ReversePayroll::Outcome::Found);

    QVERIFY(model.message().isEmpty());
    bool ok = false;
    const double shownNet = text::parseNumber(model.netDisplay(), &ok);
    QVERIFY2(ok && std::fabs(shownNet - net) <= 0.105, qPrintable(model.netDisplay()));
    // Deductions of at most 20 % turn the 0,1 on the net into at most 0,125 on the gross.
    const double shownGross = text::parseNumber(model.grossDisplay(), &ok);
    QVERIFY2(ok && std::fabs(shownGross - gross) <= 0.13, qPrintable(model.grossDisplay()));
    if (net == 0) {
        QCOMPARE(model.iterations(), 1);
        QCOMPARE(model.grossDisplay(), u",00"_s);
    }
}

void TestPayrollReverse::netThatCannotStartTheSearch_data()
{
    QTest::addColumn<QString>("net");
    QTest::addColumn<ReversePayroll::Outcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << u""_s << ReversePayroll::Outcome::NoNet << QString();
    QTest::newRow("two commas") << u"1,2,3"_s << ReversePayroll::Outcome::Unreadable
                                << u"'1,2,3' n'est pas une valeur numérique correcte"_s;
}

void TestPayrollReverse::netThatCannotStartTheSearch()
{
    QFETCH(QString, net);
    QFETCH(ReversePayroll::Outcome, outcome);
    QFETCH(QString, message);
    ReversePayroll model = modelWith({u"T:20,00"_s}, 0);
    model.setNet(u"1500"_s);
    model.Calculer();
    const QString gross = model.grossDisplay();
    model.setNet(net);

    QCOMPARE(model.Calculer(), outcome);

    QCOMPARE(model.message(), message);
    QCOMPARE(model.grossDisplay(), gross);
}

void TestPayrollReverse::unreachableNetNeverEnds()
{
    // 60 % of deductions: at twice the net, the net found is still 40 % short.
    ReversePayroll model = modelWith({u"T:60,00"_s}, 0);
    model.setNet(u"1000"_s);
    int steps = 0;

    QCOMPARE(model.Calculer([&](const ReversePayroll::Step &) { ++steps; }), ReversePayroll::Outcome::NotReached);

    QCOMPARE(model.iterations(), ReversePayroll::kMaxIterations);
    QCOMPARE(steps, ReversePayroll::kMaxIterations);
    QCOMPARE(model.message(), u"Ce net ne peut pas être atteint avec ce profil"_s);
    QCOMPARE(model.grossDisplay(), u"2000,00"_s);
    QCOMPARE(model.netDisplay(), u"800,00"_s);
}

void TestPayrollReverse::largeNetTakesTooManyIterations()
{
    ReversePayroll model;
    model.Init({u"10001 Standard"_s}, 2432, [](const QString &) { return payrollsupport::standardRubriques(); });
    model.setNet(u"1000000"_s);
    QList<ReversePayroll::Step> steps;

    QCOMPARE(model.Calculer([&](const ReversePayroll::Step &s) { steps << s; }), ReversePayroll::Outcome::Found);

    QVERIFY2(model.iterations() < 50, qPrintable(QString::number(model.iterations())));
    // The displays follow the search: each step is reported, the last one is what is shown.
    QCOMPARE(steps.size(), model.iterations());
    QCOMPARE(model.grossDisplay(), text::formatHashDot00(steps.last().gross));
    QCOMPARE(model.netDisplay(), text::formatHashDot00(steps.last().net));
    QVERIFY(std::fabs(steps.last().net - 1000000) < ReversePayroll::kTolerance);
}

void TestPayrollReverse::grossDisagreesWithThePayslip()
{
    // The gross found, typed as the monthly salary of a payslip under the same profile, gives
    // the wanted net within 0,15.
    const QList<Rubrique> standard = payrollsupport::standardRubriques();
    ReversePayroll model;
    model.Init({u"10001 Standard"_s}, 2432, [&](const QString &) { return standard; });
    model.setNet(u"1500"_s);
    QCOMPARE(model.Calculer(), ReversePayroll::Outcome::Found);

    PayrollParameters params;
    params.socialSecurityCeiling = 2432;
    PayslipForm form;
    form.monthly = true;
    form.rate = model.grossDisplay();
    QVERIFY(Calculeb(form, params, u"0.00"_s, &standard, 0).computed);
    QVERIFY2(std::fabs(text::parseNumber(form.netToPay) - 1500) <= 0.15, qPrintable(form.netToPay));
}

void TestPayrollReverse::profileChoiceSplitWrongly_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("code and name") << u"10001 Standard"_s << u"10001"_s << u"Standard"_s;
    QTest::newRow("blank fifth") << u"1234 Court"_s << u"1234"_s << u"Court"_s;
    QTest::newRow("blank fourth") << u"123 Court"_s << u"123 Court"_s << QString();
    QTest::newRow("no blank") << u"10001"_s << u"10001"_s << QString();
}

void TestPayrollReverse::profileChoiceSplitWrongly()
{
    QFETCH(QString, choice);
    QFETCH(QString, text);
    QFETCH(QString, name);
    // Init shows the first choice, split.
    ReversePayroll model;
    model.Init({choice, u"10002 Cadre"_s}, 0, {});
    QCOMPARE(model.profileText(), text);
    QCOMPARE(model.profileName(), name);
    // Leaving the list again changes nothing more.
    model.split();
    QCOMPARE(model.profileText(), text);
}

QTEST_GUILESS_MAIN(TestPayrollReverse)
#include "test_payroll_reverse.moc"
