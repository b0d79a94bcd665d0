#include "ui/reportwindow.h"

#include "records/employeeform.h"
#include "ports/printer.h"
#include "ui/qtdialogs.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

ReportWindow::ReportWindow(Printer &printer, Dialogs *dialogs, QWidget *parent)
    : QDialog(parent)
    , m_printer(printer)
    , m_dialogs(dialogs)
{
    auto *band = new QFrame(this);
    band->setFrameShape(QFrame::StyledPanel);
    m_strip = new QHBoxLayout(band);
    m_strip->setContentsMargins(4, 2, 4, 2);

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("grille"));
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    // Tab leaves the grid for the next control; the arrows and PgUp/PgDn move in it.
    m_grid->setTabKeyNavigation(false);
    // Rows as high as a line of text and a little air, as a string grid has them.
    m_grid->verticalHeader()->setMinimumSectionSize(m_grid->fontMetrics().height() + 4);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addWidget(m_grid, 1);
}

ReportWindow::~ReportWindow() = default;

Dialogs &ReportWindow::dialogs()
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<QtDialogs>(this, windowTitle());
        m_dialogs = m_ownDialogs.get();
    }
    return *m_dialogs;
}

void ReportWindow::printGrid(const std::function<PrintedGrid(const QList<int> &)> &grid, const QString &title)
{
    int from = 1;
    int to = m_grid->rowCount();
    if (!m_printer.printDialog(from, to))
        return;
    QList<int> widths;
    for (int c = 0; c < m_grid->columnCount(); ++c)
        widths.append(m_grid->columnWidth(c));
    const PrintResult r = PrintGrid(m_printer.canvas(), grid(widths), title, QString());
    if (r.status == PrintResult::Status::Failed)
        dialogs().warn(r.message);
}

QToolButton *ReportWindow::addTool(QStyle::StandardPixmap icon, const QString &hint, const QString &name)
{
    auto *b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(icon));
    b->setText(hint);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    m_strip->addWidget(b);
    return b;
}

void ReportWindow::fillGrid(int rows, int columns, const std::function<QString(int, int)> &cell,
                            const QList<int> &rset, const QList<int> &headerRset)
{
    const QFontMetrics body(m_grid->font());
    const QFontMetrics head(m_grid->horizontalHeader()->font());
    const TextWidth bodyWidth = [&](const QString &s) { return body.horizontalAdvance(s); };
    const TextWidth headWidth = [&](const QString &s) { return head.horizontalAdvance(s); };
    m_grid->clearContents();
    m_grid->setColumnCount(columns);
    m_grid->setRowCount(rows);
    QStringList headers;
    for (int c = 0; c < columns; ++c)
        headers.append(headerRset.value(c) > 0 ? Rset(cell(0, c), headerRset[c], headWidth) : cell(0, c));
    m_grid->setHorizontalHeaderLabels(headers);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QBrush fixed = palette().button();
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QString text = cell(r, c);
            auto *item = new QTableWidgetItem(rset.value(c) > 0 ? Rset(text, rset[c], bodyWidth) : text);
            if (c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixed);
            }
            m_grid->setItem(r - 1, c, item);
        }
    }
}

void ReportWindow::setColumnWidths(const QList<int> &widths, int height)
{
    int total = 0;
    for (int c = 0; c < widths.size(); ++c) {
        m_grid->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    const int frame = 2 * m_grid->frameWidth();
    const int scrollBar = std::max(m_grid->verticalScrollBar()->sizeHint().width(),
                                   m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_grid));
    setFixedSize(total + scrollBar + frame + 2, height);
}

void ReportWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}
