#pragma once

#include "payroll/payslips.h"

#include <QList>
#include <QString>
#include <QStringList>

class CaisseModel;

// The payroll's modal windows that return a result. The windows implement it with Qt dialogs;
// tests with a scripted fake. Messages and questions go through the generic Dialogs, the input
// boxes "Chercher bulletin" and "Sélectionner bulletin" too.
class PayrollDialogs
{
public:
    virtual ~PayrollDialogs() = default;

    // The dialog "Caisses" on model: when it returns, model holds what was stored in it (the
    // fields as typed and not stored are not kept).
    virtual void caisses(CaisseModel &model) = 0;
    // The picker "Liste des profils" on its items ("code name"): the code of the item chosen,
    // empty when cancelled or when nothing was selected.
    virtual QString chooseProfile(const QStringList &items) = 0;
    // The payslip's employee picker "Liste des employés" on its items ("code name"): the code
    // of the item chosen, empty when cancelled.
    virtual QString chooseEmployee(const QStringList &items) = 0;
    // "Liste des bulletins" on its items, the item of block current selected: the block of the
    // item chosen, -1 when none was (Escape, or nothing selected).
    virtual int choosePayslip(const QList<PayslipListItem> &items, int current) = 0;
    // "Modifier cumul" prefilled with value: true with value replaced when confirmed with OK.
    virtual bool cumul(QString &value) = 0;
};
