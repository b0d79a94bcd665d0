#include "fakeclock.h"
#include "payroll/caissemodel.h"
#include "payroll/letterhead.h"
#include "payroll/parameters.h"
#include "records/payslipform.h"
#include "payroll/profileeditor.h"
#include "payroll/settings.h"
#include "text/numbers.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QtTest>

// Profiles, caisses, and the settings file of the start directory, Korvel.ini (page set-up
// and payroll parameters).
class TestPayrollProfiles : public QObject
{
    Q_OBJECT
    PinnedClock m_clock{QDateTime(QDate(2002, 3, 14), QTime(9, 0))};
    QTemporaryDir m_dir;

private Q_SLOTS:
    // Every profile and payslip of a file written by the program, read and written back in
    // block order, gives the same file byte for byte.
    void blocksWrittenByProgramChangeOnRewrite()
    {
        for (const QString file : {"records/exemple.Prl", "records/exemple.Pai"}) {
            Collection c = make(linesOf(testsupport::dataPath(file)));
            QVERIFY(c.count() >= 2);
            for (int n = 0; n < c.count(); ++n) {
                ProfileForm profile;
                PayslipForm payslip;
                LitProfil(c, n, profile);
                LitBulletin(c, n, payslip, "999");
                profile.edited = payslip.edited = true;
                QVERIFY(file.endsWith("Prl") ? EcritProfil(c, n, profile) : EcritBulletin(c, n, payslip));
            }
            QVERIFY(text::writeLines(m_dir.filePath("copie"), c.lines()).ok());
            QCOMPARE(fileBytes(m_dir.filePath("copie")), fileBytes(testsupport::dataPath(file)));
        }
    }

    // A short row in the middle keeps every row after it; only a row without code and label
    // goes. A name that begins like a tagged line is a name.
    void rubriqueLostOnWrite()
    {
        for (const Rubrique &row : {Rubrique{"X", "Y", "", "", ""}, Rubrique{"X", "", "", "", ""},
                                    Rubrique{"", "Note", "", "", ""}, Rubrique{"", "", "2,90", "", "T"}}) {
            ProfileForm f;
            f.code = "10001";
            f.rubriques = {defaultRubriques()[0], row, defaultRubriques()[1]};
            f.edited = true;
            Collection c;
            QVERIFY(EcritProfil(c, 0, f));
            ProfileForm back;
            LitProfil(c, 0, back);
            if (row.code.isEmpty() && row.label.isEmpty())
                f.rubriques.removeAt(1);
            QCOMPARE(back.rubriques, f.rubriques);
        }
        Collection c = collectionOf({{"10001", "DATA cadres", "MEMOnote"}});
        ProfileForm f;
        LitProfil(c, 0, f);
        QCOMPARE(f.name, QString("DATA cadres"));
        QVERIFY(f.rubriques.isEmpty());
        QCOMPARE(f.observations, QStringList{"note"});
    }

    // Next profile code and next payslip number: whole numbers only, each read the same by the
    // scan and by the cached index.
    void numeropStopsOnText()
    {
        struct Row { QStringList codes; int next; qint64 payslip; };
        for (const Row &r : {Row{{}, 10001, 200203001}, Row{{"10001", "10007"}, 10008, 200203001},
                             Row{{"10003", "ABC", ""}, 10004, 200203001}, Row{{"200204005", "200202017"}, 200204006, 200204006}}) {
            QList<QStringList> contents;
            for (const QString &code : r.codes)
                contents.append({code, "nom"});
            const Collection c = collectionOf(contents);
            QCOMPARE((QList<qint64>{Numerop(c), Numerob(c)}), (QList<qint64>{r.next, r.payslip}));
        }
    }

