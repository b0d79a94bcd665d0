#include "employees/copybuffer.h"
#include "employees/departments.h"
#include "employees/employeeform.h"
#include "employees/listeditor.h"
#include "store/collection.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/clock.h"
#include "text/encoding.h"

#include <QFile>
#include <QtTest>

namespace {

class FixedClock : public Clock
{
public:
    QDate today() const override { return QDate(2003, 4, 17); }
};



// 29 positional lines with the given ones replaced (distance -> text).
QStringList fields(const QMap<int, QString> &values = {})
{
    QStringList lines;
    for (int d = 1; d <= EmployeeForm::kFieldCount; ++d)
        lines.append(values.value(d));
    return lines;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class TestEmployees : public QObject
{
    Q_OBJECT
    FixedClock m_clock;
    const QDate m_today{2003, 4, 17};

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void workedExampleReads();
    void recordsWriteBackByteIdentical();
    void defaultsOfMissingBlock();
    void cutShortOrBadDate_data();
    void cutShortOrBadDate();
    void accountOnReading_data();
    void accountOnReading();
    void historyRowsWritten_data();
    void historyRowsWritten();
    void variableLines();
    void editInMiddleStaysInPlace();
    void numerom_data();
    void numerom();
    void ajout();
    void ajoutFull();
    void historyEntry_data();
    void historyEntry();
    void historyFull();
    void profileSplit_data();
    void profileSplit();
    void rset_data();
    void rset();
    void copyPaste();
    void departmentsList();
    void listEditor();
};

void TestEmployees::workedExampleReads()
{
    QStringList lines;
    QVERIFY(text::readLines(testsupport::dataPath("employees/exemple.emp"), lines).ok());
    Collection c = make(lines);
    EmployeeForm f;
    LitFiche(c, 0, f);
    QCOMPARE(f.code, QString("10001"));
    QCOMPARE(f.civility, QString("M"));
    QCOMPARE(f.birthDate, QDate(1970, 3, 15));
    QCOMPARE(f.name, QString("DURAND Paul"));
    QCOMPARE(f.birthPlace, QString("Lyon"));
    QCOMPARE(f.address1, QString("12 rue des Lilas"));
    QCOMPARE(f.postcode, QString("69003"));
    QCOMPARE(f.town, QString("LYON"));
    QCOMPARE(f.job, QString("Comptable"));
    QCOMPARE(f.education, QString("BTS"));
    QCOMPARE(f.paymentMethod, QString("Virement"));
    QCOMPARE(f.familySituation, QString("Marié"));
    QCOMPARE(f.hours, QString("151,67"));
    QCOMPARE(f.salary, QString("1500,00"));
    QCOMPARE(f.profileCode, QString("10001"));
    QCOMPARE(f.profileName, QString("Standard"));
    QCOMPARE(f.account, QString("421000"));
    QCOMPARE(f.cumul, QString("0"));
    QCOMPARE(f.entryDate, QDate(2001, 2, 1));
    QCOMPARE(f.leavingDate, QDate(2002, 12, 5));
    QCOMPARE(f.note, QStringList{"Embauché après un stage"});
    QCOMPARE(f.history[0], (HistoryRow{"10/01/2002", "Avance", "      150,00"}));
    QVERIFY(f.history[1].isEmpty());
    QVERIFY(!f.edited);
    QCOMPARE(f.historyDate, m_today);

    LitFiche(c, 1, f);
    QCOMPARE(f.name, QString("Dupont Élise"));
    QCOMPARE(f.cumul, QString("  1234,56")); // kept as stored; readers trim
    QCOMPARE(f.note, (QStringList{"Première ligne", "", "Troisième ligne"}));
    QCOMPARE(f.history[1], (HistoryRow{"01/01/2002", "", ""}));
    QCOMPARE(f.history[2].label, QString("Prime"));
}

// Reading every record and writing it back unchanged gives the same file, byte for byte.
void TestEmployees::recordsWriteBackByteIdentical()
{
    const QString source = testsupport::dataPath("employees/exemple.emp");
    QStringList lines;
    QVERIFY(text::readLines(source, lines).ok());
    Collection c = make(lines);
    for (int n = 0; n < c.count(); ++n) {
        EmployeeForm f;
        LitFiche(c, n, f);
        f.edited = true;
        QVERIFY(EcritFiche(c, n, f));
        QVERIFY(!f.edited);
    }
    QTemporaryDir dir;
    const QString out = dir.filePath("copie.emp");
    QVERIFY(text::writeLines(out, c.lines()).ok());
    QCOMPARE(bytesOf(out), bytesOf(source));
}

void TestEmployees::defaultsOfMissingBlock()
{
    Collection c = make(blk(0, fields({{1, "10001"}, {4, "A"}})));
    EmployeeForm f;
    f.name = "reste";
    f.note = {"x"};
    f.history[0] = {"01/01/2002", "a", "1"};
    f.edited = true;
    LitFiche(c, 5, f);
    QCOMPARE(f.name, QString());
    QVERIFY(f.note.isEmpty());
    QVERIFY(f.history[0].isEmpty());
    QCOMPARE(f.account, QString("421000"));
    QCOMPARE(f.birthDate, m_today);
    QCOMPARE(f.entryDate, m_today);
    QCOMPARE(f.leavingDate, m_today);
    QVERIFY(!f.edited);
    // A record without code is offered the next one, except while reading in batch.
    QCOMPARE(f.code, QString("10002"));
    LitFiche(c, 5, f, true);
    QCOMPARE(f.code, QString());
}

void TestEmployees::cutShortOrBadDate_data()
{
    QTest::addColumn<QStringList>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("town");
    QTest::addColumn<QDate>("entry");
    QTest::addColumn<QString>("account");

    QStringList full = fields({{1, "1"}, {4, "NOM"}, {9, "VILLE"}, {26, "4210"}, {28, "03/03/2003"}});
    QTest::newRow("complet") << full << "NOM" << "VILLE" << QDate(2003, 3, 3) << "421000";
    QTest::newRow("coupé après le nom") << full.mid(0, 4) << "NOM" << "" << QDate(2003, 4, 17) << "421000";
    QStringList badBirth = full;
    badBirth[2] = "31/02/1970";
    QTest::newRow("date de naissance illisible") << badBirth << "NOM" << "VILLE" << QDate(2003, 3, 3) << "421000";
    QStringList emptyEntry = full;
    emptyEntry[27] = "";
    QTest::newRow("date d'entrée vide") << emptyEntry << "NOM" << "VILLE" << QDate(2003, 4, 17) << "421000";
    QStringList badEntry = full;
    badEntry[27] = "demain";
    QTest::newRow("date d'entrée illisible") << badEntry << "NOM" << "VILLE" << QDate(2003, 4, 17) << "421000";
}

// A block cut short never reads its closing tag or the next block as a field.
void TestEmployees::cutShortOrBadDate()
{
    QFETCH(QStringList, content);
    QFETCH(QString, name);
    QFETCH(QString, town);
    QFETCH(QDate, entry);
    QFETCH(QString, account);
    Collection c = make(blk(0, content) + blk(1, fields({{4, "AUTRE"}, {9, "AILLEURS"}})));
    EmployeeForm f;
    LitFiche(c, 0, f);
    QCOMPARE(f.name, name);
    QCOMPARE(f.town, town);
    QCOMPARE(f.entryDate, entry);
    QCOMPARE(f.account, account);
    QVERIFY(f.note.isEmpty());
}

void TestEmployees::accountOnReading_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("left");
    QTest::newRow("42") << "42" << "42000" << "420000";
    QTest::newRow("421") << "421" << "421000" << "421000";
    QTest::newRow("sept chiffres") << "4210001" << "421000" << "421000";
    QTest::newRow("vide") << "" << "421000" << "0000";
    QTest::newRow("lettres") << "abcdefgh" << "abcdef" << "abcdef";
}

void TestEmployees::accountOnReading()
{
    QFETCH(QString, stored);
    QFETCH(QString, read);
    QFETCH(QString, left);
    Collection c = make(blk(0, fields({{1, "1"}, {26, stored}})));
    EmployeeForm f;
    LitFiche(c, 0, f);
    QCOMPARE(f.account, read);
    QCOMPARE(normaliserCompte(stored), left);
}

void TestEmployees::historyRowsWritten_data()
{
    QTest::addColumn<QList<HistoryRow>>("rows");
    QTest::addColumn<int>("written");
    QTest::newRow("aucune") << QList<HistoryRow>{} << 0;
    QTest::newRow("date seule: 12 caractères") << QList<HistoryRow>{{"01/01/2002", "", ""}} << 1;
    QTest::newRow("libellé court arrête la liste")
        << QList<HistoryRow>{{"01/01/2002", "a", "1"}, {"", "abc", ""}, {"02/01/2002", "b", "2"}} << 1;
    QTest::newRow("exactement 10") << QList<HistoryRow>{{"", "12345678", ""}} << 1;
    QTest::newRow("9 caractères") << QList<HistoryRow>{{"", "1234567", ""}} << 0;
    QList<HistoryRow> full;
    for (int i = 0; i < EmployeeForm::kHistoryRows; ++i)
        full.append({"01/01/2002", QString::number(i), "1,00"});
    QTest::newRow("63 lignes") << full << 63;
}

void TestEmployees::historyRowsWritten()
{
    QFETCH(QList<HistoryRow>, rows);
    QFETCH(int, written);
    EmployeeForm f;
    f.reset(m_today);
    for (int i = 0; i < rows.size(); ++i)
        f.history[i] = rows[i];
    f.edited = true;
    Collection c;
    QVERIFY(EcritFiche(c, 0, f));
    // And they read back as they were.
    EmployeeForm back;
    LitFiche(c, 0, back);
    for (int i = 0; i < written; ++i) {
        QCOMPARE(back.history[i].date, rows[i].date);
        QCOMPARE(back.history[i].label, rows[i].label);
        QCOMPARE(back.history[i].amount.trimmed(), rows[i].amount);
    }
    if (written < EmployeeForm::kHistoryRows)
        QVERIFY(back.history[written].isEmpty());
}

void TestEmployees::variableLines()
{
    const QString longText(300, u'x');
    QStringList content = fields({{1, "1"}});
    content << "MEMO" + longText << "DATA" + longText << "DATAsans tabulation"
            << "ligne étrangère" << "DATA03/03/2003\tBonus\t5";
    for (int i = 0; i < 70; ++i)
        content << QString("DATA01/01/2002\tL%1\t1").arg(i);
    Collection c = make(blk(0, content));
    EmployeeForm f;
    LitFiche(c, 0, f);
    QCOMPARE(f.note, QStringList{longText.left(255)});
    // The long DATA line has no TAB in its first 255 characters, like the next one: both use
    // up a row with empty cells.
    QVERIFY(f.history[0].isEmpty());
    QVERIFY(f.history[1].isEmpty());
    QCOMPARE(f.history[2], (HistoryRow{"03/03/2003", "Bonus", Rset("5", kHistoryAmountChars)}));
    QCOMPARE(f.history[3].label, QString("L0"));
    QCOMPARE(f.history[62].label, QString("L59"));

    // The scan stops at distance 200: lines further in the block are not read.
    QStringList big = fields({{1, "1"}});
    for (int i = 0; i < 200; ++i)
        big << QString("MEMO%1").arg(i);
    Collection c2 = make(blk(0, big));
    LitFiche(c2, 0, f);
    QCOMPARE(f.note.size(), EmployeeForm::kReadLimit - EmployeeForm::kFieldCount);
}

void TestEmployees::editInMiddleStaysInPlace()
{
    Collection c = make(blk(0, fields({{1, "1"}})) + QStringList{" "} + blk(1, fields({{1, "2"}}))
                        + blk(2, fields({{1, "3"}})));
    EmployeeForm f;
    LitFiche(c, 1, f);
    f.note = {"un", "deux"};
    f.history[0] = {"01/01/2002", "Avance", Rset("10", kHistoryAmountChars)};
    QVERIFY(!EcritFiche(c, 1, f)); // not edited: nothing written
    f.edited = true;
    QVERIFY(EcritFiche(c, 1, f));
    QCOMPARE(c.lines().indexOf(Collection::openTag(1)), 32);
    QVERIFY(c.lines().indexOf(Collection::openTag(2)) > c.lines().indexOf(Collection::closeTag(1)));
    EmployeeForm back;
    LitFiche(c, 1, back);
    QCOMPARE(back.note, f.note);
    QCOMPARE(back.history[0], f.history[0]);
    LitFiche(c, 2, back);
    QCOMPARE(back.code, QString("3"));
}

void TestEmployees::numerom_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("next");
    QTest::newRow("dossier vide") << QStringList{} << 10001;
    QTest::newRow("10001 et 10007") << QStringList{"10001", "10007"} << 10008;
    QTest::newRow("petits codes") << QStringList{"5", "17"} << 10001;
    QTest::newRow("codes vides ignorés") << QStringList{"", "10003", ""} << 10004;
    QTest::newRow("code non numérique ignoré") << QStringList{"10004", "A12", "10002,5"} << 10005;
    QTest::newRow("blancs autour") << QStringList{" 10020 "} << 10021;
    QTest::newRow("négatif") << QStringList{"-20000"} << 10001;
    QTest::newRow("plus grand entier") << QStringList{"2147483647", "10009"} << 10010;
    QTest::newRow("trop grand") << QStringList{"99999999999", "10009"} << 10010;
}

