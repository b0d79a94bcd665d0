#include "shell/fiche.h"

#include "employees/referencelists.h"
#include "payroll/caissemodel.h"
#include "payroll/caisses.h"
#include "payroll/payrolldialogs.h"
#include "ports/dialogs.h"
#include "text/numbers.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

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
    m_unreadable.clear();
    const QDir dir(directory);
    // A side file that exists but cannot be read is told, and is not written at exit: the
    // defaults in force must not replace what it holds.
    auto check = [this](const text::FileResult &read) {
        if (read.status() != text::FileResult::Status::Failed)
            return;
        m_unreadable << QFileInfo(read.path()).absoluteFilePath();
        m_dialogs.warn(read.message());
    };
    check(ChargeSoc(dir.filePath(Letterhead::kFileName), m_letterhead));
    const IniReadResult ini = ChargeIni(dir.filePath(Settings::kFileName), m_settings);
    check(ini.file);
    if (ini.file.ok() && ini.badLine > 0) {
        m_dialogs.warn(QStringLiteral("Le fichier %1 est incomplet ou illisible à la ligne %2 : "
                                         "les réglages suivants gardent leur valeur par défaut.")
                              .arg(Settings::kFileName)
                              .arg(ini.badLine));
    }
    check(ChargeCombo(ReferenceLists::fileIn(directory), m_employees.lists()));
    check(ChargeCaisse(dir.filePath(caisses::kFileName), m_caisseLines));
    // The employees page gets its choices and its amount format as soon as they are read.
    m_employees.setAmountFormat(m_settings.amountFormat);
}

bool Fiche::saveSideFiles(const QString &directory)
{
    const QDir dir(directory);
    bool ok = true;
    auto save = [&](const QString &path, const std::function<text::FileResult(const QString &)> &write) {
        if (m_unreadable.contains(QFileInfo(path).absoluteFilePath()))
            return;
        const text::FileResult written = write(path);
        if (!written.ok()) {
            ok = false;
            m_dialogs.warn(written.message());
        }
    };
    save(dir.filePath(Settings::kFileName),
         [this](const QString &p) { return SauveIni(p, m_settings, m_dossier.fileName()); });
    save(dir.filePath(Letterhead::kFileName), [this](const QString &p) { return SauveSoc(p, m_letterhead); });
    save(ReferenceLists::fileIn(directory), [this](const QString &p) { return SauveCombo(p, m_employees.lists()); });
    save(dir.filePath(caisses::kFileName), [this](const QString &p) { return SauveCaisse(p, m_caisseLines); });
    return ok;
}

bool Fiche::saveSettings()
{
    const QString dir = m_sideDirectory.isEmpty() ? QDir::currentPath() : m_sideDirectory;
    const text::FileResult written = SauveIni(QDir(dir).filePath(Settings::kFileName), m_settings, m_dossier.fileName());
    if (!written.ok())
        m_dialogs.warn(written.message());
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
    m_employees.read();
    resetPayrollPages();
    Q_EMIT captionChanged();
    return true;
}

void Fiche::reportLoad(const Dossier::LoadReport &report)
{
    // A missing dossier file is not an error here: the frame has already said so, and at
    // start-up a dossier deleted meanwhile simply leaves an empty dossier.
    if (!report.ok && !report.failure.isMissing())
        m_dialogs.warn(report.errorMessage());
    if (report.alteredMessageDue())
        m_dialogs.warn(Dossier::alteredMessage());
}

bool Fiche::Sauve(const QString &fileName)
{
    if (m_dossier.TestModif()) {
        for (RecordPage *p : m_pages)
            if (p)
                p->writeBack();
    }
    const Status result = m_dossier.Sauve(fileName);
    if (!result) {
        m_dialogs.warn(result.message());
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

void Fiche::forgetFileName()
{
    m_dossier.forgetFileName();
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
    const QString path = QDir(dir).filePath(caisses::kFileName);
    // A list that could not be read at start-up is not replaced by the one shown here, which
    // started empty: the file stays for the user to mend, as it does at exit.
    if (m_unreadable.contains(QFileInfo(path).absoluteFilePath())) {
        m_dialogs.message(QStringLiteral("Le fichier %1 n'a pas pu être lu au démarrage : il est laissé tel quel et "
                                         "les caisses modifiées ne seront pas enregistrées.")
                              .arg(text::FileResult::nativePath(path)));
        return false;
    }
    const text::FileResult written = SauveCaisse(path, m_caisseLines);
    if (!written.ok())
        m_dialogs.warn(written.message());
    return written.ok();
}
