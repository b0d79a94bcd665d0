#include "employees/employeeform.h"
#include "employees/exchange.h"
#include "employees/navigation.h"
#include "store/collection.h"
#include "store/dossier.h"
#include "testsupport.h"
#include "text/clock.h"
#include "text/encoding.h"

#include <QFile>
#include <QtTest>

using namespace exchange;

namespace {

class FixedClock : public Clock
{
public:
    QDate today() const override { return QDate(2003, 4, 17); }
};

Collection load(const QString &name)
{
    QStringList lines;
    text::readLines(testsupport::dataPath(name), lines);
    Collection c;
    c.setLines(lines);
    c.recount();
    return c;
}

Collection withCodes(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << Collection::openTag(i) << QString::number(10001 + i) << "M" << "" << QString("N%1").arg(i)
              << Collection::closeTag(i);
    Collection c;
    c.setLines(lines);
    c.recount();
    return c;
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestEmployeesExchange : public QObject
{
    Q_OBJECT
    FixedClock m_clock;

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void exportFields();
    void exportShortBlock();
    void exportImportRoundTrip();
    void importLineShapes_data();
    void importLineShapes();
    void restLimit_data();
    void restLimit();
    void importNumbering_data();
    void importNumbering();
    void importLimit();
    void tagLikeFieldsStayInside();
    void decoding_data();
    void decoding();
    void missingFile();
    void dossierCommands();
};

void TestEmployeesExchange::exportFields()
{
    Collection c = load("employees/exemple.emp");
    const QStringList lines = exportLines(c);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QString("M\t15/03/1970\tDURAND Paul\tLyon\t12 rue des Lilas\t\t69003\tLYON\t04 78 00 00 00\t\tComptable"));
    QCOMPARE(lines[1].count(u'\t'), 10);
    QVERIFY(lines[1].startsWith("Mme\t02/11/1981\tDupont Élise\t"));

    QTemporaryDir dir;
    const QString out = dir.filePath("sortie.txt");
    QVERIFY(Exporter(c, out).ok());
    const QByteArray bytes = readBytes(out);
    QVERIFY(bytes.endsWith("Secr\xe9taire\r\n"));
    QCOMPARE(bytes.count("\r\n"), 2);
}

void TestEmployeesExchange::exportShortBlock()
{
    // A block cut short exports empty fields, never its closing tag or the next block.
    Collection c;
    c.setLines({Collection::openTag(0), "10001", "Mme", "01/01/1990", "COURT", Collection::closeTag(0),
                Collection::openTag(1), "10002", "M"});
    c.recount();
    const QStringList lines = exportLines(c);
    QCOMPARE(lines, (QStringList{"Mme\t01/01/1990\tCOURT" + QString(8, u'\t'), "M" + QString(10, u'\t')}));
}

void TestEmployeesExchange::exportImportRoundTrip()
{
    Collection source = load("employees/exemple.emp");
    QTemporaryDir dir;
    const QString file = dir.filePath("echange.txt");
    QVERIFY(Exporter(source, file).ok());

    Collection target = withCodes(2); // codes 10001, 10002
    ImportResult r;
    QVERIFY(Importer(target, file, &r).ok());
    QCOMPARE(r.added, 2);
    QVERIFY(!r.truncated);
    QCOMPARE(target.count(), 4);
    QCOMPARE(target.current(), 3);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(blockLine(target, 2 + i, 1), QString::number(10003 + i));
        for (int d = 2; d <= 12; ++d)
            QCOMPARE(blockLine(target, 2 + i, d), blockLine(source, i, d));
        QCOMPARE(target.blockContent(2 + i).size(), 1 + 11 + 20);
    }
    // The imported record reads with its defaults where the file gave nothing.
    EmployeeForm f;
    LitFiche(target, 3, f);
    QCOMPARE(f.name, QString("Dupont Élise"));
    QCOMPARE(f.birthDate, QDate(1981, 11, 2));
    QCOMPARE(f.account, QString("421000"));
    QCOMPARE(f.entryDate, QDate(2003, 4, 17));
    // Exported again, the two records give the same lines.
    QCOMPARE(exportLines(target).mid(2), exportLines(source));
}

void TestEmployeesExchange::importLineShapes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("ligne vide") << "" << QStringList{""};
    QTest::newRow("trois champs") << "Mme\t01/02/1990\tMARTIN Anne" << QStringList{"Mme", "01/02/1990", "MARTIN Anne"};
    QTest::newRow("tabulation finale") << "M\t" << QStringList{"M", ""};
    QStringList many;
    for (int i = 0; i < 14; ++i)
        many << QString("c%1").arg(i);
    many[1] = "01/01/1990";
    QTest::newRow("quatorze champs") << many.join(u'\t') << many;
}

