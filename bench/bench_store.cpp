// Figures of the dossier store on the largest dossier (9999 employees, profiles and payslips)
// against a dossier of ten records: load, save (also after an edit), load with a full repair,
// a scan of every block, a deletion, and the per-record costs (read, write-back in place and at
// the end, move to the next record), which must not grow with the size of the dossier.

#include "gen_dossier.h"
#include "store/dossier.h"
#include "text/encoding.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
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



void line(const char *label, double value, const char *unit)
{
    std::printf("%-52s %10.3f %s\n", label, value, unit);
}

struct PerRecord {
    double read, writeInPlace, writeAtEnd, writeAtEndMiddle, move;
};

// Per-record costs near the end of the dossier (the records farthest from the start).
PerRecord perRecord(Dossier &d)
{
    PerRecord r{};
    Collection &emp = d.employees();
    Collection &pay = d.payslips();
    const int last = emp.count() - 1;
    (void)emp.find(0); // the index is built by the first read after a load
    (void)pay.find(0);
    r.read = perOpUs(2000, [&](int) { g_sink = g_sink + emp.blockContent(last - 1).size(); });

    const QStringList a = emp.blockContent(last - 1);
    QStringList b = a;
    b[3] = b[3] + QStringLiteral(" (modifié)");
    r.writeInPlace = perOpUs(2000, [&](int i) {
        emp.writeBlock(last - 1, i % 2 ? a : b, Collection::Placement::InPlace);
    });

    const int plast = pay.count() - 1;
    const QStringList p2 = pay.blockContent(plast - 1), p3 = pay.blockContent(plast - 2);
    r.writeAtEnd = perOpUs(2000, [&](int i) {
        if (i % 2)
            pay.writeBlock(plast - 1, p2, Collection::Placement::AtEnd);
        else
            pay.writeBlock(plast - 2, p3, Collection::Placement::AtEnd);
    });

    // Blocks of the middle written back: each one leaves its place for the end.
    const int middle = plast / 2;
    const QStringList pm = pay.blockContent(middle);
    int moved = 0;
    r.writeAtEndMiddle = perOpUs(200, [&](int) {
        pay.writeBlock((middle + moved++) % (plast + 1), pm, Collection::Placement::AtEnd);
    });

    // A move: the current record is written back, the next one is read.
    r.move = perOpUs(2000, [&](int i) {
        const int from = last - 1 - (i % 2);
        emp.writeBlock(from, i % 2 ? a : b, Collection::Placement::InPlace);
        g_sink = g_sink + emp.blockContent(from + 1).size();
    });
    return r;
}

