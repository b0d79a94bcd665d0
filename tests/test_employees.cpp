#include "employeesupport.h"
#include "employees/copybuffer.h"
#include "employees/exchange.h"
#include "employees/navigation.h"
#include "fakeclock.h"
#include "testsupport.h"
#include "text/encoding.h"

using namespace exchange;

namespace {

const QDate kToday{2003, 4, 17};

Collection example()
{
    return make(linesOf(testsupport::dataPath("employees/exemple.emp")));
}

struct DefaultsRow { const char *why; QStringList content; QString town; QDate birth, entry; };
const QStringList kFull = employee({{1, "1"}, {3, "15/03/1970"}, {9, "VILLE"}, {28, "03/03/2003"}});
const DefaultsRow kDefaultsRows[] = {
    {"block missing", {}, "", QDate(), QDate()},
    {"cut short after the name", kFull.mid(0, 4), "", QDate(1970, 3, 15), QDate()},
    {"entry date illegible", employee({{1, "1"}, {3, "15/03/1970"}, {9, "VILLE"}, {28, "demain"}}), "VILLE", QDate(1970, 3, 15), QDate()},
    {"birth date illegible", employee({{1, "1"}, {3, "31/02/1970"}, {9, "VILLE"}, {28, "03/03/2003"}}), "VILLE", QDate(), QDate(2003, 3, 3)},
};

struct HistoryRowsRow { const char *why; QList<HistoryRow> rows; int written; };
const HistoryRowsRow kHistoryRowsRows[] = {
    {"short label stops the list", {{"01/01/2002", "a", "1"}, {"", "abc", ""}, {"02/01/2002", "b", "2"}}, 1},
    {"exactly 10", {{"", "12345678", ""}}, 1},
    {"9 characters", {{"", "1234567", ""}}, 0},
    {"63 rows", QList<HistoryRow>(EmployeeForm::kHistoryRows, {"01/01/2002", "x", "1,00"}), 63},
};

struct EntryRow { const char *why; QString label, amount, format, shown; bool error; }; // shown empty: not added
// The amount in the dossier's format (how a format rounds is the text tests').
const EntryRow kEntryRows[] = {
    {"the dossier's format", "Avance", " 12,34 ", "0.0", "12,3", false}, {"blank label", "   ", "150", "0.00", "", false},
    {"no amount", "Avance", "", "0.00", "", false}, {"not a number", "Avance", "1.5", "0.00", "", true},
    {"history full", "Avance", "1", "0.00", "", false},
};

constexpr int Code = EmployeeForm::kCode, Name = EmployeeForm::kName, Postcode = EmployeeForm::kPostcode,
              Town = EmployeeForm::kTown, Telephone = EmployeeForm::kTelephone;

// count records with codes 10001... and names NOM0..., postcode 75001 at 2, 5 and 9, "75001 " at 7,
// PARIS at 2 and 9; the last one added but never written when unwritten is set.
Collection sample(int count = 10, bool unwritten = false)
{
    QList<QStringList> records;
    for (int i = 0; i < count - int(unwritten); ++i) {
        const bool paris = i == 2 || i == 9;
        const QString postcode = paris || i == 5 ? "75001" : i == 7 ? "75001 " : "69003";
        records.append(employee({{Code, QString::number(10001 + i)}, {Name, QString("NOM%1").arg(i)},
                                 {Postcode, postcode}, {Town, paris ? "PARIS" : "LYON"}}));
    }
    Collection c = collectionOf(records);
    if (unwritten)
        c.add();
    return c;
}

struct MoveRow { const char *why; int count; Selection selection; Move move; int current, expected; }; // -1: nothing moves
const Selection kAll{Selection::AllEmployees, "", ""}, kParis75{Selection::ByPostcode, "75001", ""};
const MoveRow kMoveRows[] = {
    {"first", 10, kAll, Move::Premier, 5, 0}, {"previous, no selection", 10, {}, Move::Precedent, 5, 4},
    {"previous from the first", 10, kAll, Move::Precedent, 0, 0}, {"next from the last", 10, kAll, Move::Suivant, 9, 9},
    {"last", 10, kAll, Move::Dernier, 3, 9}, {"two records, next", 2, kAll, Move::Suivant, 0, 1},
    {"one record, next", 1, kAll, Move::Suivant, 0, -1},
    {"no record, first", 0, kParis75, Move::Premier, 0, 0}, {"postcode, first", 10, kParis75, Move::Premier, 7, 2},
    {"postcode, next skips \"75001 \"", 10, kParis75, Move::Suivant, 5, 9}, {"postcode, previous", 10, kParis75, Move::Precedent, 8, 5},
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
    {"name in another case", SearchKind::Nom, "dupont m", 2}, {"accented small letters stay small", SearchKind::Nom, "dé", 4},
    {"accented capitals", SearchKind::Nom, "DÉ", 3}, {"no match across accents", SearchKind::Nom, "DÉSIRÉ P", -1},
    {"longer than the name", SearchKind::Nom, "martine", -1}, {"blocks in their file order", SearchKind::Nom, "martin", 1},
    {"code", SearchKind::Numero, "2", 5}, {"telephone", SearchKind::Telephone, "01 23", 4}, {"nothing typed", SearchKind::Nom, "", -1},
};

const QString kX1030(1030, u'x');
const QStringList kFourteen{"c0", "01/01/1990", "c2", "c3", "c4", "c5", "c6", "c7", "c8", "c9", "c10", "c11", "c12", "c13"};
struct FieldsRow { const char *why; QString line; QStringList fields; };
const FieldsRow kFieldsRows[] = {
    {"empty line", "", {""}},
    {"final tab", "M\t", {"M", ""}},
    {"rest cut at 1024", "a\t" + kX1030 + "\tb", {"a", kX1030.left(1024)}},
    {"first field whole", kX1030 + "\tb", {kX1030, "b"}},
    {"fourteen fields", kFourteen.join(u'\t'), kFourteen},
};

struct DecodeRow { const char *why; QByteArray bytes; bool isText; QString text; };
const DecodeRow kDecodeRows[] = {
    {"windows-1252", "\xc9lise \x80\x8a\x9f", true, "Élise €ŠŸ"}, {"utf-8 with BOM", "\xef\xbb\xbf\xc3\xa9t\xc3\xa9", true, "été"},
    {"utf-8 outside 1252", "Zo\xc3\xab \xe2\x98\x83 \xe2\x82\xac", true, "Zoë ? €"},
    {"utf-8 with a byte 1252 leaves unassigned", "\xc3\x81ngel", true, "Ángel"},
    {"controls a text file may hold", "A\tB\r\n\f\x1a", true, "A\tB\r\n\f\x1a"},
    {"nul byte", QByteArray("M\tA\0B", 6), false, ""}, {"control character", "M\tA\x01", false, ""},
    {"neither 1252 nor utf-8", "caf\xe9 \x81", false, ""},
};

} // namespace