void TestEmployeesExchange::importLineShapes()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(importFields(line), fields);
    Collection c = withCodes(3);
    const ImportResult r = importLines(c, {line});
    QCOMPARE(r.added, 1);
    const QStringList block = c.blockContent(3);
    QCOMPARE(block.size(), 1 + fields.size() + 20);
    QCOMPARE(block.first(), QString("10004"));
    QCOMPARE(block.mid(1, fields.size()), fields);
    for (const QString &rest : block.mid(1 + fields.size()))
        QVERIFY(rest.isEmpty());
    if (fields.size() > 12) {
        EmployeeForm f;
        LitFiche(c, 3, f);
        QCOMPARE(f.education, QString("c11")); // field 12 lands on line 13
        QCOMPARE(f.bankName, QString("c12"));
    }
}

void TestEmployeesExchange::restLimit_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    const QString x1000(1000, u'x'), x1030(1030, u'x');
    QTest::newRow("reste court") << "a\t" + x1000 + "\tb" << QStringList{"a", x1000, "b"};
    QTest::newRow("reste coupé à 1024") << "a\t" + x1030 + "\tb" << QStringList{"a", x1030.left(1024)};
    QTest::newRow("premier champ entier") << x1030 + "\tb" << QStringList{x1030, "b"};
}

void TestEmployeesExchange::restLimit()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(importFields(line), fields);
}

void TestEmployeesExchange::importNumbering_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("lastWritten");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("finalCount");
    QTest::newRow("dossier vide") << 0 << true << 0 << 2;
    // The existing record keeps block 0000; the imported ones follow it.
    QTest::newRow("une fiche") << 1 << true << 1 << 3;
    // A record added but never written has no block: the import takes its number.
    QTest::newRow("une fiche jamais écrite") << 1 << false << 0 << 2;
    QTest::newRow("trois fiches, la dernière jamais écrite") << 3 << false << 2 << 4;
}

void TestEmployeesExchange::importNumbering()
{
    QFETCH(int, count);
    QFETCH(bool, lastWritten);
    QFETCH(int, first);
    QFETCH(int, finalCount);
    Collection c = withCodes(lastWritten ? count : count - 1);
    if (!lastWritten)
        QVERIFY(c.add());
    QCOMPARE(c.count(), count);
    const ImportResult r = importLines(c, {"M\t\tUN", "Mme\t\tDEUX"});
    QCOMPARE(r.added, 2);
    QCOMPARE(c.count(), finalCount);
    QCOMPARE(c.current(), finalCount - 1);
    QCOMPARE(blockLine(c, first, EmployeeForm::kName), QString("UN"));
    QCOMPARE(blockLine(c, first + 1, EmployeeForm::kName), QString("DEUX"));
    for (int n = 0; n < c.count(); ++n)
        QVERIFY2(c.contains(n), qPrintable(QString::number(n)));
    if (lastWritten && count == 1)
        QCOMPARE(blockLine(c, 0, EmployeeForm::kName), QString("N0"));
    // An empty file changes nothing.
    const int before = c.count();
    QCOMPARE(importLines(c, {}).added, 0);
    QCOMPARE(c.count(), before);
}

void TestEmployeesExchange::importLimit()
{
    Collection c = withCodes(9997);
    ImportResult r = importLines(c, {"M\t\tA", "M\t\tB", "M\t\tC"});
    QCOMPARE(r.added, 1);
    QVERIFY(r.truncated);
    QCOMPARE(c.count(), 9998);
    QCOMPARE(blockLine(c, 9997, EmployeeForm::kName), QString("A"));
    QCOMPARE(blockLine(c, 9997, EmployeeForm::kCode), QString("19998"));
    r = importLines(c, {"M\t\tD"});
    QCOMPARE(r.added, 0);
    QVERIFY(r.truncated);
    QCOMPARE(truncatedMessage(), QString("Trop de lignes, le fichier a été tronqué"));
}

void TestEmployeesExchange::tagLikeFieldsStayInside()
{
    Collection c = withCodes(1);
    importLines(c, {"M\t<BLOC0000>\t</bloc0001>\tNOM"});
    QCOMPARE(c.countOpeningTags(), 2);
    QCOMPARE(c.count(), 2);
    Collection reloaded;
    reloaded.setLines(c.lines());
    reloaded.recount();
    QVERIFY(!reloaded.verif());
    QVERIFY(!reloaded.doublons().acted());
    QVERIFY(!reloaded.normalise());
    QCOMPARE(blockLine(reloaded, 1, EmployeeForm::kName), QString(" </bloc0001>"));
    QCOMPARE(blockLine(reloaded, 1, 5), QString("NOM"));
    QCOMPARE(blockLine(reloaded, 0, EmployeeForm::kName), QString("N0"));
}

