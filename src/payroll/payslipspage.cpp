#include "payroll/payslipspage.h"

#include "employees/employeespage.h"
#include "payroll/dossierops.h"
#include "payroll/payrolldialogs.h"
#include "payroll/settings.h"
#include "store/dossier.h"
#include "ports/dialogs.h"

PayslipsPage::PayslipsPage(Dossier &dossier, const Settings &settings, EmployeesPage &employees, Dialogs &dialogs,
                           PayrollDialogs &windows, QObject *parent)
    : RecordPage(parent)
    , m_dossier(dossier)
    , m_settings(settings)
    , m_employees(employees)
    , m_dialogs(dialogs)
    , m_windows(windows)
{
}

Collection &PayslipsPage::collection()
{
    return m_dossier.payslips();
}

const Collection &PayslipsPage::collection() const
{
    return m_dossier.payslips();
}

void PayslipsPage::read()
{
    LitBulletin(collection(), collection().current(), m_form, m_nextNumber);
    Q_EMIT changed();
}

bool PayslipsPage::writeBack()
{
    return EcritBulletin(collection(), collection().current(), m_form);
}

void PayslipsPage::reset()
{
    m_nextNumber = QString::number(Numerob(collection()));
    read();
}

void PayslipsPage::showLast()
{
    if (ouvrirBulletin(collection(), m_form, collection().count() - 1, m_nextNumber))
        Q_EMIT changed();
}

bool PayslipsPage::move(Move move)
{
    DeplacerBulletin(collection(), m_form, move, m_selection, m_nextNumber);
    Q_EMIT changed();
    return true;
}

bool PayslipsPage::addRecord()
{
    return add(nullptr);
}

bool PayslipsPage::nouveauBulletin()
{
    // The employees page shows an employee when its record exists or is being typed; the
    // defaults of an empty dossier are nobody's.
    const Collection &employees = m_employees.collection();
    const EmployeeForm &shown = m_employees.form();
    const bool someone = employees.contains(employees.current()) || shown.edited;
    return add(someone ? &shown : nullptr);
}

bool PayslipsPage::add(const EmployeeForm *employee)
{
    const Status added = NouvBulletin(collection(), m_form, m_nextNumber, employee);
    if (added)
        m_dossier.SetSauve();
    else
        m_dialogs.warn(added.message());
    Q_EMIT changed();
    if (added)
        Q_EMIT focusEntry();
    return bool(added);
}

Status PayslipsPage::deletable() const
{
    return m_form.validated ? Status::refused(dossierops::validatedDeletionMessage()) : Status::done();
}

bool PayslipsPage::deleteCurrent()
{
    // The shown payslip's pending edits go with it; its lock is what the block says.
    const Status deleted = dossierops::SupprimerBulletin(m_dossier, collection().current());
    if (!deleted) {
        if (!deleted.message().isEmpty())
            m_dialogs.warn(deleted.message());
        return false;
    }
    m_dossier.SetSauve();
    read();
    Q_EMIT changed();
    return true;
}

void PayslipsPage::copy()
{
    m_copy.Copier(m_form);
}

void PayslipsPage::paste()
{
    if (m_form.validated)
        return;
    m_nextNumber = QString::number(Numerob(collection()));
    m_copy.Coller(m_form, m_nextNumber);
    // The hours and the rate pasted are changed ones for the overtime worked out here.
    forgetComputedOvertime(m_form);
    m_form.overtimeComputed = {};
    formEdited();
    Q_EMIT changed();
}

void PayslipsPage::list()
{
    writeBack();
    const int chosen = m_windows.choosePayslip(listeBulletins(collection()), collection().current());
    if (chosen >= 0 && ouvrirBulletin(collection(), m_form, chosen, m_nextNumber))
        Q_EMIT changed();
}

void PayslipsPage::formEdited()
{
    m_form.edited = true;
    m_dossier.SetSauve();
}

