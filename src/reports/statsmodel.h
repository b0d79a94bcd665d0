#pragma once

#include "printing/printgrid.h"
#include "reports/statistics.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// One column of a statistics window's grid, column 0 (the row numbers) included.
struct StatsColumn {
    QString header;
    int width = 64;             // initial width on screen, in pixels
    // Amount columns are right-justified (Rset) to this width, their header to headerRset;
    // 0 for the other columns.
    int rset = 0;
    int headerRset = 0;
};

// What sets the four statistics windows apart.
struct StatsDescription {
    StatsKind kind = StatsKind::Employes;
    QString caption;            // the window's caption
    QList<StatsColumn> columns;
    int chartColumn = 1;        // the column the chart shows
    QString printTitle;         // the print job's title, before today's date
};
const StatsDescription &statsDescription(StatsKind kind);

// The statistics window (TStatsE, TStatsP, TStatsR, TStatsC) as data: a grid of one header
// row and a first column of row numbers, at least 63 data rows, more when the list has more
// lines. Cells hold the texts as the list has them; the window right-justifies the amount
// columns with its font (Rset), the printout right-aligns them itself.
class StatsModel
{
public:
    static constexpr int kInitialRows = 63;

    explicit StatsModel(StatsKind kind);
    const StatsDescription &description() const { return *m_description; }

    // Fills the grid from a statistics list: sorted first for the sorted statistics; one row
    // per line, its number in column 0 and its fields in columns 1 onwards.
    void Init(const QStringList &list);

    // Data rows filled, and rows of the grid (kInitialRows at least).
    int count() const { return int(m_rows.size()); }
    int rowCount() const { return std::max(kInitialRows, count()); }
    int columnCount() const { return int(description().columns.size()); }
    // Row 0 is the header row; data rows from 1; empty outside the filled rows.
    QString cell(int row, int column) const;

    // The texts the chart button hands to the chart: the chart column from row 1 down to the
    // first empty cell.
    QStringList chartTexts() const;

    // The grid as PrintGrid prints it under the window's caption: every column (the row numbers too) in the proportions
    // of its width on screen (screenWidths, or the initial widths), filling the page between
    // the margins; the filled rows; the amounts right-aligned.
    PrintedGrid printedGrid(const QList<int> &screenWidths = {}) const;
    // The job title: "Statistiques employés au " and the others, followed by today's date.
    QString printTitle() const;

private:
    const StatsDescription *m_description;
    QList<QStringList> m_rows;
};
