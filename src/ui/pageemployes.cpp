#include "ui/pageemployes.h"

#include "records/employeeform.h"
#include "ports/clock.h"
#include "text/encoding.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// The width of the history table's amount column, in pixels, before its margins.
constexpr int kHistoryAmountPixels = 95;

// The fields of the record, each a line of its block: besides the Windows-1252 rule, a text
// that reads as a block tag is refused, since it would cut the block in two when the dossier
// is read again, and so is a TAB (a pasted one), which separates the history cells and the
// fields of the exchange file.
class FieldValidator : public Cp1252Validator
{
public:
    using Cp1252Validator::Cp1252Validator;
    State validate(QString &input, int &pos) const override
    {
        if (Collection::looksLikeTag(input) || input.contains(u'\t'))
            return Invalid;
        return Cp1252Validator::validate(input, pos);
    }
};

QString only1252(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (text::fits1252(c))
            kept += c;
    return kept;
}

QDate shown(const QDate &date)
{
    return date.isValid() ? date : Clock::instance().today();
}

} // namespace

TPageEmployes::TPageEmployes(EmployeeForm &form, QWidget *parent) : QWidget(parent), m_form(form)
{
    // Each group is a grid of label / field pairs; the order of creation is the tab order.
    auto *employe = new QGroupBox(QStringLiteral("Employé"), this);
    auto *eg = new QGridLayout(employe);
    auto row = [](QGridLayout *g, int r, const QString &label, QWidget *field, int col = 0, int span = 1) {
        auto *l = new QLabel(label, field->parentWidget());
        l->setBuddy(field);
        g->addWidget(l, r, col);
        g->addWidget(field, r, col + 1, 1, span);
    };
    auto *code = addLine(employe, EmployeeForm::kCode, QStringLiteral("code"));
    row(eg, 0, QStringLiteral("Code empl."), code);
    auto *civility = addChoice(employe, EmployeeForm::kCivility, QStringLiteral("civility"), EmployeeForm::civilites());
    civility->setAccessibleName(QStringLiteral("Civilité"));
    eg->addWidget(civility, 0, 2);
    m_birthDate = addDate(employe, QStringLiteral("birthDate"));
    row(eg, 0, QStringLiteral("Né le"), m_birthDate, 3);
    m_name = addLine(employe, EmployeeForm::kName, QStringLiteral("name"));
    row(eg, 1, QStringLiteral("Nom Prénom"), m_name, 0, 4);
    row(eg, 2, QStringLiteral("Né(e)"), addLine(employe, EmployeeForm::kBirthPlace, QStringLiteral("birthPlace")), 0, 4);
    row(eg, 3, QStringLiteral("Adresse"), addLine(employe, EmployeeForm::kAddress1, QStringLiteral("address1")), 0, 4);
    row(eg, 4, QStringLiteral("Adresse"), addLine(employe, EmployeeForm::kAddress2, QStringLiteral("address2")), 0, 4);
    {
        // A postcode field as narrow as a postcode; the town takes the rest of the line.
        auto *postcode = addLine(employe, EmployeeForm::kPostcode, QStringLiteral("postcode"));
        postcode->setFixedWidth(postcode->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
        auto *town = addLine(employe, EmployeeForm::kTown, QStringLiteral("town"));
        // A town of 28 capitals shows whole, whatever room the window leaves it.
        town->setMinimumWidth(town->fontMetrics().horizontalAdvance(QString(28, u'E')) + 12);
        auto *townLabel = new QLabel(QStringLiteral("Ville"), employe);
        townLabel->setBuddy(town);
        auto *line = new QHBoxLayout;
        line->addWidget(postcode);
        line->addWidget(townLabel);
        line->addWidget(town, 1);
        auto *postcodeLabel = new QLabel(QStringLiteral("Code postal"), employe);
        postcodeLabel->setBuddy(postcode);
        eg->addWidget(postcodeLabel, 5, 0);
        eg->addLayout(line, 5, 1, 1, 4);
    }
    row(eg, 6, QStringLiteral("Téléphone"), addLine(employe, EmployeeForm::kTelephone, QStringLiteral("telephone")), 0, 4);
    row(eg, 7, QStringLiteral("E.Mail"), addLine(employe, EmployeeForm::kEmail, QStringLiteral("email")), 0, 4);
    m_job = addChoice(employe, EmployeeForm::kJob, QStringLiteral("job"), {});
    row(eg, 8, QStringLiteral("Emploi"), m_job, 0, 4);
    row(eg, 9, QStringLiteral("Etudes"), addLine(employe, EmployeeForm::kEducation, QStringLiteral("education")), 0, 4);
    eg->setRowStretch(10, 1);

    auto *banque = new QGroupBox(QStringLiteral("Banque"), this);
    auto *bg = new QGridLayout(banque);
    m_bank = addChoice(banque, EmployeeForm::kBankName, QStringLiteral("bankName"), {});
    row(bg, 0, QStringLiteral("Nom"), m_bank);
    row(bg, 1, QStringLiteral("Code banque"), addLine(banque, EmployeeForm::kBankCode, QStringLiteral("bankCode")));
    row(bg, 2, QStringLiteral("Code guichet"), addLine(banque, EmployeeForm::kBranchCode, QStringLiteral("branchCode")));
    row(bg, 3, QStringLiteral("N° compte"), addLine(banque, EmployeeForm::kAccountNumber, QStringLiteral("accountNumber")));
    row(bg, 4, QStringLiteral("Rib"), addLine(banque, EmployeeForm::kAccountKey, QStringLiteral("accountKey")));
    row(bg, 5, QStringLiteral("Mode règl."),
        addChoice(banque, EmployeeForm::kPaymentMethod, QStringLiteral("paymentMethod"), EmployeeForm::modesReglement()));
    bg->setRowStretch(6, 1);

    auto *paie = new QGroupBox(QStringLiteral("Paie"), this);
    auto *pg = new QGridLayout(paie);
    row(pg, 0, QStringLiteral("N° SS"), addLine(paie, EmployeeForm::kSocialSecurity, QStringLiteral("socialSecurity")), 0, 2);
    row(pg, 1, QStringLiteral("Sit. familiale"),
        addChoice(paie, EmployeeForm::kFamilySituation, QStringLiteral("familySituation"), EmployeeForm::situationsFamiliales()), 0, 2);
    row(pg, 2, QStringLiteral("Total heures"), addLine(paie, EmployeeForm::kHours, QStringLiteral("hours")));
    row(pg, 3, QStringLiteral("Salaire"), addLine(paie, EmployeeForm::kSalary, QStringLiteral("salary")));
    m_profile = addChoice(paie, EmployeeForm::kProfileCode, QStringLiteral("profile"), {});
    m_profile->setMinimumContentsLength(6);
    row(pg, 4, QStringLiteral("Profil"), m_profile);
    m_profileName = addLine(paie, EmployeeForm::kProfileName, QStringLiteral("profileName"));
    m_profileName->setReadOnly(true);
    m_profileName->setFocusPolicy(Qt::NoFocus);
    m_profileName->setAccessibleName(QStringLiteral("Nom du profil"));
    pg->addWidget(m_profileName, 4, 2);
    m_account = addLine(paie, EmployeeForm::kAccount, QStringLiteral("account"));
    row(pg, 5, QStringLiteral("Compte empl."), m_account);
    m_cumul = addLine(paie, EmployeeForm::kCumul, QStringLiteral("cumul"));
    m_cumul->setReadOnly(true);
    m_cumul->setFocusPolicy(Qt::NoFocus);
    m_cumul->setAlignment(Qt::AlignRight);
    row(pg, 6, QStringLiteral("Cumul"), m_cumul);
    m_entryDate = addDate(paie, QStringLiteral("entryDate"));
    row(pg, 7, QStringLiteral("Entré le"), m_entryDate);
    m_leavingDate = addDate(paie, QStringLiteral("leavingDate"));
    row(pg, 8, QStringLiteral("Sorti le"), m_leavingDate);
    pg->setRowStretch(9, 1);

    auto *noteBox = new QWidget(this);
    auto *nl = new QVBoxLayout(noteBox);
    nl->setContentsMargins(0, 0, 0, 0);
    m_note = new QPlainTextEdit(noteBox);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setTabChangesFocus(true);
    auto *noteLabel = new QLabel(QStringLiteral("Observations"), noteBox);
    noteLabel->setBuddy(m_note);
    nl->addWidget(noteLabel);
    nl->addWidget(m_note);
    connect(m_note, &QPlainTextEdit::textChanged, this, &TPageEmployes::noteChanged);

    // The pay history: 63 rows of date, label and amount under their headings.
    auto *historyBox = new QWidget(this);
    auto *hl = new QVBoxLayout(historyBox);
    hl->setContentsMargins(0, 0, 0, 0);
    m_history = new QTableWidget(EmployeeForm::kHistoryRows, 3, historyBox);
    m_history->setObjectName(QStringLiteral("history"));
    m_history->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Libellé"), QStringLiteral("Montant")});
    m_history->verticalHeader()->setVisible(false);
    m_history->verticalHeader()->setDefaultSectionSize(m_history->fontMetrics().height() + 6);
    m_history->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_history->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_history->setTabKeyNavigation(false);
    m_history->setColumnWidth(0, 90);
    m_history->setColumnWidth(2, kHistoryAmountPixels + 20);
    m_history->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int r = 0; r < EmployeeForm::kHistoryRows; ++r)
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem;
            if (c == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_history->setItem(r, c, item);
        }
    hl->addWidget(m_history);

    auto *input = new QHBoxLayout;
    auto *historyDate = new DateEdit(historyBox);
    connect(historyDate, &DateEdit::refused, this, &TPageEmployes::message);
    m_historyDate = historyDate;
    m_historyDate->setObjectName(QStringLiteral("historyDate"));
    m_historyDate->setAccessibleName(QStringLiteral("Date"));
    // Choosing the date of an entry does not change the record.
    connect(m_historyDate, &QDateEdit::dateChanged, this, [this](const QDate &d) {
        if (!m_refreshing)
            m_form.historyDate = d;
    });
    m_historyLabel = new QLineEdit(historyBox);
    m_historyLabel->setObjectName(QStringLiteral("historyLabel"));
    m_historyLabel->setAccessibleName(QStringLiteral("Libellé"));
    m_historyLabel->setValidator(new FieldValidator(m_historyLabel));
    connect(m_historyLabel, &QLineEdit::textEdited, this, [this](const QString &t) {
        m_form.historyLabel = t;
        markEdited();
    });
    m_historyAmount = new QLineEdit(historyBox);
    m_historyAmount->setObjectName(QStringLiteral("historyAmount"));
    m_historyAmount->setAccessibleName(QStringLiteral("Montant"));
    m_historyAmount->setAlignment(Qt::AlignRight);
    m_historyAmount->setFixedWidth(kHistoryAmountPixels + 20);
    m_historyAmount->setValidator(new NumericValidator(m_historyAmount));
    auto *amountKeys = new NumericKeyFilter(m_historyAmount);
    m_historyAmount->installEventFilter(amountKeys);
    connect(amountKeys, &NumericKeyFilter::enterPressed, this, &TPageEmployes::addHistory);
    connect(m_historyAmount, &QLineEdit::textEdited, this, [this](const QString &t) {
        m_form.historyAmount = t;
        markEdited();
    });
    m_historyOk = new QPushButton(QStringLiteral("OK"), historyBox);
    m_historyOk->setObjectName(QStringLiteral("historyOk"));
    m_historyOk->setAutoDefault(false);
    connect(m_historyOk, &QPushButton::clicked, this, [this] {
        addHistory();
        m_historyLabel->setFocus();
    });
    input->addWidget(m_historyDate);
    input->addWidget(m_historyLabel, 1);
    input->addWidget(m_historyAmount);
    input->addWidget(m_historyOk);
    hl->addLayout(input);

    auto *layout = new QGridLayout(this);
    layout->addWidget(employe, 0, 0, 2, 1);
    layout->addWidget(banque, 0, 1);
    layout->addWidget(paie, 1, 1);
    layout->addWidget(noteBox, 2, 0);
    layout->addWidget(historyBox, 2, 1);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    // Tab order: the groups from top to bottom, each from left to right, then the note and
    // the history input.
    QList<QWidget *> order = {code, civility, m_birthDate};
    // From "Nom Prénom" to "Compte empl.", in line order; the profile name takes no focus.
    for (int d = EmployeeForm::kName; d <= EmployeeForm::kAccount; ++d) {
        if (d == EmployeeForm::kProfileName)
            continue;
        for (const auto &[dist, w] : m_lines)
            if (dist == d)
                order << w;
        for (const auto &[dist, w] : m_choices)
            if (dist == d)
                order << w;
    }
    order << m_entryDate << m_leavingDate << m_note << m_history << m_historyDate << m_historyLabel
          << m_historyAmount << m_historyOk;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    refresh();
}

