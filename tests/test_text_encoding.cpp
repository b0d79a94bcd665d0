#include "testsupport.h"

#include "text/encoding.h"

#include <QFile>

using namespace text;

class TestTextEncoding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void highRange_data();
    void highRange();
    void allBytesRoundTrip();
    void fits();
    void split_data();
    void split();
    void join();
    void fileRoundTrip();
    void readMissingAndUnreadable();
    void writeIntoMissingFolder();
    void failedWriteKeepsOldFile();
    void fileErrorsNameTheFullPath_data();
    void fileErrorsNameTheFullPath();
    void caseInsensitive();
};

void TestTextEncoding::highRange_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");

    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("unassigned 81") << 0x81 << 0x81;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("OE") << 0x8C << 0x0152;
    QTest::newRow("unassigned 8D") << 0x8D << 0x8D;
    QTest::newRow("unassigned 90") << 0x90 << 0x90;
    QTest::newRow("right quote") << 0x92 << 0x2019;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("oe") << 0x9C << 0x0153;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("nbsp") << 0xA0 << 0xA0;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("y diaeresis") << 0xFF << 0xFF;
}

void TestTextEncoding::highRange()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    const QByteArray bytes(1, char(byte));
    const QString s = decode1252(bytes);
    QCOMPARE(s.size(), 1);
    QCOMPARE(int(s[0].unicode()), unicode);
    QCOMPARE(encode1252(s), bytes);
    QVERIFY(fits1252(s[0]));
}

void TestTextEncoding::allBytesRoundTrip()
{
    // No byte is lost, unassigned ones included.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    QCOMPARE(encode1252(decode1252(all)), all);
}

void TestTextEncoding::fits()
{
    QVERIFY(fits1252(QStringLiteral("Précarité 25% — œuvre € “ok”")));
    QVERIFY(fits1252(QString()));
    QVERIFY(!fits1252(QStringLiteral("Ā")));           // U+0100
    QVERIFY(!fits1252(QStringLiteral("a\u2212b")));    // minus sign
    QVERIFY(!fits1252(QChar(0x20AD)));
    QVERIFY(!fits1252(QString::fromUtf8("\xF0\x9F\x98\x80"))); // outside the BMP
    QCOMPARE(encode1252(QStringLiteral("a\u2212b")), QByteArray("a?b"));
}

void TestTextEncoding::split_data()
{
    QTest::addColumn<QString>("contents");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("mixed") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("last line without end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("empty file") << "" << QStringList{};
    QTest::newRow("one empty line") << "\r\n" << QStringList{""};
    QTest::newRow("empty lines kept") << "a\r\n\r\n\r\nb\r\n" << QStringList{"a", "", "", "b"};
    QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("trailing blanks kept") << "a  \r\n" << QStringList{"a  "};
}

void TestTextEncoding::split()
{
    QFETCH(QString, contents);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(contents), lines);
}

void TestTextEncoding::join()
{
    QCOMPARE(joinLines({}), QString());
    QCOMPARE(joinLines({QString()}), QStringLiteral("\r\n"));
    QCOMPARE(joinLines({"a", "", "b"}), QStringLiteral("a\r\n\r\nb\r\n"));
    const QStringList lines{"x", "", "€"};
    QCOMPARE(splitLines(joinLines(lines)), lines);
}

void TestTextEncoding::fileRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Korvel.soc"));
    const QStringList lines{QStringLiteral("Société Dupré & Fils"), QString(), QStringLiteral("12 € — œuvre")};
    QVERIFY(writeLines(path, lines).ok());

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("Soci\xE9t\xE9 Dupr\xE9 & Fils\r\n\r\n12 \x80 \x97 \x9C"));
    QVERIFY(bytes.endsWith("\r\n"));
    f.close();

    QStringList read{QStringLiteral("stale")};
    QVERIFY(readLines(path, read).ok());
    QCOMPARE(read, lines);

    // Rewriting replaces the whole file.
    QVERIFY(writeLines(path, {QStringLiteral("seule")}).ok());
    QVERIFY(readLines(path, read).ok());
    QCOMPARE(read, QStringList{QStringLiteral("seule")});

    QVERIFY(writeLines(path, {}).ok());
    QVERIFY(readLines(path, read).ok());
    QVERIFY(read.isEmpty());
}

