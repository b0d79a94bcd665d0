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

// A payslip of the standard profile's size: 26 lines, two pages.
inline PayslipForm standardPayslip(const QString &number = QStringLiteral("200203001"))
{
    PayslipForm p;
    p.number = number;
    p.periodStart = QDate(2002, 3, 1);
    p.periodEnd = QDate(2002, 3, 31);
    p.socialSecurity = QStringLiteral("1700575123456");
    p.hours = QStringLiteral("151,67");
    p.rate = QStringLiteral("10,50");
    p.address = {QStringLiteral("DUPONT Jérôme"), QStringLiteral("3 rue des Lilas"), QString(),
                 QStringLiteral("75011 Paris")};
    p.job = QStringLiteral("Vendeur");
    p.taxableNet = QStringLiteral("1300,00");
    p.netToPay = QStringLiteral("1187,45");
    p.cumul = QStringLiteral("   3900,00");
    p.gross = QStringLiteral("1592,54");
    for (int i = 0; i < 26; ++i)
        p.lines[i] = {QStringLiteral("Cotisation n°%1 à taux réduit").arg(i + 1), QStringLiteral("1592,54"),
                      QStringLiteral("2,90"), QStringLiteral("46,18"), QStringLiteral("12,80"),
                      QStringLiteral("203,85")};
    p.linesInUse = 26;
    return p;
}

inline PayslipPrintOptions standardOptions()
{
    PayslipPrintOptions o;
    o.letterhead = {QStringLiteral("SARL Korvel"), QStringLiteral("12 place du Marché"), QStringLiteral("69002 Lyon")};
    o.amountFormat = QStringLiteral("0.00");
    return o;
}

// Runs a tool; its standard output, or a null array when it failed.
inline QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

inline int pdfPages(const QString &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf})));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Page `page` (from 1) rendered at dpi, without anti-aliasing so that thin rules stay black.
inline QImage render(const QString &pdf, int page, int dpi, const QString &folder)
{
    const QString base = folder + QStringLiteral("/page%1").arg(page);
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                     QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                                     QStringLiteral("no"), QStringLiteral("-f"), QString::number(page),
                                     QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), pdf,
                                     base});
    return QImage(base + QStringLiteral(".png"));
}

// Where the layout lands on a rendered page: the printer's printable area starts at its
// margins, a layout unit is scale device pixels, the page is rendered at dpi.
struct PagePlacement {
    double originX = 0;  // device pixels
    double originY = 0;
    int scaleH = 1;
    int scaleV = 1;
    int resolution = 1200;
    int dpi = 150;

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

inline bool dark(const QImage &img, int x, int y)
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qGray(img.pixel(x, y)) < 160;
}

// A rule from layout (x1, y1) to (x2, y2), horizontal or vertical: ink along nine tenths of
// its length (its ends and the crossings left aside) within one layout millimetre of it.
inline bool ruleAt(const QImage &img, const PagePlacement &at, int x1, int y1, int x2, int y2)
{
    const int tol = at.tolerance();
    const bool horizontal = y1 == y2;
    const int from = int(horizontal ? at.x(x1) : at.y(y1)) + 2 * tol;
    const int to = int(horizontal ? at.x(x2) : at.y(y2)) - 2 * tol;
    const int across = int(std::lround(horizontal ? at.y(y1) : at.x(x1)));
    for (int offset = -tol; offset <= tol; ++offset) {
        int inked = 0;
        for (int along = from; along <= to; ++along)
            if (horizontal ? dark(img, along, across + offset) : dark(img, across + offset, along))
                ++inked;
        if (to > from && inked * 10 >= (to - from + 1) * 9)
            return true;
    }
    return false;
}

// The rules of the payslip frame, as (x1, y1, x2, y2) in layout millimetres.
inline QList<QList<int>> frameRules()
{
    return {{20, 100, 195, 100}, {20, 265, 195, 265}, {20, 100, 20, 265}, {195, 100, 195, 265},
            {20, 40, 100, 40},   {20, 87, 100, 87},   {20, 110, 195, 110}, {20, 215, 195, 215},
            {20, 225, 195, 225}, {20, 250, 195, 250}, {105, 110, 105, 215}, {175, 110, 175, 215},
            {155, 250, 155, 265}};
}

// Checks that every frame rule has ink where it belongs and that an empty part of the frame
// has none (so that a page black all over does not pass).
inline void checkFrame(const QImage &img, const PagePlacement &at)
{
    QVERIFY2(!img.isNull(), "the page was not rendered");
    for (const QList<int> &r : frameRules())
        QVERIFY2(ruleAt(img, at, r[0], r[1], r[2], r[3]),
                 qPrintable(QStringLiteral("no rule from (%1, %2) to (%3, %4)").arg(r[0]).arg(r[1]).arg(r[2]).arg(r[3])));
    QVERIFY2(!ruleAt(img, at, 20, 120, 195, 120) && !ruleAt(img, at, 115, 110, 115, 215),
             "ink where the frame has no rule");
}

} // namespace printcheck
