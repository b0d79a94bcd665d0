#pragma once

#include <QString>

// The payslip selection of "&Sélection" on the payslips page: every payslip ("T&ous les
// bulletins"), or the payslips of one employee ("&Bulletins par employé...") whose employee code
// line is exactly employeeCode. Moves on the payslips page visit only the payslips selected.
struct PayslipSelection {
    enum Mode { AllPayslips = 0, ByEmployee = 1 };
    Mode mode = AllPayslips;
    QString employeeCode;
};
