#include "shell/commands.h"

#include <iterator>

namespace {

// The "On" columns: N (no dossier yet), E, P, B.
constexpr bool ALL[4] = {true, true, true, true};
constexpr bool EPB[4] = {false, true, true, true};
constexpr bool E_[4] = {false, true, false, false};
constexpr bool B_[4] = {false, false, false, true};
constexpr bool NE[4] = {true, true, false, false};
constexpr bool NPB[4] = {true, false, true, true};
constexpr bool NEB[4] = {true, true, false, true};
constexpr bool NEP[4] = {true, true, true, false};
constexpr bool EB[4] = {false, true, false, true};
constexpr bool NB[4] = {true, false, false, true};
constexpr bool NP[4] = {true, false, true, false};

// The two captions that show their key, in both "&Bases" and "&Paye".
constexpr const char16_t *kPrecedent = u"P&récédent           PgUp";
constexpr const char16_t *kSuivant = u"&Suivant                 PgDn";

// One row of the table; the columns left out of a row take these values.
struct Row
{
    Cmd id;
    Menu menu;
    const char16_t *caption = u"";
    const char16_t *hint = u"";
    const char *key = "";       // QKeySequence text
    const bool *on = nullptr;   // the "On" column: N, E, P, B
    bool page = false;          // set by the page patterns E, P and B
    int d = 0;                  // pattern D: +1 makes available, -1 unavailable
    Cmd parent = Cmd::Count;    // the submenu holding the item
    Cmd action = Cmd::Count;    // a tool button's menu command (the row itself when Count)
    bool sep = false;           // a separator before the item
    bool checkable = false;
};

using M = Menu;

// The rows in the order of Cmd: the check below refuses to compile a row out of place.
constexpr Row kRows[] = {
    {.id = Cmd::Nouveau, .menu = M::Fichier, .caption = u"&Nouveau", .hint = u"Nouveau dossier", .on = ALL},
    {.id = Cmd::Ouvrir, .menu = M::Fichier, .caption = u"&Ouvrir...", .hint = u"Ouvrir un fichier", .on = ALL},
    {.id = Cmd::Enregistrer, .menu = M::Fichier, .caption = u"&Enregistrer", .hint = u"Enregistrer le fichier en cours", .on = EPB, .d = 1},
    {.id = Cmd::EnregistrerSous, .menu = M::Fichier, .caption = u"Enregistrer &sous...", .hint = u"Enregistrer sous un autre nom", .on = EPB, .d = 1},
    {.id = Cmd::Imprimer, .menu = M::Fichier, .caption = u"&Imprimer", .hint = u"Imprimer", .on = EPB, .d = 1, .sep = true},
    {.id = Cmd::ImprimerListe, .menu = M::Fichier, .caption = u"&Liste employés...", .hint = u"Imprimer la liste des employés", .on = ALL, .parent = Cmd::Imprimer},
    {.id = Cmd::ImprimerEnveloppes, .menu = M::Fichier, .caption = u"&Enveloppes...", .hint = u"Imprimer les enveloppes", .on = ALL, .parent = Cmd::Imprimer},
    {.id = Cmd::MiseEnPage, .menu = M::Fichier, .caption = u"&Mise en page", .hint = u"Mise en page", .on = ALL},
    {.id = Cmd::ConfigurerImprimante, .menu = M::Fichier, .caption = u"&Configurer imprimante", .hint = u"configuration imprimante", .on = ALL},
    {.id = Cmd::Importer, .menu = M::Fichier, .caption = u"I&mporter...", .hint = u"Importer fichier", .on = NE, .page = true, .sep = true},
    {.id = Cmd::Exporter, .menu = M::Fichier, .caption = u"E&xporter...", .hint = u"Exporter fichier", .on = E_, .page = true, .d = 1},
    {.id = Cmd::Quitter, .menu = M::Fichier, .caption = u"&Quitter", .hint = u"Quitter l'application", .key = "Alt+X", .on = ALL, .sep = true},

    {.id = Cmd::Copier, .menu = M::Edition, .caption = u"C&opier", .hint = u"Copier", .on = EPB, .d = 1},
    {.id = Cmd::Coller, .menu = M::Edition, .caption = u"Co&ller", .hint = u"Coller", .on = EPB, .d = 1},
    {.id = Cmd::RechercherCode, .menu = M::Edition, .caption = u"Rechercher &code...", .hint = u"Rechercher employé par son code", .on = E_, .page = true, .d = 1, .sep = true},
    {.id = Cmd::RechercherNom, .menu = M::Edition, .caption = u"&Rechercher nom...", .hint = u"Rechercher employé par son nom", .on = E_, .page = true, .d = 1},
    {.id = Cmd::RechercherTelephone, .menu = M::Edition, .caption = u"Rechercher &téléphone...", .hint = u"Recherche par N° de téléphone", .on = E_, .page = true},
    {.id = Cmd::TrierEmployes, .menu = M::Edition, .caption = u"Trier employés...", .hint = u"Trier le fichier", .on = E_, .page = true, .d = 1},
    {.id = Cmd::ChercherBulletin, .menu = M::Edition, .caption = u"Chercher &bulletin...", .hint = u"Recherche d'un bulletin...", .on = B_, .page = true, .sep = true},

    {.id = Cmd::PageEmployes, .menu = M::Bases, .caption = u"&Employés", .hint = u"Fichier employés", .on = NPB, .page = true},
    {.id = Cmd::PageProfils, .menu = M::Bases, .caption = u"&Profils", .hint = u"Profils salariaux", .on = NEB, .page = true},
    {.id = Cmd::PageBulletins, .menu = M::Bases, .caption = u"&Bulletins", .hint = u"Bulletins de paye", .on = NEP, .page = true},
    {.id = Cmd::Precedent, .menu = M::Bases, .caption = kPrecedent, .hint = u"Fiche précédente", .on = EPB, .d = 1, .sep = true},
    {.id = Cmd::Suivant, .menu = M::Bases, .caption = kSuivant, .hint = u"Fiche suivante", .on = EPB, .d = 1},
    {.id = Cmd::Premier, .menu = M::Bases, .caption = u"Pre&mier", .hint = u"Première fiche", .key = "Ctrl+Home", .on = EPB, .d = 1},
    {.id = Cmd::Dernier, .menu = M::Bases, .caption = u"&Dernier", .hint = u"Dernière fiche", .key = "Ctrl+End", .on = EPB, .d = 1},
    {.id = Cmd::NouvelleFiche, .menu = M::Bases, .caption = u"&Nouvelle fiche", .hint = u"Ajouter une fiche", .on = ALL, .sep = true},
    {.id = Cmd::SupprimerFiche, .menu = M::Bases, .caption = u"S&upprimer fiche", .hint = u"Supprimer fiche", .on = EPB, .d = 1},
    {.id = Cmd::Liste, .menu = M::Bases, .caption = u"&Liste                        F2", .hint = u"Liste de fiches", .on = EB, .page = true, .d = 1},
    {.id = Cmd::ImprimerFiche, .menu = M::Bases, .caption = u"&Imprimer fiche", .hint = u"Imprimer fiche", .on = EPB, .d = 1},

    {.id = Cmd::PayePrecedent, .menu = M::Paye, .caption = kPrecedent, .hint = u"Fiche précédente", .on = B_, .page = true, .action = Cmd::Precedent},
    {.id = Cmd::PayeSuivant, .menu = M::Paye, .caption = kSuivant, .hint = u"Fiche suivante", .on = B_, .page = true, .action = Cmd::Suivant},
    {.id = Cmd::PayePremier, .menu = M::Paye, .caption = u"Pre&mier", .hint = u"Première fiche", .key = "Ctrl+Home", .on = B_, .page = true, .action = Cmd::Premier},
    {.id = Cmd::PayeDernier, .menu = M::Paye, .caption = u"&Dernier", .hint = u"Dernière fiche", .key = "Ctrl+End", .on = B_, .page = true, .action = Cmd::Dernier},
    {.id = Cmd::NouveauBulletin, .menu = M::Paye, .caption = u"&Nouveau bulletin", .hint = u"Nouveau bulletin de paie", .on = ALL, .page = true, .d = 1, .sep = true},
    {.id = Cmd::SupprimerBulletin, .menu = M::Paye, .caption = u"S&upprimer bulletin", .hint = u"Supprimer le bulletin", .on = NB, .page = true},
    {.id = Cmd::ImprimerBulletin, .menu = M::Paye, .caption = u"&Imprimer bulletin", .hint = u"Imprimer le bulletin", .on = NB, .page = true},
    {.id = Cmd::CalculerBulletin, .menu = M::Paye, .caption = u"&Calculer bulletin", .hint = u"Recalculer le bulletin", .on = NB, .page = true, .d = -1},
    {.id = Cmd::PaieDuMois, .menu = M::Paye, .caption = u"Paie du &mois...", .hint = u"Préparer, valider et imprimer les bulletins du mois", .on = EPB, .d = 1, .sep = true},

    {.id = Cmd::ProfilStandard, .menu = M::Rubriques, .caption = u"&Profil standard", .hint = u"Génère les rubriques du profil standard", .on = NP, .page = true},
    {.id = Cmd::ReprendreProfil, .menu = M::Rubriques, .caption = u"&Reprendre profil...", .hint = u"Reprendre un profil existant", .on = NP, .page = true},
    {.id = Cmd::SupprimerRubrique, .menu = M::Rubriques, .caption = u"&Supprimer rubrique", .hint = u"Supprime la rubrique", .on = NP, .page = true},
    {.id = Cmd::ModifierRubrique, .menu = M::Rubriques, .caption = u"&Modifier rubrique", .hint = u"Modifier rubrique", .on = NP, .page = true},

    {.id = Cmd::TousEmployes, .menu = M::Selection, .caption = u"&Tous les employés", .hint = u"Tous les employés", .on = E_, .page = true, .d = 1, .checkable = true},
    {.id = Cmd::SelCodePostal, .menu = M::Selection, .caption = u"&Code postal", .hint = u"Employés par code postal", .on = E_, .page = true, .d = 1, .checkable = true},
    {.id = Cmd::SelVille, .menu = M::Selection, .caption = u"&Ville", .hint = u"Employés par ville", .on = E_, .page = true, .d = 1, .checkable = true},
    {.id = Cmd::TousBulletins, .menu = M::Selection, .caption = u"T&ous les bulletins", .hint = u"Tous les bulletins", .on = B_, .page = true, .sep = true, .checkable = true},
    {.id = Cmd::BulletinsParEmploye, .menu = M::Selection, .caption = u"&Bulletins par employé...", .hint = u"Bulletins par employé", .on = B_, .page = true, .checkable = true},

    {.id = Cmd::TraitementTexte, .menu = M::Outils, .caption = u"&Traitement de texte", .hint = u"Traitement de texte", .on = ALL},
    {.id = Cmd::EnveloppeCourante, .menu = M::Outils, .caption = u"&Enveloppe courante", .hint = u"Imprimer enveloppe courante", .on = ALL},
    {.id = Cmd::Message, .menu = M::Outils, .caption = u"&Message", .hint = u"Noter un message", .on = ALL},
    {.id = Cmd::StatEmployes, .menu = M::Outils, .caption = u"&Statistiques employés", .hint = u"Statistiques par employé", .on = EPB, .d = 1, .sep = true},
    {.id = Cmd::StatMois, .menu = M::Outils, .caption = u"Statistiques &mois", .hint = u"Statistiques paies par mois", .on = EPB, .d = 1},
    {.id = Cmd::StatProfils, .menu = M::Outils, .caption = u"Statistiques &profils", .hint = u"Statistiques par profil", .on = EPB, .d = 1},
    {.id = Cmd::StatCaisses, .menu = M::Outils, .caption = u"Statistiques &caisses", .hint = u"Statistiques sur les caisses", .on = EPB, .d = 1},
    {.id = Cmd::PayeEnvers, .menu = M::Outils, .caption = u"&Paye à l'envers", .hint = u"Calcul du brut à partir du net", .on = EPB, .d = 1, .sep = true},
    {.id = Cmd::JournalComptable, .menu = M::Outils, .caption = u"&Journal comptable", .hint = u"Transfert en comptabilité", .on = EPB, .d = 1},
    {.id = Cmd::ModifierCumul, .menu = M::Outils, .caption = u"M&odifier cumul...", .hint = u"Modifier cumul de l'employé", .on = E_, .page = true},
    {.id = Cmd::CloturerExercice, .menu = M::Outils, .caption = u"&Clôturer exercice", .hint = u"Remise à zéro des cumuls", .on = EPB, .d = 1},

    {.id = Cmd::Societe, .menu = M::Parametres, .caption = u"&Société", .hint = u"Paramètres société", .on = ALL},
    {.id = Cmd::ParamPaie, .menu = M::Parametres, .caption = u"&Paie", .hint = u"Paramètres paie", .on = ALL},
    {.id = Cmd::Caisses, .menu = M::Parametres, .caption = u"&Caisses", .on = ALL},
    {.id = Cmd::Banques, .menu = M::Parametres, .caption = u"&Banques", .hint = u"Noms des banques", .on = ALL, .sep = true},
    {.id = Cmd::Emplois, .menu = M::Parametres, .caption = u"&Emplois", .hint = u"Conventions collectives", .on = ALL},
    {.id = Cmd::OuvrirAuto, .menu = M::Parametres, .caption = u"&Ouvrir automatiquement", .hint = u"Ouvrir automatiquement le dernier fichier", .on = ALL, .sep = true, .checkable = true},

    {.id = Cmd::Calendrier, .menu = M::Utilitaires, .caption = u"&Calendrier", .hint = u"Calendrier", .on = ALL},
    {.id = Cmd::Calculatrice, .menu = M::Utilitaires, .caption = u"C&alculatrice", .hint = u"Calculatrice", .on = ALL},
    {.id = Cmd::Horloge, .menu = M::Utilitaires, .caption = u"&Horloge", .hint = u"Horloge", .on = ALL},
    {.id = Cmd::EuroConversion, .menu = M::Utilitaires, .caption = u"&Euro conversion", .hint = u"Convertisseur euro", .on = ALL},
    {.id = Cmd::BlocNotes, .menu = M::Utilitaires, .caption = u"&Bloc-notes", .hint = u"Bloc-notes", .on = ALL},
    {.id = Cmd::Departements, .menu = M::Utilitaires, .caption = u"&Départements", .hint = u"Liste des départements", .on = ALL},

    {.id = Cmd::AideIndex, .menu = M::Aide, .caption = u"&Index", .hint = u"Sommaire de l'aide", .on = ALL},
    {.id = Cmd::AideRechercher, .menu = M::Aide, .caption = u"&Rechercher...", .hint = u"Rechercher dans l'aide", .on = ALL},
    {.id = Cmd::AideUtiliser, .menu = M::Aide, .caption = u"&Utiliser l'aide", .hint = u"Aide sur l'utilisation de l'aide", .on = ALL},
    {.id = Cmd::APropos, .menu = M::Aide, .caption = u"&A propos", .hint = u"Informations sur le logiciel, sa version", .on = ALL, .sep = true},

    {.id = Cmd::BtnNouveauFichier, .menu = M::ToolBar, .caption = u"Nouveau fichier", .hint = u"Nouveau fichier", .on = ALL, .d = 1, .action = Cmd::Nouveau},
    {.id = Cmd::BtnOuvrir, .menu = M::ToolBar, .caption = u"Ouvrir", .hint = u"Ouvrir", .on = ALL, .action = Cmd::Ouvrir},
    {.id = Cmd::BtnEnregistrer, .menu = M::ToolBar, .caption = u"Enregistrer", .hint = u"Enregistrer", .on = EPB, .d = 1, .action = Cmd::Enregistrer},
    {.id = Cmd::BtnCopier, .menu = M::ToolBar, .caption = u"Copier", .hint = u"Copier", .on = EPB, .d = 1, .action = Cmd::Copier, .sep = true},
    {.id = Cmd::BtnColler, .menu = M::ToolBar, .caption = u"Coller", .hint = u"Coller", .on = EPB, .d = 1, .action = Cmd::Coller},
    {.id = Cmd::BtnPremier, .menu = M::ToolBar, .caption = u"Premier", .hint = u"Premier", .on = EPB, .d = 1, .action = Cmd::Premier, .sep = true},
    {.id = Cmd::BtnPrecedent, .menu = M::ToolBar, .caption = u"Précédent", .hint = u"Précédent", .on = EPB, .d = 1, .action = Cmd::Precedent},
    {.id = Cmd::BtnSuivant, .menu = M::ToolBar, .caption = u"Suivant", .hint = u"Suivant", .on = EPB, .d = 1, .action = Cmd::Suivant},
    {.id = Cmd::BtnDernier, .menu = M::ToolBar, .caption = u"Dernier", .hint = u"Dernier", .on = EPB, .d = 1, .action = Cmd::Dernier},
    {.id = Cmd::BtnNouvelleFiche, .menu = M::ToolBar, .caption = u"Nouvelle fiche", .hint = u"Nouvelle fiche", .on = ALL, .action = Cmd::NouvelleFiche, .sep = true},
    {.id = Cmd::BtnFicheEmploye, .menu = M::ToolBar, .caption = u"Fiche employé", .hint = u"Fiche employé", .on = NPB, .page = true, .d = 1, .action = Cmd::PageEmployes},
    {.id = Cmd::BtnProfils, .menu = M::ToolBar, .caption = u"Profils", .hint = u"Profils", .on = NEB, .page = true, .action = Cmd::PageProfils},
    {.id = Cmd::BtnBulletins, .menu = M::ToolBar, .caption = u"Bulletins", .hint = u"Bulletins", .on = NEP, .page = true, .action = Cmd::PageBulletins},
    {.id = Cmd::BtnCalculer, .menu = M::ToolBar, .caption = u"Calculer", .hint = u"Calculer", .on = B_, .page = true, .d = -1, .action = Cmd::CalculerBulletin},
    {.id = Cmd::BtnImprimer, .menu = M::ToolBar, .caption = u"Imprimer", .hint = u"Imprimer", .on = EPB, .d = 1, .action = Cmd::ImprimerFiche, .sep = true},
    {.id = Cmd::BtnImprimerEnveloppe, .menu = M::ToolBar, .caption = u"Imprimer enveloppe", .hint = u"Imprimer enveloppe", .on = EB, .page = true, .d = 1, .action = Cmd::EnveloppeCourante},
};

constexpr bool rowsFollowCmd()
{
    if (std::size(kRows) != std::size_t(kCommandCount))
        return false;
    for (std::size_t i = 0; i < std::size(kRows); ++i)
        if (static_cast<std::size_t>(kRows[i].id) != i)
            return false;
    return true;
}
static_assert(rowsFollowCmd(), "the command rows must follow the order of Cmd, one row per command");

QList<CommandInfo> buildTable()
{
    QList<CommandInfo> table;
    table.reserve(kCommandCount);
    for (const Row &r : kRows) {
        table.append(CommandInfo{.id = r.id,
                                 .menu = r.menu,
                                 .caption = QString::fromUtf16(r.caption),
                                 .hint = QString::fromUtf16(r.hint),
                                 .key = QString::fromLatin1(r.key),
                                 .on = {r.on[0], r.on[1], r.on[2], r.on[3]},
                                 .pageDependent = r.page,
                                 .dEffect = r.d,
                                 .parent = r.parent,
                                 .action = r.action == Cmd::Count ? r.id : r.action,
                                 .separatorBefore = r.sep,
                                 .checkable = r.checkable});
    }
    return table;
}

} // namespace

