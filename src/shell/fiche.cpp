#include "shell/fiche.h"

#include "employees/referencelists.h"
#include "payroll/caissemodel.h"
#include "payroll/caisses.h"
#include "payroll/payrolldialogs.h"
#include "text/dialogs.h"
#include "text/numbers.h"

#include <QDir>

Fiche::Fiche(Dialogs &dialogs, EmployeeDialogs &employeeDialogs, PayrollDialogs &payrollDialogs, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_employees(m_dossier, dialogs, employeeDialogs)
    , m_payrollDialogs(payrollDialogs)
    , m_profiles(m_dossier, dialogs, payrollDialogs)
    , m_payslips(m_dossier, m_settings, m_employees, dialogs, payrollDialogs)
    , m_pages{&m_employees, &m_profiles, &m_payslips}
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

void Fiche::Charge(const QString &fileName)
{
    reportLoad(m_dossier.Charge(fileName));
    m_employees.collection().setCurrent(0);
    m_employees.read();
    resetPayrollPages();
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
    m_employees.read();
    resetPayrollPages();
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
    const Page before = m_page;
    if (RecordPage *left = activePage(); left && page != m_page)
        left->writeBack();
    m_page = page;
    if (page != before)
        showPayrollPage();
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

void Fiche::resetPayrollPages()
{
    m_profiles.show();
    m_payslips.reset();
}

void Fiche::showPayrollPage()
{
    if (m_page == Page::Profils)
        m_profiles.show();
    else if (m_page == Page::Bulletins)
        m_payslips.read();
}

bool Fiche::Caisse()
{
    CaisseModel model(m_caisseLines);
    m_payrollDialogs.caisses(model);
    m_caisseLines = model.lines();
    const QString dir = m_sideDirectory.isEmpty() ? QDir::currentPath() : m_sideDirectory;
    const text::FileResult written = SauveCaisse(QDir(dir).filePath(caisses::kFileName), m_caisseLines);
    if (!written.ok())
        m_dialogs.message(written.message());
    return written.ok();
}
