#include "records/employeeform.h"

#include "records/record.h"

#include "ports/clock.h"
#include "text/dates.h"
#include "text/numbers.h"

#include <climits>

namespace {

// The text fields by distance; nullptr for the three dates.
using Member = QString EmployeeForm::*;
const Member kTextFields[EmployeeForm::kFieldCount + 1] = {
    nullptr,
    &EmployeeForm::code,
    &EmployeeForm::civility,
    nullptr, // birth date
    &EmployeeForm::name,
    &EmployeeForm::birthPlace,
    &EmployeeForm::address1,
    &EmployeeForm::address2,
    &EmployeeForm::postcode,
    &EmployeeForm::town,
    &EmployeeForm::telephone,
    &EmployeeForm::email,
    &EmployeeForm::job,
    &EmployeeForm::education,
    &EmployeeForm::bankName,
    &EmployeeForm::bankCode,
    &EmployeeForm::branchCode,
    &EmployeeForm::accountNumber,
    &EmployeeForm::accountKey,
    &EmployeeForm::paymentMethod,
    &EmployeeForm::socialSecurity,
    &EmployeeForm::familySituation,
    &EmployeeForm::hours,
    &EmployeeForm::salary,
    &EmployeeForm::profileCode,
    &EmployeeForm::profileName,
    &EmployeeForm::account,
    &EmployeeForm::cumul,
    nullptr, // entry date
    nullptr, // leaving date
};

QDate *dateField(EmployeeForm &form, int distance)
{
    switch (distance) {
    case EmployeeForm::kBirthDate:
        return &form.birthDate;
    case EmployeeForm::kEntryDate:
        return &form.entryDate;
    case EmployeeForm::kLeavingDate:
        return &form.leavingDate;
    default:
        return nullptr;
    }
}

const QString kMemo = QStringLiteral("MEMO");
const QString kData = QStringLiteral("DATA");
const QChar kTab = u'\t';

} // namespace

void EmployeeForm::reset(const QDate &today)
{
    *this = EmployeeForm();
    // The record's dates stay empty until the user sets them; the history input proposes today.
    historyDate = today;
}

QString EmployeeForm::fieldText(int distance) const
{
    if (distance < 1 || distance > kFieldCount)
        return {};
    if (isDateField(distance)) {
        const QDate &d = distance == kBirthDate ? birthDate : distance == kEntryDate ? entryDate : leavingDate;
        return d.isValid() ? text::formatDate(d) : QString();
    }
    return this->*kTextFields[distance];
}

bool EmployeeForm::setFieldText(int distance, const QString &text)
{
    if (distance < 1 || distance > kFieldCount || isDateField(distance))
        return false;
    this->*kTextFields[distance] = text;
    return true;
}

QStringList EmployeeForm::civilites()
{
    return {QStringLiteral("M"), QStringLiteral("Mme"), QStringLiteral("Mlle")};
}

QStringList EmployeeForm::modesReglement()
{
    return {QStringLiteral("Chèque"), QStringLiteral("Virement"), QStringLiteral("Espèces"), QStringLiteral("Mandat")};
}

QStringList EmployeeForm::situationsFamiliales()
{
    return {QStringLiteral("Célibataire"), QStringLiteral("Marié"), QStringLiteral("Mariée"),
            QStringLiteral("Concubinage"), QStringLiteral("Pacs")};
}

int EmployeeForm::writtenHistoryRows() const
{
    int n = 0;
    for (const HistoryRow &row : history) {
        // The two TABs count: a row holding only a date is written, a lone short label is not.
        if (row.date.size() + row.label.size() + row.amount.size() + 2 < 10)
            break;
        ++n;
    }
    return n;
}

QStringList EmployeeForm::blockLines() const
{
    QStringList lines;
    const int rows = writtenHistoryRows();
    lines.reserve(kFieldCount + note.size() + rows);
    for (int d = 1; d <= kFieldCount; ++d)
        lines.append(fieldText(d));
    for (const QString &line : note)
        lines.append(kMemo + line);
    for (int i = 0; i < rows; ++i) {
        const HistoryRow &row = history[i];
        lines.append(kData + row.date + kTab + row.label + kTab + row.amount);
    }
    return lines;
}

QString Rset(const QString &text, int width, const TextWidth &measure)
{
    QString s = text.trimmed();
    if (s.isEmpty())
        return s;
    // Bounded by the width itself: a measure that does not grow cannot loop for ever.
    for (int guard = 0; guard <= width && measure(s) <= width - 10; ++guard)
        s.prepend(u' ');
    return s;
}

QString Rset(const QString &text, int characters)
{
    const QString s = text.trimmed();
    if (s.isEmpty() || s.size() >= characters)
        return s;
    return QString(characters - s.size(), u' ') + s;
}

