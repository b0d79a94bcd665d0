#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The frame's commands as data: every menu item and tool button with its caption, hint, key,
// menu, help context and the columns that decide when it is available. The windows build the
// menus and the tool bar from this table; the enabling patterns are applied here.
enum class Cmd {
    // Fichier
    Nouveau, Ouvrir, Enregistrer, EnregistrerSous, Imprimer, ImprimerListe, ImprimerEnveloppes,
    MiseEnPage, ConfigurerImprimante, Importer, Exporter, Quitter,
    // Edition
    Copier, Coller, RechercherCode, RechercherNom, RechercherTelephone, TrierEmployes, ChercherBulletin,
    // Bases
    PageEmployes, PageProfils, PageBulletins, Precedent, Suivant, Premier, Dernier, NouvelleFiche,
    SupprimerFiche, Liste, ImprimerFiche,
    // Paye
    PayePrecedent, PayeSuivant, PayePremier, PayeDernier, NouveauBulletin, SupprimerBulletin,
    ImprimerBulletin, CalculerBulletin, PaieDuMois,
    // Rubriques
    ProfilStandard, ReprendreProfil, SupprimerRubrique, ModifierRubrique,
    // Sélection
    TousEmployes, SelCodePostal, SelVille, TousBulletins, BulletinsParEmploye,
    // Outils
    TraitementTexte, EnveloppeCourante, Message, StatEmployes, StatMois, StatProfils, StatCaisses,
    PayeEnvers, JournalComptable, ModifierCumul, CloturerExercice,
    // Paramètres
    Societe, ParamPaie, Caisses, Banques, Emplois, OuvrirAuto,
    // Utilitaires
    Calendrier, Calculatrice, Horloge, EuroConversion, BlocNotes, Departements,
    // Aide
    AideIndex, AideRechercher, AideUtiliser, APropos,
    // Tool buttons
    BtnNouveauFichier, BtnOuvrir, BtnEnregistrer, BtnCopier, BtnColler, BtnPremier, BtnPrecedent,
    BtnSuivant, BtnDernier, BtnNouvelleFiche, BtnFicheEmploye, BtnProfils, BtnBulletins, BtnCalculer,
    BtnImprimer, BtnImprimerEnveloppe,
    Count
};
constexpr int kCommandCount = static_cast<int>(Cmd::Count);

enum class Pattern { N, D, E, P, B };

enum class Menu { Fichier, Edition, Bases, Paye, Rubriques, Selection, Outils, Parametres,
                  Utilitaires, Aide, ToolBar };

struct CommandInfo
{
    Cmd id;
    Menu menu;
    QString caption;   // with "&" before the access letter; tool buttons: their name
    QString hint;      // shown in the status bar
    QString key;       // QKeySequence text, or empty
    bool on[4];        // available in N, E, P, B (the table's "On" column)
    bool pageDependent;  // set by the patterns E, P and B
    int dEffect;       // pattern D: +1 makes available, -1 unavailable, 0 leaves it
    Cmd parent;        // Cmd::Count, or the submenu holding it
    Cmd action;        // the command whose action a tool button performs (itself for menu items)
    bool separatorBefore;
    bool checkable;
};

namespace commands {

const CommandInfo &info(Cmd id);
const QList<CommandInfo> &all();
// True for a submenu: a command that other rows name as their parent.
bool isSubmenu(Cmd id);
QString menuTitle(Menu menu);
// Help context of a top-level menu: 3 for "&Fichier" to 12 for "&Aide".
int menuHelpContext(Menu menu);
// The keys the dossier window handles for every control inside it: PgDn, PgUp, Ctrl+Home,
// Ctrl+End (Ctrl with no other modifier) and F2; Cmd::Count for any other key.
Cmd dossierKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace commands

// Which commands the enabling patterns make available, and the ticks of the checkable items.
// Whether a command can run also depends on its part of the program being built and on the
// page shown (see Frame::available).
class CommandState
{
public:
    CommandState();   // the N column
    void apply(Pattern pattern);
    bool enabled(Cmd id) const { return m_enabled[static_cast<int>(id)]; }
    void setEnabled(Cmd id, bool on) { m_enabled[static_cast<int>(id)] = on; }

    bool checked(Cmd id) const { return m_checked[static_cast<int>(id)]; }
    void setChecked(Cmd id, bool on) { m_checked[static_cast<int>(id)] = on; }
    // Ticks one item of a radio-like group and unticks the others.
    void checkInGroup(Cmd id);

private:
    std::array<bool, kCommandCount> m_enabled{};
    std::array<bool, kCommandCount> m_checked{};
};
