#include "ui/qtshelldialogs.h"

#include "ui/about.h"
#include "ui/blocnotes.h"
#include "ui/calendrier.h"
#include "ui/compta.h"
#include "ui/eurof.h"
#include "ui/fichemsg.h"
#include "ui/help.h"
#include "ui/horloge.h"
#include "ui/mainform.h"
#include "ui/mpage.h"
#include "ui/parampaie.h"
#include "ui/paiemois.h"
#include "ui/penvers.h"
#include "ui/pocket.h"
#include "ui/qtprinter.h"
#include "ui/societe.h"
#include "ui/stats.h"
#include "ui/texte.h"


bool QtShellDialogs::societe(QStringList &lines)
{
    TSociete dlg(m_parent);
    dlg.Init(lines);
    dlg.exec();
    QStringList result;
    dlg.Result(result);
    if (result.isEmpty() || result.first().isEmpty())
        return false;
    lines = result;
    return true;
}

bool QtShellDialogs::paramPaie(PayrollParametersForm &form)
{
    TParamPaie dlg(form, m_parent);
    return dlg.exec() == QDialog::Accepted;
}

void QtShellDialogs::calendar()
{
    TCalendrier w(m_parent);
    w.exec();
}

void QtShellDialogs::calculator()
{
    TPocket w(m_calculator, m_parent);
    w.exec();
}

void QtShellDialogs::clock()
{
    THorloge w(m_parent);
    w.exec();
}

void QtShellDialogs::euroConverter()
{
    TEurof w(m_parent);
    w.exec();
}

void QtShellDialogs::notepad(const QString &startDirectory)
{
    TBlocNotes w(startDirectory, m_parent);
    w.exec();
}

void QtShellDialogs::messagePad(const QString &dossierFile)
{
    TFicheMsg w(dossierFile, m_parent);
    w.exec();
}

void QtShellDialogs::textEditor(const QStringList &letterhead)
{
    TTexte w(letterhead, m_parent);
    w.exec();
}

void QtShellDialogs::reversePayroll(ReversePayroll &model)
{
    TPEnvers w(model, m_parent);
    w.exec();
}

void QtShellDialogs::paieDuMois(MonthPayrollModel &model)
{
    TPaieMois w(model, m_parent);
    w.exec();
}

void QtShellDialogs::help(int context)
{
    THelp w(m_parent);
    w.showContext(context);
    w.exec();
}

void QtShellDialogs::helpSearch()
{
    THelpSearch search(m_parent);
    if (search.exec() != QDialog::Accepted || search.chosenTopic().isEmpty())
        return;
    THelp w(m_parent);
    w.showTopic(search.chosenTopic());
    w.exec();
}

void QtShellDialogs::about()
{
    TAbout box(m_parent);
    box.exec();
}

void QtShellDialogs::printerSetup()
{
    // Only the choice of printer and its settings are kept; nothing is printed here.
    QtPrinter::choose(TMainForm::currentPrinter(), m_parent, QStringLiteral("Configuration de l'impression"),
                      QStringLiteral("OK"));
}

bool QtShellDialogs::pageSetup(PageSetupModel &model)
{
    return TMPage::edit(model, m_parent);
}

void QtShellDialogs::statistics(StatsKind kind, const QStringList &list)
{
    QtPrinter printer(TMainForm::currentPrinter(), m_parent);
    TStats w(kind, list, printer, nullptr, m_parent);
    w.exec();
}

void QtShellDialogs::journal(const JournalEntries &entries)
{
    QtPrinter printer(TMainForm::currentPrinter(), m_parent);
    TCompta w(entries, printer, nullptr, m_parent);
    w.exec();
}
