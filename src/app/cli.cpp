// korvel-cli: the program's headless tool. Each subcommand runs the same core code as the
// windows do.
//
//   korvel-cli check [--repair] DOSSIER.emp
//       Loads the dossier as the program does (repairs included) and prints one line per
//       collection: file name, number of blocks, repairs made. With --repair, writes the
//       dossier back under the same name, all three files.
//
//   korvel-cli export DOSSIER.emp OUT.txt
//       Writes the dossier's employees to OUT.txt as tab-separated text, one employee a line,
//       as "E&xporter..." does.
//
//   korvel-cli import DOSSIER.emp IN.txt
//       Appends one employee per line of IN.txt, as "I&mporter..." does, and saves the dossier
//       (all three files). A dossier file that does not exist yet is created.
//
// Exit status: 0 done, 1 the dossier could not be written or the input to import is not text,
// 2 bad arguments or a file missing or unreadable.

#include "employees/exchange.h"
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
             "        korvel-cli export DOSSIER.emp SORTIE.txt\n"
             "        korvel-cli import DOSSIER.emp ENTREE.txt\n"
             "  check     charge le dossier comme le programme (réparations comprises) et\n"
             "            affiche, pour chaque fichier, son nombre de blocs et les réparations\n"
             "  --repair  réécrit ensuite les trois fichiers du dossier sous le même nom\n"
             "  export    écrit les employés du dossier dans un fichier texte, un par ligne,\n"
             "            champs séparés par des tabulations\n"
             "  import    ajoute au dossier un employé par ligne du fichier texte et enregistre\n"
             "            le dossier (créé s'il n'existe pas)\n";
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
    if (r.file.isMissing())
        parts << QStringLiteral("fichier absent");
    if (r.rebuilt)
        parts << QStringLiteral("reconstruit après balises déséquilibrées");
    if (r.duplicatesRemoved > 0)
        parts << QString::number(r.duplicatesRemoved)
                     + (r.duplicatesRemoved > 1 ? QStringLiteral(" doublons identiques supprimés")
                                                : QStringLiteral(" doublon identique supprimé"));
    if (r.duplicatesMoved > 0)
        parts << QString::number(r.duplicatesMoved)
                     + (r.duplicatesMoved > 1 ? QStringLiteral(" doublons différents renumérotés en fin de fichier")
                                              : QStringLiteral(" doublon différent renuméroté en fin de fichier"));
    if (r.renumbered)
        parts << QStringLiteral("renuméroté");
    if (r.dropped > 0)
        parts << blocks(r.dropped) + QStringLiteral(" au-delà de 9999 perdus");
    if (!r.repaired() && r.dropped == 0 && !r.file.isMissing())
        parts << QStringLiteral("sans réparation");
    return QFileInfo(r.file.path()).fileName() + QStringLiteral(" : ") + parts.join(QStringLiteral(", "));
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
        if (report.failure.isMissing())
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
            if (!saved.failure.reason().isEmpty())
                err() << " (" << saved.failure.reason() << ")";
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

// A file that must be read: one line on stderr when it is missing or is not a readable file.
bool readable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        err() << "korvel-cli : le fichier n'existe pas : " << path << "\n";
        err().flush();
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        err() << "korvel-cli : "
              << text::FileResult(text::FileResult::Operation::Read, text::FileResult::Status::Failed, path).message()
              << "\n";
        err().flush();
        return false;
    }
    return true;
}

int failure(const QString &message, int status)
{
    err() << "korvel-cli : " << message << "\n";
    err().flush();
    return status;
}

bool twoPaths(const QStringList &args)
{
    if (args.size() != 2)
        return false;
    for (const QString &a : args)
        if (a.isEmpty() || a.startsWith(QLatin1Char('-')))
            return false;
    return true;
}

int exportCommand(const QStringList &args)
{
    if (!twoPaths(args))
        return usage();
    const QString &dossierPath = args[0];
    const QString &outPath = args[1];
    if (!readable(dossierPath))
        return 2;
    // A dossier that reads is the only thing export needs; anything after that is the output.
    Dossier dossier;
    const Dossier::LoadReport report = dossier.Charge(dossierPath);
    if (!report.ok)
        return failure(report.errorMessage(), 2);
    QString message;
    if (!exchange::exporterDossier(dossierPath, outPath, &message))
        return failure(message, 1);
    out() << dossier.employees().count() << " employé(s) exporté(s) dans "
          << QFileInfo(outPath).fileName() << "\n";
    out().flush();
    return 0;
}

int importCommand(const QStringList &args)
{
    if (!twoPaths(args))
        return usage();
    const QString &dossierPath = args[0];
    const QString &inPath = args[1];
    if (!readable(inPath))
        return 2;
    if (QFileInfo::exists(dossierPath) && !readable(dossierPath))
        return 2;
    if (QFileInfo::exists(dossierPath)) {
        Dossier probe;
        const Dossier::LoadReport report = probe.Charge(dossierPath);
        if (!report.ok)
            return failure(report.errorMessage(), 2);
    }
    QString message;
    exchange::ImportResult result;
    if (!exchange::importerDossier(dossierPath, inPath, &message, &result)) {
        // The input was checked above: what is left is an input that is not text, the dossier
        // that could not be written, or an input that became unreadable meanwhile.
        return failure(message, QFileInfo(inPath).isReadable() ? 1 : 2);
    }
    out() << result.added << " employé(s) importé(s) dans " << QFileInfo(dossierPath).fileName() << "\n";
    if (result.truncated)
        out() << exchange::truncatedMessage() << "\n";
    out().flush();
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
    if (command == QLatin1String("export"))
        return exportCommand(args);
    if (command == QLatin1String("import"))
        return importCommand(args);
    return usage();
}
