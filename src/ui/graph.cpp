#include "ui/graph.h"

#include "ports/dialogs.h"
#include "ports/fileresult.h"
#include "ports/printer.h"
#include "ui/qtcanvas.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

QIcon chartIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const double u = size / 16.0;
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), u));
        p.drawLine(QPointF(1.5 * u, 14.5 * u), QPointF(15 * u, 14.5 * u));
        const QColor colours[] = {QColor(0x2a, 0x5c, 0xaa), QColor(0xd0, 0x6a, 0x1c), QColor(0x3a, 0x8f, 0x3a)};
        const double heights[] = {6, 11, 8.5};
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF((2.5 + 4.3 * i) * u, (14 - heights[i]) * u, 3.2 * u, heights[i] * u), colours[i]);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

TGraph::TGraph(const Chart &chart, Printer &printer, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_chart(chart)
    , m_printer(printer)
    , m_dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Graphique"));
    setObjectName(QStringLiteral("TGraph"));

    auto *band = new QFrame(this);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(4, 2, 4, 2);
    auto button = [&](const QString &caption, const QString &name) {
        auto *b = new QPushButton(caption, band);
        b->setObjectName(name);
        b->setAutoDefault(false);
        bandLayout->addWidget(b);
        return b;
    };
    connect(button(QStringLiteral("Fermer"), QStringLiteral("fermer")), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(QStringLiteral("Imprimer"), QStringLiteral("imprimer")), &QPushButton::clicked, this,
            &TGraph::Imprimer);
    connect(button(QStringLiteral("Enregistrer l'image..."), QStringLiteral("enregistrerImage")), &QPushButton::clicked,
            this, &TGraph::enregistrerImage);
    m_hover = new QLabel(band);
    m_hover->setObjectName(QStringLiteral("valeur"));
    bandLayout->addSpacing(12);
    bandLayout->addWidget(m_hover, 1);

    // Amounts as the program writes them: "," and no thousands separator.
    QLocale locale(QLocale::French, QLocale::France);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);

    auto *set = new QBarSet(m_chart.valueTitle());
    set->setColor(QColor(0x2a, 0x5c, 0xaa));
    QStringList keys;
    for (const Chart::Bar &bar : m_chart.bars()) {
        set->append(bar.value);
        keys.append(bar.key);
    }
    connect(set, &QBarSet::hovered, this, &TGraph::hovered);
    auto *series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.7);

    m_qchart = new QChart;
    m_qchart->setTitle(m_chart.title());
    QFont titleFont = m_qchart->titleFont();
    titleFont.setPointSize(titleFont.pointSize() + 3);
    titleFont.setBold(true);
    m_qchart->setTitleFont(titleFont);
    m_qchart->setLocale(locale);
    m_qchart->setLocalizeNumbers(true);
    m_qchart->legend()->hide();
    m_qchart->addSeries(series);

    auto *keyAxis = new QBarCategoryAxis;
    keyAxis->append(keys);
    keyAxis->setTitleText(m_chart.keyTitle());
    if (m_chart.uprightKeys())
        keyAxis->setLabelsAngle(-90);
    m_qchart->addAxis(keyAxis, Qt::AlignBottom);
    series->attachAxis(keyAxis);

    auto *valueAxis = new QValueAxis;
    valueAxis->setRange(m_chart.lowest(), m_chart.highest());
    valueAxis->applyNiceNumbers();
    valueAxis->setLabelFormat(QStringLiteral("%.%1f").arg(m_chart.decimals()));
    valueAxis->setTitleText(m_chart.valueTitle());
    m_qchart->addAxis(valueAxis, Qt::AlignLeft);
    series->attachAxis(valueAxis);

    m_view = new QChartView(m_qchart, this);
    m_view->setObjectName(QStringLiteral("chart"));
    m_view->setRenderHint(QPainter::Antialiasing);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addWidget(m_view, 1);
    // Large enough for 32 keys written upright, their amounts and the titles.
    resize(800, 520);
    setMinimumSize(480, 320);
}

QString TGraph::hoverText() const
{
    return m_hover->text();
}

void TGraph::hovered(bool over, int index)
{
    const QString text = over ? m_chart.hoverText(index) : QString();
    m_hover->setText(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), text, m_view);
}

void TGraph::Imprimer()
{
    int from = 1;
    int to = 1;
    if (!m_printer.printDialog(from, to))
        return;
    Canvas &canvas = m_printer.canvas();
    if (!canvas.beginJob(m_chart.title())) {
        m_dialogs.warn(canvas.error());
        return;
    }
    // The chart across the page inside margins of a twentieth of its width, in the proportions
    // it has on screen; drawn as shapes and text, it keeps the printer's resolution.
    if (auto *qt = dynamic_cast<QtCanvas *>(&canvas)) {
        const QSize page = canvas.sizePixels();
        const double margin = page.width() / 20.0;
        const double width = page.width() - 2 * margin;
        const double height = std::min(page.height() - 2 * margin, width * m_view->height() / std::max(1, m_view->width()));
        m_view->render(&qt->painter(), QRectF(margin, margin, width, height));
    }
    if (!canvas.endJob())
        m_dialogs.warn(canvas.error());
}

void TGraph::enregistrerImage()
{
    const QString path = m_dialogs.saveFile(QStringLiteral("Images PNG (*.png)|*.png"), QStringLiteral("Graphique.png"),
                                            QStringLiteral("png"), true, QStringLiteral("Enregistrer l'image"));
    if (path.isEmpty())
        return;
    if (!m_view->grab().save(path, "PNG"))
        m_dialogs.warn(text::FileResult(text::FileResult::Operation::Write, text::FileResult::Status::Failed, path).message());
}

void TGraph::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}
