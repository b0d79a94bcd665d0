#pragma once

#include "payroll/monthpayroll.h"
#include "printing/canvas.h"
#include "records/payslipform.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Dialogs;
class Dossier;
class Printer;
struct Settings;

// The window "Paie du mois": the month, the month's employees each with a tick, the table of
// the month's payslips, and its four buttons over the dossier operations of the month. Every
// refusal is shown in the table beside its payslip; every other message goes through the
// generic dialogs. The dossier is marked modified by what changed it; the frame reads its
// pages again when the window closes.
class MonthPayrollModel
{
public:
    // Draws a printout into the PDF file at a path, which it replaces.
    using PdfWriter = std::function<PrintResult(const QString &path, const std::function<PrintResult(Canvas &)> &)>;

    // printer: the session's printer, none when there is no printer at all.
    MonthPayrollModel(Dossier &dossier, const Settings &settings, const QStringList &letterhead, Dialogs &dialogs,
                      Printer *printer, PdfWriter pdfWriter);

    struct Employee {
        QString code;
        QString name;
        bool ticked = true;
    };
    const QList<Employee> &employees() const { return m_employees; }
    void setTicked(int index, bool ticked);
    QStringList tickedCodes() const;

    // The month typed, "MM/AAAA": today's month at first. The table shows the month's
    // payslips of the ticked employees when it is a month.
    QString monthText() const { return m_monthText; }
    void setMonthText(const QString &text);
    const QList<dossierops::MonthPayslip> &rows() const { return m_rows; }

    // "Préparer": the month's payroll for the ticked employees; the table then shows the
    // month's payslips, or the refused ones with their messages.
    bool preparer();
    // "Valider tout": the month's payslips of the ticked employees that are not validated.
    bool validerTout();
    // "Imprimer tout": the table's payslips in one job on the session's printer.
    bool imprimerTout();
    // "PDF...": the table's payslips into folder, one file each ("bulletin-NUMBER.pdf"); when
    // files of those names are there, one question for the lot.
    bool pdf(const QString &folder);
    static QString replaceQuestion(int existing);

    // True once an operation changed the dossier.
    bool changed() const { return m_changed; }

private:
    // The month typed, or a message and nullopt.
    std::optional<QDate> month();
    // An operation's outcome in the table: a refusal without a payslip of its own told, the
    // dossier marked modified when done and changesDossier. False when refused.
    bool showOutcome(const dossierops::MonthOutcome &outcome, bool changesDossier);
    void refresh();
    QList<PayslipForm> payslipsShown() const;
    // False when nothing is to be printed: the table holds no payslip, or refusals.
    bool printable();

    Dossier &m_dossier;
    const Settings &m_settings;
    QStringList m_letterhead;
    Dialogs &m_dialogs;
    Printer *m_printer;
    PdfWriter m_pdfWriter;
    QList<Employee> m_employees;
    QString m_monthText;
    QList<dossierops::MonthPayslip> m_rows;
    bool m_changed = false;
};
