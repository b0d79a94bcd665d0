// The month's payroll on the largest dossier: 9999 employees with a profile, the month
// prepared, calculated and validated, against loading that dossier; then the month's PDF
// files, 10 and 1000 of them, at a cost per payslip.

#include "benchsupport.h"
#include "gen_dossier.h"

#include "payroll/monthpayroll.h"
#include "payroll/settings.h"
#include "printing/payslipprint.h"
#include "store/dossier.h"
#include "ui/qtcanvas.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using bench::medianMs;

namespace {

// A profile of ten rubriques of base T, rates written as the program writes them.
QStringList monthProfile(int n)
{
    QStringList c{QString::number(10001 + n), QStringLiteral("Profil %1").arg(n)};
    for (int r = 0; r < 10; ++r)
        c << QStringLiteral("DATA%1\tRubrique %2\t0,75\t1,20\tT").arg(100 + r).arg(r);
    return c;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString base = QDir(dir.path()).filePath(QStringLiteral("mois."));
    text::writeLines(base + QStringLiteral("emp"), gen::collection(Collection::kMaxBlocks, gen::employeeBlock));
    text::writeLines(base + QStringLiteral("Prl"), gen::collection(Collection::kMaxBlocks, monthProfile));
    text::writeLines(base + QStringLiteral("Pai"), QStringList());
    const QString path = base + QStringLiteral("emp");

    Dossier d;
    const double charge = medianMs(3, [&] { d.Charge(path); });
    std::printf("%-52s %10.3f ms\n", "Charge (référence, 9999 employés)", charge);

    PayrollParameters params;
    params.socialSecurityCeiling = 2432;
    const QDate month(2024, 3, 1);
    // Each run on the dossier as loaded, the load not counted: in one operation (korvel-cli
    // mois --valider), then in the window's two steps, "Préparer" and "Valider tout".
    const auto run = [&](const char *label, bool inOne) {
        std::vector<double> times;
        int validated = 0;
        for (int i = 0; i < 3; ++i) {
            d.Charge(path);
            QElapsedTimer t;
            t.start();
            dossierops::MonthOutcome v;
            if (inOne) {
                v = dossierops::preparerEtValiderMois(d, month, params, QStringLiteral("0.00"));
            } else {
                v = dossierops::preparerMois(d, month, params, QStringLiteral("0.00"));
                if (v.status)
                    v = dossierops::validerMois(d, month, params, QStringLiteral("0.00"));
            }
            if (!v.status)
                std::printf("refusé : %s\n", qPrintable(v.status.message().left(200)));
            validated = v.count;
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        std::printf("%-52s %10.3f ms  (rapport à Charge %.2f, %d bulletins)\n", label, times[1], times[1] / charge,
                    validated);
    };
    run("paie du mois préparée et validée en une fois", true);
    run("paie du mois : Préparer, puis Valider tout", false);

    const QList<dossierops::MonthPayslip> payslips = dossierops::bulletinsDuMois(d, month);
    const PayslipPrintOptions options = PayslipPrintOptions::from({QStringLiteral("SARL Essais")}, 0, params, "0.00");
    double perPayslip[2] = {};
    const int counts[2] = {10, 1000};
    for (int k = 0; k < 2; ++k) {
        QElapsedTimer t;
        t.start();
        PayslipForm form;
        for (int i = 0; i < counts[k]; ++i) {
            LitBulletin(d.payslips(), payslips[i].block, form, QString());
            QtCanvas::toPdfFile(QDir(dir.path()).filePath(dossierops::pdfFileName(form.number)),
                                [&](Canvas &canvas) { return Imprime(canvas, form, options); });
        }
        perPayslip[k] = t.nsecsElapsed() / 1e6 / counts[k];
        std::printf("%-52s %10.3f ms par bulletin\n", counts[k] == 10 ? "PDF de 10 bulletins" : "PDF de 1000 bulletins",
                    perPayslip[k]);
    }
    std::printf("%-52s %10.2f\n", "rapport par bulletin 1000 / 10", perPayslip[1] / perPayslip[0]);
    return 0;
}
