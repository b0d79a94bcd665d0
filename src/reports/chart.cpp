#include "reports/chart.h"

#include "records/employeeform.h"
#include "reports/statsmodel.h"
#include "text/numbers.h"

#include <algorithm>

bool Chart::Init(const StatsModel &model, QString *message)
{
    const StatsDescription &d = model.description();
    const QStringList texts = model.chartTexts();
    QStringList keys;
    for (int row = 1; row <= texts.size(); ++row)
        keys.append(model.cell(row, 1).trimmed());
    return Init(d.caption, model.cell(0, 1).trimmed(), model.cell(0, d.chartColumn).trimmed(), keys, texts, message);
}

bool Chart::Init(const QString &title, const QString &keyTitle, const QString &valueTitle, const QStringList &keys,
                 const QStringList &texts, QString *message)
{
    const qsizetype first = std::max<qsizetype>(0, texts.size() - kMaxBars);
    QList<Bar> bars;
    int decimals = 0;
    for (qsizetype i = first; i < texts.size(); ++i) {
        const QString text = texts[i].trimmed();
        bool ok = false;
        const double value = text::parseNumber(text, &ok);
        if (!ok) {
            if (message)
                *message = conversionMessage(text);
            return false;
        }
        const qsizetype comma = text.indexOf(u',');
        if (comma >= 0)
            decimals = std::max(decimals, int(std::min<qsizetype>(2, text.size() - comma - 1)));
        bars.append({keys.value(i), text, value});
    }
    m_title = title;
    m_keyTitle = keyTitle;
    m_valueTitle = valueTitle;
    m_bars = bars;
    m_decimals = decimals;
    return true;
}

double Chart::lowest() const
{
    double low = 0;
    for (const Bar &b : m_bars)
        low = std::min(low, b.value);
    return low;
}

double Chart::highest() const
{
    double high = 0;
    for (const Bar &b : m_bars)
        high = std::max(high, b.value);
    return high > 0 ? high : 1;
}

QString Chart::hoverText(int i) const
{
    if (i < 0 || i >= m_bars.size())
        return {};
    return m_bars[i].key + QStringLiteral(" : ") + m_bars[i].text;
}

bool Chart::uprightKeys() const
{
    qsizetype longest = 0;
    for (const Bar &b : m_bars)
        longest = std::max(longest, b.key.size());
    // About 70 characters of keys fit along the axis of the window as it opens.
    return m_bars.size() * (longest + 1) > 70;
}
