#include "testsupport.h"

#include "text/dates.h"
#include "text/encoding.h"
#include "text/numbers.h"

#include <QStringDecoder>

#include <cmath>
#include <csignal>
#include <limits>
#include <sys/resource.h>

using namespace text;

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
// The largest 6-byte real: 40 bits set under the exponent byte 255.
const double kReal48Max = std::ldexp(1099511627775.0, 87);
const double kReal48Min = std::ldexp(1.0, -128);
} // namespace

// Numbers, dates and the files' encoding. Each rule is one table, one row per branch or edge; a
// failure shows the row's values.
class TestText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void amountRoundsHalvesOfItsFifteenDigitsAway()
    {
        const struct { double value; const char *format, *expected; } rows[] = {
            // A binary value just below a half; 15 digits hiding the binary error; a carry through
            // every digit; a negative rounded to zero, with no sign.
            {1.005, "0.00", "1,01"}, {-2.675, "0.00", "-2,68"}, {20.279999999999998, "0.00", "20,28"},
            {99.95, "0.0", "100,0"}, {-0.004, "0.00", "0,00"}, {1.5e20, "0.00", "150000000000000000000,00"},
            {-1234.5, "#", "-1235"}, {0.0, "#", ""}, {-0.4, "#", ""}, {2.4999999999999996, "#", "3"},
            {0.5, "#.00", ",50"}, {-0.5, "#.00", "-,50"},
            {5.5, "x.yz", "5,5"}, {-kInf, "#", "-INF"}, // an unknown format is the general one
        };
        for (const auto &r : rows) {
            QCOMPARE(formatAmount(r.value, QString::fromUtf8(r.format)), QString::fromUtf8(r.expected));
            if (QByteArray(r.format) == "#.00")
                QCOMPARE(formatHashDot00(r.value), QString::fromUtf8(r.expected));
        }
    }

    void generalFormKeepsFifteenDigitsAndReadsBack()
    {
        const struct { double value; const char *expected; } rows[] = {
            {0.1 + 0.2, "0,3"}, {2.0 / 3.0, "0,666666666666667"}, {2432.0, "2432"}, {-3.25, "-3,25"},
            {-0.0, "0"}, {999999999999999.0, "999999999999999"}, {1e15, "1E+15"}, {0.00001, "0,00001"},
            {0.0000015, "1,5E-6"}, {kNaN, "NAN"},
        };
        for (const auto &r : rows) {
            QCOMPARE(formatGeneral(r.value), QString::fromUtf8(r.expected));
            QCOMPARE(formatAmount(r.value, QString()), QString::fromUtf8(r.expected));
        }
        for (double value : {1234.56, -0.125, -1.25e300, 3.5e-9}) {
            bool ok = false;
            QCOMPARE(parseNumber(formatGeneral(value), &ok), value);
            QVERIFY(ok);
        }
    }

    void numberParserRefusesWhatIsNotAFrenchNumber()
    {
        const struct { const char *text; bool ok; double value; } rows[] = {
            {"  \t+12,5  ", true, 12.5}, {"12,", true, 12.0}, {"-,5", true, -0.5}, {"1,5E+20", true, 1.5e20},
            {"-0", true, 0.0}, {"1.5", false, 0}, {"1,2,3", false, 0}, {",", false, 0}, {"1E", false, 0},
            {"1E400", false, 0}, {"12 €", false, 0},
        };
        for (const auto &r : rows) {
            bool ok = !r.ok;
            const double v = parseNumber(QString::fromUtf8(r.text), &ok);
            QCOMPARE(ok, r.ok);
            QCOMPARE(v, r.value);
            QVERIFY(v != 0 || !std::signbit(v)); // never "-0"
        }
        const struct { const char *text; bool ok; int value; } integers[] = {
            {" -42 ", true, -42}, {"2147483647", true, INT_MAX}, {"-2147483648", true, INT_MIN},
            {"2147483648", false, 0}, {"4,5", false, 0},
        };
        for (const auto &r : integers) {
            bool ok = !r.ok;
            QCOMPARE(parseInteger(QString::fromUtf8(r.text), &ok), r.value);
            QCOMPARE(ok, r.ok);
        }
    }

    void real48RoundsToFortyBitsAndSaturates()
    {
        const struct { double value, expected; } rows[] = {
            // 19.6 = 1.225 x 2^4; 1.225 x 2^39 = 673450872012.8, rounded up to ...013.
            {-0.0, 0.0}, {19.6, std::ldexp(673450872013.0, 4 - 39)},
            // An exact half of the last bit goes away from zero, both signs; below a half; a
            // carry into the exponent.
            {1.0 + std::ldexp(1.0, -40), 1.0 + std::ldexp(1.0, -39)}, {-(1.0 + std::ldexp(1.0, -40)), -(1.0 + std::ldexp(1.0, -39))},
            {1.0 + std::ldexp(1.0, -41), 1.0}, {2.0 - std::ldexp(1.0, -41), 2.0},
            // The smallest, under it, rounded up to it; rounded past the largest; saturated.
            {kReal48Min, kReal48Min}, {std::ldexp(1.0, -129), 0.0}, {std::ldexp(1.0, -128) * (1 - std::ldexp(1.0, -45)), kReal48Min},
            {std::ldexp(2.0 - std::ldexp(1.0, -41), 127), kReal48Max}, {-1e300, -kReal48Max}, {kInf, kReal48Max}, {kNaN, 0.0},
        };
        for (const auto &r : rows) {
            const double got = roundReal48(r.value);
            QCOMPARE(got, r.expected);
            QCOMPARE(std::signbit(got), std::signbit(r.expected));
            QCOMPARE(roundReal48(got), got); // a 6-byte value stays what it is
        }
    }

    void iniRealIsWrittenInTheFixedWidthFormAndReadsBack()
    {
        const struct { double value; const char *expected; } rows[] = {
            {5.5, " 5.50000000000000E+0000"}, {19.6, " 1.96000000000058E+0001"}, {-2432.0, "-2.43200000000000E+0003"},
            // 6.55957 = 1.6398925 x 2^2: the 40 bits fall 2.38e-12 below, within half a step
            // (2^-39 x 4 / 2 = 3.64e-12), so the written value ends in ...99762.
            {6.55957, " 6.55956999999762E+0000"}, {0.001, " 9.99999999999446E-0004"}, {1e300, " 1.70141183460314E+0038"},
            {kReal48Min, " 2.93873587705572E-0039"}, {1e-300, " 0.00000000000000E+0000"},
        };
        for (const auto &r : rows) {
            QCOMPARE(formatIniReal(r.value), QString::fromLatin1(r.expected));
            // Read back at the 12 digits the 40 bits hold: 19,6 and 0,001 as they were typed.
            bool ok = false;
            const double read = parseIniReal(formatIniReal(r.value), &ok);
            QVERIFY(ok);
            QCOMPARE(formatGeneral(read), formatGeneral(roundReal48(r.value), 12));
        }
    }

    void iniReaderTakesTheLeadingNumberOnly()
    {
        const QString longMantissa = QString(400, u'9') + QStringLiteral("E-1");
        const struct { QString line; bool ok; double real; bool intOk; int integer; } rows[] = {
            {"-2.43200000000000E+0003", true, -2432.0, true, -2}, {"19.6", true, roundReal48(19.6), true, 19},
            {"\t+2", true, 2.0, true, 2}, {"1abc", true, 1.0, true, 1}, {".5", true, 0.5, false, 0},
            {"2E+", true, 2.0, true, 2}, {"1.5e2", true, 150.0, true, 1}, {"5,5", true, 5.0, true, 5},
            {"1E39", true, real48AsWritten(kReal48Max), true, 1}, {"-1E400", true, -real48AsWritten(kReal48Max), true, -1},
            {longMantissa, true, real48AsWritten(kReal48Max), false, 0}, {"99999999999", true, roundReal48(99999999999.0), false, 0},
            {"   ", false, 0.0, false, 0}, {"- 1", false, 0.0, false, 0}, {"inf", false, 0.0, false, 0},
        };
        for (const auto &r : rows) {
            bool ok = !r.ok;
            QCOMPARE(parseIniReal(r.line, &ok), r.real);
            QCOMPARE(ok, r.ok);
            ok = !r.intOk;
            QCOMPARE(parseIniInteger(r.line, &ok), r.integer);
            QCOMPARE(ok, r.intOk);
        }
    }

    void numericKeyFilterLetsOnlyDigitsAndCommaThrough()
    {
        const struct { char16_t key, expected; } rows[] = {
            {u'.', u','}, {u',', u','}, {u'0', u'0'}, {u'9', u'9'}, {u'\b', u'\b'}, {u'\r', u'\r'},
            {u'-', 0}, {u'a', 0}, {u'\u00B2', 0}, {u'\u0661', 0}, // superscript two, arabic-indic one
        };
        for (const auto &r : rows)
            QCOMPARE(filterNumericKey(QChar(r.key)), QChar(r.expected));
    }

    void datesReadOnlyDayMonthYearWithSlashes()
    {
        const struct { const char *text; QDate date; } rows[] = {
            {" 5/3/2024 ", {2024, 3, 5}}, {"01/01/0999", {999, 1, 1}}, {"31/02/2020", {}}, {"01/01/0000", {}},
            {"15/03/49", {2049, 3, 15}}, {"15/03/50", {1950, 3, 15}}, {"01/01/200", {}}, {"01/01/20201", {}},
            {"01-01-2020", {}}, {"01/01/2020x", {}}, {"", {}},
        };
        for (const auto &r : rows) {
            QCOMPARE(parseDate(QString::fromLatin1(r.text)), r.date);
            QCOMPARE(parseDate(formatDate(r.date)), r.date);
        }
        QCOMPARE(formatDate(QDate(999, 1, 5)), QStringLiteral("05/01/0999"));
        QCOMPARE(formatDate(QDate()), QString());
    }

    // A date typed as digits alone was not read, and one half typed was taken too early.
    void typedDateReadsDigitsWithoutSlashes()
    {
        const struct { const char *text; QDate date; bool full; } rows[] = {
            {"31032026", {2026, 3, 31}, true}, {"31/03/2026", {2026, 3, 31}, true}, {"310326", {2026, 3, 31}, false},
            {"31/03/26", {2026, 3, 31}, false}, {"31/03/202", {}, false}, {"3103202", {}, false},
            {"30022026", {}, true}, {"310320261", {}, false}, {"abc", {}, false},
        };
        for (const auto &r : rows) {
            QCOMPARE(parseTypedDate(QString::fromLatin1(r.text)), r.date);
            QCOMPARE(typedInFull(QString::fromLatin1(r.text)), r.full);
        }
    }

    void monthAndDayNamesAreNotShifted()
    {
        QCOMPARE(frenchMonthName(8), QStringLiteral("août"));
        QVERIFY(frenchMonthName(0).isEmpty() && frenchMonthName(13).isEmpty() && !frenchMonthName(12).isEmpty());
        // 7 January 2024 was a Sunday: Qt numbers the days from Monday = 1.
        QCOMPARE(frenchDayName(QDate(2024, 1, 7).dayOfWeek()), QStringLiteral("dimanche"));
        QVERIFY(frenchDayName(0).isEmpty() && frenchDayName(8).isEmpty() && !frenchDayName(1).isEmpty());
    }

    void highBytesDecodeAsTheSystemTableAndSurviveAFile()
    {
        // Checked against the system's own table rather than a copy of ours; the five bytes
        // it leaves unassigned are kept as the C1 control of the same value.
        QStringDecoder system("windows-1252");
        QVERIFY(system.isValid());
        for (int b = 0x80; b < 0xA0; ++b) {
            const QString expected = system.decode(QByteArray(1, char(b)));
            const bool assigned = expected.size() == 1 && expected[0].unicode() >= 0xA0 && expected[0] != QChar(0xFFFD);
            QCOMPARE(decode1252(QByteArray(1, char(b))), assigned ? expected : QString(QChar(b)));
        }
        // Every byte but the line ends, through a file read and written back.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += b == '\r' || b == '\n' ? ' ' : char(b);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tous les octets.txt"));
        writeBytes(path, all + "\r\n");
        QStringList lines;
        QVERIFY(readLines(path, lines).ok());
        QCOMPARE(lines, QStringList{decode1252(all)});
        QVERIFY(writeLines(path, lines).ok());
        QCOMPARE(fileBytes(path), all + "\r\n");
    }

    void charactersOutsideTheTableDoNotFitAndWriteAsQuestionMarks()
    {
        // U+0100, next to the euro, outside the BMP.
        QVERIFY(!fits1252(QStringLiteral("Ā")) && !fits1252(QChar(0x20AD)) && !fits1252(QString::fromUtf8("\xF0\x9F\x98\x80")));
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
        const rlimit limited{sizeLimit > 0 ? rlim_t(sizeLimit) : saved.rlim_cur, saved.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
        const FileResult written = writeLines(dir.filePath(target), big);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written.ok() && !written.reason().isEmpty());
        QCOMPARE(fileBytes(old), QByteArray("ancien\r\n"));
        // Nothing half written is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"ancien.emp"});
    }

    void fileErrorsNameTheFullPath()
    {
        // A path given relative to the current folder is shown whole, in the system's notation.
        const QString full = QDir::toNativeSeparators(QDir::current().absoluteFilePath(QStringLiteral("sous/paie.emp")));
        using R = FileResult;
        QCOMPARE(R(R::Operation::Read, R::Status::Missing, QStringLiteral("sous/paie.emp")).message(), "Impossible de lire le fichier " + full);
        QCOMPARE(R(R::Operation::Write, R::Status::Failed, QStringLiteral("sous/paie.emp")).message(), "Impossible d'enregistrer le fichier " + full);
        QCOMPARE(R(R::Operation::Write, R::Status::Ok, QStringLiteral("sous/paie.emp")).message(), QString());
    }

    // A file is found whatever the case of its name; a missing one is told apart from one that
    // cannot be read, and neither changes the lines.
    void fileMissedForItsCaseOrMissingToldAsUnreadable()
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
        QStringList lines{QStringLiteral("kept")};
        QVERIFY(readLines(dir.filePath(QStringLiteral("absent.ini")), lines).isMissing());
        // A folder where a file is expected cannot be read as one.
        QCOMPARE(readLines(dir.filePath(QStringLiteral("Sous")), lines).status(), FileResult::Status::Failed);
        QCOMPARE(lines, QStringList{QStringLiteral("kept")});
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
