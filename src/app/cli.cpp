// korvel-cli: the program's headless tool. Each command runs the same core code as the
// windows do; the table below lists them with their usage.
//
// Exit status: 0 done; 1 the user's data refused, with the program's message, or a file that
// cannot be written; 2 bad arguments, or a file missing or unreadable, in one line on stderr.

#include "app/clicommands.h"
#include "app/clisupport.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

namespace {

struct Command {
    QString name;
    int (*run)(const QStringList &args);
    // Its usage: the synopsis, then what it does, each line ending with a line end.
    QString usage;
    // Draws with Qt's painter, so it needs a QGuiApplication (on the offscreen platform).
    bool draws = false;
};

const QList<Command> &commands()
{
    static const QList<Command> table = {
        {QStringLiteral("check"), cli::check,
         QStringLiteral("korvel-cli check [--repair] DOSSIER.emp\n"
                        "    charge le dossier comme le programme (réparations comprises) et affiche, pour\n"
                        "    chaque fichier, son nombre de blocs, les réparations et les lignes hors bloc ;\n"
                        "    statut 1 quand le dossier doit être réparé. --repair réécrit ensuite les trois\n"
                        "    fichiers du dossier sous le même nom.\n")},
        {QStringLiteral("export"), cli::exportEmployees,
         QStringLiteral("korvel-cli export DOSSIER.emp SORTIE.txt\n"
                        "    écrit les employés du dossier dans un fichier texte, un par ligne, champs\n"
                        "    séparés par des tabulations.\n")},
        {QStringLiteral("import"), cli::importEmployees,
         QStringLiteral("korvel-cli import DOSSIER.emp ENTREE.txt\n"
                        "    ajoute au dossier un employé par ligne du fichier texte et enregistre le\n"
                        "    dossier (créé s'il n'existe pas).\n")},
        {QStringLiteral("valider"), cli::valider,
         QStringLiteral("korvel-cli valider DOSSIER.emp NUMERO\n"
                        "    valide le bulletin dont le N° de paie est NUMERO comme le bouton « Valider »\n"
                        "    (cumul et historique de l'employé) et enregistre le dossier.\n")},
        {QStringLiteral("calc"), cli::calc,
         QStringLiteral("korvel-cli calc DOSSIER.emp NUMERO [--save]\n"
                        "    calcule le bulletin comme « Calculer bulletin », avec les paramètres de la paie\n"
                        "    de Korvel.ini (répertoire courant), et affiche ses lignes 1 à 26 et ses lignes\n"
                        "    PAIE telles qu'enregistrées ; --save écrit le résultat dans le dossier.\n")},
        {QStringLiteral("envers"), cli::envers,
         QStringLiteral("korvel-cli envers DOSSIER.emp PROFIL NET\n"
                        "    paye à l'envers : le salaire brut qui donne le net voulu avec ce profil, et le\n"
                        "    net calculé.\n")},
        {QStringLiteral("mois"), cli::mois,
         QStringLiteral("korvel-cli mois DOSSIER.emp MM/AAAA [--valider] [--pdf DOSSIER_PDF]\n"
                        "    prépare la paie du mois comme « Paie du mois » : un bulletin du mois pour chaque\n"
                        "    employé qui a un profil et n'en a pas encore, repris de son dernier bulletin,\n"
                        "    puis les bulletins du mois calculés, et enregistre le dossier ; rien n'est\n"
                        "    enregistré quand un bulletin est refusé. --valider valide les bulletins du\n"
                        "    mois ; --pdf écrit chacun dans DOSSIER_PDF/bulletin-NUMERO.pdf. Affiche une\n"
                        "    ligne par bulletin du mois : numéro, code, nom, brut, net à payer.\n"),
         true},
        {QStringLiteral("print"), cli::print,
         QStringLiteral("korvel-cli print DOSSIER.emp NUMERO (--pdf SORTIE.pdf | --printer FILE)\n"
                        "    imprime le bulletin dans un fichier PDF ou sur une file d'impression CUPS, avec\n"
                        "    l'en-tête de Korvel.soc et la mise en page de Korvel.ini (répertoire courant).\n"),
         true},
        {QStringLiteral("stats"), cli::stats,
         QStringLiteral("korvel-cli stats employes|mois|profils|caisses DOSSIER.emp\n"
                        "    affiche la statistique comme sa fenêtre : une ligne par clé, champs séparés\n"
                        "    par des tabulations, dans l'ordre de la fenêtre (format des montants de\n"
                        "    Korvel.ini, caisses de Korvel.cai, répertoire courant).\n")},
        {QStringLiteral("journal"), cli::journal,
         QStringLiteral("korvel-cli journal DOSSIER.emp SORTIE.txt [--du JJ/MM/AAAA] [--au JJ/MM/AAAA]\n"
                        "    écrit le journal de paie comme « Exporter journal » : les écritures des\n"
                        "    bulletins calculés dont la fin de période est entre les deux dates\n"
                        "    (comprises) ; sans date, de tous les bulletins calculés. Les bulletins non\n"
                        "    calculés sont comptés sur la sortie d'erreur.\n")},
    };
    return table;
}

const Command *find(const QString &name)
{
    for (const Command &c : commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

QString usage()
{
    QString text = QStringLiteral("Usage : korvel-cli COMMANDE ARGUMENTS...\n"
                                  "        korvel-cli --help\n\n");
    for (const Command &c : commands())
        text += c.usage;
    text += QStringLiteral("\nStatut : 0 fait ; 1 données refusées (avec le message du programme) ou fichier\n"
                           "impossible à écrire ; 2 arguments incorrects, fichier absent ou illisible.\n");
    return text;
}

// Qt's own notes while it draws (the runtime folder, fonts...) are not the tool's messages:
// only its errors reach stderr.
void qtErrorsOnly(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        cli::err() << message << "\n" << Qt::flush;
}

} // namespace

QString cli::usageOf(const QString &command)
{
    const Command *c = find(command);
    return c ? c->usage : QString();
}

int main(int argc, char **argv)
{
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const Command *command = find(name);
    std::unique_ptr<QCoreApplication> app;
    if (command && command->draws) {
        // Printing needs no display: Qt's offscreen platform unless the user chose another.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(qtErrorsOnly);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(2);

    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        cli::out() << usage();
        cli::out().flush();
        return cli::Done;
    }
    if (!command) {
        if (!name.isEmpty())
            cli::err() << "korvel-cli : commande inconnue : " << name << "\n";
        cli::err() << usage();
        cli::err().flush();
        return cli::Unavailable;
    }
    return command->run(args);
}