// Records, moves, searches, sorts and the exchange files of the employees page, without its window.
class TestEmployees : public QObject
{
    Q_OBJECT
    PinnedClock m_clock{QDateTime(kToday, QTime(18, 23))};

private Q_SLOTS:
    void everyFieldReadsFromItsOwnLineAndWritesBackByteIdentical()
    {
        Collection c = example();
        EmployeeForm f;
        LitFiche(c, 1, f); // the record with every field filled, each differently
        const QStringList stored = c.blockContent(1);
        QCOMPARE((QStringList{f.code, f.civility, f.birthDate.toString("dd/MM/yyyy"), f.name, f.birthPlace, f.address1,
                              f.address2, f.postcode, f.town, f.telephone, f.email, f.job, f.education, f.bankName,
                              f.bankCode, f.branchCode, f.accountNumber, f.accountKey, f.paymentMethod, f.socialSecurity,
                              f.familySituation, f.hours, f.salary, f.profileCode, f.profileName, f.account, f.cumul,
                              f.entryDate.toString("dd/MM/yyyy"), f.leavingDate.toString("dd/MM/yyyy")}),
                 stored.mid(0, EmployeeForm::kFieldCount));
        QCOMPARE(f.note, (QStringList{"Première ligne", "", "Troisième ligne"}));
        QCOMPARE(f.history[1], (HistoryRow{"01/01/2002", "", ""}));
        QCOMPARE(f.history[2], (HistoryRow{"07/02/2011", "Prime", "       80,00"}));
        QVERIFY(!f.edited);
        QCOMPARE(f.historyDate, kToday);
        // Every record read and written back unchanged gives the same file, byte for byte; the
        // record 0 is followed by a blank line, so that a block not written in place shows.
        for (int n = 0; n < c.count(); ++n) {
            LitFiche(c, n, f);
            QVERIFY(!EcritFiche(c, n, f)); // not edited: not written
            f.edited = true;
            QVERIFY(EcritFiche(c, n, f));
            QVERIFY(!f.edited);
        }
        QTemporaryDir dir;
        QVERIFY(text::writeLines(dir.filePath("copie.emp"), c.lines()).ok());
        QCOMPARE(fileBytes(dir.filePath("copie.emp")), fileBytes(testsupport::dataPath("employees/exemple.emp")));
    }

