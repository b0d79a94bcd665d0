#include "ui/pageprofils.h"

#include "payroll/profilespage.h"
#include "text/encoding.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

enum Column { ColCode, ColLabel, ColEmployee, ColEmployer, ColBase, ColumnCount };

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

TPageProfils::TPageProfils(ProfilesPage &page, QWidget *parent) : QWidget(parent), m_page(page)
{
    ProfileForm &form = page.form();
    ProfileEntry &entry = page.entry();

    auto *header = new QHBoxLayout;
    m_code = addField(QStringLiteral("codeProfil"), &form.code);
    m_code->setMaximumWidth(m_code->fontMetrics().horizontalAdvance(u'0') * 12);
    auto *codeLabel = new QLabel(QStringLiteral("Code profil"), this);
    codeLabel->setBuddy(m_code);
    m_name = addField(QStringLiteral("nomProfil"), &form.name);
    m_name->setAccessibleName(QStringLiteral("Nom du profil"));
    header->addWidget(codeLabel);
    header->addWidget(m_code);
    header->addWidget(m_name, 1);

    m_table = new QTableWidget(ProfileForm::kMinRows, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("rubriques"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Code"), QStringLiteral("Rubrique"), QStringLiteral("Salariale"),
                                        QStringLiteral("Patronale"), QStringLiteral("Base")});
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(ColLabel, QHeaderView::Stretch);
    m_table->setColumnWidth(ColCode, 70);
    m_table->setColumnWidth(ColEmployee, 90);
    m_table->setColumnWidth(ColEmployer, 90);
    m_table->setColumnWidth(ColBase, 50);
    m_table->installEventFilter(this);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_refreshing)
            m_page.setSelectedRow(row < m_page.form().rubriques.size() ? row : -1);
    });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        m_page.setSelectedRow(row < m_page.form().rubriques.size() ? row : -1);
        m_page.modifyRubrique();
    });

    // The entry row under the table.
    auto *entryRow = new QHBoxLayout;
    m_entryCode = addField(QStringLiteral("entryCode"), &entry.code);
    m_entryCode->setAccessibleName(QStringLiteral("Code"));
    m_entryLabel = addField(QStringLiteral("entryLabel"), &entry.label);
    m_entryLabel->setAccessibleName(QStringLiteral("Rubrique"));
    m_employeeRate = addField(QStringLiteral("employeeRate"), &entry.employeeRate);
    m_employeeRate->setAccessibleName(QStringLiteral("Salariale"));
    m_employerRate = addField(QStringLiteral("employerRate"), &entry.employerRate);
    m_employerRate->setAccessibleName(QStringLiteral("Patronale"));
    for (QLineEdit *rate : {m_employeeRate, m_employerRate}) {
        rate->setAlignment(Qt::AlignRight);
        rate->setFixedWidth(90);
    }
    m_entryCode->setFixedWidth(70);
    m_base = new QComboBox(this);
    m_base->setObjectName(QStringLiteral("base"));
    m_base->setAccessibleName(QStringLiteral("Base"));
    m_base->addItems(ProfileEditor::baseKinds());
    m_base->setCurrentText(QStringLiteral("T"));
    m_base->installEventFilter(this);
    connect(m_base, &QComboBox::currentTextChanged, this, [this](const QString &t) {
        if (m_refreshing)
            return;
        m_page.entry().base = t;
        typed();
    });
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, [this] { m_page.storeEntry(); });
    entryRow->addWidget(m_entryCode);
    entryRow->addWidget(m_entryLabel, 1);
    entryRow->addWidget(m_employeeRate);
    entryRow->addWidget(m_employerRate);
    entryRow->addWidget(m_base);
    entryRow->addWidget(m_ok);

    auto *legend = new QGroupBox(this);
    auto *legendLayout = new QVBoxLayout(legend);
    const QStringList lines = ProfileEditor::legend();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto *l = new QLabel(lines[i], legend);
        if (i == 0) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        legendLayout->addWidget(l);
    }
    legendLayout->addStretch(1);

    m_observations = new QPlainTextEdit(this);
    m_observations->setObjectName(QStringLiteral("observations"));
    m_observations->setTabChangesFocus(true);
    auto *observationsLabel = new QLabel(QStringLiteral("Observations"), this);
    observationsLabel->setBuddy(m_observations);
    connect(m_observations, &QPlainTextEdit::textChanged, this, [this] {
        if (m_refreshing)
            return;
        QString text = m_observations->toPlainText();
        if (!text::fits1252(text)) {
            // A pasted or composed character the dossier files cannot hold is taken out again.
            QString kept;
            for (QChar c : text)
                if (text::fits1252(c))
                    kept += c;
            const int pos = m_observations->textCursor().position() - int(text.size() - kept.size());
            m_refreshing = true;
            m_observations->setPlainText(kept);
            m_refreshing = false;
            QTextCursor cursor = m_observations->textCursor();
            cursor.setPosition(qBound(0, pos, int(kept.size())));
            m_observations->setTextCursor(cursor);
            text = kept;
        }
        m_page.form().observations = text.isEmpty() ? QStringList() : text.split(u'\n');
        typed();
    });

    auto *left = new QVBoxLayout;
    left->addLayout(header);
    left->addWidget(m_table, 1);
    left->addLayout(entryRow);
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(legend);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(observationsLabel);
    layout->addWidget(m_observations, 1);

    // Tab order: the header, the table, the entry row from left to right, "Observations".
    const QList<QWidget *> order = {m_code, m_name, m_table, m_entryCode, m_entryLabel, m_employeeRate,
                                    m_employerRate, m_base, m_ok, m_observations};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    refresh();
}

