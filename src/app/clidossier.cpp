// korvel-cli check, export and import: the dossier files and the employee exchange file.

#include "app/clicommands.h"
#include "app/clisupport.h"
#include "employees/exchange.h"

#include <QFileInfo>

namespace cli {

namespace {

QString blocks(int n)
{
    return QString::number(n) + (n > 1 ? QStringLiteral(" blocs") : QStringLiteral(" bloc"));
}

bool isBlank(const QString &line)
{
    return QStringView(line).trimmed().isEmpty();
}

// Lines that hold something and stand outside every block: no record reads them, and the
// program keeps them as they are. Blank lines are left out (adding a record leaves one).
int linesOutsideBlocks(const Collection &c)
{
    const QStringList &lines = c.lines();
    int outside = 0;
    qsizetype at = 0;
    auto countUpTo = [&](qsizetype end) {
        for (; at < end; ++at)
            if (!isBlank(lines[at]))
                ++outside;
    };
    for (const Collection::BlockAt &b : c.blocks()) {
        countUpTo(b.line);
        qsizetype next = b.line + 1;
        c.contentAt(b.line, 0, &next);
        at = std::max(at, next);
    }
    countUpTo(lines.size());
    return outside;
}

bool needsRepair(const Dossier::CollectionReport &r)
{
    return r.repaired() || r.dropped > 0;
}

QString describe(const Dossier::CollectionReport &r, int outside)
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
    if (outside > 0)
        parts << QString::number(outside)
                     + (outside > 1 ? QStringLiteral(" lignes hors bloc, ignorées")
                                    : QStringLiteral(" ligne hors bloc, ignorée"));
    if (!needsRepair(r) && !r.file.isMissing())
        parts << QStringLiteral("sans réparation");
    return QFileInfo(r.file.path()).fileName() + QStringLiteral(" : ") + parts.join(QStringLiteral(", "));
}

// A file that must be read: one line on stderr when it is missing or is not a readable file.
bool readable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        fail(QStringLiteral("le fichier n'existe pas : ") + path, Unavailable);
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        fail(text::FileResult(text::FileResult::Operation::Read, text::FileResult::Status::Failed, path).message(),
             Unavailable);
        return false;
    }
    return true;
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

} // namespace

int check(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {QStringLiteral("--repair")}, {}, a) || a.words.size() != 1)
        return badArguments(QStringLiteral("check"));
    const bool repair = a.has(QStringLiteral("--repair"));
    const QString &path = a.words[0];

    Dossier dossier;
    Dossier::LoadReport report;
    if (const int status = openDossier(path, dossier, &report))
        return status;
    bool damaged = false;
    for (Dossier::Kind kind : {Dossier::Kind::Employees, Dossier::Kind::Profiles, Dossier::Kind::Payslips}) {
        const Dossier::CollectionReport &r = report.report(kind);
        damaged = damaged || needsRepair(r);
        out() << describe(r, linesOutsideBlocks(dossier.collection(kind))) << "\n";
    }
    out().flush();

    if (!repair)
        return damaged ? fail(QStringLiteral("le dossier doit être réparé (korvel-cli check --repair ") + path
                                  + QLatin1Char(')'),
                              Refused)
                       : Done;
    if (const int status = saveDossier(dossier))
        return status;
    out() << "Dossier réécrit : " << QFileInfo(dossier.fileName()).fileName() << ", "
          << QFileInfo(dossier.profileFileName()).fileName() << ", "
          << QFileInfo(dossier.payslipFileName()).fileName() << "\n";
    out().flush();
    return Done;
}

int exportEmployees(const QStringList &args)
{
    if (!twoPaths(args))
        return badArguments(QStringLiteral("export"));
    const QString &dossierPath = args[0];
    const QString &outPath = args[1];
    if (checkDossierName(dossierPath))
        return Refused;
    if (!readable(dossierPath))
        return Unavailable;
    // A dossier that reads is the only thing export needs; anything after that is the output.
    Dossier dossier;
    const Dossier::LoadReport report = dossier.Charge(dossierPath);
    if (!report.ok)
        return fail(report.errorMessage(), Unavailable);
    if (const Status exported = exchange::exporterDossier(dossierPath, outPath); !exported)
        return exitWith(exported);
    out() << dossier.employees().count() << " employé(s) exporté(s) dans " << QFileInfo(outPath).fileName() << "\n";
    out().flush();
    return Done;
}

int importEmployees(const QStringList &args)
{
    if (!twoPaths(args))
        return badArguments(QStringLiteral("import"));
    const QString &dossierPath = args[0];
    const QString &inPath = args[1];
    if (checkDossierName(dossierPath))
        return Refused;
    if (!readable(inPath))
        return Unavailable;
    if (QFileInfo::exists(dossierPath)) {
        if (!readable(dossierPath))
            return Unavailable;
        Dossier probe;
        const Dossier::LoadReport report = probe.Charge(dossierPath);
        if (!report.ok)
            return fail(report.errorMessage(), Unavailable);
    }
    QString message;
    exchange::ImportResult result;
    if (!exchange::importerDossier(dossierPath, inPath, &message, &result)) {
        // The input was checked above: what is left is an input that is not text, the dossier
        // that could not be written, or an input that became unreadable meanwhile.
        return fail(message, QFileInfo(inPath).isReadable() ? Refused : Unavailable);
    }
    out() << result.added << " employé(s) importé(s) dans " << QFileInfo(dossierPath).fileName() << "\n";
    if (result.truncated)
        out() << exchange::truncatedMessage() << "\n";
    out().flush();
    return Done;
}

} // namespace cli
