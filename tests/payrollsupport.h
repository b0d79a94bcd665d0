#pragma once

#include "records/profileform.h"

namespace payrollsupport {

// A rubrique without code: its label, rates and base.
inline Rubrique rub(const QString &label, const QString &employeeRate, const QString &employerRate, const QString &base)
{
    return Rubrique{QString(), label, employeeRate, employerRate, base};
}

} // namespace payrollsupport
