#include "shell/monthpayrollmodel.h"

#include "payroll/payslips.h"
#include "payroll/settings.h"
#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/printer.h"
#include "printing/payslipprint.h"
#include "store/dossier.h"

#include <QDir>
#include <QFileInfo>

MonthPayrollModel::MonthPayrollModel(Dossier &dossier, const Settings &settings, const QStringList &letterhead,
                                     Dialogs &dialogs, Printer *printer, PdfWriter pdfWriter)
    : m_dossier(dossier)
    , m_settings(settings)
    , m_letterhead(letterhead)
    , m_dialogs(dialogs)
    , m_printer(printer)
    , m_pdfWriter(std::move(pdfWriter))
{
    for (const dossierops::MonthEmployee &e : dossierops::employesDuMois(dossier))
        m_employees.append({e.code, e.name, true});
    setMonthText(dossierops::monthText(Clock::instance().today()));
}

void MonthPayrollModel::setTicked(int index, bool ticked)
{
    if (index < 0 || index >= m_employees.size())
        return;
    m_employees[index].ticked = ticked;
    refresh();
}

QStringList MonthPayrollModel::tickedCodes() const
{
    QStringList codes;
    for (const Employee &e : m_employees)
        if (e.ticked)
            codes.append(e.code);
    return codes;
}

void MonthPayrollModel::setMonthText(const QString &text)
{
    m_monthText = text;
    refresh();
}

void MonthPayrollModel::refresh()
{
    const std::optional<QDate> m = dossierops::parseMonth(m_monthText);
    m_rows = m ? dossierops::bulletinsDuMois(m_dossier, *m, tickedCodes()) : QList<dossierops::MonthPayslip>();
}

std::optional<QDate> MonthPayrollModel::month()
{
    const std::optional<QDate> m = dossierops::parseMonth(m_monthText);
    if (!m)
        m_dialogs.message(dossierops::monthMessage(m_monthText));
    return m;
}

bool MonthPayrollModel::preparer()
{
    const std::optional<QDate> m = month();
    if (!m)
        return false;
    // Preparing calculates the month's payslips that are not validated: the dossier changes
    // even when no payslip is added.
    return showOutcome(
        dossierops::preparerMois(m_dossier, *m, m_settings.payroll, m_settings.amountFormat, tickedCodes()), true);
}

bool MonthPayrollModel::validerTout()
{
    const std::optional<QDate> m = month();
    if (!m)
        return false;
    const dossierops::MonthOutcome outcome =
        dossierops::validerMois(m_dossier, *m, m_settings.payroll, m_settings.amountFormat, tickedCodes());
    return showOutcome(outcome, outcome.count > 0);
}

bool MonthPayrollModel::showOutcome(const dossierops::MonthOutcome &outcome, bool changesDossier)
{
    m_rows = outcome.payslips;
    if (!outcome.status) {
        // A refusal without a payslip of its own ("Le fichier est plein").
        if (outcome.messages().isEmpty())
            m_dialogs.message(outcome.status.message());
        return false;
    }
    if (changesDossier) {
        m_dossier.SetSauve();
        m_changed = true;
    }
    return true;
}

QList<PayslipForm> MonthPayrollModel::payslipsShown() const
{
    QList<PayslipForm> forms;
    for (const dossierops::MonthPayslip &p : m_rows) {
        PayslipForm form;
        LitBulletin(m_dossier.payslips(), p.block, form, QString());
        forms.append(form);
    }
    return forms;
}

bool MonthPayrollModel::printable()
{
    refresh();
    if (m_rows.isEmpty()) {
        m_dialogs.message(QStringLiteral("Aucun bulletin pour ce mois"));
        return false;
    }
    return true;
}

bool MonthPayrollModel::imprimerTout()
{
    if (!month() || !printable())
        return false;
    const PayslipPrintOptions options = PayslipPrintOptions::from(m_letterhead, m_settings.pageSetup.paperType,
                                                                  m_settings.payroll, m_settings.amountFormat);
    const PrintResult printed =
        m_printer ? Imprime(m_printer->canvas(), payslipsShown(), options, QStringLiteral("Paie du mois ") + m_monthText)
                  : PrintResult::failed(Canvas::noPrinterMessage());
    if (printed.status == PrintResult::Status::Failed)
        m_dialogs.message(printed.message);
    return printed.ok();
}

QString MonthPayrollModel::replaceQuestion(int existing)
{
    return existing == 1 ? QStringLiteral("Un fichier de ces bulletins existe déjà dans ce dossier. Le remplacer ?")
                         : QStringLiteral("%1 fichiers de ces bulletins existent déjà dans ce dossier. Les remplacer ?")
                               .arg(existing);
}

bool MonthPayrollModel::pdf(const QString &folder)
{
    if (folder.isEmpty() || !month() || !printable())
        return false;
    const QDir dir(folder);
    int existing = 0;
    for (const dossierops::MonthPayslip &p : m_rows)
        existing += QFileInfo::exists(dir.filePath(dossierops::pdfFileName(p.number)));
    if (existing > 0 && !m_dialogs.confirm(replaceQuestion(existing)))
        return false;
    const PayslipPrintOptions options = PayslipPrintOptions::from(m_letterhead, m_settings.pageSetup.paperType,
                                                                  m_settings.payroll, m_settings.amountFormat);
    for (const PayslipForm &form : payslipsShown()) {
        const PrintResult printed = m_pdfWriter(dir.filePath(dossierops::pdfFileName(form.number)),
                                                [&](Canvas &canvas) { return Imprime(canvas, form, options); });
        if (!printed.ok()) {
            m_dialogs.message(printed.message);
            return false;
        }
    }
    return true;
}
