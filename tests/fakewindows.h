#pragma once

#include "fakedialogs.h"
#include "payroll/parameters.h"
#include "shell/shelldialogs.h"

#include <functional>

// The scripted dialogs above together with the frame's windows, recorded in the same log
// ("societe", "paramPaie"...) and answered from queues of their own.
class FakeWindows : public FakeDialogs, public ShellDialogs
{
public:
    QList<std::function<bool(QStringList &)>> societeAnswers;
    QList<std::function<bool(PayrollParametersForm &)>> paramAnswers;

    bool societe(QStringList &lines) override
    {
        log << QStringLiteral("societe");
        auto answer = next(societeAnswers, QStringLiteral("Société"), std::function<bool(QStringList &)>());
        return answer && answer(lines);
    }
    bool paramPaie(PayrollParametersForm &form) override
    {
        log << QStringLiteral("paramPaie");
        auto answer = next(paramAnswers, QStringLiteral("Paramètres de la paie"),
                           std::function<bool(PayrollParametersForm &)>());
        return answer && answer(form);
    }
};
