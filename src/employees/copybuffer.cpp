#include "employees/copybuffer.h"

void EmployeeCopy::Copier(const EmployeeForm &form)
{
    for (size_t i = 0; i < kDistances.size(); ++i)
        fields[i] = form.fieldText(kDistances[i]);
}

void EmployeeCopy::Coller(EmployeeForm &form, int nextCode) const
{
    for (size_t i = 1; i < kDistances.size(); ++i)
        form.setFieldText(kDistances[i], fields[i]);
    form.code = QString::number(nextCode);
    form.edited = true;
}
