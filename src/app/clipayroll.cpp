// korvel-cli valider, calc and envers: the payslip's validation and calculation and the
// reverse payroll, run by the same core calls as "Valider", "&Calculer bulletin" and
// "Paye à l'envers".

#include "app/clicommands.h"
#include "app/clisupport.h"
#include "records/employeeform.h"
#include "employees/navigation.h"
#include "payroll/calculation.h"
#include "payroll/dossierops.h"
#include "payroll/payslips.h"
#include "records/profileform.h"
#include "payroll/reversepayroll.h"

namespace cli {

namespace {

// The rubriques of the profile whose code is given (trimmed, without regard to case), or
// none.
std::optional<QList<Rubrique>> profileRubriques(const Collection &profiles, const QString &code)
{
    const int n = profiles.findCode(code);
    if (n < 0)
        return std::nullopt;
    ProfileForm profile;
    LitProfil(profiles, n, profile, true);
    return profile.rubriques;
}

} // namespace

int valider(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {}, {}, a) || a.words.size() != 2)
        return badArguments(QStringLiteral("valider"));
    Dossier dossier;
    Settings settings;
    PayslipForm form;
    if (const int status = openPayslip(a.words[0], a.words[1], dossier, settings, form))
        return status;
    int employee = -1;
    const Status v = dossierops::Valider(dossier, dossier.payslips().current(), settings.payroll,
                                         settings.amountFormat, &employee);
    if (!v)
        return exitWith(v);
    if (const int status = saveDossier(dossier))
        return status;

    LitBulletin(dossier.payslips(), dossier.payslips().current(), form, QString());
    out() << payslips::statusText(true) << " : " << form.number << "\n";
    if (employee >= 0) {
        EmployeeForm validated;
        LitFiche(dossier.employees(), employee, validated, true);
        out() << payslips::cumulLabel() << " " << validated.code << " : " << validated.cumul.trimmed() << "\n";
    } else {
        out() << "Aucun employé n'a le code « " << form.employeeCode << " » : aucun cumul n'a changé\n";
    }
    out().flush();
    return Done;
}

int calc(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {QStringLiteral("--save")}, {}, a) || a.words.size() != 2)
        return badArguments(QStringLiteral("calc"));
    Dossier dossier;
    Settings settings;
    PayslipForm form;
    if (const int status = openPayslip(a.words[0], a.words[1], dossier, settings, form))
        return status;
    // A validated payslip's amounts are already carried into its employee's cumul.
    if (!isCalculable(form))
        return fail(payslips::alreadyValidatedMessage(), Refused);

    const ::Status calculated =
        calculatePayslip(form, settings.payroll, settings.amountFormat, [&](const QString &key) {
            return findPayslipEmployee(dossier.employees(), dossier.profiles(), key);
        });
    if (!calculated)
        return fail(calculated.message(), Refused);

    if (a.has(QStringLiteral("--save"))) {
        EcritBulletin(dossier.payslips(), dossier.payslips().current(), form);
        if (const int status = saveDossier(dossier))
            return status;
    }
    for (const QString &line : form.blockLines())
        out() << line << "\n";
    out().flush();
    return Done;
}

int envers(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {}, {}, a) || a.words.size() != 3)
        return badArguments(QStringLiteral("envers"));
    Dossier dossier;
    Settings settings;
    if (const int status = openDossier(a.words[0], dossier, settings))
        return status;

    // The dialog's profile list, and a lookup that takes the code whatever its case.
    const Collection &profiles = dossier.profiles();
    ReversePayroll model;
    model.Init(InitProfils(profiles), settings.payroll.socialSecurityCeiling,
               [&](const QString &code) { return profileRubriques(profiles, code); });
    model.setProfileText(a.words[1]);
    model.split();
    if (!model.Remplit())
        return fail(QStringLiteral("le profil n'existe pas : ") + a.words[1], Unavailable);

    model.setNet(a.words[2]);
    const ReversePayroll::Outcome outcome = model.Calculer();
    if (outcome == ReversePayroll::Outcome::NoNet || outcome == ReversePayroll::Outcome::Unreadable)
        return fail(conversionMessage(a.words[2]), Refused);
    out() << "Salaire brut : " << model.grossDisplay() << "\n"
          << "Net calculé : " << model.netDisplay() << "\n";
    out().flush();
    // The last values of the search stay shown, as in the dialog, with the reason.
    if (outcome == ReversePayroll::Outcome::NotReached)
        return fail(model.message(), Refused);
    return Done;
}

} // namespace cli
