#pragma once

#include "reports/chart.h"

#include <QDialog>

// The chart window "Graphique": a strip with "Fermer" (also Escape) above the drawing
// surface of 559 x 321 pixels, which the chart draws on at every repaint (DrawChart).
//
//     Chart chart;
//     if (chart.Init(texts, &message))
//         TGraph(chart, parent).exec();
class TGraph : public QDialog
{
    Q_OBJECT
public:
    explicit TGraph(const Chart &chart, QWidget *parent = nullptr);
    const Chart &chart() const { return m_chart; }
    QWidget *surface() const { return m_surface; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    Chart m_chart;
    QWidget *m_surface = nullptr;
};
