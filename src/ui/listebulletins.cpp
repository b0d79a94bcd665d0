#include "ui/listebulletins.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TListeBulletins::TListeBulletins(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(payslips::listCaption());
    setObjectName(QStringLiteral("TListeBulletins"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_list->setFont(fixed);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TListeBulletins::closeChosen);

    auto *up = new QToolButton(this);
    up->setObjectName(QStringLiteral("monter"));
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    up->setToolTip(QStringLiteral("Monter"));
    up->setFocusPolicy(Qt::NoFocus);
    connect(up, &QToolButton::clicked, this, [this] { shift(-1); });
    auto *down = new QToolButton(this);
    down->setObjectName(QStringLiteral("descendre"));
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    down->setToolTip(QStringLiteral("Descendre"));
    down->setFocusPolicy(Qt::NoFocus);
    connect(down, &QToolButton::clicked, this, [this] { shift(1); });
    auto *fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("fermer"));
    fermer->setAutoDefault(false);
    connect(fermer, &QPushButton::clicked, this, &TListeBulletins::closeChosen);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch(1);
    buttons->addWidget(fermer);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(720, 460);
}

void TListeBulletins::Init(const QList<PayslipListItem> &items, int current)
{
    m_items = items;
    m_chosen = -1;
    fill();
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i].block == current)
            m_list->setCurrentRow(i);
    if (m_list->currentRow() < 0 && !m_items.isEmpty())
        m_list->setCurrentRow(0);
    m_list->setFocus();
}

void TListeBulletins::fill()
{
    m_list->clear();
    for (const PayslipListItem &item : m_items)
        m_list->addItem(item.text);
}

void TListeBulletins::shift(int delta)
{
    const int row = m_list->currentRow();
    const int to = deplacerElement(m_items, row, delta);
    if (to == row)
        return;
    QListWidgetItem *item = m_list->takeItem(row);
    m_list->insertItem(to, item);
    m_list->setCurrentRow(to);
}

void TListeBulletins::closeChosen()
{
    const int row = m_list->currentRow();
    m_chosen = row >= 0 && row < m_items.size() ? m_items[row].block : -1;
    accept();
}

bool TListeBulletins::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            closeChosen();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TListeBulletins::choose(const QList<PayslipListItem> &items, int current, QWidget *parent)
{
    TListeBulletins window(parent);
    window.Init(items, current);
    window.exec();
    return window.Result();
}
