#pragma once

#include "printing/canvas.h"
#include "printing/payslipprint.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// Helpers of the tests that print for real and read the PDF back with poppler's tools.
namespace printcheck {

using namespace Qt::StringLiterals;

// A payslip of the standard profile's size: 26 lines, two pages.
inline PayslipForm standardPayslip()
{
    PayslipForm p;
    p.number = u"200203001"_s;
    p.address = {u"DUPONT Jérôme"_s, u"3 rue des Lilas"_s, QString(), u"75011 Paris"_s};
    p.netToPay = u"1187,45"_s;
    for (int i = 0; i < 26; ++i)
        p.lines[i] = {u"Cotisation n°%1 à taux réduit"_s.arg(i + 1), u"1592,54"_s, u"2,90"_s, u"46,18"_s, u"12,80"_s, u"203,85"_s};
    p.linesInUse = 26;
    return p;
}

inline PayslipPrintOptions standardOptions()
{
    PayslipPrintOptions o;
    o.letterhead = {u"SARL Korvel"_s, u"12 place du Marché"_s, u"69002 Lyon"_s};
    o.amountFormat = u"0.00"_s;
    return o;
}

// Runs a tool; its standard output, or a null array when it failed.
inline QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

inline int pdfPages(const QString &pdf)
{
    const auto m = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(QString::fromUtf8(run(u"pdfinfo"_s, {pdf})));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Page `page` (from 1) rendered at dpi, without anti-aliasing so that thin rules stay black.
inline QImage render(const QString &pdf, int page, int dpi, const QString &folder)
{
    const QString base = folder + u"/page%1"_s.arg(page), n = QString::number(page);
    run(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, QString::number(dpi), u"-aa"_s, u"no"_s, u"-aaVector"_s, u"no"_s, u"-f"_s, n,
                       u"-l"_s, n, u"-singlefile"_s, pdf, base});
    return QImage(base + u".png"_s);
}

// Where the layout lands on a rendered page: the printer's printable area starts at its
// margins, a layout unit is scale device pixels, the page is rendered at dpi.
struct PagePlacement {
    double originX = 0, originY = 0; // device pixels
    int scaleH = 1, scaleV = 1, resolution = 1200, dpi = 150;

    static PagePlacement of(const QPrinter &printer, const Canvas &canvas, int dpi)
    {
        const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
        return {double(paint.left()), double(paint.top()), ::scaleH(canvas), ::scaleV(canvas), printer.resolution(), dpi};
    }
    double x(int mm) const { return (originX + mm * scaleH) * dpi / resolution; }
    double y(int mm) const { return (originY + (mm + 3) * scaleV) * dpi / resolution; }
    // One layout millimetre on the rendered page.
    int tolerance() const { return int(std::ceil(std::max(scaleH, scaleV) * double(dpi) / resolution)); }
};

// A rule from layout (x1, y1) to (x2, y2), horizontal or vertical: ink along nine tenths of
// its length (its ends and the crossings left aside) within one layout millimetre of it.
inline bool ruleAt(const QImage &img, const PagePlacement &at, int x1, int y1, int x2, int y2)
{
    auto dark = [&img](int x, int y) { return img.rect().contains(x, y) && qGray(img.pixel(x, y)) < 160; };
    const int tol = at.tolerance();
    const bool horizontal = y1 == y2;
    const int from = int(horizontal ? at.x(x1) : at.y(y1)) + 2 * tol;
    const int to = int(horizontal ? at.x(x2) : at.y(y2)) - 2 * tol;
    const int across = int(std::lround(horizontal ? at.y(y1) : at.x(x1)));
    for (int offset = -tol; offset <= tol; ++offset) {
        int inked = 0;
        for (int along = from; along <= to; ++along)
            inked += horizontal ? dark(along, across + offset) : dark(across + offset, along);
        if (to > from && inked * 10 >= (to - from + 1) * 9)
            return true;
    }
    return false;
}

// Every rule of the payslip frame has ink where it belongs, and an empty part of the frame
// has none (so that a page black all over does not pass).
inline void checkFrame(const QImage &img, const PagePlacement &at)
{
    QVERIFY2(!img.isNull(), "the page was not rendered");
    const QList<QList<int>> rules{{20, 100, 195, 100}, {20, 265, 195, 265}, {20, 100, 20, 265},  {195, 100, 195, 265},
                                  {20, 40, 100, 40},   {20, 87, 100, 87},   {20, 110, 195, 110}, {20, 215, 195, 215},
                                  {20, 225, 195, 225}, {20, 250, 195, 250}, {105, 110, 105, 215}, {175, 110, 175, 215},
                                  {155, 250, 155, 265}};
    for (const QList<int> &r : rules)
        QVERIFY2(ruleAt(img, at, r[0], r[1], r[2], r[3]),
                 qPrintable(u"no rule from (%1, %2) to (%3, %4)"_s.arg(r[0]).arg(r[1]).arg(r[2]).arg(r[3])));
    QVERIFY2(!ruleAt(img, at, 20, 120, 195, 120) && !ruleAt(img, at, 115, 110, 115, 215), "ink where the frame has no rule");
}

} // namespace printcheck
