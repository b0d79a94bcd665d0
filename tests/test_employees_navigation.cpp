#include "employees/navigation.h"
#include "store/collection.h"
#include "testsupport.h"
#include "text/clock.h"

#include <QtTest>

namespace {

class FixedClock : public Clock
{
public:
    QDate today() const override { return QDate(2003, 4, 17); }
};

struct Emp {
    QString code, name, postcode, town, telephone;
    QStringList extra = {};
};

QStringList content(const Emp &e)
{
    QStringList c;
    for (int d = 1; d <= EmployeeForm::kFieldCount; ++d)
        c << QString();
    c[EmployeeForm::kCode - 1] = e.code;
    c[EmployeeForm::kName - 1] = e.name;
    c[EmployeeForm::kPostcode - 1] = e.postcode;
    c[EmployeeForm::kTown - 1] = e.town;
    c[EmployeeForm::kTelephone - 1] = e.telephone;
    c[EmployeeForm::kAddress1 - 1] = e.name.isEmpty() ? QString() : "1 rue " + e.name;
    return c + e.extra;
}

Collection make(const QList<Emp> &emps)
{
    QStringList lines;
    for (int i = 0; i < emps.size(); ++i)
        lines << Collection::openTag(i) << content(emps[i]) << Collection::closeTag(i);
    Collection c;
    c.setLines(lines);
    c.recount();
    return c;
}

// Ten employees, postcode 75001 at 2, 5 and 9, "75001 " at 7, the town PARIS at 2 and 9.
Collection tenEmployees()
{
    QList<Emp> emps;
    for (int i = 0; i < 10; ++i)
        emps.append({QString::number(10001 + i), QString("NOM%1").arg(i), "69003", "LYON", ""});
    for (int i : {2, 5, 9})
        emps[i].postcode = "75001";
    emps[7].postcode = "75001 ";
    emps[2].town = emps[9].town = "PARIS";
    return make(emps);
}

} // namespace

class TestEmployeesNavigation : public QObject
{
    Q_OBJECT
    FixedClock m_clock;

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void moves_data();
    void moves();
    void smallCollections_data();
    void smallCollections();
    void shortBlockIsNoCandidate();
    void moveWritesBackFirst();
    void searches_data();
    void searches();
    void searchWritesBackFirst();
    void listWindow();
    void picker();
    void sortByName();
    void sortKeepsEveryBlock_data();
    void sortKeepsEveryBlock();
    void sortWritesBackAndReads();
};

void TestEmployeesNavigation::moves_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("move");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("expected");
    const int P = int(Move::Premier), R = int(Move::Precedent), S = int(Move::Suivant), D = int(Move::Dernier);
    for (int mode : {0, 1}) {
        const QByteArray m = "mode " + QByteArray::number(mode) + ": ";
        QTest::newRow(QByteArray(m + "premier").constData()) << mode << "" << P << 5 << 0;
        QTest::newRow(QByteArray(m + "précédent").constData()) << mode << "" << R << 5 << 4;
        QTest::newRow(QByteArray(m + "précédent depuis 0").constData()) << mode << "" << R << 0 << 0;
        QTest::newRow(QByteArray(m + "suivant").constData()) << mode << "" << S << 5 << 6;
        QTest::newRow(QByteArray(m + "suivant depuis le dernier").constData()) << mode << "" << S << 9 << 9;
        QTest::newRow(QByteArray(m + "dernier").constData()) << mode << "" << D << 3 << 9;
    }
    QTest::newRow("CP premier") << 2 << "75001" << P << 7 << 2;
    QTest::newRow("CP suivant depuis 5") << 2 << "75001" << S << 5 << 9;
    QTest::newRow("CP suivant depuis 9") << 2 << "75001" << S << 9 << 9;
    QTest::newRow("CP précédent depuis 2") << 2 << "75001" << R << 2 << 2;
    QTest::newRow("CP précédent depuis 9") << 2 << "75001" << R << 9 << 5;
    QTest::newRow("CP suivant depuis 6 (75001 espace ignoré)") << 2 << "75001" << S << 6 << 9;
    QTest::newRow("CP précédent depuis 8") << 2 << "75001" << R << 8 << 5;
    QTest::newRow("CP dernier") << 2 << "75001" << D << 0 << 9;
    QTest::newRow("CP avec espace") << 2 << "75001 " << P << 0 << 7;
    QTest::newRow("CP sans candidat") << 2 << "13000" << P << 4 << 4;
    QTest::newRow("CP sans candidat, dernier") << 2 << "13000" << D << 4 << 4;
    QTest::newRow("ville premier") << 3 << "PARIS" << P << 5 << 2;
    QTest::newRow("ville suivant") << 3 << "PARIS" << S << 2 << 9;
    QTest::newRow("ville précédent") << 3 << "PARIS" << R << 9 << 2;
    QTest::newRow("ville casse exacte") << 3 << "Paris" << P << 5 << 5;
}

