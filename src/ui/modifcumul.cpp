#include "ui/modifcumul.h"

#include "payroll/payslips.h"
#include "ui/widgets.h"

#include <QLineEdit>

TModifCumul::TModifCumul(QWidget *parent)
    : TSaisie(payslips::cumulCaption(), payslips::cumulLabel(), nullptr, parent)
{
    setObjectName(QStringLiteral("TModifCumul"));
    field()->setValidator(new NumericValidator(field()));
    auto *keys = new NumericKeyFilter(field());
    field()->installEventFilter(keys);
    connect(keys, &NumericKeyFilter::enterPressed, this, &QDialog::accept);
}

bool TModifCumul::ask(QString &value, QWidget *parent)
{
    TModifCumul dialog(parent);
    dialog.Init(value);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.Result();
    return true;
}
