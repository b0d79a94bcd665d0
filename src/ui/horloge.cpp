#include "ui/horloge.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel *makeDisplay(QWidget *parent, const QString &name, qreal scale)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #00e000; background: black;"));
    return label;
}

} // namespace

THorloge::THorloge(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Horloge"));
    setObjectName(QStringLiteral("THorloge"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    m_time = makeDisplay(this, QStringLiteral("time"), 2.2);
    m_date = makeDisplay(this, QStringLiteral("date"), 1.5);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFixedHeight(1);
    line->setStyleSheet(QStringLiteral("background: white; color: white;"));

    m_parts = new QListWidget(this);
    m_parts->setObjectName(QStringLiteral("parts"));
    m_parts->addItems({QStringLiteral("Hr"), QStringLiteral("Mn"), QStringLiteral("Jo"),
                       QStringLiteral("Mo"), QStringLiteral("An")});
    m_parts->setCurrentRow(-1);
    m_parts->setFixedWidth(48);
    m_parts->setFixedHeight(5 * m_parts->sizeHintForRow(0) + 2 * m_parts->frameWidth());
    m_parts->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_parts->setToolTip(QStringLiteral("Partie à régler : heure, minute, jour, mois, année"));

    auto *up = new QToolButton(this);
    up->setObjectName(QStringLiteral("spinUp"));
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    up->setToolTip(QStringLiteral("Augmenter"));
    connect(up, &QToolButton::clicked, this, &THorloge::spinUp);
    auto *down = new QToolButton(this);
    down->setObjectName(QStringLiteral("spinDown"));
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    down->setToolTip(QStringLiteral("Diminuer"));
    connect(down, &QToolButton::clicked, this, &THorloge::spinDown);

    m_set = new QPushButton(QStringLiteral("Set"), this);
    m_set->setObjectName(QStringLiteral("buttonSet"));
    m_set->setAutoDefault(false);
    m_set->setCheckable(true);
    m_set->setToolTip(QStringLiteral("Régler l'horloge de l'ordinateur"));
    connect(m_set, &QPushButton::clicked, this, &THorloge::toggleSetMode);
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("buttonFermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *displays = new QVBoxLayout;
    displays->addWidget(m_time);
    displays->addWidget(line);
    displays->addWidget(m_date);

    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addStretch();
    spin->addWidget(up);
    spin->addWidget(down);
    spin->addStretch();

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_set);
    buttons->addWidget(close);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(displays, 1);
    layout->addWidget(m_parts, 0, Qt::AlignVCenter);
    layout->addLayout(spin);
    layout->addLayout(buttons);
    resize(277, 156);

    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &THorloge::tick);
}

void THorloge::showEvent(QShowEvent *event)
{
    m_model.activate();
    m_set->setChecked(false);
    refresh();
    m_timer.start();
    QDialog::showEvent(event);
}

bool THorloge::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        // Back from another window: the displays catch up with the clock, unless the user is
        // in the middle of setting it.
        if (!m_model.setMode()) {
            tick();
            m_timer.start();
        }
        break;
    case QEvent::WindowDeactivate:
        m_timer.stop();
        break;
    default:
        break;
    }
    return QDialog::event(event);
}

ClockModel::Part THorloge::chosenPart() const
{
    const QListWidgetItem *item = m_parts->currentItem();
    if (!item || !item->isSelected())
        return ClockModel::Part::None;
    return static_cast<ClockModel::Part>(m_parts->row(item));
}

void THorloge::spinUp()
{
    m_model.spinUp(chosenPart());
    refresh();
}

void THorloge::spinDown()
{
    m_model.spinDown(chosenPart());
    refresh();
}

void THorloge::toggleSetMode()
{
    const ClockModel::SetOutcome outcome = m_model.toggleSetMode();
    m_set->setChecked(m_model.setMode());
    if (outcome == ClockModel::SetOutcome::EnteredSetMode) {
        m_timer.stop();
        return;
    }
    refresh();
    m_timer.start();
    if (outcome == ClockModel::SetOutcome::ClockRefused)
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Impossible de régler l'horloge du système"));
}

void THorloge::tick()
{
    m_model.tick();
    refresh();
}

void THorloge::refresh()
{
    m_time->setText(m_model.timeText());
    m_date->setText(m_model.dateText());
}
