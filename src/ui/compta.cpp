#include "ui/compta.h"

#include "ports/dialogs.h"
#include "ports/status.h"
#include "ui/widgets.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

namespace {

QDateEdit *dateField(QWidget *parent, const QString &name)
{
    auto *edit = new DateEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

TCompta::TCompta(const JournalEntries &entries, Printer &printer, Dialogs *dialogs, QWidget *parent)
    : ReportWindow(printer, dialogs, parent)
{
    setWindowTitle(JournalModel::caption());
    setObjectName(QStringLiteral("TCompta"));
    connect(addTool(QStyle::SP_FileDialogDetailedView, QStringLiteral("Imprimer"), QStringLiteral("imprimer")),
            &QToolButton::clicked, this, &TCompta::Imprimer);
    connect(addTool(QStyle::SP_DialogSaveButton, QStringLiteral("Exporter"), QStringLiteral("exporter")),
            &QToolButton::clicked, this, &TCompta::Exporter);
    m_du = dateField(this, QStringLiteral("du"));
    m_au = dateField(this, QStringLiteral("au"));
    for (QDateEdit *field : {m_du, m_au})
        connect(static_cast<DateEdit *>(field), &DateEdit::refused, this, [this](const QString &m) { this->dialogs().warn(m); });
    auto *du = new QLabel(QStringLiteral("&Du"), this);
    du->setBuddy(m_du);
    auto *au = new QLabel(QStringLiteral("&Au"), this);
    au->setBuddy(m_au);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TCompta::OK);
    auto *close = closeButton(this);
    strip()->addSpacing(8);
    strip()->addWidget(du);
    strip()->addWidget(m_du);
    strip()->addWidget(au);
    strip()->addWidget(m_au);
    strip()->addWidget(ok);
    strip()->addWidget(close);
    strip()->addStretch(1);

    m_model.Init(entries);
    m_status = new QLabel(m_model.statusText(), this);
    m_status->setObjectName(QStringLiteral("statut"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setContentsMargins(4, 1, 4, 1);
    m_status->setVisible(!m_status->text().isEmpty());
    layout()->addWidget(m_status);
    m_du->setDate(m_model.du());
    m_au->setDate(m_model.au());
    refresh();
    setColumnWidths(JournalModel::columnWidths(), 460);
    m_du->setFocus();
}

void TCompta::refresh()
{
    QList<int> rset(JournalModel::kColumns, 0);
    rset[5] = rset[6] = JournalModel::kAmountRset;
    fillGrid(m_model.rowCount(), JournalModel::kColumns, [this](int r, int c) { return m_model.cell(r, c); }, rset,
             rset);
}

void TCompta::OK()
{
    m_model.setDu(m_du->date());
    m_model.setAu(m_au->date());
    m_model.Remplit();
    refresh();
}

void TCompta::Imprimer()
{
    printGrid([this](const QList<int> &widths) { return m_model.printedGrid(widths); },
              JournalModel::printTitle());
}

void TCompta::Exporter()
{
    // An existing file is replaced after the chooser's own question.
    const QString path = dialogs().saveFile(JournalModel::exportFilter(), JournalModel::exportProposedName(),
                                            JournalModel::exportExtension(), true, JournalModel::exportTitle());
    if (path.isEmpty())
        return;
    if (const Status written = m_model.exporter(path); !written)
        dialogs().warn(written.message());
}
