#pragma once

#include "employees/employeespage.h"
#include "payroll/payslipspage.h"
#include "payroll/profilespage.h"
#include "payroll/letterhead.h"
#include "payroll/settings.h"
#include "store/dossier.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

class Dialogs;
class EmployeeDialogs;
class PayrollDialogs;
class RecordPage;

// The dossier window's logic: it owns the dossier and what lives as long as the window (the
// settings, the letterhead, the caisses, the payroll parameters) and the three pages, and knows
// which page is shown. It holds no page's rules: the frame reaches the page shown through
// activePage(), and the employees page's own commands through employees().
class Fiche : public QObject
{
    Q_OBJECT
public:
    enum class Page { Employes, Profils, Bulletins };

    Fiche(Dialogs &dialogs, EmployeeDialogs &employeeDialogs, PayrollDialogs &payrollDialogs,
          QObject *parent = nullptr);
    ~Fiche() override;

    Dossier &dossier() { return m_dossier; }
    const Dossier &dossier() const { return m_dossier; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    Letterhead &letterhead() { return m_letterhead; }
    QStringList &caisseLines() { return m_caisseLines; }
    QString amountFormat() const { return m_settings.amountFormat; }
    // An amount as every page and printout shows it.
    QString formatAmount(double value) const;

    // The first activation: the company, settings, lists and caisses files, in that order, each
    // if it exists; one that exists but cannot be read is told with the file-error message.
    void loadSideFiles(const QString &directory);
    // On exit: the settings, company, lists and caisses files, in that order, but none that
    // could not be read at start-up. False if one could not be written (the user has been
    // told which).
    bool saveSideFiles(const QString &directory);
    // The settings file alone, written when the payroll parameters are confirmed; false (the
    // user told) when it could not be written.
    bool saveSettings();

    // Loads a dossier and shows its first employee; false, with everything left as it was and
    // the user told, when it could not be read.
    bool Charge(const QString &fileName);
    // Writes the pages' pending edits back, then the dossier if it is modified; false when a
    // file could not be written (the user has been told).
    bool Sauve(const QString &fileName);
    void SetSauve();
    bool TestModif() const;
    // Empties the dossier.
    // A save-as given up: the dossier shows as unnamed, as the save prompt names it.
    void forgetFileName();
    void Nouveau();
    QString dossierFileName() const;
    // The dossier window's caption: the dossier's file name without its folder.
    QString caption() const;

    void GetIni(bool &autoOpen, QString &lastFile) const;
    void SetIni(bool autoOpen);

    // The pages.
    EmployeesPage &employees() { return m_employees; }
    ProfilesPage &profiles() { return m_profiles; }
    PayslipsPage &payslips() { return m_payslips; }
    RecordPage *page(Page page) const { return m_pages[static_cast<size_t>(page)]; }
    Page pageShown() const { return m_page; }
    RecordPage *activePage() const { return page(m_page); }
    // Shows a page; the page left first writes its pending edits back.
    void showPage(Page page);
    // The help context of the page shown: 13 employees, 16 profiles, 14 payslips.
    int helpContext() const;

    // "&Caisses": the dialog "Caisses" on the caisse lines; when it closes, the lines are
    // rebuilt from it and written to Korvel.cai at once (as well as on exit), unless that file
    // could not be read at start-up: it is then left as it is. False when the file was not
    // written (the user has been told; the lines are kept for the session).
    bool Caisse();

Q_SIGNALS:
    void captionChanged();
    void pageChanged();

private:
    void reportLoad(const Dossier::LoadReport &report);
    // A dossier loaded or emptied: the profiles and payslips pages read their first records.
    void resetPayrollPages();
    // Showing the profiles page (a standard profile in an empty dossier) or the payslips page
    // reads its current record.
    void showPayrollPage();

    Dialogs &m_dialogs;
    Dossier m_dossier;
    Settings m_settings;
    Letterhead m_letterhead;
    QStringList m_caisseLines;
    QString m_sideDirectory;
    // Side files found but unreadable at start-up (absolute paths): kept as they are at exit.
    QStringList m_unreadable;
    EmployeesPage m_employees;
    PayrollDialogs &m_payrollDialogs;
    ProfilesPage m_profiles;
    PayslipsPage m_payslips;
    // By Page.
    std::array<RecordPage *, 3> m_pages;
    Page m_page = Page::Employes;
};