    void missingOrDamagedFieldsReadAsDefaults_data() { addRows(kDefaultsRows); }
    void missingOrDamagedFieldsReadAsDefaults()
    {
        QFETCH(DefaultsRow, row);
        // A block cut short never reads its closing tag or the next block as a field.
        const bool missing = row.content.isEmpty();
        const QStringList next = blk(missing ? 0 : 1, employee({{4, "AUTRE"}, {9, "AILLEURS"}}, {"MEMOx"}));
        EmployeeForm f;
        f.note = {"x"};
        f.history[0] = {"01/01/2002", "a", "1"};
        f.edited = true;
        LitFiche(make(missing ? next : blk(0, row.content) + next), missing ? 5 : 0, f);
        QCOMPARE(f.town, row.town);
        QCOMPARE(f.birthDate, row.birth);
        QCOMPARE(f.entryDate, row.entry);
        QCOMPARE(f.account, QString("421000"));
        QVERIFY(f.note.isEmpty() && f.history[0].isEmpty() && !f.edited);
    }

    void accountIsCutOrPaddedToSixCharacters()
    {
        const QStringList rows[] = {{"42", "42000", "420000"}, {"4210001", "421000", "421000"}, {"", "421000", "0000"},
                                    {"abcdefgh", "abcdef", "abcdef"}}; // stored, read, normalised
        for (const QStringList &r : rows) {
            EmployeeForm f;
            LitFiche(collectionOf({employee({{1, "1"}, {EmployeeForm::kAccount, r[0]}})}), 0, f);
            QCOMPARE(f.account, r[1]);
            QCOMPARE(normaliserCompte(r[0]), r[2]);
        }
    }

    void historyIsWrittenUpToTheFirstRowShorterThanTenCharacters_data() { addRows(kHistoryRowsRows); }
    void historyIsWrittenUpToTheFirstRowShorterThanTenCharacters()
    {
        QFETCH(HistoryRowsRow, row);
        EmployeeForm f;
        f.reset(kToday);
        std::copy(row.rows.cbegin(), row.rows.cend(), f.history.begin());
        f.edited = true;
        Collection c;
        QVERIFY(EcritFiche(c, 0, f));
        EmployeeForm back;
        LitFiche(c, 0, back);
        for (int i = 0; i < row.written; ++i)
            QCOMPARE(back.history[i], (HistoryRow{row.rows[i].date, row.rows[i].label, Rset(row.rows[i].amount, kHistoryAmountChars)}));
        if (row.written < EmployeeForm::kHistoryRows)
            QVERIFY(back.history[row.written].isEmpty());
    }

    void notesAndHistoryReadWithinTheirLimits()
    {
        const QString longText(300, u'x');
        QStringList extra{"MEMO" + longText, "DATA" + longText, "DATAsans tabulation", "ligne étrangère",
                          "DATA03/03/2003\tBonus\t5"};
        for (int i = 0; i < 70; ++i)
            extra << QString("DATA01/01/2002\tL%1\t1").arg(i);
        EmployeeForm f;
        LitFiche(collectionOf({employee({{1, "1"}}, extra)}), 0, f);
        QCOMPARE(f.note, QStringList{longText.left(255)});
        // The long DATA line has no TAB in its first 255 characters, like the next one: both use
        // up a row with empty cells.
        QVERIFY(f.history[0].isEmpty() && f.history[1].isEmpty());
        QCOMPARE(f.history[2], (HistoryRow{"03/03/2003", "Bonus", Rset("5", kHistoryAmountChars)}));
        QCOMPARE(f.history[62].label, QString("L59"));
        // The scan stops at distance 200: lines further in the block are not read.
        LitFiche(collectionOf({employee({{1, "1"}}, QStringList(200, "MEMOn"))}), 0, f);
        QCOMPARE(f.note.size(), EmployeeForm::kReadLimit - EmployeeForm::kFieldCount);
    }

