#include "ui/qtpayrolldialogs.h"

#include "ui/caisses.h"
#include "ui/listebulletins.h"
#include "ui/listeemployes.h"
#include "ui/listeprofils.h"
#include "ui/modifcumul.h"

void QtPayrollDialogs::caisses(CaisseModel &model)
{
    TCaisses dialog(model, m_parent);
    dialog.exec();
}

QString QtPayrollDialogs::chooseProfile(const QStringList &items)
{
    return TListeProfils::choose(items, m_parent);
}

QString QtPayrollDialogs::chooseEmployee(const QStringList &items)
{
    TListeEmp picker(m_parent);
    picker.Init(items);
    picker.exec();
    return picker.Result();
}

int QtPayrollDialogs::choosePayslip(const QList<PayslipListItem> &items, int current)
{
    return TListeBulletins::choose(items, current, m_parent);
}

bool QtPayrollDialogs::cumul(QString &value)
{
    return TModifCumul::ask(value, m_parent);
}