namespace commands {

const QList<CommandInfo> &all()
{
    static const QList<CommandInfo> table = buildTable();
    return table;
}

const CommandInfo &info(Cmd id)
{
    return all()[static_cast<int>(id)];
}

bool isSubmenu(Cmd id)
{
    for (const CommandInfo &c : all())
        if (c.parent == id)
            return true;
    return false;
}

QString menuTitle(Menu menu)
{
    switch (menu) {
    case Menu::Fichier: return QStringLiteral("&Fichier");
    case Menu::Edition: return QStringLiteral("&Edition");
    case Menu::Bases: return QStringLiteral("&Bases");
    case Menu::Paye: return QStringLiteral("&Paye");
    case Menu::Rubriques: return QStringLiteral("&Rubriques");
    case Menu::Selection: return QStringLiteral("&Sélection");
    case Menu::Outils: return QStringLiteral("&Outils");
    case Menu::Parametres: return QStringLiteral("Para&mètres");
    case Menu::Utilitaires: return QStringLiteral("&Utilitaires");
    case Menu::Aide: return QStringLiteral("&Aide");
    case Menu::ToolBar: break;
    }
    return {};
}

int menuHelpContext(Menu menu)
{
    return menu == Menu::ToolBar ? 0 : 3 + static_cast<int>(menu);
}

Cmd dossierKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_PageDown: return Cmd::Suivant;
        case Qt::Key_PageUp: return Cmd::Precedent;
        case Qt::Key_F2: return Cmd::Liste;
        default: break;
        }
    } else if (mods == Qt::ControlModifier) {
        if (key == Qt::Key_Home)
            return Cmd::Premier;
        if (key == Qt::Key_End)
            return Cmd::Dernier;
    }
    return Cmd::Count;
}

} // namespace commands