void TestEmployeesNavigation::moves()
{
    QFETCH(int, mode);
    QFETCH(QString, value);
    QFETCH(int, move);
    QFETCH(int, current);
    QFETCH(int, expected);
    Collection c = tenEmployees();
    c.setCurrent(current);
    Selection sel{Selection::Mode(mode), mode == 2 ? value : QString(), mode == 3 ? value : QString()};
    QCOMPARE(moveTarget(c, Move(move), sel), expected);
    EmployeeForm f;
    QVERIFY(Deplacer(c, f, Move(move), sel));
    QCOMPARE(c.current(), expected);
    QCOMPARE(f.code, QString::number(10001 + expected));
}

void TestEmployeesNavigation::smallCollections_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("move");
    QTest::addColumn<int>("expected");
    for (int mode : {1, 2}) {
        const QByteArray m = "mode " + QByteArray::number(mode) + ", ";
        QTest::newRow(QByteArray(m + "1 fiche, suivant").constData()) << 1 << mode << int(Move::Suivant) << -1;
        QTest::newRow(QByteArray(m + "1 fiche, dernier").constData()) << 1 << mode << int(Move::Dernier) << -1;
        QTest::newRow(QByteArray(m + "1 fiche, premier").constData()) << 1 << mode << int(Move::Premier) << 0;
        QTest::newRow(QByteArray(m + "0 fiche, dernier").constData()) << 0 << mode << int(Move::Dernier) << -1;
        QTest::newRow(QByteArray(m + "0 fiche, premier").constData()) << 0 << mode << int(Move::Premier) << 0;
        QTest::newRow(QByteArray(m + "0 fiche, précédent").constData()) << 0 << mode << int(Move::Precedent) << 0;
    }
}

void TestEmployeesNavigation::smallCollections()
{
    QFETCH(int, count);
    QFETCH(int, mode);
    QFETCH(int, move);
    QFETCH(int, expected);
    QList<Emp> emps;
    for (int i = 0; i < count; ++i)
        emps.append({"10001", "A", "75001", "PARIS", ""});
    Collection c = make(emps);
    const Selection sel{Selection::Mode(mode), "75001", ""};
    QCOMPARE(moveTarget(c, Move(move), sel), expected);
}

void TestEmployeesNavigation::shortBlockIsNoCandidate()
{
    // Block 1 stops before its postcode line: the lines after its closing tag are not its own.
    QStringList lines;
    lines << Collection::openTag(0) << content({"1", "A", "", "", ""}) << Collection::closeTag(0);
    lines << Collection::openTag(1) << "2" << Collection::closeTag(1);
    lines << Collection::openTag(2) << content({"3", "C", "", "", ""}) << Collection::closeTag(2);
    Collection c;
    c.setLines(lines);
    c.recount();
    const Selection empty{Selection::ByPostcode, "", ""};
    c.setCurrent(0);
    QCOMPARE(moveTarget(c, Move::Suivant, empty), 2);
    QCOMPARE(blockLine(c, 1, 1), QString("2"));
    QVERIFY(blockLine(c, 1, 2).isNull());
    QVERIFY(!blockLine(c, 0, EmployeeForm::kPostcode).isNull());
}

void TestEmployeesNavigation::moveWritesBackFirst()
{
    Collection c = tenEmployees();
    EmployeeForm f;
    LitFiche(c, 0, f);
    f.name = "MODIFIÉ";
    f.edited = true;
    QVERIFY(Deplacer(c, f, Move::Suivant, {}));
    QCOMPARE(c.current(), 1);
    QCOMPARE(blockLine(c, 0, EmployeeForm::kName), QString("MODIFIÉ"));

    // With a single record "next" does nothing at all: the edit stays in the form only.
    Collection one = make({{"10001", "SEUL", "", "", ""}});
    LitFiche(one, 0, f);
    f.name = "EN COURS";
    f.edited = true;
    QVERIFY(!Deplacer(one, f, Move::Suivant, {}));
    QCOMPARE(f.name, QString("EN COURS"));
    QVERIFY(f.edited);
    QCOMPARE(blockLine(one, 0, EmployeeForm::kName), QString("SEUL"));
}