    void nextCodeFollowsTheLargestNumericCode()
    {
        const QPair<QStringList, int> rows[] = {
            {{}, 10001}, {{"10001", "10007", ""}, 10008}, {{"5", "-20000"}, 10001}, {{"10004", "A12", "10002,5"}, 10005},
            {{" 10020 "}, 10021}, {{"2147483647", "99999999999", "10009"}, 10010}, // no overflow
        };
        for (const auto &[codes, next] : rows) {
            QList<QStringList> records;
            for (const QString &code : codes)
                records.append({code});
            QCOMPARE(Numerom(collectionOf(records)), next);
        }
    }

    void addingToANewDossierKeepsWhatWasTypedAsTheFirstRecord()
    {
        // Typed into the empty form, or after a first "add" (record 0, the form's defaults): the
        // typed record is record 0 and the one added is record 1.
        for (bool addedFirst : {false, true}) {
            Collection c;
            EmployeeForm f;
            LitFiche(c, 0, f);
            QVERIFY(!addedFirst || (Ajout(c, f) && c.count() == 1 && c.current() == 0));
            f.name = "PREMIER";
            f.edited = true;
            QVERIFY(Ajout(c, f));
            QCOMPARE((QList<int>{c.count(), c.current()}), (QList<int>{2, 1}));
            QCOMPARE(f.code, QString("10002"));
            QVERIFY(f.name.isEmpty() && !f.edited);
            QCOMPARE((QStringList{c.lineOfBlock(0, 1), c.lineOfBlock(0, EmployeeForm::kName)}), (QStringList{"10001", "PREMIER"}));
        }
    }

    void addingStopsAtRecord9999AfterWritingTheFormBack()
    {
        QList<QStringList> records;
        for (int i = 0; i < Collection::kMaxBlocks - 1; ++i)
            records.append({QString::number(10001 + i)});
        Collection c = collectionOf(records);
        EmployeeForm f;
        LitFiche(c, 0, f);
        QVERIFY(Ajout(c, f)); // the 9999th, number 9998
        QCOMPARE(f.code, QString("19999"));
        f.name = "DERNIER";
        f.edited = true;
        QVERIFY(!Ajout(c, f));
        QCOMPARE((QList<int>{c.count(), c.current()}), (QList<int>{9999, 9998}));
        QCOMPARE(c.lineOfBlock(9998, EmployeeForm::kName), QString("DERNIER"));
    }

    void historyEntryNeedsALabelAndAFrenchAmount_data() { addRows(kEntryRows); }
    void historyEntryNeedsALabelAndAFrenchAmount()
    {
        QFETCH(EntryRow, row);
        EmployeeForm f;
        f.reset(kToday);
        f.history[0] = {"01/01/2002", "Paie", "10"};
        f.history[1] = {"", "sans date", "5"}; // a row without date is taken
        if (QByteArray(row.why) == "history full")
            f.history.fill({"01/01/2002", "x", "1"});
        const HistoryRow second = f.history[1];
        f.historyDate = QDate(2003, 1, 31);
        f.historyLabel = row.label;
        f.historyAmount = row.amount;
        const bool added = !row.shown.isEmpty();
        const Status s = ajouterHistorique(f, row.format);
        QCOMPARE(bool(s), added);
        QCOMPARE(f.edited, added);
        QCOMPARE(s.message(), row.error ? conversionMessage(row.amount) : QString());
        QCOMPARE(f.history[1], (added ? HistoryRow{"31/01/2003", row.label, Rset(row.shown, kHistoryAmountChars)} : second));
        QCOMPARE(f.historyLabel + f.historyAmount, added ? QString() : row.label + row.amount);
    }

    void profileNotSplitAtTheFifthCharacterOrRecordNotCompleted()
    {
        const QStringList rows[] = {{"1234 X Y", "1234", "X Y"}, {"123 X", "123 X", "ancien"}, {"10001", "10001", "ancien"},
                                    {"10001 " + QString(300, u'n'), "10001", QString(255, u'n')}}; // typed, code, name
        for (const QStringList &r : rows) {
            EmployeeForm f;
            f.profileCode = r[0];
            f.profileName = "ancien";
            separerProfil(f);
            QCOMPARE((QStringList{f.profileCode, f.profileName}), r.mid(1));
        }
        // Whatever wrote the record, the profile choice is split and an account the user changed
        // is completed; an account left as the record held it is not touched.
        const QStringList records[] = {{"10002 Cadre", "41", "421000", "10002|Cadre|410000"},
                                       {"10002", "4", "4", "10002|ancien|4"},
                                       {"10002", "4210001", "421000", "10002|ancien|421000"}}; // typed, account, stored, result
        for (const QStringList &r : records) {
            EmployeeForm f;
            f.profileCode = r[0];
            f.profileName = "ancien";
            f.account = r[1];
            completerFiche(f, r[2]);
            QCOMPARE((QStringList{f.profileCode, f.profileName, f.account}).join('|'), r[3]);
        }
    }

