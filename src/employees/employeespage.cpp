#include "employees/employeespage.h"

#include "employees/exchange.h"
#include "records/payslipform.h"
#include "store/dossier.h"
#include "ports/dialogs.h"

#include <QFileInfo>

EmployeesPage::EmployeesPage(Dossier &dossier, Dialogs &dialogs, EmployeeDialogs &windows, QObject *parent)
    : RecordPage(parent), m_dossier(dossier), m_dialogs(dialogs), m_windows(windows)
{
}

Collection &EmployeesPage::collection()
{
    return m_dossier.employees();
}

const Collection &EmployeesPage::collection() const
{
    return m_dossier.employees();
}

void EmployeesPage::shown()
{
    // A record read is shown with the cursor in "Nom Prénom", ready to type.
    Q_EMIT changed();
    Q_EMIT focusEntry();
}

void EmployeesPage::read()
{
    LitFiche(collection(), collection().current(), m_form);
    shown();
}

void EmployeesPage::reread()
{
    LitFiche(collection(), collection().current(), m_form);
    Q_EMIT changed();
}

bool EmployeesPage::writeBack()
{
    if (m_form.edited) {
        EmployeeForm stored;
        LitFiche(collection(), collection().current(), stored, true);
        completerFiche(m_form, stored.account);
    }
    return EcritFiche(collection(), collection().current(), m_form);
}

bool EmployeesPage::move(Move move)
{
    const bool moved = Deplacer(collection(), m_form, move, m_selection);
    if (moved)
        shown();
    return moved;
}

bool EmployeesPage::addRecord()
{
    const bool added = Ajout(collection(), m_form);
    if (!added)
        m_dialogs.warn(Dossier::fullMessage());
    else
        m_dossier.SetSauve();
    Q_EMIT changed();
    if (added)
        Q_EMIT focusEntry();
    return added;
}

QString EmployeesPage::deleteQuestion() const
{
    const int payslips = payslipCount(m_dossier.payslips(), m_form.code);
    const QString question = RecordPage::deleteQuestion();
    if (payslips == 0)
        return question;
    return QStringLiteral("Cet employé a %1 bulletin%2 de paie. ").arg(payslips).arg(payslips > 1 ? "s" : "") + question;
}

bool EmployeesPage::deleteCurrent()
{
    if (!collection().supprime()) {
        // An empty dossier: the record being typed has no block yet. Deleting it discards what
        // was typed, as it does for any record, so that a save does not write it.
        if (!m_form.edited)
            return false;
        read();
        return true;
    }
    m_dossier.SetSauve();
    // The pending edits of the deleted record are not written back.
    read();
    return true;
}

void EmployeesPage::copy()
{
    m_copy.Copier(m_form);
}

void EmployeesPage::paste()
{
    m_copy.Coller(m_form, Numerom(collection()));
    m_dossier.SetSauve();
    Q_EMIT changed();
}

void EmployeesPage::list()
{
    if (!listeDisponible(collection()))
        return;
    const int chosen = m_windows.chooseEmployee(listeEmployes(collection()), collection().current());
    if (chosen >= 0)
        choose(chosen);
}

void EmployeesPage::formEdited()
{
    m_form.edited = true;
    m_dossier.SetSauve();
}

void EmployeesPage::showMessage(const QString &text)
{
    m_dialogs.warn(text);
}

void EmployeesPage::select(Selection::Mode mode, const QString &value)
{
    m_selection.mode = mode;
    if (mode == Selection::ByPostcode)
        m_selection.postcode = value;
    else if (mode == Selection::ByTown)
        m_selection.town = value;
    Deplacer(collection(), m_form, Move::Premier, m_selection);
    shown();
}

void EmployeesPage::chooseSelection(Selection::Mode mode)
{
    // The dialog offers the value chosen before; Annuler keeps it, and the selection is set
    // all the same.
    QString value = mode == Selection::ByPostcode ? m_selection.postcode : m_selection.town;
    if (mode == Selection::ByPostcode)
        m_windows.postcode(value);
    else
        m_windows.town(value);
    select(mode, value);
}

void EmployeesPage::search(SearchKind kind)
{
    search(kind, m_windows.searchText(kind));
}

void EmployeesPage::search(SearchKind kind, const QString &text)
{
    const Status found = Rechercher(collection(), m_form, kind, text);
    if (found) {
        shown();
        return;
    }
    m_dialogs.message(found.message());
}

void EmployeesPage::sort()
{
    SortKey key = SortKey::Nom;
    if (m_windows.sortKey(key))
        sort(key);
}

void EmployeesPage::sort(SortKey key)
{
    Trier(collection(), m_form, key);
    m_dossier.SetSauve();
    shown();
}

void EmployeesPage::choose(int number)
{
    if (Choisir(collection(), m_form, number))
        shown();
}

void EmployeesPage::exportFile()
{
    const QString suffix = exchange::defaultExportSuffix();
    const QString chosen = m_dialogs.saveFile(exchange::exportFilter(), QStringLiteral("*.") + suffix, suffix);
    if (chosen.isEmpty())
        return;
    // A name typed without extension gets ".txt", so that "I&mporter..." lists the file.
    const QString path = exchange::withExportSuffix(chosen);
    if (QFileInfo::exists(path) && !m_dialogs.confirm(QStringLiteral("Ce fichier existe déjà")))
        return;
    exportTo(path);
}

bool EmployeesPage::exportTo(const QString &path)
{
    writeBack();
    const text::FileResult written = exchange::Exporter(collection(), path);
    if (!written.ok())
        m_dialogs.warn(written.message());
    return written.ok();
}

bool EmployeesPage::importFile()
{
    const QString path = m_dialogs.openFile(exchange::importFilter());
    return !path.isEmpty() && importFrom(path);
}

bool EmployeesPage::importFrom(const QString &path)
{
    writeBack();
    exchange::ImportResult result;
    const text::FileResult read = exchange::Importer(collection(), path, &result);
    if (!read.ok()) {
        m_dialogs.warn(read.isMissing() ? exchange::missingMessage(path) : read.message());
        return false;
    }
    if (result.notText) {
        m_dialogs.warn(exchange::notTextMessage(path));
        return false;
    }
    if (result.truncated)
        m_dialogs.warn(exchange::truncatedMessage());
    if (result.added > 0)
        m_dossier.SetSauve();
    // The last-record command, so that a selection shows its last record.
    if (!move(Move::Dernier))
        this->read();
    return true;
}

void EmployeesPage::editList(ListEditor::Kind kind)
{
    QStringList &list = kind == ListEditor::Kind::Banques ? m_lists.banks : m_lists.jobs;
    list = m_windows.editList(kind, list);
    Q_EMIT choicesChanged();
}

void EmployeesPage::setAmountFormat(const QString &format)
{
    m_amountFormat = format;
    Q_EMIT choicesChanged();
}

QStringList EmployeesPage::profileChoices() const
{
    return InitProfils(m_dossier.profiles());
}

void EmployeesPage::showDepartments()
{
    m_windows.departments();
}
