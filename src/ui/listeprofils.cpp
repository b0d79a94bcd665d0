#include "ui/listeprofils.h"

TListeProfils::TListeProfils(QWidget *parent) : TListeEmp(parent)
{
    setWindowTitle(QStringLiteral("Liste des profils"));
    setObjectName(QStringLiteral("TListeProfils"));
}

QString TListeProfils::choose(const QStringList &items, QWidget *parent)
{
    TListeProfils picker(parent);
    picker.Init(items);
    picker.exec();
    return picker.Result();
}
