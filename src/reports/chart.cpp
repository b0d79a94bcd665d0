#include "reports/chart.h"

#include "records/employeeform.h"
#include "text/numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>

bool Chart::Init(const QStringList &texts, QString *message)
{
    const QStringList kept = texts.mid(std::max<qsizetype>(0, texts.size() - kMaxValues));
    QList<int> values;
    for (const QString &t : kept) {
        bool ok = false;
        const double v = text::parseNumber(t, &ok);
        if (!ok) {
            if (message)
                *message = conversionMessage(t.trimmed());
            return false;
        }
        // The current rounding mode rounds halves to the even neighbour.
        const double r = std::nearbyint(v);
        values.append(r >= double(INT_MAX) ? INT_MAX : r <= double(INT_MIN) ? INT_MIN : int(r));
    }
    m_values = values;
    return true;
}

void Chart::DrawChart(Canvas &canvas) const
{
    canvas.setPenWidth(1);
    canvas.setFill(Canvas::kWhite);
    canvas.rectangle(0, 0, kWidth, kHeight);
    canvas.line(20, 300, 550, 300);
    canvas.line(20, 300, 20, 20);
    const qint64 highest = std::max(0, m_values.isEmpty() ? 0 : *std::max_element(m_values.begin(), m_values.end()));
    if (highest == 0)
        return;
    canvas.setFill(kBarColour);
    for (int i = 0; i < m_values.size(); ++i) {
        const int h = int(qint64(m_values[i]) * 280 / highest);
        canvas.rectangle(20 + 15 * i, 300, 30 + 15 * i, 300 - h);
    }
}
