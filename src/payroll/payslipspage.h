#pragma once

#include "records/recordpage.h"
#include "payroll/calculation.h"
#include "payroll/payslips.h"

#include <QString>

class Dialogs;
class Dossier;
class EmployeesPage;
class PayrollDialogs;
struct Settings;

// The payslips page of the dossier window: the shown payslip's form, the last next number
// computed, the payslip selection, the payslip part of the copy buffer, and the page's commands:
// new payslip, the employee picker, validation, the calculation, the list, the search, the
// selection; and the two commands on the employees' cumuls (editing one, closing the year).
//
// The shown payslip is written back before every operation that shows another payslip or
// reads the collection as a whole (moves, new payslip, list, search, validation, leaving the
// page, saving). Messages and questions go through the generic dialogs, the page's windows
// through PayrollDialogs.
class PayslipsPage : public RecordPage
{
    Q_OBJECT
public:
    PayslipsPage(Dossier &dossier, const Settings &settings, EmployeesPage &employees, Dialogs &dialogs,
                 PayrollDialogs &windows, QObject *parent = nullptr);

    Collection &collection() override;
    const Collection &collection() const override;
    // LitBulletin of the current payslip.
    void read() override;
    // EcritBulletin of the current payslip.
    bool writeBack() override;
    // Moves within the payslip selection.
    bool move(Move move) override;
    // The new-record command: a new payslip, without an employee; "Le fichier est plein" when
    // the file holds 9999 payslips.
    bool addRecord() override;
    // A validated payslip is not deleted: its net is in its employee's cumul and history.
    Status deletable() const override;
    bool deleteCurrent() override;
    void copy() override;
    // The copied fields with the next payslip number. A validated payslip takes nothing: its
    // number, employee and pay stay as they were validated.
    void paste() override;
    bool hasList() const override { return true; }
    // "Liste des bulletins": the payslip chosen becomes the current one.
    void list() override;

    // A dossier loaded or emptied: the next number is computed again and the current payslip
    // read.
    void reset();
    // After a scan of every payslip (statistics, journal), the last payslip in stored order
    // is the current one and shown, as the scan leaves it.
    void showLast();

    PayslipForm &form() { return m_form; }
    const PayslipForm &form() const { return m_form; }
    // The next payslip number as last computed: what a payslip without number shows.
    QString nextNumber() const { return m_nextNumber; }
    // A change to the form: the payslip is edited and the dossier modified.
    void formEdited();
    // A keystroke or a choice in one of the page's fields, already in the form: formEdited,
    // and what the field changes besides. New hours or a new rate empty the overtime fields
    // the calculation filled in, so that it works them out again (changed() is emitted then);
    // overtime typed is the user's and stays. A date chosen replaces a date line that did not
    // read.
    void fieldEdited(PayslipField field);

    // "Créer" and "&Nouveau bulletin": a new payslip filled with the details of the employee
    // shown on the employees page (when that page shows a record).
    bool nouveauBulletin();
    // "...": the employee picker; the payslip takes the chosen employee's details.
    bool pickEmployee();
    // "Valider": the payslip is validated and locked, its employee's cumul, last pay and
    // history follow (the employees page shows that employee). A refusal is shown as a message.
    bool valider();

    // "&Calculer bulletin", the tool button "Calculer", and Enter in a field: the calculation,
    // only while the payslip is not validated. A field that does not read as a number is shown
    // as a message and the payslip stays as it was.
    bool calculable() const { return isCalculable(m_form); }
    bool calculer();
    // A refusal of the page's window (a typed date that is not a date), with the warning icon.
    void showMessage(const QString &text);
    // The payslip's own employee for the calculation (findPayslipEmployee), the employee shown
    // on the employees page as it is being typed.
    std::optional<PayslipEmployee> payslipEmployee(const QString &key) const;

    // "Chercher &bulletin...": asks the number, shows that payslip.
    void chercher();
    // Shows the first payslip whose number equals text (without regard to case); false and
    // nothing done when there is none.
    bool chercher(const QString &text);

    // "T&ous les bulletins" and "&Bulletins par employé...": the selection, then its first
    // payslip. By employee asks the code ("Sélectionner bulletin", the shown payslip's
    // employee code proposed); false, with nothing changed, when cancelled.
    const PayslipSelection &selection() const { return m_selection; }
    bool select(PayslipSelection::Mode mode);
    void select(PayslipSelection::Mode mode, const QString &employeeCode);

    // "M&odifier cumul...": the cumul of the employee shown on the employees page, in the
    // dialog "Modifier cumul".
    bool modifierCumul();
    // "&Clôturer exercice": after the warning, every employee's cumul becomes 0.
    bool cloturer();

private:
    // A new payslip at the end, filled from employee when one is given.
    bool add(const EmployeeForm *employee);

    Dossier &m_dossier;
    const Settings &m_settings;
    EmployeesPage &m_employees;
    Dialogs &m_dialogs;
    PayrollDialogs &m_windows;
    PayslipForm m_form;
    QString m_nextNumber;
    PayslipSelection m_selection;
    PayslipCopy m_copy;
};
