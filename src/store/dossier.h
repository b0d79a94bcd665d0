#pragma once

#include "ports/status.h"
#include "store/collection.h"
#include "text/encoding.h"

#include <QString>

// One company's dossier: three files side by side, each holding one collection.
//
//     employees   the dossier file itself, e.g. ".../paie.emp"
//     profiles    base name + "Prl"   (base name = dossier path minus its last three characters)
//     payslips    base name + "Pai"
//
// On load the three files are found whatever the case of their names; on saving an existing
// file is replaced under its own spelling (a dossier opened as "PAIE.Emp" is saved as
// "PAIE.Emp", never beside it as "PAIE.emp"), and otherwise the side files are spelled "Prl"
// and "Pai". Files are Windows-1252 with CR LF line ends and the three are written together, all or none.
//
// The dossier does only the file and collection part of loading and saving. Its owner (the
// dossier window's logic) shows the messages, reads the forms after Charge, and writes the
// edited forms back into their blocks before calling Sauve (only needed when TestModif() is
// true, since an edit always sets the modified flag).
class Dossier
{
public:
    enum class Kind { Employees, Profiles, Payslips };

    // "Des fichiers ont été altérés\r\nVérifiez s'il n'y a pas eu perte de données"
    static QString alteredMessage();
    // "Le fichier est plein"
    static QString fullMessage();

    // What loading did to one collection.
    struct CollectionReport {
        text::FileResult file;              // the file read (or looked for) and how that went
        int blocks = 0;                     // count after the repairs
        bool rebuilt = false;               // verif() found unbalanced tags and rebuilt
        int duplicatesRemoved = 0;          // doublons(): identical copies removed
        int duplicatesMoved = 0;            // doublons(): differing copies renumbered at the end
        bool renumbered = false;            // normalise() acted
        int dropped = 0;                    // blocks past the 9999 limit, lost in a rebuild
        bool repaired() const { return rebuilt || duplicatesRemoved > 0 || duplicatesMoved > 0 || renumbered; }
    };

    struct LoadReport {
        // False when the dossier file is missing or one of the three files exists but cannot
        // be read; the dossier is then left as it was (except that a missing dossier file
        // empties the dossier file name) and failure names the file.
        bool ok = false;
        text::FileResult failure;
        CollectionReport employees, profiles, payslips;

        const CollectionReport &report(Kind kind) const;
        // True when a collection had to be repaired in any way: the caller shows
        // alteredMessage().
        bool alteredMessageDue() const;
        // "Le fichier n'existe pas" or "Impossible de lire le fichier " + full name.
        QString errorMessage() const;
    };

    Dossier() = default;

    Collection &employees() { return m_employees; }
    Collection &profiles() { return m_profiles; }
    Collection &payslips() { return m_payslips; }
    const Collection &employees() const { return m_employees; }
    const Collection &profiles() const { return m_profiles; }
    const Collection &payslips() const { return m_payslips; }
    Collection &collection(Kind kind);
    const Collection &collection(Kind kind) const;

    // Full path of the dossier file; empty for a new dossier. And of the side files.
    QString fileName() const { return m_fileName; }
    QString profileFileName() const { return m_profileFileName; }
    QString payslipFileName() const { return m_payslipFileName; }
    QString fileName(Kind kind) const;

    // Loads a dossier: the three collections are replaced by the files' lines (a missing side
    // file gives an empty collection), each is counted, checked and repaired (verif, doublons,
    // normalise), the current numbers become 0, and the modified flag is set only when a
    // repair changed a collection. Nothing is shown.
    LoadReport Charge(const QString &fileName);
    // When modified: removes leading blank lines (squize), takes fileName as the dossier file
    // name, derives the side files (Synchro) and writes the three files together, empty
    // collections as empty files, then clears the modified flag. The three files are replaced
    // all or none (store::replaceTogether): on a failure the files on disk are as they were,
    // the names stay what they were, the dossier stays modified, nothing in memory is lost
    // and the result names the file. Each file's previous version stays beside it as
    // NAME.bak.
    // A refusal says "Impossible d'enregistrer le fichier " + the full name of the file.
    Status Sauve(const QString &fileName);
    // Sets the modified flag.
    void SetSauve() { m_modified = true; }
    // The modified flag: the dossier differs from its files.
    bool TestModif() const { return m_modified; }
    // Empties the dossier: three empty collections, no file name, not modified.
    void Nouveau();
    // The dossier keeps its records but no longer names a file (a save-as given up): the next
    // save asks for a name.
    void forgetFileName();
    // Derives the profile and payslip file names from the dossier file name.
    void Synchro();
    // Squize, Squize2, Squize3.
    void Squize();

    // The file a dossier path names: an existing file whose name differs only in case when
    // there is one (an exact match first), the path itself otherwise.
    static QString existingFile(const QString &fileName);
    // The dossier path without its last three characters ("…/paie.emp" gives "…/paie.").
    static QString baseName(const QString &fileName);
    // The side file base + extension, found whatever the case of its extension; base +
    // extension as given when there is none.
    static QString sideFile(const QString &fileName, const QString &extension);

private:
    Collection m_employees;
    Collection m_profiles;
    Collection m_payslips;
    QString m_fileName;
    QString m_profileFileName;
    QString m_payslipFileName;
    bool m_modified = false;
};