void LitFiche(const Collection &employees, int number, EmployeeForm &form, bool batch)
{
    form.reset(Clock::instance().today());
    const QStringList content = employees.blockContent(number, EmployeeForm::kReadLimit);
    if (employees.contains(number)) {
        const int fixed = std::min<int>(EmployeeForm::kFieldCount, content.size());
        for (int d = 1; d <= fixed; ++d) {
            const QString &line = content[d - 1];
            if (QDate *date = dateField(form, d)) {
                if (line.isEmpty())
                    continue;
                // A date that does not read keeps its default; the fields after it are read.
                const QDate parsed = text::parseDate(line);
                if (parsed.isValid())
                    *date = parsed;
            } else if (d == EmployeeForm::kAccount) {
                // An empty line (a record imported without it) keeps the default account.
                if (!line.isEmpty())
                    form.account = QString(line + QStringLiteral("000")).left(6);
            } else {
                form.*kTextFields[d] = line;
            }
        }
        int row = 0;
        for (qsizetype i = EmployeeForm::kFieldCount; i < content.size(); ++i) {
            const QString &line = content[i];
            if (line.startsWith(kMemo)) {
                form.note.append(Collection::tagText(line));
            } else if (line.startsWith(kData)) {
                if (row >= EmployeeForm::kHistoryRows)
                    continue;
                HistoryRow &r = form.history[row++];
                const QString rest = Collection::tagText(line);
                const qsizetype t1 = rest.indexOf(kTab);
                if (t1 < 0)
                    continue;
                const qsizetype t2 = rest.indexOf(kTab, t1 + 1);
                r.date = rest.left(t1);
                if (t2 < 0) {
                    r.label = rest.mid(t1 + 1);
                } else {
                    r.label = rest.mid(t1 + 1, t2 - t1 - 1);
                    r.amount = Rset(rest.mid(t2 + 1), kHistoryAmountChars);
                }
            }
        }
    }
    form.edited = false;
    if (!batch && form.code.isEmpty())
        form.code = QString::number(Numerom(employees));
}

bool EcritFiche(Collection &employees, int number, EmployeeForm &form)
{
    return writeRecord(employees, number, form, Collection::Placement::InPlace);
}

int Numerom(const Collection &employees)
{
    int highest = 10000;
    for (const Collection::BlockAt &block : employees.blocks()) {
        const QString code = employees.lineAt(block.line, EmployeeForm::kCode);
        if (code.isEmpty())
            continue;
        bool ok = false;
        const int value = text::parseInteger(code, &ok);
        // The largest int would leave no next code: such a code is skipped too.
        if (ok && value > highest && value < INT_MAX)
            highest = value;
    }
    return highest + 1;
}

bool Ajout(Collection &employees, EmployeeForm &form)
{
    EcritFiche(employees, employees.current(), form);
    if (!employees.add())
        return false;
    employees.setCurrent(employees.count() - 1);
    LitFiche(employees, employees.current(), form);
    form.code = QString::number(Numerom(employees));
    return true;
}

QString conversionMessage(const QString &text)
{
    return QStringLiteral("'") + text + QStringLiteral("' n'est pas une valeur numérique correcte");
}

QString historyAmount(double value, const QString &amountFormat)
{
    return Rset(text::formatAmount(value, amountFormat), kHistoryAmountChars);
}

Status ajouterHistorique(EmployeeForm &form, const QString &amountFormat)
{
    const QString label = form.historyLabel.trimmed();
    const QString amountText = form.historyAmount.trimmed();
    if (label.isEmpty() || amountText.isEmpty())
        return Status::refused();
    bool ok = false;
    // Kept as a double: a 6-byte real would turn 2,675 into 2,67499999999... and show 2,67.
    const double value = text::parseNumber(amountText, &ok);
    if (!ok)
        return Status::refused(conversionMessage(form.historyAmount));
    for (HistoryRow &row : form.history) {
        if (!row.date.isEmpty())
            continue;
        row.date = text::formatDate(form.historyDate);
        row.label = form.historyLabel;
        row.amount = historyAmount(value, amountFormat);
        form.historyLabel.clear();
        form.historyAmount.clear();
        form.edited = true;
        return Status::done();
    }
    return Status::refused();
}

bool separerProfil(EmployeeForm &form)
{
    const qsizetype space = form.profileCode.indexOf(u' ');
    // Position 5 or later, counting from 1.
    if (space < 4)
        return false;
    const QString text = form.profileCode;
    form.profileCode = text.left(space);
    form.profileName = text.mid(space + 1, 255);
    return true;
}

QString normaliserCompte(const QString &text)
{
    return QString(text + QStringLiteral("0000")).left(6);
}

bool completerFiche(EmployeeForm &form, const QString &storedAccount)
{
    bool changed = separerProfil(form);
    if (form.account != storedAccount) {
        const QString normal = normaliserCompte(form.account);
        changed = changed || normal != form.account;
        form.account = normal;
    }
    return changed;
}
