#include "printing/canvas.h"

namespace {

int perMillimetre(int pixels, int millimetres)
{
    // A printer that reports no size has no scale; nothing it draws can be placed.
    return millimetres > 0 ? pixels / millimetres : 0;
}

} // namespace

int scaleH(const Canvas &canvas)
{
    return perMillimetre(canvas.sizePixels().width(), canvas.sizeMillimetres().width());
}

int scaleV(const Canvas &canvas)
{
    return perMillimetre(canvas.sizePixels().height(), canvas.sizeMillimetres().height());
}

int Mh(const Canvas &canvas, int x)
{
    return x * scaleH(canvas);
}

int Mv(const Canvas &canvas, int y)
{
    return (y + 3) * scaleV(canvas);
}
