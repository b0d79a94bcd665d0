#include "accessories/euroconverter.h"

#include "text/numbers.h"

#include <cmath>

QString EuroConverter::rateText() const
{
    // Written from the integer so that no binary noise can show: whole part, comma, and the
    // five decimals without their trailing zeros.
    const QString whole = QString::number(m_rate / 100000);
    QString decimals = QStringLiteral("%1").arg(m_rate % 100000, 5, 10, QChar(u'0'));
    while (decimals.endsWith(u'0'))
        decimals.chop(1);
    return decimals.isEmpty() ? whole : whole + u',' + decimals;
}

void EuroConverter::type(QChar c)
{
    if (m_resultShown) {
        m_input.clear();
        m_result.clear();
        m_resultShown = false;
    }
    m_input += c;
}

bool EuroConverter::key(QChar c)
{
    if (c == u'.')
        c = u',';
    if (!c.isDigit() && c != u',')
        return false;
    if (c.unicode() > 0x7F)
        return false;
    type(c);
    return true;
}

void EuroConverter::convert()
{
    m_resultShown = true;
    bool ok = false;
    const double v = text::parseNumber(m_input, &ok);
    double shown = 0;
    if (ok) {
        // std::nearbyint rounds halves to even in the default rounding mode.
        if (m_direction == Direction::FrancsToEuros) {
            const double x = v * 100000 / m_rate;
            shown = std::nearbyint(x * 100) * 0.01;
        } else {
            const double x = v * m_rate * 0.000001;
            shown = std::nearbyint(x * 100) * 0.1;
        }
        ok = std::isfinite(shown);
    }
    if (!ok) {
        m_input.clear();
        m_result.clear();
        m_resultShown = false;
        return;
    }
    m_result = text::formatGeneral(shown);
}

void EuroConverter::rateUp()
{
    if (m_rate < kMaximumRate)
        ++m_rate;
}

void EuroConverter::rateDown()
{
    if (m_rate > kMinimumRate)
        --m_rate;
}
