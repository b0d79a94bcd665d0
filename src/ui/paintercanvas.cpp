#include "ui/paintercanvas.h"

#include <QPaintDevice>

#include <algorithm>

namespace {

QRect box(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

} // namespace

PainterCanvas::PainterCanvas(QPainter &painter)
    : m_painter(painter)
{
    m_painter.setPen(QPen(Qt::black, 1));
    m_painter.setBrush(Qt::white);
}

QSize PainterCanvas::sizePixels() const
{
    const QPaintDevice *d = m_painter.device();
    return d ? QSize(d->width(), d->height()) : QSize();
}

QSize PainterCanvas::sizeMillimetres() const
{
    const QPaintDevice *d = m_painter.device();
    return d ? QSize(d->widthMM(), d->heightMM()) : QSize();
}

void PainterCanvas::setFont(const QString &name, int points, bool bold)
{
    QFont f(name);
    f.setPointSize(points);
    f.setBold(bold);
    m_painter.setFont(f);
}

void PainterCanvas::setPenWidth(int pixels)
{
    m_painter.setPen(QPen(Qt::black, pixels));
}

void PainterCanvas::setFill(Colour colour)
{
    m_painter.setBrush(QColor(colour.red, colour.green, colour.blue));
}

void PainterCanvas::text(int x, int y, const QString &s, Align align)
{
    const QFontMetrics fm = m_painter.fontMetrics();
    m_painter.drawText(align == Align::Right ? x - fm.horizontalAdvance(s) : x, y + fm.ascent(), s);
}

void PainterCanvas::line(int x1, int y1, int x2, int y2)
{
    m_painter.drawLine(x1, y1, x2, y2);
}

void PainterCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    // QPainter outlines a QRect on its edges, right and bottom included.
    const QRect r = box(x1, y1, x2, y2);
    if (!r.isEmpty())
        m_painter.drawRect(r.adjusted(0, 0, -1, -1));
}

void PainterCanvas::fillRectangle(int x1, int y1, int x2, int y2)
{
    m_painter.fillRect(box(x1, y1, x2, y2), m_painter.brush());
}

int PainterCanvas::textWidth(const QString &s) const
{
    return m_painter.fontMetrics().horizontalAdvance(s);
}

int PainterCanvas::textHeight(const QString &) const
{
    return m_painter.fontMetrics().height();
}
