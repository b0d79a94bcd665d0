#pragma once

#include "employees/employeedialogs.h"
#include "fakedialogs.h"
#include "payroll/caissemodel.h"
#include "payroll/parameters.h"
#include "payroll/payrolldialogs.h"
#include "payroll/reversepayroll.h"
#include "printing/pagesetup.h"
#include "ports/printer.h"
#include "recordingcanvas.h"
#include "reports/journal.h"
#include "reports/statistics.h"
#include "shell/monthpayrollmodel.h"
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
    QString searchText(SearchKind kind) override { return logged(QStringLiteral("search: ") + searchCaption(kind)); }
    bool postcode(QString &value) override { return logged(QStringLiteral("postcode"), value); }
    bool town(QString &value) override { return logged(QStringLiteral("town"), value); }
    bool sortKey(SortKey &key) override
    {
        const int chosen = logChoice(QStringLiteral("sort"));
        if (chosen >= 0)
            key = static_cast<SortKey>(chosen);
        return chosen >= 0;
    }
    int chooseEmployee(const QList<EmployeeListRow> &rows, int current) override
    {
        return logChoice(QStringLiteral("list: %1 rows, current %2").arg(rows.size()).arg(current));
    }
    QStringList editList(ListEditor::Kind kind, const QStringList &entries) override
    {
        return next(lists, log.emplaceBack(QStringLiteral("lists: ") + ListEditor::caption(kind)), entries);
    }
    void departments() override { log << QStringLiteral("departments"); }

    // ShellDialogs
    bool societe(QStringList &lines) override { return answer(societeAnswers, QStringLiteral("societe"), lines); }
    bool paramPaie(PayrollParametersForm &form) override { return answer(paramAnswers, QStringLiteral("paramPaie"), form); }
    void calendar() override { log << QStringLiteral("window: calendrier"); }
    void calculator() override { log << QStringLiteral("window: calculatrice"); }
    void clock() override { log << QStringLiteral("window: horloge"); }
    void euroConverter() override { log << QStringLiteral("window: euro"); }
    void notepad(const QString &startDirectory) override { log << QStringLiteral("window: bloc-notes ") + startDirectory; }
    void messagePad(const QString &dossierFile) override { log << QStringLiteral("window: messages ") + dossierFile; }
    void textEditor(const QStringList &letterhead) override { log << QStringLiteral("window: texte ") + letterhead.value(0); }
    void help(int context) override { log << QStringLiteral("help: %1").arg(context); }
    void helpSearch() override { log << QStringLiteral("help search"); }
    void about() override { log << QStringLiteral("window: about"); }
    void printerSetup() override { log << QStringLiteral("window: printer"); }
    bool pageSetup(PageSetupModel &model) override { return answer(pageSetupAnswers, QStringLiteral("page setup"), model); }
    // The list shown, its lines joined by "|" and their fields by "/".
    void statistics(StatsKind kind, const QStringList &list) override
    {
        log << QStringLiteral("window: statistics %1: ").arg(int(kind)) + list.join(u'|').replace(u'\t', u'/');
    }
    void journal(const JournalEntries &entries) override
    {
        log << QStringLiteral("window: journal of %1 entries, %2 left out").arg(entries.lines.size()).arg(entries.uncalculated);
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
    // What the user does in "Paie du mois", one answer per opening.
    QList<std::function<void(MonthPayrollModel &)>> monthAnswers;
    void paieDuMois(MonthPayrollModel &model) override
    {
        if (auto answer = next(monthAnswers, log.emplaceBack(QStringLiteral("window: paie du mois")),
                               std::function<void(MonthPayrollModel &)>()))
            answer(model);
    }

    // PayrollDialogs
    void caisses(CaisseModel &model) override
    {
        if (auto answer = next(caisseAnswers, log.emplaceBack(QStringLiteral("caisses")), std::function<void(CaisseModel &)>()))
            answer(model);
    }
    QString chooseProfile(const QStringList &items) override { return logged(QStringLiteral("profiles: %1").arg(items.size())); }
    QString chooseEmployee(const QStringList &items) override
    {
        return logged(QStringLiteral("employees: %1").arg(items.size()));
    }
    int choosePayslip(const QList<PayslipListItem> &items, int current) override
    {
        return logChoice(QStringLiteral("payslips: %1, current %2").arg(items.size()).arg(current));
    }
    bool cumul(QString &value) override { return logged(QStringLiteral("cumul: ") + value, value); }

private:
    // Logs what was asked and answers it from inputs (a null input cancels).
    QString logged(const QString &what)
    {
        QString text;
        logged(what, text);
        return text;
    }
    bool logged(const QString &what, QString &value) { return takeInput(log.emplaceBack(what), value); }
    int logChoice(const QString &what) { return next(choices, log.emplaceBack(what), -1); }
    // Logs the window and lets the next scripted answer (if any) act on what it shows.
    template <typename T> bool answer(QList<std::function<bool(T &)>> &queue, const QString &what, T &shown)
    {
        const auto act = next(queue, log.emplaceBack(what), std::function<bool(T &)>());
        return act && act(shown);
    }
};
