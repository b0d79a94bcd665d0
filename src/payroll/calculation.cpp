#include "payroll/calculation.h"

#include "records/employeeform.h"
#include "text/numbers.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <memory>

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

QString ceilingMessage()
{
    return QStringLiteral("Le plafond S.S. est à 0 : renseignez-le dans Paramètres de la paie");
}

QString outOfRangeMessage()
{
    return QStringLiteral("Montant hors limites");
}

QString periodMessage(const PayslipForm &form)
{
    return QStringLiteral("La période du %1 au %2 n'est pas valide").arg(form.periodStartText(), form.periodEndText());
}

bool forgetComputedOvertime(PayslipForm &form)
{
    bool emptied = false;
    QString *fields[] = {&form.ot25, &form.ot50, &form.ot100};
    for (int i = 0; i < 3; ++i) {
        if (form.overtimeComputed[i] && !fields[i]->isEmpty()) {
            fields[i]->clear();
            emptied = true;
        }
    }
    return emptied;
}

Status Calculeb(PayslipForm &form, const PayrollParameters &params, const QString &amountFormat,
                const QList<Rubrique> &rubriques, double storedCumul)
{
    const bool periodReads = !form.periodStartLine && !form.periodEndLine && form.periodStart.isValid()
                             && form.periodEnd.isValid() && form.periodStart <= form.periodEnd;
    if (!periodReads)
        return Status::refused(periodMessage(form));

    // Read every input first, so that a text that is not a number leaves the payslip as it was.
    double hours, rate, ot25, ot50, ot100, transport, advances;
    const std::pair<const QString *, double *> inputs[] = {
        {&form.hours, &hours}, {&form.rate, &rate},           {&form.ot25, &ot25},        {&form.ot50, &ot50},
        {&form.ot100, &ot100}, {&form.transport, &transport}, {&form.advances, &advances},
    };
    for (const auto &[text, value] : inputs)
        if (!readInput(*text, value))
            return Status::refused(conversionMessage(*text));

    // A ceiling of 0 would give the capped lines no amount, and the deductions would be
    // silently too low.
    const double ceiling = params.socialSecurityCeiling;
    const int used = std::min<int>(rubriques.size(), PayslipForm::kLineCount);
    if (ceiling == 0) {
        for (int i = 0; i < used; ++i) {
            const int kind = kindOf(rubriques[i].base);
            if (kind == KindA || kind == KindB || kind == KindC)
                return Status::refused(ceilingMessage());
        }
    }

    // Calculated on a copy, which replaces the payslip only when every amount is within
    // limits.
    PayslipForm out = form;
    bool inRange = true;
    auto within = [&](double v) { inRange = inRange && std::fabs(v) < kAmountLimit; };
    auto format = [&](double v) {
        within(v);
        return text::formatAmount(v, amountFormat);
    };
    // A number as written in its cell or field; an empty text counts as 0.
    auto written = [](const QString &text) { return text::parseNumber(text); };

    Remplit(out, rubriques);

    double base = hours * rate;

    // Overtime hours, from the highest tier down, each only when its field is empty. The
    // computed hours are written back, so a later calculation keeps them until the user
    // empties the field or changes the hours.
    const struct { QString *field; double *hours; double threshold; const double *higherTier; } tiers[] = {
        {&out.ot100, &ot100, params.overtime100Threshold, nullptr},
        {&out.ot50, &ot50, params.overtime50Threshold, &ot100},
        {&out.ot25, &ot25, params.overtime25Threshold, &ot50},
    };
    for (int t = 0; t < 3; ++t) {
        if (!isBlank(*tiers[t].field))
            continue;
        *tiers[t].hours = overtimeBeyond(hours, tiers[t].threshold, tiers[t].higherTier ? *tiers[t].higherTier : 0);
        within(*tiers[t].hours);
        *tiers[t].field = text::formatGeneral(*tiers[t].hours);
        out.overtimeComputed[2 - t] = true;
    }

    if (out.monthly)
        base = rate;
    // Paid leave and precarity are on the pay before the overtime premiums.
    const double paidLeave = out.withPaidLeave ? base * params.paidLeaveIncludedPercent * 0.01 : 0;
    const double precarity = out.withPrecarity ? base * params.precarityPercent * 0.01 : 0;
    // The overtime hours are paid at the plain rate through the hours; only the premium is
    // added. A monthly salary gets none.
    if (!out.monthly) {
        base += ot25 * rate * 0.25;
        base += ot50 * rate * 0.5;
        base += ot100 * rate;
    }
    const double gross = base + paidLeave + precarity;

    // Every line in use is calculated, but an entirely empty one. A line without a label (a
    // rubrique given rates and no label) does not end the lines: the ones after it would
    // silently lose their amounts.
    const int end = std::clamp(out.linesInUse, 0, PayslipForm::kLineCount);
    auto skipped = [&](int i) { return out.lines[i].isEmpty(); };

    // First pass: each base letter becomes its base amount; other texts stay. The employee
    // amounts of the first "S" line and of the last further one return to the taxable net.
    int firstS = -1;
    int lastS = -1;
    QString baseTexts[KindCount]; // each kind's base, formatted once
    for (int i = 0; i < end; ++i) {
        PayslipLine &line = out.lines[i];
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
    out.gross = format(gross);

    // Second pass: the amounts, on each base as it reads back after formatting. The total is
    // that of the deductions as written, so that the lines add up to it on screen and paper.
    double totalDeductions = 0;
    QString lastBaseText; // lines mostly share their base: read it once
    double lastBase = 0;
    bool lastBaseOk = false;
    for (int i = 0; i < end; ++i) {
        PayslipLine &line = out.lines[i];
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
        if (employeeAmount > 0 || std::isnan(employeeAmount)) {
            line.employeeAmount = format(employeeAmount);
            totalDeductions += written(line.employeeAmount);
        }
        if (employerAmount > 0 || std::isnan(employerAmount))
            line.employerAmount = format(employerAmount);
    }
    out.totalDeductions = format(totalDeductions);

    const double netToPay = (written(out.gross) - written(out.totalDeductions)) + transport - advances;
    out.netToPay = format(netToPay);

    // An "S" line's deduction as it reads back from its cell; an empty cell counts as 0.
    auto deductionOf = [&](int i) { return i < 0 ? 0.0 : written(out.lines[i].employeeAmount); };
    const double taxableNet = written(out.netToPay) + deductionOf(firstS) + deductionOf(lastS);
    out.taxableNet = format(taxableNet);
    out.cumul = format(storedCumul + written(out.taxableNet));

    if (!inRange)
        return Status::refused(outOfRangeMessage());
    out.edited = true;
    form = std::move(out);
    return Status::done();
}

Status calculatePayslip(PayslipForm &form, const PayrollParameters &params, const QString &amountFormat,
                        const PayslipEmployeeLookup &lookup)
{
    const QString code = form.employeeCode.trimmed();
    const std::optional<PayslipEmployee> employee = lookup ? lookup(employeeKey(form.employeeCode)) : std::nullopt;
    if (!employee)
        return Status::refused(QStringLiteral("Employé %1 introuvable").arg(code));
    if (!employee->refusal.isEmpty())
        return Status::refused(employee->refusal);
    if (!employee->rubriques)
        return Status::refused(
            QStringLiteral("Profil %1 introuvable (employé %2)").arg(employee->profileCode.trimmed(), code));
    return Calculeb(form, params, amountFormat, *employee->rubriques, employee->storedCumul);
}

namespace {

// A profile's rubriques by the profile's block, for lookups that read each profile once.
using RubriquesByProfile = QHash<int, QList<Rubrique>>;

std::optional<PayslipEmployee> findEmployee(const Collection &employees, const Collection &profiles,
                                            const QString &key, const EmployeeForm *shown,
                                            RubriquesByProfile *read)
{
    const int n = employees.findCode(key);
    if (n < 0)
        return std::nullopt;
    PayslipEmployee found;
    QString cumul;
    if (shown && shown->edited && n == employees.current()) {
        found.profileCode = shown->profileCode;
        cumul = shown->cumul;
    } else {
        found.profileCode = employees.lineOfBlock(n, EmployeeForm::kProfileCode);
        cumul = employees.lineOfBlock(n, EmployeeForm::kCumul);
    }
    if (!isBlank(cumul) && !readInput(cumul, &found.storedCumul))
        found.refusal = conversionMessage(cumul.trimmed());
    const int p = profiles.findCode(found.profileCode);
    if (p < 0)
        return found;
    if (read) {
        const auto known = read->constFind(p);
        if (known != read->cend()) {
            found.rubriques = *known;
            return found;
        }
    }
    ProfileForm profile;
    LitProfil(profiles, p, profile, true);
    found.rubriques = profile.rubriques;
    if (read)
        read->insert(p, profile.rubriques);
    return found;
}

} // namespace

std::optional<PayslipEmployee> findPayslipEmployee(const Collection &employees, const Collection &profiles,
                                                  const QString &key, const EmployeeForm *shown)
{
    return findEmployee(employees, profiles, key, shown, nullptr);
}

PayslipEmployeeLookup dossierEmployeeLookup(const Collection &employees, const Collection &profiles)
{
    auto read = std::make_shared<RubriquesByProfile>();
    return [&employees, &profiles, read](const QString &key) {
        return findEmployee(employees, profiles, key, nullptr, read.get());
    };
}
