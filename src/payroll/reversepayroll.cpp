#include "payroll/reversepayroll.h"

#include "records/employeeform.h"
#include "employees/navigation.h"
#include "payroll/calculation.h"
#include "text/numbers.h"

#include <cmath>

void ReversePayroll::Init(const QStringList &profileChoices, double ceiling, ProfileLookup lookup)
{
    m_choices = profileChoices;
    m_ceiling = ceiling;
    m_lookup = std::move(lookup);
    if (!m_choices.isEmpty()) {
        m_profileText = m_choices.first();
        split();
    }
}

void ReversePayroll::Init(const Collection &profiles, double ceiling)
{
    Init(InitProfils(profiles), ceiling, [copy = profiles](const QString &code) -> std::optional<QList<Rubrique>> {
        for (const Collection::BlockAt &block : copy.blocks()) {
            if (copy.lineAt(block.line, ProfileForm::kCode) != code)
                continue;
            ProfileForm form;
            LitProfil(copy, block.number, form, true);
            return form.rubriques;
        }
        return std::nullopt;
    });
}

void ReversePayroll::split()
{
    const qsizetype blank = m_profileText.indexOf(u' ');
    // The blank's position counted from 1 must be 5 or more.
    if (blank < 4)
        return;
    m_profileName = m_profileText.mid(blank + 1);
    m_profileText = m_profileText.left(blank);
}

void ReversePayroll::choose(int index)
{
    if (index < 0 || index >= m_choices.size())
        return;
    m_profileText = m_choices[index];
    split();
    // A code of fewer than four characters is not split off; the name still follows the choice.
    if (m_profileText == m_choices[index])
        m_profileName = m_profileText.section(u' ', 1);
}

bool ReversePayroll::Remplit()
{
    m_rubriques.clear();
    const QString code = m_profileText.trimmed().section(u' ', 0, 0);
    if (code.isEmpty() || !m_lookup)
        return false;
    std::optional<QList<Rubrique>> rubriques = m_lookup(code);
    if (!rubriques)
        return false;
    m_rubriques = std::move(*rubriques);
    return true;
}

double ReversePayroll::deductions(double gross) const
{
    double total = 0;
    for (const Rubrique &r : m_rubriques) {
        const QString rateText = r.employeeRate.trimmed();
        if (rateText.isEmpty())
            continue;
        bool ok = false;
        const double rate = text::parseNumber(rateText, &ok);
        if (!ok)
            continue;
        double base = 0;
        if (!baseOfKind(r.base, gross, m_ceiling, &base)) {
            // A base written as a number is used as it stands.
            base = text::parseNumber(r.base, &ok);
            if (!ok)
                continue;
        }
        base = text::parseNumber(text::formatHashDot00(base));
        total += base * rate * 0.01;
    }
    return total;
}

ReversePayroll::Outcome ReversePayroll::Calculer(const StepShown &shown)
{
    m_message.clear();
    m_iterations = 0;
    Remplit();
    if (m_net.trimmed().isEmpty())
        return Outcome::NoNet;
    bool ok = false;
    const double wanted = text::parseNumber(m_net, &ok);
    if (!ok) {
        m_message = conversionMessage(m_net);
        return Outcome::Unreadable;
    }

    double lo = wanted;
    double hi = 2 * wanted;
    while (m_iterations < kMaxIterations) {
        ++m_iterations;
        const double gross = (lo + hi) * 0.5;
        const double net = gross - deductions(gross);
        m_grossDisplay = text::formatHashDot00(gross);
        m_netDisplay = text::formatHashDot00(net);
        if (shown)
            shown(Step{m_iterations, gross, net});
        if (std::fabs(net - wanted) < kTolerance)
            return Outcome::Found;
        if (net < wanted)
            lo = gross;
        else
            hi = gross;
    }
    // Deductions of half the gross or more: the bracket holds no gross that gives this net.
    m_message = QStringLiteral("Ce net ne peut pas être atteint avec ce profil");
    return Outcome::NotReached;
}