void TestEmployeesNavigation::searches_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("message");
    const int N = int(SearchKind::Nom), C = int(SearchKind::Numero), T = int(SearchKind::Telephone);
    QTest::newRow("nom du") << N << "du" << 1 << "";
    QTest::newRow("nom Dupont M") << N << "Dupont M" << 2 << "";
    QTest::newRow("nom dé trouve Désiré, pas DÉSIRÉ") << N << "dé" << 4 << "";
    QTest::newRow("nom DÉSIRÉ P") << N << "DÉSIRÉ P" << -1 << "Fiche DÉSIRÉ P non trouvée";
    QTest::newRow("nom DÉ trouve DÉSIRÉ") << N << "DÉ" << 3 << "";
    QTest::newRow("nom désiré trouve Désiré") << N << "désiré" << 4 << "";
    QTest::newRow("nom plus long que la ligne") << N << "martine" << -1 << "Fiche MARTINE non trouvée";
    QTest::newRow("nom vide") << N << "" << -1 << "";
    QTest::newRow("code 100") << C << "100" << 1 << "";
    QTest::newRow("code 2") << C << "2" << 5 << "";
    QTest::newRow("code absent") << C << "3" << -1 << "Fiche 3 non trouvée";
    QTest::newRow("téléphone") << T << "01 23" << 4 << "";
    QTest::newRow("téléphone absent") << T << "06" << -1 << "Fiche 06 non trouvée";
    // The search scans the collection as it stands: block 1 is stored before block 0.
    QTest::newRow("ordre du fichier") << N << "martin" << 1 << "";
}

void TestEmployeesNavigation::searches()
{
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(int, found);
    QFETCH(QString, message);
    QList<Emp> emps{{"9001", "MARTIN", "", "", ""},
                    {"10001", "DUPONT Jean", "", "", ""},
                    {"10002", "Dupont Marie", "", "", ""},
                    {"10003", "DÉSIRÉ Léa", "", "", ""},
                    {"10004", "Désiré Paul", "", "", "01 23 45 67 89"},
                    {"20001", "Martin", "", "", ""}};
    Collection c = make(emps);
    // Block 1 first, then the others.
    QStringList lines = c.lines();
    const QStringList second = lines.mid(31, 31);
    lines.remove(31, 31);
    lines = second + lines;
    lines[0 + EmployeeForm::kName] = "Martin Lucie";
    c.setLines(lines);
    if (QString(QTest::currentDataTag()) != "ordre du fichier")
        c = make(emps);

    QCOMPARE(rechercher(c, SearchKind(kind), typed), found);
    EmployeeForm f;
    QString shown;
    const bool ok = Rechercher(c, f, SearchKind(kind), typed, &shown);
    QCOMPARE(ok, found >= 0 || typed.isEmpty());
    QCOMPARE(shown, message);
    if (found >= 0)
        QCOMPARE(c.current(), found);
}

void TestEmployeesNavigation::searchWritesBackFirst()
{
    Collection c = tenEmployees();
    c.setCurrent(3);
    EmployeeForm f;
    LitFiche(c, 3, f);
    f.telephone = "09 99";
    f.edited = true;
    QString message;
    QVERIFY(!Rechercher(c, f, SearchKind::Nom, "ZZZ", &message)); // not found: nothing moves
    QCOMPARE(message, QString("Fiche ZZZ non trouvée"));
    QCOMPARE(c.current(), 3);
    QVERIFY(f.edited);
    QVERIFY(Rechercher(c, f, SearchKind::Numero, "10008"));
    QCOMPARE(c.current(), 7);
    QCOMPARE(blockLine(c, 3, EmployeeForm::kTelephone), QString("09 99"));
    // The list window's choice too.
    f.telephone = "08 88";
    f.edited = true;
    QVERIFY(Choisir(c, f, 2));
    QCOMPARE(blockLine(c, 7, EmployeeForm::kTelephone), QString("08 88"));
    QVERIFY(!Choisir(c, f, 10));
    QVERIFY(!Choisir(c, f, -1));
}

void TestEmployeesNavigation::listWindow()
{
    Collection tiny;
    tiny.setLines(QStringList(20, QString()));
    QVERIFY(!listeDisponible(tiny));
    tiny.setLines(QStringList(21, QString()));
    QVERIFY(listeDisponible(tiny));

    Collection c = tenEmployees();
    QStringList lines = c.lines();
    lines.insert(0, " "); // a line outside the blocks is no row
    c.setLines(lines);
    const QList<EmployeeListRow> rows = listeEmployes(c);
    QCOMPARE(rows.size(), 10);
    QCOMPARE(rows[2].number, 2);
    QCOMPARE(rows[2].sequence, 3);
    QCOMPARE(rows[2].name, QString("NOM2"));
    QCOMPARE(rows[2].address1, QString("1 rue NOM2"));
    QCOMPARE(rows[2].postcode, QString("75001"));
    QCOMPARE(rows[2].town, QString("PARIS"));
    QCOMPARE(listeColonnes().size(), 8);
    QCOMPARE(listeColonnes()[4], QString("C.P."));
}

