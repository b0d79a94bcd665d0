#pragma once

#include "shell/sidefiles.h"
#include "store/dossier.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Dialogs;

// The dossier window's logic: it owns the dossier and everything around it (settings,
// letterhead, lists, caisses, payroll parameters, the active page and the selection modes).
// Every frame command reaches the dossier through it.
class Fiche : public QObject
{
    Q_OBJECT
public:
    enum class Page { Employes, Profils, Bulletins };

    explicit Fiche(Dialogs &dialogs, QObject *parent = nullptr);

    Dossier &dossier() { return m_dossier; }
    const Dossier &dossier() const { return m_dossier; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    QStringList &letterhead() { return m_letterhead; }
    QStringList &banks() { return m_banks; }
    QStringList &jobs() { return m_jobs; }
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

Q_SIGNALS:
    void captionChanged();
    void pageChanged();

private:
    Collection &activeCollection();
    void reportLoad(const Dossier::LoadReport &report);

    Dialogs &m_dialogs;
    Dossier m_dossier;
    Settings m_settings;
    QStringList m_letterhead;
    QStringList m_banks;
    QStringList m_jobs;
    QStringList m_caisseLines;
    QString m_sideDirectory;
    Page m_page = Page::Employes;
    int m_selectionMode = 0;
    int m_payslipMode = 0;
};