QLineEdit *TPageProfils::addField(const QString &objectName, QString *target)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setValidator(new LineFieldValidator(edit));
    edit->installEventFilter(this);
    m_fields.append({edit, target});
    connect(edit, &QLineEdit::textEdited, this, [this, target](const QString &t) {
        if (m_refreshing)
            return;
        *target = t;
        typed();
    });
    return edit;
}

void TPageProfils::typed()
{
    if (!m_refreshing)
        m_page.formEdited();
}

bool TPageProfils::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_table) {
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            m_page.deleteRubrique();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    // Enter in the header, the entry row or the base list stores the entry row.
    if (isEnter(key)) {
        m_page.storeEntry();
        return true;
    }
    if ((watched == m_employeeRate || watched == m_employerRate) && key->text() == QStringLiteral(".")) {
        static_cast<QLineEdit *>(watched)->insert(QString(ProfileEditor::filterRateKey(u'.')));
        // insert() is not an edit by the user as textEdited sees it.
        QString *target = watched == m_employeeRate ? &m_page.entry().employeeRate : &m_page.entry().employerRate;
        *target = static_cast<QLineEdit *>(watched)->text();
        typed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TPageProfils::refresh()
{
    m_refreshing = true;
    for (const auto &[edit, target] : m_fields) {
        if (edit->text() != *target) {
            edit->setText(*target);
            edit->setCursorPosition(0);
        }
    }
    const ProfileForm &form = m_page.form();
    m_table->setRowCount(form.tableRows());
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const Rubrique rub = r < form.rubriques.size() ? form.rubriques[r] : Rubrique();
        const QString cells[ColumnCount] = {rub.code, rub.label, rub.employeeRate.trimmed(), rub.employerRate.trimmed(),
                                            rub.base};
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem *item = m_table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (c == ColEmployee || c == ColEmployer)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(r, c, item);
            }
            item->setText(cells[c]);
        }
    }
    const int selected = m_page.selectedRow();
    if (selected >= 0)
        m_table->setCurrentCell(selected, ColCode);
    else
        m_table->clearSelection();
    const int base = m_base->findText(m_page.entry().base);
    m_base->setCurrentIndex(base >= 0 ? base : m_base->findText(QStringLiteral("T")));
    const QString observations = form.observations.join(u'\n');
    if (m_observations->toPlainText() != observations) {
        m_observations->setPlainText(observations);
        m_observations->moveCursor(QTextCursor::Start);
    }
    m_refreshing = false;
}

void TPageProfils::focusName()
{
    m_name->setFocus();
}

void TPageProfils::focusRubrique()
{
    // A rubrique loaded to be modified: what is typed replaces its code.
    m_entryCode->setFocus();
    m_entryCode->selectAll();
}
