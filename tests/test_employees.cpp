#include "employeesupport.h"
#include "employees/copybuffer.h"
#include "employees/listeditor.h"
#include "fakeclock.h"
#include "testsupport.h"
#include "text/encoding.h"

namespace {

const QDate kToday{2003, 4, 17};

struct DefaultsRow { const char *why; QStringList content; QString town; QDate birth, entry; };
const QStringList kFull = employee({{1, "1"}, {3, "15/03/1970"}, {9, "VILLE"}, {28, "03/03/2003"}});
QStringList replaced(QStringList lines, int distance, const QString &text)
{
    lines[distance - 1] = text;
    return lines;
}
const DefaultsRow kDefaultsRows[] = {
    {"block missing", {}, "", kToday, kToday},
    {"cut short after the name", kFull.mid(0, 4), "", QDate(1970, 3, 15), kToday},
    {"entry date illegible", replaced(kFull, 28, "demain"), "VILLE", QDate(1970, 3, 15), kToday},
    {"birth date illegible", replaced(kFull, 3, "31/02/1970"), "VILLE", kToday, QDate(2003, 3, 3)},
};

struct HistoryRowsRow { const char *why; QList<HistoryRow> rows; int written; };
QList<HistoryRow> fullHistory()
{
    QList<HistoryRow> rows;
    for (int i = 0; i < EmployeeForm::kHistoryRows; ++i)
        rows.append({"01/01/2002", QString::number(i), "1,00"});
    return rows;
}
const HistoryRowsRow kHistoryRowsRows[] = {
    {"short label stops the list", {{"01/01/2002", "a", "1"}, {"", "abc", ""}, {"02/01/2002", "b", "2"}}, 1},
    {"exactly 10", {{"", "12345678", ""}}, 1},
    {"9 characters", {{"", "1234567", ""}}, 0},
    {"63 rows", fullHistory(), 63},
};

struct EntryRow { const char *why; QString label, amount, format, shown; bool error; }; // shown empty: not added
const EntryRow kEntryRows[] = {
    {"rounded", "Avance", "2,675", "0.00", "2,68", false},
    {"one decimal", "Avance", " 12,34 ", "0.0", "12,3", false},
    {"whole", "Avance", "12,5", "#", "13", false},
    {"blank label", "   ", "150", "0.00", "", false},
    {"no amount", "Avance", "", "0.00", "", false},
    {"not a number", "Avance", "1.5", "0.00", "", true},
    {"history full", "Avance", "1", "0.00", "", false},
};

} // namespace