// Damages every file of the dossier: two closing tags lost, a stray closing tag, a number past
// the count.
void damage(const QString &path)
{
    for (const QString &p : {path, Dossier::sideFile(path, QStringLiteral("Prl")), Dossier::sideFile(path, QStringLiteral("Pai"))}) {
        QStringList lines;
        text::readLines(p, lines);
        lines.removeOne(Collection::closeTag(10));
        lines.removeOne(Collection::closeTag(700));
        lines.insert(lines.size() / 2, Collection::closeTag(42));
        const int i = lines.indexOf(Collection::openTag(500));
        lines[i] = Collection::openTag(9999);
        lines[lines.indexOf(Collection::closeTag(500))] = Collection::closeTag(9999);
        text::writeLines(p, lines);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int count = Collection::kMaxBlocks;

    QElapsedTimer genTimer;
    genTimer.start();
    const QString big = gen::writeDossier(dir.path(), QStringLiteral("grand"), count);
    const QString small = gen::writeDossier(dir.path(), QStringLiteral("petit"), 10);
    const QString damaged = gen::writeDossier(dir.path(), QStringLiteral("abime"), count);
    damage(damaged);
    const qint64 bytes = QFileInfo(big).size() + QFileInfo(Dossier::sideFile(big, QStringLiteral("Prl"))).size()
                         + QFileInfo(Dossier::sideFile(big, QStringLiteral("Pai"))).size();

    Dossier d;
    d.Charge(big);
    const qsizetype lines = d.employees().lineCount() + d.profiles().lineCount() + d.payslips().lineCount();
    std::printf("Dossier : %d employés, %d profils, %d bulletins ; %lld lignes, %.1f Mo (générés en %.0f ms)\n\n",
                d.employees().count(), d.profiles().count(), d.payslips().count(), (long long)lines,
                bytes / 1048576.0, genTimer.nsecsElapsed() / 1e6);

    line("lecture brute des trois fichiers (readLines)", medianMs(5, [&] {
             QStringList l;
             for (const QString &p : {big, Dossier::sideFile(big, QStringLiteral("Prl")), Dossier::sideFile(big, QStringLiteral("Pai"))})
                 text::readLines(p, l);
             g_sink = g_sink + l.size();
         }), "ms");
    line("Charge", medianMs(5, [&] { d.Charge(big); }), "ms");
    line("Sauve (trois fichiers)", medianMs(5, [&] {
             d.SetSauve();
             d.Sauve(big);
         }), "ms");
    {
        // A block of each collection written back first: the lines of each are put together
        // again for the save.
        int i = 0;
        line("Sauve après une réécriture dans chaque fichier", medianMs(5, [&] {
                 for (Dossier::Kind k : {Dossier::Kind::Employees, Dossier::Kind::Profiles, Dossier::Kind::Payslips}) {
                     Collection &c = d.collection(k);
                     const int n = (c.count() / 2 + i) % c.count();
                     c.writeBlock(n, c.blockContent(n), Collection::Placement::InPlace);
                 }
                 ++i;
                 d.SetSauve();
                 d.Sauve(big);
             }), "ms");
    }
    {
        Dossier r;
        Dossier::LoadReport report;
        const double ms = medianMs(5, [&] { report = r.Charge(damaged); });
        line("Charge avec réparation complète (3 fichiers)", ms, "ms");
        if (!report.employees.rebuilt || !report.profiles.rebuilt || !report.payslips.rebuilt
            || report.employees.blocks != count)
            std::printf("   !! réparation inattendue : %d blocs\n", report.employees.blocks);
    }
    {
        QStringList raw;
        text::readLines(damaged, raw);
        line("Verif seul (employés, reconstruction)", medianMs(5, [&] {
                 Collection c;
                 c.setLines(raw);
                 c.recount();
                 c.verif();
                 g_sink = g_sink + c.count();
             }), "ms");
    }
    d.Charge(big);
    line("premier accès après Charge (construit l'index)", medianMs(1, [&] { g_sink = g_sink + d.employees().find(9000); }), "ms");
    line("lignes des employés après une réécriture", medianMs(5, [&] {
             Collection &emp = d.employees();
             emp.writeBlock(emp.count() / 2, emp.blockContent(emp.count() / 2), Collection::Placement::InPlace);
             g_sink = g_sink + emp.lines().size();
         }), "ms");
    line("parcours de tous les blocs des trois collections", medianMs(5, [&] {
             for (Dossier::Kind k : {Dossier::Kind::Employees, Dossier::Kind::Profiles, Dossier::Kind::Payslips}) {
                 const Collection &c = d.collection(k);
                 for (int n = 0; n < c.count(); ++n)
                     g_sink = g_sink + c.blockContent(n).size();
             }
         }), "ms");
    {
        // Deleting a record of the middle renumbers every later block; the next record is read.
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            Collection c;
            c.setLines(d.employees().lines());
            c.recount();
            (void)c.find(0);
            c.writeBlock(0, c.blockContent(0), Collection::Placement::InPlace);
            c.setCurrent(c.count() / 2);
            QElapsedTimer t;
            t.start();
            c.supprime();
            g_sink = g_sink + c.blockContent(c.current()).size();
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        line("suppression d'un employé du milieu, puis lecture", times[times.size() / 2], "ms");
    }
    {
        // Worst case of a write-back: the first block grows, every later line moves.
        Collection &emp = d.employees();
        const QStringList a = emp.blockContent(0);
        const QStringList b = a + QStringList{QStringLiteral("MEMOune ligne de plus")};
        line("réécriture du premier bloc, une ligne de plus", perOpUs(200, [&](int i) {
                 emp.writeBlock(0, i % 2 ? a : b, Collection::Placement::InPlace);
             }), "us");
    }
    std::printf("\n");

    Dossier s;
    s.Charge(small);
    d.Charge(big);
    const PerRecord pb = perRecord(d);
    const PerRecord ps = perRecord(s);
    ratio("lecture d'un bloc", pb.read, ps.read);
    ratio("réécriture d'un bloc en place (employés)", pb.writeInPlace, ps.writeInPlace);
    ratio("réécriture d'un bloc en fin (bulletins)", pb.writeAtEnd, ps.writeAtEnd);
    ratio("idem, blocs du milieu", pb.writeAtEndMiddle, ps.writeAtEndMiddle);
    ratio("passage à la fiche suivante (réécriture + lecture)", pb.move, ps.move);
    return 0;
}
