// Figures of the employees page on the largest dossier (9999 employees) against a dossier of
// ten: per-record costs (move to the next record, read of the record shown, write-back of an
// edited record), and the whole-file operations (a search that finds nothing, the sort by
// name, an export, an import of 9998 lines) against Charge of the same dossier.

#include "records/employeeform.h"
#include "employees/exchange.h"
#include "employees/navigation.h"
#include "gen_dossier.h"
#include "store/dossier.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "benchsupport.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::g_sink;
using bench::medianMs;
using bench::perOpUs;
using bench::ratio;



struct PerRecord {
    double move, read, write;
};

PerRecord perRecord(Dossier &d)
{
    Collection &emp = d.employees();
    const int last = emp.count() - 1;
    EmployeeForm form;
    PerRecord r{};
    // Back and forth between the last two records, the form edited each time.
    r.move = perOpUs(1000, [&](int i) {
        emp.setCurrent(i % 2 ? last : last - 1);
        form.edited = true;
        Deplacer(emp, form, i % 2 ? Move::Precedent : Move::Suivant, Selection{Selection::AllEmployees, {}, {}});
        g_sink = g_sink + form.name.size();
    });
    r.read = perOpUs(1000, [&](int i) {
        LitFiche(emp, last - (i % 2), form);
        g_sink = g_sink + form.name.size();
    });
    LitFiche(emp, last - 1, form);
    r.write = perOpUs(1000, [&](int i) {
        form.name = i % 2 ? QStringLiteral("DURAND Paul") : QStringLiteral("DURAND Paul (modifié)");
        form.edited = true;
        EcritFiche(emp, last - 1, form);
    });
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString big = gen::writeDossier(dir.path(), QStringLiteral("grand"), Collection::kMaxBlocks);
    const QString small = gen::writeDossier(dir.path(), QStringLiteral("petit"), 10);

    Dossier d;
    const double charge = medianMs(5, [&] { d.Charge(big); });
    std::printf("%-52s %10.3f ms\n", "Charge (référence)", charge);

    Dossier s;
    s.Charge(small);
    d.Charge(big);
    const PerRecord pb = perRecord(d);
    const PerRecord ps = perRecord(s);
    ratio("fiche suivante (écriture + lecture)", pb.move, ps.move, "us");
    ratio("lecture de la fiche affichée", pb.read, ps.read, "us");
    ratio("réécriture d'une fiche modifiée", pb.write, ps.write, "us");

    auto whole = [&](const char *label, double ms) {
        std::printf("%-52s %10.3f ms  (rapport à Charge %.2f)\n", label, ms, ms / charge);
    };
    d.Charge(big);
    whole("recherche sans résultat (nom)", medianMs(5, [&] {
              g_sink = g_sink + RechNom(d.employees(), QStringLiteral("ZZZ"));
          }));
    whole("recherche sans résultat (téléphone)", medianMs(5, [&] {
              g_sink = g_sink + RechTel(d.employees(), QStringLiteral("09"));
          }));
    whole("tri par nom", medianMs(5, [&] {
              Collection c = d.employees();
              trierCollection(c, SortKey::Nom);
              g_sink = g_sink + c.count();
          }));
    const QString out = dir.filePath(QStringLiteral("export.txt"));
    whole("export", medianMs(5, [&] { exchange::Exporter(d.employees(), out); }));
    const QStringList exported = exchange::exportLines(d.employees()).mid(0, exchange::kImportLimit);
    text::writeLines(out, exported);
    whole("import de 9998 lignes (fichier lu compris)", medianMs(5, [&] {
              Collection c;
              exchange::ImportResult r;
              exchange::Importer(c, out, &r);
              g_sink = g_sink + r.added;
          }));
    return 0;
}