    // The entry line stored as a rubrique, or refused with its message; at most 63 rubriques.
    void entryStoredWrongly()
    {
        const Rubrique none;
        struct Row { ProfileEntry entry; int existing; QString message; Rubrique stored; };
        for (const Row &r : {Row{{"10002", "x", "", "", "T"}, 3, "code profil déjà utilisé", none},
                             Row{{"CADRES", "x", "", "", "T"}, 3, "code profil déjà utilisé", none},
                             Row{{"", "", "1", "", "A"}, 3, "", none},
                             Row{{"Z", "z", "", "", "T"}, 63, "Un profil ne peut pas avoir plus de 63 rubriques", none},
                             Row{{"Z", "z", "1,2,3", "", "T"}, 3, "'1,2,3' n'est pas une valeur numérique correcte", none},
                             Row{{"Z", "z", "5.5", " 12 ", "A"}, 62, "", {"Z", "z", "5,50", "12,00", "A"}}}) {
            Collection c = collectionOf({{"10001", "Standard"}, {"10002", "Cadres"}});
            ProfileEditor e(c);
            e.read();
            for (int i = 0; i < r.existing; ++i)
                e.form().rubriques.append({QString::number(i), "r", "", "", "T"});
            e.entry() = r.entry;
            const Status said = e.store();
            QCOMPARE(bool(said), !r.stored.isBlank());
            QCOMPARE(said.message(), r.message);
            QCOMPARE(e.form().rubriques.size(), r.existing + (r.stored.isBlank() ? 0 : 1));
            QCOMPARE(e.form().edited, !r.stored.isBlank());
            // Stored, the entry empties but the base list keeps its choice.
            if (!r.stored.isBlank())
                QVERIFY(e.form().rubriques.last() == r.stored && e.entry().code.isEmpty() && e.entry().base == r.entry.base);
        }
    }

    // A rubrique loaded with "&Modifier rubrique" goes back into its own row, the first and
    // the last included, and the next one is added after the last; a rate typed in a short
    // form or below 1 is stored with two decimals.
    void rubriqueStoredInPlaceOrRateMisread_data()
    {
        QTest::addColumn<int>("modified");
        QTest::addColumn<QString>("employeeRate");
        QTest::addColumn<QString>("employerRate");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QStringList>("rates");
        QTest::newRow("first row") << 0 << "0,5" << ",5" << QStringList{"X", "B", "C", "N"} << QStringList{"0,50", "0,50"};
        QTest::newRow("last row") << 2 << "5," << "0" << QStringList{"A", "B", "X", "N"} << QStringList{"5,00", "0,00"};
        QTest::newRow("none") << -1 << "0.05" << "" << QStringList{"A", "B", "C", "X", "N"} << QStringList{"0,05", ""};
    }
    void rubriqueStoredInPlaceOrRateMisread()
    {
        QFETCH(int, modified);
        QFETCH(QString, employeeRate);
        QFETCH(QString, employerRate);
        QFETCH(QStringList, codes);
        QFETCH(QStringList, rates);
        Collection c;
        ProfileEditor e(c);
        e.read();
        for (const char *code : {"A", "B", "C"})
            e.form().rubriques.append({code, "r", "1,00", "2,00", "T"});
        if (modified >= 0)
            QVERIFY(e.ModiRubrique(modified));
        e.entry() = {"X", "x", employeeRate, employerRate, "A"};
        QVERIFY(e.store());
        e.entry() = {"N", "n", "", "", "T"};
        QVERIFY(e.store());
        QStringList stored;
        for (const Rubrique &r : e.form().rubriques)
            stored << r.code;
        QCOMPARE(stored, codes);
        const Rubrique &x = e.form().rubriques[codes.indexOf("X")];
        QCOMPARE((QStringList{x.employeeRate, x.employerRate, x.base}), rates + QStringList{"A"});
    }

    // A new dossier shows the standard profile, written when left; the second profile gets
    // 10002; the 9999th is added, the one past it refused.
    void newDossierLacksStandardProfileOrLimit()
    {
        Collection c;
        ProfileEditor e(c);
        QVERIFY(e.showPage());
        QCOMPARE((QStringList{e.form().code, e.form().name}), (QStringList{"10001", "Standard"}));
        QCOMPARE(e.form().rubriques, defaultRubriques());
        QCOMPARE(e.form().tableRows(), ProfileForm::kMinRows);
        e.Deplacer(Move::Suivant);
        QCOMPARE(c.count(), 1);
        QVERIFY(e.Ajouter());
        QVERIFY(c.current() == 1 && e.form().code == "10002" && e.form().rubriques.isEmpty());
        QVERIFY(!e.showPage()); // a dossier with profiles is shown as it is

        c.setCount(Collection::kMaxBlocks - 1);
        QVERIFY(e.Ajouter());
        QCOMPARE((QList<int>{c.count(), c.current()}), (QList<int>{9999, 9998}));
        QCOMPARE(e.form().code, QString("10002")); // 10002 was left empty, so never written
        QCOMPARE(e.Ajouter().message(), QString("Le fichier est plein"));
        QCOMPARE(c.count(), Collection::kMaxBlocks);
    }

