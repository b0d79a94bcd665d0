// korvel-cli stats and journal: the statistics lists and the journal export, from the same code
// as their windows.

#include "app/clicommands.h"
#include "app/clisupport.h"

#include "reports/journal.h"
#include "reports/statistics.h"
#include "text/dates.h"

#include <optional>

namespace cli {

int stats(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {}, {}, a) || a.words.size() != 2)
        return badArguments(QStringLiteral("stats"));
    const std::optional<StatsKind> kind = statsKindNamed(a.words[0]);
    if (!kind)
        return badArguments(QStringLiteral("stats"));
    Dossier dossier;
    Settings settings;
    if (const int status = openDossier(a.words[1], dossier, settings))
        return status;
    QStringList caisseLines;
    if (const int status = readCaisses(caisseLines))
        return status;
    QStringList lines;
    if (const Status made = statistiques(*kind, dossier.payslips(), dossier.employees(), dossier.profiles(),
                                         caisseLines, settings.amountFormat, lines);
        !made)
        return exitWith(made);
    for (const QString &line : lines)
        out() << line << "\n";
    out().flush();
    return Done;
}

namespace {

// An optional date option: absent, or a date "dd/mm/yyyy"; false when it does not read.
bool dateOption(const Arguments &a, const QString &option, std::optional<QDate> &date)
{
    if (!a.has(option))
        return true;
    const QDate d = text::parseDate(a.value(option));
    if (!d.isValid())
        return false;
    date = d;
    return true;
}

} // namespace

int journal(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {}, {QStringLiteral("--du"), QStringLiteral("--au")}, a) || a.words.size() != 2)
        return badArguments(QStringLiteral("journal"));
    std::optional<QDate> du, au;
    for (const auto &[option, date] : {std::pair{QStringLiteral("--du"), &du}, std::pair{QStringLiteral("--au"), &au}})
        if (!dateOption(a, option, *date))
            return fail(QStringLiteral("date non valide : ") + a.value(option), Unavailable);
    Dossier dossier;
    if (const int status = openDossier(a.words[0], dossier))
        return status;
    int uncalculated = 0;
    const Status written = exporterJournal(dossier.payslips(), dossier.employees(), du, au, a.words[1], &uncalculated);
    if (written && uncalculated > 0) {
        err() << "korvel-cli : " << JournalModel::uncalculatedText(uncalculated) << "\n";
        err().flush();
    }
    return exitWith(written);
}

} // namespace cli
