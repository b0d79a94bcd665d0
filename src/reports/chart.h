#pragma once

#include "printing/canvas.h"

#include <QList>
#include <QString>
#include <QStringList>

// The chart window "Graphique" (TGraph) as data: up to 32 whole values drawn as bars on a
// surface of 559 x 321 pixels.
class Chart
{
public:
    static constexpr int kMaxValues = 32;
    static constexpr int kWidth = 559;
    static constexpr int kHeight = 321;
    static constexpr Canvas::Colour kBarColour{0, 0, 255};

    // Keeps the last 32 texts; each, trimmed, is read as a number with "," as separator and
    // rounded to the nearest whole number, halves to the even one (beyond the range of a
    // 32-bit integer, to its end). False, with the values unchanged and message set to the
    // conversion message, when a text does not read as a number.
    bool Init(const QStringList &texts, QString *message = nullptr);
    const QList<int> &values() const { return m_values; }
    // The index of the last value, -1 when there is none.
    int last() const { return int(m_values.size()) - 1; }

    // The surface cleared white inside a black border, the two axes from (20, 300) to
    // (550, 300) and up to (20, 20), then value i as a blue bar from x = 20 + 15 i to
    // 30 + 15 i, of height value × 280 ÷ the largest value (truncated), up from the axis or
    // down for a negative value. Without a value above 0 there is no bar.
    void DrawChart(Canvas &canvas) const;

private:
    QList<int> m_values;
};