void TestEmployeesExchange::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isText");
    QTest::addColumn<QString>("text");
    QTest::newRow("windows-1252") << QByteArray("\xc9lise\tB\xe2timent") << true << QString("Élise\tBâtiment");
    QTest::newRow("utf-8") << QByteArray("\xc3\x89lise\tB\xc3\xa2timent") << true << QString("Élise\tBâtiment");
    QTest::newRow("utf-8 avec BOM") << QByteArray("\xef\xbb\xbf\xc3\xa9t\xc3\xa9") << true << QString("été");
    QTest::newRow("utf-8 hors 1252") << QByteArray("Zo\xc3\xab \xe2\x98\x83 \xe2\x82\xac") << true << QString("Zoë ? €");
    QTest::newRow("utf-8 avec un octet indéfini en 1252") << QByteArray("\xc3\x81ngel") << true << QString("Ángel");
    QTest::newRow("ascii") << QByteArray("DURAND\tPaul\r\n\x1a") << true << QString("DURAND\tPaul\r\n\x1a");
    QTest::newRow("1252 qui n'est pas de l'utf-8") << QByteArray("caf\xe9 \x80") << true << QString("café €");
    QTest::newRow("octet nul") << QByteArray("M\tA\0B", 6) << false << QString();
    QTest::newRow("caractère de contrôle") << QByteArray("M\tA\x01") << false << QString();
    QTest::newRow("ni 1252 ni utf-8") << QByteArray("caf\xe9 \x81") << false << QString();
}

void TestEmployeesExchange::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isText);
    QFETCH(QString, text);
    QCOMPARE(exchange::isText(bytes), isText);
    if (isText)
        QCOMPARE(decodeImport(bytes), text);
}

void TestEmployeesExchange::missingFile()
{
    QTemporaryDir dir;
    Collection c = withCodes(2);
    const QStringList before = c.lines();
    const QString path = dir.filePath("absent.txt");
    QVERIFY(Importer(c, path).isMissing());
    QCOMPARE(c.lines(), before);
    QCOMPARE(c.count(), 2);
    QCOMPARE(missingMessage(path), "Le fichier " + path + " n'existe pas");

    // A UTF-8 file from a spreadsheet, with CR LF, LF and no final line end.
    const QString sheet = dir.filePath("tableur.txt");
    QVERIFY(writeRaw(sheet, "Mme\t\tH\xc3\xa9l\xc3\xa8ne\r\nM\t\tJos\xc3\xa9\nM\t\tFin"));
    ImportResult r;
    QVERIFY(Importer(c, sheet, &r).ok());
    QCOMPARE(r.added, 3);
    QCOMPARE(blockLine(c, 2, EmployeeForm::kName), QString("Hélène"));
    QCOMPARE(blockLine(c, 3, EmployeeForm::kName), QString("José"));
    QCOMPARE(blockLine(c, 4, EmployeeForm::kName), QString("Fin"));
}

void TestEmployeesExchange::dossierCommands()
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.emp");
    QVERIFY(QFile::copy(testsupport::dataPath("employees/exemple.emp"), source));
    const QString txt = dir.filePath("echange.txt");
    QString message;
    QVERIFY(exporterDossier(source, txt, &message));
    QVERIFY(message.isEmpty());

    // Into a dossier that does not exist yet: it is created, with its two side files.
    const QString target = dir.filePath("nouveau.emp");
    ImportResult r;
    QVERIFY(importerDossier(target, txt, &message, &r));
    QCOMPARE(r.added, 2);
    QVERIFY(QFile::exists(target));
    QVERIFY(QFile::exists(dir.filePath("nouveau.Prl")));
    QVERIFY(QFile::exists(dir.filePath("nouveau.Pai")));
    Dossier d;
    QVERIFY(d.Charge(target).ok);
    QCOMPARE(d.employees().count(), 2);
    QCOMPARE(blockLine(d.employees(), 0, 1), QString("10001"));
    QCOMPARE(blockLine(d.employees(), 1, 1), QString("10002"));

    // Exported again: every exported field intact.
    const QString again = dir.filePath("encore.txt");
    QVERIFY(exporterDossier(target, again, &message));
    QCOMPARE(readBytes(again), readBytes(txt));

    // Into an existing dossier: appended after its records, saved.
    QVERIFY(importerDossier(source, txt, &message, &r));
    QVERIFY(d.Charge(source).ok);
    QCOMPARE(d.employees().count(), 4);
    QCOMPARE(blockLine(d.employees(), 2, 1), QString("10003"));

    // Failures leave the files alone.
    const QByteArray before = readBytes(source);
    QVERIFY(!importerDossier(source, dir.filePath("absent.txt"), &message));
    QCOMPARE(message, missingMessage(dir.filePath("absent.txt")));
    QCOMPARE(readBytes(source), before);
    QVERIFY(!exporterDossier(dir.filePath("absent.emp"), again, &message));
    QCOMPARE(message, QString("Le fichier n'existe pas"));
    QVERIFY(!QFile::exists(dir.filePath("absent.emp")));
}

QTEST_GUILESS_MAIN(TestEmployeesExchange)
#include "test_employees_exchange.moc"