void TestEmployeesNavigation::picker()
{
    Collection c = make({{"10001", "DURAND Paul", "", "", ""}, {"10002", "", "", "", ""}});
    const QStringList items = listeEmp(c);
    QCOMPARE(items, (QStringList{"10001 DURAND Paul", "10002 "}));
    QCOMPARE(codeChoisi(items[0]), QString("10001"));
    QCOMPARE(codeChoisi(items[1]), QString("10002"));
    QCOMPARE(codeChoisi("10003"), QString("10003"));

    Collection profiles;
    profiles.setLines({Collection::openTag(0), "10001", "Standard", "DATA100\tSalaire de base\t\t\tT",
                       Collection::closeTag(0), Collection::openTag(1), "10002", Collection::closeTag(1)});
    profiles.recount();
    QCOMPARE(InitProfils(profiles), (QStringList{"10001 Standard", "10002 "}));
}

void TestEmployeesNavigation::sortByName()
{
    Collection c = make({{"1", "DURAND", "", "", ""},
                         {"2", "dupont", "", "", ""},
                         {"3", "", "", "", ""},
                         {"4", "eric", "", "", ""},
                         {"5", "Élodie", "", "", ""},
                         {"7", "MARTIN", "", "", ""},
                         {"6", "martin", "", "", ""},
                         {"8", "Zoé", "", "", ""}});
    trierCollection(c, SortKey::Nom);
    QStringList names, codes;
    for (int n = 0; n < c.count(); ++n) {
        names << blockLine(c, n, EmployeeForm::kName);
        codes << blockLine(c, n, EmployeeForm::kCode);
    }
    QCOMPARE(names, (QStringList{"", "dupont", "DURAND", "Élodie", "eric", "martin", "MARTIN", "Zoé"}));
    // Equal names without regard to case: ordered by their content (the code first).
    QCOMPARE(codes[5], QString("6"));
    QCOMPARE(codes[6], QString("7"));
}

void TestEmployeesNavigation::sortKeepsEveryBlock_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("nom") << int(SortKey::Nom) << QStringList{"3", "1", "2"};
    QTest::newRow("code postal") << int(SortKey::CodePostal) << QStringList{"2", "3", "1"};
    QTest::newRow("ville") << int(SortKey::Ville) << QStringList{"1", "2", "3"};
}

void TestEmployeesNavigation::sortKeepsEveryBlock()
{
    QFETCH(int, key);
    QFETCH(QStringList, expected);
    const QList<Emp> emps{{"1", "B", "75001", "Annecy", "", {"MEMOnote de B", "DATA01/01/2002\tAvance\t   10,00"}},
                          {"2", "C", "13000", "brest", "", {"DATA02/02/2002\tPrime\t  20,00"}},
                          {"3", "a", "44000", "Caen", "", {"MEMOl1", "MEMOl2"}}};
    Collection c = make(emps);
    // Stray lines between and around blocks are dropped; block order in the file does not matter.
    QStringList lines = c.lines();
    lines.insert(0, " ");
    lines.insert(34, "texte perdu");
    lines.append("");
    c.setLines(lines);
    c.setCurrent(1);
    trierCollection(c, SortKey(key));
    QCOMPARE(c.count(), 3);
    QCOMPARE(c.current(), 1);
    QCOMPARE(c.lineCount(), 3 * 2 + 3 * 29 + 5);
    for (int n = 0; n < 3; ++n) {
        const QString code = expected[n];
        QCOMPARE(c.blockContent(n), content(emps[code.toInt() - 1]));
    }
    QVERIFY(!c.lines().contains("texte perdu"));
    QCOMPARE(c.lines().first(), Collection::openTag(0));
    QCOMPARE(c.lines().last(), Collection::closeTag(2));
}

void TestEmployeesNavigation::sortWritesBackAndReads()
{
    Collection c = make({{"1", "B", "", "", ""}, {"2", "A", "", "", ""}});
    c.setCurrent(0);
    EmployeeForm f;
    LitFiche(c, 0, f);
    f.name = "Z";
    f.edited = true;
    Trier(c, f, SortKey::Nom);
    // The form shows the record now at position 0: A; the edited one went last.
    QCOMPARE(f.name, QString("A"));
    QVERIFY(!f.edited);
    QCOMPARE(blockLine(c, 1, EmployeeForm::kName), QString("Z"));
}

QTEST_GUILESS_MAIN(TestEmployeesNavigation)
#include "test_employees_navigation.moc"
