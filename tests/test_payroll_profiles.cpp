#include "fakeclock.h"
#include "payroll/caissemodel.h"
#include "payroll/payslipform.h"
#include "payroll/profileeditor.h"
#include "payroll/profileform.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QtTest>

namespace {

Collection profilesOf(const QList<QStringList> &contents)
{
    QStringList lines;
    for (int n = 0; n < contents.size(); ++n)
        lines += blk(n, contents[n]);
    return make(lines);
}

} // namespace

class TestPayrollProfiles : public QObject
{
    Q_OBJECT
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase()
    {
        m_clock.moment = QDateTime(QDate(2002, 3, 14), QTime(9, 0));
        Clock::setInstance(&m_clock);
    }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    // Every profile and payslip of a file written by the program, read and written back in
    // block order, gives the same file byte for byte.
    void blocksWrittenByProgramChangeOnRewrite_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("profils") << "records/exemple.Prl";
        QTest::newRow("bulletins") << "records/exemple.Pai";
    }

    void blocksWrittenByProgramChangeOnRewrite()
    {
        QFETCH(QString, file);
        const QString source = testsupport::dataPath(file);
        QStringList lines;
        QVERIFY(text::readLines(source, lines).ok());
        Collection c = make(lines);
        QVERIFY(c.count() >= 2);
        for (int n = 0; n < c.count(); ++n) {
            if (file.endsWith("Prl")) {
                ProfileForm f;
                LitProfil(c, n, f);
                f.edited = true;
                QVERIFY(EcritProfil(c, n, f));
            } else {
                PayslipForm f;
                LitBulletin(c, n, f, "999");
                f.edited = true;
                QVERIFY(EcritBulletin(c, n, f));
            }
        }
        QTemporaryDir dir;
        QVERIFY(text::writeLines(dir.filePath("copie"), c.lines()).ok());
        QCOMPARE(fileBytes(dir.filePath("copie")), fileBytes(source));
    }

    void rubriqueLostOnWrite_data()
    {
        QTest::addColumn<Rubrique>("row");
        QTest::addColumn<bool>("kept");
        QTest::newRow("court") << Rubrique{"X", "Y", "", "", ""} << true;
        QTest::newRow("code seul") << Rubrique{"X", "", "", "", ""} << true;
        QTest::newRow("libellé seul") << Rubrique{"", "Note", "", "", ""} << true;
        QTest::newRow("ni code ni libellé") << Rubrique{"", "", "2,90", "", "T"} << false;
    }

    // A short row in the middle keeps every row after it; only a row without code and label goes.
    void rubriqueLostOnWrite()
    {
        QFETCH(Rubrique, row);
        QFETCH(bool, kept);
        ProfileForm f;
        f.code = "10001";
        f.rubriques = {defaultRubriques()[0], row, defaultRubriques()[1]};
        f.edited = true;
        Collection c;
        QVERIFY(EcritProfil(c, 0, f));
        QCOMPARE(c.count(), 1);
        ProfileForm back;
        LitProfil(c, 0, back);
        const QList<Rubrique> expected = kept ? f.rubriques : QList<Rubrique>{f.rubriques[0], f.rubriques[2]};
        QCOMPARE(back.rubriques, expected);
    }

    // A name that begins like a tagged line is a name, not a rubrique or an observation.
    void nameTakenForRubrique()
    {
        Collection c = profilesOf({{"10001", "DATA cadres", "MEMOnote"}});
        ProfileForm f;
        LitProfil(c, 0, f);
        QCOMPARE(f.name, QString("DATA cadres"));
        QVERIFY(f.rubriques.isEmpty());
        QCOMPARE(f.observations, QStringList{"note"});
    }

    void numeropStopsOnText_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("next");
        QTest::addColumn<qint64>("nextPayslip");
        QTest::newRow("vide") << QStringList() << 10001 << qint64(200203001);
        QTest::newRow("trou") << QStringList{"10001", "10007"} << 10008 << qint64(200203001);
        QTest::newRow("texte ignoré") << QStringList{"10003", "ABC", ""} << 10004 << qint64(200203001);
        QTest::newRow("mois suivant") << QStringList{"200204005", "200202017"} << 200204006 << qint64(200204006);
    }

    // Next profile code and next payslip number: whole numbers only, each read the same by the
    // scan and by the cached index.
    void numeropStopsOnText()
    {
        QFETCH(QStringList, codes);
        QFETCH(int, next);
        QFETCH(qint64, nextPayslip);
        QList<QStringList> contents;
        for (const QString &code : codes)
            contents.append({code, "nom"});
        const Collection c = profilesOf(contents);
        QCOMPARE(Numerop(c), next);
        QCOMPARE(Numerob(c), nextPayslip);
        CodeIndex index;
        QCOMPARE(Numerob(c, index), nextPayslip);
    }

    void entryStoredWrongly_data()
    {
        QTest::addColumn<ProfileEntry>("entry");
        QTest::addColumn<int>("existing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Rubrique>("stored");
        const Rubrique none;
        QTest::newRow("code d'un profil") << ProfileEntry{"10002", "x", "", "", "T"} << 3 << ProfileEditor::codeUsedMessage() << none;
        QTest::newRow("nom d'un profil, autre casse") << ProfileEntry{"CADRES", "x", "", "", "T"} << 3 << ProfileEditor::codeUsedMessage() << none;
        QTest::newRow("ligne vide") << ProfileEntry{"", "", "1", "", "A"} << 3 << "" << none;
        QTest::newRow("64e rubrique") << ProfileEntry{"Z", "z", "", "", "T"} << 63 << ProfileEditor::tooManyMessage() << none;
        QTest::newRow("taux illisible") << ProfileEntry{"Z", "z", "1,2,3", "", "T"} << 3
                                        << "'1,2,3' n'est pas une valeur numérique correcte" << none;
        QTest::newRow("point et décimales") << ProfileEntry{"Z", "z", "5.5", " 12 ", "A"} << 62 << ""
                                            << Rubrique{"Z", "z", "5,50", "12,00", "A"};
    }

    void entryStoredWrongly()
    {
        QFETCH(ProfileEntry, entry);
        QFETCH(int, existing);
        QFETCH(QString, message);
        QFETCH(Rubrique, stored);
        Collection c = profilesOf({{"10001", "Standard"}, {"10002", "Cadres"}});
        ProfileEditor e(c);
        e.read();
        for (int i = 0; i < existing; ++i)
            e.form().rubriques.append({QString::number(i), "r", "", "", "T"});
        e.entry() = entry;
        QString said;
        QCOMPARE(e.store(&said), !stored.isBlank());
        QCOMPARE(said, message);
        QCOMPARE(e.form().rubriques.size(), existing + (stored.isBlank() ? 0 : 1));
        QCOMPARE(e.form().edited, !stored.isBlank());
        if (!stored.isBlank()) {
            QCOMPARE(e.form().rubriques.last(), stored);
            QCOMPARE(e.entry().code, QString());
            QCOMPARE(e.entry().base, entry.base); // the base list keeps its choice
        }
    }

    void modifyAndDeleteLoseRows()
    {
        Collection c;
        ProfileEditor e(c);
        e.read();
        e.GenRub();
        QVERIFY(e.ModiRubrique(3));
        QCOMPARE(e.entry().code, QString("U103"));
        // Deleting a row before the one being modified keeps modify mode on the same rubrique.
        QVERIFY(e.SupRubrique(2));
        QCOMPARE(e.form().rubriques.size(), 25);
        QCOMPARE(e.form().rubriques[2].code, QString("U103"));
        QCOMPARE(e.form().rubriques[3].code, QString("U104"));
        e.entry().label = "Veuvage";
        QVERIFY(e.store());
        QCOMPARE(e.form().rubriques[2].label, QString("Veuvage"));
        QCOMPARE(e.form().rubriques.size(), 25);
        QCOMPARE(e.modifiedRow(), -1);
        QVERIFY(!e.ModiRubrique(25));
        QVERIFY(!e.SupRubrique(25));
    }

    void reprendreTakesWrongProfile()
    {
        // The name of the first profile is the code looked for: only a code line counts.
        Collection c = profilesOf({{"10001", "10002", "DATAA\ta\t\t\tT"},
                                   {"10002", "Cadres", "DATAB\tb\t1,00\t\tB", "MEMOx", "DATAC\tc\t\t\tC"}});
        ProfileEditor e(c);
        e.read();
        e.form().observations = {"gardée"};
        QVERIFY(!e.Reprendre(""));
        QVERIFY(!e.Reprendre("99999"));
        QVERIFY(!e.form().edited);
        QVERIFY(e.Reprendre("10002"));
        QCOMPARE(e.form().rubriques.size(), 2);
        QCOMPARE(e.form().rubriques[1].code, QString("C"));
        QCOMPARE(e.form().code, QString("10001"));
        QCOMPARE(e.form().name, QString("10002"));
        QCOMPARE(e.form().observations, QStringList{"gardée"});
        QVERIFY(e.form().edited);
    }

    void newDossierLacksStandardProfile()
    {
        Collection c;
        ProfileEditor e(c);
        QVERIFY(e.showPage());
        QCOMPARE(e.form().code, QString("10001"));
        QCOMPARE(e.form().name, QString("Standard"));
        QCOMPARE(e.form().rubriques, defaultRubriques());
        QCOMPARE(e.form().tableRows(), ProfileForm::kMinRows);
        // Moving writes it: it becomes profile 0 and the next one added gets 10002.
        e.Deplacer(Move::Suivant);
        QCOMPARE(c.count(), 1);
        QVERIFY(e.Ajouter());
        QCOMPARE(c.current(), 1);
        QCOMPARE(e.form().code, QString("10002"));
        QVERIFY(e.form().rubriques.isEmpty());
        QVERIFY(!e.showPage()); // a dossier with profiles is shown as it is

        c.setCount(Collection::kMaxBlocks);
        QString message;
        QVERIFY(!e.Ajouter(&message));
        QCOMPARE(message, QString("Le fichier est plein"));
        QCOMPARE(c.count(), Collection::kMaxBlocks);
    }

    // Copy and paste of a profile of 40 rubriques into a new profile keeps all 40.
    void copyKeepsOnlyTwentyRows()
    {
        QStringList lines;
        QVERIFY(text::readLines(testsupport::dataPath("records/exemple.Prl"), lines).ok());
        Collection c = make(lines);
        ProfileEditor e(c);
        c.setCurrent(1);
        e.read();
        QCOMPARE(e.form().rubriques.size(), 41);
        QCOMPARE(e.form().tableRows(), 41);
        ProfileCopy copy;
        copy.Copier(e.form());
        QVERIFY(e.Ajouter());
        copy.Coller(e.form(), Numerop(c));
        QCOMPARE(e.form().code, QString("10004"));
        QCOMPARE(e.form().name, QString("Profil copié"));
        QVERIFY(e.write());
        ProfileForm back;
        LitProfil(c, 3, back);
        QCOMPARE(back.rubriques.size(), 41);
        QCOMPARE(back.rubriques[5], (Rubrique{"X", "Y", "", "", ""}));
    }

    void caisseDialogLosesOrCorrupts()
    {
        // An empty list gives one empty caisse, written back as eight TABs.
        QCOMPARE(CaisseModel({}).lines(), QStringList{QString(8, u'\t')});

        QStringList many;
        for (int i = 0; i < 70; ++i)
            many.append(QStringLiteral("Caisse %1\t\t\t\t\t\t\t\tC").arg(i));
        many[1] = "URSSAF\t01"; // fewer than nine fields
        CaisseModel m(many);
        QCOMPARE(m.count(), 70);
        QCOMPARE(m.tableRows(), 70);
        QCOMPARE(m.cell(70, 0), QString("Caisse 69"));
        m.Suivant();
        QCOMPARE(m.field(CaisseModel::Telephone), QString("01"));
        QVERIFY(!m.setField(CaisseModel::Nom, "a\tb"));
        QCOMPARE(m.field(CaisseModel::Nom), QString("URSSAF"));
        // The letter defaults to the name's first character when stored; a typed one stays.
        m.store();
        QCOMPARE(m.cell(2, CaisseModel::Lettre), QString("U"));
        QVERIFY(m.clickRow(3));
        QVERIFY(m.setField(CaisseModel::Lettre, "Z"));
        m.Precedent();
        QCOMPARE(m.cell(3, CaisseModel::Lettre), QString("Z"));
        QVERIFY(!m.clickRow(71));
        // Typing without storing reaches nothing.
        QVERIFY(m.setField(CaisseModel::Nom, "non enregistré"));
        const QStringList closed = m.lines();
        QCOMPARE(closed.size(), 70);
        QCOMPARE(closed[1], QString("URSSAF\t01\t\t\t\t\t\t\tU"));
        QVERIFY(!closed.join("").contains("non enregistré"));

        // Deleting the only caisse leaves nothing; adding after it works.
        CaisseModel one({"ASSEDIC\t\t\t\t\t\t\t\tA"});
        one.Supprimer();
        QCOMPARE(one.count(), 0);
        QVERIFY(one.lines().isEmpty());
        one.Precedent();
        one.Ajouter();
        QVERIFY(one.setField(CaisseModel::Nom, "Retraite"));
        one.store();
        QCOMPARE(one.lines(), QStringList{"Retraite\t\t\t\t\t\t\t\tR"});
    }
};

QTEST_GUILESS_MAIN(TestPayrollProfiles)
#include "test_payroll_profiles.moc"
