#include "testsupport.h"

#include "text/dates.h"
#include "text/numbers.h"

#include <cmath>
#include <limits>

using namespace text;

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
// The largest 6-byte real: 40 bits set under the exponent byte 255.
const double kReal48Max = std::ldexp(1099511627775.0, 87);
const double kReal48Min = std::ldexp(1.0, -128);
} // namespace

class TestTextNumbers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void amount_data();
    void amount();
    void general_data();
    void general();
    void generalRoundTrip_data();
    void generalRoundTrip();
    void parse_data();
    void parse();
    void parseInt_data();
    void parseInt();
    void real48_data();
    void real48();
    void iniReal_data();
    void iniReal();
    void parseIni_data();
    void parseIni();
    void iniRoundTrip();
    void keyFilter_data();
    void keyFilter();
    void dates_data();
    void dates();
    void names();
};

void TestTextNumbers::amount_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    // Halves are decided on the value written with 15 significant digits.
    QTest::newRow("1,005") << 1.005 << "0.00" << "1,01";
    QTest::newRow("2,675") << 2.675 << "0.00" << "2,68";
    QTest::newRow("-2,675") << -2.675 << "0.00" << "-2,68";
    QTest::newRow("20,28 near") << 20.279999999999998 << "0.00" << "20,28";
    QTest::newRow("0,125") << 0.125 << "0.00" << "0,13";
    QTest::newRow("0,124999") << 0.124999 << "0.00" << "0,12";
    QTest::newRow("carry 9,995") << 9.995 << "0.00" << "10,00";
    QTest::newRow("carry 99,95 one") << 99.95 << "0.0" << "100,0";
    QTest::newRow("0,05 one") << 0.05 << "0.0" << "0,1";
    QTest::newRow("0,04 one") << 0.04 << "0.0" << "0,0";
    QTest::newRow("negative") << -1234.5 << "0.00" << "-1234,50";
    QTest::newRow("negative to zero") << -0.004 << "0.00" << "0,00";
    QTest::newRow("minus zero") << -0.0 << "0.00" << "0,00";
    QTest::newRow("big") << 1e12 << "0.00" << "1000000000000,00";
    QTest::newRow("bigger than 15 digits") << 1.5e20 << "0.00" << "150000000000000000000,00";
    QTest::newRow("tiny") << 1e-20 << "0.00" << "0,00";
    QTest::newRow("zero 0.0") << 0.0 << "0.0" << "0,0";

    QTest::newRow("# half") << 1234.5 << "#" << "1235";
    QTest::newRow("# -half") << -1234.5 << "#" << "-1235";
    QTest::newRow("# 0,5") << 0.5 << "#" << "1";
    QTest::newRow("# zero") << 0.0 << "#" << "";
    QTest::newRow("# rounds to zero") << 0.4 << "#" << "";
    QTest::newRow("# -0,4 no -0") << -0.4 << "#" << "";
    QTest::newRow("# 2,4999999999999996") << 2.4999999999999996 << "#" << "3";

    QTest::newRow("#.00 below 1") << 0.5 << "#.00" << ",50";
    QTest::newRow("#.00 twelve") << 12.0 << "#.00" << "12,00";
    QTest::newRow("#.00 zero") << 0.0 << "#.00" << ",00";
    QTest::newRow("#.00 negative") << -0.5 << "#.00" << "-,50";

    QTest::newRow("general") << 5.5 << "" << "5,5";
    QTest::newRow("unknown format is general") << 5.5 << "x.yz" << "5,5";

    QTest::newRow("nan") << kNaN << "0.00" << "NAN";
    QTest::newRow("inf") << kInf << "#" << "INF";
    QTest::newRow("-inf") << -kInf << "0.00" << "-INF";
}

void TestTextNumbers::amount()
{
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(formatAmount(value, format), expected);
    if (format == QLatin1String("#.00"))
        QCOMPARE(formatHashDot00(value), expected);
}

void TestTextNumbers::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("5,5") << 5.5 << "5,5";
    QTest::newRow("0,1") << 0.1 << "0,1";
    QTest::newRow("0,1+0,2") << 0.1 + 0.2 << "0,3";
    QTest::newRow("whole") << 2432.0 << "2432";
    QTest::newRow("negative") << -3.25 << "-3,25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("minus zero") << -0.0 << "0";
    QTest::newRow("15 digits") << 123456789.012345 << "123456789,012345";
    QTest::newRow("16th digit rounded") << 1.0000000000000002 << "1";
    QTest::newRow("2/3") << 2.0 / 3.0 << "0,666666666666667";
    QTest::newRow("1e12") << 1e12 << "1000000000000";
    QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
    QTest::newRow("1e15") << 1e15 << "1E+15";
    QTest::newRow("small fixed") << 0.00001 << "0,00001";
    QTest::newRow("smaller") << 0.0000015 << "1,5E-6";
    QTest::newRow("nan") << kNaN << "NAN";
}

