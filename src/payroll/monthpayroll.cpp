#include "payroll/monthpayroll.h"

#include "payroll/calculation.h"
#include "payroll/dossierops.h"
#include "payroll/payslips.h"
#include "records/employeeform.h"
#include "records/payslipform.h"
#include "store/dossier.h"
#include "text/dates.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace dossierops {

namespace {

// What one pass over the payslips tells about a month.
struct MonthScan {
    // Employee key -> the block of their latest payslip.
    QHash<QString, int> latest;
    // Employee keys with a payslip whose period ends in the month.
    QSet<QString> paid;
    // The largest sequence of the month's numbers (AAAAMM followed by it), 0 for none.
    qint64 sequence = 0;
};

bool endsIn(const QString &periodEnd, const QDate &month)
{
    const QDate end = text::parseDate(periodEnd.trimmed());
    return end.isValid() && end.year() == month.year() && end.month() == month.month();
}

QString monthPrefix(const QDate &month)
{
    return QStringLiteral("%1%2").arg(month.year(), 4, 10, QLatin1Char('0')).arg(month.month(), 2, 10, QLatin1Char('0'));
}

MonthScan scan(const Collection &payslips, const QDate &month)
{
    MonthScan s;
    QHash<QString, std::pair<QString, QString>> latestKeys; // key -> (period end, number)
    const QString prefix = monthPrefix(month);
    for (const Collection::BlockAt &block : payslips.blocks()) {
        // The block the program reaches under that number, once.
        if (block.number < 0 || payslips.find(block.number) != block.line)
            continue;
        const QString key = employeeKey(payslips.lineAt(block.line, PayslipForm::kEmployeeCode));
        const QString end = payslips.lineAt(block.line, PayslipForm::kPeriodEnd);
        const QString number = payslips.lineAt(block.line, PayslipForm::kNumber).trimmed();
        if (number.size() >= prefix.size() + 3 && number.startsWith(prefix)) {
            bool whole = false;
            const QStringView rest = QStringView(number).mid(prefix.size());
            const qint64 sequence = rest.toLongLong(&whole);
            if (whole && rest.front().isDigit())
                s.sequence = std::max(s.sequence, sequence);
        }
        if (key.isEmpty())
            continue;
        if (endsIn(end, month))
            s.paid.insert(key);
        const auto known = latestKeys.constFind(key);
        if (known == latestKeys.cend() || isLaterPayslip(end, number, known->first, known->second)) {
            latestKeys.insert(key, {end, number});
            s.latest.insert(key, block.number);
        }
    }
    return s;
}

QString payslipNumber(const QDate &month, qint64 sequence)
{
    return monthPrefix(month) + QStringLiteral("%1").arg(sequence, 3, 10, QLatin1Char('0'));
}

MonthPayslip shown(const PayslipForm &form, int block)
{
    return {block, form.number.trimmed(), form.employeeCode.trimmed(), form.address[0].trimmed(),
            form.gross.trimmed(), form.netToPay.trimmed(), form.validated, {}};
}

// "Bulletin 202403002 (10004 BERNARD Luc) : " + why.
QString refusal(const MonthPayslip &p, const QString &why)
{
    QString who = p.employeeCode;
    if (!p.name.isEmpty())
        who += u' ' + p.name;
    return QStringLiteral("Bulletin %1 (%2) : %3").arg(p.number, who, why);
}

std::optional<QSet<QString>> keysOf(const std::optional<QStringList> &codes)
{
    if (!codes)
        return std::nullopt;
    QSet<QString> keys;
    for (const QString &code : *codes)
        keys.insert(employeeKey(code));
    return keys;
}

// The blocks of the month's payslips (of the employees whose keys are given), in block order.
QList<int> monthBlocks(const Collection &payslips, const QDate &month, const std::optional<QSet<QString>> &keys)
{
    QList<int> blocks;
    for (int n = 0; n < payslips.count(); ++n) {
        if (!endsIn(payslips.lineOfBlock(n, PayslipForm::kPeriodEnd), month))
            continue;
        if (keys && !keys->contains(employeeKey(payslips.lineOfBlock(n, PayslipForm::kEmployeeCode))))
            continue;
        blocks.append(n);
    }
    return blocks;
}

MonthOutcome refused(QList<MonthPayslip> payslips)
{
    MonthOutcome outcome;
    outcome.payslips = std::move(payslips);
    outcome.status = Status::refused(outcome.messages().join(u'\n'));
    return outcome;
}

} // namespace