CommandState::CommandState()
{
    for (const CommandInfo &c : commands::all())
        m_enabled[static_cast<int>(c.id)] = c.on[0];
    m_checked[static_cast<int>(Cmd::TousEmployes)] = true;
    m_checked[static_cast<int>(Cmd::TousBulletins)] = true;
}

void CommandState::apply(Pattern pattern)
{
    for (const CommandInfo &c : commands::all()) {
        bool &on = m_enabled[static_cast<int>(c.id)];
        switch (pattern) {
        case Pattern::N:
            on = c.on[0];
            break;
        case Pattern::D:
            if (c.dEffect != 0)
                on = c.dEffect > 0;
            break;
        case Pattern::E:
        case Pattern::P:
        case Pattern::B:
            if (c.pageDependent)
                on = c.on[pattern == Pattern::E ? 1 : pattern == Pattern::P ? 2 : 3];
            break;
        }
    }
}

void CommandState::checkInGroup(Cmd id)
{
    static const Cmd employees[] = {Cmd::TousEmployes, Cmd::SelCodePostal, Cmd::SelVille};
    static const Cmd payslips[] = {Cmd::TousBulletins, Cmd::BulletinsParEmploye};
    for (Cmd c : employees)
        if (c == id) {
            for (Cmd o : employees)
                setChecked(o, false);
        }
    for (Cmd c : payslips)
        if (c == id) {
            for (Cmd o : payslips)
                setChecked(o, false);
        }
    setChecked(id, true);
}
