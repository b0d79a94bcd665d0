#pragma once

#include "reports/journal.h"
#include "ui/reportwindow.h"

class QDateEdit;

// The window "Journal de paie" over its model: the tool strip holds "Imprimer" (the print
// dialog, then PrintGrid with "Statistiques ventes au " and today), "Exporter" (the file
// chooser "Exporter journal", then the entries shown as a TAB-separated file; a failed write
// is reported and the window stays open), the dates "Du" and "Au", "OK" (also Enter), which
// shows the entries between the two dates, and "Fermer" (also Escape).
//
// "&Journal comptable" builds the entries and shows the window modally:
//
//     TCompta(Journal(payslips, Comptes(employees), progress), printer, parent).exec();
class TCompta : public ReportWindow
{
    Q_OBJECT
public:
    TCompta(const QStringList &entries, QPrinter &printer, QWidget *parent = nullptr);
    const JournalModel &model() const { return m_model; }

    // "OK": the grid for the dates shown.
    void OK();
    void Imprimer();
    void Exporter();

protected:
    // The file chooser "Exporter journal"; an empty name when it is cancelled.
    virtual QString exportFileName();

private:
    void refresh();

    JournalModel m_model;
    QDateEdit *m_du = nullptr;
    QDateEdit *m_au = nullptr;
};
