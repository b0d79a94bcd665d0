#include "payroll/profilespage.h"

#include "employees/navigation.h"
#include "payroll/payrolldialogs.h"
#include "store/dossier.h"
#include "ports/dialogs.h"

ProfilesPage::ProfilesPage(Dossier &dossier, Dialogs &dialogs, PayrollDialogs &windows, QObject *parent)
    : RecordPage(parent), m_dossier(dossier), m_dialogs(dialogs), m_windows(windows), m_editor(dossier.profiles())
{
}

Collection &ProfilesPage::collection()
{
    return m_dossier.profiles();
}

const Collection &ProfilesPage::collection() const
{
    return m_dossier.profiles();
}

void ProfilesPage::read()
{
    m_editor.read();
    m_selectedRow = -1;
    Q_EMIT changed();
}

bool ProfilesPage::writeBack()
{
    return m_editor.write();
}

void ProfilesPage::show()
{
    // The standard profile of an empty dossier is put in the collection at once, so that the
    // employees page offers it; it is saved with the dossier but is no change of the user's.
    if (m_editor.showPage())
        m_editor.write();
    m_selectedRow = -1;
    Q_EMIT changed();
}

bool ProfilesPage::move(Move move)
{
    m_editor.Deplacer(move);
    m_selectedRow = -1;
    Q_EMIT changed();
    return true;
}

bool ProfilesPage::addRecord()
{
    const Status added = m_editor.Ajouter();
    if (added)
        m_dossier.SetSauve();
    else
        m_dialogs.warn(added.message());
    m_selectedRow = -1;
    Q_EMIT changed();
    if (added)
        Q_EMIT focusEntry();
    return bool(added);
}

bool ProfilesPage::deleteCurrent()
{
    if (!m_editor.Supprimer())
        return false;
    m_dossier.SetSauve();
    m_selectedRow = -1;
    Q_EMIT changed();
    return true;
}

void ProfilesPage::copy()
{
    m_copy.Copier(form());
}

void ProfilesPage::paste()
{
    m_copy.Coller(form(), Numerop(collection()));
    changedByUser();
}

void ProfilesPage::formEdited()
{
    form().edited = true;
    m_dossier.SetSauve();
}

void ProfilesPage::changedByUser()
{
    formEdited();
    Q_EMIT changed();
}

bool ProfilesPage::storeEntry()
{
    if (const Status stored = m_editor.store(); !stored) {
        if (!stored.message().isEmpty())
            m_dialogs.warn(stored.message());
        return false;
    }
    changedByUser();
    Q_EMIT focusRubrique();
    return true;
}

bool ProfilesPage::modifyRubrique()
{
    if (!m_editor.ModiRubrique(m_selectedRow))
        return false;
    Q_EMIT changed();
    Q_EMIT focusRubrique();
    return true;
}

bool ProfilesPage::deleteRubrique()
{
    if (!m_editor.SupRubrique(m_selectedRow))
        return false;
    // The row selected now holds the rubrique that followed, if any.
    if (m_selectedRow >= form().rubriques.size())
        m_selectedRow = int(form().rubriques.size()) - 1;
    changedByUser();
    return true;
}

void ProfilesPage::standard()
{
    if (m_dialogs.ask(ProfileEditor::standardQuestion(), Dialogs::Buttons::OuiNon) != Dialogs::Answer::Oui)
        return;
    m_editor.GenRub();
    m_selectedRow = -1;
    changedByUser();
}

void ProfilesPage::reprendre()
{
    const QString code = m_windows.chooseProfile(InitProfils(collection()));
    if (!m_editor.Reprendre(code))
        return;
    m_selectedRow = -1;
    changedByUser();
}
