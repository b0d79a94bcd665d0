#include "testsupport.h"

#include "text/encoding.h"

#include <QStringDecoder>

#include <csignal>
#include <sys/resource.h>

using namespace text;

class TestTextEncoding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void highBytesDecodeAsTheSystemTableAndSurviveAFile()
    {
        // Checked against the system's own table rather than a copy of ours; the five bytes
        // it leaves unassigned are kept as the C1 control of the same value.
        QStringDecoder system("windows-1252");
        QVERIFY(system.isValid());
        for (int b = 0x80; b < 0xA0; ++b) {
            const QByteArray byte(1, char(b));
            const QString expected = system.decode(byte);
            const bool assigned = expected.size() == 1 && expected[0].unicode() >= 0xA0 && expected[0] != QChar(0xFFFD);
            QCOMPARE(decode1252(byte), assigned ? expected : QString(QChar(b)));
        }
        // Every byte but the line ends, through a file read and written back.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                all += char(b);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tous les octets.txt"));
        writeBytes(path, all + "\r\n");
        QStringList lines;
        QVERIFY(readLines(path, lines).ok());
        QCOMPARE(lines, QStringList{decode1252(all)});
        QVERIFY(fits1252(lines[0]));
        QVERIFY(writeLines(path, lines).ok());
        QCOMPARE(fileBytes(path), all + "\r\n");
    }

    void charactersOutsideTheTableDoNotFitAndWriteAsQuestionMarks()
    {
        QVERIFY(!fits1252(QStringLiteral("Ā")));           // U+0100
        QVERIFY(!fits1252(QChar(0x20AD)));                 // next to the euro
        QVERIFY(!fits1252(QString::fromUtf8("\xF0\x9F\x98\x80"))); // outside the BMP
        QCOMPARE(encode1252(QStringLiteral("a\u2212b")), QByteArray("a?b"));
    }

    void linesSplitAtEveryKindOfEndAndJoinWithCrLf()
    {
        const struct { const char *contents; QStringList lines; } rows[] = {
            {"a\r\nb\nc\rd", {"a", "b", "c", "d"}}, {"", {}}, {"\r\n", {""}},
            {"a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}}, {"a\n\rb", {"a", "", "b"}}, {"a  \r\n", {"a  "}},
        };
        for (const auto &r : rows) {
            QCOMPARE(splitLines(QString::fromLatin1(r.contents)), r.lines);
            QCOMPARE(splitLines(joinLines(r.lines)), r.lines);
        }
        QCOMPARE(joinLines({"a", ""}), QStringLiteral("a\r\n\r\n"));
    }

    void writtenFileIsWindows1252WithCrLfAndReplacedWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Korvel.soc"));
        const QStringList lines{QStringLiteral("Société Dupré & Fils"), QString(), QStringLiteral("12 € — œuvre")};
        QVERIFY(writeLines(path, lines).ok());
        QCOMPARE(fileBytes(path), QByteArray("Soci\xE9t\xE9 Dupr\xE9 & Fils\r\n\r\n12 \x80 \x97 \x9C" "uvre\r\n"));
        QStringList read{QStringLiteral("stale")};
        QVERIFY(readLines(path, read).ok());
        QCOMPARE(read, lines);
    }

    void missingFileIsToldApartFromUnreadableOne()
    {
        QTemporaryDir dir;
        QStringList lines{QStringLiteral("kept")};
        QVERIFY(readLines(dir.filePath(QStringLiteral("absent.ini")), lines).isMissing());
        QCOMPARE(lines, QStringList{QStringLiteral("kept")});
        // A folder where a file is expected cannot be read as one.
        QCOMPARE(readLines(dir.path(), lines).status(), FileResult::Status::Failed);
        QCOMPARE(lines, QStringList{QStringLiteral("kept")});
    }

    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("sizeLimit"); // bytes a file may reach; 0 for no limit
        QTest::newRow("folder missing") << "absent/paie.emp" << 0;
        QTest::newRow("folder is a regular file") << "ancien.emp/paie.emp" << 0;
        // Root ignores permissions but not a file size limit: the disk is full midway.
        QTest::newRow("disk full while writing") << "ancien.emp" << 64;
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(int, sizeLimit);
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("ancien.emp"));
        QVERIFY(writeLines(old, {QStringLiteral("ancien")}).ok());
        const QStringList big(100, QStringLiteral("nouveau contenu"));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (sizeLimit > 0) {
            rlimit limited = saved;
            limited.rlim_cur = rlim_t(sizeLimit);
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
        }
        const FileResult written = writeLines(dir.filePath(target), big);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written.ok());
        QVERIFY(!written.reason().isEmpty());
        QCOMPARE(fileBytes(old), QByteArray("ancien\r\n"));
        // Nothing half written is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"ancien.emp"});
    }

    void fileErrorsNameTheFullPath()
    {
        using R = FileResult;
        const struct { R::Operation operation; R::Status status; const char *prefix; } rows[] = {
            {R::Operation::Read, R::Status::Failed, "Impossible de lire le fichier "},
            {R::Operation::Read, R::Status::Missing, "Impossible de lire le fichier "},
            {R::Operation::Write, R::Status::Failed, "Impossible d'enregistrer le fichier "},
            {R::Operation::Write, R::Status::Ok, nullptr},
        };
        // A path given relative to the current folder is shown whole, in the system's notation.
        const QString full = QDir::toNativeSeparators(QDir::current().absoluteFilePath(QStringLiteral("sous/paie.emp")));
        for (const auto &r : rows)
            QCOMPARE(R(r.operation, r.status, QStringLiteral("sous/paie.emp")).message(),
                     r.prefix ? QString::fromUtf8(r.prefix) + full : QString());
    }

    void fileIsFoundWhateverTheCaseOfItsName()
    {
        QTemporaryDir dir;
        for (const char *name : {"Korvel.Cbx", "korvel.cbx", "Ma Paie.2003.EMP"})
            QVERIFY(writeLines(dir.filePath(QString::fromLatin1(name)), {}).ok());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Sous")));
        const struct { const char *asked, *found; } rows[] = {
            {"korvel.cbx", "korvel.cbx"}, {"Korvel.Cbx", "Korvel.Cbx"}, // an exact match wins
            {"ma paie.2003.emp", "Ma Paie.2003.EMP"}, {"Korvel.cai", "Korvel.cai"}, {"SOUS", "SOUS"}, // a folder is no file
            {"absent/Korvel.ini", "absent/Korvel.ini"},
        };
        for (const auto &r : rows)
            QCOMPARE(findCaseInsensitive(dir.filePath(QString::fromLatin1(r.asked))), dir.filePath(QString::fromLatin1(r.found)));
    }
};

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "test_text_encoding.moc"
