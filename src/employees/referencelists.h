#pragma once

#include "ports/fileresult.h"

#include <QString>
#include <QStringList>

// The choices of the employee form's bank "Nom" and "Emploi" fields, edited with the list editor
// and kept in the lists file: "[BANQUE]" then one bank a line, "[EMPLOI]" then one job a line.
// The file is read as "Korvel.cbx" and written as "Korvel.Cbx"; both find the same file whatever
// the case of its name on disk.
struct ReferenceLists
{
    static inline const QString kReadName = QStringLiteral("Korvel.cbx");
    static inline const QString kWriteName = QStringLiteral("Korvel.Cbx");

    // The lists file of a directory, for reading and writing alike: the existing file whatever
    // the case of its name ("Korvel.cbx" first when several spellings stand side by side, so
    // that the file read is the file written), else a new "Korvel.Cbx".
    static QString fileIn(const QString &directory);
    // "[BANQUE]" or "[EMPLOI]": a line the file reads as the start of a section, so no entry
    // may be one (the entries after it would change lists at the next start).
    static bool isSectionLine(const QString &line);

    QStringList banks;
    QStringList jobs;
};

// Reads the lists file, only if it exists: both lists are emptied, then a line "[BANQUE]" or
// "[EMPLOI]" starts that section and every other line goes to the section being read (lines
// before the first section are ignored).
text::FileResult ChargeCombo(const QString &path, ReferenceLists &lists);
// Writes the bank section first, each list in its order.
text::FileResult SauveCombo(const QString &path, const ReferenceLists &lists);
