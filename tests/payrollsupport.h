#pragma once

#include "payroll/parameters.h"
#include "records/payslipform.h"
#include "records/profileform.h"

#include <QMap>

namespace payrollsupport {

// A rubrique without code: its label, rates and base.
inline Rubrique rub(const QString &label, const QString &employeeRate, const QString &employerRate, const QString &base)
{
    return Rubrique{QString(), label, employeeRate, employerRate, base};
}

// A payslip block's positional lines, those given set (distance -> text).
inline QStringList payslipLines(const QMap<int, QString> &fields)
{
    QStringList lines(PayslipForm::kFieldCount);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        lines[it.key() - 1] = it.value();
    return lines;
}

// The parameters the dossier tests calculate with: a ceiling of 2432, the rest as given.
inline PayrollParameters parameters(double csgBasePercent = 0)
{
    PayrollParameters p;
    p.socialSecurityCeiling = 2432;
    p.csgBasePercent = csgBasePercent;
    return p;
}

} // namespace payrollsupport
