#pragma once

#include "ports/status.h"

#include "employees/navigation.h"
#include "records/profileform.h"
#include "store/collection.h"

#include <QChar>
#include <QString>
#include <QStringList>

// The entry row under the rubrique table of the profiles page: code, label, the two rates and
// the base kind, chosen in a list that starts at "T".
struct ProfileEntry {
    QString code;
    QString label;
    QString employeeRate;
    QString employerRate;
    QString base = QStringLiteral("T");
};

// The rules of the profiles page over the profile collection and the shown profile: reading
// and writing it back, the moves, adding and deleting a profile, the entry row and its
// modify mode, deleting a rubrique, taking another profile's rubriques, the standard table.
//
// Every operation that changes the profile marks the form edited and returns true: the
// caller then marks the dossier modified.
class ProfileEditor
{
public:
    explicit ProfileEditor(Collection &profiles) : m_profiles(profiles) {}

    // Messages and questions of the page.
    static QString codeUsedMessage();       // "code profil déjà utilisé"
    static QString tooManyMessage();        // "Un profil ne peut pas avoir plus de 63 rubriques"
    static QString standardQuestion();      // "Générer les rubriques ?"
    // The base kinds of the entry row's list, in its order.
    static QStringList baseKinds();
    // The legend beside the table.
    static QStringList legend();
    // Key filter of the rate fields: "." is typed as ",", other keys pass.
    static QChar filterRateKey(QChar key) { return key == u'.' ? QChar(u',') : key; }

    Collection &profiles() { return m_profiles; }
    ProfileForm &form() { return m_form; }
    const ProfileForm &form() const { return m_form; }
    ProfileEntry &entry() { return m_entry; }
    const ProfileEntry &entry() const { return m_entry; }
    // The row being modified (index into the rubriques), or -1 outside modify mode.
    int modifiedRow() const { return m_modifiedRow; }

    // LitProfil of the current profile; the entry row is emptied and modify mode left.
    void read(bool batch = false);
    // EcritProfil of the current profile, when edited.
    bool write();
    // Showing the page: reads the current profile; a dossier whose profile collection holds
    // fewer than 2 lines gets the standard table with the code "10001" (true then).
    bool showPage();

    // PgUp, PgDn, Ctrl+Home, Ctrl+End: write back, move (without the count condition of the
    // employees), read.
    void Deplacer(Move move);
    // The new-record command: write back, then a new profile at the end with the next code.
    // Refused with "Le fichier est plein" past 9998 profiles.
    Status Ajouter();
    // The delete command: removes the current profile, renumbers, reads the new current one.
    // The pending edits of the deleted profile are not written. False when there is none.
    bool Supprimer();

    // "OK" or Enter in a field of the page: stores the entry row into the row being modified,
    // or as a new rubrique after the last one. An entry with empty code and label stores
    // nothing (refused, no message). Refused with a message (nothing changed): a code
    // equal, without regard to case, to a whole line of the profile collection; a 64th
    // rubrique; a rate that does not read as a number. Rates are rewritten with two decimals.
    Status store();
    // ModiRubrique: the row's cells go into the entry row and modify mode is set on it.
    // False for a row that holds no rubrique.
    bool ModiRubrique(int row);
    // SupRubrique: the rubriques after row move up by one. False for a row that holds none.
    bool SupRubrique(int row);
    // Reprendre: the rubriques of the profile whose code line is code replace those of the
    // shown profile (its code, name and observations stay). False when code is empty (the
    // picker was cancelled) or no profile has it.
    bool Reprendre(const QString &code);
    // GenRub: the name "Standard", the standard table, an empty entry row; the code stays.
    void GenRub();

private:
    void clearEntry();

    Collection &m_profiles;
    ProfileForm m_form;
    ProfileEntry m_entry;
    int m_modifiedRow = -1;
};

// The profile part of the copy buffer ("C&opier", "Co&ller"): every rubrique row in use,
// each its five cells joined by TAB.
struct ProfileCopy {
    QStringList rows;

    void Copier(const ProfileForm &form);
    // The form gets the next profile code, the name "Profil copié" and the copied rows in
    // place of its first rows (its rows after them stay); it is marked edited. Pasting before
    // anything was copied changes only the code and the name.
    void Coller(ProfileForm &form, int nextCode) const;
};
