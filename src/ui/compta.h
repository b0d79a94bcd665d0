#pragma once

#include "reports/journal.h"
#include "ui/reportwindow.h"

class QDateEdit;
class QLabel;

// The window "Journal de paie" over its model: the tool strip holds "Imprimer" (the print
// dialog, then PrintGrid with "Journal de paie au " and today), "Exporter" (the file
// chooser "Exporter journal", then the entries shown as a TAB-separated file; a failed write
// is reported and the window stays open), the dates "Du" and "Au", "OK" (also Enter), which
// shows the entries between the two dates, and "Fermer" (also Escape). The status line under
// the grid says how many payslips were left out for want of a calculation.
//
// "&Journal comptable" builds the entries and shows the window modally:
//
//     JournalEntries entries;
//     if (Journal(payslips, Comptes(employees), entries, progress))
//         TCompta(entries, printer, dialogs, parent).exec();
//
// printer is the session's; dialogs shows the messages and the file chooser (Qt's over the
// window when null).
class TCompta : public ReportWindow
{
    Q_OBJECT
public:
    TCompta(const JournalEntries &entries, Printer &printer, Dialogs *dialogs = nullptr, QWidget *parent = nullptr);
    const JournalModel &model() const { return m_model; }

    // "OK": the grid for the dates shown.
    void OK();
    void Imprimer();
    void Exporter();

private:
    void refresh();

    JournalModel m_model;
    QDateEdit *m_du = nullptr;
    QDateEdit *m_au = nullptr;
    QLabel *m_status = nullptr;
};
