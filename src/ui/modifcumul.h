#pragma once

#include "ui/recherche.h"

// "Modifier cumul": the field "Cumul de l'employé", prefilled with the employee's cumul, takes
// digits and "," ("." is typed ","); "OK" (or Enter) confirms, "Annuler" (or Escape) cancels.
// The completion of the text typed is the core's.
class TModifCumul : public TSaisie
{
    Q_OBJECT
public:
    explicit TModifCumul(QWidget *parent = nullptr);
    // Shows the dialog prefilled with value: true with value replaced by the text typed when
    // confirmed; false, value unchanged, when cancelled.
    static bool ask(QString &value, QWidget *parent = nullptr);
};
