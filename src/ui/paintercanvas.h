#pragma once

#include "printing/canvas.h"

#include <QPainter>

// The Canvas interface on a QPainter that is already painting (a widget's paint event), for
// drawings laid out in screen pixels such as the chart. There is no job: beginJob, newPage
// and endJob do nothing. Rectangles take their corners as the window system of the layouts
// does: the outline covers x1 to x2 − 1 and y1 to y2 − 1, whichever corner comes first.
class PainterCanvas : public Canvas
{
public:
    explicit PainterCanvas(QPainter &painter);

    QSize sizePixels() const override;
    QSize sizeMillimetres() const override;
    Orientation orientation() const override { return Orientation::Portrait; }
    void setOrientation(Orientation) override {}

    bool beginJob(const QString &) override { return true; }
    bool newPage() override { return true; }
    bool endJob() override { return true; }
    void abortJob() override {}
    QString error() const override { return {}; }

    void setFont(const QString &name, int points, bool bold) override;
    void setPenWidth(int pixels) override;
    void setFill(Colour colour) override;
    void text(int x, int y, const QString &text, Align align = Align::Left) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void fillRectangle(int x1, int y1, int x2, int y2) override;
    int textWidth(const QString &text) const override;
    int textHeight(const QString &text) const override;

private:
    QPainter &m_painter;
};
