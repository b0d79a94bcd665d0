#pragma once

#include <QChar>
#include <QString>

// The pocket calculator's registers and rules. It works left to right, without operator
// precedence: an operator key first applies the pending operator to the displayed value.
// One instance lives as long as the program, so that the registers survive the window; the
// window resets them each time it is activated.
class Calculator
{
public:
    enum class Outcome { Ok, Impossible };

    const QString &display() const { return m_display; }
    double accumulator() const { return m_accumulator; }
    double operand() const { return m_operand; }
    // '+', '-', '*', '/' or a null QChar when no operator is pending.
    QChar pendingOperator() const { return m_operator; }
    bool hasAccumulator() const { return m_hasAccumulator; }
    bool newNumber() const { return m_newNumber; }

    // "C", and every activation of the window: empties the display and clears the registers.
    void reset();
    // "0" to "9".
    void digit(int value);
    // ",": the decimal separator.
    void comma();
    // "=": applies the pending operator to the displayed value.
    Outcome equals();
    // "+", "-", "*", "/": evaluates, then keeps op as the pending operator. The pending
    // operator is applied to the displayed value even right after "=" or another operator,
    // when the display is the result itself: 2 + 3 = then * 2 = gives 20, and 2 + * 3 = gives 12.
    Outcome applyOperator(QChar op);
    // "1/x" and "sqr": act on the displayed value and make the result the accumulator.
    Outcome reciprocal();
    Outcome squareRoot();

    // A key typed on the keyboard, as the calculator's buttons read it: digits, "," and ".",
    // "=", the four operators, X/x, S/s and C/c. Returns false for any other character.
    bool key(QChar c, Outcome *outcome = nullptr);

    // Text of a result of "=" and of the operators: the general form rounded to 12
    // significant digits, which removes the representation noise of binary arithmetic. A result
    // whose whole part needs more digits is written in exponent form, never padded with zeros
    // that would look exact.
    static QString formatResult(double value);

private:
    Outcome evaluate();
    Outcome unary(double (*f)(double, bool *));

    QString m_display;
    double m_accumulator = 0;
    double m_operand = 0;
    QChar m_operator;
    bool m_hasAccumulator = false;
    bool m_newNumber = false;
};