void TestEmployees::numerom()
{
    QFETCH(QStringList, codes);
    QFETCH(int, next);
    QStringList lines;
    for (int i = 0; i < codes.size(); ++i)
        lines += blk(i, fields({{1, codes[i]}}));
    QCOMPARE(Numerom(make(lines)), next);
}

void TestEmployees::ajout()
{
    Collection c;
    EmployeeForm f;
    LitFiche(c, 0, f);
    QCOMPARE(f.code, QString("10001"));
    // First employee of a new dossier: count 0, the form shows defaults.
    QVERIFY(Ajout(c, f));
    QCOMPARE(c.count(), 1);
    QCOMPARE(c.current(), 0);
    QCOMPARE(f.code, QString("10001"));
    f.name = "PREMIER";
    f.edited = true;
    QVERIFY(Ajout(c, f)); // writes the first one back
    QCOMPARE(c.count(), 2);
    QCOMPARE(c.current(), 1);
    QCOMPARE(f.code, QString("10002"));
    QCOMPARE(f.name, QString());
    QVERIFY(!f.edited);
    EmployeeForm first;
    LitFiche(c, 0, first);
    QCOMPARE(first.name, QString("PREMIER"));
    QCOMPARE(first.code, QString("10001"));

    // Typing into the form of a new dossier before adding anything: the typed record stays
    // record 0 and the added one is record 1.
    Collection fresh;
    LitFiche(fresh, 0, f);
    f.name = "TAPÉ";
    f.edited = true;
    QVERIFY(Ajout(fresh, f));
    QCOMPARE(fresh.count(), 2);
    QCOMPARE(fresh.current(), 1);
    QCOMPARE(f.code, QString("10002"));
    QVERIFY(f.name.isEmpty());
    LitFiche(fresh, 0, first);
    QCOMPARE(first.name, QString("TAPÉ"));
}

