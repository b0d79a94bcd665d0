#include "employeesupport.h"
#include "employees/navigation.h"
#include "testsupport.h"

namespace {

constexpr int Code = EmployeeForm::kCode, Name = EmployeeForm::kName, Postcode = EmployeeForm::kPostcode,
              Town = EmployeeForm::kTown, Telephone = EmployeeForm::kTelephone;

// count records with codes 10001..., postcode 75001 at 2, 5 and 9, "75001 " at 7, PARIS at 2 and 9.
Collection sample(int count = 10)
{
    QList<QStringList> records;
    for (int i = 0; i < count; ++i) {
        const bool paris = i == 2 || i == 9;
        const QString postcode = paris || i == 5 ? "75001" : i == 7 ? "75001 " : "69003";
        records.append(employee({{Code, QString::number(10001 + i)}, {Name, QString("NOM%1").arg(i)},
                                 {Postcode, postcode}, {Town, paris ? "PARIS" : "LYON"}}));
    }
    return employees(records);
}

struct MoveRow { const char *why; int count; Selection selection; Move move; int current, expected; }; // -1: nothing moves
const Selection kAll{Selection::AllEmployees, "", ""}, kParis75{Selection::ByPostcode, "75001", ""};
const MoveRow kMoveRows[] = {
    {"first", 10, kAll, Move::Premier, 5, 0},
    {"previous, no selection", 10, {}, Move::Precedent, 5, 4},
    {"previous from the first", 10, kAll, Move::Precedent, 0, 0},
    {"next", 10, kAll, Move::Suivant, 5, 6},
    {"next from the last", 10, kAll, Move::Suivant, 9, 9},
    {"last", 10, kAll, Move::Dernier, 3, 9},
    {"two records, next", 2, kAll, Move::Suivant, 0, 1},
    {"one record, next", 1, kAll, Move::Suivant, 0, -1},
    {"one record selected, last", 1, {Selection::ByPostcode, "69003", ""}, Move::Dernier, 0, -1},
    {"no record, first", 0, kParis75, Move::Premier, 0, 0},
    {"postcode, first", 10, kParis75, Move::Premier, 7, 2},
    {"postcode, next skips \"75001 \"", 10, kParis75, Move::Suivant, 5, 9},
    {"postcode, previous", 10, kParis75, Move::Precedent, 8, 5},
    {"postcode, previous from the first one", 10, kParis75, Move::Precedent, 2, 2},
    {"postcode, last", 10, kParis75, Move::Dernier, 0, 9},
    {"postcode with its blank", 10, {Selection::ByPostcode, "75001 ", ""}, Move::Premier, 0, 7},
    {"no candidate: stays", 10, {Selection::ByPostcode, "13000", ""}, Move::Dernier, 4, 4},
    {"town, previous", 10, {Selection::ByTown, "", "PARIS"}, Move::Precedent, 9, 2},
    {"town in another case is no candidate", 10, {Selection::ByTown, "", "Paris"}, Move::Premier, 5, 5},
};

// Block 1 is stored before block 0.
const QStringList kNames{"MARTIN", "Martin Lucie", "Dupont Marie", "DÉSIRÉ Léa", "Désiré Paul", "Martin"};
struct SearchRow { const char *why; SearchKind kind; QString typed; int found; };
const SearchRow kSearchRows[] = {
    {"name in another case", SearchKind::Nom, "dupont m", 2},
    {"accented small letters stay small", SearchKind::Nom, "dé", 4},
    {"accented capitals", SearchKind::Nom, "DÉ", 3},
    {"no match across accents", SearchKind::Nom, "DÉSIRÉ P", -1},
    {"longer than the name", SearchKind::Nom, "martine", -1},
    {"blocks in their file order", SearchKind::Nom, "martin", 1},
    {"code", SearchKind::Numero, "2", 5},
    {"telephone", SearchKind::Telephone, "01 23", 4},
    {"nothing typed", SearchKind::Nom, "", -1},
};

} // namespace

class TestEmployeesNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void movesStopAtTheEndsAndSkipWhatTheSelectionLeavesOut_data() { addRows(kMoveRows); }
    void movesStopAtTheEndsAndSkipWhatTheSelectionLeavesOut()
    {
        QFETCH(MoveRow, row);
        Collection c = sample(row.count);
        c.setCurrent(row.current);
        QCOMPARE(moveTarget(c, row.move, row.selection), row.expected);
        EmployeeForm f;
        QCOMPARE(Deplacer(c, f, row.move, row.selection), row.expected >= 0);
        if (row.expected >= 0 && row.count > 0)
            QCOMPARE(f.code, QString::number(10001 + row.expected));
    }

    void shortBlockIsNoCandidate()
    {
        // Block 1 stops before its postcode line: the lines after its closing tag are not its own.
        Collection c = employees({employee({{Code, "1"}}), {"2"}, employee({{Code, "3"}})});
        QCOMPARE(moveTarget(c, Move::Suivant, {Selection::ByPostcode, "", ""}), 2);
        QVERIFY(blockLine(c, 1, 2).isNull());
    }

    void moveAndChoiceWriteTheFormBackFirst()
    {
        Collection c = sample();
        EmployeeForm f;
        LitFiche(c, 0, f);
        f.name = "MODIFIÉ";
        f.edited = true;
        QVERIFY(Deplacer(c, f, Move::Suivant, {}));
        QCOMPARE(blockLine(c, 0, Name), QString("MODIFIÉ"));
        f.telephone = "08 88";
        f.edited = true;
        QVERIFY(Choisir(c, f, 9));
        QCOMPARE(blockLine(c, 1, Telephone), QString("08 88"));
        QVERIFY(!Choisir(c, f, 10) && !Choisir(c, f, -1));
        QCOMPARE(c.current(), 9);
        // With a single record "next" does nothing at all: the edit stays in the form only.
        Collection one = sample(1);
        LitFiche(one, 0, f);
        f.edited = true;
        QVERIFY(!Deplacer(one, f, Move::Suivant, {}));
        QVERIFY(f.edited);
    }

    void searchComparesUnaccentedCapitalsFromTheStart_data() { addRows(kSearchRows); }
    void searchComparesUnaccentedCapitalsFromTheStart()
    {
        QFETCH(SearchRow, row);
        QList<QStringList> records;
        for (int i = 0; i < kNames.size(); ++i)
            records.append(employee({{Code, QString::number(i == 5 ? 20001 : 10000 + i)}, {Name, kNames[i]},
                                     {Telephone, i == 4 ? "01 23 45" : ""}}));
        Collection c = make(blk(1, records[1]) + blk(0, records[0]) + employees(records).lines().mid(2 * 31));
        QCOMPARE(rechercher(c, row.kind, row.typed), row.found);
        EmployeeForm f;
        QString message;
        c.setCurrent(3);
        QCOMPARE(Rechercher(c, f, row.kind, row.typed, &message), row.found >= 0 || row.typed.isEmpty());
        QCOMPARE(c.current(), row.found >= 0 ? row.found : 3);
        QCOMPARE(message, row.found >= 0 || row.typed.isEmpty() ? QString() : "Fiche " + row.typed.toUpper() + " non trouvée");
    }

    void listShowsEveryBlockOnceTheFileHas21Lines()
    {
        QVERIFY(!listeDisponible(make(QStringList(20, QString()))));
        QVERIFY(listeDisponible(make(QStringList(21, QString()))));
        const QList<EmployeeListRow> rows = listeEmployes(make(QStringList{" "} + sample().lines())); // a stray line is no row
        QCOMPARE(rows.size(), 10);
        QCOMPARE((QList<int>{rows[2].number, rows[2].sequence}), (QList<int>{2, 3}));
        QCOMPARE((QStringList{rows[9].name, rows[9].postcode, rows[9].town}), (QStringList{"NOM9", "75001", "PARIS"}));
        const QStringList items = listeEmp(employees({employee({{Code, "10001"}, {Name, "DURAND Paul"}}), {"10002"}}));
        QCOMPARE(items, (QStringList{"10001 DURAND Paul", "10002 "}));
        QCOMPARE(codeChoisi(items[1]), QString("10002"));
        QCOMPARE(codeChoisi("10003"), QString("10003"));
        QCOMPARE(InitProfils(make(blk(0, {"10001", "Standard", "DATA100\tSalaire"}) + blk(1, {"10002"}))),
                 (QStringList{"10001 Standard", "10002 "}));
    }

    void sortByNameIgnoresCaseAndAccents()
    {
        const QList<QStringList> codeNames{{"1", "DURAND"}, {"2", "dupont"}, {"3", ""}, {"4", "eric"}, {"5", "Élodie"},
                                           {"7", "martin"}, {"6", "MARTIN"}, {"8", "Zoé"}, {"9", "Émile"}, {"0", "emile"}};
        QList<QStringList> records;
        for (const QStringList &cn : codeNames)
            records.append(employee({{Code, cn[0]}, {Name, cn[1]}}));
        Collection c = employees(records);
        trierCollection(c, SortKey::Nom);
        QCOMPARE(column(c, Name), (QStringList{"", "dupont", "DURAND", "Élodie", "emile", "Émile", "eric", "MARTIN", "martin", "Zoé"}));
        // Names equal but for case: ordered by their content (the code first), not by their place.
        QCOMPARE(column(c, Code).mid(7, 2), (QStringList{"6", "7"}));
    }

    void sortKeepsEveryBlockWhole()
    {
        const QList<QStringList> records{
            employee({{Code, "1"}, {Name, "B"}, {Postcode, "75001"}, {Town, "Annecy"}}, {"MEMOnote", "DATA01/01/2002\tA\t1"}),
            employee({{Code, "2"}, {Name, "C"}, {Postcode, "13000"}, {Town, "brest"}}, {"DATA02/02/2002\tPrime\t2"}),
            employee({{Code, "3"}, {Name, "a"}, {Postcode, "44000"}, {Town, "Caen"}})};
        const QList<QPair<SortKey, QList<int>>> orders{
            {SortKey::Nom, {2, 0, 1}}, {SortKey::CodePostal, {1, 2, 0}}, {SortKey::Ville, {0, 1, 2}}};
        for (const auto &[key, order] : orders) {
            // Stray lines around and between the blocks are dropped; their order in the file does not matter.
            Collection c = make(QStringList{" "} + blk(2, records[2]) + QStringList{"perdu"} + blk(0, records[0])
                                + blk(1, records[1]) + QStringList{""});
            c.setCurrent(1);
            trierCollection(c, key);
            QCOMPARE(c.current(), 1);
            QCOMPARE(c.lines(), employees({records[order[0]], records[order[1]], records[order[2]]}).lines());
        }
    }

    void sortWritesTheFormBackAndShowsTheNewRecord()
    {
        Collection c = employees({employee({{Name, "B"}}), employee({{Name, "A"}})});
        EmployeeForm f;
        LitFiche(c, 0, f);
        f.name = "Z";
        f.edited = true;
        Trier(c, f, SortKey::Nom);
        QCOMPARE(f.name, QString("A"));
        QVERIFY(!f.edited);
        QCOMPARE(blockLine(c, 1, Name), QString("Z"));
    }
};

QTEST_GUILESS_MAIN(TestEmployeesNavigation)
#include "test_employees_navigation.moc"
