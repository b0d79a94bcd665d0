#include "store/dossier.h"

#include "store/filegroup.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QLatin1String kProfileExtension("Prl");
const QLatin1String kPayslipExtension("Pai");

// Counts, checks and repairs a collection just read, as every load does.
void repairLoaded(Collection &c, Dossier::CollectionReport &report)
{
    c.recount();
    int dropped = 0;
    report.rebuilt = c.verif(&dropped);
    report.dropped += dropped;
    const Collection::Duplicates duplicates = c.doublons();
    report.duplicatesRemoved = duplicates.removed;
    report.duplicatesMoved = duplicates.moved;
    report.dropped += duplicates.dropped;
    dropped = 0;
    report.renumbered = c.normalise(&dropped);
    report.dropped += dropped;
    c.setCurrent(0);
    report.blocks = c.count();
}

} // namespace

QString Dossier::alteredMessage()
{
    return QStringLiteral("Des fichiers ont été altérés\r\nVérifiez s'il n'y a pas eu perte de données");
}

QString Dossier::fullMessage()
{
    return QStringLiteral("Le fichier est plein");
}

const Dossier::CollectionReport &Dossier::LoadReport::report(Kind kind) const
{
    switch (kind) {
    case Kind::Profiles:
        return profiles;
    case Kind::Payslips:
        return payslips;
    case Kind::Employees:
        break;
    }
    return employees;
}

bool Dossier::LoadReport::alteredMessageDue() const
{
    for (const CollectionReport *r : {&employees, &profiles, &payslips})
        if (r->repaired() || r->dropped > 0)
            return true;
    return false;
}

QString Dossier::LoadReport::errorMessage() const
{
    if (failure.isMissing())
        return QStringLiteral("Le fichier n'existe pas");
    return failure.message();
}

Collection &Dossier::collection(Kind kind)
{
    switch (kind) {
    case Kind::Profiles:
        return m_profiles;
    case Kind::Payslips:
        return m_payslips;
    case Kind::Employees:
        break;
    }
    return m_employees;
}

const Collection &Dossier::collection(Kind kind) const
{
    return const_cast<Dossier *>(this)->collection(kind);
}

QString Dossier::fileName(Kind kind) const
{
    switch (kind) {
    case Kind::Profiles:
        return m_profileFileName;
    case Kind::Payslips:
        return m_payslipFileName;
    case Kind::Employees:
        break;
    }
    return m_fileName;
}

QString Dossier::baseName(const QString &fileName)
{
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 3));
}

QString Dossier::existingFile(const QString &fileName)
{
    return fileName.isEmpty() ? fileName : text::findCaseInsensitive(fileName);
}

QString Dossier::sideFile(const QString &fileName, const QString &extension)
{
    if (fileName.isEmpty())
        return {};
    return text::findCaseInsensitive(baseName(fileName) + extension);
}

void Dossier::Synchro()
{
    m_profileFileName = sideFile(m_fileName, kProfileExtension);
    m_payslipFileName = sideFile(m_fileName, kPayslipExtension);
}

Dossier::LoadReport Dossier::Charge(const QString &fileName)
{
    LoadReport report;
    CollectionReport *reports[3] = {&report.employees, &report.profiles, &report.payslips};
    const QString dossierPath = existingFile(fileName);
    const QString paths[3] = {dossierPath, sideFile(dossierPath, kProfileExtension),
                              sideFile(dossierPath, kPayslipExtension)};
    QStringList lines[3];

    // Read all three files before touching the dossier, so that a file that cannot be read
    // leaves the open dossier as it was instead of half replaced.
    for (int i = 0; i < 3; ++i) {
        reports[i]->file = paths[i].isEmpty()
            ? text::FileResult(text::FileResult::Operation::Read, text::FileResult::Status::Missing, paths[i])
            : text::readLines(paths[i], lines[i]);
        const bool dossierMissing = i == 0 && reports[i]->file.isMissing();
        if (dossierMissing || reports[i]->file.status() == text::FileResult::Status::Failed) {
            report.failure = reports[i]->file;
            if (dossierMissing) {
                m_fileName.clear();
                Synchro();
            }
            return report;
        }
    }

    m_fileName = dossierPath;
    Synchro();
    bool repaired = false;
    const Kind kinds[3] = {Kind::Employees, Kind::Profiles, Kind::Payslips};
    for (int i = 0; i < 3; ++i) {
        Collection &c = collection(kinds[i]);
        c.clear();
        c.setLines(lines[i]);
        repairLoaded(c, *reports[i]);
        repaired = repaired || reports[i]->repaired();
    }
    // A repaired collection differs from its file: it is written at the next save.
    m_modified = repaired;
    report.ok = true;
    return report;
}

void Dossier::Squize()
{
    m_employees.squize();
    m_profiles.squize();
    m_payslips.squize();
}

Status Dossier::Sauve(const QString &fileName)
{
    if (!m_modified)
        return Status::done();
    Squize();

    const QString oldNames[3] = {m_fileName, m_profileFileName, m_payslipFileName};
    m_fileName = existingFile(fileName);
    Synchro();
    const Kind kinds[3] = {Kind::Employees, Kind::Profiles, Kind::Payslips};
    QList<store::FileContent> files;
    for (Kind kind : kinds)
        files.append({this->fileName(kind), text::encode1252(text::joinLines(collection(kind).lines()))});
    const text::FileResult written = store::replaceTogether(files);
    if (!written.ok()) {
        m_fileName = oldNames[0];
        m_profileFileName = oldNames[1];
        m_payslipFileName = oldNames[2];
        return Status::of(written);
    }
    m_modified = false;
    return Status::done();
}

void Dossier::Nouveau()
{
    m_employees.clear();
    m_profiles.clear();
    m_payslips.clear();
    m_fileName.clear();
    m_profileFileName.clear();
    m_payslipFileName.clear();
    m_modified = false;
}

void Dossier::forgetFileName()
{
    m_fileName.clear();
    m_profileFileName.clear();
    m_payslipFileName.clear();
}