void TestEmployees::ajoutFull()
{
    QStringList lines;
    for (int i = 0; i < Collection::kMaxBlocks - 1; ++i)
        lines += blk(i, {QString::number(10001 + i)});
    Collection c = make(lines);
    c.setCurrent(0);
    EmployeeForm f;
    LitFiche(c, 0, f);
    QVERIFY(Ajout(c, f)); // the 9999th, number 9998
    QCOMPARE(c.current(), 9998);
    QCOMPARE(f.code, QString("19999"));
    f.name = "DERNIER";
    f.edited = true;
    QVERIFY(!Ajout(c, f)); // the 10000th is refused, after the write-back
    QCOMPARE(c.count(), Collection::kMaxBlocks);
    QCOMPARE(c.current(), 9998);
    EmployeeForm last;
    LitFiche(c, 9998, last);
    QCOMPARE(last.name, QString("DERNIER"));
    QCOMPARE(last.code, QString("19999"));
}

void TestEmployees::historyEntry_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("error");
    QTest::newRow("deux décimales") << "Avance" << "150" << "0.00" << true << "150,00" << false;
    QTest::newRow("arrondi") << "Avance" << "2,675" << "0.00" << true << "2,68" << false;
    QTest::newRow("une décimale") << "Avance" << " 12,34 " << "0.0" << true << "12,3" << false;
    QTest::newRow("entier") << "Avance" << "12,5" << "#" << true << "13" << false;
    QTest::newRow("libellé blanc") << "   " << "150" << "0.00" << false << "" << false;
    QTest::newRow("montant vide") << "Avance" << "" << "0.00" << false << "" << false;
    QTest::newRow("pas un nombre") << "Avance" << "1,2,3" << "0.00" << false << "" << true;
    QTest::newRow("point") << "Avance" << "1.5" << "0.00" << false << "" << true;
}

