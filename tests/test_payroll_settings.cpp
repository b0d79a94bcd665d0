// The program's own files in the start directory: the settings file with the page set-up values
// and the payroll parameters, the company letterhead and the bank and job lists.
#include "employees/referencelists.h"
#include "payroll/letterhead.h"
#include "payroll/settings.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsDefaultsAndWrittenForm();
    void settingsRoundTrip();
    void companyAndLists();
};

void TestSettings::settingsDefaultsAndWrittenForm()
{
    QTemporaryDir dir;
    Settings s;
    QCOMPARE(ChargeIni(dir.filePath("Korvel.ini"), s).found, false);
    QVERIFY(s.amountFormat.isEmpty());
    QCOMPARE(s.autoOpen, 0);
    QVERIFY(SauveIni(dir.filePath("Korvel.ini"), s, QString()).ok());
    QStringList lines;
    text::readLines(dir.filePath("Korvel.ini"), lines);
    QCOMPARE(lines.size(), 19);
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QStringLiteral("0"));
    QCOMPARE(lines[6], QStringLiteral(" 1.96000000000058E+0001"));
    QCOMPARE(lines[7], QStringLiteral(" 0.00000000000000E+0000"));
    QCOMPARE(lines[8], QStringLiteral(" 5.50000000000000E+0000"));
    QCOMPARE(lines[18], QStringLiteral("2"));
    for (int i : {0, 6, 7, 8, 9, 17})
        QCOMPARE(lines[i].size(), 23);
    QFile raw(dir.filePath("Korvel.ini"));
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QVERIFY(raw.readAll().endsWith("\r\n2\r\n"));

    // The next start-up uses the two-decimal format.
    Settings next;
    QVERIFY(ChargeIni(dir.filePath("Korvel.ini"), next).found);
    QCOMPARE(next.amountFormat, QStringLiteral("0.00"));
    QCOMPARE(next.rate9, 5.5);
}

void TestSettings::settingsRoundTrip()
{
    QTemporaryDir dir;
    Settings s;
    s.autoOpen = 0;
    s.pageSetup.paperType = 1;
    s.pageSetup.envelopeGuide = 100;
    s.payroll.socialSecurityCeiling = 2432;
    s.payroll.precarityPercent = 10;
    s.payroll.decimalPlaces = 0;
    QVERIFY(SauveIni(dir.filePath("Korvel.ini"), s, QStringLiteral("/tmp/paie.emp")).ok());
    QStringList lines;
    text::readLines(dir.filePath("Korvel.ini"), lines);
    QCOMPARE(lines[1], QStringLiteral("/tmp/paie.emp"));
    QCOMPARE(lines[9], QStringLiteral(" 2.43200000000000E+0003"));

    Settings r;
    r.amountFormat = QStringLiteral("0.0");
    ChargeIni(dir.filePath("Korvel.ini"), r);
    // Auto-open is off: the path is not kept.
    QVERIFY(r.lastDossier.isEmpty());
    QCOMPARE(r.pageSetup.paperType, 1);
    QCOMPARE(r.pageSetup.envelopeGuide, 100);
    QCOMPARE(r.payroll.socialSecurityCeiling, 2432.0);
    QCOMPARE(r.payroll.precarityPercent, 10.0);
    QCOMPARE(r.amountFormat, QStringLiteral("#"));

    // Three decimals keep the format in force.
    lines[18] = QStringLiteral("3");
    lines[2] = QStringLiteral("1");
    QVERIFY(text::writeLines(dir.filePath("Korvel.ini"), lines).ok());
    ChargeIni(dir.filePath("Korvel.ini"), r);
    QCOMPARE(r.amountFormat, QStringLiteral("#"));
    QCOMPARE(r.payroll.decimalPlaces, 3);
    QCOMPARE(r.lastDossier, QStringLiteral("/tmp/paie.emp"));
}

void TestSettings::companyAndLists()
{
    QTemporaryDir dir;
    Letterhead letterhead;
    QVERIFY(text::writeLines(dir.filePath("Korvel.soc"), {"SARL Dupont", "1 rue", "", "75001 PARIS", "", "", "Tél", "de trop"}).ok());
    ChargeSoc(dir.filePath("Korvel.soc"), letterhead);
    QCOMPARE(letterhead.lines().size(), 7);
    QCOMPARE(letterhead.line(0), QStringLiteral("SARL Dupont"));
    QCOMPARE(letterhead.line(6), QStringLiteral("Tél"));

    // Jobs before banks, a stray line before any section, lower-case extension on disk.
    QVERIFY(text::writeLines(dir.filePath("korvel.CBX"), {"ignorée", "[EMPLOI]", "Comptable", "Vendeur", "[BANQUE]", "Crédit Agricole"}).ok());
    ReferenceLists lists;
    lists.banks = QStringList{"ancienne"};
    ChargeCombo(dir.filePath("Korvel.cbx"), lists);
    QCOMPARE(lists.banks, QStringList{"Crédit Agricole"});
    QCOMPARE(lists.jobs, (QStringList{"Comptable", "Vendeur"}));
    QVERIFY(SauveCombo(dir.filePath("Korvel.Cbx"), lists).ok());
    QStringList files = QDir(dir.path()).entryList({"*.cbx"}, QDir::Files);
    QCOMPARE(files, QStringList{"korvel.CBX"});
    QStringList written;
    text::readLines(dir.filePath("korvel.CBX"), written);
    QCOMPARE(written, (QStringList{"[BANQUE]", "Crédit Agricole", "[EMPLOI]", "Comptable", "Vendeur"}));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_payroll_settings.moc"
