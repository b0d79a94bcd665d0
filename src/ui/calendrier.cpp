#include "ui/calendrier.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

TCalendrier::TCalendrier(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calendrier"));
    setObjectName(QStringLiteral("TCalendrier"));

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    m_title->setFont(titleFont);

    auto *previous = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Mois"), this);
    previous->setObjectName(QStringLiteral("previousMonth"));
    previous->setToolTip(QStringLiteral("Mois précédent (Page préc.)"));
    previous->setAutoDefault(false);
    connect(previous, &QPushButton::clicked, this, &TCalendrier::previousMonth);
    auto *next = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QStringLiteral("Mois"), this);
    next->setObjectName(QStringLiteral("nextMonth"));
    next->setToolTip(QStringLiteral("Mois suivant (Page suiv.)"));
    next->setAutoDefault(false);
    connect(next, &QPushButton::clicked, this, &TCalendrier::nextMonth);
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("buttonFermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_grid = new QTableWidget(CalendarModel::kWeeks, CalendarModel::kColumns, this);
    m_grid->setObjectName(QStringLiteral("grid"));
    QStringList headings;
    for (int c = 0; c < CalendarModel::kColumns; ++c)
        headings << CalendarModel::columnHeading(c);
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setTabKeyNavigation(false);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < CalendarModel::kWeeks; ++r)
        for (int c = 0; c < CalendarModel::kColumns; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            m_grid->setItem(r, c, item);
        }
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableWidget::cellClicked, this, &TCalendrier::cellChosen);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { cellChosen(row, column); });

    auto *top = new QHBoxLayout;
    top->addWidget(m_title, 1);
    top->addWidget(previous);
    top->addWidget(next);
    top->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    resize(420, 260);
}

void TCalendrier::showEvent(QShowEvent *event)
{
    refresh();
    QDialog::showEvent(event);
    m_grid->setFocus();
}

void TCalendrier::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        previousMonth();
        return;
    case Qt::Key_PageDown:
        nextMonth();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TCalendrier::eventFilter(QObject *watched, QEvent *event)
{
    // The grid's own cursor keys would wander onto the empty cells: the calendar moves the
    // selected date itself, within the month, and leaves Page Up and Page Down to the window.
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        int days = 0;
        switch (key->key()) {
        case Qt::Key_Left: days = -1; break;
        case Qt::Key_Right: days = 1; break;
        case Qt::Key_Up: days = -CalendarModel::kColumns; break;
        case Qt::Key_Down: days = CalendarModel::kColumns; break;
        case Qt::Key_PageUp: previousMonth(); return true;
        case Qt::Key_PageDown: nextMonth(); return true;
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
        }
        if (m_model.moveDays(days))
            refresh();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TCalendrier::previousMonth()
{
    m_model.previousMonth();
    refresh();
}

void TCalendrier::nextMonth()
{
    m_model.nextMonth();
    refresh();
}

void TCalendrier::cellChosen(int row, int column)
{
    if (m_refreshing || row < 0 || column < 0)
        return;
    const int day = m_model.grid().value(row).value(column);
    const QDate selected = m_model.selected();
    if (day == 0) {
        refresh(); // an empty cell: the selection goes back to the selected day
        return;
    }
    if (day != selected.day()) {
        m_model.select(QDate(selected.year(), selected.month(), day));
        refresh();
    }
}

void TCalendrier::refresh()
{
    m_refreshing = true;
    const QList<QList<int>> cells = m_model.grid();
    for (int r = 0; r < CalendarModel::kWeeks; ++r)
        for (int c = 0; c < CalendarModel::kColumns; ++c) {
            QTableWidgetItem *item = m_grid->item(r, c);
            const int day = cells[r][c];
            item->setText(day ? QString::number(day) : QString());
            item->setFlags(day ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
        }
    const QDate selected = m_model.selected();
    m_grid->setCurrentCell(m_model.row(selected), CalendarModel::column(selected));
    m_title->setText(m_model.title());
    m_refreshing = false;
}
