#include "accessories/euroconverter.h"
#include "testsupport.h"

// The franc/euro converter, driven key by key as its window drives it.
class TestEuro : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void euroConversions_data()
    {
        QTest::addColumn<bool>("toEuros");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::newRow("100 francs") << true << "100" << "15,24";
        QTest::newRow("1 euro") << false << "1" << "6,6";
        QTest::newRow("15,24 euros") << false << "15,24" << "100";
        QTest::newRow("6,55957 francs") << true << "6,55957" << "1";
        QTest::newRow("one centime") << true << "0,01" << "0";
        QTest::newRow("large amount") << true << "1000000" << "152449,02";
        QTest::newRow("large amount back") << false << "152449,02" << "1000000";
    }

    void euroConversions()
    {
        QFETCH(bool, toEuros);
        QFETCH(QString, input);
        QFETCH(QString, result);
        EuroConverter euro;
        euro.setDirection(toEuros ? EuroConverter::Direction::FrancsToEuros
                                  : EuroConverter::Direction::EurosToFrancs);
        for (QChar c : input)
            QVERIFY(euro.key(c));
        euro.convert();
        QCOMPARE(euro.input(), input);
        QCOMPARE(euro.result(), result);
        QVERIFY(euro.resultShown());
    }

    void euroNewEntryAfterResult()
    {
        EuroConverter euro;
        euro.key(u'1');
        euro.key(u'0');
        euro.key(u'0');
        euro.convert();
        euro.key(u'5');
        QCOMPARE(euro.input(), QStringLiteral("5"));
        QCOMPARE(euro.result(), QString());
        QVERIFY(!euro.resultShown());
        // The dot is typed as a comma; letters are not keys of the converter.
        QVERIFY(euro.key(u'.'));
        QVERIFY(!euro.key(u'a'));
        QVERIFY(!euro.key(u'-'));
        QCOMPARE(euro.input(), QStringLiteral("5,"));
    }

    void euroUnreadableInput_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("empty") << "";
        QTest::newRow("two commas") << "1,2,3";
        QTest::newRow("comma alone") << ",";
    }

    void euroUnreadableInput()
    {
        QFETCH(QString, input);
        EuroConverter euro;
        for (QChar c : input)
            euro.key(c);
        euro.convert();
        QCOMPARE(euro.input(), QString());
        QCOMPARE(euro.result(), QString());
        QVERIFY(!euro.resultShown());
    }

    void euroRate()
    {
        EuroConverter euro;
        QCOMPARE(euro.rateText(), QStringLiteral("6,55957"));
        for (int i = 0; i < 10; ++i)
            euro.rateDown();
        QCOMPARE(euro.rateText(), QStringLiteral("6,55947"));
        euro.rateUp();
        QCOMPARE(euro.rateText(), QStringLiteral("6,55948"));
        while (euro.rate() > 3)
            euro.rateDown();
        for (int i = 0; i < 5; ++i)
            euro.rateDown();
        QCOMPARE(euro.rate(), 1);
        QCOMPARE(euro.rateText(), QStringLiteral("0,00001"));
        // The stepped rate is the one the conversion uses.
        euro.key(u'1');
        euro.convert();
        QCOMPARE(euro.result(), QStringLiteral("100000"));
        // A new converter starts again from the legal rate.
        QCOMPARE(EuroConverter().rateText(), QStringLiteral("6,55957"));
    }
};

QTEST_GUILESS_MAIN(TestEuro)
#include "test_accessories_euro.moc"
