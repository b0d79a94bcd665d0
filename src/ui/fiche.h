#pragma once

#include "shell/commands.h"
#include "shell/fiche.h"

#include <QWidget>

class QStackedWidget;
class QLabel;
class TPageBulletins;
class TPageEmployes;
class TPageProfils;

// The dossier window: always maximised inside the frame, without buttons of its own; its three
// pages (employees, profiles, payslips) have no visible tabs and are switched from the frame.
// PgUp, PgDn, Ctrl+Home, Ctrl+End and F2 are handled for every control inside it.
class TFiche : public QWidget
{
    Q_OBJECT
public:
    TFiche(Fiche &fiche, QWidget *parent = nullptr);

    Fiche &fiche() { return m_fiche; }
    QWidget *page(Fiche::Page page) const;
    QWidget *currentPage() const;
    TPageEmployes *employeePage() const { return m_employees; }
    TPageProfils *profilesPage() const { return m_profiles; }
    TPageBulletins *payslipsPage() const { return m_payslips; }
    // The help context of the page shown.
    int helpContext() const { return m_fiche.helpContext(); }
    // What leaving the focused field does (completing the account, splitting the profile) is
    // done before a command writes the record back.
    void commitEdits();

Q_SIGNALS:
    // A key of the dossier window asks for a command.
    void keyCommand(Cmd command);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPage();
    void refreshCaption();
    // The choices of the employee page (banks, jobs, profiles) and its amount format.
    void refreshChoices();
    // A page just shown takes the cursor in its first field, unless it already holds it.
    void focusShownPage();

    Fiche &m_fiche;
    QLabel *m_caption;
    QStackedWidget *m_pages;
    TPageEmployes *m_employees;
    TPageProfils *m_profiles;
    TPageBulletins *m_payslips;
};
