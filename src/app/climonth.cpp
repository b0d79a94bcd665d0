// korvel-cli mois: the month's payroll as the window "Paie du mois" runs it, for every
// employee with a profile, then optionally validated and printed into PDF files.

#include "app/clicommands.h"
#include "app/clisupport.h"
#include "payroll/monthpayroll.h"
#include "printing/payslipprint.h"
#include "ui/qtcanvas.h"

#include <QDir>

namespace cli {

int mois(const QStringList &args)
{
    const QString validate = QStringLiteral("--valider");
    const QString pdf = QStringLiteral("--pdf");
    Arguments a;
    if (!parseArguments(args, {validate}, {pdf}, a) || a.words.size() != 2)
        return badArguments(QStringLiteral("mois"));
    const std::optional<QDate> month = dossierops::parseMonth(a.words[1]);
    if (!month)
        return fail(dossierops::monthMessage(a.words[1]), Unavailable);
    Dossier dossier;
    Settings settings;
    if (const int status = openDossier(a.words[0], dossier, settings))
        return status;

    const dossierops::MonthOutcome outcome =
        a.has(validate) ? dossierops::preparerEtValiderMois(dossier, *month, settings.payroll, settings.amountFormat)
                        : dossierops::preparerMois(dossier, *month, settings.payroll, settings.amountFormat);
    if (!outcome.status) {
        for (const QString &message : outcome.messages().isEmpty() ? QStringList{outcome.status.message()}
                                                                   : outcome.messages())
            err() << "korvel-cli : " << message << "\n";
        err().flush();
        return Refused;
    }
    if (const int status = saveDossier(dossier))
        return status;

    if (a.has(pdf)) {
        Letterhead letterhead;
        if (const int status = readLetterhead(letterhead))
            return status;
        const QDir folder(a.value(pdf));
        if (!folder.mkpath(QStringLiteral(".")))
            return fail(QStringLiteral("le dossier « %1 » ne peut pas être créé").arg(a.value(pdf)), Refused);
        const PayslipPrintOptions options = PayslipPrintOptions::from(
            letterhead.lines(), settings.pageSetup.paperType, settings.payroll, settings.amountFormat);
        PayslipForm form;
        for (const dossierops::MonthPayslip &p : outcome.payslips) {
            LitBulletin(dossier.payslips(), p.block, form, QString());
            const PrintResult printed = QtCanvas::toPdfFile(folder.filePath(dossierops::pdfFileName(p.number)),
                                                            [&](Canvas &canvas) { return Imprime(canvas, form, options); });
            if (!printed.ok())
                return fail(printed.message, Refused);
        }
    }
    for (const dossierops::MonthPayslip &p : outcome.payslips)
        out() << p.number << '\t' << p.employeeCode << '\t' << p.name << '\t' << p.gross << '\t' << p.netToPay << "\n";
    out().flush();
    return Done;
}

} // namespace cli
