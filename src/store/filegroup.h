#pragma once

#include "ports/fileresult.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Files that are replaced together or not at all (the three files of a dossier).
//
// Every new content is first written beside its target, under a temporary name in the same
// folder. Only when all of them are written are they put in place, one rename each; the
// previous version of each target is held by a second name meanwhile. If a target cannot be
// replaced (a read-only or immutable file, a folder in its place), the targets already
// replaced get their previous version back, so that the disk never holds a mix of two saves.
// Once all are in place, the previous version of each target stays beside it as NAME.bak.
namespace store {

struct FileContent {
    QString path;
    QByteArray bytes;
};

// The path of the previous version kept beside a file: path + ".bak".
QString backupPath(const QString &path);

// Replaces every file of files with its bytes, all or none. On a failure no target has
// changed and the result names the file that could not be written.
text::FileResult replaceTogether(const QList<FileContent> &files);

} // namespace store
