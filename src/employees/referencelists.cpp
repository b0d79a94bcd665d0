#include "employees/referencelists.h"

#include "text/encoding.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kBanks = QStringLiteral("[BANQUE]");
const QString kJobs = QStringLiteral("[EMPLOI]");
} // namespace

QString ReferenceLists::fileIn(const QString &directory)
{
    const QDir dir(directory);
    const QString found = text::findCaseInsensitive(dir.filePath(kReadName));
    return QFileInfo::exists(found) ? found : dir.filePath(kWriteName);
}

bool ReferenceLists::isSectionLine(const QString &line)
{
    return line == kBanks || line == kJobs;
}

text::FileResult ChargeCombo(const QString &path, ReferenceLists &lists)
{
    QStringList lines;
    const text::FileResult read = text::readLines(text::findCaseInsensitive(path), lines);
    if (!read.ok())
        return read;
    lists.banks.clear();
    lists.jobs.clear();
    QStringList *section = nullptr;
    for (const QString &line : lines) {
        if (line == kBanks)
            section = &lists.banks;
        else if (line == kJobs)
            section = &lists.jobs;
        else if (section)
            section->append(line);
    }
    return read;
}

text::FileResult SauveCombo(const QString &path, const ReferenceLists &lists)
{
    QStringList lines;
    lines << kBanks << lists.banks << kJobs << lists.jobs;
    return text::writeLines(text::findCaseInsensitive(path), lines);
}
