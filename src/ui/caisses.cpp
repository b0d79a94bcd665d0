#include "ui/caisses.h"

#include "payroll/caissemodel.h"
#include "ui/widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

TCaisses::TCaisses(CaisseModel &model, QWidget *parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("Caisses"));
    setObjectName(QStringLiteral("TCaisses"));

    // The tool strip.
    auto *strip = new QHBoxLayout;
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon,
                                            QStyle::SP_ArrowLeft, QStyle::SP_ArrowRight};
    void (CaisseModel::*steps[])() = {&CaisseModel::Ajouter, &CaisseModel::Supprimer, &CaisseModel::Precedent,
                                      &CaisseModel::Suivant};
    const QStringList hints = CaisseModel::hints();
    for (int i = 0; i < 4; ++i) {
        m_tools[i] = new QToolButton(this);
        m_tools[i]->setIcon(style()->standardIcon(icons[i]));
        m_tools[i]->setToolTip(hints[i]);
        m_tools[i]->setStatusTip(hints[i]);
        m_tools[i]->setAutoRaise(true);
        m_tools[i]->setFocusPolicy(Qt::NoFocus);
        auto step = steps[i];
        connect(m_tools[i], &QToolButton::clicked, this, [this, step, i] {
            run(step);
            if (i == 0)
                m_fields[CaisseModel::Nom]->setFocus();
        });
        strip->addWidget(m_tools[i]);
    }
    strip->addStretch(1);
    auto *close = closeButton(this, CloseWith::Accept);
    strip->addWidget(close);

    // The nine fields, two to a row.
    auto *grid = new QGridLayout;
    const QStringList labels = CaisseModel::fieldLabels();
    for (int f = 0; f < CaisseModel::kFieldCount; ++f) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("field%1").arg(f));
        edit->setValidator(new LineFieldValidator(edit));
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, f](const QString &t) {
            if (!m_refreshing)
                m_model.setField(f, t);
        });
        auto *label = new QLabel(labels[f], this);
        label->setBuddy(edit);
        grid->addWidget(label, f / 2, (f % 2) * 2);
        grid->addWidget(edit, f / 2, (f % 2) * 2 + 1);
        m_fields[f] = edit;
    }

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setColumnCount(CaisseModel::kFieldCount);
    m_table->setHorizontalHeaderLabels(CaisseModel::columnCaptions());
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    // Every column in sight: the letter's is narrow.
    for (int c = 0; c < CaisseModel::kFieldCount; ++c)
        m_table->setColumnWidth(c, c == CaisseModel::Lettre ? 30 : 100);
    m_table->setColumnWidth(CaisseModel::Nom, 150);
    m_table->setColumnWidth(CaisseModel::Adresse, 150);
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row) {
        if (m_model.clickRow(row + 1))
            refresh();
        m_fields[CaisseModel::Nom]->setFocus();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addLayout(grid);
    layout->addWidget(m_table, 1);
    for (int f = 1; f < CaisseModel::kFieldCount; ++f)
        setTabOrder(m_fields[f - 1], m_fields[f]);
    setTabOrder(m_fields[CaisseModel::kFieldCount - 1], close);

    resize(1000, 560);
    refresh();
    m_fields[CaisseModel::Nom]->setFocus();
}

void TCaisses::run(void (CaisseModel::*step)())
{
    (m_model.*step)();
    refresh();
}

void TCaisses::refresh()
{
    m_refreshing = true;
    for (int f = 0; f < CaisseModel::kFieldCount; ++f)
        if (m_fields[f]->text() != m_model.field(f))
            m_fields[f]->setText(m_model.field(f));
    m_table->setRowCount(m_model.tableRows());
    for (int r = 0; r < m_model.tableRows(); ++r)
        for (int c = 0; c < CaisseModel::kFieldCount; ++c) {
            QTableWidgetItem *item = m_table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(r, c, item);
            }
            item->setText(m_model.cell(r + 1, c));
        }
    if (m_model.current() >= 1) {
        m_table->selectRow(m_model.current() - 1);
        m_table->scrollToItem(m_table->item(m_model.current() - 1, 0));
    } else {
        m_table->clearSelection();
    }
    m_refreshing = false;
}

bool TCaisses::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            run(&CaisseModel::store);
            return true;
        case Qt::Key_PageUp:
            run(&CaisseModel::Precedent);
            return true;
        case Qt::Key_PageDown:
            run(&CaisseModel::Suivant);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
