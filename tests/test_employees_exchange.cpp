#include "employeesupport.h"
#include "employees/exchange.h"
#include "employees/navigation.h"
#include "fakeclock.h"
#include "store/dossier.h"
#include "testsupport.h"
#include "text/encoding.h"

using namespace exchange;

namespace {

Collection example()
{
    QStringList lines;
    text::readLines(testsupport::dataPath("employees/exemple.emp"), lines);
    return make(lines);
}

// count records with codes 10001... and names N0...; the last one added but never written
// when unwritten is set.
Collection withCodes(int count, bool unwritten = false)
{
    QList<QStringList> records;
    for (int i = 0; i < count - int(unwritten); ++i)
        records.append(employee({{EmployeeForm::kCode, QString::number(10001 + i)}, {EmployeeForm::kName, QString("N%1").arg(i)}}));
    Collection c = employees(records);
    if (unwritten)
        c.add();
    return c;
}

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
    {"windows-1252", "\xc9lise \x80\x8a\x9f", true, "Élise €ŠŸ"},
    {"utf-8 with BOM", "\xef\xbb\xbf\xc3\xa9t\xc3\xa9", true, "été"},
    {"utf-8 outside 1252", "Zo\xc3\xab \xe2\x98\x83 \xe2\x82\xac", true, "Zoë ? €"},
    {"utf-8 with a byte 1252 leaves unassigned", "\xc3\x81ngel", true, "Ángel"},
    {"controls a text file may hold", "A\tB\r\n\f\x1a", true, "A\tB\r\n\f\x1a"},
    {"nul byte", QByteArray("M\tA\0B", 6), false, ""},
    {"control character", "M\tA\x01", false, ""},
    {"neither 1252 nor utf-8", "caf\xe9 \x81", false, ""},
};

} // namespace

class TestEmployeesExchange : public QObject
{
    Q_OBJECT
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase()
    {
        m_clock.moment.setDate(QDate(2003, 4, 17));
        Clock::setInstance(&m_clock);
    }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void exportWritesFieldsTwoToTwelveInOrder()
    {
        const QStringList lines = exportLines(example());
        QCOMPARE(lines[0], QString("M\t15/03/1970\tDURAND Paul\tLyon\t12 rue des Lilas\t\t69003\tLYON\t04 78 00 00 00\t\tComptable"));
        // A block cut short exports empty fields, never its closing tag or the next block.
        const Collection cut = make(blk(0, {"10001", "Mme", "01/01/1990", "COURT"}) + QStringList{"<BLOC0001>", "10002", "M"});
        QCOMPARE(exportLines(cut), (QStringList{"Mme\t01/01/1990\tCOURT" + QString(8, u'\t'), "M" + QString(10, u'\t')}));
    }

    void exportedRecordsImportBackAfterTheLastOne()
    {
        const Collection source = example();
        QTemporaryDir dir;
        const QString file = dir.filePath("échange v2.txt");
        QVERIFY(Exporter(source, file).ok());
        QVERIFY(fileBytes(file).endsWith("Secr\xe9taire\r\n"));
        Collection target = withCodes(2);
        ImportResult r;
        QVERIFY(Importer(target, file, &r).ok());
        QCOMPARE(r.added, 2);
        QVERIFY(!r.truncated);
        QCOMPARE(target.count(), 4);
        QCOMPARE(target.current(), 3);
        QCOMPARE(blockLine(target, 2, 1), QString("10003"));
        QCOMPARE(target.blockContent(3).size(), 1 + 11 + 20);
        QCOMPARE(exportLines(target).mid(2), exportLines(source));
        // The imported record reads with its defaults where the file gave nothing.
        EmployeeForm f;
        LitFiche(target, 3, f);
        QCOMPARE(f.birthDate, QDate(1981, 11, 2));
        QCOMPARE(f.account, QString("421000"));
        QCOMPARE(f.entryDate, QDate(2003, 4, 17));
    }

    void importSplitsAtTabsAndCutsTheRestAt1024_data() { addRows(kFieldsRows); }
    void importSplitsAtTabsAndCutsTheRestAt1024()
    {
        QFETCH(FieldsRow, row);
        QCOMPARE(importFields(row.line), row.fields);
        Collection c = withCodes(3);
        QCOMPARE(importLines(c, {row.line}).added, 1);
        QCOMPARE(c.blockContent(3), QStringList{"10004"} + row.fields + QStringList(20, QString()));
    }

    void importTakesTheNumbersAfterTheLastWrittenRecord()
    {
        // A record added but never written has no block: the import takes its number.
        const struct { int count; bool unwritten; int first; } rows[] = {{0, false, 0}, {1, false, 1}, {1, true, 0}, {3, true, 2}};
        for (const auto &r : rows) {
            Collection c = withCodes(r.count, r.unwritten);
            QCOMPARE(importLines(c, {}).added, 0); // an empty file changes nothing
            QCOMPARE(c.count(), r.count);
            QCOMPARE(importLines(c, {"M\t\tUN", "Mme\t\tDEUX"}).added, 2);
            QCOMPARE(c.count(), r.first + 2);
            QCOMPARE(c.current(), r.first + 1);
            QCOMPARE(column(c, EmployeeForm::kName), (QStringList{"N0", "N1"}.mid(0, r.first) + QStringList{"UN", "DEUX"}));
        }
    }

