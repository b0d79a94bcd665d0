#include "ui/graph.h"

#include "ui/paintercanvas.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kStripHeight = 33;

class ChartSurface : public QWidget
{
public:
    ChartSurface(const Chart &chart, QWidget *parent)
        : QWidget(parent)
        , m_chart(chart)
    {
        setObjectName(QStringLiteral("surface"));
        setFixedSize(Chart::kWidth, Chart::kHeight);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        PainterCanvas canvas(painter);
        m_chart.DrawChart(canvas);
    }

private:
    const Chart &m_chart;
};

} // namespace

TGraph::TGraph(const Chart &chart, QWidget *parent)
    : QDialog(parent)
    , m_chart(chart)
{
    setWindowTitle(QStringLiteral("Graphique"));
    setObjectName(QStringLiteral("TGraph"));

    auto *band = new QFrame(this);
    band->setFixedHeight(kStripHeight);
    auto *close = new QPushButton(QStringLiteral("Fermer"), band);
    close->setObjectName(QStringLiteral("fermer"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(4, 2, 4, 2);
    bandLayout->addWidget(close);
    bandLayout->addStretch(1);

    m_surface = new ChartSurface(m_chart, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addWidget(m_surface);
    setFixedSize(Chart::kWidth, kStripHeight + Chart::kHeight);
}

void TGraph::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}
