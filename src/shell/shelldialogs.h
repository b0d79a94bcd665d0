#pragma once

#include <QStringList>

class PayrollParametersForm;

// The frame's own modal windows: the parameter dialogs that return a result.
class ShellDialogs
{
public:
    virtual ~ShellDialogs() = default;

    // The company dialog "Société" on the seven letterhead lines: false when cancelled.
    virtual bool societe(QStringList &lines) = 0;
    // The dialog "Paramètres de la paie" on the form: false when cancelled.
    virtual bool paramPaie(PayrollParametersForm &form) = 0;
};
