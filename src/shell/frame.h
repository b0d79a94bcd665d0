#pragma once

#include "shell/commands.h"
#include "shell/fiche.h"

#include <QObject>
#include <QString>

class Dialogs;

// The frame's logic behind TMainForm: the start directory, the current file name, the enabling
// of commands, and the new, open, save, save-as, delete and exit flows.
class Frame : public QObject
{
    Q_OBJECT
public:
    Frame(Fiche &fiche, Dialogs &dialogs, QObject *parent = nullptr);

    Fiche &fiche() { return m_fiche; }
    const CommandState &commands() const { return m_commands; }
    QString currentFileName() const { return m_currentFileName; }
    QString startDirectory() const { return m_startDirectory; }
    QString caption() const;   // "Korvel"

    // When the frame is first shown: records the start directory and opens the last dossier
    // when auto-open is set.
    void firstShow(const QString &startDirectory);

    void nouveau();
    void ouvrir();
    void enregistrer();
    void enregistrerSous();
    void supprimer();
    // The close query: false when the user chose Annuler in the save prompt.
    bool queryClose();
    // On close: back to the start directory, then the settings, company, lists and caisses files.
    void close();

    void showPage(Fiche::Page page);
    void toggleAutoOpen();
    void tousLesEmployes();
    void tousLesBulletins();
    // The employee selection items: tick item, set the mode (with the postcode or town) and
    // show the first record of the selection.
    void selectionEmployes(Cmd item, int mode, const QString &value = {});
    // "&Nouvelle fiche" and "I&mporter..." apply pattern D alone.
    void nouvelleFiche();
    void importer();
    void exporter();

    // Replaces the extension of a path's file name by ".emp" (appends it when there is none).
    static QString withEmpExtension(const QString &path);

Q_SIGNALS:
    void commandsChanged();
    void captionChanged();

private:
    enum class Prompt { Continue, Stop };
    Prompt savePrompt();
    bool saveAsFlow();
    void applyPatterns(std::initializer_list<Pattern> patterns);

    Fiche &m_fiche;
    Dialogs &m_dialogs;
    CommandState m_commands;
    QString m_startDirectory;
    QString m_currentFileName;
};
