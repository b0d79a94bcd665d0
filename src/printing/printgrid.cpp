#include "printing/printgrid.h"

#include "ports/clock.h"
#include "text/dates.h"

#include <algorithm>

PrintResult PrintGrid(Canvas &canvas, const PrintedGrid &grid, const QString &jobTitle, const QString &heading)
{
    const int W = canvas.sizePixels().width();
    const int H = canvas.sizePixels().height();
    const int left = W / 25;
    const int top = H / 25;
    const int right = W - left;
    int columnsWidth = 0;
    for (const GridColumn &c : grid.columns)
        columnsWidth += c.width;
    // Screen pixels to device pixels: the grid's proportions on screen, or, without a screen
    // width, the columns filling the page between the margins. A grid wider on screen than
    // the page in pixels keeps one pixel per screen pixel and runs past the right edge.
    const int scale = grid.screenWidth > 0 ? std::max(1, W / grid.screenWidth)
                                           : std::max(1, (right - left) / std::max(1, columnsWidth));
    // Cell texts stand a millimetre from the rules, on a printer of any resolution.
    const int inset = std::max(1, scaleH(canvas));
    const QString dateText = QStringLiteral("Imprimé le ") + text::formatDate(Clock::instance().today());

    if (!canvas.beginJob(jobTitle.isEmpty() ? QStringLiteral("Korvel") : jobTitle))
        return PrintResult::failed(canvas.error());
    canvas.setFont(grid.fontName, grid.fontPoints, grid.fontBold);
    const int lineHeight = canvas.textHeight(dateText) * 3 / 2;
    // The text of a row, centred in its height: as much room above it as below.
    const int textTop = (lineHeight - canvas.textHeight(dateText)) / 2;

    // Left edges of the columns, and the right edge of the last one.
    QList<int> x{left};
    for (const GridColumn &c : grid.columns)
        x.append(x.last() + c.width * scale);

    int y = 0;
    auto printRow = [&](auto cellOf) {
        for (int c = 0; c < grid.columns.size(); ++c) {
            const QString cell = cellOf(c);
            if (grid.columns[c].rightAligned) {
                const QString t = cell.trimmed();
                if (!t.isEmpty())
                    canvas.text(x[c + 1] - inset, y + textTop, t, Canvas::Align::Right);
            } else if (!cell.isEmpty()) {
                canvas.text(x[c] + inset, y + textTop, fitText(canvas, cell, x[c + 1] - x[c] - 2 * inset));
            }
        }
        y += lineHeight;
        canvas.line(left, y, right, y);
    };
    // The top of the caption band: below the title and its date line, or below the heading line.
    const int bandTop = top + (grid.title.isEmpty() ? 1 : 2) * lineHeight;
    auto pageHead = [&] {
        canvas.setFont(grid.fontName, grid.fontPoints, true);
        if (!grid.title.isEmpty()) {
            canvas.text(left, top, grid.title);
            canvas.setFont(grid.fontName, grid.fontPoints, false);
            canvas.text(left, top + lineHeight, dateText);
            canvas.setFont(grid.fontName, grid.fontPoints, true);
        } else {
            if (!heading.isEmpty())
                canvas.text(left, top, heading);
            canvas.text(right, top, dateText, Canvas::Align::Right);
        }
        y = bandTop;
        canvas.setFill(Canvas::kGrey);
        canvas.fillRectangle(left, y, right, y + lineHeight);
        canvas.line(left, y, right, y);
        printRow([&](int c) { return grid.columns[c].caption; });
        canvas.setFill(Canvas::kWhite);
        canvas.setFont(grid.fontName, grid.fontPoints, false);
    };
    auto columnRules = [&] {
        for (int c = 0; c < grid.columns.size(); ++c)
            canvas.line(x[c], bandTop, x[c], y);
        canvas.line(right, bandTop, right, y);
    };

    pageHead();
    for (qsizetype r = 0; r < grid.rows.size(); ++r) {
        printRow([&](int c) { return grid.rows[r].value(c); });
        // A page that is full breaks only when a row is left to print: the last row never
        // leaves a page holding nothing but the captions.
        if (y >= H - top && r + 1 < grid.rows.size()) {
            columnRules();
            if (!canvas.newPage()) {
                const QString message = canvas.error();
                canvas.abortJob();
                return PrintResult::failed(message);
            }
            pageHead();
        }
    }
    columnRules();
    if (!canvas.endJob())
        return PrintResult::failed(canvas.error());
    return PrintResult::printed();
}

QString fitText(const Canvas &canvas, const QString &text, int width)
{
    if (canvas.textWidth(text) <= width)
        return text;
    // The widths of the beginnings grow with their length: the longest one that fits.
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        (canvas.textWidth(text.left(middle)) <= width ? fits : tooLong) = middle;
    }
    return text.left(fits);
}

PrintedGrid profileGrid(const ProfileForm &profile, const QList<int> &screenWidths)
{
    static const QList<int> kDefaultWidths{60, 260, 70, 70, 40};
    const QList<int> &w = screenWidths.size() == 5 ? screenWidths : kDefaultWidths;
    PrintedGrid g;
    g.columns = {{QStringLiteral("Code"), w[0]},
                 {QStringLiteral("Rubrique"), w[1]},
                 {QStringLiteral("Salariale"), w[2], true},
                 {QStringLiteral("Patronale"), w[3], true},
                 {QStringLiteral("Base"), w[4]}};
    for (const Rubrique &r : profile.rubriques)
        g.rows.append({r.code, r.label, r.employeeRate, r.employerRate, r.base});
    return g;
}

QString profileHeading(const ProfileForm &profile)
{
    return profile.code + QStringLiteral("   ") + profile.name;
}