std::optional<QDate> parseMonth(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})/(\\d{4})\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate first(m.captured(2).toInt(), m.captured(1).toInt(), 1);
    if (!first.isValid() || first.year() < 1)
        return std::nullopt;
    return first;
}

QString monthText(const QDate &date)
{
    return QStringLiteral("%1/%2").arg(date.month(), 2, 10, QLatin1Char('0')).arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString monthMessage(const QString &typed)
{
    return QStringLiteral("« %1 » n'est pas un mois : tapez MM/AAAA").arg(typed);
}

QList<MonthEmployee> employesDuMois(const Dossier &dossier)
{
    const Collection &employees = dossier.employees();
    QList<MonthEmployee> list;
    QSet<QString> seen;
    for (int n = 0; n < employees.count(); ++n) {
        const QString code = employees.lineOfBlock(n, EmployeeForm::kCode);
        const QString profile = employees.lineOfBlock(n, EmployeeForm::kProfileCode);
        const QString key = employeeKey(code);
        if (key.isEmpty() || profile.trimmed().isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        list.append({code.trimmed(), employees.lineOfBlock(n, EmployeeForm::kName).trimmed()});
    }
    return list;
}

QList<MonthPayslip> bulletinsDuMois(const Dossier &dossier, const QDate &month, const std::optional<QStringList> &codes)
{
    const Collection &payslips = dossier.payslips();
    QList<MonthPayslip> list;
    for (int n : monthBlocks(payslips, month, keysOf(codes))) {
        const auto line = [&](int distance) { return payslips.lineOfBlock(n, distance).trimmed(); };
        list.append({n, line(PayslipForm::kNumber), line(PayslipForm::kEmployeeCode), line(PayslipForm::kAddress),
                     line(PayslipForm::kGross), line(PayslipForm::kNetToPay),
                     payslips.lineOfBlock(n, PayslipForm::kValidated) == QLatin1String("Y"), {}});
    }
    return list;
}

QStringList MonthOutcome::messages() const
{
    QStringList lines;
    for (const MonthPayslip &p : payslips)
        if (!p.message.isEmpty())
            lines.append(p.message);
    return lines;
}

namespace {

// The month's payroll: preparerMois, and with validate each payslip calculated validated at once
// with the amounts just calculated (preparerEtValiderMois).
MonthOutcome runMonth(Dossier &dossier, const QDate &month, const PayrollParameters &params,
                      const QString &amountFormat, const std::optional<QStringList> &codes, bool validate)
{
    const QDate first = periodStartFor(month);
    const std::optional<QSet<QString>> keys = keysOf(codes);
    // The work is done on copies, which become the dossier's only when every payslip of the
    // month calculated (and validated).
    Collection payslips = dossier.payslips();
    Collection employees = dossier.employees();
    if (payslips.lineCount() < 12 && payslips.countOpeningTags() == 0)
        payslips.setCount(0);
    const MonthScan known = scan(payslips, first);
    const QList<int> existing = monthBlocks(payslips, first, keys);

    // The employees who get a payslip.
    QList<MonthEmployee> unpaid;
    for (const MonthEmployee &e : employesDuMois(dossier)) {
        const QString key = employeeKey(e.code);
        if ((!keys || keys->contains(key)) && !known.paid.contains(key))
            unpaid.append(e);
    }
    if (payslips.count() + unpaid.size() > Collection::kMaxBlocks) {
        MonthOutcome outcome;
        outcome.status = Status::refused(Dossier::fullMessage());
        return outcome;
    }

    // The month's payslips not validated, calculated (and validated), in the order of their
    // blocks: those the dossier holds, then those added; every refusal kept.
    const PayslipEmployeeLookup lookup = dossierEmployeeLookup(employees, dossier.profiles());
    QList<MonthPayslip> refusals;
    int validated = 0;
    // True when form is to be written.
    const auto settle = [&](PayslipForm &form, int block) {
        if (!isCalculable(form))
            return false;
        Status done = calculatePayslip(form, params, amountFormat, lookup);
        if (done && validate)
            done = validerCalcule(employees, form, amountFormat);
        if (!done) {
            MonthPayslip p = shown(form, block);
            p.message = refusal(p, done.message());
            refusals.append(p);
            return false;
        }
        if (validate)
            ++validated;
        form.edited = true;
        return true;
    };
    PayslipForm form;
    for (int n : existing) {
        LitBulletin(payslips, n, form, QString());
        if (settle(form, n))
            EcritBulletin(payslips, n, form);
    }
    qint64 sequence = known.sequence;
    for (const MonthEmployee &e : unpaid) {
        EmployeeForm employee;
        LitFiche(employees, employees.findCode(e.code), employee, true);
        PayslipForm added;
        added.number = payslipNumber(first, ++sequence);
        added.periodStart = first;
        added.periodEnd = periodEndFor(first);
        remplirEmploye(added, employee);
        const int latest = known.latest.value(employeeKey(e.code), -1);
        if (latest >= 0)
            LitBulletin(payslips, latest, form, QString());
        reprendreSaisies(added, employee, latest >= 0 ? &form : nullptr);
        const int n = payslips.count();
        payslips.setCount(n + 1);
        settle(added, -1);
        // Written even when refused: the copy is then dropped.
        added.edited = true;
        EcritBulletin(payslips, n, added);
    }
    if (!refusals.isEmpty())
        return refused(refusals);

    dossier.payslips() = std::move(payslips);
    if (validate)
        dossier.employees() = std::move(employees);
    MonthOutcome outcome;
    outcome.count = validate ? validated : int(unpaid.size());
    outcome.payslips = bulletinsDuMois(dossier, first, codes);
    return outcome;
}

} // namespace

MonthOutcome preparerMois(Dossier &dossier, const QDate &month, const PayrollParameters &params,
                          const QString &amountFormat, const std::optional<QStringList> &codes)
{
    return runMonth(dossier, month, params, amountFormat, codes, false);
}

MonthOutcome preparerEtValiderMois(Dossier &dossier, const QDate &month, const PayrollParameters &params,
                                   const QString &amountFormat, const std::optional<QStringList> &codes)
{
    return runMonth(dossier, month, params, amountFormat, codes, true);
}

MonthOutcome validerMois(Dossier &dossier, const QDate &month, const PayrollParameters &params,
                         const QString &amountFormat, const std::optional<QStringList> &codes)
{
    const QDate first = periodStartFor(month);
    // Validation writes the payslips and the employees: both are put back on a refusal.
    const Collection payslipsBefore = dossier.payslips();
    const Collection employeesBefore = dossier.employees();
    const PayslipEmployeeLookup lookup = dossierEmployeeLookup(dossier.employees(), dossier.profiles());
    QList<MonthPayslip> refusals;
    int validated = 0;
    for (const MonthPayslip &p : bulletinsDuMois(dossier, first, codes)) {
        if (p.validated)
            continue;
        const Status v = Valider(dossier, p.block, params, amountFormat, nullptr, lookup);
        if (v) {
            ++validated;
            continue;
        }
        MonthPayslip r = p;
        r.message = refusal(p, v.message());
        refusals.append(r);
    }
    if (!refusals.isEmpty()) {
        dossier.payslips() = payslipsBefore;
        dossier.employees() = employeesBefore;
        return refused(refusals);
    }
    MonthOutcome outcome;
    outcome.count = validated;
    outcome.payslips = bulletinsDuMois(dossier, first, codes);
    return outcome;
}

QString pdfFileName(const QString &number)
{
    QString name = number.trimmed();
    for (QChar &c : name)
        if (!(c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u'.') || c.unicode() > 127)
            c = u'_';
    if (name.isEmpty())
        name.prepend(u'_');
    return QStringLiteral("bulletin-") + name + QStringLiteral(".pdf");
}

} // namespace dossierops