void TestEmployees::historyEntry()
{
    QFETCH(QString, label);
    QFETCH(QString, amount);
    QFETCH(QString, format);
    QFETCH(bool, added);
    QFETCH(QString, shown);
    QFETCH(bool, error);
    EmployeeForm f;
    f.reset(m_today);
    f.history[0] = {"01/01/2002", "Paie", "10"};
    f.history[1] = {"", "sans date", "5"}; // a row without date is taken
    f.historyDate = QDate(2003, 1, 31);
    f.historyLabel = label;
    f.historyAmount = amount;
    QString message;
    QCOMPARE(ajouterHistorique(f, format, &message), added);
    QCOMPARE(f.edited, added);
    QCOMPARE(message.isEmpty(), !error);
    if (error)
        QCOMPARE(message, conversionMessage(amount));
    if (added) {
        QCOMPARE(f.history[1].date, QString("31/01/2003"));
        QCOMPARE(f.history[1].label, label);
        QCOMPARE(f.history[1].amount, Rset(shown, kHistoryAmountChars));
        QVERIFY(f.historyLabel.isEmpty() && f.historyAmount.isEmpty());
    } else {
        QCOMPARE(f.history[1].label, QString("sans date"));
        QCOMPARE(f.historyLabel, label);
        QCOMPARE(f.historyAmount, amount);
    }
}

