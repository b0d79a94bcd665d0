#pragma once

#include "employees/copybuffer.h"
#include "employees/employeedialogs.h"
#include "records/employeeform.h"
#include "employees/navigation.h"
#include "records/recordpage.h"
#include "employees/referencelists.h"

#include <QString>
#include <QStringList>

class Dialogs;
class Dossier;

// The employees page of the dossier window: the employee form as the working copy of the current
// employee, with everything around it that the page keeps for the life of the dossier window (the
// selection, the employee part of the copy buffer, the bank and job lists) and the page's own
// commands: searches, selections, sort, the list window, the exchange files and the lists.
// Messages go through the generic dialogs, the page's windows through EmployeeDialogs.
class EmployeesPage : public RecordPage
{
    Q_OBJECT
public:
    EmployeesPage(Dossier &dossier, Dialogs &dialogs, EmployeeDialogs &windows, QObject *parent = nullptr);

    Collection &collection() override;
    const Collection &collection() const override;
    // LitFiche on the current employee.
    void read() override;
    // EcritFiche on the current employee.
    bool writeBack() override;
    // Moves within the selection.
    bool move(Move move) override;
    // Ajout; "Le fichier est plein" when the collection is full.
    bool addRecord() override;
    // Says how many payslips the employee has, when there are any.
    QString deleteQuestion() const override;
    bool deleteCurrent() override;
    // Reads the current record again after a dossier operation changed it from another page,
    // without taking the cursor.
    void reread();
    void copy() override;
    // The copied fields go into the form with the next employee code.
    void paste() override;
    bool hasList() const override { return true; }
    // Only when the collection holds at least 21 lines.
    void list() override;

    EmployeeForm &form() { return m_form; }
    const EmployeeForm &form() const { return m_form; }
    // A keystroke changed the form: it is edited and the dossier modified.
    void formEdited();
    // A message of the view, such as the conversion error of a history amount.
    void showMessage(const QString &text);

    const Selection &selection() const { return m_selection; }
    void setSelectionMode(Selection::Mode mode) { m_selection.mode = mode; }
    // Sets the selection (by postcode or by town, with value) and shows its first record.
    void select(Selection::Mode mode, const QString &value = {});
    // "&Code postal" and "&Ville": asks the value, offering the one chosen before, then
    // select(); cancelled, the value chosen before stays and the selection is set all the same.
    void chooseSelection(Selection::Mode mode);

    // "&Rechercher nom...", "Rechercher &code...", "Rechercher &téléphone...": asks the text.
    void search(SearchKind kind);
    // Finds text: the pending edits are written back and the record found is shown, or
    // "Fiche ... non trouvée". An empty text does nothing.
    void search(SearchKind kind, const QString &text);
    // "Trier employés...": asks the key.
    void sort();
    // Sorts the employees (pending edits written back first); the dossier is modified.
    void sort(SortKey key);
    // A row chosen in the list window: that employee becomes the current one.
    void choose(int number);

    // "E&xporter...": asks the file (".txt" added to a name without extension; "Ce fichier
    // existe déjà" before replacing one) and writes the employees to it.
    void exportFile();
    bool exportTo(const QString &path);
    // "I&mporter...": asks the file and adds its employees, then runs the last-record command;
    // true when the file was read (the frame then applies pattern D). A file that is not text
    // changes nothing.
    bool importFile();
    bool importFrom(const QString &path);

    // The choices of the bank and job fields.
    ReferenceLists &lists() { return m_lists; }
    const ReferenceLists &lists() const { return m_lists; }
    // The amount format of the history amounts ("#", "0.0", "0.00"; empty for the general
    // form). The dossier window sets it, with the lists, as soon as the side files are read:
    // choicesChanged() follows.
    QString amountFormat() const { return m_amountFormat; }
    void setAmountFormat(const QString &format);
    // "&Banques" and "&Emplois": the list editor on that list; choicesChanged() follows.
    void editList(ListEditor::Kind kind);
    // The choices of the "Profil" field: "code name" of every profile of the dossier.
    QStringList profileChoices() const;
    // "&Départements".
    void showDepartments();

Q_SIGNALS:
    // The bank or job list or the amount format changed.
    void choicesChanged();

private:
    void shown();

    Dossier &m_dossier;
    Dialogs &m_dialogs;
    EmployeeDialogs &m_windows;
    EmployeeForm m_form;
    Selection m_selection;
    EmployeeCopy m_copy;
    ReferenceLists m_lists;
    QString m_amountFormat;
};
