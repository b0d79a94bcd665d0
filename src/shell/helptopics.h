#pragma once

#include <QString>

// The help pages shipped with the program and the context numbers that lead to them: the
// top-level menus carry 3 ("&Fichier") to 12 ("&Aide"), the pages of the dossier window 13
// (employees), 14 (payslips) and 16 (profiles).
namespace helptopics {

inline const QString kContents = QStringLiteral("index.html");
inline const QString kHelpOnHelp = QStringLiteral("aide.html");

// The page of a help context number; the contents page for an unknown number.
QString topicForContext(int context);

} // namespace helptopics
