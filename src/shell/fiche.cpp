#include "shell/fiche.h"

#include "employees/referencelists.h"
#include "payroll/caisses.h"
#include "text/dialogs.h"
#include "text/numbers.h"

#include <QDir>

Fiche::Fiche(Dialogs &dialogs, EmployeeDialogs &employeeDialogs, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_employees(m_dossier, dialogs, employeeDialogs)
    , m_pages{&m_employees, nullptr, nullptr}
{
}

Fiche::~Fiche() = default;

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
    ChargeCombo(dir.filePath(ReferenceLists::kReadName), m_employees.lists());
    ChargeCaisse(dir.filePath(caisses::kFileName), m_caisseLines);
}

bool Fiche::saveSideFiles(const QString &directory)
{
    const QDir dir(directory);
    bool ok = true;
    for (const text::FileResult &written :
         {SauveIni(dir.filePath(Settings::kFileName), m_settings, m_dossier.fileName()),
          SauveSoc(dir.filePath(Letterhead::kFileName), m_letterhead),
          SauveCombo(dir.filePath(ReferenceLists::kWriteName), m_employees.lists()),
          SauveCaisse(dir.filePath(caisses::kFileName), m_caisseLines)}) {
        if (!written.ok()) {
            ok = false;
            m_dialogs.message(written.message());
        }
    }
    return ok;
}

bool Fiche::saveSettings()
{
    const QString dir = m_sideDirectory.isEmpty() ? QDir::currentPath() : m_sideDirectory;
    const text::FileResult written = SauveIni(QDir(dir).filePath(Settings::kFileName), m_settings, m_dossier.fileName());
    if (!written.ok())
        m_dialogs.message(written.message());
    return written.ok();
}

bool Fiche::Charge(const QString &fileName)
{
    const Dossier::LoadReport report = m_dossier.Charge(fileName);
    reportLoad(report);
    if (!report.ok) {
        // Nothing was loaded: the dossier, the forms and their pending edits stay as they were.
        Q_EMIT captionChanged();
        return false;
    }
    m_employees.collection().setCurrent(0);
    readPages();
    Q_EMIT captionChanged();
    return true;
}

void Fiche::readPages()
{
    // The forms held the records of the dossier given up: each page shows its first record of
    // the new one, so that leaving a page writes nothing of the old dossier into the new.
    for (RecordPage *p : m_pages)
        if (p)
            p->read();
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
    if (m_dossier.TestModif()) {
        for (RecordPage *p : m_pages)
            if (p)
                p->writeBack();
    }
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
    readPages();
    Q_EMIT captionChanged();
}

QString Fiche::dossierFileName() const
{
    return m_dossier.fileName();
}

QString Fiche::caption() const
{
    const QString name = m_dossier.fileName();
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
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

void Fiche::showPage(Page page)
{
    if (RecordPage *left = activePage(); left && page != m_page)
        left->writeBack();
    m_page = page;
    Q_EMIT pageChanged();
}

int Fiche::helpContext() const
{
    switch (m_page) {
    case Page::Profils: return 16;
    case Page::Bulletins: return 14;
    case Page::Employes: break;
    }
    return 13;
}
