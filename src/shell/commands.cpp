#include "shell/commands.h"

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

const QString kPrecedent = QStringLiteral("P&récédent           PgUp");
const QString kSuivant = QStringLiteral("&Suivant                 PgDn");

struct Row
{
    Cmd id;
    Menu menu;
    const char16_t *caption;
    const char16_t *hint;
    const char *key;
    const bool *on;
    bool page;
    int d;
    Cmd parent = Cmd::Count;
    Cmd action = Cmd::Count;
    bool sep = false;
    bool checkable = false;
};

QList<CommandInfo> buildTable()
{
    using M = Menu;
    const Row rows[] = {
        {Cmd::Nouveau, M::Fichier, u"&Nouveau", u"Nouveau dossier", "", ALL, false, 0},
        {Cmd::Ouvrir, M::Fichier, u"&Ouvrir...", u"Ouvrir un fichier", "", ALL, false, 0},
        {Cmd::Enregistrer, M::Fichier, u"&Enregistrer", u"Enregistrer le fichier en cours", "", EPB, false, 1},
        {Cmd::EnregistrerSous, M::Fichier, u"Enregistrer &sous...", u"Enregistrer sous un autre nom", "", EPB, false, 1},
        {Cmd::Imprimer, M::Fichier, u"&Imprimer", u"Imprimer", "", EPB, false, 1, Cmd::Count, Cmd::Count, true},
        {Cmd::ImprimerListe, M::Fichier, u"&Liste employés...", u"Imprimer la liste des employés", "", ALL, false, 0, Cmd::Imprimer},
        {Cmd::ImprimerEnveloppes, M::Fichier, u"&Enveloppes...", u"Imprimer les enveloppes", "", ALL, false, 0, Cmd::Imprimer},
        {Cmd::MiseEnPage, M::Fichier, u"&Mise en page", u"Mise en page", "", ALL, false, 0},
        {Cmd::ConfigurerImprimante, M::Fichier, u"&Configurer imprimante", u"configuration imprimante", "", ALL, false, 0},
        {Cmd::Importer, M::Fichier, u"I&mporter...", u"Importer fichier", "", NE, true, 0, Cmd::Count, Cmd::Count, true},
        {Cmd::Exporter, M::Fichier, u"E&xporter...", u"Exporter fichier", "", E_, true, 1},
        {Cmd::Quitter, M::Fichier, u"&Quitter", u"Quitter l'application", "Alt+X", ALL, false, 0, Cmd::Count, Cmd::Count, true},

        {Cmd::Copier, M::Edition, u"C&opier", u"Copier", "", EPB, false, 1},
        {Cmd::Coller, M::Edition, u"Co&ller", u"Coller", "", EPB, false, 1},
        {Cmd::RechercherCode, M::Edition, u"Rechercher &code...", u"Rechercher employé par son code", "", E_, true, 1, Cmd::Count, Cmd::Count, true},
        {Cmd::RechercherNom, M::Edition, u"&Rechercher nom...", u"Rechercher employé ar son nom", "", E_, true, 1},
        {Cmd::RechercherTelephone, M::Edition, u"Rechercher &téléphone...", u"Recherche par N° de téléphone", "", E_, true, 0},
        {Cmd::TrierEmployes, M::Edition, u"Trier employés...", u"Trier le fichier", "", E_, true, 1},
        {Cmd::ChercherBulletin, M::Edition, u"Chercher &bulletin...", u"Recherche d'un bulletin...", "", B_, true, 0, Cmd::Count, Cmd::Count, true},

        {Cmd::PageEmployes, M::Bases, u"&Employés", u"Fichier employés", "", NPB, true, 0},
        {Cmd::PageProfils, M::Bases, u"&Profils", u"Profils salariaux", "", NEB, true, 0},
        {Cmd::PageBulletins, M::Bases, u"&Bulletins", u"Bulletins de paye", "", NEP, true, 0},
        {Cmd::Precedent, M::Bases, u"", u"Fiche précédente", "", EPB, false, 1, Cmd::Count, Cmd::Count, true},
        {Cmd::Suivant, M::Bases, u"", u"Fiche suivante", "", EPB, false, 1},
        {Cmd::Premier, M::Bases, u"Pre&mier", u"Première fiche", "Ctrl+Home", EPB, false, 1},
        {Cmd::Dernier, M::Bases, u"&Dernier", u"Dernière fiche", "Ctrl+End", EPB, false, 1},
        {Cmd::NouvelleFiche, M::Bases, u"&Nouvelle fiche", u"Ajouter une ficher", "", ALL, false, 0, Cmd::Count, Cmd::Count, true},
        {Cmd::SupprimerFiche, M::Bases, u"S&upprimer fiche", u"Supprimer fiche", "", EPB, false, 1},
        {Cmd::Liste, M::Bases, u"&Liste                        F2", u"Liste de fiches", "", EB, true, 1},
        {Cmd::ImprimerFiche, M::Bases, u"&Imprimer fiche", u"Imprimer fiche", "", EPB, false, 1},

        {Cmd::PayePrecedent, M::Paye, u"", u"Fiche précédente", "", B_, true, 0, Cmd::Count, Cmd::Precedent},
        {Cmd::PayeSuivant, M::Paye, u"", u"Fiche suivante", "", B_, true, 0, Cmd::Count, Cmd::Suivant},
        {Cmd::PayePremier, M::Paye, u"Pre&mier", u"Première fiche", "Ctrl+Home", B_, true, 0, Cmd::Count, Cmd::Premier},
        {Cmd::PayeDernier, M::Paye, u"&Dernier", u"Dernière fiche", "Ctrl+End", B_, true, 0, Cmd::Count, Cmd::Dernier},
        {Cmd::NouveauBulletin, M::Paye, u"&Nouveau bulletin", u"Nouvreau bulletin de paie", "", ALL, true, 1, Cmd::Count, Cmd::Count, true},
        {Cmd::SupprimerBulletin, M::Paye, u"S&upprimer bulletin", u"Supprimer le bulletin", "", NB, true, 0},
        {Cmd::ImprimerBulletin, M::Paye, u"&Imprimer bulletin", u"Imprimer le bulletin", "", NB, true, 0},
        {Cmd::CalculerBulletin, M::Paye, u"&Calculer bulletin", u"Recalculer le bulletin", "", NB, true, -1},

        {Cmd::ProfilStandard, M::Rubriques, u"&Profil standard", u"Génère les rubriques du profil standard", "", NP, true, 0},
        {Cmd::ReprendreProfil, M::Rubriques, u"&Reprendre profil...", u"Reprendre un profil existant", "", NP, true, 0},
        {Cmd::SupprimerRubrique, M::Rubriques, u"&Supprimer rubrique", u"Supprime la rubrique", "", NP, true, 0},
        {Cmd::ModifierRubrique, M::Rubriques, u"&Modifier rubirque", u"Modifier rubrique", "", NP, true, 0},

        {Cmd::TousEmployes, M::Selection, u"&Tous les employés", u"Tous les employés", "", E_, true, 1, Cmd::Count, Cmd::Count, false, true},
        {Cmd::SelCodePostal, M::Selection, u"&Code postal", u"Employés par code postal", "", E_, true, 1, Cmd::Count, Cmd::Count, false, true},
        {Cmd::SelVille, M::Selection, u"&Ville", u"Employés par ville", "", E_, true, 1, Cmd::Count, Cmd::Count, false, true},
        {Cmd::TousBulletins, M::Selection, u"T&ous les bulletins", u"Tous le bulletins", "", B_, true, 0, Cmd::Count, Cmd::Count, true, true},
        {Cmd::BulletinsParEmploye, M::Selection, u"&Bulletins par employé...", u"bulletins par employé", "", B_, true, 0, Cmd::Count, Cmd::Count, false, true},

        {Cmd::TraitementTexte, M::Outils, u"&Traitement de texte", u"Traitement de texte", "", ALL, false, 0},
        {Cmd::EnveloppeCourante, M::Outils, u"&Enveloppe courante", u"Imprimernveloppe courante", "", ALL, false, 0},
        {Cmd::Message, M::Outils, u"&Message", u"Noter un message", "", ALL, false, 0},
        {Cmd::StatEmployes, M::Outils, u"&Statistiques employés", u"Statistiques par employé", "", EPB, false, 1, Cmd::Count, Cmd::Count, true},
        {Cmd::StatMois, M::Outils, u"Statistiques &mois", u"Statistiques paies par mois", "", EPB, false, 1},
        {Cmd::StatProfils, M::Outils, u"Statistiques &profils", u"Statistiques par profil", "", EPB, false, 1},
        {Cmd::StatCaisses, M::Outils, u"Satistiques &caisses", u"Statistiques sur les caisses", "", EPB, false, 1},
        {Cmd::PayeEnvers, M::Outils, u"&Paye à l'envers", u"Calcul du brut à partir du net", "", EPB, false, 1, Cmd::Count, Cmd::Count, true},
        {Cmd::JournalComptable, M::Outils, u"&Journal comptable", u"Transfert en comptabilité", "", EPB, false, 1},
        {Cmd::ModifierCumul, M::Outils, u"M&odifier cumul...", u"Modifier cumul de l'employé", "", E_, true, 0},
        {Cmd::CloturerExercice, M::Outils, u"&Clôturer exercice", u"Remise à zéro des cumuls", "", EPB, false, 1},

        {Cmd::Societe, M::Parametres, u"&Société", u"Paramètres société", "", ALL, false, 0},
        {Cmd::ParamPaie, M::Parametres, u"&Paie", u"Paramètres paie", "", ALL, false, 0},
        {Cmd::Caisses, M::Parametres, u"&Caisses", u"", "", ALL, false, 0},
        {Cmd::Banques, M::Parametres, u"&Banques", u"Noms des banques", "", ALL, false, 0, Cmd::Count, Cmd::Count, true},
        {Cmd::Emplois, M::Parametres, u"&Emplois", u"Conventions collectives", "", ALL, false, 0},
        {Cmd::OuvrirAuto, M::Parametres, u"&Ouvrir automatiquement", u"Ouvrir automatiquement le dernier fichier", "", ALL, false, 0, Cmd::Count, Cmd::Count, true, true},

        {Cmd::Calendrier, M::Utilitaires, u"&Calendrier", u"Calendrier", "", ALL, false, 0},
        {Cmd::Calculatrice, M::Utilitaires, u"C&alcularice", u"Calculatrice", "", ALL, false, 0},
        {Cmd::Horloge, M::Utilitaires, u"&Horloge", u"Horloge", "", ALL, false, 0},
        {Cmd::EuroConversion, M::Utilitaires, u"&Euro conversion", u"Convertisseur euro", "", ALL, false, 0},
        {Cmd::BlocNotes, M::Utilitaires, u"&Bloc-notes", u"Bloc-notes", "", ALL, false, 0},
        {Cmd::Departements, M::Utilitaires, u"&Départements", u"Liste des départements", "", ALL, false, 0},

        {Cmd::AideIndex, M::Aide, u"&Index", u"Sommaire de l'aide", "", ALL, false, 0},
        {Cmd::AideRechercher, M::Aide, u"&Rechercher...", u"Rechercher dans l'aide", "", ALL, false, 0},
        {Cmd::AideUtiliser, M::Aide, u"&Utiliser l'aide", u"Aide sur l'utilisation de l'aide", "", ALL, false, 0},
        {Cmd::APropos, M::Aide, u"&A propos", u"Informations sur le logiciel, sa version", "", ALL, false, 0, Cmd::Count, Cmd::Count, true},

        {Cmd::BtnNouveauFichier, M::ToolBar, u"Nouveau fichier", u"Nouveau fichier", "", ALL, false, 1, Cmd::Count, Cmd::Nouveau},
        {Cmd::BtnOuvrir, M::ToolBar, u"Ouvrir", u"Ouvrir", "", ALL, false, 0, Cmd::Count, Cmd::Ouvrir},
        {Cmd::BtnEnregistrer, M::ToolBar, u"Enregistrer", u"Enregistrer", "", EPB, false, 1, Cmd::Count, Cmd::Enregistrer},
        {Cmd::BtnCopier, M::ToolBar, u"Copier", u"Copier", "", EPB, false, 1, Cmd::Count, Cmd::Copier, true},
        {Cmd::BtnColler, M::ToolBar, u"Coller", u"Coller", "", EPB, false, 1, Cmd::Count, Cmd::Coller},
        {Cmd::BtnPremier, M::ToolBar, u"Premier", u"Premier", "", EPB, false, 1, Cmd::Count, Cmd::Premier, true},
        {Cmd::BtnPrecedent, M::ToolBar, u"Précédent", u"Précédent", "", EPB, false, 1, Cmd::Count, Cmd::Precedent},
        {Cmd::BtnSuivant, M::ToolBar, u"Suivant", u"Suivant", "", EPB, false, 1, Cmd::Count, Cmd::Suivant},
        {Cmd::BtnDernier, M::ToolBar, u"Dernier", u"Dernier", "", EPB, false, 1, Cmd::Count, Cmd::Dernier},
        {Cmd::BtnNouvelleFiche, M::ToolBar, u"Nouvelle fiche", u"Nouvelle fiche", "", ALL, false, 0, Cmd::Count, Cmd::NouvelleFiche, true},
        {Cmd::BtnFicheEmploye, M::ToolBar, u"Fiche employé", u"Fiche employé", "", NPB, true, 1, Cmd::Count, Cmd::PageEmployes},
        {Cmd::BtnProfils, M::ToolBar, u"Profils", u"Profils", "", NEB, true, 0, Cmd::Count, Cmd::PageProfils},
        {Cmd::BtnBulletins, M::ToolBar, u"Bulletins", u"Bulletins", "", NEP, true, 0, Cmd::Count, Cmd::PageBulletins},
        {Cmd::BtnCalculer, M::ToolBar, u"Calculer", u"Calculer", "", B_, true, -1, Cmd::Count, Cmd::CalculerBulletin},
        {Cmd::BtnImprimer, M::ToolBar, u"Imprimer", u"Imprimer", "", EPB, false, 1, Cmd::Count, Cmd::ImprimerFiche, true},
        {Cmd::BtnImprimerEnveloppe, M::ToolBar, u"Imprimer enveloppe", u"Imprimer enveloppe", "", EB, true, 1, Cmd::Count, Cmd::EnveloppeCourante},
    };

    QList<CommandInfo> table;
    table.reserve(kCommandCount);
    for (const Row &r : rows) {
        CommandInfo c{r.id, r.menu, QString::fromUtf16(r.caption), QString::fromUtf16(r.hint),
                      QString::fromLatin1(r.key), {r.on[0], r.on[1], r.on[2], r.on[3]}, r.page, r.d,
                      r.parent, r.action == Cmd::Count ? r.id : r.action, r.sep, r.checkable};
        if (c.id == Cmd::Precedent || c.id == Cmd::PayePrecedent)
            c.caption = kPrecedent;
        if (c.id == Cmd::Suivant || c.id == Cmd::PayeSuivant)
            c.caption = kSuivant;
        table.append(c);
    }
    Q_ASSERT(table.size() == kCommandCount);
    for (int i = 0; i < table.size(); ++i)
        Q_ASSERT(static_cast<int>(table[i].id) == i);
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