void TestEmployees::historyFull()
{
    EmployeeForm f;
    f.reset(m_today);
    for (HistoryRow &row : f.history)
        row = {"01/01/2002", "x", "1"};
    f.historyLabel = "Prime";
    f.historyAmount = "10";
    QVERIFY(!ajouterHistorique(f, "0.00"));
    QVERIFY(!f.edited);
    QCOMPARE(f.historyLabel, QString("Prime"));
    QCOMPARE(f.historyAmount, QString("10"));
}

void TestEmployees::profileSplit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("10001 Standard") << "10001 Standard" << "10001" << "Standard";
    QTest::newRow("A B") << "A B" << "A B" << "ancien";
    QTest::newRow("espace en 5") << "1234 X Y" << "1234" << "X Y";
    QTest::newRow("espace en 4") << "123 X" << "123 X" << "ancien";
    QTest::newRow("sans espace") << "10001" << "10001" << "ancien";
    QTest::newRow("nom long") << "10001 " + QString(300, u'n') << "10001" << QString(255, u'n');
}

void TestEmployees::profileSplit()
{
    QFETCH(QString, text);
    QFETCH(QString, code);
    QFETCH(QString, name);
    EmployeeForm f;
    f.profileCode = text;
    f.profileName = "ancien";
    separerProfil(f);
    QCOMPARE(f.profileCode, code);
    QCOMPARE(f.profileName, name);
}

void TestEmployees::rset_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("charWidth");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("result");
    // Every character 6 pixels wide: spaces are added while the width is <= width - 10.
    QTest::newRow("95 pixels") << "150,00" << 6 << 95 << QString(9, u' ') + "150,00";
    QTest::newRow("trop large") << QString(20, u'9') << 6 << 95 << QString(20, u'9');
    QTest::newRow("blancs retirés") << "  7  " << 6 << 30 << "   7";
    QTest::newRow("vide") << "   " << 6 << 95 << "";
    QTest::newRow("mesure nulle") << "1" << 0 << 50 << QString(51, u' ') + "1";
}