    // Deleting a row above the one being modified keeps modify mode on the same rubrique;
    // rows past the last are refused.
    void modifyAndDeleteLoseRows()
    {
        Collection c;
        ProfileEditor e(c);
        e.read();
        e.GenRub();
        QVERIFY(e.ModiRubrique(3) && e.entry().code == "U103");
        QVERIFY(e.SupRubrique(2));
        QCOMPARE((QStringList{e.form().rubriques[2].code, e.form().rubriques[3].code}), (QStringList{"U103", "U104"}));
        e.entry().label = "Veuvage";
        QVERIFY(e.store());
        QCOMPARE(e.form().rubriques[2].label, QString("Veuvage"));
        QCOMPARE((QList<qsizetype>{e.form().rubriques.size(), e.modifiedRow()}), (QList<qsizetype>{25, -1}));
        QVERIFY(!e.ModiRubrique(25) && !e.SupRubrique(25));
    }

    // Only a code line names the profile taken: the first profile's name is the code looked for.
    void reprendreTakesWrongProfile()
    {
        Collection c = collectionOf({{"10001", "10002", "DATAA\ta\t\t\tT"},
                                   {"10002", "Cadres", "DATAB\tb\t1,00\t\tB", "MEMOx", "DATAC\tc\t\t\tC"}});
        ProfileEditor e(c);
        e.read();
        e.form().observations = {"gardée"};
        QVERIFY(!e.Reprendre("") && !e.Reprendre("99999") && !e.form().edited);
        QVERIFY(e.Reprendre("10002") && e.form().edited);
        QCOMPARE((QStringList{e.form().rubriques.value(1).code, e.form().code, e.form().name}), (QStringList{"C", "10001", "10002"}));
        QCOMPARE(e.form().rubriques.size(), 2);
        QCOMPARE(e.form().observations, QStringList{"gardée"});
    }

    // Copy and paste of a profile of 41 rubriques into a new profile keeps them all.
    void copyKeepsOnlyTwentyRows()
    {
        Collection c = make(linesOf(testsupport::dataPath("records/exemple.Prl")));
        ProfileEditor e(c);
        c.setCurrent(1);
        e.read();
        QCOMPARE(e.form().tableRows(), 41);
        ProfileCopy copy;
        copy.Copier(e.form());
        QVERIFY(e.Ajouter());
        copy.Coller(e.form(), Numerop(c));
        QCOMPARE((QStringList{e.form().code, e.form().name}), (QStringList{"10004", "Profil copié"}));
        QVERIFY(e.write());
        ProfileForm back;
        LitProfil(c, 3, back);
        QCOMPARE(back.rubriques.size(), 41);
        QCOMPARE(back.rubriques[5], (Rubrique{"X", "Y", "", "", ""}));
    }

    // More caisses than the table's 63 rows, short lines read and written back whole, the
    // letter defaulting to the name's first character; the only caisse deleted, then one added.
    void caisseDialogLosesOrCorrupts()
    {
        QCOMPARE(CaisseModel({}).lines(), QStringList{QString(8, u'\t')});
        QStringList many(70, "Caisse\t\t\t\t\t\t\t\tC");
        many[1] = "URSSAF\t01";
        CaisseModel m(many);
        QCOMPARE((QList<int>{m.count(), m.tableRows()}), (QList<int>{70, 70}));
        m.Suivant();
        QCOMPARE(m.field(CaisseModel::Telephone), QString("01"));
        QVERIFY(!m.setField(CaisseModel::Nom, "a\tb"));
        m.store();
        QCOMPARE(m.lines().value(1), QString("URSSAF\t01\t\t\t\t\t\t\tU"));
        QVERIFY(!m.clickRow(71) && m.clickRow(70));
        CaisseModel one({"ASSEDIC\t\t\t\t\t\t\t\tA"});
        one.Supprimer();
        QVERIFY(one.count() == 0 && one.lines().isEmpty());
        one.Precedent();
        one.Ajouter();
        QVERIFY(one.setField(CaisseModel::Nom, "Retraite"));
        one.store();
        QCOMPARE(one.lines(), QStringList{"Retraite\t\t\t\t\t\t\t\tR"});
    }

    // Korvel.soc keeps seven lines whatever the file holds; a letterhead without a company
    // name is refused and changes nothing.
    void letterheadTakesExtraLinesOrAnEmptyName()
    {
        const QString soc = m_dir.filePath("Korvel.soc");
        QVERIFY(text::writeLines(soc, {"SARL Dupont", "1 rue", "", "", "", "", "Tél", "de trop"}).ok());
        Letterhead l;
        QVERIFY(ChargeSoc(soc, l).ok());
        QVERIFY(!l.replace({"", "2 rue"}));
        QCOMPARE((QStringList{l.line(0), l.line(1), l.line(6)}), (QStringList{"SARL Dupont", "1 rue", "Tél"}));
        QVERIFY(SauveSoc(soc, l).ok());
        QCOMPARE(linesOf(soc).size(), 7);
    }

