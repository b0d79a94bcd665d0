#pragma once

#include "employees/employeedialogs.h"
#include "fakedialogs.h"
#include "payroll/parameters.h"
#include "shell/shelldialogs.h"

#include <functional>

// The scripted dialogs above together with the employees' and the frame's windows: every window
// is recorded in the same log ("search: Nom", "postcode", "sort", "list", "lists: Banques",
// "departments", "societe", "paramPaie", "window: calendrier", "help: 12"...), and those that
// return a result answer from the queues below (or, for the one-field dialogs, from inputs).
class FakeWindows : public FakeDialogs, public EmployeeDialogs, public ShellDialogs
{
public:
    QList<int> choices;   // for sortKey() (a SortKey value, -1 cancels) and chooseEmployee()
    QList<QStringList> lists;   // for editList(): the edited list
    QList<std::function<bool(QStringList &)>> societeAnswers;
    QList<std::function<bool(PayrollParametersForm &)>> paramAnswers;

    // EmployeeDialogs
    QString searchText(SearchKind kind) override
    {
        const QString what = QStringLiteral("search: ") + searchCaption(kind);
        log << what;
        QString text;
        takeInput(what, text);
        return text;
    }
    bool postcode(QString &value) override
    {
        log << QStringLiteral("postcode");
        return takeInput(QStringLiteral("postcode"), value);
    }
    bool town(QString &value) override
    {
        log << QStringLiteral("town");
        return takeInput(QStringLiteral("town"), value);
    }
    bool sortKey(SortKey &key) override
    {
        log << QStringLiteral("sort");
        const int chosen = next(choices, QStringLiteral("sort"), -1);
        if (chosen < 0)
            return false;
        key = static_cast<SortKey>(chosen);
        return true;
    }
    int chooseEmployee(const QList<EmployeeListRow> &rows, int current) override
    {
        log << QStringLiteral("list: %1 rows, current %2").arg(rows.size()).arg(current);
        return next(choices, QStringLiteral("list"), -1);
    }
    QStringList editList(ListEditor::Kind kind, const QStringList &entries) override
    {
        log << QStringLiteral("lists: ") + ListEditor::caption(kind);
        return next(lists, ListEditor::caption(kind), entries);
    }
    void departments() override { log << QStringLiteral("departments"); }

    // ShellDialogs
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
    void calendar() override { log << QStringLiteral("window: calendrier"); }
    void calculator() override { log << QStringLiteral("window: calculatrice"); }
    void clock() override { log << QStringLiteral("window: horloge"); }
    void euroConverter() override { log << QStringLiteral("window: euro"); }
    void notepad(const QString &startDirectory) override { log << QStringLiteral("window: bloc-notes ") + startDirectory; }
    void messagePad(const QString &dossierFile) override { log << QStringLiteral("window: messages ") + dossierFile; }
    void textEditor(const QStringList &letterhead) override
    {
        log << QStringLiteral("window: texte ") + letterhead.value(0);
    }
    void help(int context) override { log << QStringLiteral("help: %1").arg(context); }
    void helpSearch() override { log << QStringLiteral("help search"); }
    void about() override { log << QStringLiteral("window: about"); }
    void printerSetup() override { log << QStringLiteral("window: printer"); }
};
