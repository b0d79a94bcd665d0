#include "ports/dialogs.h"

QString Dialogs::saveChangesQuestion(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return QStringLiteral("Enregistrer changements dans ") + path.mid(slash + 1) + QStringLiteral(" ?");
}

bool Dialogs::saveChangesFirst(const QString &path, const std::function<bool()> &save)
{
    switch (askYesNoCancel(saveChangesQuestion(path))) {
    case Answer::Oui:
        return save();
    case Answer::Non:
        return true;
    case Answer::Annuler:
    case Answer::Ok:
        break;
    }
    return false;
}

bool Dialogs::closeWithoutSaving(const text::FileResult &failure)
{
    return ask(failure.message() + QStringLiteral("\nFermer sans enregistrer ?"), Buttons::OuiNon) == Answer::Oui;
}
