// korvel-cli: the program's headless tool. Each subcommand runs the same core code as the
// windows do.
//
//   korvel-cli check [--repair] DOSSIER.emp
//       Loads the dossier as the program does (repairs included) and prints one line per
//       collection: file name, number of blocks, repairs made. With --repair, writes the
//       dossier back under the same name, all three files.
//
// Exit status: 0 done, 1 the dossier could not be written, 2 bad arguments or a file missing
// or unreadable.

#include "store/dossier.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

int usage()
{
    err() << "Usage : korvel-cli check [--repair] DOSSIER.emp\n"
             "  check     charge le dossier comme le programme (réparations comprises) et\n"
             "            affiche, pour chaque fichier, son nombre de blocs et les réparations\n"
             "  --repair  réécrit ensuite les trois fichiers du dossier sous le même nom\n";
    err().flush();
    return 2;
}

QString blocks(int n)
{
    return QString::number(n) + (n > 1 ? QStringLiteral(" blocs") : QStringLiteral(" bloc"));
}

QString describe(const Dossier::CollectionReport &r)
{
    QStringList parts;
    parts << blocks(r.blocks);
    if (r.status == text::ReadStatus::Missing)
        parts << QStringLiteral("fichier absent");
    if (r.rebuilt)
        parts << QStringLiteral("reconstruit après balises déséquilibrées");
    if (r.duplicatesRemoved > 0)
        parts << QString::number(r.duplicatesRemoved)
                     + (r.duplicatesRemoved > 1 ? QStringLiteral(" doublons supprimés")
                                                : QStringLiteral(" doublon supprimé"));
    if (r.renumbered)
        parts << QStringLiteral("renuméroté");
    if (r.dropped > 0)
        parts << blocks(r.dropped) + QStringLiteral(" au-delà de 9999 perdus");
    if (!r.repaired() && r.dropped == 0 && r.status != text::ReadStatus::Missing)
        parts << QStringLiteral("sans réparation");
    return QFileInfo(r.path).fileName() + QStringLiteral(" : ") + parts.join(QStringLiteral(", "));
}

int check(const QStringList &args)
{
    bool repair = false;
    QString path;
    for (const QString &a : args) {
        if (a == QLatin1String("--repair") && !repair)
            repair = true;
        else if (!a.startsWith(QLatin1Char('-')) && path.isEmpty())
            path = a;
        else
            return usage();
    }
    if (path.isEmpty())
        return usage();

    Dossier dossier;
    const Dossier::LoadReport report = dossier.Charge(path);
    if (!report.ok) {
        if (report.failure == text::ReadStatus::Missing)
            err() << "korvel-cli : le fichier n'existe pas : " << path << "\n";
        else
            err() << "korvel-cli : " << report.errorMessage() << "\n";
        err().flush();
        return 2;
    }
    for (Dossier::Kind kind : {Dossier::Kind::Employees, Dossier::Kind::Profiles, Dossier::Kind::Payslips})
        out() << describe(report.report(kind)) << "\n";
    out().flush();

    if (repair) {
        dossier.SetSauve();
        const Dossier::SaveResult saved = dossier.Sauve(path);
        if (!saved.ok) {
            err() << "korvel-cli : " << saved.message();
            if (!saved.error.isEmpty())
                err() << " (" << saved.error << ")";
            err() << "\n";
            err().flush();
            return 1;
        }
        out() << "Dossier réécrit : " << QFileInfo(dossier.fileName()).fileName() << ", "
              << QFileInfo(dossier.profileFileName()).fileName() << ", "
              << QFileInfo(dossier.payslipFileName()).fileName() << "\n";
        out().flush();
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("check"))
        return check(args);
    return usage();
}
