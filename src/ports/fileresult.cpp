#include "ports/fileresult.h"

#include <QDir>
#include <QFileInfo>

namespace text {

QString FileResult::nativePath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString FileResult::message() const
{
    if (ok())
        return {};
    const QString prefix = m_operation == Operation::Read ? QStringLiteral("Impossible de lire le fichier ")
                                                          : QStringLiteral("Impossible d'enregistrer le fichier ");
    return prefix + nativePath(m_path);
}

} // namespace text
