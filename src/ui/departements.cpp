#include "ui/departements.h"

#include "employees/departments.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TDepart::TDepart(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Départements"));
    setObjectName(QStringLiteral("TDepart"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->addItems(departements());
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The default button: Enter closes the window wherever the focus is.
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("fermer"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(300, 420);
}

void TDepart::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_list->setFocus();
}

void TDepart::montrer(QWidget *parent)
{
    TDepart window(parent);
    window.exec();
}
