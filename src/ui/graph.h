#pragma once

#include "reports/chart.h"

#include <QDialog>

class Dialogs;
class Printer;
class QChart;
class QChartView;
class QIcon;
class QLabel;

// The picture of the buttons that open a chart: three bars of a bar chart on its axis.
QIcon chartIcon();

// The chart window "Graphique": a strip with "Fermer" (also Escape), "Imprimer" and
// "Enregistrer l'image..." above the bar chart of a statistic (Qt Charts): its name as the title,
// one bar per key with the keys along the category axis, the value axis graduated in the
// amounts' format. Hovering a bar shows its key and amount, in a tooltip and in the strip.
//
//     Chart chart;
//     if (chart.Init(model, &message))
//         TGraph(chart, printer, dialogs, parent).exec();
class TGraph : public QDialog
{
    Q_OBJECT
public:
    TGraph(const Chart &chart, Printer &printer, Dialogs &dialogs, QWidget *parent = nullptr);
    const Chart &chart() const { return m_chart; }
    QChartView *view() const { return m_view; }
    // What the strip says of the bar under the mouse; empty when none is.
    QString hoverText() const;

    // "Imprimer": the print dialog, then the chart across the page under the statistic's name as
    // the job's title. "Enregistrer l'image...": the chart as a PNG file.
    void Imprimer();
    void enregistrerImage();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void hovered(bool over, int index);

    Chart m_chart;
    Printer &m_printer;
    Dialogs &m_dialogs;
    QChart *m_qchart = nullptr;
    QChartView *m_view = nullptr;
    QLabel *m_hover = nullptr;
};
