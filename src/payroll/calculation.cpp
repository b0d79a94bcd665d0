#include "payroll/calculation.h"

#include "records/employeeform.h"
#include "text/numbers.h"

#include <algorithm>

namespace {

bool isBlank(const QString &text)
{
    return QStringView(text).trimmed().isEmpty();
}

// A numeric input of the payslip or a rate cell: a blank text is 0.
bool readInput(const QString &text, double *value)
{
    if (isBlank(text)) {
        *value = 0;
        return true;
    }
    bool ok = false;
    *value = text::parseNumber(text, &ok);
    return ok;
}

// Overtime hours beyond threshold, less the hours of the tier above; 0 when the threshold is
// 0 (tier disabled) or not passed.
double overtimeBeyond(double hours, double threshold, double higherTier)
{
    return threshold > 0 && hours > threshold ? (hours - threshold) - higherTier : 0;
}

// The base kinds by the base they give: T (or no letter), S and U, A, B, C; -1 for another text.
enum Kind { KindT, KindSU, KindA, KindB, KindC, KindCount };

int kindOf(const QString &kind)
{
    const QStringView k = QStringView(kind).trimmed();
    if (k.isEmpty() || k == u"T")
        return KindT;
    if (k.size() != 1)
        return -1;
    switch (k[0].unicode()) {
    case u'S':
    case u'U': return KindSU;
    case u'A': return KindA;
    case u'B': return KindB;
    case u'C': return KindC;
    default: return -1;
    }
}

double baseFor(int kind, double gross, double ceiling)
{
    switch (kind) {
    case KindSU: return gross * 0.95;
    case KindA: return std::min(ceiling, gross);
    case KindB: return std::min(4 * ceiling, gross);
    case KindC: return std::min(8 * ceiling, gross);
    default: return gross;
    }
}

} // namespace

QString employeeKey(const QString &code)
{
    return code.trimmed().toCaseFolded();
}

bool baseOfKind(const QString &kind, double gross, double ceiling, double *base)
{
    const int k = kindOf(kind);
    if (k < 0)
        return false;
    *base = baseFor(k, gross, ceiling);
    return true;
}

void Remplit(PayslipForm &form, const QList<Rubrique> &rubriques)
{
    const int n = std::min<int>(rubriques.size(), PayslipForm::kLineCount);
    for (int i = 0; i < PayslipForm::kLineCount; ++i) {
        PayslipLine &line = form.lines[i];
        if (i < n) {
            const Rubrique &r = rubriques[i];
            line = PayslipLine{r.label, r.base.trimmed(), r.employeeRate.trimmed(), QString(),
                               r.employerRate.trimmed(), QString()};
        } else {
            line = PayslipLine{};
        }
    }
    form.linesInUse = n;
}