void TestTextNumbers::general()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatGeneral(value), expected);
    QCOMPARE(formatAmount(value, QString()), expected);
}

void TestTextNumbers::generalRoundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("cents") << 1234.56;
    QTest::newRow("negative") << -0.125;
    QTest::newRow("huge") << -1.25e300;
    QTest::newRow("tiny") << 3.5e-9;
}

void TestTextNumbers::generalRoundTrip()
{
    // Whatever the general form writes is read back to the same value.
    QFETCH(double, value);
    bool ok = false;
    QCOMPARE(parseNumber(formatGeneral(value), &ok), value);
    QVERIFY(ok);
}

void TestTextNumbers::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("comma") << "12,5" << true << 12.5;
    QTest::newRow("blanks") << "  \t12,5  " << true << 12.5;
    QTest::newRow("whole") << "169" << true << 169.0;
    QTest::newRow("minus") << "-3,25" << true << -3.25;
    QTest::newRow("plus") << "+3,25" << true << 3.25;
    QTest::newRow("trailing comma") << "12," << true << 12.0;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("minus leading comma") << "-,5" << true << -0.5;
    QTest::newRow("exponent") << "1,5E+20" << true << 1.5e20;
    QTest::newRow("minus zero") << "-0" << true << 0.0;

    QTest::newRow("point") << "1.5" << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("comma alone") << "," << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("two signs") << "+-1" << false << 0.0;
    QTest::newRow("sign then blank") << "- 1" << false << 0.0;
    QTest::newRow("trailing letters") << "12abc" << false << 0.0;
    QTest::newRow("bare exponent") << "1E" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("overflow") << "1E400" << false << 0.0;
    QTest::newRow("currency") << "12,5 €" << false << 0.0;
}

void TestTextNumbers::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    bool got = !ok;
    const double v = parseNumber(text, &got);
    QCOMPARE(got, ok);
    QCOMPARE(v, value);
    if (v == 0)
        QVERIFY(!std::signbit(v)); // never "-0"
}

void TestTextNumbers::parseInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << "42" << true << 42;
    QTest::newRow("blanks") << " -42 " << true << -42;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("int max") << "2147483647" << true << INT_MAX;
    QTest::newRow("int min") << "-2147483648" << true << INT_MIN;
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("decimal") << "4,5" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("letters") << "x1" << false << 0;
}

void TestTextNumbers::parseInt()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    bool got = !ok;
    QCOMPARE(parseInteger(text, &got), value);
    QCOMPARE(got, ok);
}

void TestTextNumbers::real48_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("exact 5.5") << 5.5 << 5.5;
    QTest::newRow("exact 2432") << 2432.0 << 2432.0;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("minus zero") << -0.0 << 0.0;
    // 19.6 = 1.225 x 2^4; 1.225 x 2^39 = 673450872012.8, rounded up to ...013.
    QTest::newRow("19.6") << 19.6 << std::ldexp(673450872013.0, 4 - 39);
    QTest::newRow("-19.6") << -19.6 << -std::ldexp(673450872013.0, 4 - 39);
    // An exact half of the last bit goes away from zero, both signs.
    QTest::newRow("half up") << 1.0 + std::ldexp(1.0, -40) << 1.0 + std::ldexp(1.0, -39);
    QTest::newRow("-half") << -(1.0 + std::ldexp(1.0, -40)) << -(1.0 + std::ldexp(1.0, -39));
    QTest::newRow("below half") << 1.0 + std::ldexp(1.0, -41) << 1.0;
    QTest::newRow("carry into exponent") << 2.0 - std::ldexp(1.0, -41) << 2.0;
    QTest::newRow("smallest") << kReal48Min << kReal48Min;
    QTest::newRow("under smallest") << std::ldexp(1.0, -129) << 0.0;
    QTest::newRow("rounds up to smallest") << std::ldexp(1.0, -128) * (1 - std::ldexp(1.0, -45)) << kReal48Min;
    QTest::newRow("largest") << kReal48Max << kReal48Max;
    QTest::newRow("saturates") << 1e300 << kReal48Max;
    QTest::newRow("rounds past largest") << std::ldexp(2.0 - std::ldexp(1.0, -41), 127) << kReal48Max;
    QTest::newRow("negative saturates") << -1e300 << -kReal48Max;
    QTest::newRow("inf") << kInf << kReal48Max;
    QTest::newRow("nan") << kNaN << 0.0;
}

void TestTextNumbers::real48()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    const double r = roundReal48(value);
    QCOMPARE(r, expected);
    QCOMPARE(std::signbit(r), std::signbit(expected));
    QCOMPARE(roundReal48(r), r); // a 6-byte value stays what it is
}

