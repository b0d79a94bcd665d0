#include "ui/pagebulletins.h"

#include "payroll/payslipspage.h"
#include "ports/clock.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum Column { ColLabel, ColBase, ColEmployeeRate, ColEmployeeAmount, ColEmployerRate, ColEmployerAmount, ColumnCount };

QString *cellOf(PayslipLine &line, int column)
{
    switch (column) {
    case ColLabel: return &line.label;
    case ColBase: return &line.base;
    case ColEmployeeRate: return &line.employeeRate;
    case ColEmployeeAmount: return &line.employeeAmount;
    case ColEmployerRate: return &line.employerRate;
    default: return &line.employerAmount;
    }
}

// The cells of the table are edited in a field that holds one line of the block and hands
// every keystroke to the table, so that a command run meanwhile finds the text in the form.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *edit = new QLineEdit(parent);
        edit->setValidator(new LineFieldValidator(edit));
        if (index.column() != ColLabel)
            edit->setAlignment(Qt::AlignRight);
        auto *self = const_cast<CellDelegate *>(this);
        connect(edit, &QLineEdit::textEdited, self, [self, edit] { Q_EMIT self->commitData(edit); });
        return edit;
    }
};

QLabel *labelFor(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TPageBulletins::TPageBulletins(PayslipsPage &page, QWidget *parent) : QWidget(parent), m_page(page)
{
    PayslipForm &form = page.form();

    // Header: number and period.
    auto *number = addLine(QStringLiteral("number"), &form.number, PayslipField::Number, 9);
    number->setMaximumWidth(number->fontMetrics().horizontalAdvance(u'0') * 14);
    auto *start = addDate(QStringLiteral("periodStart"), &form.periodStart, PayslipField::PeriodStart);
    auto *end = addDate(QStringLiteral("periodEnd"), &form.periodEnd, PayslipField::PeriodEnd);
    auto *header = new QHBoxLayout;
    header->addWidget(labelFor(QStringLiteral("N° de paie"), number, this));
    header->addWidget(number);
    header->addSpacing(20);
    header->addWidget(labelFor(QStringLiteral("Période du"), start, this));
    header->addWidget(start);
    header->addWidget(labelFor(QStringLiteral("au"), end, this));
    header->addWidget(end);
    header->addStretch(1);

    // The employee and the pay.
    auto *employee = new QGridLayout;
    m_employeeCode = addLine(QStringLiteral("employeeCode"), &form.employeeCode, PayslipField::EmployeeCode, 5);
    m_employeeCode->setMaximumWidth(m_employeeCode->fontMetrics().horizontalAdvance(u'0') * 9);
    m_picker = new QToolButton(this);
    m_picker->setObjectName(QStringLiteral("picker"));
    m_picker->setText(QStringLiteral("..."));
    m_picker->setToolTip(QStringLiteral("Choisir l'employé"));
    m_locked.append({m_picker, PayslipField::Picker});
    connect(m_picker, &QToolButton::clicked, this, [this] { m_page.pickEmployee(); });
    m_socialSecurity = addLine(QStringLiteral("socialSecurity"), &form.socialSecurity, PayslipField::SocialSecurity);
    // Room for hours with their hundredths: "151,67".
    auto *hours = addLine(QStringLiteral("hours"), &form.hours, PayslipField::Hours, 7);
    auto *rate = addLine(QStringLiteral("rate"), &form.rate, PayslipField::Rate, 12);
    const int digit = hours->fontMetrics().horizontalAdvance(u'0');
    hours->setMaximumWidth(digit * 9);
    rate->setMaximumWidth(digit * 16);
    for (QLineEdit *amount : {hours, rate})
        amount->setAlignment(Qt::AlignRight);
    m_socialSecurity->setMaximumWidth(digit * 24);
    auto *code = new QHBoxLayout;
    code->addWidget(m_employeeCode);
    code->addWidget(m_picker);
    code->addStretch(1);
    employee->addWidget(labelFor(QStringLiteral("N° employé"), m_employeeCode, this), 0, 0);
    employee->addLayout(code, 0, 1);
    employee->addWidget(labelFor(QStringLiteral("Numéro S.S."), m_socialSecurity, this), 1, 0);
    employee->addWidget(m_socialSecurity, 1, 1);
    employee->addWidget(labelFor(QStringLiteral("Nbr. heures"), hours, this), 2, 0);
    employee->addWidget(hours, 2, 1);
    employee->addWidget(labelFor(QStringLiteral("Salaire hor."), rate, this), 3, 0);
    employee->addWidget(rate, 3, 1);
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(addBox(QStringLiteral("Mensuel"), QStringLiteral("monthly"), &form.monthly, PayslipField::Monthly));
    boxes->addWidget(addBox(QStringLiteral("Inclure C.P."), QStringLiteral("withPaidLeave"), &form.withPaidLeave,
                            PayslipField::WithPaidLeave));
    boxes->addWidget(addBox(QStringLiteral("Précarité"), QStringLiteral("withPrecarity"), &form.withPrecarity,
                            PayslipField::WithPrecarity));
    boxes->addStretch(1);
    employee->addLayout(boxes, 4, 0, 1, 2);

    auto *details = new QGroupBox(QStringLiteral("Coordonnées de l'employé"), this);
    auto *dl = new QGridLayout(details);
    static const char *const addressNames[] = {"address0", "address1", "address2", "address3"};
    static const char *const addressCaptions[] = {"Nom", "Adresse", "Adresse (suite)", "Code postal et ville"};
    QLineEdit *address[4];
    for (int k = 0; k < 4; ++k) {
        address[k] = addLine(QLatin1String(addressNames[k]), &form.address[size_t(k)], PayslipField::Address);
        address[k]->setAccessibleName(QString::fromUtf8(addressCaptions[k]));
        dl->addWidget(address[k], k, 0, 1, 2);
    }
    auto *job = addLine(QStringLiteral("job"), &form.job, PayslipField::Job);
    dl->addWidget(labelFor(QStringLiteral("Fonction"), job, details), 4, 0);
    dl->addWidget(job, 4, 1);

    auto *top = new QHBoxLayout;
    top->addLayout(employee, 1);
    top->addWidget(details, 1);

    // The lines.
    m_table = new QTableWidget(PayslipForm::kLineCount, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("lines"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Intitulé"), QStringLiteral("Base"), QStringLiteral("Taux"),
                                        QStringLiteral("Retenue"), QStringLiteral("Taux"),
                                        QStringLiteral("Part patronale")});
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(ColLabel, QHeaderView::Stretch);
    for (int c = ColBase; c < ColumnCount; ++c)
        m_table->setColumnWidth(c, c == ColEmployeeRate || c == ColEmployerRate ? 60 : 100);
    m_table->setItemDelegate(new CellDelegate(m_table));
    m_table->setTabKeyNavigation(false);
    for (int r = 0; r < PayslipForm::kLineCount; ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            auto *item = new QTableWidgetItem;
            if (c != ColLabel)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    connect(m_table, &QTableWidget::cellChanged, this, &TPageBulletins::cellEdited);

    // Overtime, allowances, cumul and the results.
    auto *bottom = new QGridLayout;
    const struct {
        const char *caption;
        const char *name;
        QString *target;
        PayslipField field;
    } amounts[] = {
        {"Heures supp. 25%", "ot25", &form.ot25, PayslipField::Ot25},
        {"50%", "ot50", &form.ot50, PayslipField::Ot50},
        {"100%", "ot100", &form.ot100, PayslipField::Ot100},
        {"Ind. Transport", "transport", &form.transport, PayslipField::Transport},
        {"Acomptes", "advances", &form.advances, PayslipField::Advances},
        {"Cumul", "cumul", &form.cumul, PayslipField::Cumul},
    };
    QList<QWidget *> amountFields;
    for (int i = 0; i < 6; ++i) {
        QLineEdit *edit = addLine(QLatin1String(amounts[i].name), amounts[i].target, amounts[i].field);
        edit->setAlignment(Qt::AlignRight);
        edit->setMaximumWidth(110);
        amountFields << edit;
        bottom->addWidget(labelFor(QString::fromUtf8(amounts[i].caption), edit, this), i / 3, (i % 3) * 2);
        bottom->addWidget(edit, i / 3, (i % 3) * 2 + 1);
    }
    m_taxableNet = addResult(QStringLiteral("taxableNet"));
    m_totalDeductions = addResult(QStringLiteral("totalDeductions"));
    m_netToPay = addResult(QStringLiteral("netToPay"));
    QFont bold = m_netToPay->font();
    bold.setBold(true);
    m_netToPay->setFont(bold);
    auto *results = new QGridLayout;
    results->addWidget(labelFor(QStringLiteral("Net imposable"), m_taxableNet, this), 0, 0);
    results->addWidget(m_taxableNet, 0, 1);
    results->addWidget(labelFor(QStringLiteral("Total retenues"), m_totalDeductions, this), 1, 0);
    results->addWidget(m_totalDeductions, 1, 1);
    auto *netLabel = labelFor(QStringLiteral("NET A PAYER"), m_netToPay, this);
    netLabel->setFont(bold);
    results->addWidget(netLabel, 2, 0);
    results->addWidget(m_netToPay, 2, 1);
    results->addWidget(new QLabel(QStringLiteral("Euros"), this), 2, 2);

    m_creer = new QPushButton(QStringLiteral("Créer"), this);
    m_creer->setObjectName(QStringLiteral("creer"));
    connect(m_creer, &QPushButton::clicked, this, &TPageBulletins::createRequested);
    m_valider = new QPushButton(QStringLiteral("Valider"), this);
    m_valider->setObjectName(QStringLiteral("valider"));
    m_locked.append({m_valider, PayslipField::Valider});
    connect(m_valider, &QPushButton::clicked, this, [this] { m_page.valider(); });
    m_imprimer = new QPushButton(QStringLiteral("Imprimer"), this);
    m_imprimer->setObjectName(QStringLiteral("imprimer"));
    connect(m_imprimer, &QPushButton::clicked, this, &TPageBulletins::printRequested);
    for (QPushButton *b : {m_creer, m_valider, m_imprimer})
        b->setAutoDefault(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    QFont statusFont = m_status->font();
    statusFont.setBold(true);
    m_status->setFont(statusFont);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_creer);
    buttons->addWidget(m_valider);
    buttons->addWidget(m_imprimer);
    buttons->addSpacing(20);
    buttons->addWidget(m_status);
    buttons->addStretch(1);

    auto *lower = new QHBoxLayout;
    lower->addLayout(bottom);
    lower->addStretch(1);
    lower->addLayout(results);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(lower);
    layout->addLayout(buttons);

    // Tab order: the header, the employee and the pay, the details, the table, the amounts,
    // the buttons.
    QList<QWidget *> order = {number, start, end, m_employeeCode, m_picker, m_socialSecurity, hours, rate};
    for (const auto &[box, target] : m_boxes)
        order << box;
    for (QLineEdit *line : address)
        order << line;
    order << job << m_table << amountFields;
    order << m_creer << m_valider;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    refresh();
}

QLineEdit *TPageBulletins::addLine(const QString &objectName, QString *target, PayslipField field, int maxLength)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    if (isNumericField(field)) {
        edit->setValidator(new NumericValidator(edit));
        auto *filter = new NumericKeyFilter(edit);
        edit->installEventFilter(filter);
        connect(filter, &NumericKeyFilter::enterPressed, this, &TPageBulletins::enter);
    } else {
        edit->setValidator(new LineFieldValidator(edit));
        edit->installEventFilter(this);
    }
    m_lines.append({edit, target});
    m_locked.append({edit, field});
    connect(edit, &QLineEdit::textEdited, this, [this, target, field](const QString &t) {
        if (m_refreshing)
            return;
        *target = t;
        typed(field);
    });
    return edit;
}

QCheckBox *TPageBulletins::addBox(const QString &caption, const QString &objectName, bool *target, PayslipField field)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(objectName);
    box->installEventFilter(this);
    m_boxes.append({box, target});
    m_locked.append({box, field});
    connect(box, &QCheckBox::toggled, this, [this, target, field](bool on) {
        if (m_refreshing)
            return;
        *target = on;
        typed(field);
    });
    return box;
}