    void importStopsAt9998RecordsAndSaysSo()
    {
        Collection c = withCodes(9997);
        ImportResult r = importLines(c, {"M\t\tA", "M\t\tB"});
        QCOMPARE(r.added, 1);
        QVERIFY(r.truncated);
        QCOMPARE(c.count(), 9998);
        QCOMPARE(blockLine(c, 9997, EmployeeForm::kCode), QString("19998"));
        QCOMPARE(truncatedMessage(), QString("Trop de lignes, le fichier a été tronqué"));
    }

    void importedFieldsThatReadAsTagsStayInside()
    {
        Collection c = withCodes(1);
        importLines(c, {"M\t<BLOC0000>\t</bloc0001>\tNOM"});
        Collection reloaded = make(c.lines());
        QVERIFY(!reloaded.verif() && !reloaded.doublons().acted() && !reloaded.normalise());
        QCOMPARE(reloaded.count(), 2);
        QCOMPARE(blockLine(reloaded, 1, EmployeeForm::kName), QString(" </bloc0001>"));
        QCOMPARE(blockLine(reloaded, 1, 5), QString("NOM"));
    }

    void importReadsUtf8Or1252AndRefusesBinary_data() { addRows(kDecodeRows); }
    void importReadsUtf8Or1252AndRefusesBinary()
    {
        QFETCH(DecodeRow, row);
        QCOMPARE(exchange::isText(row.bytes), row.isText);
        if (row.isText)
            QCOMPARE(decodeImport(row.bytes), row.text);
    }

    void importOfAMissingFileChangesNothing()
    {
        QTemporaryDir dir;
        Collection c = withCodes(2);
        const QStringList before = c.lines();
        const QString path = dir.filePath("absent.txt");
        QVERIFY(Importer(c, path).isMissing());
        QCOMPARE(c.lines(), before);
        QCOMPARE(missingMessage(path), "Le fichier " + path + " n'existe pas");
        // A UTF-8 file from a spreadsheet, with CR LF, LF and no final line end.
        writeBytes(dir.filePath("tableur.txt"), "Mme\t\tH\xc3\xa9l\xc3\xa8ne\r\nM\t\tJos\xc3\xa9\nM\t\tFin");
        ImportResult r;
        QVERIFY(Importer(c, dir.filePath("tableur.txt"), &r).ok());
        QCOMPARE(r.added, 3);
        QCOMPARE(blockLine(c, 3, EmployeeForm::kName), QString("José"));
        QCOMPARE(blockLine(c, 4, EmployeeForm::kName), QString("Fin"));
    }

    void dossierCommandsCreateOrExtendTheDossierAndLeaveItOnFailure()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("source.emp");
        QVERIFY(QFile::copy(testsupport::dataPath("employees/exemple.emp"), source));
        const QString txt = dir.filePath("echange.txt");
        QString message;
        QVERIFY(exporterDossier(source, txt, &message));
        QVERIFY(message.isEmpty());
        // Into a dossier that does not exist yet: it is created, with its two side files.
        const QString target = dir.filePath("Nouveau dossier.2003.emp");
        ImportResult r;
        QVERIFY(importerDossier(target, txt, &message, &r));
        QCOMPARE(r.added, 2);
        QVERIFY(QFile::exists(dir.filePath("Nouveau dossier.2003.Prl")));
        QVERIFY(QFile::exists(dir.filePath("Nouveau dossier.2003.Pai")));
        const QString again = dir.filePath("encore.txt");
        QVERIFY(exporterDossier(target, again, &message));
        QCOMPARE(fileBytes(again), fileBytes(txt));
        // Into an existing dossier: appended after its records, saved.
        QVERIFY(importerDossier(source, txt, &message, &r));
        Dossier d;
        QVERIFY(d.Charge(source).ok);
        QCOMPARE(d.employees().count(), 4);
        QCOMPARE(blockLine(d.employees(), 2, 1), QString("10003"));
        // Failures leave the files alone.
        const QByteArray before = fileBytes(source);
        QVERIFY(!importerDossier(source, dir.filePath("absent.txt"), &message));
        QCOMPARE(message, missingMessage(dir.filePath("absent.txt")));
        QCOMPARE(fileBytes(source), before);
        QVERIFY(!exporterDossier(dir.filePath("absent.emp"), again, &message));
        QCOMPARE(message, QString("Le fichier n'existe pas"));
        QVERIFY(!QFile::exists(dir.filePath("absent.emp")));
    }
};

QTEST_GUILESS_MAIN(TestEmployeesExchange)
#include "test_employees_exchange.moc"
