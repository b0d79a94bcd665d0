#pragma once

#include "employees/listeditor.h"
#include "employees/navigation.h"

#include <QList>
#include <QString>
#include <QStringList>

// The employees' modal windows that return a result, and the departments list. The windows
// implement it with Qt dialogs; tests with a scripted fake.
class EmployeeDialogs
{
public:
    virtual ~EmployeeDialogs() = default;

    // A search dialog ("Recherche par nom", "... code employé", "... téléphone"): the text
    // confirmed, empty when cancelled.
    virtual QString searchText(SearchKind kind) = 0;
    // "Code postal" and "Ville", prefilled with value: true with value replaced when confirmed.
    virtual bool postcode(QString &value) = 0;
    virtual bool town(QString &value) = 0;
    // "Trier": true with key set when confirmed.
    virtual bool sortKey(SortKey &key) = 0;
    // The list window "Liste des employés" on its rows, with current selected: the block number
    // chosen, -1 when none was.
    virtual int chooseEmployee(const QList<EmployeeListRow> &rows, int current) = 0;
    // The list editor of "&Banques" or "&Emplois": the edited list, however it was closed.
    virtual QStringList editList(ListEditor::Kind kind, const QStringList &entries) = 0;
    // The window "Départements".
    virtual void departments() = 0;
};