QDateEdit *TPageBulletins::addDate(const QString &objectName, QDate *target, PayslipField field)
{
    auto *edit = new DateEdit(this);
    edit->setObjectName(objectName);
    edit->installEventFilter(this);
    connect(edit, &DateEdit::refused, &m_page, &PayslipsPage::showMessage);
    m_dates.append({edit, target});
    m_locked.append({edit, field});
    connect(edit, &QDateEdit::dateChanged, this, [this, edit, target, field](const QDate &d) {
        if (m_refreshing)
            return;
        *target = d;
        // A date chosen over a date line that did not read: the field shows dates again.
        edit->setSpecialValueText({});
        typed(field);
    });
    return edit;
}

QLineEdit *TPageBulletins::addResult(const QString &objectName)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(130);
    return edit;
}

void TPageBulletins::typed(PayslipField field)
{
    if (!m_refreshing)
        m_page.fieldEdited(field);
}

void TPageBulletins::enter()
{
    // A validated payslip is not calculated again (the page refuses it).
    m_page.calculer();
}

void TPageBulletins::cellEdited(int row, int column)
{
    if (m_refreshing || row < 0 || row >= PayslipForm::kLineCount)
        return;
    PayslipForm &form = m_page.form();
    *cellOf(form.lines[size_t(row)], column) = m_table->item(row, column)->text();
    // A line typed below the lines in use joins them, with the empty lines before it.
    if (!form.lines[size_t(row)].isEmpty())
        form.linesInUse = std::max(form.linesInUse, row + 1);
    typed(PayslipField::Table);
}