void PayslipsPage::fieldEdited(PayslipField field)
{
    formEdited();
    switch (field) {
    case PayslipField::Hours:
    case PayslipField::Rate:
        if (forgetComputedOvertime(m_form))
            Q_EMIT changed();
        break;
    case PayslipField::Ot25:
    case PayslipField::Ot50:
    case PayslipField::Ot100:
        m_form.overtimeComputed[size_t(field) - size_t(PayslipField::Ot25)] = false;
        break;
    case PayslipField::PeriodStart: m_form.periodStartLine.reset(); break;
    case PayslipField::PeriodEnd: m_form.periodEndLine.reset(); break;
    default: break;
    }
}

bool PayslipsPage::pickEmployee()
{
    if (!fieldAvailable(m_form, PayslipField::Picker))
        return false;
    const QString code = m_windows.chooseEmployee(listeEmp(m_employees.collection()));
    if (!choisirEmploye(m_employees.collection(), m_form, code))
        return false;
    m_dossier.SetSauve();
    Q_EMIT changed();
    return true;
}

bool PayslipsPage::valider()
{
    // What both pages show is in the dossier before the operation, and shown again after it.
    m_employees.writeBack();
    writeBack();
    int employee = -1;
    const Status v = dossierops::Valider(m_dossier, collection().current(), m_settings.payroll,
                                         m_settings.amountFormat, &employee);
    if (!v) {
        if (!v.message().isEmpty())
            m_dialogs.warn(v.message());
        return false;
    }
    m_dossier.SetSauve();
    read();
    Q_EMIT changed();
    if (employee >= 0) {
        m_employees.collection().setCurrent(employee);
        m_employees.reread();
    }
    return true;
}

std::optional<PayslipEmployee> PayslipsPage::payslipEmployee(const QString &key) const
{
    return findPayslipEmployee(m_dossier.employees(), m_dossier.profiles(), key, &m_employees.form());
}

bool PayslipsPage::calculer()
{
    if (!calculable())
        return false;
    const Status calculated = calculatePayslip(m_form, m_settings.payroll, m_settings.amountFormat,
                                               [this](const QString &key) { return payslipEmployee(key); });
    if (calculated)
        m_dossier.SetSauve();
    else
        m_dialogs.warn(calculated.message());
    Q_EMIT changed();
    return calculated.ok();
}

void PayslipsPage::showMessage(const QString &text)
{
    m_dialogs.warn(text);
}

void PayslipsPage::chercher()
{
    QString text;
    if (m_dialogs.inputBox(payslips::searchCaption(), payslips::searchPrompt(), text))
        chercher(text);
}

bool PayslipsPage::chercher(const QString &text)
{
    // An edited number must be found under its new value.
    writeBack();
    const int n = ChercheBulletin(collection(), text);
    if (n < 0) {
        // An empty text is a search given up, not one that failed.
        if (!text.isEmpty())
            m_dialogs.message(payslips::notFoundMessage(text));
        return false;
    }
    if (!ouvrirBulletin(collection(), m_form, n, m_nextNumber))
        return false;
    Q_EMIT changed();
    return true;
}

bool PayslipsPage::select(PayslipSelection::Mode mode)
{
    QString code;
    if (mode == PayslipSelection::ByEmployee) {
        code = m_form.employeeCode;
        if (!m_dialogs.inputBox(payslips::selectionCaption(), payslips::selectionPrompt(), code))
            return false;
    }
    select(mode, code);
    return true;
}

void PayslipsPage::select(PayslipSelection::Mode mode, const QString &employeeCode)
{
    m_selection.mode = mode;
    m_selection.employeeCode = mode == PayslipSelection::ByEmployee ? employeeCode : QString();
    move(Move::Premier);
}

bool PayslipsPage::modifierCumul()
{
    QString value = m_employees.form().cumul.trimmed();
    if (!m_windows.cumul(value))
        return false;
    m_employees.writeBack();
    const Status modified = dossierops::Modifier(m_dossier, m_employees.collection().current(), value);
    if (!modified) {
        if (!modified.message().isEmpty())
            m_dialogs.warn(modified.message());
        return false;
    }
    m_dossier.SetSauve();
    m_employees.reread();
    return true;
}

bool PayslipsPage::cloturer()
{
    if (!m_dialogs.confirm(payslips::closingWarning()))
        return false;
    m_employees.writeBack();
    dossierops::Cloturer(m_dossier);
    m_dossier.SetSauve();
    m_employees.reread();
    return true;
}