void TestTextEncoding::readMissingAndUnreadable()
{
    QTemporaryDir dir;
    QStringList lines{QStringLiteral("kept")};
    QVERIFY(readLines(dir.filePath(QStringLiteral("absent.ini")), lines).isMissing());
    QCOMPARE(lines, QStringList{QStringLiteral("kept")});
    // A folder where a file is expected cannot be read as one.
    QCOMPARE(readLines(dir.path(), lines).status(), FileResult::Status::Failed);
}

void TestTextEncoding::writeIntoMissingFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("absent/Korvel.ini"));
    const FileResult written = writeLines(path, {QStringLiteral("1")});
    QVERIFY(!written.ok());
    QVERIFY(!written.reason().isEmpty());
    QVERIFY(!QFile::exists(path));
}

void TestTextEncoding::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dossier.emp"));
    QVERIFY(writeLines(path, {QStringLiteral("ancien")}).ok());
    // The folder becomes read-only: the new contents cannot be put in place.
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool written = writeLines(path, {QStringLiteral("nouveau")}).ok();
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written)
        QSKIP("running with rights that ignore folder permissions");
    QStringList lines;
    QVERIFY(readLines(path, lines).ok());
    QCOMPARE(lines, QStringList{QStringLiteral("ancien")});
}

void TestTextEncoding::fileErrorsNameTheFullPath_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("prefix"); // empty: no message at all
    using R = FileResult;
    QTest::newRow("read failed") << int(R::Operation::Read) << int(R::Status::Failed) << "Impossible de lire le fichier ";
    QTest::newRow("read of a missing file") << int(R::Operation::Read) << int(R::Status::Missing)
                                            << "Impossible de lire le fichier ";
    QTest::newRow("write failed") << int(R::Operation::Write) << int(R::Status::Failed)
                                  << "Impossible d'enregistrer le fichier ";
    QTest::newRow("done") << int(R::Operation::Write) << int(R::Status::Ok) << "";
}

void TestTextEncoding::fileErrorsNameTheFullPath()
{
    QFETCH(int, operation);
    QFETCH(int, status);
    QFETCH(QString, prefix);
    // A path given relative to the current folder is shown whole, in the system's notation.
    const FileResult r(FileResult::Operation(operation), FileResult::Status(status), QStringLiteral("sous/paie.emp"));
    const QString full = QDir::toNativeSeparators(QDir::current().absoluteFilePath(QStringLiteral("sous/paie.emp")));
    QCOMPARE(r.message(), prefix.isEmpty() ? QString() : prefix + full);
}

void TestTextEncoding::caseInsensitive()
{
    QTemporaryDir dir;
    QVERIFY(writeLines(dir.filePath(QStringLiteral("Korvel.Cbx")), {QStringLiteral("[BANQUE]")}).ok());

    // The lists file is written "Korvel.Cbx" and read "Korvel.cbx": both find it.
    QCOMPARE(findCaseInsensitive(dir.filePath(QStringLiteral("Korvel.cbx"))),
             dir.filePath(QStringLiteral("Korvel.Cbx")));
    QCOMPARE(findCaseInsensitive(dir.filePath(QStringLiteral("Korvel.Cbx"))),
             dir.filePath(QStringLiteral("Korvel.Cbx")));
    // Nothing matching: the name asked for.
    QCOMPARE(findCaseInsensitive(dir.filePath(QStringLiteral("Korvel.cai"))),
             dir.filePath(QStringLiteral("Korvel.cai")));

    // An exact match wins over another spelling.
    QVERIFY(writeLines(dir.filePath(QStringLiteral("korvel.cbx")), {}).ok());
    QCOMPARE(findCaseInsensitive(dir.filePath(QStringLiteral("korvel.cbx"))),
             dir.filePath(QStringLiteral("korvel.cbx")));
    QCOMPARE(findCaseInsensitive(dir.filePath(QStringLiteral("Korvel.Cbx"))),
             dir.filePath(QStringLiteral("Korvel.Cbx")));

    // A missing folder: the path as given.
    const QString inMissing = dir.filePath(QStringLiteral("absent/Korvel.ini"));
    QCOMPARE(findCaseInsensitive(inMissing), inMissing);
}

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "test_text_encoding.moc"
