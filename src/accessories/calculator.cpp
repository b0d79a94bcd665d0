#include "accessories/calculator.h"

#include "text/numbers.h"

#include <cmath>

namespace {

double invert(double x, bool *ok)
{
    *ok = x != 0;
    return *ok ? 1 / x : 0;
}

double root(double x, bool *ok)
{
    *ok = x >= 0;
    return *ok ? std::sqrt(x) : 0;
}

} // namespace

void Calculator::reset()
{
    m_display.clear();
    m_accumulator = 0;
    m_operand = 0;
    m_hasAccumulator = false;
    m_operator = QChar();
}

void Calculator::digit(int value)
{
    if (value < 0 || value > 9)
        return;
    if (m_newNumber)
        m_display.clear();
    m_display += QChar(u'0' + value);
    m_newNumber = false;
}

void Calculator::comma()
{
    // After a result the comma starts a new number, as a digit does: appended to the result it
    // would be thrown away by the next digit, and ",5" would silently become 5.
    if (m_newNumber) {
        m_display = QStringLiteral("0");
        m_newNumber = false;
    }
    m_display += u',';
}

Calculator::Outcome Calculator::evaluate()
{
    bool ok = false;
    const double value = text::parseNumber(m_display, &ok);
    if (!m_hasAccumulator) {
        if (!ok) {
            m_display.clear();
            return Outcome::Ok;
        }
        m_accumulator = value;
        m_hasAccumulator = true;
        m_newNumber = true;
        return Outcome::Ok;
    }
    if (!ok)
        return Outcome::Impossible;
    double result = m_accumulator;
    switch (m_operator.unicode()) {
    case u'+': result = m_accumulator + value; break;
    case u'-': result = m_accumulator - value; break;
    case u'*': result = m_accumulator * value; break;
    case u'/':
        if (value == 0)
            return Outcome::Impossible;
        result = m_accumulator / value;
        break;
    default: break;
    }
    if (!std::isfinite(result))
        return Outcome::Impossible;
    m_operand = value;
    m_accumulator = result;
    m_display = formatResult(result);
    m_newNumber = true;
    return Outcome::Ok;
}

Calculator::Outcome Calculator::equals()
{
    return evaluate();
}

Calculator::Outcome Calculator::applyOperator(QChar op)
{
    if (op != u'+' && op != u'-' && op != u'*' && op != u'/')
        return Outcome::Ok;
    const Outcome outcome = evaluate();
    if (outcome == Outcome::Ok)
        m_operator = op;
    return outcome;
}

Calculator::Outcome Calculator::unary(double (*f)(double, bool *))
{
    bool ok = false;
    const double value = text::parseNumber(m_display, &ok);
    if (!ok)
        return Outcome::Impossible;
    const double result = f(value, &ok);
    if (!ok || !std::isfinite(result))
        return Outcome::Impossible;
    m_operand = value;
    m_accumulator = result;
    m_display = text::formatGeneral(result);
    m_hasAccumulator = true;
    m_newNumber = true;
    return Outcome::Ok;
}

Calculator::Outcome Calculator::reciprocal()
{
    return unary(invert);
}

Calculator::Outcome Calculator::squareRoot()
{
    return unary(root);
}

bool Calculator::key(QChar c, Outcome *outcome)
{
    Outcome result = Outcome::Ok;
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        digit(u - u'0');
    else if (u == u',' || u == u'.')
        comma();
    else if (u == u'=')
        result = equals();
    else if (u == u'+' || u == u'-' || u == u'*' || u == u'/')
        result = applyOperator(c);
    else if (u == u'x' || u == u'X')
        result = reciprocal();
    else if (u == u's' || u == u'S')
        result = squareRoot();
    else if (u == u'c' || u == u'C')
        reset();
    else
        return false;
    if (outcome)
        *outcome = result;
    return true;
}

QString Calculator::formatResult(double value)
{
    const QString shown = text::formatGeneral(value, 12);
    const qsizetype wholeDigits = (shown.contains(u',') ? shown.indexOf(u',') : shown.size()) - (value < 0);
    if (shown.contains(u'E') || wholeDigits <= 12 || shown == text::formatGeneral(value, 15))
        return shown;
    // 15241481342784 would show as 15241481342800: the exponent form says that digits were
    // dropped.
    const QString e = QString::number(value, 'E', 11);
    const qsizetype at = e.indexOf(u'E');
    QString mantissa = e.left(at);
    while (mantissa.endsWith(u'0'))
        mantissa.chop(1);
    if (mantissa.endsWith(u'.'))
        mantissa.chop(1);
    return mantissa.replace(u'.', u',') + e.mid(at);
}
