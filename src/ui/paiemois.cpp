#include "ui/paiemois.h"

#include "shell/monthpayrollmodel.h"
#include "ui/widgets.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TPaieMois::TPaieMois(MonthPayrollModel &model, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
{
    setWindowTitle(QStringLiteral("Paie du mois"));
    setObjectName(QStringLiteral("TPaieMois"));

    m_month = new QLineEdit(model.monthText(), this);
    m_month->setObjectName(QStringLiteral("mois"));
    m_month->setInputMask(QString());
    m_month->setMaxLength(7);
    connect(m_month, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_model.setMonthText(text);
        showRows();
    });

    m_employees = new QListWidget(this);
    m_employees->setObjectName(QStringLiteral("employes"));
    for (const MonthPayrollModel::Employee &e : model.employees()) {
        auto *item = new QListWidgetItem(e.code + QStringLiteral("  ") + e.name, m_employees);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.ticked ? Qt::Checked : Qt::Unchecked);
    }
    connect(m_employees, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        m_model.setTicked(m_employees->row(item), item->checkState() == Qt::Checked);
        showRows();
    });

    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(QStringLiteral("bulletins"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("N° de paie"), QStringLiteral("Code"), QStringLiteral("Nom"),
                                        QStringLiteral("Brut"), QStringLiteral("Net à payer"), QStringLiteral("Message")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto button = [this](const QString &caption, const QString &name, void (TPaieMois::*slot)()) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button(QStringLiteral("&Préparer"), QStringLiteral("preparer"), &TPaieMois::Preparer));
    buttons->addWidget(button(QStringLiteral("&Valider tout"), QStringLiteral("validerTout"), &TPaieMois::ValiderTout));
    buttons->addWidget(button(QStringLiteral("&Imprimer tout"), QStringLiteral("imprimerTout"), &TPaieMois::ImprimerTout));
    buttons->addWidget(button(QStringLiteral("P&DF..."), QStringLiteral("pdf"), &TPaieMois::Pdf));
    buttons->addStretch(1);
    auto *close = closeButton(this);
    buttons->addWidget(close);

    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("&Mois (MM/AAAA)"), m_month);
    qobject_cast<QLabel *>(top->labelForField(m_month))->setBuddy(m_month);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("Employés"), this));
    layout->addWidget(m_employees, 1);
    layout->addWidget(m_table, 2);
    layout->addLayout(buttons);
    resize(720, 520);
    showRows();
}

void TPaieMois::showRows()
{
    const auto &rows = m_model.rows();
    m_table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const auto &p = rows[r];
        const QStringList cells{p.number, p.employeeCode, p.name, p.gross, p.netToPay,
                                !p.message.isEmpty() ? p.message
                                : p.validated        ? QStringLiteral("Bulletin validé")
                                                     : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c == 3 || c == 4)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
}

void TPaieMois::Preparer()
{
    m_model.preparer();
    showRows();
}

void TPaieMois::ValiderTout()
{
    m_model.validerTout();
    showRows();
}

void TPaieMois::ImprimerTout()
{
    m_model.imprimerTout();
    showRows();
}

void TPaieMois::Pdf()
{
    // The question for files already there is the model's, asked once for the lot.
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Dossier des bulletins PDF"), QString(),
                                                             QFileDialog::ShowDirsOnly | QFileDialog::DontConfirmOverwrite);
    if (folder.isEmpty())
        return;
    m_model.pdf(folder);
    showRows();
}
