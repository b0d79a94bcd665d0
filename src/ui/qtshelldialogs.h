#pragma once

#include "accessories/calculator.h"
#include "shell/shelldialogs.h"

class QWidget;

// The frame's windows as Qt windows over the frame.
class QtShellDialogs : public ShellDialogs
{
public:
    explicit QtShellDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    bool societe(QStringList &lines) override;
    bool paramPaie(PayrollParametersForm &form) override;
    void calendar() override;
    void calculator() override;
    void clock() override;
    void euroConverter() override;
    void notepad(const QString &startDirectory) override;
    void messagePad(const QString &dossierFile) override;
    void textEditor(const QStringList &letterhead) override;
    void reversePayroll(ReversePayroll &model) override;
    void paieDuMois(MonthPayrollModel &model) override;
    void help(int context) override;
    void helpSearch() override;
    void about() override;
    void printerSetup() override;
    bool pageSetup(PageSetupModel &model) override;
    void statistics(StatsKind kind, const QStringList &list) override;
    void journal(const JournalEntries &entries) override;

private:
    QWidget *m_parent;
    // The calculator's registers are kept for the program's life.
    Calculator m_calculator;
};
