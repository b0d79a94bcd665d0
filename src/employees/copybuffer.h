#pragma once

#include "records/employeeform.h"

#include <QString>

#include <array>

// The employee part of the copy buffer ("C&opier", "Co&ller"): ten fields of the employee
// form, kept by the dossier window for as long as it exists, never written anywhere.
struct EmployeeCopy {
    // The copied fields, the code first.
    static constexpr std::array<int, 10> kDistances{
        EmployeeForm::kCode,     EmployeeForm::kName,  EmployeeForm::kAddress1,  EmployeeForm::kAddress2,
        EmployeeForm::kPostcode, EmployeeForm::kTown,  EmployeeForm::kTelephone, EmployeeForm::kEmail,
        EmployeeForm::kAccount,  EmployeeForm::kEducation};

    std::array<QString, 10> fields;

    // Copies the ten fields from the form, unsaved edits included.
    void Copier(const EmployeeForm &form);
    // Puts the nine fields other than the code back into the form; the code becomes
    // nextCode (the next employee code). The form is marked edited; the caller marks the
    // dossier modified. Pasting before anything was copied puts empty texts.
    void Coller(EmployeeForm &form, int nextCode) const;
};
