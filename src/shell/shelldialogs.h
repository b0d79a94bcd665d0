#pragma once

#include <QString>
#include <QStringList>

class MonthPayrollModel;
class PageSetupModel;
class PayrollParametersForm;
class ReversePayroll;
enum class StatsKind;
struct JournalEntries;

// The frame's own windows: the parameter dialogs that return a result, and the windows that
// return nothing (the desk accessories, the help, the About box, the printer set-up). The
// windows implement it with Qt; tests with a scripted fake, so that running a command needs no
// window code.
class ShellDialogs
{
public:
    virtual ~ShellDialogs() = default;

    // The company dialog "Société" on the seven letterhead lines: false when cancelled.
    virtual bool societe(QStringList &lines) = 0;
    // The dialog "Paramètres de la paie" on the form: false when cancelled.
    virtual bool paramPaie(PayrollParametersForm &form) = 0;

    // The desk accessories, each modal and freed when it closes.
    virtual void calendar() = 0;
    // The calculator keeps its registers for the life of the program.
    virtual void calculator() = 0;
    virtual void clock() = 0;
    virtual void euroConverter() = 0;
    // The notepad on Korvel.nte in the start directory.
    virtual void notepad(const QString &startDirectory) = 0;
    // The message pad of a dossier (its ".oms" file).
    virtual void messagePad(const QString &dossierFile) = 0;
    // The letter editor, its new documents headed by the letterhead.
    virtual void textEditor(const QStringList &letterhead) = 0;
    // "Paye à l'envers" on its model (already given the profiles and the ceiling); nothing is
    // read back.
    virtual void reversePayroll(ReversePayroll &model) = 0;
    // "Paie du mois" on its model, until "Fermer" or Escape.
    virtual void paieDuMois(MonthPayrollModel &model) = 0;

    // The help on the topic of a context number: 0 the contents, 12 help on help, 3 to 11 the
    // menus, 13, 14 and 16 the pages of the dossier window.
    virtual void help(int context) = 0;
    // The keyword search of the help.
    virtual void helpSearch() = 0;
    virtual void about() = 0;
    // The platform's printer set-up: the choice is kept for the printouts.
    virtual void printerSetup() = 0;
    // "Mise en page" on the model: true after "OK", the model then holding the choices.
    virtual bool pageSetup(PageSetupModel &model) = 0;
    // The window of a statistic on its list (TStatsE, TStatsP, TStatsR or TStatsC), and
    // "Journal de paie" (TCompta) on the journal's entries; both print on the session's printer.
    virtual void statistics(StatsKind kind, const QStringList &list) = 0;
    virtual void journal(const JournalEntries &entries) = 0;
};