QLineEdit *TPageEmployes::addLine(QWidget *parent, int distance, const QString &objectName)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    m_lines.append({distance, edit});
    if (EmployeeForm::isNumericField(distance)) {
        edit->setValidator(new NumericValidator(edit));
        edit->installEventFilter(new NumericKeyFilter(edit));
    } else {
        edit->setValidator(new FieldValidator(edit));
    }
    if (distance == EmployeeForm::kAccount)
        edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, distance](const QString &t) { fieldEdited(distance, t); });
    return edit;
}

QComboBox *TPageEmployes::addChoice(QWidget *parent, int distance, const QString &objectName,
                                    const QStringList &items)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setValidator(new FieldValidator(combo));
    m_choices.append({distance, combo});
    connect(combo, &QComboBox::currentTextChanged, this, [this, distance](const QString &t) { fieldEdited(distance, t); });
    if (distance == EmployeeForm::kProfileCode) {
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
        // A profile picked from the list is split at once, so that a record written back
        // straight after (by a tool button that takes no focus) holds the code alone.
        connect(combo, &QComboBox::activated, this, [this] { leaveProfile(); });
    }
    return combo;
}

DateEdit *TPageEmployes::addDate(QWidget *parent, const QString &objectName)
{
    auto *edit = new DateEdit(parent);
    edit->setObjectName(objectName);
    // A date the user never set stays empty, and a date can be emptied.
    edit->setEmptyAllowed();
    connect(edit, &DateEdit::refused, this, &TPageEmployes::message);
    connect(edit, &QDateEdit::dateChanged, this, [this, edit] {
        if (m_refreshing)
            return;
        const QDate d = edit->value();
        if (edit == m_birthDate)
            m_form.birthDate = d;
        else if (edit == m_entryDate)
            m_form.entryDate = d;
        else
            m_form.leavingDate = d;
        markEdited();
    });
    return edit;
}

