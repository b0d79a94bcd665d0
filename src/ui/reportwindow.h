#pragma once

#include "printing/printgrid.h"

#include <QDialog>
#include <QList>
#include <QStyle>

#include <functional>

class QHBoxLayout;
class QPrinter;
class QTableWidget;
class QToolButton;

// What the statistics windows and the journal window share: a fixed dialog centred on the
// screen, a tool strip above a grid of one header row and a first column of row numbers, and
// printing the grid through the platform's print dialog and PrintGrid on the program's
// printer.
class ReportWindow : public QDialog
{
    Q_OBJECT
public:
    QTableWidget *grid() const { return m_grid; }

protected:
    ReportWindow(QPrinter &printer, QWidget *parent);

    // The platform's print dialog on the printer; false when it is cancelled.
    virtual bool choosePrinter(QPrinter &printer);
    // The print button: the print dialog, then the grid (given the column widths on screen)
    // through PrintGrid with the title as the job's title and an empty heading. A printer that fails says why in a message box.
    void printGrid(const std::function<PrintedGrid(const QList<int> &)> &grid, const QString &title);

    QHBoxLayout *strip() const { return m_strip; }
    QToolButton *addTool(QStyle::StandardPixmap icon, const QString &hint, const QString &name);
    // Shows rows × columns cells: the header row from cell(0, c), column 0 as the fixed
    // column; rset[c] > 0 right-justifies the cells of column c to that width with the grid's
    // font, headerRset[c] its header.
    void fillGrid(int rows, int columns, const std::function<QString(int, int)> &cell, const QList<int> &rset,
                  const QList<int> &headerRset);
    // Column widths, and the dialog's fixed size for a grid that shows them all.
    void setColumnWidths(const QList<int> &widths, int height);

    void showEvent(QShowEvent *event) override;

private:
    QPrinter &m_printer;
    QHBoxLayout *m_strip = nullptr;
    QTableWidget *m_grid = nullptr;
};
