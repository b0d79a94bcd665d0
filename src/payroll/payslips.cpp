#include "payroll/payslips.h"

#include "store/dossier.h"
#include "ports/clock.h"
#include "text/dates.h"
#include "text/numbers.h"

#include <algorithm>

namespace payslips {

QString statusText(bool validated)
{
    return validated ? QStringLiteral("Bulletin validé") : QStringLiteral("Bulletin non validé");
}

QString searchCaption() { return QStringLiteral("Chercher bulletin"); }
QString searchPrompt() { return QStringLiteral("Numéro de bulletin"); }
QString notFoundMessage(const QString &number) { return QStringLiteral("Aucun bulletin ne porte le numéro ") + number; }
QString selectionCaption() { return QStringLiteral("Sélectionner bulletin"); }
QString selectionPrompt() { return QStringLiteral("Code employé"); }
QString listCaption() { return QStringLiteral("Liste des bulletins"); }
QString cumulCaption() { return QStringLiteral("Modifier cumul"); }
QString cumulLabel() { return QStringLiteral("Cumul de l'employé"); }

QString closingWarning()
{
    return QStringLiteral("Attention! la clôture remet à zéro les cumuls. Continuer?");
}

QString alreadyValidatedMessage()
{
    return QStringLiteral("Ce bulletin est déjà validé");
}

} // namespace payslips

namespace {

bool isCandidate(const Collection &payslips, int n, const QString &code)
{
    const QString line = payslips.lineOfBlock(n, PayslipForm::kEmployeeCode);
    return !line.isNull() && line == code;
}

} // namespace

bool ouvrirBulletin(Collection &payslips, PayslipForm &form, int n, const QString &nextNumber)
{
    if (n < 0 || !payslips.contains(n))
        return false;
    EcritBulletin(payslips, payslips.current(), form);
    payslips.setCurrent(n);
    LitBulletin(payslips, n, form, nextNumber);
    return true;
}

Status NouvBulletin(Collection &payslips, PayslipForm &form, QString &nextNumber, const EmployeeForm *employee)
{
    EcritBulletin(payslips, payslips.current(), form);
    // Left by the deletion of the last payslip in older versions: a count without block.
    if (payslips.lineCount() < 12 && payslips.countOpeningTags() == 0)
        payslips.setCount(0);
    if (payslips.count() >= Collection::kMaxBlocks)
        return Status::refused(Dossier::fullMessage());
    // Looked for before the new block exists.
    const int latest = employee ? dernierBulletin(payslips, employee->code) : -1;
    PayslipForm previous;
    if (latest >= 0)
        LitBulletin(payslips, latest, previous, QString());
    const int n = payslips.count();
    payslips.setCount(n + 1);
    payslips.setCurrent(n);
    nextNumber = QString::number(Numerob(payslips));
    const QDate today = Clock::instance().today();
    form = PayslipForm();
    form.number = nextNumber;
    form.periodStart = periodStartFor(today);
    form.periodEnd = periodEndFor(today);
    if (employee) {
        remplirEmploye(form, *employee);
        reprendreSaisies(form, *employee, latest >= 0 ? &previous : nullptr);
    }
    form.edited = true;
    return Status::done();
}

void remplirEmploye(PayslipForm &form, const EmployeeForm &employee)
{
    form.employeeCode = employee.code;
    form.address[0] = employee.name;
    form.address[1] = employee.address1;
    form.address[2] = employee.address2;
    form.address[3] = employee.postcode + u' ' + employee.town;
    form.job = employee.job;
    form.socialSecurity = employee.socialSecurity;
}

void reprendreSaisies(PayslipForm &form, const EmployeeForm &employee, const PayslipForm *latest)
{
    if (!latest) {
        form.hours = employee.hours;
        form.rate = employee.salary;
        form.monthly = true;
        form.withPaidLeave = false;
        form.withPrecarity = false;
        form.transport.clear();
        return;
    }
    form.hours = latest->hours;
    form.rate = latest->rate;
    form.monthly = latest->monthly;
    form.withPaidLeave = latest->withPaidLeave;
    form.withPrecarity = latest->withPrecarity;
    form.transport = latest->transport;
}

bool isLaterPayslip(const QString &end, const QString &number, const QString &otherEnd, const QString &otherNumber)
{
    const QDate a = text::parseDate(end.trimmed());
    const QDate b = text::parseDate(otherEnd.trimmed());
    if (a.isValid() != b.isValid())
        return a.isValid();
    if (a != b)
        return a > b;
    bool wholeA = false, wholeB = false;
    const qint64 x = number.trimmed().toLongLong(&wholeA);
    const qint64 y = otherNumber.trimmed().toLongLong(&wholeB);
    if (wholeA != wholeB)
        return wholeA;
    return wholeA ? x > y : number.trimmed() > otherNumber.trimmed();
}

int dernierBulletin(const Collection &payslips, const QString &employeeCode)
{
    const QString code = employeeCode.trimmed();
    if (code.isEmpty())
        return -1;
    int found = -1;
    QString end, number;
    for (const Collection::BlockAt &block : payslips.blocks()) {
        if (block.number < 0 || payslips.find(block.number) != block.line
            || payslips.lineAt(block.line, PayslipForm::kEmployeeCode).trimmed().compare(code, Qt::CaseInsensitive) != 0)
            continue;
        const QString e = payslips.lineAt(block.line, PayslipForm::kPeriodEnd);
        const QString n = payslips.lineAt(block.line, PayslipForm::kNumber);
        if (found < 0 || isLaterPayslip(e, n, end, number)) {
            found = block.number;
            end = e;
            number = n;
        }
    }
    return found;
}

