#pragma once

#include "employees/copybuffer.h"
#include "employees/employeeform.h"
#include "employees/exchange.h"
#include "employees/navigation.h"
#include "employees/referencelists.h"
#include "payroll/letterhead.h"
#include "payroll/settings.h"
#include "store/dossier.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Dialogs;
class ShellDialogs;

// The dossier window's logic: it owns the dossier and everything around it (settings,
// letterhead, lists, caisses, payroll parameters, the active page and the selection modes).
// Every frame command reaches the dossier through it.
class Fiche : public QObject
{
    Q_OBJECT
public:
    enum class Page { Employes, Profils, Bulletins };

    Fiche(Dialogs &dialogs, ShellDialogs &windows, QObject *parent = nullptr);

    Dossier &dossier() { return m_dossier; }
    const Dossier &dossier() const { return m_dossier; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    Letterhead &letterhead() { return m_letterhead; }
    ReferenceLists &lists() { return m_lists; }
    QStringList &caisseLines() { return m_caisseLines; }
    QString amountFormat() const { return m_settings.amountFormat; }
    // An amount as every page and printout shows it.
    QString formatAmount(double value) const;

    // The first activation: company, settings, lists and caisses files, each if it exists.
    void loadSideFiles(const QString &directory);
    // On exit: settings, company, lists and caisses files. False if one could not be written
    // (the user has been told which).
    bool saveSideFiles(const QString &directory);

    void Charge(const QString &fileName);
    // Writes the dossier if it is modified; false when a file could not be written.
    bool Sauve(const QString &fileName);
    void SetSauve();
    bool TestModif() const;
    void Nouveau();
    QString dossierFileName() const;
    // The dossier window's caption: the dossier's file name without its folder.
    QString caption() const;

    void GetIni(bool &autoOpen, QString &lastFile) const;
    void SetIni(bool autoOpen);

    int selectionMode() const { return m_selectionMode; }
    int payslipMode() const { return m_payslipMode; }
    void SetSel(int mode);
    void SetBul(int mode);

    Page page() const { return m_page; }
    void Employe();
    void Profil();
    void Bulletin();

    // Deletes the current record of the active page.
    void Supprime();

    // The company dialog and the payroll parameters dialog.
    void Psoc();
    void ParamPaie();

    // The employees page: its form is the working copy of the current employee.
    EmployeeForm &employeeForm() { return m_employeeForm; }
    const Selection &selection() const { return m_selection; }
    // Reads the current employee into the form / writes the form back when it is edited.
    void LitFiche();
    void EcritFiche();
    // A keystroke changed the form: the dossier is modified.
    void formEdited();
    // A message from a page, shown through the platform's dialogs.
    void showMessage(const QString &text);
    // The profile choices of the employee page ("code name" of every profile).
    QStringList profileChoices() const;

    // The four moves on the active page; false when nothing moved.
    bool deplacer(Move move);
    // "&Nouvelle fiche" on the employees page; false (after "Le fichier est plein") when full.
    bool NouvelleFiche();
    // Searches by name, code or telephone; "Fiche ... non trouvée" when nothing is found.
    void rechercher(SearchKind kind, const QString &text);
    // The employee selection: mode 1 all, 2 by postcode, 3 by town; then the first record.
    void selectionner(int mode, const QString &value = {});
    void trier(SortKey key);
    // The list window's choice.
    void choisir(int number);
    void Copier();
    void Coller();
    // Exchange files; false when the user has been told of a failure.
    bool exporter(const QString &path);
    bool importer(const QString &path);

Q_SIGNALS:
    void captionChanged();
    void pageChanged();
    // The employee form was filled anew from its block (move, load, delete...).
    void employeeChanged();

private:
    Collection &activeCollection();
    void reportLoad(const Dossier::LoadReport &report);

    Dialogs &m_dialogs;
    ShellDialogs &m_windows;
    Dossier m_dossier;
    Settings m_settings;
    Letterhead m_letterhead;
    ReferenceLists m_lists;
    QStringList m_caisseLines;
    QString m_sideDirectory;
    Page m_page = Page::Employes;
    int m_selectionMode = 0;
    Selection m_selection;
    EmployeeForm m_employeeForm;
    EmployeeCopy m_employeeCopy;
    int m_payslipMode = 0;
};
