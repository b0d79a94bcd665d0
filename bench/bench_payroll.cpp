// Figures of the profiles and payslips pages on the largest dossier (9999 employees, profiles
// and payslips) against a dossier of ten: showing the next payslip and the next profile,
// validating a payslip with its employee's update, creating a payslip; and the whole-file
// operations on 9999 payslips (the list "Liste des bulletins", "Chercher bulletin" for a
// number no payslip has) against Charge of that dossier.

#include "gen_dossier.h"
#include "payroll/dossierops.h"
#include "payroll/payslips.h"
#include "payroll/profileeditor.h"
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

// Median over batches of the time of op(i) alone, in microseconds; undo(i) runs after each
// op, untimed, to put the dossier back as it was.
template <class Op, class Undo>
double perOpUsUndone(int ops, Op &&op, Undo &&undo)
{
    std::vector<double> times;
    for (int b = 0; b < 9; ++b) {
        qint64 ns = 0;
        for (int i = 0; i < ops; ++i) {
            QElapsedTimer t;
            t.start();
            op(i);
            ns += t.nsecsElapsed();
            undo(i);
        }
        times.push_back(ns / 1e3 / ops);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Figures {
    double nextPayslip, nextPayslipEdited, nextPayslipEditedMiddle, nextProfile, nextProfileEdited;
    double validateLast, validateMiddle, create;
};

Figures measure(Dossier &d)
{
    Figures r{};
    Collection &pay = d.payslips();
    Collection &emp = d.employees();
    const int last = pay.count() - 1;
    const QString next = QStringLiteral("200203001");
    PayslipForm form;
    (void)pay.largestCode(0);
    (void)emp.findCode(QStringLiteral("10001"));

    // Back and forth between the last two payslips; then the same with the payslip edited
    // each time, so that it is written back (at the end of the collection) before the move;
    // then from payslips of the middle, each edited and so moved to the end.
    auto backAndForth = [&](bool edit) {
        return perOpUs(1000, [&](int i) {
            pay.setCurrent(i % 2 ? last : last - 1);
            form.edited = edit;
            DeplacerBulletin(pay, form, i % 2 ? Move::Precedent : Move::Suivant, {}, next);
            g_sink = g_sink + form.number.size();
        });
    };
    r.nextPayslip = backAndForth(false);
    r.nextPayslipEdited = backAndForth(true);
    int moved = 0;
    r.nextPayslipEditedMiddle = perOpUs(50, [&](int) {
        pay.setCurrent((last / 2 + moved++) % std::max(1, last));
        form.edited = true;
        DeplacerBulletin(pay, form, Move::Suivant, {}, next);
    });

    ProfileEditor profiles(d.profiles());
    const int plast = d.profiles().count() - 1;
    auto profileMoves = [&](bool edit) {
        return perOpUs(1000, [&](int i) {
            d.profiles().setCurrent(i % 2 ? plast : plast - 1);
            profiles.form().edited = edit;
            profiles.Deplacer(i % 2 ? Move::Precedent : Move::Suivant);
            g_sink = g_sink + profiles.form().rubriques.size();
        });
    };
    r.nextProfile = profileMoves(false);
    r.nextProfileEdited = profileMoves(true);

    // Validation of a payslip: it is read, calculated, validated, written; its employee is
    // found by code and its cumul and history lines updated. The undo rewrites both records as
    // they were, so that every run does the same work. A payslip written back goes to the end
    // of the collection: "du milieu" takes another payslip of the middle each time.
    EmployeeForm shown;
    LitFiche(emp, emp.current(), shown);
    PayrollParameters params;
    params.socialSecurityCeiling = 2432;
    auto validate = [&](int first, bool another) {
        int runs = 0;
        int block = first, empBlock = -1;
        QStringList empBefore, payBefore;
        return perOpUsUndone(
            50,
            [&](int) {
                block = another ? (first + runs) % pay.count() : first;
                ++runs;
                empBlock = emp.findCode(pay.lineOfBlock(block, PayslipForm::kEmployeeCode));
                empBefore = emp.blockContent(empBlock);
                payBefore = pay.blockContent(block);
                QStringList open = payBefore;
                open[PayslipForm::kValidated - 1] = QStringLiteral("N");
                pay.writeBlock(block, open, Collection::Placement::InPlace);
                dossierops::Valider(d, block, params, QStringLiteral("0.00"));
            },
            [&](int) {
                emp.writeBlock(empBlock, empBefore, Collection::Placement::InPlace);
                pay.writeBlock(block, payBefore, Collection::Placement::InPlace);
            });
    };
    r.validateLast = validate(last, false);
    r.validateMiddle = validate(std::max(0, last / 2 - 225), true);

    // A new payslip for the employee shown, the payslip shown being unchanged; the undo
    // forgets it before it is ever written. A full collection takes no new payslip: the last
    // one is deleted first.
    if (pay.count() >= Collection::kMaxBlocks) {
        pay.setCurrent(last);
        pay.supprime();
    }
    pay.setCurrent(pay.count() - 1);
    LitBulletin(pay, pay.current(), form, next);
    QString nextNumber;
    const int count = pay.count();
    const int shownPayslip = pay.current();
    r.create = perOpUsUndone(
        200,
        [&](int) {
            NouvBulletin(pay, form, nextNumber, &shown);
            g_sink = g_sink + nextNumber.size();
        },
        [&](int) {
            pay.setCount(count);
            pay.setCurrent(shownPayslip);
            form.edited = false;
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
    const Figures fb = measure(d);
    const Figures fs = measure(s);
    ratio("bulletin suivant", fb.nextPayslip, fs.nextPayslip);
    ratio("bulletin suivant, bulletin modifié réécrit", fb.nextPayslipEdited, fs.nextPayslipEdited);
    ratio("idem, depuis un bulletin du milieu", fb.nextPayslipEditedMiddle, fs.nextPayslipEditedMiddle);
    ratio("profil suivant", fb.nextProfile, fs.nextProfile);
    ratio("profil suivant, profil modifié réécrit", fb.nextProfileEdited, fs.nextProfileEdited);
    ratio("validation du dernier bulletin (+ employé)", fb.validateLast, fs.validateLast);
    ratio("validation d'un bulletin du milieu (+ employé)", fb.validateMiddle, fs.validateMiddle);
    ratio("création d'un bulletin", fb.create, fs.create);

    auto whole = [&](const char *label, double ms) {
        std::printf("%-52s %10.3f ms  (rapport à Charge %.2f)\n", label, ms, ms / charge);
    };
    d.Charge(big);
    whole("liste des bulletins (9999)", medianMs(5, [&] { g_sink = g_sink + listeBulletins(d.payslips()).size(); }));
    whole("chercher bulletin sans résultat", medianMs(5, [&] {
              g_sink = g_sink + ChercheBulletin(d.payslips(), QStringLiteral("209912999"));
          }));
    return 0;
}
