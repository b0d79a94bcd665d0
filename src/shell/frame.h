#pragma once

#include "shell/commands.h"
#include "shell/fiche.h"

#include <QObject>
#include <QString>

#include <functional>

class Canvas;
class Dialogs;
class Printer;
class ShellDialogs;
struct PrintResult;
enum class StatsKind;

// The frame's logic behind TMainForm: the start directory, the current file name, the enabling
// of commands, the new, open, save, save-as, delete and exit flows, and the dispatch of every
// command of the table. The window builds its menus and tool bar from the table, asks
// available() and checked() to show them, and hands every trigger and key to run().
class Frame : public QObject
{
    Q_OBJECT
public:
    Frame(Fiche &fiche, Dialogs &dialogs, ShellDialogs &windows, QObject *parent = nullptr);
    // With the session's printer, which every print command prints on. A frame made without
    // one has no printer at all: its print commands say "Aucune imprimante par défaut
    // sélectionnée" and print nothing.
    Frame(Fiche &fiche, Dialogs &dialogs, ShellDialogs &windows, Printer &printer, QObject *parent = nullptr);

    // What draws a printout into a PDF file ("PDF..." of "Paie du mois"); without it the
    // window's PDF files say there is no printer.
    using PdfWriter = std::function<PrintResult(const QString &path, const std::function<PrintResult(Canvas &)> &)>;
    void setPdfWriter(PdfWriter writer) { m_pdfWriter = std::move(writer); }

    Fiche &fiche() { return m_fiche; }
    const CommandState &commands() const { return m_commands; }
    QString currentFileName() const { return m_currentFileName; }
    QString startDirectory() const { return m_startDirectory; }
    QString caption() const;   // "Korvel"

    // True when the command can be run now: its enabling pattern allows it, its part of the
    // program is built, and the page shown offers it (the moves, new record, delete, copy,
    // paste and the list window are the page's; the searches, selections, sort and exchange
    // files the employees page's). A submenu is offered when one of its items is.
    bool available(Cmd id) const;
    // The tick of a checkable item.
    bool checked(Cmd id) const { return m_commands.checked(id); }
    // Runs a command as its menu item, tool button or key does; nothing when it is not
    // available.
    void run(Cmd id);

    // When the frame is first shown: records the start directory and opens the last dossier
    // when auto-open is set.
    void firstShow(const QString &startDirectory);

    // The flows behind the commands.
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
    // The employee selection items: tick the item, set the selection (with the postcode or
    // town) and show the first record of the selection.
    void selectionEmployes(Cmd item, Selection::Mode mode, const QString &value = {});
    // "&Code postal" and "&Ville": the value is asked first (cancelled, the value chosen before
    // stays); the item is ticked and the selection set either way.
    void chooseSelection(Cmd item, Selection::Mode mode);
    // "&Nouvelle fiche" and "I&mporter..." apply pattern D alone.
    void nouvelleFiche();
    void importer();
    // The company dialog and the payroll parameters dialog (whose values are in force as soon as
    // it is confirmed; the settings file is written then).
    void societe();
    void paramPaie();
    // "&Nouveau bulletin": the payslips page, then a new payslip for the employee shown on the
    // employees page.
    void nouveauBulletin();
    // The payslip selection items: the selection is set (by employee, the code is asked first;
    // cancelled, nothing changes), the item ticked and the selection's first payslip shown.
    void selectionBulletins(Cmd item, PayslipSelection::Mode mode);
    // "&Paye à l'envers": the page shown writes its edits back, then the dialog works on a copy
    // of the profiles with the ceiling.
    void payeEnvers();
    // "Paie du &mois...": both pages write their edits back, the window works on the
    // dossier, and the pages read what they show again when it closes.
    void paieDuMois();

    // The print commands. Each writes the record shown back first, prints on the session's
    // printer and shows why when nothing could be printed (no printer, a refused job, an amount
    // that is not a number).
    // "&Imprimer fiche", "&Imprimer bulletin" and the tool button "Imprimer": what the page
    // shown prints (ImpFiche).
    void imprimerFiche();
    // "&Liste employés..." and "&Enveloppes...": the print dialog with the range of the
    // employees, then the list (ImpListe) or one envelope per employee (Enveloppes).
    void imprimerListe();
    void imprimerEnveloppes();
    // "&Enveloppe courante" and the tool button "Imprimer enveloppe", on the employees and
    // payslips pages: "Insérez une enveloppe dans l'imprimante", then the envelope (ImpEnv).
    void enveloppeCourante();
    // "&Mise en page": the page set-up settings, written to the settings file at exit.
    void miseEnPage();
    // The four statistics and "&Journal comptable": the record shown written back, every
    // payslip read with "Bulletin " + its index in the status panel (emptied after), the last
    // payslip left current (not by the caisse statistic, which reads the payslip lines), then
    // the window.
    void statistiques(StatsKind kind);
    void journal();

    // Replaces the extension of a path's file name by ".emp" (appends it when there is none).
    static QString withEmpExtension(const QString &path);

Q_SIGNALS:
    void commandsChanged();
    void captionChanged();
    // "&Quitter": the window closes, through the exit flow.
    void quitRequested();
    // The text of the status bar's first panel: the progress of a scan of the payslips.
    void progressChanged(const QString &text);

private:
    enum class Prompt { Continue, Stop };
    Prompt savePrompt();
    bool saveAsFlow();
    void applyPatterns(std::initializer_list<Pattern> patterns);
    // What an action does now; an empty function when it cannot run.
    std::function<void()> handler(Cmd action);
    // Prints on the session's printer; a printout that failed is shown.
    void print(const std::function<PrintResult(Canvas &)> &printout);
    // The print dialog on the range of the employees, then the printout of the range chosen.
    void printEmployees(const std::function<PrintResult(Canvas &, int from, int to)> &printout);

    Fiche &m_fiche;
    Dialogs &m_dialogs;
    ShellDialogs &m_windows;
    CommandState m_commands;
    QString m_startDirectory;
    QString m_currentFileName;
    Printer *m_printer = nullptr;
    PdfWriter m_pdfWriter;
};
