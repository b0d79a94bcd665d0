#pragma once

#include "records/profileform.h"
#include "printing/canvas.h"

#include <QList>
#include <QString>
#include <QStringList>

// A table as a window shows it, for PrintGrid: the column captions (row 0) and widths in
// screen pixels, the data rows, the font. The printed columns keep the screen proportions.
struct GridColumn {
    QString caption;
    int width = 64;             // on screen, in pixels
    // Cells printed right-aligned (trimmed, ending just before the next column's rule);
    // the others start just after the column's rule, as they stand.
    bool rightAligned = false;
};

struct PrintedGrid {
    QList<GridColumn> columns;
    // The data rows, printed in order; a row shorter than the columns has empty cells.
    QList<QStringList> rows;
    // What the printout is, printed in bold at the top of every page with "Imprimé le " and
    // today under it (the statistics and the journal: their window's caption). Empty: the page
    // starts with the heading line.
    QString title;
    QString fontName = QStringLiteral("Arial");
    int fontPoints = 10;
    bool fontBold = false;
    // The grid's whole width on screen in pixels: the printed columns are the screen widths
    // times printable width ÷ screenWidth. 0: the columns share the width between the
    // margins in the proportions of their screen widths.
    int screenWidth = 0;
};

// Prints a grid as a ruled table, in device pixels: on every page the grid's title with
// "Imprimé le " + today on the line below it, or else the heading (bold) at the top margin with
// "Imprimé le " + today at the right; then the column captions in a grey band,
// then one ruled row per data row, the column rules down to the last row of the page; a new
// page as soon as a row reaches the bottom margin and more rows follow. Margins are 1/25 of
// the printable width and height. Cell texts stand a millimetre from the rules on either side
// at any resolution and are centred in the row's height; a left-aligned text too long for its
// column is cut a millimetre before the next rule. Amounts (right-aligned) are never cut: a
// part of an amount would read as another amount.
// The job is named jobTitle ("Korvel" when empty). The statistics and journal windows call it
// with an empty heading after their own print dialog; the profile table through ImpFiche.
PrintResult PrintGrid(Canvas &canvas, const PrintedGrid &grid, const QString &jobTitle, const QString &heading);

// The longest beginning of text that is at most width pixels wide in the canvas's current
// font: a cell cut at its column's edge rather than printed over the next one.
QString fitText(const Canvas &canvas, const QString &text, int width);

// The profile table of the profiles page: "Code", "Rubrique", "Salariale", "Patronale",
// "Base", one row per rubrique, the two rates right-aligned. screenWidths are the five
// column widths of the window's table (default: the widths the profiles page opens with).
PrintedGrid profileGrid(const ProfileForm &profile, const QList<int> &screenWidths = {});
// Its heading: the profile code, three blanks, the profile name.
QString profileHeading(const ProfileForm &profile);
