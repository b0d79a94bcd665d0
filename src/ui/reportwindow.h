#pragma once

#include "printing/printgrid.h"

#include <QDialog>
#include <QList>
#include <QStyle>

#include <functional>
#include <memory>

class Dialogs;
class Printer;
class QHBoxLayout;
class QTableWidget;
class QToolButton;

// What the statistics windows and the journal window share: a fixed dialog centred on the
// screen, a tool strip above a grid of one header row and a first column of row numbers, and
// printing the grid through the print dialog and PrintGrid on the session's printer. Messages
// and file choosers go through dialogs (Qt's over the window when none is given).
class ReportWindow : public QDialog
{
    Q_OBJECT
public:
    QTableWidget *grid() const { return m_grid; }

protected:
    ReportWindow(Printer &printer, Dialogs *dialogs, QWidget *parent);
    ~ReportWindow() override;

    Dialogs &dialogs();
    Printer &printer() { return m_printer; }
    // The print button: the print dialog, then the grid (given the column widths on screen)
    // through PrintGrid with the title as the job's title and an empty heading. A printout that
    // fails says why.
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
    Printer &m_printer;
    Dialogs *m_dialogs;
    std::unique_ptr<Dialogs> m_ownDialogs;
    QHBoxLayout *m_strip = nullptr;
    QTableWidget *m_grid = nullptr;
};
