#include "ui/listeemployes.h"

#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kGrowth = 10;

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

TListeEmployes::TListeEmployes(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Liste des employés"));
    setObjectName(QStringLiteral("TListeEmployes"));

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    QStringList headers{QString()};
    headers << listeColonnes();
    m_grid->setColumnCount(headers.size());
    m_grid->setHorizontalHeaderLabels(headers);
    m_grid->setColumnHidden(0, true);
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { chooseRow(row); });

    auto *close = closeButton(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
}

void TListeEmployes::Init(const QList<EmployeeListRow> &rows, int current)
{
    m_chosen = -1;
    m_grid->clearContents();
    m_grid->setRowCount(kGrowth);
    int selected = -1;
    for (int i = 0; i < rows.size(); ++i) {
        if (i >= m_grid->rowCount())
            m_grid->setRowCount(m_grid->rowCount() + kGrowth);
        const EmployeeListRow &r = rows[i];
        const QStringList texts{QString::number(r.number), QString::number(r.sequence), r.name,
                                r.address1, r.address2, r.postcode, r.town, r.telephone, r.email};
        for (int c = 0; c < texts.size(); ++c)
            m_grid->setItem(i, c, cell(texts[c]));
        if (r.number == current)
            selected = i;
    }
    m_grid->resizeColumnsToContents();
    m_grid->setColumnHidden(0, true);
    if (selected < 0 && !rows.isEmpty())
        selected = 0;
    if (selected >= 0) {
        m_grid->setCurrentCell(selected, 1);
        m_grid->scrollToItem(m_grid->item(selected, 1));
    }
    m_grid->setFocus();
}

void TListeEmployes::chooseRow(int row)
{
    // The rows below the last employee hold nothing: choosing one chooses nothing.
    const QTableWidgetItem *number = m_grid->item(row, 0);
    if (!number || number->text().isEmpty())
        return;
    m_chosen = number->text().toInt();
    accept();
}

bool TListeEmployes::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (m_grid->currentRow() >= 0)
                chooseRow(m_grid->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TListeEmployes::choose(const QList<EmployeeListRow> &rows, int current, QWidget *parent)
{
    TListeEmployes window(parent);
    window.Init(rows, current);
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    window.exec();
    return window.Result();
}

TListeEmp::TListeEmp(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Liste des employés"));
    setObjectName(QStringLiteral("TListeEmp"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TListeEmp::confirm);

    const OkCancel buttons = okCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TListeEmp::confirm);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons.row);
    resize(360, 420);
}

void TListeEmp::Init(const QStringList &items)
{
    m_code.clear();
    m_list->clear();
    m_list->addItems(items);
    if (!items.isEmpty())
        m_list->setCurrentRow(0);
    m_list->setFocus();
}

void TListeEmp::confirm()
{
    // "OK" with nothing chosen returns nothing, as "Annuler" does.
    const QListWidgetItem *item = m_list->currentItem();
    if (!item) {
        reject();
        return;
    }
    m_code = codeChoisi(item->text());
    accept();
}

QString TListeEmp::choose(const Collection &employees, QWidget *parent)
{
    TListeEmp picker(parent);
    picker.Init(listeEmp(employees));
    picker.exec();
    return picker.Result();
}
