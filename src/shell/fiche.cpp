#include "shell/fiche.h"

#include "payroll/caisses.h"
#include "shell/shelldialogs.h"
#include "text/dialogs.h"
#include "text/numbers.h"

#include <QDir>

Fiche::Fiche(Dialogs &dialogs, ShellDialogs &windows, QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_windows(windows)
{
}

QString Fiche::formatAmount(double value) const
{
    return text::formatAmount(value, m_settings.amountFormat);
}

void Fiche::loadSideFiles(const QString &directory)
{
    m_sideDirectory = directory;
    const QDir dir(directory);
    ChargeSoc(dir.filePath(Letterhead::kFileName), m_letterhead);
    const IniReadResult ini = ChargeIni(dir.filePath(Settings::kFileName), m_settings);
    if (ini.found && !ini.file.ok()) {
        m_dialogs.message(ini.file.message());
    } else if (ini.badLine > 0) {
        m_dialogs.message(QStringLiteral("Le fichier %1 est incomplet ou illisible à la ligne %2 : "
                                         "les réglages suivants gardent leur valeur par défaut.")
                              .arg(Settings::kFileName)
                              .arg(ini.badLine));
    }
    ChargeCombo(dir.filePath(ReferenceLists::kReadName), m_lists);
    ChargeCaisse(dir.filePath(caisses::kFileName), m_caisseLines);
}

bool Fiche::saveSideFiles(const QString &directory)
{
    const QDir dir(directory);
    bool ok = true;
    auto check = [&](const text::FileResult &written) {
        if (!written.ok()) {
            ok = false;
            m_dialogs.message(written.message());
        }
    };
    check(SauveIni(dir.filePath(Settings::kFileName), m_settings, m_dossier.fileName()));
    check(SauveSoc(dir.filePath(Letterhead::kFileName), m_letterhead));
    check(SauveCombo(dir.filePath(ReferenceLists::kWriteName), m_lists));
    check(SauveCaisse(dir.filePath(caisses::kFileName), m_caisseLines));
    return ok;
}

void Fiche::Charge(const QString &fileName)
{
    const Dossier::LoadReport report = m_dossier.Charge(fileName);
    reportLoad(report);
    m_dossier.employees().setCurrent(0);
    LitFiche();
    Q_EMIT captionChanged();
}

void Fiche::reportLoad(const Dossier::LoadReport &report)
{
    // A missing dossier file is not an error here: the frame has already said so, and at
    // start-up a dossier deleted meanwhile simply leaves an empty dossier.
    if (!report.ok && !report.failure.isMissing())
        m_dialogs.message(report.errorMessage());
    if (report.alteredMessageDue())
        m_dialogs.message(Dossier::alteredMessage());
}

bool Fiche::Sauve(const QString &fileName)
{
    if (m_dossier.TestModif())
        EcritFiche();
    const Dossier::SaveResult result = m_dossier.Sauve(fileName);
    if (!result.ok) {
        m_dialogs.message(result.message());
        return false;
    }
    Q_EMIT captionChanged();
    return true;
}

void Fiche::SetSauve()
{
    m_dossier.SetSauve();
}

bool Fiche::TestModif() const
{
    return m_dossier.TestModif();
}

void Fiche::Nouveau()
{
    m_dossier.Nouveau();
    LitFiche();
    Q_EMIT captionChanged();
}

QString Fiche::dossierFileName() const
{
    return m_dossier.fileName();
}

QString Fiche::caption() const
{
    const QString name = m_dossier.fileName();
    const int slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return name.mid(slash + 1);
}

void Fiche::GetIni(bool &autoOpen, QString &lastFile) const
{
    autoOpen = m_settings.autoOpen == 1;
    lastFile = m_settings.lastDossier;
}

void Fiche::SetIni(bool autoOpen)
{
    m_settings.autoOpen = autoOpen ? 1 : 0;
}

void Fiche::SetSel(int mode)
{
    m_selectionMode = mode;
    m_selection.mode = mode;
}

void Fiche::SetBul(int mode)
{
    m_payslipMode = mode;
}

void Fiche::Employe()
{
    m_page = Page::Employes;
    Q_EMIT pageChanged();
}

void Fiche::Profil()
{
    m_page = Page::Profils;
    Q_EMIT pageChanged();
}

void Fiche::Bulletin()
{
    m_page = Page::Bulletins;
    Q_EMIT pageChanged();
}

Collection &Fiche::activeCollection()
{
    switch (m_page) {
    case Page::Profils: return m_dossier.profiles();
    case Page::Bulletins: return m_dossier.payslips();
    case Page::Employes: break;
    }
    return m_dossier.employees();
}

void Fiche::Supprime()
{
    if (!activeCollection().supprime())
        return;
    m_dossier.SetSauve();
    // The pending edits of the deleted record are not written back.
    if (m_page == Page::Employes)
        LitFiche();
}

void Fiche::Psoc()
{
    QStringList lines = m_letterhead.lines();
    if (m_windows.societe(lines))
        m_letterhead.replace(lines);
}

void Fiche::ParamPaie()
{
    PayrollParametersForm form(m_settings.payroll);
    if (!m_windows.paramPaie(form))
        return;
    form.apply(m_settings.payroll);
    const QString dir = m_sideDirectory.isEmpty() ? QDir::currentPath() : m_sideDirectory;
    const QString path = QDir(dir).filePath(Settings::kFileName);
    const text::FileResult written = SauveIni(path, m_settings, m_dossier.fileName());
    if (!written.ok())
        m_dialogs.message(written.message());
}

void Fiche::LitFiche()
{
    Collection &employees = m_dossier.employees();
    ::LitFiche(employees, employees.current(), m_employeeForm);
    Q_EMIT employeeChanged();
}

void Fiche::EcritFiche()
{
    Collection &employees = m_dossier.employees();
    ::EcritFiche(employees, employees.current(), m_employeeForm);
}

void Fiche::formEdited()
{
    m_employeeForm.edited = true;
    m_dossier.SetSauve();
}

void Fiche::showMessage(const QString &text)
{
    m_dialogs.message(text);
}

QStringList Fiche::profileChoices() const
{
    return InitProfils(m_dossier.profiles());
}

bool Fiche::deplacer(Move move)
{
    if (m_page != Page::Employes)
        return false;
    const bool moved = Deplacer(m_dossier.employees(), m_employeeForm, move, m_selection);
    if (moved)
        Q_EMIT employeeChanged();
    return moved;
}

bool Fiche::NouvelleFiche()
{
    if (!Ajout(m_dossier.employees(), m_employeeForm)) {
        m_dialogs.message(Dossier::fullMessage());
        Q_EMIT employeeChanged();
        return false;
    }
    m_dossier.SetSauve();
    Q_EMIT employeeChanged();
    return true;
}

void Fiche::rechercher(SearchKind kind, const QString &text)
{
    QString message;
    if (Rechercher(m_dossier.employees(), m_employeeForm, kind, text, &message)) {
        Q_EMIT employeeChanged();
        return;
    }
    if (!message.isEmpty())
        m_dialogs.message(message);
}

void Fiche::selectionner(int mode, const QString &value)
{
    SetSel(mode);
    if (mode == 2)
        m_selection.postcode = value;
    else if (mode == 3)
        m_selection.town = value;
    // The first record of the selection is shown.
    Deplacer(m_dossier.employees(), m_employeeForm, Move::Premier, m_selection);
    Q_EMIT employeeChanged();
}

void Fiche::trier(SortKey key)
{
    Trier(m_dossier.employees(), m_employeeForm, key);
    m_dossier.SetSauve();
    Q_EMIT employeeChanged();
}

void Fiche::choisir(int number)
{
    if (Choisir(m_dossier.employees(), m_employeeForm, number))
        Q_EMIT employeeChanged();
}

void Fiche::Copier()
{
    m_employeeCopy.Copier(m_employeeForm);
}

void Fiche::Coller()
{
    m_employeeCopy.Coller(m_employeeForm, Numerom(m_dossier.employees()));
    m_dossier.SetSauve();
    Q_EMIT employeeChanged();
}

bool Fiche::exporter(const QString &path)
{
    EcritFiche();
    const text::FileResult written = exchange::Exporter(m_dossier.employees(), path);
    if (written.ok())
        return true;
    m_dialogs.message(written.message());
    return false;
}

bool Fiche::importer(const QString &path)
{
    EcritFiche();
    exchange::ImportResult result;
    const text::FileResult read = exchange::Importer(m_dossier.employees(), path, &result);
    if (read.isMissing()) {
        m_dialogs.message(exchange::missingMessage(path));
        return false;
    }
    if (!read.ok()) {
        m_dialogs.message(read.message());
        return false;
    }
    if (result.truncated)
        m_dialogs.message(exchange::truncatedMessage());
    if (result.added > 0)
        m_dossier.SetSauve();
    LitFiche();
    return true;
}