void TestTextNumbers::iniReal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("5.5") << 5.5 << " 5.50000000000000E+0000";
    QTest::newRow("19.6") << 19.6 << " 1.96000000000058E+0001";
    QTest::newRow("2432") << 2432.0 << " 2.43200000000000E+0003";
    QTest::newRow("0") << 0.0 << " 0.00000000000000E+0000";
    QTest::newRow("-1.5") << -1.5 << "-1.50000000000000E+0000";
    QTest::newRow("-2432") << -2432.0 << "-2.43200000000000E+0003";
    // 6.55957 = 1.6398925 x 2^2: the 40 bits fall 2.38e-12 below, within half a step
    // (2^-39 x 4 / 2 = 3.64e-12), so the written value ends in ...99762.
    QTest::newRow("6.55957") << 6.55957 << " 6.55956999999762E+0000";
    QTest::newRow("0.001") << 0.001 << " 9.99999999999446E-0004";
    QTest::newRow("0.1") << 0.1 << " 1.00000000000023E-0001";
    QTest::newRow("169") << 169.0 << " 1.69000000000000E+0002";
    QTest::newRow("largest") << 1e300 << " 1.70141183460314E+0038";
    QTest::newRow("smallest") << kReal48Min << " 2.93873587705572E-0039";
    QTest::newRow("too small") << 1e-300 << " 0.00000000000000E+0000";
}

void TestTextNumbers::iniReal()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    const QString s = formatIniReal(value);
    QCOMPARE(s, expected);
    QCOMPARE(s.size(), 23);
}

void TestTextNumbers::parseIni_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("real");
    QTest::addColumn<bool>("intOk");
    QTest::addColumn<int>("integer");

    QTest::newRow("written form") << " 5.50000000000000E+0000" << true << 5.5 << true << 5;
    QTest::newRow("negative form") << "-2.43200000000000E+0003" << true << -2432.0 << true << -2;
    QTest::newRow("rounded on reading") << "19.6" << true << roundReal48(19.6) << true << 19;
    QTest::newRow("integer") << "  1" << true << 1.0 << true << 1;
    QTest::newRow("tab") << "\t2" << true << 2.0 << true << 2;
    QTest::newRow("rest ignored") << "1abc" << true << 1.0 << true << 1;
    QTest::newRow("rest after blank") << "12.5 taux" << true << 12.5 << true << 12;
    QTest::newRow("plus") << "+3" << true << 3.0 << true << 3;
    QTest::newRow("leading point") << ".5" << true << 0.5 << false << 0;
    QTest::newRow("trailing point") << "7." << true << 7.0 << true << 7;
    QTest::newRow("incomplete exponent") << "2E+" << true << 2.0 << true << 2;
    QTest::newRow("lower-case exponent") << "1.5e2" << true << 150.0 << true << 1;
    QTest::newRow("comma is the rest") << "5,5" << true << 5.0 << true << 5;
    QTest::newRow("beyond largest") << "1E39" << true << kReal48Max << true << 1;
    QTest::newRow("beyond double") << "-1E400" << true << -kReal48Max << true << -1;
    QTest::newRow("below double") << "1E-400" << true << 0.0 << true << 1;
    QTest::newRow("long mantissa, small exponent")
        << QString(QString(400, u'9') + QStringLiteral("E-1")) << true << kReal48Max << false << 0;
    QTest::newRow("integer overflow") << "99999999999" << true << roundReal48(99999999999.0) << false << 0;
    QTest::newRow("empty") << "" << false << 0.0 << false << 0;
    QTest::newRow("blank") << "   " << false << 0.0 << false << 0;
    QTest::newRow("text") << "abc" << false << 0.0 << false << 0;
    QTest::newRow("sign alone") << "- 1" << false << 0.0 << false << 0;
    QTest::newRow("point alone") << "." << false << 0.0 << false << 0;
    QTest::newRow("inf") << "inf" << false << 0.0 << false << 0;
}

void TestTextNumbers::parseIni()
{
    QFETCH(QString, line);
    QFETCH(bool, ok);
    QFETCH(double, real);
    QFETCH(bool, intOk);
    QFETCH(int, integer);
    bool got = !ok;
    QCOMPARE(parseIniReal(line, &got), real);
    QCOMPARE(got, ok);
    got = !intOk;
    QCOMPARE(parseIniInteger(line, &got), integer);
    QCOMPARE(got, intOk);
}

void TestTextNumbers::iniRoundTrip()
{
    // Writing then reading gives back the same 6-byte value: 15 digits are more than the
    // 40 bits need (about 12.3 digits).
    const double values[] = {6.55957, 19.6, 0.001, -1234.567, 1.0 / 3.0, 3.14159e30, 2.9e-39,
                             kReal48Max, -kReal48Max};
    for (double v : values) {
        const double r = roundReal48(v);
        bool ok = false;
        QCOMPARE(parseIniReal(formatIniReal(v), &ok), r);
        QVERIFY(ok);
    }
}

