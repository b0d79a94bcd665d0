// Figures of the payslip calculation alone, without the dossier: one payslip under a profile of
// 26 rubriques of every base kind, calculated through calculatePayslip (what the payslips page
// and korvel-cli calc run) with the employees found through a hash index of 10 and of 9999
// employees; and the reverse payroll of a wanted net of 1 000 000 under the same profile.

#include "payroll/calculation.h"
#include "payroll/reversepayroll.h"

#include <QCoreApplication>
#include <QHash>

#include "benchsupport.h"

#include <cstdio>
#include <cstdlib>

namespace {

using bench::g_sink;
using bench::perOpUs;

// 26 rubriques with the base kinds, in order, of the standard profile and rates of its size.
QList<Rubrique> profile26()
{
    const QString kinds = QStringLiteral("SSTTTTTTTATTTTABTABABBBATT");
    const char *employee[] = {"2,90", "5,10", "0,75", "0,10", "6,55", "", "", "", "", "", "0,80", "", "",
                              "", "2,00", "", "", "3,75", "", "0,70", "", "5,00", "0,24", "", "", ""};
    const char *employer[] = {"", "", "12,80", "", "8,20", "1,60", "5,40", "2,00", "0,40", "0,10", "1,20",
                              "0,15", "0,10", "0,40", "3,60", "", "0,20", "4,50", "", "0,70", "", "10,00",
                              "0,36", "", "", "0,54"};
    QList<Rubrique> list;
    for (int i = 0; i < 26; ++i)
        list << Rubrique{QStringLiteral("R%1").arg(100 + i), QStringLiteral("Rubrique %1").arg(i),
                         QString::fromLatin1(employee[i]), QString::fromLatin1(employer[i]), QString(kinds[i])};
    return list;
}

// The employees of a dossier of count records, indexed by employeeKey.
QHash<QString, PayslipEmployee> employees(int count, const QList<Rubrique> &rubriques)
{
    QHash<QString, PayslipEmployee> index;
    for (int n = 0; n < count; ++n)
        index.insert(employeeKey(QString::number(10001 + n)),
                     PayslipEmployee{.profileCode = QStringLiteral("10001"), .rubriques = rubriques,
                                     .storedCumul = 1000.0 + n, .refusal = {}});
    return index;
}

double payslipUs(const QHash<QString, PayslipEmployee> &index, int count)
{
    PayrollParameters params;
    params.socialSecurityCeiling = 2432;
    params.overtime25Threshold = 169;
    params.overtime50Threshold = 175;
    params.paidLeaveIncludedPercent = 10;
    const PayslipEmployeeLookup lookup = [&](const QString &key) -> std::optional<PayslipEmployee> {
        const auto it = index.constFind(key);
        return it == index.cend() ? std::nullopt : std::optional(*it);
    };
    PayslipForm form;
    form.periodStart = QDate(2002, 3, 1);
    form.periodEnd = QDate(2002, 3, 31);
    form.hours = QStringLiteral("180");
    form.rate = QStringLiteral("11,35");
    form.withPaidLeave = true;
    return perOpUs(2000, [&](int i) {
        form.employeeCode = QString::number(10001 + (i * 7919) % count);
        // Overtime computed afresh each time, as on a new payslip.
        form.ot25.clear();
        form.ot50.clear();
        form.ot100.clear();
        if (!calculatePayslip(form, params, QStringLiteral("0.00"), lookup))
            std::abort();
        g_sink = g_sink + form.netToPay.size();
    });
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QList<Rubrique> rubriques = profile26();

    const double small = payslipUs(employees(10, rubriques), 10);
    const double big = payslipUs(employees(9999, rubriques), 9999);
    std::printf("%-44s %10.3f us  (10 employés : %.3f, rapport %.2f)\n", "calcul d'un bulletin (26 rubriques)", big,
                small, big / small);

    ReversePayroll model;
    model.Init({QStringLiteral("10001 Standard")}, 2432, [&](const QString &) { return rubriques; });
    model.setNet(QStringLiteral("1000000"));
    const double envers = perOpUs(200, [&](int) {
        model.Calculer();
        g_sink = g_sink + model.iterations();
    });
    std::printf("%-44s %10.3f us  (%d itérations, brut %s, net %s)\n", "paye à l'envers, net 1 000 000", envers,
                model.iterations(), qPrintable(model.grossDisplay()), qPrintable(model.netDisplay()));
    return 0;
}