void TPageEmployes::fieldEdited(int distance, const QString &text)
{
    if (m_refreshing)
        return;
    if (distance == EmployeeForm::kAccount)
        m_accountTyped = true;
    m_form.setFieldText(distance, text);
    markEdited();
}

void TPageEmployes::markEdited()
{
    if (m_refreshing)
        return;
    m_form.edited = true;
    Q_EMIT edited();
}

void TPageEmployes::noteChanged()
{
    if (m_refreshing)
        return;
    QString text = m_note->toPlainText();
    const QString kept = only1252(text);
    if (kept != text) {
        // A pasted or composed character the dossier files cannot hold is taken out again.
        QTextCursor cursor = m_note->textCursor();
        const int pos = cursor.position() - int(text.size() - kept.size());
        m_refreshing = true;
        m_note->setPlainText(kept);
        m_refreshing = false;
        cursor = m_note->textCursor();
        cursor.setPosition(qBound(0, pos, int(kept.size())));
        m_note->setTextCursor(cursor);
        text = kept;
    }
    m_form.note = text.isEmpty() ? QStringList() : text.split(u'\n');
    markEdited();
}

bool TPageEmployes::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_account)
            leaveAccount();
        else if (m_profile && (watched == m_profile || watched == m_profile->lineEdit()))
            leaveProfile();
    }
    return QWidget::eventFilter(watched, event);
}