void TestTextNumbers::keyFilter_data()
{
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QChar>("expected");

    QTest::newRow("point") << QChar(u'.') << QChar(u',');
    QTest::newRow("comma") << QChar(u',') << QChar(u',');
    QTest::newRow("0") << QChar(u'0') << QChar(u'0');
    QTest::newRow("9") << QChar(u'9') << QChar(u'9');
    QTest::newRow("backspace") << QChar(u'\b') << QChar(u'\b');
    QTest::newRow("return") << QChar(u'\r') << QChar(u'\r');
    QTest::newRow("minus") << QChar(u'-') << QChar();
    QTest::newRow("letter") << QChar(u'a') << QChar();
    QTest::newRow("space") << QChar(u' ') << QChar();
    QTest::newRow("superscript two") << QChar(u'\u00B2') << QChar();
    QTest::newRow("arabic-indic digit") << QChar(u'\u0661') << QChar();
}

void TestTextNumbers::keyFilter()
{
    QFETCH(QChar, key);
    QFETCH(QChar, expected);
    QCOMPARE(filterNumericKey(key), expected);
}

void TestTextNumbers::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain") << "05/03/2024" << QDate(2024, 3, 5) << "05/03/2024";
    QTest::newRow("short day and month") << "5/3/2024" << QDate(2024, 3, 5) << "05/03/2024";
    QTest::newRow("blanks") << " 31/12/1999 " << QDate(1999, 12, 31) << "31/12/1999";
    QTest::newRow("leap day") << "29/02/2024" << QDate(2024, 2, 29) << "29/02/2024";
    QTest::newRow("early year") << "01/01/0999" << QDate(999, 1, 1) << "01/01/0999";
    QTest::newRow("31 february") << "31/02/2020" << QDate() << "";
    QTest::newRow("29 february 1900") << "29/02/1900" << QDate() << "";
    QTest::newRow("month 13") << "01/13/2020" << QDate() << "";
    QTest::newRow("day 0") << "00/01/2020" << QDate() << "";
    QTest::newRow("year 0") << "01/01/0000" << QDate() << "";
    QTest::newRow("two-digit year 49") << "15/03/49" << QDate(2049, 3, 15) << "15/03/2049";
    QTest::newRow("two-digit year 50") << "15/03/50" << QDate(1950, 3, 15) << "15/03/1950";
    QTest::newRow("three-digit year") << "01/01/200" << QDate() << "";
    QTest::newRow("five-digit year") << "01/01/20201" << QDate() << "";
    QTest::newRow("three-digit day") << "001/01/2020" << QDate() << "";
    QTest::newRow("dashes") << "01-01-2020" << QDate() << "";
    QTest::newRow("iso") << "2020-01-01" << QDate() << "";
    QTest::newRow("trailing text") << "01/01/2020x" << QDate() << "";
    QTest::newRow("empty") << "" << QDate() << "";
    QTest::newRow("letters") << "aa/bb/cccc" << QDate() << "";
}

void TestTextNumbers::dates()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QFETCH(QString, written);
    const QDate got = parseDate(text);
    QCOMPARE(got.isValid(), date.isValid());
    if (date.isValid())
        QCOMPARE(got, date);
    QCOMPARE(formatDate(got), written);
}

void TestTextNumbers::names()
{
    const QStringList months = {QStringLiteral("janvier"), QStringLiteral("février"), QStringLiteral("mars"), QStringLiteral("avril"),
                                QStringLiteral("mai"), QStringLiteral("juin"), QStringLiteral("juillet"), QStringLiteral("août"),
                                QStringLiteral("septembre"), QStringLiteral("octobre"), QStringLiteral("novembre"), QStringLiteral("décembre")};
    for (int m = 1; m <= 12; ++m)
        QCOMPARE(frenchMonthName(m), months[m - 1]);
    QCOMPARE(frenchMonthName(0), QString());
    QCOMPARE(frenchMonthName(13), QString());

    // 1 January 2024 was a Monday; Qt numbers the days from Monday = 1.
    const QStringList days = {QStringLiteral("lundi"), QStringLiteral("mardi"), QStringLiteral("mercredi"), QStringLiteral("jeudi"),
                              QStringLiteral("vendredi"), QStringLiteral("samedi"), QStringLiteral("dimanche")};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(frenchDayName(QDate(2024, 1, 1 + i).dayOfWeek()), days[i]);
    QCOMPARE(frenchDayName(0), QString());
    QCOMPARE(frenchDayName(8), QString());
}

QTEST_GUILESS_MAIN(TestTextNumbers)
#include "test_text_numbers.moc"
