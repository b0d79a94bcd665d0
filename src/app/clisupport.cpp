#include "app/clisupport.h"

#include "payroll/caisses.h"

#include "payroll/payslips.h"

#include <QDir>
#include <QFileInfo>

namespace cli {

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

int fail(const QString &message, int status)
{
    out().flush();
    err() << "korvel-cli : " << message << "\n";
    err().flush();
    return status;
}

int exitWith(const ::Status &status)
{
    switch (status.kind()) {
    case ::Status::Kind::Ok:
        return Done;
    case ::Status::Kind::Refused:
        return status.message().isEmpty() ? Refused : fail(status.message(), Refused);
    case ::Status::Kind::Unavailable:
        break;
    }
    return fail(status.message(), Unavailable);
}

int badArguments(const QString &command)
{
    err() << "korvel-cli : arguments incorrects pour " << command << "\n" << usageOf(command)
          << "Voir korvel-cli --help\n";
    err().flush();
    return Unavailable;
}

bool parseArguments(const QStringList &args, const QStringList &flags, const QStringList &valued, Arguments &parsed)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(QLatin1Char('-'))) {
            parsed.words.append(a);
            continue;
        }
        if (parsed.options.contains(a))
            return false;
        if (flags.contains(a)) {
            parsed.options.insert(a, QString());
        } else if (valued.contains(a) && i + 1 < args.size() && !args[i + 1].isEmpty()) {
            parsed.options.insert(a, args[++i]);
        } else {
            return false;
        }
    }
    return true;
}

int checkDossierName(const QString &path)
{
    if (path.right(4).toUpper() != QLatin1String(".EMP"))
        return fail(QStringLiteral("Type de fichier non valide : ") + path, Refused);
    return Done;
}

int openDossier(const QString &path, Dossier &dossier, Dossier::LoadReport *loaded)
{
    if (const int status = checkDossierName(path))
        return status;
    const Dossier::LoadReport report = dossier.Charge(path);
    if (loaded)
        *loaded = report;
    if (report.ok)
        return Done;
    if (report.failure.isMissing())
        return fail(QStringLiteral("le fichier n'existe pas : ") + path, Unavailable);
    return fail(report.errorMessage(), Unavailable);
}

int openDossier(const QString &path, Dossier &dossier, Settings &settings)
{
    if (const int status = openDossier(path, dossier))
        return status;
    return readSettings(settings);
}

int saveDossier(Dossier &dossier)
{
    dossier.SetSauve();
    return exitWith(dossier.Sauve(dossier.fileName()));
}

int findPayslip(const Dossier &dossier, const QString &number)
{
    const int block = ChercheBulletin(dossier.payslips(), number);
    if (block < 0)
        fail(QStringLiteral("le bulletin n'existe pas : ") + number, Unavailable);
    return block;
}

void readPayslip(Dossier &dossier, int block, PayslipForm &form)
{
    Collection &payslips = dossier.payslips();
    payslips.setCurrent(block);
    LitBulletin(payslips, block, form, QString::number(Numerob(payslips)));
}

int openPayslip(const QString &path, const QString &number, Dossier &dossier, Settings &settings,
                PayslipForm &form)
{
    if (const int status = openDossier(path, dossier))
        return status;
    const int block = findPayslip(dossier, number);
    if (block < 0)
        return Unavailable;
    if (const int status = readSettings(settings))
        return status;
    readPayslip(dossier, block, form);
    return Done;
}

int readSettings(Settings &settings)
{
    const IniReadResult ini = ChargeIni(QDir::current().filePath(Settings::kFileName), settings);
    if (ini.found && !ini.file.ok())
        return fail(ini.file.message(), Unavailable);
    if (ini.badLine > 0)
        return fail(QStringLiteral("Le fichier %1 est incomplet ou illisible à la ligne %2")
                        .arg(text::FileResult::nativePath(QDir::current().filePath(Settings::kFileName)))
                        .arg(ini.badLine),
                    Unavailable);
    return Done;
}

int readLetterhead(Letterhead &letterhead)
{
    const text::FileResult read = ChargeSoc(QDir::current().filePath(Letterhead::kFileName), letterhead);
    if (!read.ok() && !read.isMissing())
        return fail(read.message(), Unavailable);
    return Done;
}

int readCaisses(QStringList &lines)
{
    const text::FileResult read = ChargeCaisse(QDir::current().filePath(caisses::kFileName), lines);
    if (!read.ok() && !read.isMissing())
        return fail(read.message(), Unavailable);
    return Done;
}

} // namespace cli
