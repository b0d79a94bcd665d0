#include "accessories/calculator.h"
#include "testsupport.h"

// The calculator, driven key by key as its window drives it.
class TestCalculator : public QObject
{
    Q_OBJECT

private:
    // Types every character of keys; returns how many were refused as impossible.
    static int type(Calculator &calc, const QString &keys)
    {
        int impossible = 0;
        for (QChar c : keys) {
            Calculator::Outcome outcome = Calculator::Outcome::Ok;
            if (!calc.key(c, &outcome))
                qFatal("not a calculator key");
            if (outcome == Calculator::Outcome::Impossible)
                ++impossible;
        }
        return impossible;
    }

private Q_SLOTS:
    void sequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("division") << "7/2=" << "3,5";
        QTest::newRow("left to right") << "2+3*4=" << "20";
        QTest::newRow("chained plus") << "2+3+4=" << "9";
        QTest::newRow("equals repeats") << "5+=" << "10";
        QTest::newRow("equals repeats twice") << "5+==" << "20";
        // An operator applies the pending one first, even right after "=" or another operator.
        QTest::newRow("operator after equals") << "2+3=*2=" << "20";
        QTest::newRow("operator after operator") << "2+*3=" << "12";
        QTest::newRow("subtraction below zero") << "3-5=" << "-2";
        QTest::newRow("no binary noise") << "0,1+0,2=" << "0,3";
        QTest::newRow("zero in the decimals kept") << "3+0,05=" << "3,05";
        QTest::newRow("twelve digits") << "1/3=" << "0,333333333333";
        QTest::newRow("whole part beyond twelve digits not padded") << "123456789*123456=" << "1,52414813428E+13";
        QTest::newRow("long whole part that is exact") << "1000000*10000000=" << "10000000000000";
        QTest::newRow("minus sign is not a digit") << "0-123456789012,34=" << "-123456789012";
        QTest::newRow("dot is the comma") << "1.5*2=" << "3";
        QTest::newRow("clear then equals") << "C=" << "";
        QTest::newRow("typing after a result") << "7/2=12" << "12";
        QTest::newRow("comma after a result starts a number") << "7/2=,5" << "0,5";
        QTest::newRow("comma after a result, then computing") << "7/2=,5+1=" << "8";
        QTest::newRow("reciprocal") << "4x" << "0,25";
        QTest::newRow("square root") << "9s" << "3";
        QTest::newRow("square root, fifteen digits") << "2S" << "1,4142135623731";
        QTest::newRow("sqr without pending operator") << "9s+1=" << "4";
        QTest::newRow("sqr with multiply pending") << "2*9s+1=" << "10";
        QTest::newRow("reciprocal then operator") << "4X*8=" << "2";
        QTest::newRow("unreadable first operand") << "1,2,3+" << "";
    }

    void sequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        Calculator calc;
        QCOMPARE(type(calc, keys), 0);
        QCOMPARE(calc.display(), display);
    }

    void clearEmptiesEverything()
    {
        Calculator calc;
        type(calc, QStringLiteral("2*9s"));
        type(calc, QStringLiteral("c"));
        QCOMPARE(calc.display(), QString());
        QCOMPARE(calc.accumulator(), 0.0);
        QCOMPARE(calc.operand(), 0.0);
        QVERIFY(!calc.hasAccumulator());
        QVERIFY(calc.pendingOperator().isNull());
        // "=" on an empty display sets no accumulator.
        type(calc, QStringLiteral("="));
        QVERIFY(!calc.hasAccumulator());
        QCOMPARE(calc.display(), QString());
    }

    void impossibleOperations_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("failing");
        QTest::newRow("division by zero") << "5/0" << "=";
        QTest::newRow("division by zero on an operator") << "5/0" << "+";
        QTest::newRow("reciprocal of zero") << "5+0" << "x";
        QTest::newRow("root of a negative number") << "3-5=" << "s";
        QTest::newRow("second comma in a later operand") << "1+1,2,3" << "=";
        QTest::newRow("reciprocal of an empty display") << "C" << "x";
        QTest::newRow("overflow") << QString(200, u'9') + u'*' + QString(200, u'9') << "=";
    }

    void impossibleOperations()
    {
        QFETCH(QString, before);
        QFETCH(QString, failing);
        Calculator calc;
        QCOMPARE(type(calc, before), 0);
        const QString display = calc.display();
        const double accumulator = calc.accumulator();
        const QChar op = calc.pendingOperator();
        const bool hasAccumulator = calc.hasAccumulator();
        QCOMPARE(type(calc, failing), 1);
        QCOMPARE(calc.display(), display);
        QCOMPARE(calc.accumulator(), accumulator);
        QCOMPARE(calc.pendingOperator(), op);
        QCOMPARE(calc.hasAccumulator(), hasAccumulator);
    }

    void recoversAfterImpossible()
    {
        Calculator calc;
        type(calc, QStringLiteral("6/0="));
        // The display still holds 0; correcting it lets the division go through.
        type(calc, QStringLiteral("C6/3="));
        QCOMPARE(calc.display(), QStringLiteral("2"));
    }

    void otherKeysRefused()
    {
        Calculator calc;
        for (QChar c : QStringLiteral("aZ%( \t€"))
            QVERIFY2(!calc.key(c), qPrintable(QString(c)));
        QCOMPARE(calc.display(), QString());
    }
};

QTEST_GUILESS_MAIN(TestCalculator)
#include "test_accessories_calculator.moc"
