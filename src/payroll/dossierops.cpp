#include "payroll/dossierops.h"

#include "payroll/calculation.h"
#include "payroll/payslips.h"
#include "ports/clock.h"
#include "records/employeeform.h"
#include "records/payslipform.h"
#include "store/dossier.h"
#include "text/dates.h"
#include "text/numbers.h"

namespace dossierops {

namespace {

const QString kData = QStringLiteral("DATA");
const QChar kTab = u'\t';

// The content of an employee block with its fixed lines all present (a block cut short is
// completed with empty lines, which read as they did).
QStringList employeeContent(const Collection &employees, int n)
{
    QStringList content = employees.blockContent(n);
    while (content.size() < EmployeeForm::kFieldCount)
        content.insert(content.size(), QString());
    return content;
}

// Appends a history row after the last one, dropping the oldest when the table is full.
void appendHistory(QStringList &content, const HistoryRow &row)
{
    QList<qsizetype> rows;
    for (qsizetype i = EmployeeForm::kFieldCount; i < content.size(); ++i)
        if (content[i].startsWith(kData))
            rows.append(i);
    qsizetype at = rows.isEmpty() ? content.size() : rows.last() + 1;
    if (rows.size() >= EmployeeForm::kHistoryRows) {
        content.removeAt(rows.first());
        --at;
    }
    content.insert(at, kData + row.date + kTab + row.label + kTab + row.amount);
}

} // namespace

QString validatedDeletionMessage()
{
    return QStringLiteral("Un bulletin validé ne peut pas être supprimé");
}

Status validerCalcule(Collection &employees, PayslipForm &form, const QString &amountFormat, int *employee)
{
    const int n = employees.findCode(form.employeeCode);
    if (n >= 0) {
        QStringList content = employeeContent(employees, n);
        const QString &stored = content[EmployeeForm::kCumul - 1];
        double cumul = 0, taxable = 0, net = 0;
        for (const auto &[text, value] : {std::pair{stored, &cumul}, std::pair{form.taxableNet, &taxable},
                                          std::pair{form.netToPay, &net}}) {
            if (!text::blankIsZero(text, value))
                return Status::refused(conversionMessage(text));
        }
        form.cumul = Rset(text::formatAmount(cumul + taxable, amountFormat), kCumulChars);
        content[EmployeeForm::kCumul - 1] = form.cumul;
        appendHistory(content, {text::formatDate(Clock::instance().today()), QStringLiteral("Paie N°") + form.number,
                                historyAmount(net, amountFormat)});
        employees.writeBlock(n, content, Collection::Placement::InPlace);
    }
    form.validated = true;
    form.edited = true;
    if (employee)
        *employee = n;
    return Status::done();
}

Status Valider(Dossier &dossier, int payslip, const PayrollParameters &params, const QString &amountFormat,
               int *employee, const PayslipEmployeeLookup &lookup)
{
    Collection &payslips = dossier.payslips();
    Collection &employees = dossier.employees();
    if (!payslips.contains(payslip))
        return Status::refused();
    PayslipForm form;
    LitBulletin(payslips, payslip, form, QString());
    if (form.validated)
        return Status::refused(payslips::alreadyValidatedMessage());

    const Status calculated = calculatePayslip(form, params, amountFormat,
                                               lookup ? lookup : dossierEmployeeLookup(employees, dossier.profiles()));
    if (!calculated)
        return calculated;
    if (const Status v = validerCalcule(employees, form, amountFormat, employee); !v)
        return v;
    EcritBulletin(payslips, payslip, form);
    return Status::done();
}

Status SupprimerBulletin(Dossier &dossier, int payslip)
{
    Collection &payslips = dossier.payslips();
    if (!payslips.contains(payslip))
        return Status::refused();
    if (payslips.lineOfBlock(payslip, PayslipForm::kValidated) == QLatin1String("Y"))
        return Status::refused(validatedDeletionMessage());
    payslips.setCurrent(payslip);
    return payslips.supprime() ? Status::done() : Status::refused();
}

Status Modifier(Dossier &dossier, int employee, const QString &typed)
{
    Collection &employees = dossier.employees();
    const QString completed = completerCumul(typed);
    if (completed.isEmpty() || !employees.contains(employee))
        return Status::refused();
    bool ok = false;
    text::parseNumber(completed, &ok);
    if (!ok)
        return Status::refused(conversionMessage(typed));
    QStringList content = employeeContent(employees, employee);
    content[EmployeeForm::kCumul - 1] = Rset(completed, kCumulChars);
    employees.writeBlock(employee, content, Collection::Placement::InPlace);
    return Status::done();
}

int Cloturer(Dossier &dossier)
{
    Collection &employees = dossier.employees();
    QStringList lines = employees.lines();
    int changed = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (Collection::openTagNumber(lines[i]) < 0)
            continue;
        // Only a block that holds its cumul line: a block cut short before it has none.
        if (employees.contentAt(i, EmployeeForm::kCumul).size() < EmployeeForm::kCumul)
            continue;
        lines[i + EmployeeForm::kCumul] = QStringLiteral("0");
        ++changed;
    }
    if (changed > 0)
        employees.setLines(lines);
    return changed;
}

} // namespace dossierops
