#pragma once

#include "employees/employeedialogs.h"
#include "fakedialogs.h"
#include "payroll/caissemodel.h"
#include "payroll/parameters.h"
#include "payroll/payrolldialogs.h"
#include "payroll/reversepayroll.h"
#include "printing/pagesetup.h"
#include "printing/printer.h"
#include "recordingcanvas.h"
#include "reports/statistics.h"
#include "shell/shelldialogs.h"

#include <functional>

// The scripted dialogs above together with the employees', the payroll's and the frame's
// windows and the printer: every window is recorded in the same log ("search: Nom",
// "postcode", "sort", "list", "lists: Banques", "departments", "societe", "paramPaie", "window:
// calendrier", "help: 12", "caisses", "profiles: 2", "payslips: 3, current 1", "print: 1-5"...),
// and those that return a result answer from the queues below (or, for the pickers and the
// one-field dialogs, from inputs). The printer prints on a recording canvas.
class FakeWindows : public FakeDialogs, public EmployeeDialogs, public ShellDialogs, public PayrollDialogs,
                    public Printer
{
public:
    RecordingCanvas printed;
    // For printDialog(): the range chosen, {0, 0} when cancelled.
    QList<std::pair<int, int>> printRanges;
    QList<std::function<bool(PageSetupModel &)>> pageSetupAnswers;

    // What the dialog "Caisses" does to its model.
    QList<std::function<void(CaisseModel &)>> caisseAnswers;
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
    bool pageSetup(PageSetupModel &model) override
    {
        log << QStringLiteral("page setup");
        auto answer = next(pageSetupAnswers, QStringLiteral("Mise en page"), std::function<bool(PageSetupModel &)>());
        return answer && answer(model);
    }
    // The list shown, its lines joined by "|" and their fields by "/".
    void statistics(StatsKind kind, const QStringList &list) override
    {
        log << QStringLiteral("window: statistics %1: ").arg(int(kind)) + list.join(u'|').replace(u'\t', u'/');
    }
    void journal(const QStringList &entries) override
    {
        log << QStringLiteral("window: journal of %1 entries").arg(entries.size());
    }

    // Printer
    Canvas &canvas() override { return printed; }
    bool printDialog(int &from, int &to) override
    {
        log << QStringLiteral("print: %1-%2").arg(from).arg(to);
        const auto [first, last] = next(printRanges, QStringLiteral("print"), std::pair(0, 0));
        if (first == 0)
            return false;
        from = first;
        to = last;
        return true;
    }
    void reversePayroll(ReversePayroll &model) override
    {
        log << QStringLiteral("window: envers %1 of %2").arg(model.profileText()).arg(model.profileChoices().size());
    }

    // PayrollDialogs
    void caisses(CaisseModel &model) override
    {
        log << QStringLiteral("caisses");
        if (auto answer = next(caisseAnswers, QStringLiteral("Caisses"), std::function<void(CaisseModel &)>()))
            answer(model);
    }
    QString chooseProfile(const QStringList &items) override
    {
        log << QStringLiteral("profiles: %1").arg(items.size());
        QString code;
        takeInput(QStringLiteral("Liste des profils"), code);
        return code;
    }
    QString chooseEmployee(const QStringList &items) override
    {
        log << QStringLiteral("employees: %1").arg(items.size());
        QString code;
        takeInput(QStringLiteral("Liste des employés"), code);
        return code;
    }
    int choosePayslip(const QList<PayslipListItem> &items, int current) override
    {
        log << QStringLiteral("payslips: %1, current %2").arg(items.size()).arg(current);
        return next(choices, QStringLiteral("Liste des bulletins"), -1);
    }
    bool cumul(QString &value) override
    {
        log << QStringLiteral("cumul: ") + value;
        return takeInput(QStringLiteral("Modifier cumul"), value);
    }
};
