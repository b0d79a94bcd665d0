#pragma once

#include "printing/canvas.h"

// Drawing in layout millimetres (x through Mh, y through Mv), for the printouts placed at
// fixed positions. shiftY is added to every y before the conversion (the envelope guide).
class Layout
{
public:
    explicit Layout(Canvas &canvas, int shiftY = 0) : m_canvas(canvas), m_shiftY(shiftY) {}

    int x(int mm) const { return Mh(m_canvas, mm); }
    int y(int mm) const { return Mv(m_canvas, mm + m_shiftY); }

    void font(int points, bool bold) { m_canvas.setFont(QStringLiteral("Arial"), points, bold); }
    // An empty text prints nothing.
    void text(int xmm, int ymm, const QString &s, Canvas::Align align = Canvas::Align::Left)
    {
        if (!s.isEmpty())
            m_canvas.text(x(xmm), y(ymm), s, align);
    }
    void right(int xmm, int ymm, const QString &s) { text(xmm, ymm, s, Canvas::Align::Right); }
    void line(int x1, int y1, int x2, int y2) { m_canvas.line(x(x1), y(y1), x(x2), y(y2)); }
    void rectangle(int x1, int y1, int x2, int y2) { m_canvas.rectangle(x(x1), y(y1), x(x2), y(y2)); }

private:
    Canvas &m_canvas;
    int m_shiftY;
};

// Puts the printer back in portrait when a printout ends, however it ends.
class PortraitAfterwards
{
public:
    explicit PortraitAfterwards(Canvas &canvas) : m_canvas(canvas) {}
    ~PortraitAfterwards() { m_canvas.setOrientation(Canvas::Orientation::Portrait); }
    PortraitAfterwards(const PortraitAfterwards &) = delete;
    PortraitAfterwards &operator=(const PortraitAfterwards &) = delete;

private:
    Canvas &m_canvas;
};