void TPageEmployes::leaveProfile()
{
    if (m_refreshing)
        return;
    m_form.profileCode = m_profile->currentText();
    if (!separerProfil(m_form))
        return;
    showProfile();
    markEdited();
}

void TPageEmployes::leaveAccount()
{
    // Only an account the user typed is completed: passing through the field changes nothing.
    if (m_refreshing || !m_accountTyped)
        return;
    m_accountTyped = false;
    const QString normal = normaliserCompte(m_account->text());
    if (normal == m_account->text() && normal == m_form.account)
        return;
    m_form.account = normal;
    m_refreshing = true;
    m_account->setText(normal);
    m_refreshing = false;
    markEdited();
}

void TPageEmployes::commitEdits()
{
    QWidget *focus = focusWidget();
    if (focus == m_account)
        leaveAccount();
    else if (focus == m_profile || focus == m_profile->lineEdit())
        leaveProfile();
}

void TPageEmployes::addHistory()
{
    m_form.historyDate = m_historyDate->date();
    m_form.historyLabel = m_historyLabel->text();
    m_form.historyAmount = m_historyAmount->text();
    const Status added = ajouterHistorique(m_form, m_amountFormat);
    if (added) {
        m_refreshing = true;
        m_historyLabel->clear();
        m_historyAmount->clear();
        m_refreshing = false;
        showHistory();
        Q_EMIT edited();
    } else if (!added.message().isEmpty()) {
        Q_EMIT message(added.message());
    }
}