bool TPageBulletins::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // A date being typed is taken first; one refused is not calculated with.
            if (auto *date = qobject_cast<DateEdit *>(watched); date && !date->commitTyped())
                return true;
            enter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPageBulletins::refresh()
{
    m_refreshing = true;
    const PayslipForm &form = m_page.form();
    for (const auto &[edit, target] : m_lines) {
        if (edit->text() != *target) {
            edit->setText(*target);
            edit->setCursorPosition(0);
        }
    }
    for (const auto &[box, target] : m_boxes)
        box->setChecked(*target);
    // A date line of the block that is not a date shows its text, in place of the lowest date
    // (an empty line as a blank), until a date is chosen.
    const std::optional<QString> *unread[] = {&form.periodStartLine, &form.periodEndLine};
    for (int i = 0; i < m_dates.size(); ++i) {
        const auto &[edit, target] = m_dates[i];
        if (*unread[i]) {
            edit->setSpecialValueText((*unread[i])->isEmpty() ? QStringLiteral(" ") : **unread[i]);
            edit->setDate(edit->minimumDate());
        } else {
            edit->setSpecialValueText({});
            edit->setDate(target->isValid() ? *target : Clock::instance().today());
        }
    }
    for (int r = 0; r < PayslipForm::kLineCount; ++r) {
        PayslipLine line = r < form.linesInUse ? form.lines[size_t(r)] : PayslipLine();
        for (int c = 0; c < ColumnCount; ++c)
            m_table->item(r, c)->setText(cellOf(line, c)->trimmed());
    }
    m_taxableNet->setText(form.taxableNet.trimmed());
    m_totalDeductions->setText(form.totalDeductions.trimmed());
    m_netToPay->setText(form.netToPay.trimmed());
    m_status->setText(payslips::statusText(form.validated));
    lock();
    m_refreshing = false;
}

void TPageBulletins::lock()
{
    const PayslipForm &form = m_page.form();
    QWidget *focus = QApplication::focusWidget();
    bool focusLocked = false;
    for (const auto &[widget, field] : m_locked) {
        const bool available = fieldAvailable(form, field);
        if (!available && focus && (widget == focus || widget->isAncestorOf(focus)))
            focusLocked = true;
        widget->setEnabled(available);
    }
    // The table of a validated payslip can still be scrolled through; it is not edited.
    const bool editable = fieldAvailable(form, PayslipField::Table);
    m_table->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                            | QAbstractItemView::AnyKeyPressed
                                      : QAbstractItemView::NoEditTriggers);
    // A field that the lock takes the cursor from hands it to the first one that stays
    // available, so that the dossier window's keys keep working.
    if (focusLocked)
        m_socialSecurity->setFocus();
}

void TPageBulletins::focusEmployee()
{
    QLineEdit *target = m_employeeCode->isEnabled() ? m_employeeCode : m_socialSecurity;
    target->setFocus();
    target->selectAll();
}