    // Written: 19 CRLF lines, reals in the file's own form; read back: every value as it was
    // typed (151,67, not the 151,669999999925 of its 40 bits), the dossier only with
    // auto-open 1, the format of 0 to 2 decimals. Without a file, amounts take two decimals.
    void settingsLostOnRoundTrip()
    {
        const QString ini = m_dir.filePath("Korvel.ini");
        Settings s;
        QVERIFY(!ChargeIni(ini, s).found);
        QCOMPARE(s.amountFormat, "0.00");
        s.pageSetup.envelopeGuide = 100;
        s.payroll.socialSecurityCeiling = 2432;
        s.payroll.overtime25Threshold = 151.67;
        s.payroll.decimalPlaces = 0;
        QVERIFY(SauveIni(ini, s, "/tmp/paie.emp").ok());
        QCOMPARE(linesOf(ini).mid(1, 9), (QStringList{"/tmp/paie.emp", "0", "0", "0", "100", " 1.96000000000058E+0001",
                                                       " 0.00000000000000E+0000", " 5.50000000000000E+0000",
                                                       " 2.43200000000000E+0003"}));
        QVERIFY(fileBytes(ini).endsWith("\r\n0\r\n") && linesOf(ini).size() == 19);
        Settings r;
        QVERIFY(ChargeIni(ini, r).badLine == 0);
        QCOMPARE((QStringList{r.lastDossier, r.amountFormat}), (QStringList{"", "#"}));
        QCOMPARE((QList<double>{double(r.pageSetup.envelopeGuide), r.payroll.socialSecurityCeiling, r.rate9}),
                 (QList<double>{100, 2432, 5.5}));
        QCOMPARE(linesOf(ini).value(10), " 1.51669999999925E+0002");
        QCOMPARE(text::formatGeneral(r.payroll.overtime25Threshold), "151,67");
    }

    // Values the program never writes: an auto-open other than 1 keeps no dossier, a number
    // of decimals out of range keeps the format in force, a line that is not a number stops
    // the reading there, a short file stops at its end; the parameters form clamps too.
    void settingsOddValuesTaken()
    {
        struct Row { int line; QString text; int badLine; QString dossier, format; int paperType; };
        for (const Row &r : {Row{3, "1", 0, "/d", "0.0", 1}, Row{3, "2", 0, "", "0.0", 1}, Row{3, "-1", 0, "", "0.0", 1},
                             Row{19, "3", 0, "/d", "0.00", 1}, Row{19, "-1", 0, "/d", "0.00", 1},
                             Row{4, "abc", 4, "/d", "0.00", 7}, Row{6, "-", 6, "/d", "0.00", 1},
                             Row{12, "", 12, "/d", "0.00", 1}}) {
            QStringList lines(19, "0");
            lines[1] = "/d";
            lines[2] = "1";
            lines[3] = "1";
            lines[18] = "1";
            lines[r.line - 1] = r.text;
            if (r.text.isEmpty())
                lines = lines.mid(0, r.line - 1);
            QVERIFY(text::writeLines(m_dir.filePath("odd.ini"), lines).ok());
            Settings s;
            s.amountFormat = "0.00";
            s.pageSetup.paperType = 7;
            const IniReadResult read = ChargeIni(m_dir.filePath("odd.ini"), s);
            QCOMPARE(read.badLine, r.badLine);
            QCOMPARE((QStringList{s.lastDossier, s.amountFormat}), (QStringList{r.dossier, r.format}));
            QCOMPARE(s.pageSetup.paperType, r.paperType);
        }
        PayrollParameters params;
        params.decimalPlaces = 7;
        params.paidLeaveBaseHours = -5;
        const PayrollParametersForm form(params);
        QCOMPARE(form.text(PayrollParametersForm::SurBaseDe), QString("169"));
        QVERIFY(form.apply(params));
        QCOMPARE((QList<double>{double(params.decimalPlaces), params.paidLeaveBaseHours}), (QList<double>{3, 169}));
        params.decimalPlaces = -2;
        QCOMPARE(PayrollParametersForm(params).decimalPlaces(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPayrollProfiles)
#include "test_payroll_profiles.moc"