void TPageEmployes::showHistory()
{
    for (int r = 0; r < EmployeeForm::kHistoryRows; ++r) {
        const HistoryRow &h = m_form.history[size_t(r)];
        m_history->item(r, 0)->setText(h.date);
        m_history->item(r, 1)->setText(h.label);
        // Stored amounts carry leading blanks; the cell aligns them itself.
        m_history->item(r, 2)->setText(h.amount.trimmed());
    }
}

void TPageEmployes::showProfile()
{
    const bool was = m_refreshing;
    m_refreshing = true;
    m_profile->setCurrentText(m_form.profileCode);
    m_profileName->setText(m_form.profileName);
    m_refreshing = was;
}

void TPageEmployes::refresh()
{
    m_refreshing = true;
    m_accountTyped = false;
    for (const auto &[distance, edit] : m_lines) {
        const QString text = m_form.fieldText(distance);
        edit->setText(distance == EmployeeForm::kCumul ? text.trimmed() : text);
        edit->setCursorPosition(0);
    }
    for (const auto &[distance, combo] : m_choices)
        combo->setCurrentText(m_form.fieldText(distance));
    m_birthDate->setValue(m_form.birthDate);
    m_entryDate->setValue(m_form.entryDate);
    m_leavingDate->setValue(m_form.leavingDate);
    m_note->setPlainText(m_form.note.join(u'\n'));
    m_note->moveCursor(QTextCursor::Start);
    showHistory();
    m_historyDate->setDate(shown(m_form.historyDate));
    m_historyLabel->setText(m_form.historyLabel);
    m_historyAmount->setText(m_form.historyAmount);
    m_refreshing = false;
}

void TPageEmployes::setChoices(const QStringList &banks, const QStringList &jobs, const QStringList &profiles)
{
    m_refreshing = true;
    const std::pair<QComboBox *, const QStringList *> lists[] = {{m_bank, &banks}, {m_job, &jobs}, {m_profile, &profiles}};
    for (const auto &[combo, items] : lists) {
        const QString text = combo->currentText();
        combo->clear();
        combo->addItems(*items);
        combo->setCurrentText(text);
    }
    m_refreshing = false;
}

void TPageEmployes::setAmountFormat(const QString &fmt)
{
    m_amountFormat = fmt;
}

void TPageEmployes::focusName()
{
    m_name->setFocus();
}
