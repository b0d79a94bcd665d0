#pragma once

#include "ports/fileresult.h"

#include <QString>
#include <QStringList>

// The contribution bodies (caisses) of the installation, kept as the lines of the caisses file
// Korvel.cai: one line per caisse, nine fields joined by TAB (name, telephone, address, fax,
// postcode, town, contact, account, letter). The statistics attribute payslip lines to a caisse
// by its letter, the last field.
namespace caisses {
inline const QString kFileName = QStringLiteral("Korvel.cai");
}

// Replaces lines by the file's lines when the file exists; otherwise leaves them as they are.
text::FileResult ChargeCaisse(const QString &path, QStringList &lines);
// Writes the lines, replacing the file.
text::FileResult SauveCaisse(const QString &path, const QStringList &lines);
