#pragma once

#include "records/recordpage.h"
#include "payroll/profileeditor.h"

#include <QString>

class Dialogs;
class Dossier;
class PayrollDialogs;

// The profiles page of the dossier window: the shown profile and its entry row (ProfileEditor),
// the profile part of the copy buffer, the rubrique selected in the table, and the commands of
// the "&Rubriques" menu. Messages and questions go through the generic dialogs, the picker
// "Liste des profils" through PayrollDialogs.
//
// Every change the user makes marks the profile edited and the dossier modified. The standard
// profile that an empty dossier receives is not the user's change: it is saved with the
// dossier, but alone it does not call for saving.
class ProfilesPage : public RecordPage
{
    Q_OBJECT
public:
    ProfilesPage(Dossier &dossier, Dialogs &dialogs, PayrollDialogs &windows, QObject *parent = nullptr);

    Collection &collection() override;
    const Collection &collection() const override;
    // LitProfil of the current profile; the entry row is emptied.
    void read() override;
    // EcritProfil of the current profile.
    bool writeBack() override;
    bool move(Move move) override;
    // A new profile at the end with the next code; "Le fichier est plein" past 9998.
    bool addRecord() override;
    bool deleteCurrent() override;
    // Every rubrique row in use.
    void copy() override;
    // The next profile code, the name "Profil copié" and the copied rows.
    void paste() override;

    // Showing the page, a dossier loaded or emptied: reads the current profile; a dossier that
    // holds no profile receives the standard one, code "10001", which the page shows.
    void show();

    ProfileEditor &editor() { return m_editor; }
    ProfileForm &form() { return m_editor.form(); }
    const ProfileForm &form() const { return m_editor.form(); }
    ProfileEntry &entry() { return m_editor.entry(); }
    const ProfileEntry &entry() const { return m_editor.entry(); }
    // A keystroke in a field of the page: the profile is edited and the dossier modified.
    void formEdited();

    // The rubrique selected in the table (index into the rubriques), -1 for none.
    int selectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row) { m_selectedRow = row; }

    // "OK", or Enter in a field of the page other than "Observations": stores the entry row.
    // A refusal is shown as a message. True when a rubrique was stored: the view then puts
    // the cursor in the entry's code field (focusRubrique()).
    bool storeEntry();
    // "&Modifier rubrique" and a double click: the selected rubrique goes into the entry row.
    bool modifyRubrique();
    // "&Supprimer rubrique" and the Delete key in the table: the selected rubrique goes.
    bool deleteRubrique();
    // "&Profil standard": asks "Générer les rubriques ?", then the standard table.
    void standard();
    // "&Reprendre profil...": the rubriques of the profile chosen in "Liste des profils".
    void reprendre();

Q_SIGNALS:
    // The entry row awaits a rubrique: the view puts the cursor in its code field.
    void focusRubrique();

private:
    void changedByUser();

    Dossier &m_dossier;
    Dialogs &m_dialogs;
    PayrollDialogs &m_windows;
    ProfileEditor m_editor;
    ProfileCopy m_copy;
    int m_selectedRow = -1;
};