class TestEmployees : public QObject
{
    Q_OBJECT
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase()
    {
        m_clock.moment.setDate(kToday);
        Clock::setInstance(&m_clock);
    }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void everyFieldReadsFromItsOwnLineAndWritesBackByteIdentical()
    {
        const QString source = testsupport::dataPath("employees/exemple.emp");
        QStringList lines;
        QVERIFY(text::readLines(source, lines).ok());
        Collection c = make(lines);
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
        QCOMPARE(fileBytes(dir.filePath("copie.emp")), fileBytes(source));
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
            LitFiche(employees({employee({{1, "1"}, {EmployeeForm::kAccount, r[0]}})}), 0, f);
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
        LitFiche(employees({employee({{1, "1"}}, extra)}), 0, f);
        QCOMPARE(f.note, QStringList{longText.left(255)});
        // The long DATA line has no TAB in its first 255 characters, like the next one: both use
        // up a row with empty cells.
        QVERIFY(f.history[0].isEmpty() && f.history[1].isEmpty());
        QCOMPARE(f.history[2], (HistoryRow{"03/03/2003", "Bonus", Rset("5", kHistoryAmountChars)}));
        QCOMPARE(f.history[62].label, QString("L59"));
        // The scan stops at distance 200: lines further in the block are not read.
        LitFiche(employees({employee({{1, "1"}}, QStringList(200, "MEMOn"))}), 0, f);
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
            QCOMPARE(Numerom(employees(records)), next);
        }
    }

    void addingToANewDossierKeepsWhatWasTypedAsTheFirstRecord()
    {
        for (bool typed : {false, true}) {
            Collection c;
            EmployeeForm f;
            LitFiche(c, 0, f);
            QCOMPARE(f.code, QString("10001"));
            if (!typed) { // first "add" of an empty dossier: record 0, the form shows its defaults
                QVERIFY(Ajout(c, f));
                QCOMPARE(c.count(), 1);
                QCOMPARE(c.current(), 0);
                QCOMPARE(f.code, QString("10001"));
            }
            f.name = "PREMIER";
            f.edited = true;
            QVERIFY(Ajout(c, f));
            QCOMPARE(c.count(), 2);
            QCOMPARE(c.current(), 1);
            QCOMPARE(f.code, QString("10002"));
            QVERIFY(f.name.isEmpty() && !f.edited);
            EmployeeForm first;
            LitFiche(c, 0, first);
            QCOMPARE((QStringList{first.code, first.name}), (QStringList{"10001", "PREMIER"}));
        }
    }

    void addingStopsAtRecord9999AfterWritingTheFormBack()
    {
        QList<QStringList> records;
        for (int i = 0; i < Collection::kMaxBlocks - 1; ++i)
            records.append({QString::number(10001 + i)});
        Collection c = employees(records);
        EmployeeForm f;
        LitFiche(c, 0, f);
        QVERIFY(Ajout(c, f)); // the 9999th, number 9998
        QCOMPARE(c.current(), 9998);
        QCOMPARE(f.code, QString("19999"));
        f.name = "DERNIER";
        f.edited = true;
        QVERIFY(!Ajout(c, f));
        QCOMPARE(c.count(), Collection::kMaxBlocks);
        QCOMPARE(c.current(), 9998);
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
        QString message;
        const bool added = !row.shown.isEmpty();
        QCOMPARE(ajouterHistorique(f, row.format, &message), added);
        QCOMPARE(f.edited, added);
        QCOMPARE(message, row.error ? conversionMessage(row.amount) : QString());
        QCOMPARE(f.history[1], (added ? HistoryRow{"31/01/2003", row.label, Rset(row.shown, kHistoryAmountChars)} : second));
        QCOMPARE(f.historyLabel + f.historyAmount, added ? QString() : row.label + row.amount);
    }

    void profileCodeEndsAtTheFifthCharacterBlank()
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
    }

    void amountsAreRightAlignedToTheColumnWidth()
    {
        // Every character 6 pixels wide: spaces are added while the width is <= width - 10.
        const auto six = [](const QString &s) { return int(s.size()) * 6; };
        QCOMPARE(Rset("150,00", 95, six), QString(9, u' ') + "150,00");
        QCOMPARE(Rset(QString(20, u'9'), 95, six), QString(20, u'9'));
        QCOMPARE(Rset("  7  ", 30, six), "   7");
        QCOMPARE(Rset("1", 50, [](const QString &) { return 0; }), QString(51, u' ') + "1");
        QCOMPARE(Rset("7", kHistoryAmountChars), QString(kHistoryAmountChars - 1, u' ') + "7");
    }

    void pasteTakesTheAddressAndAccountButNotTheBankOrPay()
    {
        EmployeeForm source, target;
        source.reset(kToday);
        for (int d = 1; d <= EmployeeForm::kFieldCount; ++d)
            source.setFieldText(d, QString("f%1").arg(d));
        source.birthDate = QDate(1970, 3, 15);
        EmployeeCopy buffer;
        buffer.Coller(target, 10002); // nothing copied yet: empty texts
        QCOMPARE(target.name, QString());
        buffer.Copier(source);
        target.reset(kToday);
        buffer.Coller(target, 10002);
        QVERIFY(target.edited);
        QCOMPARE(target.code, QString("10002"));
        const QList<int> copied{4, 6, 7, 8, 9, 10, 11, 13, 26};
        EmployeeForm blank;
        blank.reset(kToday);
        for (int d = 2; d <= EmployeeForm::kFieldCount; ++d)
            QCOMPARE(target.fieldText(d), copied.contains(d) ? QString("f%1").arg(d) : blank.fieldText(d));
        QCOMPARE(target.birthDate, kToday);
    }

    void listEditorAppendsReplacesAndDeletesTheSelectedEntry()
    {
        ListEditor e;
        e.Init({"BNP", "LCL"});
        e.setInput("Crédit Mutuel");
        e.valider(); // nothing selected: appended
        e.choisir(1);
        QCOMPARE(e.input(), QString("LCL"));
        e.setInput("Crédit Lyonnais");
        e.valider(); // replaces the selected entry
        QVERIFY(!e.supprimer()); // nothing selected
        e.choisir(0);
        QVERIFY(e.supprimer());
        QVERIFY(e.input().isEmpty());
        e.choisir(7); // outside the list: nothing selected, so the next entry is appended
        e.setInput("X");
        e.valider();
        QCOMPARE(e.Result(), (QStringList{"Crédit Lyonnais", "Crédit Mutuel", "X"}));
    }
};

QTEST_GUILESS_MAIN(TestEmployees)
#include "test_employees.moc"
