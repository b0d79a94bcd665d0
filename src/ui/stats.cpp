#include "ui/stats.h"

#include "reports/chart.h"
#include "ui/widgets.h"
#include "ports/dialogs.h"
#include "ui/graph.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

TStats::TStats(StatsKind kind, const QStringList &list, Printer &printer, Dialogs *dialogs, QWidget *parent)
    : ReportWindow(printer, dialogs, parent)
    , m_model(kind)
{
    const StatsDescription &d = m_model.description();
    setWindowTitle(d.caption);
    setObjectName(QStringLiteral("TStats"));
    connect(addTool(QStyle::SP_FileDialogDetailedView, QStringLiteral("Imprimer"), QStringLiteral("imprimer")),
            &QToolButton::clicked, this, &TStats::Imprimer);
    QToolButton *chart = addTool(QStyle::SP_FileDialogInfoView, QStringLiteral("Graphique"), QStringLiteral("graphique"));
    chart->setIcon(chartIcon());
    connect(chart, &QToolButton::clicked, this, &TStats::Graphique);
    auto *close = closeButton(this);
    strip()->addWidget(close);
    strip()->addStretch(1);

    m_model.Init(list);
    QList<int> widths, rset, headerRset;
    for (const StatsColumn &c : d.columns) {
        widths.append(c.width);
        rset.append(c.rset);
        headerRset.append(c.headerRset);
    }
    fillGrid(m_model.rowCount(), m_model.columnCount(), [this](int r, int c) { return m_model.cell(r, c); }, rset,
             headerRset);
    setColumnWidths(widths, 420);
    grid()->setFocus();
}

void TStats::Imprimer()
{
    printGrid([this](const QList<int> &widths) { return m_model.printedGrid(widths); },
              m_model.printTitle());
}

void TStats::Graphique()
{
    Chart chart;
    QString message;
    if (!chart.Init(m_model, &message)) {
        dialogs().warn(message);
        return;
    }
    TGraph(chart, printer(), dialogs(), this).exec();
}