CalculationResult Calculeb(PayslipForm &form, const PayrollParameters &params, const QString &amountFormat,
                           const QList<Rubrique> *profileRubriques, double storedCumul)
{
    // Read every input first, so that a text that is not a number leaves the payslip as it was.
    double hours, rate, ot25, ot50, ot100, transport, advances;
    const std::pair<const QString *, double *> inputs[] = {
        {&form.hours, &hours}, {&form.rate, &rate},           {&form.ot25, &ot25},        {&form.ot50, &ot50},
        {&form.ot100, &ot100}, {&form.transport, &transport}, {&form.advances, &advances},
    };
    for (const auto &[text, value] : inputs)
        if (!readInput(*text, value))
            return {false, conversionMessage(*text)};

    if (profileRubriques)
        Remplit(form, *profileRubriques);

    auto format = [&](double v) { return text::formatAmount(v, amountFormat); };

    double base = hours * rate;

    // Overtime hours, from the highest tier down, each only when its field is empty. The
    // computed hours are written back, so a later calculation keeps them until the user
    // empties the field.
    if (isBlank(form.ot100)) {
        ot100 = overtimeBeyond(hours, params.overtime100Threshold, 0);
        form.ot100 = text::formatGeneral(ot100);
    }
    if (isBlank(form.ot50)) {
        ot50 = overtimeBeyond(hours, params.overtime50Threshold, ot100);
        form.ot50 = text::formatGeneral(ot50);
    }
    if (isBlank(form.ot25)) {
        ot25 = overtimeBeyond(hours, params.overtime25Threshold, ot50);
        form.ot25 = text::formatGeneral(ot25);
    }

    if (form.monthly)
        base = rate;
    // Paid leave and precarity are on the pay before the overtime premiums.
    const double paidLeave = form.withPaidLeave ? base * params.paidLeaveIncludedPercent * 0.01 : 0;
    const double precarity = form.withPrecarity ? base * params.precarityPercent * 0.01 : 0;
    // The overtime hours are paid at the plain rate through the hours; only the premium is
    // added. A monthly salary gets none.
    if (!form.monthly) {
        base += ot25 * rate * 0.25;
        base += ot50 * rate * 0.5;
        base += ot100 * rate;
    }
    const double gross = base + paidLeave + precarity;
    const double ceiling = params.socialSecurityCeiling;

    // Every line in use is calculated, but an entirely empty one. A line without a label (a
    // rubrique given rates and no label) does not end the lines: the ones after it would
    // silently lose their amounts.
    const int end = std::clamp(form.linesInUse, 0, PayslipForm::kLineCount);
    auto skipped = [&](int i) { return form.lines[i].isEmpty(); };

    // First pass: each base letter becomes its base amount; other texts stay. The employee
    // amounts of the first "S" line and of the last further one return to the taxable net.
    int firstS = -1;
    int lastS = -1;
    QString baseTexts[KindCount]; // each kind's base, formatted once
    for (int i = 0; i < end; ++i) {
        PayslipLine &line = form.lines[i];
        if (skipped(i))
            continue;
        const int kind = kindOf(line.base);
        if (kind < 0)
            continue;
        if (QStringView(line.base).trimmed() == u"S") {
            if (firstS < 0)
                firstS = i;
            else
                lastS = i;
        }
        if (baseTexts[kind].isNull())
            baseTexts[kind] = format(baseFor(kind, gross, ceiling));
        line.base = baseTexts[kind];
    }
    form.gross = format(gross);

    // Second pass: the amounts, on each base as it reads back after formatting.
    double totalDeductions = 0;
    QString lastBaseText; // lines mostly share their base: read it once
    double lastBase = 0;
    bool lastBaseOk = false;
    for (int i = 0; i < end; ++i) {
        PayslipLine &line = form.lines[i];
        if (skipped(i))
            continue;
        line.employeeAmount.clear();
        line.employerAmount.clear();
        if (line.base != lastBaseText || lastBaseText.isNull()) {
            lastBaseText = line.base;
            lastBase = text::parseNumber(line.base, &lastBaseOk);
        }
        const double lineBase = lastBase;
        double employeeRate, employerRate;
        if (!lastBaseOk || !readInput(line.employeeRate, &employeeRate) || !readInput(line.employerRate, &employerRate))
            continue;
        const double employeeAmount = lineBase * employeeRate * 0.01;
        const double employerAmount = lineBase * employerRate * 0.01;
        if (employeeAmount > 0) {
            line.employeeAmount = format(employeeAmount);
            totalDeductions += employeeAmount;
        }
        if (employerAmount > 0)
            line.employerAmount = format(employerAmount);
    }
    form.totalDeductions = format(totalDeductions);

    const double netToPay = (gross - totalDeductions) + transport - advances;
    form.netToPay = format(netToPay);

    // An "S" line's deduction as it reads back from its cell; an empty cell counts as 0.
    auto deductionOf = [&](int i) {
        return i < 0 ? 0.0 : text::parseNumber(form.lines[i].employeeAmount);
    };
    const double taxableNet = netToPay + deductionOf(firstS) + deductionOf(lastS);
    form.taxableNet = format(taxableNet);
    form.cumul = format(storedCumul + taxableNet);
    form.edited = true;
    return {true, {}};
}

CalculationResult calculatePayslip(PayslipForm &form, const PayrollParameters &params, const QString &amountFormat,
                                   const PayslipEmployeeLookup &lookup)
{
    const std::optional<PayslipEmployee> employee = lookup ? lookup(employeeKey(form.employeeCode)) : std::nullopt;
    if (employee && !employee->refusal.isEmpty())
        return {false, employee->refusal};
    const QList<Rubrique> *rubriques = employee && employee->rubriques ? &*employee->rubriques : nullptr;
    return Calculeb(form, params, amountFormat, rubriques, employee ? employee->storedCumul : 0);
}

std::optional<PayslipEmployee> findPayslipEmployee(const Collection &employees, const Collection &profiles,
                                                  const QString &key, const CodeIndex &employeeCodes,
                                                  const CodeIndex &profileCodes, const EmployeeForm *shown)
{
    const int n = employeeCodes.find(employees, key);
    if (n < 0)
        return std::nullopt;
    EmployeeForm read;
    const EmployeeForm *e = shown;
    if (n != employees.current() || !shown || !shown->edited) {
        LitFiche(employees, n, read, true);
        e = &read;
    }
    PayslipEmployee found;
    if (!isBlank(e->cumul) && !readInput(e->cumul, &found.storedCumul))
        found.refusal = conversionMessage(e->cumul.trimmed());
    const int p = profileCodes.find(profiles, e->profileCode);
    if (p >= 0) {
        ProfileForm profile;
        LitProfil(profiles, p, profile, true);
        found.rubriques = profile.rubriques;
    }
    return found;
}