bool choisirEmploye(const Collection &employees, PayslipForm &form, const QString &code)
{
    if (code.isEmpty())
        return false;
    const int n = employees.findCode(code);
    if (n >= 0) {
        EmployeeForm e;
        LitFiche(employees, n, e, true);
        remplirEmploye(form, e);
    }
    form.employeeCode = code;
    form.edited = true;
    return true;
}

bool fieldAvailable(const PayslipForm &form, PayslipField field)
{
    if (!form.validated)
        return true;
    switch (field) {
    case PayslipField::SocialSecurity:
    case PayslipField::Address:
    case PayslipField::Job:
        return true;
    default:
        return false;
    }
}

bool isNumericField(PayslipField field)
{
    switch (field) {
    case PayslipField::Hours:
    case PayslipField::Rate:
    case PayslipField::Ot25:
    case PayslipField::Ot50:
    case PayslipField::Ot100:
    case PayslipField::Transport:
    case PayslipField::Advances:
    case PayslipField::Cumul:
        return true;
    default:
        return false;
    }
}

QList<PayslipListItem> listeBulletins(const Collection &payslips)
{
    // Number, period, employee code, then name and address (the first two address lines).
    static constexpr int kShown[] = {PayslipForm::kNumber,       PayslipForm::kPeriodStart, PayslipForm::kPeriodEnd,
                                     PayslipForm::kEmployeeCode, PayslipForm::kAddress,     PayslipForm::kAddress + 1};
    QList<PayslipListItem> items;
    for (int n = 0; n < Collection::kMaxBlocks && payslips.contains(n); ++n) {
        const QStringList content = payslips.blockContent(n, PayslipForm::kAddress + 1);
        QStringList parts;
        for (int line : kShown)
            parts.append(content.value(line - 1));
        items.append({n, parts.join(QStringLiteral("  "))});
    }
    return items;
}

int deplacerElement(QList<PayslipListItem> &items, int index, int delta)
{
    const int to = index + delta;
    if (index < 0 || index >= items.size() || to < 0 || to >= items.size())
        return index;
    items.swapItemsAt(index, to);
    return to;
}

int ChercheBulletin(const Collection &payslips, const QString &text)
{
    if (text.isEmpty())
        return -1;
    const QStringList &lines = payslips.lines();
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const int n = Collection::openTagNumber(lines[i]);
        if (n < 0 || lines[i + 1].compare(text, Qt::CaseInsensitive) != 0 || payslips.find(n) != i)
            continue;
        return n;
    }
    return -1;
}

int payslipMoveTarget(const Collection &payslips, Move move, const PayslipSelection &selection)
{
    const int count = payslips.count();
    const int current = payslips.current();
    if (selection.mode != PayslipSelection::ByEmployee) {
        switch (move) {
        case Move::Premier: return 0;
        case Move::Precedent: return std::max(0, current - 1);
        case Move::Suivant: return std::max(0, std::min(count - 1, current + 1));
        case Move::Dernier: return std::max(0, count - 1);
        }
        return current;
    }
    return nearestIn(count, current, move,
                     [&](int n) { return isCandidate(payslips, n, selection.employeeCode); });
}

void DeplacerBulletin(Collection &payslips, PayslipForm &form, Move move, const PayslipSelection &selection,
                      const QString &nextNumber)
{
    EcritBulletin(payslips, payslips.current(), form);
    payslips.setCurrent(payslipMoveTarget(payslips, move, selection));
    LitBulletin(payslips, payslips.current(), form, nextNumber);
}

QString completerCumul(const QString &typed)
{
    QString t = typed.trimmed();
    if (t.isEmpty())
        return t;
    qsizetype comma = t.indexOf(u',');
    if (comma < 0)
        return t + QStringLiteral(",00");
    if (comma == 0) {
        t.prepend(u'0');
        comma = 1;
    }
    return t.left(comma + 3);
}

void PayslipCopy::Copier(const PayslipForm &form)
{
    fields = {form.employeeCode, form.socialSecurity, form.hours, form.rate, form.address[0],
              form.address[1], form.address[2], form.address[3], form.job};
    flags.clear();
    for (bool b : {form.monthly, form.withPaidLeave, form.withPrecarity})
        flags += b ? u'Y' : u'N';
}

void PayslipCopy::Coller(PayslipForm &form, const QString &nextNumber) const
{
    form.number = nextNumber;
    form.employeeCode = fields[0];
    form.socialSecurity = fields[1];
    form.hours = fields[2];
    form.rate = fields[3];
    for (int k = 0; k < 4; ++k)
        form.address[k] = fields[4 + k];
    form.job = fields[8];
    auto ticked = [&](int i) { return i < flags.size() && flags[i] == u'Y'; };
    form.monthly = ticked(0);
    form.withPaidLeave = ticked(1);
    form.withPrecarity = ticked(2);
    form.edited = true;
}
