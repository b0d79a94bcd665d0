#include "app/workfolder.h"

#include <QDir>

Status app::enterUserFolder(const QString &home)
{
    const QString folder = QDir(home).filePath(QStringLiteral("Korvel"));
    if (!QDir().mkpath(folder))
        return Status::refused(QStringLiteral("Impossible de créer le dossier de travail %1.")
                                   .arg(QDir::toNativeSeparators(folder)));
    if (!QDir::setCurrent(folder))
        return Status::refused(QStringLiteral("Impossible d'ouvrir le dossier de travail %1.")
                                   .arg(QDir::toNativeSeparators(folder)));
    return Status::done();
}
