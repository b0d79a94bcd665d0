// Figures of the reports on the largest dossier (9999 payslips of 9999 employees, 100
// profiles) against a dossier of ten payslips: each statistic in the window's order and the
// payroll journal with its window filled, each against Charge of its dossier.

#include "gen_dossier.h"
#include "reports/journal.h"
#include "reports/statistics.h"
#include "store/dossier.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include "benchsupport.h"

#include <cstdio>

namespace {

using bench::g_sink;
using bench::medianMs;

QString writeDossier(const QString &dir, const QString &name, int payslips, int employees, int profiles)
{
    const QString base = QDir(dir).filePath(name + QLatin1Char('.'));
    text::writeLines(base + QStringLiteral("emp"),
                     gen::collection(employees, [&](int n) { return gen::employeeBlockOf(n, profiles); }));
    text::writeLines(base + QStringLiteral("Prl"), gen::collection(profiles, gen::profileBlock));
    text::writeLines(base + QStringLiteral("Pai"),
                     gen::collection(payslips, [&](int n) { return gen::payslipBlockOf(n, employees); }));
    return base + QStringLiteral("emp");
}

void measure(const char *title, const QString &path)
{
    Dossier d;
    const double charge = medianMs(5, [&] { d.Charge(path); });
    std::printf("== %s\n%-40s %10.3f ms\n", title, "Charge (référence)", charge);
    const QStringList caisses{QStringLiteral("Retraite\t\t\t\t\t\t\t\tR")};
    const QString format = QStringLiteral("0.00");
    const Progress progress = [](int i) { g_sink = g_sink + i; };
    auto figure = [&](const char *label, auto &&run) {
        const double ms = medianMs(5, run);
        std::printf("%-40s %10.3f ms  (rapport à Charge %.2f)\n", label, ms, ms / charge);
    };
    const std::pair<const char *, StatsKind> kinds[] = {{"statistiques employés", StatsKind::Employes},
                                                        {"statistiques mois", StatsKind::Paies},
                                                        {"statistiques profils", StatsKind::Profils},
                                                        {"statistiques caisses", StatsKind::Caisses}};
    for (const auto &[label, kind] : kinds)
        figure(label, [&] {
            QStringList lines;
            statistiques(kind, d.payslips(), d.employees(), d.profiles(), caisses, format, lines, progress);
            g_sink = g_sink + lines.size();
        });
    figure("journal (entrées et fenêtre remplie)", [&] {
        JournalModel model;
        JournalEntries entries;
        Journal(d.payslips(), Comptes(d.employees()), entries, progress);
        model.Init(entries);
        g_sink = g_sink + model.count();
    });
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    measure("9999 bulletins, 9999 employés, 100 profils",
            writeDossier(dir.path(), QStringLiteral("grand"), Collection::kMaxBlocks, Collection::kMaxBlocks, 100));
    measure("10 bulletins, 10 employés, 10 profils", writeDossier(dir.path(), QStringLiteral("petit"), 10, 10, 10));
    return 0;
}
