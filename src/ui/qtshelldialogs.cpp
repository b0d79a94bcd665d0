#include "ui/qtshelldialogs.h"

#include "ui/parampaie.h"
#include "ui/societe.h"

bool QtShellDialogs::societe(QStringList &lines)
{
    TSociete dlg(m_parent);
    dlg.Init(lines);
    dlg.exec();
    QStringList result;
    dlg.Result(result);
    if (result.isEmpty() || result.first().isEmpty())
        return false;
    lines = result;
    return true;
}

bool QtShellDialogs::paramPaie(PayrollParametersForm &form)
{
    TParamPaie dlg(form, m_parent);
    return dlg.exec() == QDialog::Accepted;
}