    void amountsAreRightAlignedToTheColumnWidth()
    {
        // Every character 6 pixels wide: spaces are added while the width is <= width - 10.
        const auto six = [](const QString &s) { return int(s.size()) * 6; };
        QCOMPARE(Rset("  150,00 ", 95, six), QString(9, u' ') + "150,00");
        QCOMPARE(Rset(QString(20, u'9'), 95, six), QString(20, u'9'));
        QCOMPARE(Rset("7", kHistoryAmountChars), QString(kHistoryAmountChars - 1, u' ') + "7");
    }

    void pasteTakesTheAddressAndAccountButNotTheBankOrPay()
    {
        EmployeeForm source, target;
        source.reset(kToday);
        target.reset(kToday);
        for (int d = 1; d <= EmployeeForm::kFieldCount; ++d)
            source.setFieldText(d, QString("f%1").arg(d));
        source.birthDate = QDate(1970, 3, 15);
        EmployeeCopy buffer;
        EmployeeForm blank = target;
        buffer.Coller(blank, 10002); // nothing copied yet: empty texts
        buffer.Copier(source);
        buffer.Coller(target, 10002);
        QVERIFY(target.edited);
        QCOMPARE(target.code, QString("10002"));
        const QList<int> copied{4, 6, 7, 8, 9, 10, 11, 13, 26};
        for (int d = 2; d <= EmployeeForm::kFieldCount; ++d)
            QCOMPARE(target.fieldText(d), copied.contains(d) ? QString("f%1").arg(d) : blank.fieldText(d));
        QVERIFY(target.birthDate.isNull()); // a date never set stays empty
    }

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
        Collection c = collectionOf({employee({{Code, "1"}}), {"2"}, employee({{Code, "3"}})});
        QCOMPARE(moveTarget(c, Move::Suivant, {Selection::ByPostcode, "", ""}), 2);
        QVERIFY(c.lineOfBlock(1, 2).isNull());
    }

    void moveChoiceAndSortWriteTheFormBackFirst()
    {
        Collection c = sample();
        EmployeeForm f;
        LitFiche(c, 0, f);
        f.name = "MODIFIÉ";
        f.edited = true;
        QVERIFY(Deplacer(c, f, Move::Suivant, {}));
        QCOMPARE(c.lineOfBlock(0, Name), QString("MODIFIÉ"));
        f.telephone = "08 88";
        f.edited = true;
        QVERIFY(Choisir(c, f, 9) && !Choisir(c, f, 10) && !Choisir(c, f, -1));
        QCOMPARE(c.lineOfBlock(1, Telephone), QString("08 88"));
        QCOMPARE(c.current(), 9);
        // A sort writes back too, then shows the record now at the current place.
        c.setCurrent(0);
        LitFiche(c, 0, f);
        f.name = "ZZZ";
        f.edited = true;
        Trier(c, f, SortKey::Nom);
        QVERIFY(f.name == "NOM1" && !f.edited);
        QCOMPARE(c.lineOfBlock(9, Name), QString("ZZZ"));
        // With a single record "next" does nothing at all: the edit stays in the form only.
        Collection one = sample(1);
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
        Collection c = make(blk(1, records[1]) + blk(0, records[0]) + collectionOf(records).lines().mid(2 * 31));
        QCOMPARE(rechercher(c, row.kind, row.typed), row.found);
        EmployeeForm f;
        c.setCurrent(3);
        const Status s = Rechercher(c, f, row.kind, row.typed);
        QCOMPARE(bool(s), row.found >= 0 || row.typed.isEmpty());
        QCOMPARE(c.current(), row.found >= 0 ? row.found : 3);
        QCOMPARE(s.message(), row.found >= 0 || row.typed.isEmpty() ? QString() : "Fiche " + row.typed.toUpper() + " non trouvée");
    }

    void listShowsEveryBlockOnceTheFileHas21Lines()
    {
        QVERIFY(!listeDisponible(make(QStringList(20, QString()))) && listeDisponible(make(QStringList(21, QString()))));
        const QList<EmployeeListRow> rows = listeEmployes(make(QStringList{" "} + sample().lines())); // a stray line is no row
        QCOMPARE(rows.size(), 10);
        QCOMPARE((QList<int>{rows[2].number, rows[2].sequence}), (QList<int>{2, 3}));
        QCOMPARE((QStringList{rows[9].name, rows[9].postcode, rows[9].town}), (QStringList{"NOM9", "75001", "PARIS"}));
        const QStringList items = listeEmp(collectionOf({employee({{Code, "10001"}, {Name, "DURAND Paul"}}), {"10002"}}));
        QCOMPARE(items, (QStringList{"10001 DURAND Paul", "10002 "}));
        QCOMPARE(codeChoisi(items[1]) + codeChoisi("10003"), QString("1000210003"));
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
        Collection c = collectionOf(records);
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
            QCOMPARE(c.lines(), collectionOf({records[order[0]], records[order[1]], records[order[2]]}).lines());
        }
    }

    void exportWritesFieldsTwoToTwelveInOrder()
    {
        const QStringList lines = exportLines(example());
        QCOMPARE(lines[0], QString("M\t15/03/1970\tDURAND Paul\tLyon\t12 rue des Lilas\t\t69003\tLYON\t04 78 00 00 00\t\tComptable"));
        // A block cut short exports empty fields, never its closing tag or the next block.
        const Collection cut = make(blk(0, {"10001", "Mme", "01/01/1990", "COURT"}) + QStringList{"<BLOC0001>", "10002", "M"});
        QCOMPARE(exportLines(cut), (QStringList{"Mme\t01/01/1990\tCOURT" + QString(8, u'\t'), "M" + QString(10, u'\t')}));
    }

    void importSplitsAtTabsAndCutsTheRestAt1024_data() { addRows(kFieldsRows); }
    void importSplitsAtTabsAndCutsTheRestAt1024()
    {
        QFETCH(FieldsRow, row);
        QCOMPARE(importFields(row.line), row.fields);
        Collection c = sample(3);
        QCOMPARE(importLines(c, {row.line}).added, 1);
        QCOMPARE(c.blockContent(3), QStringList{"10004"} + row.fields + QStringList(20, QString()));
    }

    void importTakesTheNumbersAfterTheLastWrittenRecord()
    {
        // A record added but never written has no block: the import takes its number.
        const struct { int count; bool unwritten; int first; } rows[] = {{0, false, 0}, {1, false, 1}, {1, true, 0}, {3, true, 2}};
        for (const auto &r : rows) {
            Collection c = sample(r.count, r.unwritten);
            QCOMPARE(importLines(c, {}).added, 0); // an empty file changes nothing
            QCOMPARE(c.count(), r.count);
            QCOMPARE(importLines(c, {"M\t\tUN", "Mme\t\tDEUX"}).added, 2);
            QCOMPARE((QList<int>{c.count(), c.current()}), (QList<int>{r.first + 2, r.first + 1}));
            QCOMPARE(column(c, EmployeeForm::kName), (QStringList{"NOM0", "NOM1"}.mid(0, r.first) + QStringList{"UN", "DEUX"}));
        }
    }

    void importStopsAt9998RecordsAndSaysSo()
    {
        Collection c = sample(9997);
        ImportResult r = importLines(c, {"M\t\tA", "M\t\tB"});
        QCOMPARE(r.added, 1);
        QVERIFY(r.truncated);
        QCOMPARE(c.count(), 9998);
        QCOMPARE(c.lineOfBlock(9997, EmployeeForm::kCode), QString("19998"));
        QCOMPARE(truncatedMessage(), QString("Trop de lignes, le fichier a été tronqué"));
    }

    void importedFieldsThatReadAsTagsStayInside()
    {
        Collection c = sample(1);
        importLines(c, {"M\t<BLOC0000>\t</bloc0001>\tNOM"});
        Collection reloaded = make(c.lines());
        QVERIFY(!reloaded.verif() && !reloaded.doublons().acted() && !reloaded.normalise());
        QCOMPARE(reloaded.count(), 2);
        QCOMPARE(reloaded.blockContent(1).mid(1, 4), (QStringList{"M", " <BLOC0000>", " </bloc0001>", "NOM"}));
    }

    void importReadsUtf8Or1252AndRefusesBinary_data() { addRows(kDecodeRows); }
    void importReadsUtf8Or1252AndRefusesBinary()
    {
        QFETCH(DecodeRow, row);
        QCOMPARE(exchange::isText(row.bytes), row.isText);
        if (row.isText)
            QCOMPARE(decodeImport(row.bytes), row.text);
    }
};

QTEST_GUILESS_MAIN(TestEmployees)
#include "test_employees.moc"
