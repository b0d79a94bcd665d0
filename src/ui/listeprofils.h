#pragma once

#include "ui/listeemployes.h"

// The profile picker "Liste des profils" of "&Reprendre profil...": one item "code name" per
// profile in block order; "OK", Enter or a double click returns the chosen profile's code,
// "Annuler" nothing. It works as the employee picker does.
class TListeProfils : public TListeEmp
{
    Q_OBJECT
public:
    explicit TListeProfils(QWidget *parent = nullptr);

    // The code chosen among items, empty when cancelled or when nothing was selected.
    static QString choose(const QStringList &items, QWidget *parent = nullptr);
};
