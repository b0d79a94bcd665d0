#include "shell/helptopics.h"

namespace helptopics {

QString topicForContext(int context)
{
    switch (context) {
    case 3: return QStringLiteral("fichier.html");
    case 4: return QStringLiteral("edition.html");
    case 5: return QStringLiteral("bases.html");
    case 6: return QStringLiteral("paye.html");
    case 7: return QStringLiteral("rubriques.html");
    case 8: return QStringLiteral("selection.html");
    case 9: return QStringLiteral("outils.html");
    case 10: return QStringLiteral("parametres.html");
    case 11: return QStringLiteral("utilitaires.html");
    case 12: return kHelpOnHelp;
    case 13: return QStringLiteral("employes.html");
    case 14: return QStringLiteral("bulletins.html");
    case 16: return QStringLiteral("profils.html");
    default: return kContents;
    }
}

} // namespace helptopics