void TestEmployees::rset()
{
    QFETCH(QString, text);
    QFETCH(int, charWidth);
    QFETCH(int, width);
    QFETCH(QString, result);
    QCOMPARE(Rset(text, width, [&](const QString &s) { return int(s.size()) * charWidth; }), result);
    // By characters: the text ends at the same column whatever its length.
    if (!text.trimmed().isEmpty() && text.trimmed().size() < kHistoryAmountChars)
        QCOMPARE(Rset(text, kHistoryAmountChars).size(), kHistoryAmountChars);
}

void TestEmployees::copyPaste()
{
    EmployeeForm source;
    source.reset(m_today);
    source.code = "10001";
    source.name = "DURAND Paul";
    source.address1 = "12 rue des Lilas";
    source.address2 = "Bât. C";
    source.postcode = "69003";
    source.town = "LYON";
    source.telephone = "04 78 00 00 00";
    source.email = "p@d.fr";
    source.account = "421001";
    source.education = "BTS";
    source.bankName = "Banque";
    source.salary = "1500";
    source.birthDate = QDate(1970, 3, 15);

    EmployeeCopy buffer;
    EmployeeForm target;
    target.reset(m_today);
    buffer.Coller(target, 10002); // nothing copied yet: empty texts
    QCOMPARE(target.name, QString());
    QCOMPARE(target.code, QString("10002"));

    buffer.Copier(source);
    target.reset(m_today);
    buffer.Coller(target, 10002);
    QVERIFY(target.edited);
    QCOMPARE(target.code, QString("10002"));
    for (int d : {4, 6, 7, 8, 9, 10, 11, 26, 13})
        QCOMPARE(target.fieldText(d), source.fieldText(d));
    QCOMPARE(target.bankName, QString());
    QCOMPARE(target.salary, QString());
    QCOMPARE(target.birthDate, m_today);
}

void TestEmployees::departmentsList()
{
    const QStringList &d = departements();
    QCOMPARE(d.size(), 97);
    QCOMPARE(d.first(), QString("00 Armées"));
    QCOMPARE(d.last(), QString("97 Dom"));
    QVERIFY(d.contains("81 Tarn"));
    QVERIFY(d.contains("85 Vendée"));
}

void TestEmployees::listEditor()
{
    QCOMPARE(ListEditor::caption(ListEditor::Kind::Banques), QString("Les Banques"));
    QCOMPARE(ListEditor::caption(ListEditor::Kind::Emplois), QString("Les Conventions collectives"));
    QCOMPARE(ListEditor::label(ListEditor::Kind::Emplois), QString("Emploi"));
    ListEditor e;
    e.Init({"BNP", "LCL"});
    e.setInput("Crédit Mutuel");
    e.valider(); // nothing selected: appended
    QCOMPARE(e.Result(), (QStringList{"BNP", "LCL", "Crédit Mutuel"}));
    QVERIFY(e.input().isEmpty());
    e.choisir(1);
    QCOMPARE(e.input(), QString("LCL"));
    e.setInput("Crédit Lyonnais");
    e.valider(); // replaces the selected entry
    QCOMPARE(e.Result(), (QStringList{"BNP", "Crédit Lyonnais", "Crédit Mutuel"}));
    QCOMPARE(e.selected(), -1);
    QVERIFY(!e.supprimer()); // nothing selected
    e.choisir(0);
    QVERIFY(e.supprimer());
    QCOMPARE(e.Result(), (QStringList{"Crédit Lyonnais", "Crédit Mutuel"}));
    QCOMPARE(e.selected(), -1);
    QVERIFY(e.input().isEmpty());
    e.choisir(7); // outside the list: nothing selected, so the next entry is appended
    e.setInput("X");
    e.valider();
    QCOMPARE(e.Result().last(), QString("X"));
}

QTEST_GUILESS_MAIN(TestEmployees)
#include "test_employees.moc"
